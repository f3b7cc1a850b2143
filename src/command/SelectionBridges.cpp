#include "command/SelectionBridges.h"

#include "document/MorvekDoc.h"
#include "element/Element.h"
#include "options/Options.h"
#include "platform/CFormat.h"
#include "section/Section.h"
#include "section/UndoTransaction.h"

#include <cmath>

namespace selectionbridges {

std::optional<double> ReadBridgeWidth(QStringView typed)
{
    double width = 0.0;
    const qsizetype length = platform::readLeadingDouble(typed, width);
    if (length == 0 || !std::isfinite(width) || width <= 0.0)
        return std::nullopt;
    for (const QChar c : typed.mid(length))
        if (!platform::isCSpace(c))
            return std::nullopt;
    return width;
}

int SetBridgeWidth(CMorvekDoc& doc, const COptions* options, double width)
{
    Section* section = doc.GetCurrentSection();
    if (!section)
        return 0;
    UndoTransaction tx(doc.Undo(), kTextUndoTitle, section);
    int changed = 0;
    for (int slot = 0; slot < section->GetSlotsInUse(); ++slot) {
        CElement* e = section->GetElement(slot);
        if (!e || !e->IsSelected())
            continue;
        std::unique_ptr<CElement> copy = Section::CreateElement(*e);
        if (!copy)
            continue;
        const int count = e->GetBridgeMode() == 2 && options
                              ? options->GetAutoLengthNumBridges(e->GetFullLength(), e->GetTypeId()).count
                              : e->GetAutoCount();
        // The element as it was stays in the undo step.
        section->ReplaceElement(slot, std::move(copy))->SetAutoBridges(count, width);
        ++changed;
    }
    (void)tx.commit(); // a step without a change is dropped and marks nothing
    return changed;
}

} // namespace selectionbridges
