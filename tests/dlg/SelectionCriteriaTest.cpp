// The selection wizard's criteria on a layer of lines and an arc with
// bridges, ptg values and a die board: the lines they show, AND and OR,
// the limit of criteria, the delete action's undo step; and the first
// page's Next over them.
#include "dlg/SelectionWizard.h"

#include "common/LanguageTestSupport.h"
#include "document/MorvekDoc.h"
#include "element/Bridge.h"
#include "element/Element.h"
#include "platform/Prompt.h"
#include "section/Section.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

using dlg::SelectionCriteria;
using Cmp = SelectionCriteria::Comparison;

constexpr int kTypeLines = 2; // index of text 471 in the type combo

class SelectionCriteriaTest : public testing::Test {
protected:
    void SetUp() override
    {
        // Lines with 1, 2, 3 and 4 bridges (ptg 2 but the last), an arc
        // with 3 and ptg 2, and the die board.
        int bridges = 1;
        for (double y : {0.0, 10.0, 20.0, 30.0})
            Add(section_.AddLine3(0, y, 100, y, true, 1).Get(), bridges++, y == 30.0 ? 3 : 2);
        Add(section_.AddArc3(200, 0, 250, 0, 250, 0, true, 1).Get(), 3, 2);
        board_ = section_.AddWood(-10, 50, 300, -10, 0).Get();
        ASSERT_NE(board_, nullptr);
        doc_.Undo().Reset();
    }
    void Add(CElement* e, int bridges, int ptg)
    {
        ASSERT_NE(e, nullptr);
        std::vector<Bridge> list;
        for (int i = 0; i < bridges; ++i)
            list.push_back({0, 10.0 + 20.0 * i, 2.0});
        e->SetBridgeMode(BridgeMode::ByHand);
        e->SetBridges(list);
        e->SetPtg(ptg);
        elements_.push_back(e);
    }
    // The selected elements as "L1".."L4", "A3".
    QStringList Selected() const
    {
        QStringList names;
        for (const CElement* e : elements_)
            if (e->IsSelected())
                names << QStringLiteral("%1%2")
                             .arg(e->GetTypeId() == ElementTypeId::Line ? 'L' : 'A')
                             .arg(e->GetBridges().Count());
        return names;
    }

    test::ScopedTestEnvironment env_;
    test::ScopedLanguage english_{env_, test::EnglishTexts()};
    platform::ScriptedPrompt prompt_;
    platform::ScopedOverride<platform::Prompt*> usePrompt_ = platform::installPrompt(prompt_);
    CMorvekDoc doc_;
    Section& section_ = *doc_.GetCurrentSection();
    std::vector<CElement*> elements_;
    CElement* board_ = nullptr;
};

TEST_F(SelectionCriteriaTest, SelectsByTheCriteriaJoinedByAndOrOr)
{
    SelectionCriteria criteria;
    EXPECT_EQ(criteria.Select(section_, true), -1) << "no criterion selects nothing";
    ASSERT_TRUE(criteria.AddType(false, kTypeLines));
    ASSERT_TRUE(criteria.AddBridgeCount(Cmp::Greater, 2));
    EXPECT_EQ(criteria.Lines(),
              (QStringList{"Type is  Lines", "Number of bridges is greater than 2"}));

    EXPECT_EQ(criteria.Select(section_, true), 2);
    EXPECT_EQ(Selected(), (QStringList{"L3", "L4"}));
    EXPECT_EQ(criteria.Select(section_, false), 5);
    EXPECT_EQ(Selected(), (QStringList{"L1", "L2", "L3", "L4", "A3"}));
    EXPECT_FALSE(board_->IsSelected());
}

TEST_F(SelectionCriteriaTest, EachPropertyAndComparison)
{
    struct Case {
        const char* line;
        bool (*add)(SelectionCriteria&);
        QStringList selected;
    };
    const Case cases[] = {
        {"Ptg is not equal to 2.000000", [](SelectionCriteria& c) { return c.AddPtg(Cmp::NotEqual, 2); }, {"L4"}},
        {"Ptg is less than 2.500000", [](SelectionCriteria& c) { return c.AddPtg(Cmp::Less, 2.5); },
         {"L1", "L2", "L3", "A3"}},
        {"Number of bridges is equal to 3", [](SelectionCriteria& c) { return c.AddBridgeCount(Cmp::Equal, 3); },
         {"L3", "A3"}},
        {"Number of bridges is less than 2", [](SelectionCriteria& c) { return c.AddBridgeCount(Cmp::Less, 2); },
         {"L1"}},
        {"Type is not  Lines", [](SelectionCriteria& c) { return c.AddType(true, kTypeLines); }, {"A3"}},
        {"Type is  Any element", [](SelectionCriteria& c) { return c.AddType(false, 0); },
         {"L1", "L2", "L3", "L4", "A3"}},
        {"Bridge mode is  by hand", [](SelectionCriteria& c) { return c.AddBridgeMode(false, 2); },
         {"L1", "L2", "L3", "L4", "A3"}},
        {"Bridge mode is  by rule table", [](SelectionCriteria& c) { return c.AddBridgeMode(false, 0); }, {}},
        {"Line type is  Cut", [](SelectionCriteria& c) { return c.AddLineType(false, 1, QStringLiteral("Cut")); },
         {"L1", "L2", "L3", "L4", "A3"}},
    };
    for (const Case& c : cases) {
        SelectionCriteria criteria;
        ASSERT_TRUE(c.add(criteria)) << c.line;
        EXPECT_EQ(criteria.Lines(), QStringList{QString::fromUtf8(c.line)});
        criteria.Select(section_, true);
        EXPECT_EQ(Selected(), c.selected) << c.line;
    }
    // The selected state: the current selection (L1) is sought.
    elements_[0]->SetSelection(1);
    for (std::size_t i = 1; i < elements_.size(); ++i)
        elements_[i]->SetSelection(0);
    SelectionCriteria selected;
    ASSERT_TRUE(selected.AddSelected(false));
    EXPECT_EQ(selected.Lines(), QStringList{"Selection is  not selected"});
    selected.Select(section_, true);
    EXPECT_EQ(Selected(), (QStringList{"L2", "L3", "L4", "A3"}));
}

TEST_F(SelectionCriteriaTest, NoHundredAndFirstCriterionAndRemove)
{
    SelectionCriteria criteria;
    for (int i = 0; i < SelectionCriteria::kMaxCriteria; ++i)
        ASSERT_TRUE(criteria.AddBridgeCount(Cmp::Greater, i));
    EXPECT_FALSE(criteria.AddPtg(Cmp::Less, 1));
    EXPECT_FALSE(criteria.AddSelected(true));
    EXPECT_EQ(criteria.Count(), SelectionCriteria::kMaxCriteria);
    EXPECT_EQ(criteria.Lines().size(), SelectionCriteria::kMaxCriteria);

    criteria.Remove(0);
    criteria.Remove(500);
    ASSERT_EQ(criteria.Count(), 99);
    EXPECT_EQ(criteria.Criteria().front().intValue, 1);
    EXPECT_EQ(criteria.Lines().front(), QStringLiteral("Number of bridges is greater than 1"));
}

TEST_F(SelectionCriteriaTest, DeleteIsOneUndoStep)
{
    SelectionCriteria criteria;
    ASSERT_TRUE(criteria.AddBridgeCount(Cmp::Greater, 2));
    ASSERT_EQ(criteria.Select(section_, true), 3);
    doc_.SetModifiedFlag(false);
    EXPECT_TRUE(SelectionCriteria::DeleteSelected(doc_));
    EXPECT_EQ(section_.GetSelectedCount(), 0);
    int left = 0;
    for ([[maybe_unused]] CElement* e : section_)
        ++left;
    EXPECT_EQ(left, 3) << "two lines and the board";
    ASSERT_EQ(doc_.Undo().GetUndoCount(), 1);
    EXPECT_EQ(doc_.Undo().NextUndo()->title, SelectionCriteria::kTextDeleteTitle);
    EXPECT_TRUE(doc_.IsModified());
    doc_.Undo().Undo();
    EXPECT_EQ(Selected(), (QStringList{"L3", "L4", "A3"}));
}

// Next selects; with nothing matching it asks 449, No stays and Yes goes on
// with the empty selection; without a criterion it stays and asks nothing.
TEST_F(SelectionCriteriaTest, FirstPageNextSelectsAndAsksWhenNothingMatches)
{
    dlg::CSelectElementDlg page(doc_, nullptr);
    using P = dlg::CSelectElementDlg;
    EXPECT_FALSE(page.validatePage());
    EXPECT_TRUE(prompt_.texts().isEmpty());

    page.ValueBox(P::Type)->setCurrentIndex(kTypeLines);
    page.AddButton(P::Type)->click();
    page.BridgeCountEdit()->setText(QStringLiteral("2"));
    page.Relation(P::BridgeCount)->setCurrentIndex(static_cast<int>(Cmp::Greater));
    page.AddButton(P::BridgeCount)->click();
    ASSERT_EQ(page.List()->count(), 2);
    EXPECT_EQ(page.List()->item(1)->text(), QStringLiteral("Number of bridges is greater than 2"));
    EXPECT_TRUE(page.validatePage());
    EXPECT_EQ(Selected(), (QStringList{"L3", "L4"}));

    page.BridgeCountEdit()->setText(QStringLiteral("9"));
    page.AddButton(P::BridgeCount)->click();
    prompt_.push(platform::PromptResult::No);
    prompt_.push(platform::PromptResult::Yes);
    EXPECT_FALSE(page.validatePage());
    EXPECT_TRUE(page.validatePage());
    EXPECT_EQ(prompt_.texts(), (QStringList(2, Translate(SelectionCriteria::kTextNothingSelected))));
    EXPECT_TRUE(Selected().isEmpty());

    page.List()->setCurrentRow(0);
    page.DeleteButton()->click();
    EXPECT_EQ(page.Criteria().Count(), 2);
    EXPECT_EQ(page.List()->item(0)->text(), QStringLiteral("Number of bridges is greater than 2"));
}

// At the limit the Add buttons stand disabled and add nothing; a deleted
// line makes room again.
TEST_F(SelectionCriteriaTest, FirstPageAddsNoHundredAndFirstCriterion)
{
    using P = dlg::CSelectElementDlg;
    dlg::CSelectElementDlg page(doc_, nullptr);
    for (int i = 0; i < SelectionCriteria::kMaxCriteria; ++i)
        ASSERT_TRUE(page.AddCriterion(P::Ptg));
    EXPECT_FALSE(page.AddButton(P::Ptg)->isEnabled());
    EXPECT_FALSE(page.AddCriterion(P::Type));
    EXPECT_EQ(page.List()->count(), SelectionCriteria::kMaxCriteria);
    page.List()->setCurrentRow(5);
    page.DeleteButton()->click();
    EXPECT_TRUE(page.AddButton(P::Type)->isEnabled());
}

} // namespace
