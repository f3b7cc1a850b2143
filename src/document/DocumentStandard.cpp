// Extended standards: a drawing built from component drawings. The
// standard's dimensions are set first; each component is merged with its
// variable pairs and its placement, and its layers are copied into the first
// layer at once, so that a standard of many components never needs more
// layers than a drawing holds.
#include "document/MorvekDoc.h"

#include "document/DocumentPaths.h"
#include "exchange/native/StandardTable.h"
#include "platform/CFormat.h"
#include "section/Section.h"

#include <utility>

bool CMorvekDoc::LoadExtendedStandard(const QString& fileName, QByteArrayView bytes, QString* error)
{
    SpecStandardTable table;
    if (!table.Read(bytes, error))
        return false;

    SetStandardDimensions(table.A, table.B, table.H, table.MatThick);

    Section* const first = sections_.front().get();
    for (int i = 0; i < table.GetCount(); ++i) {
        SpecStandardComponent component = table.Component(i);
        for (QString* place : {&component.x, &component.y, &component.rotation}) {
            if (place->isEmpty())
                *place = QStringLiteral("0");
        }
        const int before = GetSectionCount();
        // A component that cannot be merged has been told and is left out.
        if (!MergeDrawing(table.ComponentPath(i, fileName), FormulaTable::MergeRename, component.name, &component))
            continue;
        for (int n = before; n < GetSectionCount(); ++n)
            CopySectionElements(first, GetSection(n), 0);
        while (GetSectionCount() > before)
            DeleteSection(GetSectionCount() - 1);
    }
    current_ = first;
    RefreshAllBridges();
    return true;
}

void CMorvekDoc::SetStandardDimensions(double a, double b, double h, double matThick)
{
    const std::pair<const char*, double> dimensions[] = {{"A", a}, {"B", b}, {"H", h}, {"MatThick", matThick}};
    for (const auto& [name, value] : dimensions) {
        // The default variables are there: the setting cannot miss, and a
        // number written by "%f" always parses.
        (void)variables_.SetFormula(QString::fromLatin1(name), platform::cformat("%f", value), QString());
    }
}

void CMorvekDoc::SetReadingPlace(const SpecStandardComponent* place)
{
    if (place)
        nodes_.SetOriginRotation(place->x, place->y, place->rotation);
    else
        nodes_.SetOriginRotation(QString(), QString(), QString());
    nodes_.SetApplyOriginRotation(place != nullptr);
}

void CMorvekDoc::RenameLoadedStandard(int& counter)
{
    ++counter;
    pathName_ = platform::cformat("%s_std%d.n", docpath::WithoutExtension(pathName_), counter);
    modified_ = true;
}
