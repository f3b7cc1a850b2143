#include "command/ModifyApply.h"

#include "document/MorvekDoc.h"
#include "element/Element.h"
#include "options/LanguageTable.h"
#include "platform/Prompt.h"
#include "section/Section.h"

namespace modifyapply {

namespace {

void Run(CMorvekDoc& doc, const ModifyPlan& plan, bool detached, UndoTransaction* tx)
{
    NodeTable& nodes = doc.Nodes();
    // Each transformation was checked before the step opened (IsValid); all
    // of them record into the caller's step.
    if (plan.rotate) {
        (void)nodes.SetCacheValid(false); // the old state is not needed
        (void)(detached ? doc.RotateSelectionDetached(plan.cx, plan.cy, plan.angle, tx)
                        : doc.RotateSelectionConnected(plan.cx, plan.cy, plan.angle, tx)); // checked by IsValid
    }
    if (plan.scale) {
        (void)nodes.SetCacheValid(false); // the old state is not needed
        (void)(detached ? doc.ScaleSelectionDetached(plan.sx, plan.sy, plan.fx, plan.fy, tx)
                        : doc.ScaleSelectionConnected(plan.sx, plan.sy, plan.fx, plan.fy, tx)); // checked by IsValid
    }
    if (plan.mirror) {
        (void)nodes.SetCacheValid(false); // the old state is not needed
        (void)(detached ? doc.MirrorSelectionDetached(plan.x1, plan.y1, plan.x2, plan.y2, tx)
                        : doc.MirrorSelectionConnected(plan.x1, plan.y1, plan.x2, plan.y2, tx)); // checked by IsValid
    }
    if (plan.move) {
        (void)nodes.SetCacheValid(false); // the old state is not needed
        (void)(detached ? doc.MoveSelectionDetached(plan.dx, plan.dy, tx)
                        : doc.MoveSelectionConnected(plan.dx, plan.dy, tx)); // checked by IsValid
    }
}

} // namespace

bool ModifyPlan::IsValid() const
{
    return (!rotate || CMorvekDoc::CanMoveOrRotate(cx, cy, angle)) && (!scale || CMorvekDoc::CanScale(sx, sy, fx, fy))
           && (!mirror || CMorvekDoc::CanMirror(x1, y1, x2, y2)) && (!move || CMorvekDoc::CanMoveOrRotate(dx, dy));
}

bool Apply(CMorvekDoc& doc, const ModifyPlan& plan, bool copy)
{
    Section* section = doc.GetCurrentSection();
    // A refused value (a scale factor of 0, an axis of one point, a number
    // that is not finite) would leave the run half done: nothing changes.
    if (!section || !plan.IsValid())
        return false;
    UndoTransaction tx(doc.Undo(), kTextUndoTitle, section);
    if (doc.Nodes().AnyNodeRotated()) {
        if (platform::ask(Translate(kTextConvertRotated), QString(), platform::PromptButtons::YesNo,
                          platform::PromptIcon::Question)
            != platform::PromptResult::Yes) {
            doc.EndModifyState();
            return false;
        }
        doc.Nodes().ConvertAll(3);
    }
    if (copy)
        section->DuplicateAll(true);
    section->PrepareSelElements();
    Run(doc, plan, doc.moveDetached || copy, &tx);
    (void)doc.Nodes().SetCacheValid(false); // the old state is not needed
    doc.RefreshAllBridges();
    section->AddSelElementsToUndo(false);
    tx.commit(); // marks the drawing modified
    return true;
}

int SelectedCount(const CMorvekDoc& doc)
{
    const Section* section = doc.GetCurrentSection();
    return section ? section->GetSelectedCount() : 0;
}

void Select(CElement& element)
{
    element.SetSelection(1);
}

void Deselect(CMorvekDoc& doc)
{
    if (Section* section = doc.GetCurrentSection())
        section->Deselect();
}

} // namespace modifyapply
