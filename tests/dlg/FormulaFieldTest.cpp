// The formula field: its tokens and colours, the parentheses check, the
// placeholder snapping and the entries of its two menus.
#include "dlg/FormulaTokens.h"
#include "dlg/VariableEditCtrl.h"
#include "formula/FormulaTable.h"

#include <QAction>
#include <QMenu>
#include <QTextCharFormat>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace dlg::formulatokens;

struct TableWithDefaults : ::testing::Test {
    void SetUp() override { ASSERT_TRUE(table.AddDefaultVariables()); }
    FormulaTable table;
};

TEST_F(TableWithDefaults, TokensOfFormulas)
{
    const struct {
        const char* text;
        bool withTable;
        std::vector<Token> tokens;
    } cases[] = {
        {"(A+B)*2", true,
         {{kParenthesis, 0, 1}, {kVariable, 1, 2}, {kOperator, 2, 3}, {kVariable, 3, 4}, {kParenthesis, 4, 5},
          {kOperator, 5, 6}, {kNumber, 6, 7}}},
        {"x**2", true, {{kOperator, 1, 3}, {kNumber, 3, 4}}},
        {"!=", true, {{kComparison, 0, 1}, {kComparison, 1, 2}}},
        {"!", true, {}},
        {"A<=B", true, {{kVariable, 0, 1}, {kComparison, 1, 2}, {kComparison, 2, 3}, {kVariable, 3, 4}}},
        {"sin( <INSERT> )", true,
         {{kFunction, 0, 3}, {kParenthesis, 3, 4}, {kPlaceholder, 5, 13}, {kParenthesis, 14, 15}}},
        {"if A>1 then 2 else MatThick", true,
         {{kFunction, 0, 2}, {kVariable, 2, 4}, {kComparison, 4, 5}, {kNumber, 5, 7}, {kFunction, 7, 11},
          {kNumber, 12, 14}, {kFunction, 14, 18}, {kVariable, 18, 27}}},
        {"1.5 + 2", true, {{kNumber, 0, 4}, {kOperator, 4, 5}, {kNumber, 6, 7}}},
        // Without a table names stay plain; the rest still colours.
        {"(A+1)", false, {{kParenthesis, 0, 1}, {kOperator, 2, 3}, {kNumber, 3, 4}, {kParenthesis, 4, 5}}},
        {"Q", true, {}}, // no variable of that name
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Scan(QString::fromLatin1(c.text), c.withTable ? &table : nullptr), c.tokens) << c.text;
    }
}

TEST(FormulaTokens, ParenthesesCheck)
{
    const struct {
        const char* text;
        int state;
    } cases[] = {{"", 0}, {"(A+B)*2", 0}, {"(A+B*2", 1}, {"A+B)*2", -1}, {")(", -1}, {"((1)", 1}, {"2", 0}};
    for (const auto& c : cases)
        EXPECT_EQ(CheckParentheses(QString::fromLatin1(c.text)), c.state) << c.text;
}

TEST(FormulaTokens, SelectionSnapsToPlaceholders)
{
    const QString text = QStringLiteral("a<INSERT>b");
    const struct {
        Selection previous;
        int start, end;
        Selection expected;
    } cases[] = {
        {{0, 0}, 3, 3, {1, 9, false}}, // between "I" and "N": the whole placeholder
        {{0, 0}, 1, 1, {1, 1, false}}, // just before "<": stays
        {{0, 0}, 9, 9, {9, 9, false}}, // just after ">": stays
        {{0, 0}, 0, 4, {0, 9, false}}, // the end moved right into it: to its end
        {{0, 10}, 0, 5, {0, 1, false}}, // the end moved left into it: to its start
        {{0, 10}, 4, 10, {9, 10, true}}, // the start moved right into it
    };
    for (const auto& c : cases)
        EXPECT_EQ(Snap(text, c.previous, c.start, c.end), c.expected) << c.start << "-" << c.end;
}

TEST_F(TableWithDefaults, FunctionMenuHoldsTheGroupsAndTemplates)
{
    const std::vector<FunctionItem> entries = FunctionEntries(&table);
    QStringList labels;
    for (const FunctionItem& e : entries)
        labels << (e.separator ? QStringLiteral("|") : e.label);
    EXPECT_EQ(labels.join(u' '),
              QStringLiteral("sin cos tg ctg | asin acos atg actg | abs round trunc | rad deg | if | ** sqr sqrt"));
    EXPECT_EQ(FunctionTemplate(QStringLiteral("if")),
              QStringLiteral("if( <INSERT> then <INSERT> else <INSERT> )"));
    EXPECT_EQ(FunctionTemplate(QStringLiteral("**")), QStringLiteral("( <INSERT> )**( <INSERT> )"));
    EXPECT_EQ(FunctionTemplate(QStringLiteral("sqr")), QStringLiteral("( <INSERT> )**( 2 )"));
    EXPECT_TRUE(FunctionEntries(nullptr).empty());
    EXPECT_TRUE(VariableEntries(nullptr).empty());
}

TEST_F(TableWithDefaults, VariableMenuSortsAndShortensFormulas)
{
    ASSERT_TRUE(table.AddVariable(QStringLiteral("Long"), QStringLiteral("1+1+1+1+1+1+1+1+1+1"), {}, 1000, true));
    ASSERT_TRUE(table.AddVariable(QStringLiteral("b"), QStringLiteral("3"), {}, 1000, true));
    const std::vector<VariableGroup> groups = VariableEntries(&table);
    ASSERT_EQ(groups.size(), 1u);
    QStringList names;
    for (const VariableItem& e : groups[0].entries)
        names << e.name;
    EXPECT_EQ(names.join(u' '), QStringLiteral("A B E H Long MatThick PI b")); // capitals first
    EXPECT_EQ(groups[0].entries[4].label, QStringLiteral("Long\t(10.00 = 1+1+1+1+1+1+1 ...)"));
    EXPECT_EQ(VariableLabel(QStringLiteral("X"), 2.0, QStringLiteral("1234567890123456")),
              QStringLiteral("X\t(2.00 = 1234567890123456)"));
}

TEST_F(TableWithDefaults, ManyVariablesAreGroupedByInitial)
{
    for (int i = 0; i < 40; ++i)
        ASSERT_TRUE(table.AddVariable(QStringLiteral("W%1").arg(i), QStringLiteral("1"), {}, 1000, true));
    const std::vector<VariableGroup> groups = VariableEntries(&table);
    QStringList titles;
    size_t total = 0;
    for (const VariableGroup& g : groups) {
        titles << g.title;
        total += g.entries.size();
    }
    EXPECT_EQ(titles.join(u' '), QStringLiteral("A B E H M P W"));
    EXPECT_EQ(total, 46u);
}

// The field colours what is typed and inserts a template over the selection.
TEST_F(TableWithDefaults, FieldColoursAndInsertsTemplates)
{
    dlg::CVariableEditCtrl field(&table);
    field.SetText(QStringLiteral("(A+B)*2"));
    auto colourAt = [&field](int pos) {
        const QTextBlock block = field.document()->findBlock(pos);
        for (const QTextLayout::FormatRange& r : block.layout()->formats())
            if (pos - block.position() >= r.start && pos - block.position() < r.start + r.length)
                return r.format.foreground().color();
        return QColor();
    };
    EXPECT_EQ(colourAt(0), QColor(0, 255, 0));
    EXPECT_EQ(colourAt(1), QColor(128, 128, 0));
    EXPECT_EQ(colourAt(2), QColor(125, 125, 125));
    QTextCursor cursor(field.document());
    cursor.setPosition(4);
    cursor.deleteChar(); // the closing parenthesis
    EXPECT_EQ(field.ParenthesesState(), 1);
    EXPECT_EQ(colourAt(0), QColor(255, 0, 0));

    field.SetText(QStringLiteral("xyz"));
    QTextCursor one(field.document());
    one.setPosition(1);
    one.setPosition(2, QTextCursor::KeepAnchor);
    field.setTextCursor(one);
    std::unique_ptr<QMenu> menu(field.BuildContextMenu(nullptr));
    QMenu* functions = menu->findChild<QMenu*>(QStringLiteral("InsertFunction"));
    ASSERT_NE(functions, nullptr);
    QAction* sqrt = nullptr;
    for (QAction* a : functions->actions())
        if (a->text() == u"sqrt")
            sqrt = a;
    ASSERT_NE(sqrt, nullptr);
    sqrt->trigger();
    EXPECT_EQ(field.Text(), QStringLiteral("x( <INSERT> )**( 1/2 )z"));

    // A caret put inside a placeholder selects it whole.
    QTextCursor inside(field.document());
    inside.setPosition(5);
    field.setTextCursor(inside);
    EXPECT_EQ(field.textCursor().selectedText(), QStringLiteral("<INSERT>"));
}

} // namespace
