// The formula language evaluated through a table holding the default
// variables: parsing, priorities, signs, functions, conditionals and errors.
#include <gtest/gtest.h>

#include "formula/FormulaError.h"
#include "formula/FormulaTable.h"
#include "formula/FormulaVariable.h"

#include <cmath>

namespace {

constexpr double kPi = 3.141592653589793;

struct Case {
    const char* formula;
    double value;
    int error;
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << '\'' << c.formula << '\'';
}

class FormulaLanguage : public ::testing::TestWithParam<Case> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(table.AddDefaultVariables());
        // A name that upper-case keywords run into.
        ASSERT_TRUE(table.AddVariable("IFA", "7", "", 1000, true));
    }
    FormulaTable table;
};

TEST_P(FormulaLanguage, EvaluatesToValueAndError)
{
    const Case& c = GetParam();
    const double value = table.Evaluate(QString::fromUtf8(c.formula));
    EXPECT_EQ(table.LastError(), c.error);
    EXPECT_NEAR(value, c.value, 1e-9 * std::max(1.0, std::fabs(c.value)));
    EXPECT_TRUE(std::isfinite(value));
}

INSTANTIATE_TEST_SUITE_P(CommentsAndNumbers, FormulaLanguage, ::testing::Values(
    Case{"10 // note", 10, 0},
    Case{"A+\n// note\nB", 320, 0},
    Case{"1 000", 1000, 0},
    Case{"1.2.3", 1.2, 0},
    Case{"1.5e3", 1.5, 0},
    Case{"-", 0, 0},
    Case{"2A", 2, 0},
    Case{"A(B)", 200, 0},
    Case{"A<B", 200, 0},
    Case{"IF A>B THEN 1 ELSE 2", 7, 0},
    Case{"Undefined+1", 1, 0},
    Case{"sin30", 0, 0}));

INSTANTIATE_TEST_SUITE_P(SignsAndPriorities, FormulaLanguage, ::testing::Values(
    Case{"-A", -200, 0},
    Case{"2*-3", -6, 0},
    Case{"2*-A", -400, 0},
    Case{"--5", 5, 0},
    Case{"+5", 5, 0},
    Case{"2*(+3)", 6, 0},
    Case{"2^3", -3, 0},
    Case{"2**3", 8, 0},
    Case{"2**3**2", 64, 0},
    Case{"-2**2", 4, 0},
    Case{"-A**2", -40000, 0},
    Case{"2*3**2", 18, 0},
    Case{"8-2-1", 5, 0},
    Case{"8/2/2", 2, 0},
    Case{"2+3*4", 14, 0},
    Case{"(2+3)*4", 20, 0},
    Case{"2**(-1)", 0.5, 0}));

INSTANTIATE_TEST_SUITE_P(Functions, FormulaLanguage, ::testing::Values(
    Case{"sin(30)", 0.5, 0},
    Case{"cos(60)", 0.5, 0},
    Case{"tg(45)", 1, 0},
    Case{"ctg(45)", 1, 0},
    Case{"asin(0.5)", 30, 0},
    Case{"acos(0.5)", 60, 0},
    Case{"atg(1)", 45, 0},
    Case{"actg(1)", 45, 0},
    Case{"actg(0)", 0, 0},
    Case{"rad(180)", kPi, 0},
    Case{"deg(PI)", 180, 0},
    Case{"round(2.5)", 3, 0},
    Case{"round(-2.5)", -2, 0},
    Case{"round(-2.7)", -2, 0},
    Case{"trunc(-2.7)", -2, 0},
    Case{"abs(-5)", 5, 0},
    Case{"sin(30)*B", 60, 0}));

INSTANTIATE_TEST_SUITE_P(Conditionals, FormulaLanguage, ::testing::Values(
    Case{"if A>B then 1 else 2", 1, 0},
    Case{"if A<B then 1 else 2", 2, 0},
    Case{"if A>=200 then 1 else 2", 1, 0},
    Case{"if A<=199 then 1 else 2", 2, 0},
    Case{"if A!=B then 1 else 2", 1, 0},
    Case{"if A=B then 1 else 2+3", 5, 0},
    Case{"ifA>Bthen1else2", 1, 0},
    Case{"if (A*2)>B then (A-10) else 0", 190, 0},
    Case{"if (A*2)>B then (A-10) else (if B>H then 1 else 2)", 190, 0},
    Case{"if B>A then 0 else (if B>H then 1 else 2)", 2, 0},
    Case{"if A>B then (if B>H then 1 else 2) else 3", 2, 0},
    Case{"2*(if A>B then 3 else 4)", 6, 0},
    Case{"if B!=0 then (A/B) else 0", 200.0 / 120.0, 0},
    Case{"if 0>1 then (5/0) else 1", 1, 0},
    // A conditional in the left side of a condition ends before its comparison.
    Case{"if (if A<B then A else B)>H then 1 else 2", 2, 0},
    Case{"if (abs(if A<B then A else (-B)))>100 then 1 else 2", 1, 0},
    Case{"if (if A<B then A else B)>=(if A<B then B else A) then 1 else 2", 2, 0}));

// A conditional in an else-branch needs no parentheses: the branch runs to
// the first operator of lower priority than the "if".
INSTANTIATE_TEST_SUITE_P(ElseBranches, FormulaLanguage, ::testing::Values(
    Case{"if A>B then 1 else if B>H then 2 else 3", 1, 0},
    Case{"if B>A then 1 else if H>B then 2 else 3", 2, 0},
    Case{"if B>A then 1 else if B>H then 2 else 3", 3, 0},
    Case{"if B>A then 1 else if B>H then 2 else 3+10", 13, 0},
    Case{"if B>A then 1 else sin(30)", 0.5, 0},
    Case{"if B>A then 1 else 2**3", 8, 0},
    Case{"if A>B then 1 else 2+3", 4, 0}));

// Condition sides and then-branches holding an operator, a function or a
// conditional outside parentheses would take the conditional apart: such a
// formula does not parse.
INSTANTIATE_TEST_SUITE_P(ParenthesisRule, FormulaLanguage, ::testing::Values(
    Case{"if A*2>B then 1 else 2", 0, FormulaError::Malformed},
    Case{"if A>-B then 1 else 2", 0, FormulaError::Malformed},
    Case{"if A>B then sin(30) else 0", 0, FormulaError::Malformed},
    Case{"if sin(30)<B then 1 else 0", 0, FormulaError::Malformed},
    Case{"if A>B then if B>H then 1 else 2 else 3", 0, FormulaError::Malformed},
    Case{"2*(if A>B+1 then 3 else 4)", 0, FormulaError::Malformed},
    Case{"if A>B then (if B>H then 1 else 2) else 3", 2, 0}));

INSTANTIATE_TEST_SUITE_P(EvaluationErrors, FormulaLanguage, ::testing::Values(
    Case{"5/0", 0, FormulaError::DivisionByZero},
    Case{"A/(B-120)", 0, FormulaError::DivisionByZero},
    Case{"if 1>0 then (5/0) else 1", 0, FormulaError::DivisionByZero},
    Case{"1+(5/0)*0", 0, FormulaError::DivisionByZero}));

// A variable and the number operation after it run as one step; a branch
// that jumps to that operation runs it on its own.
INSTANTIATE_TEST_SUITE_P(VariableThenNumber, FormulaLanguage, ::testing::Values(
    Case{"A/0", 0, FormulaError::DivisionByZero},
    Case{"Undefined/0", 0, FormulaError::DivisionByZero},
    Case{"Undefined*2+A", 200, 0},
    Case{"(if A>B then B else H)/4", 30, 0},
    Case{"(if A<B then B else H)/4", 45, 0},
    Case{"(if A>B then B else H)/3", 40, 0},
    Case{"(if A<B then B else H)-1", 179, 0},
    Case{"(if A>B then B else H)/0", 0, FormulaError::DivisionByZero}));

// A formula that lacks an operand or a part of its conditional takes no value
// from an empty stack: it evaluates to 0 with the malformed-formula error.
INSTANTIATE_TEST_SUITE_P(Malformed, FormulaLanguage, ::testing::Values(
    Case{"5-", 0, FormulaError::Malformed},
    Case{"A*", 0, FormulaError::Malformed},
    Case{"*A", 0, FormulaError::Malformed},
    Case{"+", 0, FormulaError::Malformed},
    Case{"2**", 0, FormulaError::Malformed},
    Case{"sin()", 0, FormulaError::Malformed},
    Case{"()", 0, FormulaError::Malformed},
    Case{"if", 0, FormulaError::Malformed},
    Case{"if A>B then 1", 0, FormulaError::Malformed},
    Case{"if A>B 1 else 2", 0, FormulaError::Malformed},
    Case{"if A then 1 else 2", 0, FormulaError::Malformed},
    Case{"if A<B then 1 else", 0, FormulaError::Malformed},
    Case{"if A>B then 1 else", 1, 0}, // only the chosen branch runs
    Case{"if A>B then A-10 else 0", 0, FormulaError::Malformed}));

// Results that are not finite numbers are errors: later code turns values
// into integer micrometres.
INSTANTIATE_TEST_SUITE_P(NotFinite, FormulaLanguage, ::testing::Values(
    Case{"ctg(0)", 0, FormulaError::NotFinite},
    Case{"ctg(180)", 0, FormulaError::NotFinite},
    Case{"tg(90)", 0, FormulaError::NotFinite},
    Case{"tg(-270)", 0, FormulaError::NotFinite},
    Case{"asin(2)", 0, FormulaError::NotFinite},
    Case{"acos(-1.5)", 0, FormulaError::NotFinite},
    Case{"(-8)**(1/3)", 0, FormulaError::NotFinite},
    Case{"0**(-1)", 0, FormulaError::NotFinite},
    Case{"99999999999999999999**20", 0, FormulaError::NotFinite},
    Case{"round(3000000000)", 0, FormulaError::NotFinite},
    Case{"trunc(-2147483649)", 0, FormulaError::NotFinite},
    Case{"if (asin(2))>0 then 1 else 2", 0, FormulaError::NotFinite}));

// An intermediate value that overflows is an error even where a later
// operation would turn it back into a number (1/infinity is 0, infinity**0
// is 1, the arc tangent of infinity is 90), and it is the error reported
// when a later part of the formula fails as well.
#define MORVEK_E200 "(99999999999999999999**10)"
#define MORVEK_INF "(" MORVEK_E200 "*" MORVEK_E200 ")"
INSTANTIATE_TEST_SUITE_P(Overflow, FormulaLanguage, ::testing::Values(
    Case{MORVEK_E200 "/" MORVEK_E200, 1, 0},
    Case{MORVEK_INF "*0", 0, FormulaError::NotFinite},
    Case{MORVEK_INF "-" MORVEK_INF, 0, FormulaError::NotFinite},
    Case{"1/" MORVEK_INF, 0, FormulaError::NotFinite},
    Case{"A/" MORVEK_INF, 0, FormulaError::NotFinite},
    Case{MORVEK_INF "**0", 0, FormulaError::NotFinite},
    Case{"1**" MORVEK_INF, 0, FormulaError::NotFinite},
    Case{"1**(-" MORVEK_INF ")", 0, FormulaError::NotFinite},
    Case{"atg(" MORVEK_INF ")", 0, FormulaError::NotFinite},
    Case{"if " MORVEK_INF ">0 then 1 else 2", 0, FormulaError::NotFinite},
    Case{"if 0<" MORVEK_INF " then 1 else 2", 0, FormulaError::NotFinite},
    Case{MORVEK_INF "/0", 0, FormulaError::NotFinite},
    Case{MORVEK_INF "+A/0", 0, FormulaError::NotFinite},
    Case{MORVEK_INF "+Undefined/0", 0, FormulaError::NotFinite},
    Case{MORVEK_INF "+(if A<B then 1 else)", 0, FormulaError::NotFinite},
    Case{"-" MORVEK_INF "+" MORVEK_E200, 0, FormulaError::NotFinite}));
#undef MORVEK_INF
#undef MORVEK_E200

INSTANTIATE_TEST_SUITE_P(ParseErrors, FormulaLanguage, ::testing::Values(
    Case{"", 0, FormulaError::Empty},
    Case{"   // note", 0, FormulaError::Empty},
    Case{"(A", 0, FormulaError::UnclosedOpen},
    Case{"A)", 0, FormulaError::UnmatchedClose},
    Case{")A(", 0, FormulaError::UnmatchedClose}));

TEST(FormulaVariableTest, SetFormulaReportsParseErrorsAndKeepsText)
{
    FormulaTable table;
    struct {
        const char* text;
        bool ok;
        int error;
    } cases[] = {
        {"", false, FormulaError::Empty},
        {"   // note", false, FormulaError::Empty},
        {"(A", false, FormulaError::UnclosedOpen},
        {"A)", false, FormulaError::UnmatchedClose},
        {")A(", false, FormulaError::UnmatchedClose},
        {"10 // note", true, 0},
        {"5-", true, 0}, // malformed, but no parse error: it fails when evaluated
        {"if A*2>B then 1 else 2", false, FormulaError::Malformed},
        {"if A>B then sin(30) else 0", false, FormulaError::Malformed},
    };
    for (const auto& c : cases) {
        FormulaVariable v("V", &table.Functions());
        EXPECT_EQ(v.SetFormula(c.text), c.ok) << c.text;
        EXPECT_EQ(v.error, c.error) << c.text;
        EXPECT_EQ(v.GetFormula(), QString::fromUtf8(c.text));
    }
    FormulaVariable constant("C", &table.Functions());
    ASSERT_TRUE(constant.SetFormula("10 // note"));
    EXPECT_TRUE(constant.IsConstant());
    EXPECT_EQ(constant.ConstValue(), 10.0);
}

TEST(FormulaVariableTest, OverlongFormulaIsOutOfMemoryNotAHang)
{
    FormulaTable table;
    QString text = "1";
    for (int i = 0; i < 5000; ++i)
        text += "+1";
    FormulaVariable v("V", &table.Functions());
    EXPECT_TRUE(v.SetFormula(text));
    EXPECT_EQ(v.error, FormulaError::OutOfMemory);
    ASSERT_TRUE(table.AddVariable("Long", text, "", 1000, true));
    EXPECT_FALSE(table.IsValid(0));
    EXPECT_EQ(table.Evaluate("Long"), 0.0);
    EXPECT_EQ(table.LastError(), FormulaError::OutOfMemory);

    // Below the limit a long sum is fine.
    QString sum = "1";
    for (int i = 0; i < 400; ++i)
        sum += "+1";
    EXPECT_EQ(table.Evaluate(sum), 401.0);
}

// Conditionals whose else-branches run to the end of the list build the same
// tokens again; the tree size is bounded.
TEST(FormulaVariableTest, ManyChainedConditionalsStayBounded)
{
    FormulaTable table;
    QString text;
    for (int i = 0; i < 60; ++i)
        text += "if 1>0 then 1 else 2**";
    text += "2";
    const double value = table.Evaluate(text);
    EXPECT_TRUE(std::isfinite(value));
}

TEST(FormulaVariableTest, KeywordsInsideNamesCutThemApart)
{
    EXPECT_EQ(FormulaVariable::FindKeyword(u"Shift"), 2);
    EXPECT_EQ(FormulaVariable::FindKeyword(u"elsethen"), 4); // "then" is tried first
    EXPECT_EQ(FormulaVariable::FindKeyword(u"Width"), -1);
    // "Shift" is read as "Sh", "if", "t": a variable of that name cannot be
    // referred to.
    FormulaTable table;
    ASSERT_TRUE(table.AddVariable("Shift", "5", "", 1000, true,
                                  FormulaTable::NameOrigin::Stored));
    EXPECT_EQ(table.Evaluate("Shift*2"), 0.0);
    EXPECT_EQ(table.LastError(), FormulaError::Malformed);
    EXPECT_EQ(table.Evaluate("Shift"), 5.0); // the name itself is the variable
}

TEST(FormulaVariableTest, TokenPredicates)
{
    EXPECT_TRUE(FormulaVariable::IsPlainNumber(" -1.5 // c"));
    EXPECT_TRUE(FormulaVariable::IsPlainNumber(""));
    EXPECT_TRUE(FormulaVariable::IsPlainNumber("-"));
    EXPECT_FALSE(FormulaVariable::IsPlainNumber("1-2"));
    EXPECT_TRUE(FormulaVariable::IsVariableName(u"A1"));
    EXPECT_FALSE(FormulaVariable::IsVariableName(u"12"));
    EXPECT_FALSE(FormulaVariable::IsVariableName(u"then"));
    EXPECT_FALSE(FormulaVariable::IsVariableName(u"^"));
    EXPECT_TRUE(FormulaVariable::IsComparisonOperator(u"!="));
    EXPECT_FALSE(FormulaVariable::IsComparisonOperator(u"=="));
}

TEST(FormulaVariableTest, LeadingKeywordLength)
{
    FormulaTable table;
    FormulaVariable v("V", &table.Functions());
    EXPECT_EQ(v.LeadingKeywordLength(u"sin(30)"), 3);
    EXPECT_EQ(v.LeadingKeywordLength(u"  then 1"), 6);
    EXPECT_EQ(v.LeadingKeywordLength(u"a sin"), 5);
    EXPECT_EQ(v.LeadingKeywordLength(u"**2"), 2);
    EXPECT_EQ(v.LeadingKeywordLength(u"iffy"), 2);
    EXPECT_EQ(v.LeadingKeywordLength(u"Width"), 0);
    EXPECT_EQ(v.LeadingKeywordLength(u""), 0);
}

} // namespace

namespace {

// Formulas made of random tokens: whatever the parse makes of them, the
// evaluation takes no value from an empty stack (the sanitizers would say),
// and it yields a finite value, or 0 with an error code.
TEST(FormulaVariableTest, RandomTokenSoupIsSafe)
{
    const char* const alphabet[] = {"A", "B", "2", "0", ".5", "(", ")", "+", "-", "*", "/",
                                    "^", "**", "if", "then", "else", ">", "=", "!=", "<=",
                                    "sin", "round", "ctg", "asin", "//", " ", "X"};
    const int size = static_cast<int>(std::size(alphabet));
    FormulaTable table;
    ASSERT_TRUE(table.AddDefaultVariables());
    ASSERT_TRUE(table.AddVariable("X", "A/(B-120)", "", 1000, true));
    uint32_t state = 7;
    for (int round = 0; round < 3000; ++round) {
        QString text;
        state = state * 1664525u + 1013904223u;
        const int length = 1 + static_cast<int>((state >> 16) % 14);
        for (int i = 0; i < length; ++i) {
            state = state * 1664525u + 1013904223u;
            text += QString::fromUtf8(alphabet[(state >> 16) % size]);
        }
        const double value = table.Evaluate(text);
        const int error = table.LastError();
        EXPECT_TRUE(std::isfinite(value)) << text.toStdString();
        EXPECT_TRUE(error >= 0 && error <= FormulaError::NotFinite && error != 3 && error != 4)
            << text.toStdString() << " " << error;
        if (error != 0) {
            EXPECT_EQ(value, 0.0) << text.toStdString();
        }
    }
}

} // namespace
