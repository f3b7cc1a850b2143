#pragma once
// The selection wizard without its widgets: the list of criteria the first
// page builds (element type, selected state, line type, bridge count,
// bridge mode, ptg; each shown as one line), the selection they make on a
// layer, joined by AND or OR, and the actions of the second page.
#include "element/SelectCriterion.h"

#include <QString>
#include <QStringList>

#include <cstddef>
#include <vector>

class CMorvekDoc;
class Section;

namespace dlg {

class SelectionCriteria {
public:
    // The page holds at most this many criteria; an Add beyond adds nothing.
    static constexpr int kMaxCriteria = 100;

    // Language texts. The method: all criteria must hold, or any.
    static constexpr int kTextMethodAll = 450;
    static constexpr int kTextMethodAny = 477;
    // The words of a criterion's line: comparisons, relations.
    static constexpr int kTextLess = 451;
    static constexpr int kTextGreater = 452;
    static constexpr int kTextEqual = 453;
    static constexpr int kTextIs = 454;
    static constexpr int kTextIsNot = 455;
    // The line labels of the properties.
    static constexpr int kTextLabelType = 474;
    static constexpr int kTextLabelSelected = 467;
    static constexpr int kTextLabelLineType = 463;
    static constexpr int kTextLabelBridgeCount = 462;
    static constexpr int kTextLabelBridgeMode = 461;
    static constexpr int kTextLabelPtg = 456;
    // The relation combos' entries (is, is not).
    static constexpr int kTextRelationIs = 460;
    static constexpr int kTextRelationIsNot = 476;
    // The selected combo's entries and how a line shows them.
    static constexpr int kTextChoiceSelected = 466;
    static constexpr int kTextChoiceNotSelected = 475;
    static constexpr int kTextShownSelected = 465;
    static constexpr int kTextShownNotSelected = 464;
    // The element types, in the combo's order (see kTypes).
    static constexpr int kTextTypeAny = 473;
    static constexpr int kTextTypeArc = 472;
    static constexpr int kTextTypeLine = 471;
    static constexpr int kTextTypeEllipse = 470;
    static constexpr int kTextTypeText = 469;
    static constexpr int kTextTypeDimension = 468;
    static constexpr int kTextTypeCuir = 864;
    static constexpr int kTextTypeBobstAsm = 865;
    // The bridge modes, in the combo's order (see kBridgeModes).
    static constexpr int kTextModeByRule = 459;
    static constexpr int kTextModeByCount = 458;
    static constexpr int kTextModeByHand = 457;
    // Nothing met the criteria: go on with an empty selection?
    static constexpr int kTextNothingSelected = 449;
    // Undo title of the delete action.
    static constexpr int kTextDeleteTitle = 388;

    struct Choice {
        int text; // language text of the combo entry
        int value;
    };
    // The type combo: text and type id (11 matches every type).
    static const Choice kTypes[8];
    // The bridge-mode combo: text and bridge mode.
    static const Choice kBridgeModes[3];
    // The comparison combos' entries, in order.
    enum class Comparison { Less, Greater, Equal, NotEqual };
    static const char* const kComparisonSymbols[4];

    // Each Add appends one criterion and its line; false, nothing added,
    // when kMaxCriteria are listed or an index names no entry.
    bool AddType(bool negated, int typeIndex);
    bool AddSelected(bool selected);
    bool AddLineType(bool negated, int lineType, const QString& name);
    bool AddBridgeCount(Comparison comparison, int count);
    bool AddBridgeMode(bool negated, int modeIndex);
    bool AddPtg(Comparison comparison, double ptg);
    // Removes the criterion of the line; nothing for no such line.
    void Remove(int line);
    void Clear();

    int Count() const { return static_cast<int>(criteria_.size()); }
    const std::vector<SelectCriterion>& Criteria() const { return criteria_; }
    // One line per criterion: "%s %s %s %s" of label, relation word,
    // comparison word and value.
    const QStringList& Lines() const { return lines_; }

    // Every element of the section but the die board is selected exactly
    // when it meets the criteria (all of them with byAnd, else any). Returns
    // the number selected; −1, nothing changed, without a criterion.
    int Select(Section& section, bool byAnd) const;

    // The second page's actions (the radio buttons' codes).
    enum Action { SelectOnly = 1, Delete = 2, Move = 3, Copy = 4, CopyToLayer = 5 };
    // The delete action: the current layer's selected elements deleted in
    // one undo step (text 388). False when nothing was deleted.
    static bool DeleteSelected(CMorvekDoc& doc);

private:
    // A criterion whose value is an entry of a combo (type, bridge mode).
    template <std::size_t N>
    bool AddChoice(int property, int label, const Choice (&choices)[N], bool negated, int index);
    bool Add(const SelectCriterion& criterion, int label, const QString& value);

    std::vector<SelectCriterion> criteria_;
    QStringList lines_;
};

} // namespace dlg
