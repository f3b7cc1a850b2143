#pragma once
// What the layout optimisation dialog does without its widgets: the paper
// list and its edits (shared with the application's paper-size table), the
// results ">>" and "All >>" store, the rows of the result list with the
// best fit of each result (computed once per dialog), deletions and the
// result Load chooses.
#include "section/LayoutGrid.h"

#include <QString>

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <utility>
#include <vector>

class LayoutStore;
class Section;
struct LayoutResult;
struct SavedLayout;

namespace dlg {

// The application's paper sizes: (longer, shorter) pairs in mm, in the
// order entered, and the name of a pair where it has one (A4, B2 ...).
struct PaperSizes {
    std::deque<std::pair<double, double>>& sizes;
    std::function<std::optional<QString>(const std::pair<double, double>&)> name;
};

// One row of the result list.
struct LayoutResultRow {
    const LayoutResult* result = nullptr;
    QString layout;
    QString paper;
    QString bestFit;
    QString spare;
};

// The result Load hands back.
struct ChosenLayoutResult {
    const LayoutResult* result = nullptr;
    LayoutFit fit;
};

class LayoutOptimisation {
public:
    // Sizes typed for a new paper must lie in 1 .. kMaxPaperSide mm.
    static constexpr int kMaxPaperSide = 10000;

    // section: the layer the copies are made of (the view's current one).
    LayoutOptimisation(LayoutStore& store, const Section& section, PaperSizes papers);

    // The paper drop-down's entries, in the table's order: "W x H" of the
    // longer and the shorter side, then "  (name)" for a named size.
    std::vector<QString> PaperEntries() const;
    // Add: each text read as a leading whole number; both must lie in
    // 1 .. kMaxPaperSide. The pair (larger, smaller) is appended unless the
    // table holds it already (either order typed). The new entry's index,
    // or none when nothing was added.
    std::optional<int> AddPaper(const QString& first, const QString& second);
    // Removes the entry (a named one too); false for an index outside the
    // table.
    bool DeletePaper(int index);

    // ">>": results for the layout on the paper in both orientations (one
    // for a square paper). False, nothing stored, without a layout or a
    // paper (the dialog says "select to optimize").
    bool Optimise(const SavedLayout* layout, std::optional<int> paperIndex);
    // "All >>": the same for every layout of the store, in its order.
    bool OptimiseAll(std::optional<int> paperIndex);

    // The result rows, in the store's order.
    std::vector<LayoutResultRow> Rows();
    // The best fit of a listed result; none before it was listed.
    std::optional<LayoutFit> FitOf(const LayoutResult* result) const;

    // Deletes a result; false when the store no longer holds it.
    bool DeleteResult(const LayoutResult* result);
    // Deletes a saved layout; false while a result uses it ("layout in use").
    bool DeleteLayout(const SavedLayout* layout);

    // Load: the chosen result with its fit; none without a listed result
    // (the dialog says "select to load").
    std::optional<ChosenLayoutResult> Load(const LayoutResult* result) const;

    // The columns' texts.
    static QString PaperEntryText(const std::pair<double, double>& size, const std::optional<QString>& name);
    QString PaperColumnText(double width, double height) const;
    static QString BestFitText(const LayoutFit& fit);
    // The free fraction as the "Spare" column shows it.
    static QString SpareText(double fraction);

private:
    LayoutStore& store_;
    LayoutGrid grid_;
    PaperSizes papers_;
    std::map<const LayoutResult*, LayoutFit> fits_;
};

} // namespace dlg
