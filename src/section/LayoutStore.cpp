#include "section/LayoutStore.h"

#include <algorithm>

namespace {

// The position of the object in a list of owners; end when not there.
template <typename T>
auto Find(std::vector<std::unique_ptr<T>>& list, const T* item)
{
    return std::find_if(list.begin(), list.end(), [item](const std::unique_ptr<T>& held) { return held.get() == item; });
}

} // namespace

const SavedLayout* LayoutStore::AddLayout(const AutoInstance& rows, const AutoInstance& columns, const QString& name)
{
    layouts_.push_back(std::make_unique<SavedLayout>(SavedLayout{rows, columns, name}));
    useCounts_[layouts_.back().get()] = 0;
    return layouts_.back().get();
}

const LayoutResult* LayoutStore::AddResult(const SavedLayout* layout, double width, double height)
{
    const auto used = useCounts_.find(layout);
    if (used == useCounts_.end())
        return nullptr;
    ++used->second;
    results_.push_back(std::make_unique<LayoutResult>(LayoutResult{layout, width, height}));
    return results_.back().get();
}

bool LayoutStore::RemoveResult(const LayoutResult* result)
{
    const auto at = Find(results_, result);
    if (at == results_.end())
        return false;
    // A held result's layout is held: a layout in use cannot be removed.
    --useCounts_.at(result->layout);
    results_.erase(at);
    return true;
}

bool LayoutStore::RemoveLayout(const SavedLayout* layout)
{
    const auto used = useCounts_.find(layout);
    if (used == useCounts_.end() || used->second > 0)
        return false;
    useCounts_.erase(used);
    layouts_.erase(Find(layouts_, layout));
    return true;
}

void LayoutStore::GetLayouts(std::vector<const SavedLayout*>& layouts) const
{
    layouts.clear();
    for (const auto& layout : layouts_)
        layouts.push_back(layout.get());
}

void LayoutStore::GetResults(std::vector<const LayoutResult*>& results) const
{
    results.clear();
    for (const auto& result : results_)
        results.push_back(result.get());
}

std::optional<int> LayoutStore::GetUseCount(const SavedLayout* layout) const
{
    const auto used = useCounts_.find(layout);
    if (used == useCounts_.end())
        return std::nullopt;
    return used->second;
}
