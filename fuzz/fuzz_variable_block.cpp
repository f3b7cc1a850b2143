// The variable block of a drawing file: read, evaluate, save, read again.
// The saved block must read back to the same variables and save to the same
// bytes; importing the block into a table with variables must not fail where
// loading did not.
#include "common/FuzzSupport.h"

#include "formula/FormulaTable.h"
#include "formula/FormulaVariable.h"
#include "formula/VariableList.h"
#include "platform/BinaryStream.h"

namespace {

QString Describe(const FormulaTable& t)
{
    QString out;
    for (int i = 0; i < t.GetCount(); ++i)
        out += QStringLiteral("%1 = %2 // %3 (%4, %5)\n")
                   .arg(t.GetName(i), t.GetFormula(i), t.GetDescription(i))
                   .arg(t.GetCategory(i))
                   .arg(t.IsDeletable(i));
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(data, static_cast<qsizetype>(size));
    platform::BinaryReader in(bytes);
    FormulaTable table;
    if (!table.Load(in)) {
        fuzz::Check(!in.ok() && table.GetCount() == 0, "a damaged block added variables");
        return 0;
    }
    for (int i = 0; i < table.GetCount(); ++i)
        (void)table.GetValue(i);

    platform::BinaryWriter out;
    fuzz::Check(table.Save(out), "cannot save the variable block");
    platform::BinaryReader back(out.data());
    FormulaTable again;
    fuzz::Check(again.Load(back) && back.atEnd(), "the saved block does not read back", back.error());
    fuzz::Check(Describe(table) == Describe(again), "the saved block reads back to other variables",
                QStringLiteral("before:\n") + Describe(table) + QStringLiteral("after:\n") + Describe(again));
    platform::BinaryWriter out2;
    fuzz::Check(again.Save(out2) && out2.data() == out.data(), "saving again gives other bytes");
    for (int i = 0; i < table.GetCount(); ++i) {
        const double a = table.GetValue(i);
        const double b = again.GetValue(i);
        fuzz::Check(a == b && table.VariableAt(i)->error == again.VariableAt(i)->error,
                    "a variable has another value after saving", table.GetName(i));
    }

    for (const int mode : {FormulaTable::MergeOverwrite, FormulaTable::MergeRename}) {
        FormulaTable merged;
        (void)merged.AddDefaultVariables();
        platform::BinaryReader importIn(bytes);
        VariableList renames;
        fuzz::Check(merged.Import(importIn, QStringLiteral("p_"), mode, renames, nullptr),
                    "a block that loads does not import");
        for (int i = 0; i < merged.GetCount(); ++i)
            (void)merged.GetValue(i);
    }
    return 0;
}
