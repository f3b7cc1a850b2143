// The variable table: defaults, changes, evaluation, circular references and
// the values kept between evaluations.
#include <gtest/gtest.h>

#include "formula/FormulaError.h"
#include "formula/FormulaTable.h"
#include "formula/FormulaVariable.h"

#include <cmath>
#include <type_traits>

namespace {

const QString kTemporaryName = QStringLiteral("MorvekXPtmpVariables__________________");

class FormulaTableTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(table.AddDefaultVariables()); }
    FormulaTable table;
};

TEST(FormulaTableEmpty, NewTableHasFunctionsButNoVariables)
{
    FormulaTable table;
    EXPECT_EQ(table.GetCount(), 0);
    const FunctionTable& f = table.Functions();
    ASSERT_EQ(f.Count(), 15);
    EXPECT_EQ(f.Entry(0).name, "sin");
    EXPECT_EQ(f.Entry(4).name, "**");
    EXPECT_EQ(f.Entry(4).id, 25);
    EXPECT_EQ(f.Entry(14).name, "if");
    EXPECT_EQ(f.Entry(14).id, 40);
    EXPECT_EQ(f.Entry(5).length, 6); // "round" plus one
}

TEST_F(FormulaTableTest, DefaultVariables)
{
    const char* names[] = {"PI", "E", "A", "B", "H", "MatThick"};
    const double values[] = {3.141592653589793, 2.71, 200, 120, 180, 3};
    const int categories[] = {1, 1, 0, 0, 0, 0};
    ASSERT_EQ(table.GetCount(), 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(table.GetName(i), names[i]);
        EXPECT_DOUBLE_EQ(table.GetValue(i), values[i]);
        EXPECT_EQ(table.GetCategory(i), categories[i]);
        EXPECT_FALSE(table.IsDeletable(i));
        EXPECT_TRUE(table.IsValid(i));
        EXPECT_EQ(table.GetDescription(i), "");
    }
    EXPECT_FALSE(table.AddDefaultVariables());
    EXPECT_EQ(table.LastError(), FormulaError::NameExists);
    EXPECT_EQ(table.GetCount(), 6);
}

TEST_F(FormulaTableTest, FailedOperationsAndTheirErrors)
{
    EXPECT_FALSE(table.AddVariable("A", "1", "", 1000, true));
    EXPECT_EQ(table.LastError(), FormulaError::NameExists);
    EXPECT_FALSE(table.DeleteVariable("PI", false));
    EXPECT_EQ(table.LastError(), FormulaError::Protected);
    EXPECT_TRUE(table.DeleteVariable("PI", true));
    EXPECT_EQ(table.FindIndex("PI"), -1);
    EXPECT_EQ(table.FindIndex("E"), 0);
    EXPECT_FALSE(table.DeleteVariable("Nope", true));
    EXPECT_EQ(table.LastError(), FormulaError::NoSuchVariable);
    EXPECT_FALSE(table.SetFormula("Nope", "1", "d"));
    EXPECT_EQ(table.LastError(), FormulaError::NoSuchVariable);
    EXPECT_EQ(table.GetCount(), 5);
}

TEST_F(FormulaTableTest, UnparsableFormulas)
{
    ASSERT_TRUE(table.SetFormula("A", "100", "width"));
    EXPECT_FALSE(table.SetFormula("A", "(", "other"));
    EXPECT_EQ(table.LastError(), FormulaError::UnclosedOpen);
    const int a = table.FindIndex("A");
    EXPECT_EQ(table.GetFormula(a), "(");
    EXPECT_EQ(table.GetDescription(a), "width");
    EXPECT_TRUE(table.IsValid(a));
    // The unparsed variable has no value, and its error passes on.
    EXPECT_EQ(table.Evaluate("A+1"), 0.0);
    EXPECT_EQ(table.LastError(), FormulaError::UnclosedOpen);

    EXPECT_TRUE(table.AddVariable("Broken", "(", "", 1000, true));
    EXPECT_FALSE(table.IsValid(table.FindIndex("Broken")));
    EXPECT_EQ(table.LastError(), FormulaError::UnclosedOpen);
}

// A conditional that breaks the parenthesis rule is reported when it is set,
// like any formula that does not parse, so the variables dialog can show it.
TEST_F(FormulaTableTest, UnparenthesisedConditionDoesNotParse)
{
    ASSERT_TRUE(table.AddVariable("W", "A*2", "width", 1000, true));
    EXPECT_FALSE(table.SetFormula("W", "if A*2>B then 1 else 2", "other"));
    EXPECT_EQ(table.LastError(), FormulaError::Malformed);
    const int w = table.FindIndex("W");
    EXPECT_EQ(table.GetFormula(w), "if A*2>B then 1 else 2");
    EXPECT_EQ(table.GetDescription(w), "width");
    EXPECT_EQ(table.Evaluate("W"), 0.0);
    EXPECT_EQ(table.LastError(), FormulaError::Malformed);

    EXPECT_TRUE(table.AddVariable("V", "if A>B then sin(30) else 0", "", 1000, true));
    EXPECT_FALSE(table.IsValid(table.FindIndex("V")));
    EXPECT_EQ(table.LastError(), FormulaError::Malformed);
}

TEST_F(FormulaTableTest, AddAndSetReportTheEvaluation)
{
    EXPECT_TRUE(table.AddVariable("M", "5-", "", 1000, true));
    EXPECT_EQ(table.LastError(), FormulaError::Malformed);
    EXPECT_TRUE(table.IsValid(table.FindIndex("M")));
    EXPECT_TRUE(table.SetFormula("M", "A/2", "half"));
    EXPECT_EQ(table.LastError(), 0);
    EXPECT_EQ(table.GetDescription(table.FindIndex("M")), "half");
    EXPECT_TRUE(table.SetFormula("M", "A/0", "zero"));
    EXPECT_EQ(table.LastError(), FormulaError::DivisionByZero);
}

TEST_F(FormulaTableTest, EvaluatingATextLeavesTheListAsItWas)
{
    ASSERT_TRUE(table.AddVariable("P", "Q+1", "", 1000, true));
    ASSERT_TRUE(table.AddVariable("Q", "P*2", "", 1000, true));
    const int count = table.GetCount();
    EXPECT_EQ(table.Evaluate("A/2"), 100.0);
    EXPECT_EQ(table.LastError(), 0);
    EXPECT_EQ(table.Evaluate("A/0"), 0.0);
    EXPECT_EQ(table.LastError(), FormulaError::DivisionByZero);
    EXPECT_EQ(table.Evaluate("P+1"), 0.0);
    EXPECT_EQ(table.LastError(), FormulaError::Circular);
    EXPECT_EQ(table.GetCount(), count);
    EXPECT_FALSE(table.Exists(kTemporaryName));
    EXPECT_EQ(table.Evaluate("A"), 200.0);
    EXPECT_EQ(table.Evaluate("Undefined"), 0.0);
    EXPECT_EQ(table.LastError(), 0);
}

TEST_F(FormulaTableTest, EvaluatingATextNeverTouchesAUserVariable)
{
    // Even a variable that carries the name under which texts are evaluated.
    ASSERT_TRUE(table.AddVariable(kTemporaryName, "5", "mine", 1000, false));
    EXPECT_EQ(table.Evaluate("A/2"), 100.0);
    EXPECT_EQ(table.Evaluate("B-(A*0)"), 120.0);
    const int n = table.FindIndex(kTemporaryName);
    ASSERT_EQ(n, 6);
    EXPECT_EQ(table.GetFormula(n), "5");
    EXPECT_EQ(table.GetDescription(n), "mine");
    EXPECT_EQ(table.GetCount(), 7);
    EXPECT_EQ(table.Evaluate(kTemporaryName), 5.0);
}

// An overflow met first is the error, ahead of a variable's own error or a
// circular reference met later in the same formula.
TEST_F(FormulaTableTest, AnOverflowComesBeforeLaterErrors)
{
    const QString inf = "(99999999999999999999**10)*(99999999999999999999**10)";
    ASSERT_TRUE(table.AddVariable("Bad", "A/0", "", 1000, true));
    ASSERT_TRUE(table.AddVariable("Over", inf + "+Bad", "", 1000, true));
    EXPECT_EQ(table.LastError(), FormulaError::NotFinite);
    ASSERT_TRUE(table.AddVariable("Loop", inf + "+Loop", "", 1000, true));
    EXPECT_EQ(table.LastError(), FormulaError::NotFinite);
    ASSERT_TRUE(table.AddVariable("Late", inf + "+Later", "", 1000, true));
    ASSERT_TRUE(table.AddVariable("Later", "Late", "", 1000, true));
    EXPECT_EQ(table.Evaluate("Late"), 0.0);
    EXPECT_EQ(table.LastError(), FormulaError::NotFinite);
    EXPECT_EQ(table.Evaluate("Later"), 0.0);
    EXPECT_EQ(table.LastError(), FormulaError::NotFinite);
}

TEST_F(FormulaTableTest, CircularReferences)
{
    ASSERT_TRUE(table.AddVariable("Self", "Self", "", 1000, true));
    EXPECT_EQ(table.LastError(), FormulaError::Circular);
    EXPECT_EQ(table.Evaluate("Self"), 0.0);
    EXPECT_EQ(table.LastError(), FormulaError::Circular);
    EXPECT_TRUE(table.HasCircularReference("Self"));

    ASSERT_TRUE(table.SetFormula("A", "B+1", ""));
    ASSERT_TRUE(table.SetFormula("B", "A*2", ""));
    EXPECT_TRUE(table.HasCircularReference("A"));
    EXPECT_EQ(table.Evaluate("A"), 0.0);
    EXPECT_EQ(table.LastError(), FormulaError::Circular);
    ASSERT_TRUE(table.AddVariable("Uses", "A+H", "", 1000, true));
    EXPECT_EQ(table.LastError(), FormulaError::Circular); // passed on
    EXPECT_FALSE(table.HasCircularReference("Uses"));

    ASSERT_TRUE(table.SetFormula("B", "2", ""));
    EXPECT_FALSE(table.HasCircularReference("A"));
    EXPECT_EQ(table.Evaluate("A"), 3.0);
    EXPECT_EQ(table.Evaluate("Uses"), 183.0);

    ASSERT_TRUE(table.SetFormula("A", "1 // A", ""));
    EXPECT_TRUE(table.HasCircularReference("A")); // the text counts, comments too
    EXPECT_EQ(table.Evaluate("A"), 1.0);
    EXPECT_FALSE(table.HasCircularReference("Nope"));
}

TEST_F(FormulaTableTest, AnErrorOfAReferencedVariablePassesOn)
{
    ASSERT_TRUE(table.AddVariable("D", "5/0", "", 1000, true));
    ASSERT_TRUE(table.AddVariable("F", "D+1", "", 1000, true));
    EXPECT_EQ(table.LastError(), FormulaError::DivisionByZero);
    const int f = table.FindIndex("F");
    EXPECT_EQ(table.GetValue(f), 0.0);
    EXPECT_EQ(table.LastError(), 0); // the failure stays with the variable
    EXPECT_EQ(table.VariableAt(f)->error, FormulaError::DivisionByZero);
}

TEST_F(FormulaTableTest, ValuesFollowEveryChange)
{
    ASSERT_TRUE(table.AddVariable("W", "A*2", "", 1000, true));
    ASSERT_TRUE(table.AddVariable("V", "W+Later", "", 1000, true));
    EXPECT_EQ(table.Evaluate("V"), 400.0);
    ASSERT_TRUE(table.SetFormula("A", "10", ""));
    EXPECT_EQ(table.Evaluate("V"), 20.0);
    double cached = 0;
    EXPECT_TRUE(table.LookupCachedValue("W", cached));
    EXPECT_EQ(cached, 20.0);
    ASSERT_TRUE(table.AddVariable("Later", "5", "", 1000, true));
    EXPECT_EQ(table.Evaluate("V"), 25.0);
    ASSERT_TRUE(table.DeleteVariable("A", true));
    EXPECT_EQ(table.Evaluate("V"), 5.0);
    ASSERT_TRUE(table.RenameVariable(table.FindIndex("Later"), "A"));
    EXPECT_EQ(table.Evaluate("V"), 10.0);
    table.SetFormulaAt(table.FindIndex("W"), "A*3");
    EXPECT_EQ(table.Evaluate("V"), 15.0);
    table.Clear();
    EXPECT_EQ(table.GetCount(), 0);
    EXPECT_EQ(table.Evaluate("V"), 0.0);
    EXPECT_FALSE(table.LookupCachedValue("W", cached));
}

// Changing one variable again and again marks stale what the first change
// did, also after a formula or a formula text starts to use it; a user not read since the last
// change stops the marking, so what only it leads to keeps its value.
TEST_F(FormulaTableTest, RepeatedChangesOfOneVariable)
{
    ASSERT_TRUE(table.AddVariable("X", "A+1", "", 1000, true));
    ASSERT_TRUE(table.AddVariable("Y", "if B>0 then 5 else X", "", 1000, true));
    ASSERT_TRUE(table.AddVariable("Z", "B+1", "", 1000, true));
    double cached = 0;
    for (const double width : {10.0, 20.0, 30.0}) {
        ASSERT_TRUE(table.SetFormula("A", QString::number(width), ""));
        EXPECT_FALSE(table.LookupCachedValue("X", cached));
        EXPECT_FALSE(table.LookupCachedValue("Y", cached));
        EXPECT_TRUE(table.LookupCachedValue("Z", cached));
        EXPECT_EQ(table.Evaluate("X"), width + 1);
        EXPECT_EQ(table.Evaluate("Y"), 5.0);
        EXPECT_EQ(table.Evaluate("X*2"), 2 * (width + 1)); // a new user at first
    }
    ASSERT_TRUE(table.SetFormula("Z", "X+B", ""));
    for (const double width : {40.0, 50.0}) {
        ASSERT_TRUE(table.SetFormula("A", QString::number(width), ""));
        EXPECT_FALSE(table.LookupCachedValue("Z", cached));
        EXPECT_EQ(table.Evaluate("Z"), width + 121);
        EXPECT_EQ(table.Evaluate("Y"), 5.0);
    }
    ASSERT_TRUE(table.SetFormula("A", "60", ""));
    EXPECT_EQ(table.Evaluate("Y"), 5.0); // X stays stale
    ASSERT_TRUE(table.SetFormula("A", "70", ""));
    EXPECT_TRUE(table.LookupCachedValue("Y", cached));
    EXPECT_FALSE(table.LookupCachedValue("Z", cached));
    EXPECT_EQ(table.Evaluate("Z"), 191.0);
}

// A variable reached through the table is a read-only view: its formula and
// name change only through the table, which keeps dependants current.
TEST_F(FormulaTableTest, VariablesChangeOnlyThroughTheTable)
{
    static_assert(std::is_const_v<std::remove_pointer_t<decltype(table.FindVariable(""))>>);
    static_assert(std::is_const_v<std::remove_pointer_t<decltype(table.VariableAt(0))>>);
    ASSERT_TRUE(table.AddVariable("W", "A+1", "", 1000, true));
    EXPECT_EQ(table.Evaluate("W"), 201.0);
    table.SetFormulaAt(table.FindIndex("A"), "10");
    EXPECT_EQ(table.Evaluate("W"), 11.0);
    ASSERT_TRUE(table.RenameVariable(table.FindIndex("W"), "Len"));
    const FormulaVariable* renamed = table.FindVariable("Len");
    ASSERT_NE(renamed, nullptr);
    EXPECT_EQ(renamed->Formula(), "A+1");
    EXPECT_EQ(table.FindVariable("W"), nullptr);
}

// Formula texts keep their values between evaluations: every change of a
// variable they use, directly or through others, and every change of names
// reaches them.
TEST_F(FormulaTableTest, FormulaTextsFollowEveryChange)
{
    ASSERT_TRUE(table.AddVariable("V1", "A+1", "", 1000, true));
    ASSERT_TRUE(table.AddVariable("V2", "V1+1", "", 1000, true));
    ASSERT_TRUE(table.AddVariable("V3", "V2+1", "", 1000, true));
    EXPECT_EQ(table.Evaluate("V3*2"), 406.0);
    EXPECT_EQ(table.Evaluate("Later*2"), 0.0);
    ASSERT_TRUE(table.SetFormula("V1", "A+2", ""));
    // V2 and V3 are stale; setting V2 next must not leave V3 as it was.
    ASSERT_TRUE(table.SetFormula("V2", "V1+10", ""));
    EXPECT_EQ(table.Evaluate("V3*2"), 2.0 * 213);
    table.SetFormulaAt(table.FindIndex("A"), "100");
    EXPECT_EQ(table.Evaluate("V3*2"), 2.0 * 113);
    ASSERT_TRUE(table.AddVariable("Later", "5", "", 1000, true));
    EXPECT_EQ(table.Evaluate("Later*2"), 10.0);
    ASSERT_TRUE(table.RenameVariable(table.FindIndex("Later"), "Other"));
    EXPECT_EQ(table.Evaluate("Later*2"), 0.0);
    ASSERT_TRUE(table.RenameVariable(table.FindIndex("V1"), "Later"));
    EXPECT_EQ(table.Evaluate("Later*2"), 204.0);
    EXPECT_EQ(table.Evaluate("V3*2"), 22.0); // V1 is no variable now
    ASSERT_TRUE(table.DeleteVariable("Later", true));
    EXPECT_EQ(table.Evaluate("Later*2"), 0.0);
    table.StoreCachedValue("V2", 7);
    EXPECT_EQ(table.Evaluate("V3*2"), 16.0);
}

TEST_F(FormulaTableTest, RenameLeavesFormulasAlone)
{
    ASSERT_TRUE(table.AddVariable("W", "A+1", "", 1000, true));
    EXPECT_EQ(table.Evaluate("W"), 201.0);
    ASSERT_TRUE(table.RenameVariable(2, "Len"));
    EXPECT_EQ(table.GetName(2), "Len");
    EXPECT_EQ(table.Evaluate("W"), 1.0);
    EXPECT_EQ(table.Evaluate("Len"), 200.0);
    // No check for clashes: the first of two equal names answers.
    ASSERT_TRUE(table.RenameVariable(3, "Len"));
    EXPECT_EQ(table.Evaluate("Len"), 200.0);
    ASSERT_TRUE(table.DeleteVariable("Len", true));
    EXPECT_EQ(table.Evaluate("Len"), 120.0);
    EXPECT_FALSE(table.RenameVariable(99, "X"));
    EXPECT_EQ(table.LastError(), FormulaError::NoSuchVariable);
}

// Formulas cut a name apart at lower-case "if", "then" and "else", so such a
// name could never be referred to: a typed one is refused, a stored one kept.
TEST_F(FormulaTableTest, TypedNamesWithKeywordsAreRefused)
{
    for (const char* name : {"Shift", "Diff", "Lengthen", "elseW", "ifx"}) {
        EXPECT_FALSE(table.AddVariable(name, "1", "", 1000, true)) << name;
        EXPECT_EQ(table.LastError(), FormulaError::NameExists) << name;
        EXPECT_FALSE(table.Exists(name));
    }
    EXPECT_TRUE(table.AddVariable("IF_Else", "1", "", 1000, true)); // upper case is fine
    EXPECT_TRUE(table.AddVariable("Shift", "1", "", 1000, true,
                                  FormulaTable::NameOrigin::Stored));
    const int n = table.FindIndex("IF_Else");
    EXPECT_FALSE(table.RenameVariable(n, "Diff"));
    EXPECT_EQ(table.LastError(), FormulaError::NameExists);
    EXPECT_EQ(table.GetName(n), "IF_Else");
}

TEST_F(FormulaTableTest, UsedFlags)
{
    EXPECT_FALSE(table.IsUsed(2));
    table.SetUsed(2, true);
    EXPECT_TRUE(table.IsUsed(2));
    EXPECT_FALSE(table.IsUsed(3));
    EXPECT_FALSE(table.IsUsed(-1));
}

TEST_F(FormulaTableTest, LeadingVariableLength)
{
    EXPECT_EQ(table.LeadingVariableLength("MatThick*2"), 8);
    EXPECT_EQ(table.LeadingVariableLength("Mat Thick"), 9);
    EXPECT_EQ(table.LeadingVariableLength("  A+B"), 3);
    EXPECT_EQ(table.LeadingVariableLength("Ax"), 1);
    EXPECT_EQ(table.LeadingVariableLength("x"), 0);
    EXPECT_TRUE(FormulaTable::IsNameChar(u'_'));
    EXPECT_TRUE(FormulaTable::IsNameChar(u'7'));
    EXPECT_FALSE(FormulaTable::IsNameChar(u'+'));
}

// Long chains of references are evaluated without running deep on the
// machine stack; a long cycle fails without a crash.
TEST(FormulaTableDeep, LongChainsAndCycles)
{
    FormulaTable table;
    const int n = 5000;
    ASSERT_TRUE(table.AddVariable("V0", "1", "", 1000, true));
    for (int i = 1; i < n; ++i)
        table.AddVariable(QString("V%1").arg(i), QString("V%1+1").arg(i - 1), "", 1000, true);
    ASSERT_TRUE(table.SetFormula("V0", "2", ""));
    EXPECT_EQ(table.Evaluate(QString("V%1").arg(n - 1)), n + 1.0);

    FormulaTable cycle;
    for (int i = 0; i < n; ++i)
        cycle.AddVariable(QString("C%1").arg(i), QString("C%1").arg((i + 1) % n), "", 1000, true);
    EXPECT_EQ(cycle.Evaluate("C0"), 0.0);
    EXPECT_EQ(cycle.LastError(), FormulaError::Circular);
    for (int i = 0; i < n; ++i) {
        EXPECT_EQ(cycle.GetValue(i), 0.0);
        ASSERT_EQ(cycle.VariableAt(i)->error, FormulaError::Circular) << i;
    }
}

// Deep in a long chain, the variables below are evaluated ahead of the chain.
// One of them that names a variable up the chain (here Y, which names V1) is
// not circular when the evaluation never comes back to it: its value must not
// be taken from the chain it was evaluated beside.
TEST(FormulaTableDeep, VariablesEvaluatedAheadOfAChainKeepTheirOwnValues)
{
    const struct {
        const char* last; // the formula at the end of the chain
        const char* top;  // evaluated first, down the chain
        double topValue;
        int topError;
        double yValue;
        int yError;
    } cases[] = {
        {"if 1>0 then 5 else Y", "V1", 5, 0, 6, 0},       // Y in the branch not taken
        {"if 1>0 then 5 else Y", "V1+Y", 11, 0, 6, 0},    // Y again, after the chain
        {"(1/0)+Y", "V1", 0, FormulaError::DivisionByZero, 0, FormulaError::DivisionByZero},
    };
    for (const auto& c : cases) {
        FormulaTable table;
        ASSERT_TRUE(table.AddVariable("Y", "V1+1", "", 1000, true));
        for (int i = 1; i < 70; ++i)
            table.AddVariable(QString("V%1").arg(i), QString("V%1+0").arg(i + 1), "", 1000, true);
        table.AddVariable("V70", c.last, "", 1000, true);
        ASSERT_TRUE(table.AddVariable("Top", "0", "", 1000, true));
        ASSERT_TRUE(table.SetFormula("Top", c.top, "")); // every value anew, from Top
        EXPECT_EQ(table.Evaluate("Top"), c.topValue) << c.last << " / " << c.top;
        EXPECT_EQ(table.LastError(), c.topError) << c.last << " / " << c.top;
        EXPECT_EQ(table.Evaluate("Y"), c.yValue) << c.last << " / " << c.top;
        EXPECT_EQ(table.LastError(), c.yError) << c.last << " / " << c.top;
    }
}

} // namespace
