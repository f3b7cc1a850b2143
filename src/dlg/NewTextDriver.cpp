#include "dlg/NewTextDriver.h"

#include "document/MorvekDoc.h"
#include "element/ElementTypes.h"
#include "section/Section.h"
#include "section/UndoTransaction.h"

namespace dlg {

bool NewTextDriver::Run(int code, const PickedPoint& point)
{
    if (code == 0)
        values_.text = TextFields::ForNewText();
    else if (code != propend::kPickTextBase || !values_.text.StorePick(code, point))
        return false;
    Section* section = doc_.GetCurrentSection();
    const PropertyPageRow* row = FindPropertyPages(ElementTypeId::Text);
    if (!section || !row)
        return false;
    PropertySheetRun run{values_};
    run.row = row;
    run.detailPage = true;
    run.detailActive = true;
    run.doc = &doc_;
    run.options = options_;
    const int result = host_.RunSheet(run);
    if (result == propend::kPickTextBase) {
        host_.ArmPick(result);
        return false;
    }
    if (result != propend::kOk)
        return false;
    UndoTransaction tx(doc_.Undo(), kTextUndoTitle, section);
    if (!values_.text.AddNew(*section, section->CurrentLineType()))
        return false; // the step rolls back
    tx.commit(); // marks the drawing modified
    host_.Repaint();
    return true;
}

} // namespace dlg
