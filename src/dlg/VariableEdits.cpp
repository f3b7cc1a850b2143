#include "dlg/VariableEdits.h"

#include "document/MorvekDoc.h"
#include "element/NodeTable.h"
#include "formula/FormulaError.h"
#include "formula/FormulaTable.h"
#include "options/LanguageTable.h"
#include "platform/CFormat.h"
#include "platform/Prompt.h"
#include "section/UndoManager.h"

#include <algorithm>

namespace dlg {

VariableEdits::VariableEdits(CMorvekDoc& doc, int undoTitle) : doc_(doc), tx_(doc.Undo(), undoTitle) {}

std::vector<VariableEdits::Row> VariableEdits::Rows(bool usedOnly, bool checkUsed)
{
    FormulaTable& table = doc_.Variables();
    if (checkUsed || usedOnly)
        doc_.Nodes().MarkUsedVariables();
    std::vector<int> indices;
    for (int i = 0; i < table.GetCount(); ++i)
        if (!usedOnly || table.IsUsed(i))
            indices.push_back(i);
    std::stable_sort(indices.begin(), indices.end(),
                     [&table](int a, int b) { return table.GetName(a) < table.GetName(b); });
    std::vector<Row> rows;
    for (int i : indices)
        rows.push_back({table.GetName(i), platform::cformat("%f", table.GetValue(i)),
                        Translate(table.IsValid(i) ? kTextValid : kTextInvalid)});
    return rows;
}

QString VariableEdits::Definition(const QString& name, bool checkUsed)
{
    QString second;
    if (checkUsed) {
        doc_.Nodes().MarkUsedVariables();
        second = Translate(doc_.Nodes().IsVariableUsedByName(name) ? kTextUsed : kTextNotUsed);
    }
    return Formula(name) + u'\n' + second;
}

bool VariableEdits::IsModifiable(const QString& name) const
{
    const int i = doc_.Variables().FindIndex(name);
    return i >= 0 && doc_.Variables().GetCategory(i) != kCategoryConstant;
}

FormulaTable* VariableEdits::Table() const
{
    return &doc_.Variables();
}

QString VariableEdits::Formula(const QString& name) const
{
    return doc_.Variables().GetFormula(doc_.Variables().FindIndex(name));
}

QString VariableEdits::Description(const QString& name) const
{
    return doc_.Variables().GetDescription(doc_.Variables().FindIndex(name));
}

void VariableEdits::ShowError(int textId, int error) const
{
    (void)platform::ask(Translate(textId).arg(error), QString(), platform::PromptButtons::Ok,
                        platform::PromptIcon::Warning);
}

VariableEdits::Outcome VariableEdits::Add(const QString& name, const QString& formula, const QString& description)
{
    FormulaTable& table = doc_.Variables();
    if (!table.AddVariable(name, formula, description, kCategoryUser, true)) {
        ShowError(kTextRefused, table.LastError());
        return Outcome::Refused;
    }
    const int error = table.LastError();
    doc_.Undo().AddVariableItem(nullptr, CUndoManager::CreateVarBackup(name, formula, description, kCategoryUser, true),
                                UndoItem::Added);
    changed_ = true;
    if (error != 0)
        ShowError(kTextNotEvaluated, error);
    return Outcome::Changed;
}

VariableEdits::Outcome VariableEdits::Modify(const QString& name, const QString& formula,
                                             const QString& description)
{
    FormulaTable& table = doc_.Variables();
    const int i = table.FindIndex(name);
    if (i < 0 || table.GetCategory(i) == kCategoryConstant)
        return Outcome::Unchanged;
    auto old = CUndoManager::CreateVarBackup(name, table.GetFormula(i), table.GetDescription(i), table.GetCategory(i),
                                             table.IsDeletable(i));
    const bool parsed = table.SetFormula(name, formula, description);
    int error = table.LastError();
    const bool circular = parsed && table.HasCircularReference(name);
    if (!parsed || circular) {
        // Refused: the variable keeps what it had.
        if (circular)
            error = FormulaError::Circular;
        (void)table.SetFormula(name, old->formula, old->description);
        ShowError(kTextRefused, error);
        return Outcome::Refused;
    }
    doc_.Undo().AddVariableItem(std::move(old),
                                CUndoManager::CreateVarBackup(name, formula, description, table.GetCategory(i),
                                                              table.IsDeletable(i)),
                                UndoItem::Replaced);
    changed_ = true;
    if (error != 0)
        ShowError(kTextNotEvaluated, error);
    return Outcome::Changed;
}

VariableEdits::Outcome VariableEdits::Delete(const QString& name)
{
    FormulaTable& table = doc_.Variables();
    const int i = table.FindIndex(name);
    if (i < 0 || !table.IsDeletable(i)) {
        (void)platform::ask(Translate(kTextProtected), QString(), platform::PromptButtons::Ok,
                            platform::PromptIcon::Warning);
        return Outcome::Protected;
    }
    doc_.Nodes().MarkUsedVariables();
    if (doc_.Nodes().IsVariableUsedByName(name)
        && platform::ask(Translate(kTextDeleteUsed).arg(name), QString(), platform::PromptButtons::YesNo,
                         platform::PromptIcon::Question)
               != platform::PromptResult::Yes)
        return Outcome::Unchanged;
    auto old = CUndoManager::CreateVarBackup(name, table.GetFormula(i), table.GetDescription(i), table.GetCategory(i),
                                             table.IsDeletable(i));
    if (!table.DeleteVariable(name, false))
        return Outcome::Protected; // checked above
    doc_.Undo().AddVariableItem(std::move(old), nullptr, UndoItem::Removed);
    changed_ = true;
    return Outcome::Changed;
}

VariableEdits::Outcome VariableEdits::Rename(const QString& oldName, const QString& newName)
{
    FormulaTable& table = doc_.Variables();
    const int i = table.FindIndex(oldName);
    if (i < 0 || !table.IsDeletable(i)) {
        (void)platform::ask(Translate(kTextProtected), QString(), platform::PromptButtons::Ok,
                            platform::PromptIcon::Warning);
        return Outcome::Protected;
    }
    if (newName == oldName)
        return Outcome::Unchanged;
    // Two variables of one name would make every lookup ambiguous, and an
    // empty name cannot be written in a formula.
    if (newName.trimmed().isEmpty() || table.Exists(newName)) {
        ShowError(kTextRefused, FormulaError::NameExists);
        return Outcome::Refused;
    }
    if (!table.RenameVariable(i, newName)) {
        ShowError(kTextRefused, table.LastError());
        return Outcome::Refused;
    }
    doc_.Nodes().RenameVariable(oldName, newName);
    // One item whose sides carry the two names: undo renames back.
    doc_.Undo().AddVariableItem(CUndoManager::CreateVarBackup(oldName, table.GetFormula(i), table.GetDescription(i),
                                                              table.GetCategory(i), table.IsDeletable(i)),
                                CUndoManager::CreateVarBackup(newName, table.GetFormula(i), table.GetDescription(i),
                                                              table.GetCategory(i), table.IsDeletable(i)),
                                UndoItem::Replaced);
    changed_ = true;
    return Outcome::Changed;
}

void VariableEdits::Finish()
{
    if (finished_)
        return;
    finished_ = true;
    doc_.Nodes().SetCacheValid(false);
    if (changed_)
        doc_.UpdateAllElements();
    doc_.RefreshAllBridges();
    tx_.commit();
}

} // namespace dlg
