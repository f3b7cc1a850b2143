#include "section/SectionEditStep.h"

#include "section/Section.h"
#include "section/UndoManager.h"

SectionEditStep::SectionEditStep(Section& section, int title, Compound compound) : section_(section)
{
    CUndoManager* undo = section_.GetUndoManager();
    if (undo == nullptr || (compound == Compound::Honour && section_.IsCompoundOperation()))
        return;
    undo->Open(title, &section_);
    opened_ = true;
}

SectionEditStep::~SectionEditStep()
{
    if (opened_)
        section_.GetUndoManager()->Close();
}
