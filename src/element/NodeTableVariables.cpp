// Which variables the nodes' formulas use, and renaming a variable in them.
#include "element/NodeTable.h"

#include "formula/FormulaTable.h"
#include "formula/VariableList.h"

#include <QSet>
#include <QStringView>

namespace {

void CollectWords(const QString& text, QSet<QString>& words)
{
    VariableList::ForEachWord(text, [&](QStringView w) { words.insert(w.toString()); });
}

bool NamesWord(const QString& text, const QString& name)
{
    bool found = false;
    VariableList::ForEachWord(text, [&](QStringView w) { found = found || w == name; });
    return found;
}

} // namespace

void NodeTable::MarkUsedVariables()
{
    if (evaluator == nullptr)
        return;
    // The words of every node formula, gathered once: a variable is used
    // when its name is one of them (the whole-word test of VariableList).
    QSet<QString> words;
    for (const auto& slot : slotNodes) {
        if (!slot || !slot->IsInUse())
            continue;
        for (const QString* f : {&slot->dxFormula, &slot->dyFormula, &slot->angleFormula, &slot->distanceFormula})
            CollectWords(*f, words);
    }
    const int count = evaluator->GetCount();
    std::vector<bool> used(static_cast<size_t>(count));
    for (int v = 0; v < count; ++v) {
        used[static_cast<size_t>(v)] = words.contains(evaluator->GetName(v));
        evaluator->SetUsed(v, used[static_cast<size_t>(v)]);
    }
    // Then the variables that used ones name, until nothing changes.
    for (bool changed = true; changed;) {
        changed = false;
        for (int u = 0; u < count; ++u) {
            if (used[static_cast<size_t>(u)])
                continue;
            const QString name = evaluator->GetName(u);
            for (int w = 0; w < count; ++w) {
                if (used[static_cast<size_t>(w)] && NamesWord(evaluator->GetFormula(w), name)) {
                    used[static_cast<size_t>(u)] = true;
                    evaluator->SetUsed(u, true);
                    changed = true;
                    break;
                }
            }
        }
    }
}

bool NodeTable::IsVariableUsed(int i) const
{
    return evaluator != nullptr && evaluator->IsUsed(i);
}

bool NodeTable::IsVariableUsedByName(const QString& name) const
{
    if (evaluator == nullptr)
        return false;
    const int i = evaluator->FindIndex(name);
    return i >= 0 && evaluator->IsUsed(i);
}

void NodeTable::RenameVariable(const QString& oldName, const QString& newName)
{
    VariableList renames;
    renames.Add(oldName, newName);
    for (auto& slot : slotNodes) {
        if (!slot || !slot->IsInUse())
            continue;
        for (QString* f : {&slot->dxFormula, &slot->dyFormula, &slot->angleFormula, &slot->distanceFormula})
            *f = renames.Substitute(*f);
    }
    ++generation;
    if (evaluator == nullptr)
        return;
    for (int v = 0; v < evaluator->GetCount(); ++v) {
        const QString renamed = renames.Substitute(evaluator->GetFormula(v));
        if (renames.Found())
            evaluator->SetFormulaAt(v, renamed);
    }
}
