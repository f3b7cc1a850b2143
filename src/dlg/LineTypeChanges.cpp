#include "dlg/LineTypeChanges.h"

#include "document/MorvekDoc.h"
#include "element/Element.h"
#include "section/Section.h"

#include <utility>

namespace dlg {

LineTypeChanges::LineTypeChanges(const LinetypeTable& table, std::set<int> usedIds)
    : table_(table), usedIds_(std::move(usedIds))
{
}

std::set<int> LineTypeChanges::UsedBy(const std::vector<const CMorvekDoc*>& documents)
{
    std::set<int> used;
    for (const CMorvekDoc* doc : documents) {
        for (int n = 0; n < doc->GetSectionCount(); ++n) {
            if (const Section* section = doc->GetSection(n))
                for (const CElement* element : *section) {
                    // Its own line type too: a display list not built yet
                    // names none.
                    used.insert(element->GetLineType());
                    element->CollectLineTypes(used);
                }
        }
    }
    return used;
}

std::map<int, Linetype> LineTypeChanges::Merged() const
{
    std::map<int, Linetype> merged;
    for (auto it = table_.LinetypesBegin(); it != table_.LinetypesEnd(); ++it)
        merged.emplace(it->first, it->second);
    for (const auto& [id, change] : changes_) {
        if (change.present)
            merged.insert_or_assign(id, change.record);
        else
            merged.erase(id);
    }
    return merged;
}

std::vector<LineTypeChanges::Row> LineTypeChanges::Rows() const
{
    std::vector<Row> rows;
    for (const auto& [id, record] : Merged())
        rows.push_back({id, record.name, LinetypeTable::ToText(record.kind, 0)});
    return rows;
}

std::set<int> LineTypeChanges::TakenIds() const
{
    std::set<int> taken;
    for (const auto& [id, record] : Merged())
        taken.insert(id);
    for (auto it = table_.SymbolicNamesBegin(); it != table_.SymbolicNamesEnd(); ++it)
        taken.insert(it->first);
    return taken;
}

std::map<int, QString> LineTypeChanges::Names(int mask) const
{
    std::map<int, QString> names;
    for (const auto& [id, record] : Merged())
        if ((record.kind & mask) == 0)
            names.emplace(id, record.name);
    return names;
}

bool LineTypeChanges::IsSpecial(int id) const
{
    for (auto it = table_.SymbolicNamesBegin(); it != table_.SymbolicNamesEnd(); ++it)
        if (it->first == id)
            return true;
    return false;
}

LineTypeChanges::Use LineTypeChanges::InUse(int id) const
{
    if (usedIds_.count(id) != 0)
        return Use::UsedByElement;
    for (const auto& [other, record] : Merged()) {
        const bool patterned = record.kind == LinetypeKind::Wave || record.kind == LinetypeKind::Tear
                               || record.kind == LinetypeKind::Mixed;
        if ((patterned && record.subtype1 == id) || (record.kind == LinetypeKind::Mixed && record.subtype2 == id))
            return Use::Referenced;
    }
    return Use::Free;
}

Linetype LineTypeChanges::NewRecord(platform::ColorRef background)
{
    Linetype record;
    record.kind = LinetypeKind::Standard;
    record.style = LinetypeStyle::Solid;
    record.width = 1;
    record.colour = platform::rgb(255 - platform::redOf(background), 255 - platform::greenOf(background),
                                  255 - platform::blueOf(background));
    return record;
}

std::optional<Linetype> LineTypeChanges::RecordOf(int id) const
{
    if (const auto change = changes_.find(id); change != changes_.end()) {
        if (!change->second.present)
            return std::nullopt;
        return change->second.record;
    }
    if (const Linetype* record = table_.Find(id))
        return *record;
    return std::nullopt;
}

void LineTypeChanges::Store(int id, const Linetype& record, std::optional<int> oldId)
{
    Linetype stored = record;
    stored.normalPen.reset();
    stored.selectedPen.reset();
    stored.highlightPen.reset();
    stored.bothPen.reset();
    changes_.insert_or_assign(id, Change{true, stored});
    if (oldId && *oldId != id)
        MarkDeleted(*oldId);
}

LineTypeChanges::DeleteCheck LineTypeChanges::CheckDelete(int id) const
{
    if (IsSpecial(id))
        return DeleteCheck::Nothing;
    switch (InUse(id)) {
    case Use::UsedByElement:
        return DeleteCheck::UsedByElement;
    case Use::Referenced:
        return DeleteCheck::Referenced;
    case Use::Free:
        break;
    }
    return DeleteCheck::Allowed;
}

void LineTypeChanges::MarkDeleted(int id)
{
    changes_.insert_or_assign(id, Change{false, Linetype{}});
}

bool LineTypeChanges::Apply(LinetypeTable& table, const QString& folder) const
{
    for (const auto& [id, change] : changes_) {
        if (!change.present) {
            table.Remove(id);
            continue;
        }
        const Linetype& r = change.record;
        table.AddLinetype(id, r.style, r.width, r.colour);
        table.SetCurrentName(r.name);
        table.SetCurrentTypeAndSubtypes(r.kind, r.subtype1, r.subtype2);
        table.SetCurrentData(r.data1, r.data2, r.data3);
    }
    const bool saved = table.Save(folder);
    table.CreatePens();
    return saved;
}

} // namespace dlg
