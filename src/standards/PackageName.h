#pragma once
// The name of a standard package file: "F-03-01-080222.zip" is the FEFCO
// package number 3 dated 2008-02-22. By character position: 0 the family
// letter (upper-case E ECMA, F FEFCO, T TOP), 1 a separator, 2-3 the package
// number, 4 a separator, 5-6 a second number (kept, not used), 7 a
// separator, 8-13 the date as YYMMDD, then anything (the extension).
//
// Only a bare file name made of letters, digits, '.', '-' and '_' whose
// number fields are all digits is a package name: a name from a server
// listing or a folder that is anything else (a path, a name with a parent
// reference, a lower-case letter) is not one.
#include <QString>
#include <QStringView>

namespace standards {

enum class PackageFamily { Ecma = 0, Fefco = 1, Top = 2 };

struct PackageName {
    PackageFamily family = PackageFamily::Fefco;
    int number = 0;
    int second = 0;
    int date = 0; // YYMMDD

    // The date as shown: "20" in front of the six digits ("20080222").
    QString DateText() const;
};

// False for anything that is not a package name; else fills name.
bool ParsePackageName(QStringView fileName, PackageName& name);

// The family's letter ('E', 'F', 'T'), its folder under the standards folder
// ("ECMA", "FEFCO", "TOP") and its catalogue file beside the folder
// ("ECMA.sif", "FEFCO.sif"; empty for TOP, which has none).
QChar FamilyLetter(PackageFamily family);
QString FamilyFolderName(PackageFamily family);
QString FamilyCatalogueName(PackageFamily family);

} // namespace standards
