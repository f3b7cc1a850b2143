// Parsing and evaluating a variable table as a large box style has one: a few
// hundred variables whose formulas refer to the box dimensions and to each
// other. The same expressions run in muparser for comparison: its degree
// functions and round are defined to compute what the formula language does,
// and both must agree on every value.
//
//   Parse:    build the table from the formula texts (each is parsed and
//             evaluated once), against muparser parsing and evaluating each
//             expression once.
//   Evaluate: change A and evaluate every variable, against muparser
//             evaluating every expression in order after the same change.
#include <benchmark/benchmark.h>

#include <muParser.h>

#include "formula/FormulaTable.h"
#include "formula/FormulaVariable.h"
#include "formula/VariableList.h"
#include "platform/BinaryStream.h"

#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kVariables = 300;
constexpr double kPi = 3.141592653589793;

struct TableFormula {
    std::string name;
    std::string morvek;   // the formula language
    std::string muparser; // the same expression for muparser
    std::vector<std::string> uses;
};

// A small deterministic generator, so both runs see the same table.
class Lcg {
public:
    uint32_t Next()
    {
        state_ = state_ * 1664525u + 1013904223u;
        return state_ >> 8;
    }
    uint32_t Below(uint32_t n) { return Next() % n; }

private:
    uint32_t state_ = 12345;
};

std::string Name(int i)
{
    std::string name = "V0000";
    name[1] = static_cast<char>('0' + i / 1000 % 10);
    name[2] = static_cast<char>('0' + i / 100 % 10);
    name[3] = static_cast<char>('0' + i / 10 % 10);
    name[4] = static_cast<char>('0' + i % 10);
    return name;
}

std::vector<TableFormula> MakeTable(int count = kVariables)
{
    static const char* const dims[] = {"A", "B", "H", "MatThick"};
    Lcg rng;
    std::vector<TableFormula> table;
    for (int i = 0; i < count; ++i) {
        TableFormula f;
        f.name = Name(i);
        // Operands: mostly recent variables, sometimes a box dimension.
        auto pick = [&]() -> std::string {
            std::string s;
            if (i == 0 || rng.Below(4) == 0)
                s = dims[rng.Below(4)];
            else
                s = Name(i - 1 - static_cast<int>(rng.Below(static_cast<uint32_t>(std::min(i, 24)))));
            for (const std::string& u : f.uses) {
                if (u == s)
                    return s;
            }
            f.uses.push_back(s);
            return s;
        };
        const std::string x = pick(), y = pick(), z = pick();
        auto set = [&f](const std::string& morvek, const std::string& mu) {
            f.morvek = morvek;
            f.muparser = mu;
        };
        switch (rng.Below(14)) {
        case 0: set(x + "/2+MatThick", x + "/2+MatThick"); break;
        case 1: set("(" + x + "-2*MatThick)/2", "(" + x + "-2*MatThick)/2"); break;
        case 2: set("(" + x + "+" + y + ")/2", "(" + x + "+" + y + ")/2"); break;
        case 3: set("(" + x + "+" + y + "-" + z + ")/3+1", "(" + x + "+" + y + "-" + z + ")/3+1"); break;
        case 4: set("sin(30)*" + x, "sind(30)*" + x); break;
        case 5:
            set("if (" + x + "*2)>" + y + " then (" + x + "-10) else 0",
                "((" + x + "*2)>" + y + " ? (" + x + "-10) : 0)");
            break;
        case 6: set("round(" + x + "/3)", "roundi(" + x + "/3)"); break;
        case 7: set("abs(" + x + "-" + y + ")/2", "abs(" + x + "-" + y + ")/2"); break;
        case 8:
            set(x + "*" + y + "/(abs(" + x + ")+abs(" + y + ")+1)",
                x + "*" + y + "/(abs(" + x + ")+abs(" + y + ")+1)");
            break;
        case 9: set("(" + x + "+" + y + ")*cos(60)", "(" + x + "+" + y + ")*cosd(60)"); break;
        case 10:
            set("if " + x + ">" + y + " then " + x + " else " + y,
                "(" + x + ">" + y + " ? " + x + " : " + y + ")");
            break;
        case 11: set("A/2+" + x + "/4 // flap", "A/2+" + x + "/4"); break;
        case 12: set("(" + x + "/1000)**2*100", "(" + x + "/1000)^2*100"); break;
        default: set("trunc(" + x + ")+0.5", "truncd(" + x + ")+0.5"); break;
        }
        table.push_back(std::move(f));
    }
    return table;
}

const std::vector<TableFormula>& Formulas()
{
    static const std::vector<TableFormula> formulas = MakeTable();
    return formulas;
}

void BuildTable(FormulaTable& table)
{
    table.AddDefaultVariables();
    for (const TableFormula& f : Formulas())
        table.AddVariable(QString::fromStdString(f.name), QString::fromStdString(f.morvek),
                          QString(), 1000, true);
}

// muparser: one parser per expression (it keeps one compiled expression),
// bound to a shared array of values.
mu::value_type SinDeg(mu::value_type x) { return std::sin(x * kPi / 180.0); }
mu::value_type CosDeg(mu::value_type x) { return std::cos(x * kPi / 180.0); }
mu::value_type RoundInt(mu::value_type x) { return std::trunc(x + 0.5); }
mu::value_type TruncInt(mu::value_type x) { return std::trunc(x); }

struct MuTable {
    std::vector<double> values;  // A, B, H, MatThick, then the variables
    std::vector<std::unique_ptr<mu::Parser>> parsers;

    MuTable()
    {
        values = {200, 120, 180, 3};
        values.resize(4 + kVariables, 0.0);
        for (const TableFormula& f : Formulas()) {
            auto p = std::make_unique<mu::Parser>();
            p->DefineFun("sind", SinDeg);
            p->DefineFun("cosd", CosDeg);
            p->DefineFun("roundi", RoundInt);
            p->DefineFun("truncd", TruncInt);
            for (const std::string& u : f.uses)
                p->DefineVar(u, &values[Slot(u)]);
            p->DefineVar("MatThick", &values[3]);
            p->DefineVar("A", &values[0]);
            p->SetExpr(f.muparser);
            parsers.push_back(std::move(p));
        }
    }
    static size_t Slot(const std::string& name)
    {
        if (name == "A") return 0;
        if (name == "B") return 1;
        if (name == "H") return 2;
        if (name == "MatThick") return 3;
        return 4 + static_cast<size_t>(std::stoi(name.substr(1)));
    }
    void EvaluateAll()
    {
        for (size_t i = 0; i < parsers.size(); ++i)
            values[4 + i] = parsers[i]->Eval();
    }
};

bool SameValues(FormulaTable& table, MuTable& mu)
{
    mu.EvaluateAll();
    for (int i = 0; i < kVariables; ++i) {
        const double ours = table.GetValue(6 + i);
        const double theirs = mu.values[4 + i];
        if (table.VariableAt(6 + i)->error != 0
            || std::fabs(ours - theirs) > 1e-9 * std::max(1.0, std::fabs(theirs)))
            return false;
    }
    return true;
}

void BM_ParseTable_Morvek(benchmark::State& state)
{
    for (auto _ : state) {
        FormulaTable table;
        BuildTable(table);
        benchmark::DoNotOptimize(table.GetCount());
    }
    state.SetItemsProcessed(state.iterations() * kVariables);
}

void BM_ParseTable_MuParser(benchmark::State& state)
{
    MuTable mu;
    for (auto _ : state) {
        for (size_t i = 0; i < mu.parsers.size(); ++i) {
            mu.parsers[i]->SetExpr(Formulas()[i].muparser);
            mu.values[4 + i] = mu.parsers[i]->Eval();
        }
        benchmark::DoNotOptimize(mu.values.data());
    }
    state.SetItemsProcessed(state.iterations() * kVariables);
}

void BM_EvaluateTable_Morvek(benchmark::State& state)
{
    FormulaTable table;
    BuildTable(table);
    MuTable mu;
    if (!SameValues(table, mu)) {
        state.SkipWithError("the formula table and muparser disagree");
        return;
    }
    const QString widths[] = {QStringLiteral("200"), QStringLiteral("201")};
    int flip = 0;
    for (auto _ : state) {
        table.SetFormula(QStringLiteral("A"), widths[flip ^= 1], QString());
        double sum = 0;
        for (int i = 0; i < table.GetCount(); ++i)
            sum += table.GetValue(i);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kVariables);
}

void BM_EvaluateTable_MuParser(benchmark::State& state)
{
    MuTable mu;
    const double widths[] = {200, 201};
    int flip = 0;
    for (auto _ : state) {
        mu.values[0] = widths[flip ^= 1];
        mu.EvaluateAll();
        double sum = 0;
        for (double v : mu.values)
            sum += v;
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kVariables);
}

// A chain of 1,000 variables, each the one before plus its share of A: after
// a change of A every value is computed anew, in table order.
constexpr int kChain = 1000;

void BM_EvaluateChain_Morvek(benchmark::State& state)
{
    FormulaTable table;
    table.AddDefaultVariables();
    table.AddVariable(QStringLiteral("C0"), QStringLiteral("A/2"), QString(), 1000, true);
    for (int i = 1; i < kChain; ++i)
        table.AddVariable(QStringLiteral("C%1").arg(i), QStringLiteral("C%1+A/1000").arg(i - 1),
                          QString(), 1000, true);
    const QString widths[] = {QStringLiteral("200"), QStringLiteral("201")};
    int flip = 0;
    for (auto _ : state) {
        table.SetFormula(QStringLiteral("A"), widths[flip ^= 1], QString());
        double sum = 0;
        for (int i = 0; i < table.GetCount(); ++i)
            sum += table.GetValue(i);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kChain);
}

void BM_EvaluateChain_MuParser(benchmark::State& state)
{
    std::vector<double> values(kChain + 1, 0.0); // A, then the chain
    std::vector<std::unique_ptr<mu::Parser>> parsers;
    for (int i = 0; i < kChain; ++i) {
        auto p = std::make_unique<mu::Parser>();
        p->DefineVar("A", &values[0]);
        if (i == 0) {
            p->SetExpr("A/2");
        } else {
            p->DefineVar("C", &values[static_cast<size_t>(i)]);
            p->SetExpr("C+A/1000");
        }
        parsers.push_back(std::move(p));
    }
    const double widths[] = {200, 201};
    int flip = 0;
    for (auto _ : state) {
        values[0] = widths[flip ^= 1];
        for (int i = 0; i < kChain; ++i)
            values[static_cast<size_t>(i) + 1] = parsers[static_cast<size_t>(i)]->Eval();
        double sum = 0;
        for (double v : values)
            sum += v;
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kChain);
}

// Setting every formula of a chained table once more, one by one, as edits
// in the variables dialog do: the cost per variable must not grow with the
// table.
void BM_SetFormulasOneByOne(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    FormulaTable table;
    table.AddDefaultVariables();
    std::vector<QString> names, texts;
    for (int i = 0; i < count; ++i) {
        names.push_back(QStringLiteral("C%1").arg(i));
        texts.push_back(i == 0 ? QStringLiteral("A/2") : QStringLiteral("C%1+A/1000").arg(i - 1));
        table.AddVariable(names.back(), texts.back(), QString(), 1000, true);
    }
    for (auto _ : state) {
        for (size_t i = 0; i < names.size(); ++i)
            table.SetFormula(names[i], texts[i], QString());
    }
    state.SetItemsProcessed(state.iterations() * count);
}

QByteArray SavedBlock(const FormulaTable& table)
{
    platform::BinaryWriter out;
    (void)table.Save(out); // writing the whole table cannot fail
    return out.take();
}

// Merging a drawing's variables over a table that holds the same names.
void BM_ImportOverwrite(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    FormulaTable table;
    table.AddDefaultVariables();
    for (const TableFormula& f : MakeTable(count))
        table.AddVariable(QString::fromStdString(f.name), QString::fromStdString(f.morvek),
                          QString(), 1000, true);
    const QByteArray block = SavedBlock(table);
    for (auto _ : state) {
        platform::BinaryReader in(block);
        VariableList renames;
        benchmark::DoNotOptimize(
            table.Import(in, QStringLiteral("S_"), FormulaTable::MergeOverwrite, renames, nullptr));
    }
    state.SetItemsProcessed(state.iterations() * count);
}

// Loading a block whose variables form one cycle (each names the next), then
// reading every value.
void BM_LoadCycle(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    FormulaTable source;
    for (int i = 0; i < count; ++i)
        source.AddVariable(QStringLiteral("C%1").arg(i), QStringLiteral("C%1+1").arg((i + 1) % count),
                           QString(), 1000, true);
    const QByteArray block = SavedBlock(source);
    FormulaTable table;
    for (auto _ : state) {
        table.Clear();
        platform::BinaryReader in(block);
        benchmark::DoNotOptimize(table.Load(in));
        double sum = 0;
        for (int i = 0; i < table.GetCount(); ++i)
            sum += table.GetValue(i);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * count);
}

// The node formulas of a drawing, each a distinct text, evaluated again and
// again (every redraw after a change of the variables).
void BM_EvaluateTexts(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    FormulaTable table;
    table.AddDefaultVariables();
    std::vector<QString> texts;
    for (int i = 0; i < count; ++i)
        texts.push_back(QStringLiteral("A/2+%1*MatThick").arg(i));
    for (const QString& t : texts)
        table.Evaluate(t);
    for (auto _ : state) {
        double sum = 0;
        for (const QString& t : texts)
            sum += table.Evaluate(t);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * count);
}

} // namespace

BENCHMARK(BM_ParseTable_Morvek);
BENCHMARK(BM_ParseTable_MuParser);
BENCHMARK(BM_EvaluateTable_Morvek);
BENCHMARK(BM_EvaluateTable_MuParser);
BENCHMARK(BM_EvaluateChain_Morvek);
BENCHMARK(BM_EvaluateChain_MuParser);
BENCHMARK(BM_SetFormulasOneByOne)->Arg(10)->Arg(100)->Arg(1000);
BENCHMARK(BM_ImportOverwrite)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000);
BENCHMARK(BM_LoadCycle)->Arg(10)->Arg(100)->Arg(1000)->Arg(5000);
BENCHMARK(BM_EvaluateTexts)->Arg(1000)->Arg(100000);

BENCHMARK_MAIN();
