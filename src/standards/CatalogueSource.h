#pragma once
// Which catalogue a standard command opens. FEFCO and ECMA take the file of
// their setting, and with an empty setting the installed family's
// catalogue ("FEFCO.sif", "ECMA.sif" in the standards folder); the Euro
// hole takes its setting as it is. The TOP family has no catalogue of its
// own: its browser shows a tree built from the installed TOP folder's
// drawings until the first edit writes it as "TOP.sif" inside that folder
// (so that installing a TOP package replaces it with the folder).
#include "standards/StandardCatalogue.h"

#include <QString>

namespace standards {

enum class Family { Fefco, Ecma, Top, EuroHole, Collection };

struct CatalogueSource {
    QString path;   // the catalogue file; may be empty or missing
    QString folder; // non-empty: a missing catalogue is built from this folder's drawings
};

// setting: the profile value ("Standards"/"FEFCO", "ECMA", "EUROHOLE") or
// the collection's file; unused for TOP.
CatalogueSource SourceFor(Family family, const QString& setting);

// The tree of a folder: its subfolders as folders, its ".n" and ".nst"
// files (any letter case) as standards and extended standards, each named
// after its file without the extension, with the picture of the same name
// (".bmp", ".png" or ".jpg") as its preview when there is one; names in
// case-blind order, folders first. Paths are relative to the folder. At
// most StandardCatalogue::kMaxEntries entries; symbolic links are not
// followed.
StandardCatalogue CatalogueOfFolder(const QString& folder);

} // namespace standards
