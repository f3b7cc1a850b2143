#include "dlg/CatalogPaths.h"

#include "options/Options.h"

namespace dlg {
namespace {

const QString kSection = QStringLiteral("Standards");
const QString kFilter = QStringLiteral("Standard Information Files (*.sif)|*.sif|All Files (*.*)|*.*||");
constexpr const char16_t* kKeys[kCatalogPathCount] = {u"FEFCO", u"ECMA", u"HOLDER", u"EUROHOLE"};

} // namespace

CatalogPaths::CatalogPaths(COptions& options) : options_(options)
{
    Load();
}

QString CatalogPaths::Key(int row)
{
    return row >= 0 && row < kCatalogPathCount ? QString::fromUtf16(kKeys[row]) : QString();
}

void CatalogPaths::Load()
{
    for (int row = 0; row < kCatalogPathCount; ++row)
        paths_[std::size_t(row)] = options_.ReadRegistryString(kSection, Key(row));
}

bool CatalogPaths::Browse(int row)
{
    if (row < 0 || row >= kCatalogPathCount || !options_.BrowsePath(kSection, Key(row), false, kFilter))
        return false;
    paths_[std::size_t(row)] = options_.ReadRegistryString(kSection, Key(row));
    return true;
}

} // namespace dlg
