// The bridge rule table dialog's logic: new ids, the checks a rule passes,
// the list, and OK against Cancel with the options' rules saved and read
// back.
#include "dlg/BridgeRuleEditor.h"
#include "options/Options.h"

#include "common/TempDir.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

using dlg::BridgeRuleEditor;

BridgeRule Rule(int id, int kind, double min, double max, int count = 1, double length = 3.0)
{
    return {id, kind, count, length, min, max};
}

std::vector<int> Ids(const BridgeRuleEditor& editor)
{
    std::vector<int> ids;
    for (const auto& [id, rule] : editor.Rules())
        ids.push_back(id);
    return ids;
}

auto Values(const BridgeRule& r)
{
    return std::make_tuple(r.kind, r.count, r.bridgeLength, r.minLength, r.maxLength);
}

TEST(BridgeRuleEditor, NewRuleTakesTheLowestFreePositiveId)
{
    struct Case {
        std::vector<int> ids;
        int expected;
    } cases[] = {
        {{1, 2, 4}, 3},
        {{1, 2, 3}, 4},
        {{-1, -2}, 1}, // negative ids do not count
        {{-3, 2}, 1},
        {{}, 1},
    };
    for (const Case& c : cases) {
        BridgeRuleSet rules;
        for (int id : c.ids)
            rules.insert(Rule(id, 1, 10.0 * id, 10.0 * id + 5));
        BridgeRuleEditor editor;
        editor.SetRuleTable(&rules);
        ASSERT_TRUE(editor.Add({500, 600, 2, 4, 0}));
        std::vector<int> expected = c.ids;
        expected.push_back(c.expected);
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(Ids(editor), expected); // ascending, negative ids first
        EXPECT_EQ(editor.Rules().at(c.expected).count, 2);
    }
}

TEST(BridgeRuleEditor, RulesAreChecked)
{
    struct Case {
        BridgeRuleEditor::Fields fields;
        bool accepted;
        double storedLength;
    } cases[] = {
        {{100, 100, 2, 5, 1}, false, 0},   // maximum not above minimum
        {{100, 50, 2, 5, 1}, false, 0},
        {{0, 100, 0, 5, 1}, true, 0},      // no bridges: no length
        {{0, 100, 2, 0, 1}, false, 0},     // bridges without a length
        {{0, 100, -1, 5, 1}, false, 0},
        {{0, 100, 2, 5, 3}, true, 5},
    };
    for (const Case& c : cases) {
        BridgeRuleEditor editor;
        EXPECT_EQ(editor.Add(c.fields), c.accepted) << c.fields.minLength << " " << c.fields.count;
        ASSERT_EQ(editor.Rules().size(), c.accepted ? 1u : 0u);
        if (c.accepted) {
            EXPECT_EQ(editor.Rules().begin()->second.bridgeLength, c.storedLength);
        }
    }
}

TEST(BridgeRuleEditor, ListCells)
{
    const BridgeRule rule = Rule(1, 3, 10, 250.5, 4, 2.25);
    const char* expected[] = {"Ellipse", "10.00", "250.50", "4", "2.25"};
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(BridgeRuleEditor::Cell(rule, c), expected[c]);
}

TEST(BridgeRuleEditor, DefaultsBelowZeroAreZero)
{
    EXPECT_EQ(BridgeRuleEditor::DefaultValue(-3), 0.0);
    EXPECT_EQ(BridgeRuleEditor::DefaultValue(2.5), 2.5);
}

class BridgeRuleDialogTest : public ::testing::Test {
protected:
    BridgeRuleDialogTest()
    {
        env.dir().write(QStringLiteral("app/Defaults/bridges.ini"),
                        "[1]\ntype=line\nmin_len=0\nmax_len=100\nbridge_num=1\nbridge_len=3\n"
                        "[d1]\ntype=all\nmin_len=0\nmax_len=1000\nbridge_num=2\nbridge_len=4\n"
                        "[defaults]\nper_len=200\nlen=3\n");
        options.LoadBridges();
        options.GetBridgeSettings(rules, perLength, length);
    }
    test::ScopedTestEnvironment env;
    COptions options;
    BridgeRuleSet* rules = nullptr;
    double* perLength = nullptr;
    double* length = nullptr;
};

TEST_F(BridgeRuleDialogTest, OkSavesWhatTheNextStartReads)
{
    BridgeRuleEditor editor;
    editor.SetRuleTable(rules);
    editor.SetDefaultValues(perLength, length);
    EXPECT_EQ(Ids(editor), (std::vector<int>{-1, 1}));
    ASSERT_TRUE(editor.Add({100, 500, 3, 6, 2}));  // id 2
    ASSERT_TRUE(editor.Add({0, 100, 4, 2.5, 1})); // corrected copy of rule 1 (id 3)
    editor.Delete(1);
    editor.perLength = 150;
    editor.length = 2;
    ASSERT_TRUE(editor.Apply());
    ASSERT_TRUE(options.SaveBridges());

    COptions reread;
    reread.LoadBridges();
    BridgeRuleSet* readRules = nullptr;
    double* readPer = nullptr;
    double* readLength = nullptr;
    reread.GetBridgeSettings(readRules, readPer, readLength);
    std::vector<decltype(Values(BridgeRule{}))> expected, read;
    for (const auto& [id, rule] : editor.Rules())
        expected.push_back(Values(rule));
    for (const BridgeRule& rule : *readRules)
        read.push_back(Values(rule));
    std::sort(expected.begin(), expected.end());
    std::sort(read.begin(), read.end());
    EXPECT_EQ(read, expected);
    EXPECT_EQ(*readPer, 150.0);
    EXPECT_EQ(*readLength, 2.0);
    EXPECT_EQ(reread.GetAutoLengthNumBridges(50, 2).count, 4); // a line of 50 mm: the corrected rule
}

TEST_F(BridgeRuleDialogTest, WithoutOkTheOptionsStayAsTheyWere)
{
    const BridgeRuleSet before = *rules;
    {
        BridgeRuleEditor editor;
        editor.SetRuleTable(rules);
        editor.SetDefaultValues(perLength, length);
        ASSERT_TRUE(editor.Add({100, 500, 3, 6, 2}));
        editor.Delete(-1);
        editor.perLength = 7;
    }
    ASSERT_EQ(rules->size(), before.size());
    for (auto a = rules->begin(), b = before.begin(); a != rules->end(); ++a, ++b)
        EXPECT_EQ(Values(*a), Values(*b));
    EXPECT_EQ(*perLength, 200.0);
}

TEST_F(BridgeRuleDialogTest, TwoRulesOfOneKindAndRangeAreRefusedOnOk)
{
    // The options hold one rule per kind and range: a corrected copy added
    // while the old rule is still listed would drop one of them unseen.
    BridgeRuleEditor editor;
    editor.SetRuleTable(rules);
    editor.SetDefaultValues(perLength, length);
    ASSERT_TRUE(editor.Add({0, 100, 4, 2.5, 1}));
    EXPECT_FALSE(editor.Apply());
    EXPECT_EQ(rules->size(), 2u); // untouched
    EXPECT_EQ(rules->begin()->count, 1);
    editor.Delete(1);
    EXPECT_TRUE(editor.Apply());
    EXPECT_EQ(rules->begin()->count, 4);
}

} // namespace
