// Standard package names: the parser on any text. A name that parses has an
// upper-case family letter, is a bare name (no separator, no parent
// reference), and its date is shown as "20" and six digits.
#include "common/FuzzSupport.h"

#include "standards/PackageName.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    standards::PackageName name;
    if (!standards::ParsePackageName(text, name))
        return 0;
    fuzz::Check(text[0] == u'E' || text[0] == u'F' || text[0] == u'T', "a package name without a family letter");
    fuzz::Check(!text.contains(u'/') && !text.contains(u'\\') && text != QLatin1String(".."), "a package name that is a path");
    fuzz::Check(standards::FamilyLetter(name.family) == text[0], "the family is not the name's letter");
    fuzz::Check(name.number >= 0 && name.number <= 99 && name.date >= 0 && name.date <= 999999, "a field out of range");
    fuzz::Check(name.DateText().size() == 8 && name.DateText().startsWith(QLatin1String("20")), "a date not shown as 20YYMMDD");
    return 0;
}
