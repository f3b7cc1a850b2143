#include "dlg/LineLengthReport.h"

#include "document/MorvekDoc.h"
#include "linetype/LinetypeTable.h"
#include "options/LanguageTable.h"
#include "platform/CFormat.h"
#include "section/Section.h"

#include <cmath>
#include <map>

namespace dlg {

namespace {

constexpr double kSquareMillimetresPerSquareMetre = 1000000.0;

QString Length(double mm)
{
    return platform::cformat("%6.3f mm", mm);
}

struct Size {
    double width = 0.0;
    double height = 0.0;
};

Size ExtentsOf(const CMorvekDoc& doc, bool allInstances)
{
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
    doc.GetExtents(left, top, right, bottom, allInstances, false);
    return {std::fabs(right - left), std::fabs(top - bottom)};
}

QString SizeText(const Size& size)
{
    return platform::cformat(Translate(LineLengthReport::kTextSize).toUtf8().constData(), size.width, size.height);
}

} // namespace

LineLengthReport::LineLengthReport(const CMorvekDoc& doc, const LinetypeTable& linetypes)
    : ptgText(Translate(kTextAllPtg)), doc_(doc), linetypes_(linetypes)
{
}

QStringList LineLengthReport::LayerItems() const
{
    QStringList items{Translate(kTextAllLayers)};
    for (int i = 0; i < doc_.GetSectionCount(); ++i)
        items.append(doc_.GetSection(i)->getName());
    return items;
}

QStringList LineLengthReport::PtgItems()
{
    QStringList items{Translate(kTextAllPtg)};
    for (int ptg = 0; ptg <= kHighestPtgItem; ++ptg)
        items.append(platform::cformat("%d", ptg));
    return items;
}

std::optional<int> LineLengthReport::PtgFilter() const
{
    if (ptgText == Translate(kTextAllPtg) || platform::leadingNumberLength(ptgText) == 0)
        return std::nullopt;
    return platform::wtoi(ptgText);
}

QString LineLengthReport::KindText(int kind)
{
    // ToText names single kinds only; a display kind is never listed here.
    return LinetypeTable::ToText(kind, 0);
}

void LineLengthReport::Recalculate()
{
    const Size one = ExtentsOf(doc_, false);
    const Size all = ExtentsOf(doc_, true);
    extentsOne = SizeText(one);
    extentsAll = SizeText(all) + platform::cformat(" (%.3f m2)", all.width * all.height / kSquareMillimetresPerSquareMetre);

    std::map<int, QString> names;
    linetypes_.ListNames(names, LinetypeKind::Display);
    std::map<int, double> lengths;
    const std::optional<int> ptg = PtgFilter();
    double sum = 0.0;
    // The chosen item decides, not its text: a layer may share its name
    // with another or with the "all layers" item.
    for (int i = 0; i < doc_.GetSectionCount(); ++i) {
        if (layer != 0 && layer != i + 1)
            continue;
        const Section* section = doc_.GetSection(i);
        sum += section->GetRuleLength(-1, ptg);
        for (const auto& [number, name] : names)
            lengths[number] += section->GetRuleLength(number, ptg);
    }
    total = Length(sum);

    rows.clear();
    for (const auto& [number, name] : names) {
        const double length = lengths[number];
        if (!showAll && length == 0.0)
            continue;
        const Linetype* record = linetypes_.Find(number);
        rows.push_back({number, name, KindText(record ? record->kind : 0), length != 0.0 ? Length(length) : QString()});
    }
    if (!ptg)
        ptgText = Translate(kTextAllPtg);
}

} // namespace dlg
