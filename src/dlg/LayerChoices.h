#pragma once
// What the two small dialogs of the Manipulation menu decide, without a
// widget: the layer Copy to Layer copies the selection into (and whether
// the copies are selected), and the node conversion Convert Nodes runs.
#include <QString>

#include <vector>

class CMorvekDoc;
class Section;

namespace dlg {

// Copy to Layer: one row per layer (name, visible, current); OK needs
// exactly one row, not the current layer. Nothing is remembered between
// showings: the copies are selected unless the user clears the option.
class CopyToLayerChoice {
public:
    // Language texts: caption, the option, OK, Cancel, the columns and
    // cells, the two refusals.
    static constexpr int kTextCaption = 630;
    static constexpr int kTextSelectCopies = 542;
    static constexpr int kTextOk = 132;
    static constexpr int kTextCancel = 133;
    static constexpr int kTextColumnName = 243;
    static constexpr int kTextColumnVisible = 244;
    static constexpr int kTextCurrent = 245; // header and the current layer's cell
    static constexpr int kTextShown = 248;
    static constexpr int kTextHidden = 247;
    static constexpr int kTextChooseOne = 357;
    static constexpr int kTextCurrentChosen = 246;
    static constexpr int kColumnWidths[3] = {100, 100, 80};

    struct Row {
        QString name;
        QString visible;
        QString current;
    };

    explicit CopyToLayerChoice(CMorvekDoc& doc) : doc_(doc) {}

    int RowCount() const;
    Row RowAt(int row) const;

    // OK with the selected rows: unless exactly one layer other than the
    // current one is chosen the user is told why (text 357, 246) and false
    // keeps the dialog open; otherwise that layer is the target.
    bool Accept(const std::vector<int>& selectedRows);
    Section* Target() const { return target_; }

    // After OK: the current layer's selection copied into the target, once
    // per placement, in one undo step.
    void Apply();

    bool selectCopies = true;

private:
    CMorvekDoc& doc_;
    Section* target_ = nullptr;
};

// Convert Nodes: every parametric node made fixed, and optionally its
// secondary relativity (rotation) resolved too. The second option is never
// on without the first.
class ConvertNodesChoice {
public:
    static constexpr int kTextCaption = 639;
    static constexpr int kTextToFixed = 555;
    static constexpr int kTextSecondary = 556;
    static constexpr int kTextOk = 132;
    static constexpr int kTextCancel = 133;
    static constexpr int kTextUndoTitle = 184;

    bool ToFixed() const { return toFixed_; }
    bool Secondary() const { return secondary_; }
    // Clearing the first option clears the second; setting the second sets
    // the first.
    void SetToFixed(bool on);
    void SetSecondary(bool on);
    // NodeTable::ConvertAll's mode: 3 with both options, 1 with the first
    // only, 0 (nothing to do) with neither.
    int Mode() const;
    // Runs the conversion in one undo step (text 184), which marks the
    // drawing modified when a node changed; nothing with neither option.
    // True when a step was kept.
    bool Apply(CMorvekDoc& doc) const;

private:
    bool toFixed_ = false;
    bool secondary_ = false;
};

} // namespace dlg
