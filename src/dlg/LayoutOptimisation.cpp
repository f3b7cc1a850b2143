#include "dlg/LayoutOptimisation.h"

#include "platform/CFormat.h"
#include "section/LayoutStore.h"

#include <algorithm>
#include <cmath>

namespace dlg {

LayoutOptimisation::LayoutOptimisation(LayoutStore& store, const Section& section, PaperSizes papers)
    : store_(store), grid_(section), papers_(std::move(papers))
{
}

QString LayoutOptimisation::PaperEntryText(const std::pair<double, double>& size, const std::optional<QString>& name)
{
    QString text = platform::cformat("%d x %d", static_cast<int>(size.first), static_cast<int>(size.second));
    if (name)
        text += QStringLiteral("  (") + *name + QLatin1Char(')');
    return text;
}

std::vector<QString> LayoutOptimisation::PaperEntries() const
{
    std::vector<QString> entries;
    for (const auto& size : papers_.sizes)
        entries.push_back(PaperEntryText(size, papers_.name ? papers_.name(size) : std::nullopt));
    return entries;
}

std::optional<int> LayoutOptimisation::AddPaper(const QString& first, const QString& second)
{
    const int a = platform::wtoi(first);
    const int b = platform::wtoi(second);
    if (a <= 0 || b <= 0 || a > kMaxPaperSide || b > kMaxPaperSide)
        return std::nullopt;
    const std::pair<double, double> size{std::max(a, b), std::min(a, b)};
    if (std::find(papers_.sizes.begin(), papers_.sizes.end(), size) != papers_.sizes.end())
        return std::nullopt;
    papers_.sizes.push_back(size);
    return static_cast<int>(papers_.sizes.size()) - 1;
}

bool LayoutOptimisation::DeletePaper(int index)
{
    if (index < 0 || index >= static_cast<int>(papers_.sizes.size()))
        return false;
    papers_.sizes.erase(papers_.sizes.begin() + index);
    return true;
}

bool LayoutOptimisation::Optimise(const SavedLayout* layout, std::optional<int> paperIndex)
{
    if (!layout || !paperIndex || *paperIndex < 0 || *paperIndex >= static_cast<int>(papers_.sizes.size()))
        return false;
    const auto [longer, shorter] = papers_.sizes[static_cast<std::size_t>(*paperIndex)];
    if (!store_.AddResult(layout, longer, shorter))
        return false;
    if (longer != shorter)
        (void)store_.AddResult(layout, shorter, longer); // the layout is held: the first one was stored
    return true;
}

bool LayoutOptimisation::OptimiseAll(std::optional<int> paperIndex)
{
    std::vector<const SavedLayout*> layouts;
    store_.GetLayouts(layouts);
    if (layouts.empty() || !paperIndex || *paperIndex < 0 || *paperIndex >= static_cast<int>(papers_.sizes.size()))
        return false;
    for (const SavedLayout* layout : layouts)
        (void)Optimise(layout, paperIndex); // checked above
    return true;
}

std::vector<LayoutResultRow> LayoutOptimisation::Rows()
{
    std::vector<const LayoutResult*> results;
    store_.GetResults(results);
    std::vector<LayoutResultRow> rows;
    rows.reserve(results.size());
    for (const LayoutResult* result : results) {
        auto it = fits_.find(result);
        if (it == fits_.end())
            it = fits_.emplace(result, grid_.Compute(*result->layout, result->width, result->height)).first;
        rows.push_back({result, result->layout->name, PaperColumnText(result->width, result->height),
                        BestFitText(it->second), SpareText(it->second.freeFraction)});
    }
    return rows;
}

std::optional<LayoutFit> LayoutOptimisation::FitOf(const LayoutResult* result) const
{
    const auto it = fits_.find(result);
    if (it == fits_.end())
        return std::nullopt;
    return it->second;
}

bool LayoutOptimisation::DeleteResult(const LayoutResult* result)
{
    if (!store_.RemoveResult(result))
        return false;
    // A later result may be made at the same address: its fit is its own.
    fits_.erase(result);
    return true;
}

bool LayoutOptimisation::DeleteLayout(const SavedLayout* layout)
{
    return store_.RemoveLayout(layout);
}

std::optional<ChosenLayoutResult> LayoutOptimisation::Load(const LayoutResult* result) const
{
    const std::optional<LayoutFit> fit = result ? FitOf(result) : std::nullopt;
    if (!fit)
        return std::nullopt;
    return ChosenLayoutResult{result, *fit};
}

QString LayoutOptimisation::PaperColumnText(double width, double height) const
{
    QString text = platform::cformat("%.0f x %.0f ", width, height);
    std::optional<QString> name;
    if (papers_.name)
        name = papers_.name({std::max(width, height), std::min(width, height)});
    return text + (name ? QStringLiteral("(") + *name + QLatin1Char(')') : QStringLiteral("mm"));
}

QString LayoutOptimisation::BestFitText(const LayoutFit& fit)
{
    const int across = fit.lastX + 1;
    const int down = fit.lastY + 1;
    return platform::cformat("%d (%d x %d)", across * down, across, down);
}

QString LayoutOptimisation::SpareText(double fraction)
{
    const double percent = fraction * 100.0;
    if (std::abs(percent - 100.0) <= 0.1)
        return QStringLiteral("100%");
    if (percent > 0.0)
        return platform::cformat(">%.0f%%", percent);
    return QStringLiteral("-");
}

} // namespace dlg
