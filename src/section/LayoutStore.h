#pragma once
// The step-and-repeat layouts a user saved in a drawing, and the sheet sizes
// the layout optimisation computed for them. The document holds one store
// for its life; nothing of it is written to the drawing file.
#include "geometry/AutoInstance.h"

#include <QString>

#include <map>
#include <memory>
#include <optional>
#include <vector>

// A saved pair of step-and-repeat records (rows first) and its name.
struct SavedLayout {
    AutoInstance rows;
    AutoInstance columns;
    QString name;
};

// A sheet (mm) a saved layout is to be fitted to.
struct LayoutResult {
    const SavedLayout* layout = nullptr;
    double width = 0.0;
    double height = 0.0;
};

class LayoutStore {
public:
    // Appends a saved layout, used by no result.
    const SavedLayout* AddLayout(const AutoInstance& rows, const AutoInstance& columns, const QString& name);
    // Appends a result for a layout of this store and counts its use; null,
    // nothing stored, for a layout the store does not hold.
    const LayoutResult* AddResult(const SavedLayout* layout, double width, double height);
    // Removes the result and lowers its layout's use count; false, nothing
    // changed, for a result the store does not hold (one removed before).
    [[nodiscard]] bool RemoveResult(const LayoutResult* result);
    // Removes the layout; false, nothing changed, when the store does not
    // hold it or a result still uses it.
    [[nodiscard]] bool RemoveLayout(const SavedLayout* layout);

    // The saved layouts and the results, in the order they were added.
    void GetLayouts(std::vector<const SavedLayout*>& layouts) const;
    void GetResults(std::vector<const LayoutResult*>& results) const;
    // How many results use the layout; none for a layout not held.
    std::optional<int> GetUseCount(const SavedLayout* layout) const;

private:
    std::vector<std::unique_ptr<SavedLayout>> layouts_;
    std::vector<std::unique_ptr<LayoutResult>> results_;
    std::map<const SavedLayout*, int> useCounts_;
};
