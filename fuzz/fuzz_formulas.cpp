// Formulas: one variable per "name=formula" line (other lines are evaluated
// as formulas of their own), over the default variables. Every value is
// finite or carries an error, and a value does not depend on the order of
// evaluation or on what the table remembered: a second table built the
// same way and evaluated backwards gives the same values and errors.
#include "common/FuzzSupport.h"

#include "formula/FormulaParser.h"
#include "formula/FormulaTable.h"
#include "formula/FormulaVariable.h"

#include <cmath>

namespace {

void Build(FormulaTable& table, const std::vector<QString>& lines, std::vector<QString>& formulas)
{
    (void)table.AddDefaultVariables();
    for (const QString& line : lines) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 1 || line.at(eq - 1) == u'<' || line.at(eq - 1) == u'>' || line.at(eq - 1) == u'!') {
            formulas.push_back(line);
            continue;
        }
        (void)table.AddVariable(line.left(eq).trimmed(), line.mid(eq + 1), QString(), 2, true);
    }
}

struct Outcome {
    double value;
    int error;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::vector<QString> lines = fuzz::Lines(text);
    if (lines.size() > 64)
        return 0;

    FormulaTable table;
    std::vector<QString> formulas;
    Build(table, lines, formulas);
    for (const QString& formula : formulas)
        (void)ParseFormula(formula, table.Functions());

    std::vector<Outcome> forward;
    for (int i = 0; i < table.GetCount(); ++i) {
        const double v = table.GetValue(i);
        const int error = table.VariableAt(i)->error;
        fuzz::Check(error != 0 ? v == 0.0 : std::isfinite(v), "a value is not finite, or an error has a value",
                    table.GetName(i) + QStringLiteral(" = ") + table.GetFormula(i));
        forward.push_back({v, error});
        (void)table.HasCircularReference(table.GetName(i));
    }
    for (const QString& formula : formulas) {
        const double v = table.Evaluate(formula);
        fuzz::Check(table.LastError() != 0 ? v == 0.0 : std::isfinite(v),
                    "a formula's value is not finite, or an error has a value", formula);
    }

    FormulaTable backwards;
    std::vector<QString> ignored;
    Build(backwards, lines, ignored);
    fuzz::Check(backwards.GetCount() == table.GetCount(), "the same lines built another table");
    for (int i = table.GetCount() - 1; i >= 0; --i) {
        const double v = backwards.GetValue(i);
        const int error = backwards.VariableAt(i)->error;
        const Outcome& first = forward[static_cast<size_t>(i)];
        fuzz::Check(v == first.value && error == first.error, "a value depends on the order of evaluation",
                    table.GetName(i) + QStringLiteral(" = ") + table.GetFormula(i)
                        + QStringLiteral(": %1 (error %2) then %3 (error %4)")
                              .arg(first.value)
                              .arg(first.error)
                              .arg(v)
                              .arg(error));
    }
    // The remembered values agree with the variables' own.
    for (int i = 0; i < table.GetCount(); ++i) {
        const QString name = table.GetName(i);
        if (table.FindIndex(name) != i)
            continue;
        const double v = table.Evaluate(name);
        const Outcome& first = forward[static_cast<size_t>(i)];
        fuzz::Check(v == first.value && table.LastError() == first.error,
                    "a variable evaluated by name has another value", name);
    }
    return 0;
}
