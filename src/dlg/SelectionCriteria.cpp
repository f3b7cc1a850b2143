#include "dlg/SelectionCriteria.h"

#include "document/MorvekDoc.h"
#include "element/Bridge.h"
#include "element/Element.h"
#include "element/ElementTypes.h"
#include "options/LanguageTable.h"
#include "platform/CFormat.h"
#include "section/Section.h"

namespace dlg {

namespace {

using C = SelectCriterion;

// A criterion of the property with the comparison and relation of a "<",
// ">", "==", "<>" entry.
SelectCriterion Compared(int property, SelectionCriteria::Comparison comparison)
{
    using Cmp = SelectionCriteria::Comparison;
    SelectCriterion c;
    c.property = property;
    c.relation = C::AsIs;
    switch (comparison) {
    case Cmp::Less: c.comparison = C::Less; break;
    case Cmp::Greater: c.comparison = C::Greater; break;
    case Cmp::Equal: c.comparison = C::Equal; break;
    case Cmp::NotEqual:
        c.comparison = C::Equal;
        c.relation = C::Negated;
        break;
    }
    return c;
}

int ComparisonWord(int comparison)
{
    switch (comparison) {
    case C::Less: return SelectionCriteria::kTextLess;
    case C::Greater: return SelectionCriteria::kTextGreater;
    case C::Equal: return SelectionCriteria::kTextEqual;
    default: return 0;
    }
}

} // namespace

const SelectionCriteria::Choice SelectionCriteria::kTypes[8] = {
    {kTextTypeAny, ElementTypeId::Any},       {kTextTypeArc, ElementTypeId::Arc},
    {kTextTypeLine, ElementTypeId::Line},     {kTextTypeEllipse, ElementTypeId::Ellipse},
    {kTextTypeText, ElementTypeId::Text},     {kTextTypeDimension, ElementTypeId::Measure},
    {kTextTypeCuir, ElementTypeId::Cuir},     {kTextTypeBobstAsm, ElementTypeId::BobstAsm},
};

const SelectionCriteria::Choice SelectionCriteria::kBridgeModes[3] = {
    {kTextModeByRule, BridgeMode::ByRule},
    {kTextModeByCount, BridgeMode::ByCount},
    {kTextModeByHand, BridgeMode::ByHand},
};

const char* const SelectionCriteria::kComparisonSymbols[4] = {"<", ">", "==", "<>"};

template <std::size_t N>
bool SelectionCriteria::AddChoice(int property, int label, const Choice (&choices)[N], bool negated, int index)
{
    if (index < 0 || index >= static_cast<int>(N))
        return false;
    SelectCriterion c;
    c.property = property;
    c.relation = negated ? C::Negated : C::AsIs;
    c.intValue = choices[index].value;
    return Add(c, label, Translate(choices[index].text));
}

bool SelectionCriteria::AddType(bool negated, int typeIndex)
{
    return AddChoice(C::Type, kTextLabelType, kTypes, negated, typeIndex);
}

bool SelectionCriteria::AddSelected(bool selected)
{
    SelectCriterion c;
    c.property = C::Selection;
    c.flagValue = selected ? 1 : 0;
    return Add(c, kTextLabelSelected, Translate(selected ? kTextShownSelected : kTextShownNotSelected));
}

bool SelectionCriteria::AddLineType(bool negated, int lineType, const QString& name)
{
    SelectCriterion c;
    c.property = C::LineType;
    c.relation = negated ? C::Negated : C::AsIs;
    c.intValue = lineType;
    return Add(c, kTextLabelLineType, name);
}

bool SelectionCriteria::AddBridgeCount(Comparison comparison, int count)
{
    SelectCriterion c = Compared(C::BridgeCount, comparison);
    c.intValue = count;
    return Add(c, kTextLabelBridgeCount, platform::cformat("%d", count));
}

bool SelectionCriteria::AddBridgeMode(bool negated, int modeIndex)
{
    return AddChoice(C::BridgeMode, kTextLabelBridgeMode, kBridgeModes, negated, modeIndex);
}

bool SelectionCriteria::AddPtg(Comparison comparison, double ptg)
{
    SelectCriterion c = Compared(C::Ptg, comparison);
    c.realValue = ptg;
    return Add(c, kTextLabelPtg, platform::cformat("%f", ptg));
}

bool SelectionCriteria::Add(const SelectCriterion& criterion, int label, const QString& value)
{
    if (Count() >= kMaxCriteria)
        return false;
    const int comparison = ComparisonWord(criterion.comparison);
    const QString relation = Translate(criterion.relation == C::Negated ? kTextIsNot : kTextIs);
    const QString compared = comparison != 0 ? Translate(comparison) : QString();
    criteria_.push_back(criterion);
    lines_.push_back(platform::cformat("%s %s %s %s", Translate(label), relation, compared, value));
    return true;
}

void SelectionCriteria::Remove(int line)
{
    if (line < 0 || line >= Count())
        return;
    criteria_.erase(criteria_.begin() + line);
    lines_.removeAt(line);
}

void SelectionCriteria::Clear()
{
    criteria_.clear();
    lines_.clear();
}

int SelectionCriteria::Select(Section& section, bool byAnd) const
{
    if (criteria_.empty())
        return -1;
    for (CElement* e : section) {
        // The die board is no element to select, move or delete here, as
        // Select All leaves it out.
        if (e->IsDieBoard())
            e->SetSelection(0);
        else
            e->SelectByCriteria(criteria_.data(), Count(), byAnd, true);
    }
    return section.GetSelectedCount();
}

bool SelectionCriteria::DeleteSelected(CMorvekDoc& doc)
{
    Section* section = doc.GetCurrentSection();
    if (!section)
        return false;
    UndoTransaction tx(doc.Undo(), kTextDeleteTitle, section);
    section->DeleteSelectedElements();
    return tx.commit();
}

} // namespace dlg
