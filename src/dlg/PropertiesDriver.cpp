#include "dlg/PropertiesDriver.h"

#include "document/MorvekDoc.h"
#include "element/Arc.h"
#include "element/ElementTypes.h"
#include "element/Ellipse.h"
#include "element/NodeTable.h"
#include "options/LanguageTable.h"
#include "platform/Prompt.h"
#include "section/Section.h"
#include "section/SectionExplosion.h"
#include "section/UndoTransaction.h"

#include <cmath>

namespace dlg {

namespace {

// The kind bits of the several-elements walk.
constexpr int kBitCurves = 1;
constexpr int kBitBobst = 2;
constexpr int kBitText = 4;

int KindBit(int type)
{
    switch (type) {
    case ElementTypeId::Arc:
    case ElementTypeId::Line:
    case ElementTypeId::Ellipse: return kBitCurves;
    case ElementTypeId::BobstAsm: return kBitBobst;
    case ElementTypeId::Text: return kBitText;
    default: return 0;
    }
}

} // namespace

QString PropertySheetRun::Validate() const
{
    if (row && detailPage && row->validate)
        return row->validate(values);
    return {};
}

void PropertiesDriver::EditProperties(int code, double x, double y, int node, int extra)
{
    if (code != 0 && !propend::IsPick(code))
        return;
    CElement* element = doc_.GetEditElement();
    if (!element) {
        // Several elements: a pick made from their pages starts the walk
        // again; the point is not used.
        EditSeveral();
        return;
    }
    if (element->GetTypeId() == ElementTypeId::Wood) {
        host_.EditDieBoard();
        return;
    }
    const PropertyPageRow* row = FindPropertyPages(element->GetTypeId());
    if (!row)
        return;
    if (code == 0) {
        values_.common.Fill(*element);
        values_.common.textMode = row->textMode;
        if (row->fill)
            row->fill(values_, *element);
        EditOne(*element, *row, false);
        return;
    }
    if (!row->storePick || !row->storePick(values_, code, PickedPoint{x, y, node, extra}))
        return;
    EditOne(*element, *row, true);
}

void PropertiesDriver::EditOne(CElement& element, const PropertyPageRow& row, bool afterPick)
{
    PropertySheetRun run{values_};
    run.row = &row;
    run.elementPage = row.elementPage;
    run.detailPage = row.makePage != nullptr;
    run.detailActive = afterPick && run.detailPage;
    run.doc = &doc_;
    run.options = options_;
    run.element = &element;
    const int result = host_.RunSheet(run);
    if (propend::IsPick(result)) {
        host_.ArmPick(result);
        return;
    }
    Act(result, element, row);
}

void PropertiesDriver::Act(int result, CElement& element, const PropertyPageRow& row)
{
    switch (result) {
    case propend::kOk: Apply(element, row); break;
    case propend::kArcToEllipse: ArcToEllipse(element); break;
    case propend::kEllipseToArcs: EllipseToArcs(element); break;
    case propend::kSplitUp: SplitUp(element); break;
    default: break; // Cancel: nothing changes, no undo step
    }
}

void PropertiesDriver::Apply(CElement& element, const PropertyPageRow& row)
{
    Section* section = doc_.GetCurrentSection();
    const int slot = section ? section->GetIdx(&element) : -1;
    if (slot < 0)
        return;
    UndoTransaction tx(doc_.Undo(), kTextUndoTitle, section);
    PropertyApply target{doc_, *section, slot, element};
    const ApplyOutcome outcome = row.apply ? row.apply(values_, target) : ApplyCommonOnly(values_, target);
    if (outcome != ApplyOutcome::Changed) {
        tx.rollback();
        return;
    }
    doc_.Nodes().SetCacheValid(false);
    tx.commit(); // marks the drawing modified
    if (target.extensionRefused)
        (void)platform::ask(Translate(kTextExtensionRefused), Translate(kTextCaption), platform::PromptButtons::Ok,
                            platform::PromptIcon::Error);
    Done();
}

void PropertiesDriver::ArcToEllipse(CElement& element)
{
    auto* arc = dynamic_cast<CArc*>(&element);
    Section* section = doc_.GetCurrentSection();
    if (!arc || !section || section->GetIdx(arc) < 0)
        return;
    doc_.Nodes().SetCacheValid(false);
    UndoTransaction tx(doc_.Undo(), kTextUndoTitle, section);
    const die::coord c = section->Point(arc->GetCenterNode());
    const die::coord s = section->Point(arc->GetStartNode());
    const die::coord e = section->Point(arc->GetEndNode());
    const double r = std::hypot(s.x - c.x, s.y - c.y);
    // The span stays: the ellipse runs from the arc's start to its end, both
    // semi-axes the arc's radius.
    const ElementIterator made =
        section->AddEllipse4(c.x, c.y, s.x, s.y, e.x, e.y, c.x + r, c.y, c.x, c.y + r, true, arc->GetLineType());
    if (made == section->end())
        return; // rolled back
    CElement* ellipse = *made;
    ellipse->AssignMainValues(*arc);
    section->DeleteElement(arc);
    doc_.Nodes().SetCacheValid(false);
    ellipse->RefreshBridges();
    ellipse->Recalculate();
    tx.commit();
    Done();
}

void PropertiesDriver::EllipseToArcs(CElement& element)
{
    auto* ellipse = dynamic_cast<CEllipse*>(&element);
    Section* section = doc_.GetCurrentSection();
    const int n = values_.ellipse.arcs;
    if (!ellipse || !section || section->GetIdx(ellipse) < 0 || n < 1)
        return;
    doc_.Nodes().SetCacheValid(false);
    UndoTransaction tx(doc_.Undo(), kTextUndoTitle, section);
    for (int i = 1; i <= n; ++i) {
        double cx = 0, cy = 0, x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        if (!ellipse->GetApproxArc(n, i, cx, cy, x1, y1, x2, y2))
            continue;
        const ElementIterator made = section->AddArc3(cx, cy, x1, y1, x2, y2, true, ellipse->GetLineType());
        if (made == section->end())
            continue;
        CElement* arc = *made;
        arc->AssignMainValues(*ellipse);
        arc->SetBridgeMode(BridgeMode::ByRule);
        arc->RefreshBridges();
    }
    section->DeleteElement(ellipse);
    doc_.Nodes().SetCacheValid(false);
    tx.commit();
    Done();
}

void PropertiesDriver::SplitUp(CElement& element)
{
    Section* section = doc_.GetCurrentSection();
    if (!section || section->GetIdx(&element) < 0)
        return;
    UndoTransaction tx(doc_.Undo(), kTextSplitUpTitle, section);
    SectionExplosion target(*section);
    element.SplitUp(target); // the element is gone afterwards
    tx.commit();
    doc_.Cursor().element = nullptr;
    Done();
}

void PropertiesDriver::EditSeveral()
{
    Section* section = doc_.GetCurrentSection();
    if (!section)
        return;
    std::vector<int> listedSlots;
    std::vector<CElement*> listed;
    int bits = 0;
    for (int i = 0; i < section->GetSlotsInUse(); ++i) {
        CElement* e = section->GetElement(i);
        if (!e || !e->IsSelected())
            continue;
        listedSlots.push_back(i);
        listed.push_back(e);
        bits |= KindBit(e->GetTypeId());
    }
    const PropertyPageRow* groupRow = nullptr;
    PropertySheetRun run{values_};
    run.doc = &doc_;
    run.options = options_;
    switch (bits) {
    case kBitCurves:
        values_.common.FillSeveral(listed);
        run.elementPage = true;
        break;
    case kBitBobst:
    case kBitText: {
        groupRow = FindPropertyPages(bits == kBitText ? ElementTypeId::Text : ElementTypeId::BobstAsm);
        if (!groupRow || !groupRow->fillSeveral || !groupRow->applySeveral)
            return; // the group's page is not there
        std::vector<CElement*> ofType;
        for (CElement* e : listed)
            if (e->GetTypeId() == groupRow->typeId)
                ofType.push_back(e);
        if (bits == kBitText)
            values_.common.FillTexts(listed);
        groupRow->fillSeveral(values_, ofType);
        run.row = groupRow;
        run.elementPage = groupRow->elementPage;
        run.detailPage = groupRow->makePage != nullptr;
        break;
    }
    default: return; // nothing selected, or groups mixed
    }
    const int result = host_.RunSheet(run);
    if (propend::IsPick(result)) {
        host_.ArmPick(result);
        return;
    }
    if (result != propend::kOk)
        return;
    UndoTransaction tx(doc_.Undo(), kTextUndoTitle, section);
    for (int slot : listedSlots) {
        CElement* e = section->GetElement(slot);
        if (!e)
            continue;
        std::unique_ptr<CElement> copy = Section::CreateElement(*e);
        if (!copy)
            continue; // changed only with an undo item, so not at all
        bool changed = false;
        if (run.elementPage) {
            values_.common.ApplySeveral(*copy);
            changed = !ElementValues::Same(*e, *copy);
        }
        if (groupRow && e->GetTypeId() == groupRow->typeId)
            changed = groupRow->applySeveral(values_, *copy) || changed;
        if (changed)
            section->ReplaceElement(slot, std::move(copy));
    }
    doc_.Nodes().SetCacheValid(false);
    tx.commit(); // marks the drawing modified when anything changed
    Done();
}

void PropertiesDriver::Done()
{
    host_.Repaint();
}

} // namespace dlg
