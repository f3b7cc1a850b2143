#include "section/UndoManager.h"

#include "element/Element.h"
#include "element/NodePoint.h"
#include "element/NodeTable.h"
#include "formula/FormulaTable.h"
#include "section/Section.h"
#include "support/Log.h"

#include <algorithm>

CUndoManager::CUndoManager(NodeTable* nodes, FormulaTable* variables) : nodes_(nodes), variables_(variables)
{
    Log::TheLog().Write("CUndoManager::CUndoManager(CSection ...)", Log::Undo);
    if (nodes_)
        nodes_->SetUndoManager(this);
}

CUndoManager::~CUndoManager()
{
    for (Section* section : sections_)
        section->undo_ = nullptr;
    if (nodes_ && nodes_->GetUndoManager() == this)
        nodes_->SetUndoManager(nullptr);
}

// --- steps ---------------------------------------------------------------------

void CUndoManager::Open(int title, Section* section)
{
    Log::TheLog().Trace(Log::Undo);
    Close();
    if (undo_.size() >= static_cast<std::size_t>(MaxSteps)) {
        stashedOldest_ = std::move(undo_.front());
        undo_.pop_front();
    }
    stashedRedo_ = std::move(redo_);
    redo_.clear();
    undo_.push_back(UndoStep{title, section, {}});
    open_ = true;
    ++openSerial_;
    lastTitle_ = title;
    lastSection_ = section;
}

void CUndoManager::Close()
{
    Log::TheLog().Trace(Log::Undo);
    if (open_ && undo_.back().items.empty())
        undo_.pop_back();
    open_ = false;
    DropStash();
}

bool CUndoManager::Commit()
{
    const bool changed = open_ && !undo_.back().items.empty();
    Close();
    if (changed && commitListener_)
        commitListener_();
    return changed;
}

void CUndoManager::RollBack()
{
    Log::TheLog().Trace(Log::Undo);
    if (!open_)
        return;
    open_ = false;
    UndoStep step = std::move(undo_.back());
    undo_.pop_back();
    // The inverse holds the objects the step had put in: they go with it.
    if (!step.items.empty())
        (void)Execute(step); // the inverse is not kept: the step never happened
    redo_ = std::move(stashedRedo_);
    stashedRedo_.clear();
    if (stashedOldest_) {
        undo_.push_front(std::move(*stashedOldest_));
        stashedOldest_.reset();
    }
}

void CUndoManager::DropStash()
{
    stashedRedo_.clear();
    stashedOldest_.reset();
}

void CUndoManager::ReOpen()
{
    Open(lastTitle_, lastSection_);
}

// --- recording -----------------------------------------------------------------

void CUndoManager::Add(UndoItem item)
{
    if (open_)
        undo_.back().items.push_back(std::move(item));
    // Otherwise the item goes here with what it owns: the change stays
    // without undo.
}

void CUndoManager::AddNodeItem(std::unique_ptr<CNodePoint> old, CNodePoint* now, int index, Operation op)
{
    Add(UndoItem::ForNode(std::move(old), now, index, op));
}

void CUndoManager::AddElementItem(std::unique_ptr<CElement> old, CElement* now, int index, Operation op,
                                  Section* section)
{
    Add(UndoItem::ForElement(std::move(old), now, index, op, section));
}

void CUndoManager::AddVariableItem(std::unique_ptr<VarBackup> old, std::unique_ptr<VarBackup> now, Operation op)
{
    Add(UndoItem::ForVariable(std::move(old), std::move(now), op));
}

std::unique_ptr<VarBackup> CUndoManager::CreateVarBackup(const QString& name, const QString& formula,
                                                         const QString& description, int category, bool deletable)
{
    return std::make_unique<VarBackup>(VarBackup{name, formula, description, category, deletable});
}

// --- applying ------------------------------------------------------------------

void CUndoManager::Undo()
{
    Log::TheLog().Trace(Log::Undo);
    Apply(undo_, redo_);
}

void CUndoManager::Redo()
{
    Log::TheLog().Trace(Log::Undo);
    Apply(redo_, undo_);
}

void CUndoManager::Apply(std::deque<UndoStep>& from, std::deque<UndoStep>& to)
{
    // An open step may be the one about to be applied: it is finished first,
    // so nothing goes on recording into a step that has been applied.
    Close();
    if (from.empty())
        return;
    UndoStep step = std::move(from.back());
    from.pop_back();
    to.push_back(Execute(step));
}

void CUndoManager::Reset()
{
    Log::TheLog().Trace(Log::Undo);
    undo_.clear();
    redo_.clear();
    open_ = false;
    DropStash();
}

UndoStep CUndoManager::Execute(UndoStep& step)
{
    UndoStep inverse{step.title, step.section, {}};
    inverse.items.reserve(step.items.size());
    for (auto item = step.items.rbegin(); item != step.items.rend(); ++item) {
        switch (item->kind) {
        case UndoItem::Node: inverse.items.push_back(ExecuteNode(*item)); break;
        case UndoItem::Element: inverse.items.push_back(ExecuteElement(*item, step.section)); break;
        case UndoItem::Variable: inverse.items.push_back(ExecuteVariable(*item)); break;
        default: break; // texts change nothing
        }
    }
    Reattach();
    return inverse;
}

UndoItem CUndoManager::ExecuteNode(UndoItem& item)
{
    Q_ASSERT(nodes_);
    if (!nodes_)
        return {};
    // The slot gets the old side back (nothing for an added node); what sat
    // there becomes the old side of the inverse.
    CNodePoint* put = item.oldNode.get();
    std::unique_ptr<CNodePoint> displaced = nodes_->ExchangeSlot(item.index, std::move(item.oldNode));
    return UndoItem::ForNode(std::move(displaced), put, item.index, UndoItem::Inverse(item.operation));
}

UndoItem CUndoManager::ExecuteElement(UndoItem& item, Section* stepSection)
{
    Section* target = item.section ? item.section : stepSection;
    Q_ASSERT(target);
    if (!target)
        return {};
    CElement* put = item.oldElement.get();
    std::unique_ptr<CElement> displaced = target->ExchangeSlot(item.index, std::move(item.oldElement));
    return UndoItem::ForElement(std::move(displaced), put, item.index, UndoItem::Inverse(item.operation),
                                item.section);
}

UndoItem CUndoManager::ExecuteVariable(UndoItem& item)
{
    if (variables_) {
        // A failure leaves the table as it is; the step is applied all the
        // same, as the variable's state is what the backups say.
        switch (item.operation) {
        case UndoItem::Removed:
            if (item.oldVariable) {
                const VarBackup& v = *item.oldVariable;
                (void)variables_->AddVariable(v.name, v.formula, v.description, v.category, v.deletable,
                                              FormulaTable::NameOrigin::Stored);
            }
            break;
        case UndoItem::Added:
            if (item.newVariable)
                (void)variables_->DeleteVariable(item.newVariable->name, true);
            break;
        case UndoItem::Replaced:
            if (item.oldVariable && item.newVariable && item.oldVariable->name != item.newVariable->name) {
                RenameVariable(item.newVariable->name, item.oldVariable->name);
            } else if (item.oldVariable) {
                const VarBackup& v = *item.oldVariable;
                (void)variables_->SetFormula(v.name, v.formula, v.description);
            }
            break;
        }
    }
    return UndoItem::ForVariable(std::move(item.newVariable), std::move(item.oldVariable),
                                 UndoItem::Inverse(item.operation));
}

void CUndoManager::RenameVariable(const QString& from, const QString& to)
{
    // A renamed variable goes back under its name, and so do the node and
    // variable formulas that the rename changed.
    if (!variables_->RenameVariable(variables_->FindIndex(from), to, FormulaTable::NameOrigin::Stored))
        return;
    if (nodes_ && nodes_->GetEvaluator() == variables_)
        nodes_->RenameVariable(from, to);
}

void CUndoManager::Reattach()
{
    if (nodes_) {
        for (int i = 0; i < nodes_->GetCount(); ++i) {
            CNodePoint* node = nodes_->GetNode(i);
            if (node && node->IsInUse())
                node->ClearDependants();
        }
    }
    for (Section* section : sections_) {
        for (CElement* element : *section)
            element->ReattachNodes();
    }
}

// --- sections --------------------------------------------------------------------

void CUndoManager::RegisterSection(Section* section)
{
    sections_.push_back(section);
}

void CUndoManager::UnregisterSection(Section* section)
{
    sections_.erase(std::remove(sections_.begin(), sections_.end(), section), sections_.end());
    if (open_ && undo_.back().RefersTo(section))
        open_ = false;
    // A rollback after this puts back nothing that could touch the section.
    DropStash();
    DropStepsOf(undo_, section);
    DropStepsOf(redo_, section);
    if (lastSection_ == section)
        lastSection_ = nullptr;
    for (UndoStep& step : undo_) {
        if (step.section == section)
            step.section = nullptr;
    }
    for (UndoStep& step : redo_) {
        if (step.section == section)
            step.section = nullptr;
    }
}

void CUndoManager::DropStepsOf(std::deque<UndoStep>& stack, const Section* section)
{
    // The top of a stack is applied first: a step can only be applied after
    // every step above it, so the steps below the last one that refers to
    // the section cannot be applied either.
    for (std::size_t i = stack.size(); i-- > 0;) {
        if (stack[i].RefersTo(section)) {
            stack.erase(stack.begin(), stack.begin() + static_cast<std::ptrdiff_t>(i + 1));
            return;
        }
    }
}
