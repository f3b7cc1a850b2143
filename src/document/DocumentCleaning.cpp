#include "document/MorvekDoc.h"

#include "section/Section.h"
#include "section/UndoTransaction.h"

void CMorvekDoc::ClearCommonLines(CommonLines what)
{
    for (int i = 0; i < GetSectionCount(); ++i) {
        Section* section = GetSection(i);
        if (!section)
            continue;
        UndoTransaction tx(undo_.get(), kTextClearCommonLines, section);
        if (what != CommonLines::Block)
            section->clean_instances();
        if (what != CommonLines::Layout)
            section->DoClearCommonElements();
        (void)tx.commit(); // an empty step is dropped and marks nothing
    }
}
