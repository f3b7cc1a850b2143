#include "command/SelectionBridges.h"

#include "document/MorvekDoc.h"
#include "element/Element.h"
#include "options/Options.h"
#include "section/Section.h"

namespace selectionbridges {

int SetBridgeWidth(CMorvekDoc& doc, const COptions* options, double width)
{
    Section* section = doc.GetCurrentSection();
    if (!section)
        return 0;
    int changed = 0;
    for (CElement* e : *section) {
        if (!e->IsSelected())
            continue;
        const int count = e->GetBridgeMode() == 2 && options
                              ? options->GetAutoLengthNumBridges(e->GetFullLength(), e->GetTypeId()).count
                              : e->GetAutoCount();
        e->SetAutoBridges(count, width);
        ++changed;
    }
    return changed;
}

} // namespace selectionbridges
