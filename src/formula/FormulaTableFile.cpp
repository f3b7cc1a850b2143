// The variable block of the drawing file: an int32 count, then per variable
// its name, formula and description (each an int32 byte count and UTF-16LE
// text), an int32 category and an int32 deletable flag (1 or 0).
#include "formula/FormulaTable.h"

#include "formula/FormulaError.h"
#include "formula/FormulaVariable.h"
#include "formula/SpecStandardComponent.h"
#include "formula/VariableList.h"
#include "platform/BinaryStream.h"
#include "platform/CFormat.h"

#include <algorithm>

namespace {

// Three empty strings and two int32 values.
constexpr qsizetype kMinRecordBytes = 20;
// No drawing holds more; a larger count marks a damaged block.
constexpr int32_t kMaxBlockVariables = 65535;

} // namespace

struct FormulaTable::VariableRecord {
    QString name;
    QString formula;
    QString description;
    int32_t category = 0;
    bool deletable = false;
};

bool FormulaTable::Save(platform::BinaryWriter& out, int n) const
{
    auto write = [&out](const FormulaVariable& v) {
        out.writeWString(v.Name());
        out.writeWString(v.Formula());
        out.writeWString(v.description);
        out.writeInt32(v.category);
        out.writeInt32(v.deletable ? 1 : 0);
    };
    if (n == -1) {
        out.writeInt32(GetCount());
        for (const auto& v : variables_)
            write(*v);
        return true;
    }
    const FormulaVariable* v = VariableAt(n);
    if (v == nullptr)
        return false;
    write(*v);
    return true;
}

bool FormulaTable::ReadBlock(platform::BinaryReader& in, std::vector<VariableRecord>& records)
{
    const int32_t count = in.readCount(kMinRecordBytes, kMaxBlockVariables);
    if (!in.ok())
        return false;
    records.reserve(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        VariableRecord r;
        r.name = in.readWString();
        r.formula = in.readWString();
        r.description = in.readWString();
        r.category = in.readInt32();
        r.deletable = in.readInt32() != 0;
        if (!in.ok())
            return false;
        records.push_back(std::move(r));
    }
    return true;
}

bool FormulaTable::SkipBlock(platform::BinaryReader& in)
{
    std::vector<VariableRecord> records;
    return ReadBlock(in, records);
}

// The variables are parsed as they arrive and evaluated on demand; only the
// last one is evaluated here, for lastError.
bool FormulaTable::Load(platform::BinaryReader& in)
{
    std::vector<VariableRecord> records;
    if (!ReadBlock(in, records))
        return false;
    FormulaVariable* last = nullptr;
    for (const VariableRecord& r : records) {
        if (Exists(r.name)) {
            lastError_ = FormulaError::NameExists; // the first record of a name wins
            last = nullptr;
            continue;
        }
        last = AppendVariable(r.name, r.formula, r.description, r.category, r.deletable);
    }
    if (last != nullptr)
        Refresh(*last);
    return true;
}

bool FormulaTable::Import(platform::BinaryReader& in, const QString& prefix, int mode,
                          VariableList& renames, const SpecStandardComponent* component)
{
    std::vector<VariableRecord> records;
    if (!ReadBlock(in, records))
        return false;
    // The box dimensions and constants of the merged drawing never replace
    // the current ones.
    std::erase_if(records, [](const VariableRecord& r) { return r.category < 2; });
    if (component != nullptr) {
        for (VariableRecord& r : records) {
            if (const QString* expression = component->FindOverride(r.name))
                r.formula = *expression;
        }
    }
    FormulaVariable* last = nullptr;
    if (mode == MergeOverwrite) {
        last = MergeOverwriting(records);
    } else if (mode == MergeRename) {
        QHash<QString, int> nextSuffix; // per base name, the first "_k" not yet tried
        for (const VariableRecord& r : records) {
            QString name = r.name;
            if (Exists(name)) {
                const QString base = prefix + r.name;
                int k = nextSuffix.value(base, 1);
                name = base;
                while (Exists(name))
                    name = base + platform::cformat("_%d", k++);
                nextSuffix.insert(base, k);
            }
            renames.Add(r.name, name);
            last = AppendVariable(name, r.formula, r.description, r.category, r.deletable);
        }
        // The merged formulas follow the names their variables were given.
        for (int i = 0; i < renames.Count(); ++i) {
            FormulaVariable* v = FindFirst(renames.Value(i));
            if (v == nullptr) {
                lastError_ = FormulaError::NoSuchVariable;
                last = nullptr;
                continue;
            }
            const QString rewritten = renames.Substitute(v->Formula());
            last = Reparse(*v, rewritten, v->description) ? v : nullptr;
        }
    }
    if (last != nullptr)
        Refresh(*last);
    return true;
}

// Each record replaces, with force, the first variable of its name and is
// appended; so per name, the table's variables of that name go first in list
// order, then the records merged before. Done in one pass: of a name with k
// records and m variables, the first min(k, m) variables go, and of the
// records only the last max(m, 1) stay.
FormulaVariable* FormulaTable::MergeOverwriting(const std::vector<VariableRecord>& records)
{
    QHash<QString, int> recordCount;
    for (const VariableRecord& r : records)
        ++recordCount[r.name];
    QHash<QString, int> tableCount;
    for (const auto& v : variables_) {
        if (recordCount.contains(v->Name()))
            ++tableCount[v->Name()];
    }
    QHash<QString, int> removedCount;
    std::erase_if(variables_, [&](const std::unique_ptr<FormulaVariable>& v) {
        const auto k = recordCount.constFind(v->Name());
        if (k == recordCount.constEnd())
            return false;
        int& removed = removedCount[v->Name()];
        if (removed >= k.value())
            return false;
        ++removed;
        Unregister(*v);
        ReleaseMemo(*v);
        return true;
    });
    RebuildNameIndex();
    NextNamesGeneration();
    // Every name of a record gets a variable appended below, which marks
    // the users of the name stale.
    FormulaVariable* last = nullptr;
    QHash<QString, int> seen;
    for (const VariableRecord& r : records) {
        const int stays = std::max(tableCount.value(r.name), 1);
        if (++seen[r.name] <= recordCount.value(r.name) - stays)
            continue; // a later record of its name replaces it
        lastError_ = 0;
        last = AppendVariable(r.name, r.formula, r.description, r.category, r.deletable);
    }
    return last;
}
