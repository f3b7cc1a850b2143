#include "dlg/LayerChoices.h"

#include "dlg/LayerTable.h"
#include "document/MorvekDoc.h"
#include "element/NodePoint.h"
#include "options/LanguageTable.h"
#include "platform/Prompt.h"
#include "section/Section.h"

namespace dlg {

int CopyToLayerChoice::RowCount() const
{
    return doc_.GetSectionCount();
}

CopyToLayerChoice::Row CopyToLayerChoice::RowAt(int row) const
{
    const LayerTable::Row r = LayerTable::RowOf(doc_, row, kTextShown, kTextHidden, kTextCurrent, 0);
    return {r.name, r.visible, r.active};
}

bool CopyToLayerChoice::Accept(const std::vector<int>& selectedRows)
{
    Section* chosen = selectedRows.size() == 1 ? doc_.GetSection(selectedRows.front()) : nullptr;
    const int refusal = !chosen                                ? kTextChooseOne
                      : chosen == doc_.GetCurrentSection() ? kTextCurrentChosen
                                                            : 0;
    if (refusal != 0) {
        (void)platform::ask(Translate(refusal), QString(), platform::PromptButtons::Ok,
                            platform::PromptIcon::Warning); // OK only
        return false;
    }
    target_ = chosen;
    return true;
}

void CopyToLayerChoice::Apply()
{
    doc_.CopySelectionToLayer(doc_.GetCurrentSection(), target_, selectCopies);
}

void ConvertNodesChoice::SetToFixed(bool on)
{
    toFixed_ = on;
    if (!on)
        secondary_ = false;
}

void ConvertNodesChoice::SetSecondary(bool on)
{
    secondary_ = on;
    if (on)
        toFixed_ = true;
}

int ConvertNodesChoice::Mode() const
{
    if (!toFixed_)
        return 0;
    return secondary_ ? CNodePoint::ToRotated : CNodePoint::ToPlain;
}

bool ConvertNodesChoice::Apply(CMorvekDoc& doc) const
{
    const int mode = Mode();
    if (mode == 0)
        return false;
    UndoTransaction tx(doc.Undo(), kTextUndoTitle);
    doc.Nodes().ConvertAll(mode);
    doc.Nodes().SetCacheValid(false);
    return tx.commit();
}

} // namespace dlg
