// The layout optimisation: paper sizes added and deleted in the shared
// table, ">>" and "All >>" storing both orientations, the result list's
// texts and cached fits, deletions and Load; and the dialog offscreen
// (Load without a row asks and stays open, a layout in use is refused).
#include "dlg/CalcLayoutDlg.h"
#include "dlg/LayoutOptimisation.h"

#include "common/LanguageTestSupport.h"
#include "document/MorvekDoc.h"
#include "platform/Prompt.h"
#include "section/LayoutStore.h"
#include "section/Section.h"

#include <QComboBox>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <deque>

namespace {

using namespace dlg;

class Optimisation : public testing::Test {
protected:
    Optimisation()
    {
        (void)doc_.GetCurrentSection()->AddLine3(0, 0, 100, 50, true, 1);
        first_ = store().AddLayout({}, {}, QStringLiteral(" Layout1"));
    }
    LayoutStore& store() { return *doc_.GetLayoutStore(); }
    PaperSizes Papers()
    {
        return {sizes_, [](const std::pair<double, double>& size) -> std::optional<QString> {
                    if (size == std::pair<double, double>{297, 210})
                        return QStringLiteral("A4");
                    return std::nullopt;
                }};
    }
    std::vector<const LayoutResult*> Results()
    {
        std::vector<const LayoutResult*> results;
        store().GetResults(results);
        return results;
    }

    CMorvekDoc doc_;
    std::deque<std::pair<double, double>> sizes_{{297, 210}, {600, 600}};
    const SavedLayout* first_ = nullptr;
    LayoutOptimisation logic_{store(), *doc_.GetCurrentSection(), Papers()};
};

TEST_F(Optimisation, PaperSizesAreAddedOnceWithinTheLimits)
{
    struct Case {
        const char* a;
        const char* b;
        bool added;
    };
    const Case cases[] = {
        {"297", "210", false}, // A4 already
        {"210", "297", false}, // either order
        {"500", "700", true},
        {"700", "500", false},
        {"10001", "500", false},
        {"0", "500", false},
        {"-5", "500", false},
        {"abc", "500", false},
        {"10000", "1", true},
    };
    for (const Case& c : cases) {
        const std::size_t before = sizes_.size();
        const std::optional<int> index = logic_.AddPaper(QString::fromLatin1(c.a), QString::fromLatin1(c.b));
        EXPECT_EQ(index.has_value(), c.added) << c.a << " x " << c.b;
        EXPECT_EQ(sizes_.size(), before + (c.added ? 1 : 0));
        if (index) {
            EXPECT_EQ(*index, static_cast<int>(before));
        }
    }
    const std::vector<QString> entries = logic_.PaperEntries();
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0], QStringLiteral("297 x 210  (A4)"));
    EXPECT_EQ(entries[2], QStringLiteral("700 x 500"));
    EXPECT_TRUE(logic_.DeletePaper(0)); // a named size too
    EXPECT_FALSE(logic_.DeletePaper(3));
    EXPECT_EQ(sizes_.front(), (std::pair<double, double>{600, 600}));
}

TEST_F(Optimisation, OptimiseStoresBothOrientationsOfAnOblongPaper)
{
    EXPECT_FALSE(logic_.Optimise(nullptr, 0));
    EXPECT_FALSE(logic_.Optimise(first_, std::nullopt));
    EXPECT_FALSE(logic_.Optimise(first_, 7));
    EXPECT_TRUE(Results().empty());

    ASSERT_TRUE(logic_.AddPaper(QStringLiteral("700"), QStringLiteral("500")));
    ASSERT_TRUE(logic_.Optimise(first_, 2));
    ASSERT_EQ(Results().size(), 2u);
    EXPECT_EQ(Results()[0]->width, 700);
    EXPECT_EQ(Results()[0]->height, 500);
    EXPECT_EQ(Results()[1]->width, 500);
    EXPECT_EQ(Results()[1]->height, 700);
    ASSERT_TRUE(logic_.Optimise(first_, 1)); // 600 x 600
    EXPECT_EQ(Results().size(), 3u);

    (void)store().AddLayout({}, {}, QStringLiteral(" Layout2"));
    ASSERT_TRUE(logic_.OptimiseAll(0));
    EXPECT_EQ(Results().size(), 7u);
    EXPECT_FALSE(logic_.OptimiseAll(std::nullopt));
}

TEST_F(Optimisation, ColumnTexts)
{
    EXPECT_EQ(LayoutOptimisation::BestFitText({3, 2, 0}), QStringLiteral("12 (4 x 3)"));
    EXPECT_EQ(LayoutOptimisation::BestFitText({0, 0, 0}), QStringLiteral("1 (1 x 1)"));
    const std::pair<double, const char*> spare[] = {
        {0.9995, "100%"}, {1.0, "100%"}, {0.85, ">85%"}, {0.004, ">0%"}, {0.0, "-"}, {-0.1, "-"}};
    for (const auto& [fraction, text] : spare)
        EXPECT_EQ(LayoutOptimisation::SpareText(fraction), QString::fromLatin1(text)) << fraction;
    EXPECT_EQ(logic_.PaperColumnText(210, 297), QStringLiteral("210 x 297 (A4)"));
    EXPECT_EQ(logic_.PaperColumnText(700, 500), QStringLiteral("700 x 500 mm"));
}

TEST_F(Optimisation, RowsShowEachResultsBestFitAndLoadChoosesOne)
{
    ASSERT_TRUE(logic_.AddPaper(QStringLiteral("410"), QStringLiteral("160")));
    EXPECT_FALSE(logic_.Load(nullptr));
    ASSERT_TRUE(logic_.Optimise(first_, 2));
    EXPECT_FALSE(logic_.Load(Results()[0])) << "not listed yet";
    const std::vector<LayoutResultRow> rows = logic_.Rows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].layout, QStringLiteral(" Layout1"));
    EXPECT_EQ(rows[0].paper, QStringLiteral("410 x 160 mm"));
    EXPECT_EQ(rows[0].bestFit, QStringLiteral("12 (4 x 3)"));
    EXPECT_EQ(rows[1].paper, QStringLiteral("160 x 410 mm"));
    const std::optional<ChosenLayoutResult> chosen = logic_.Load(rows[0].result);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->result, Results()[0]);
    EXPECT_EQ(chosen->fit.lastX, 3);
    EXPECT_EQ(chosen->fit.lastY, 2);
}

TEST_F(Optimisation, ALayoutInUseIsKeptUntilItsResultsGo)
{
    ASSERT_TRUE(logic_.Optimise(first_, 0));
    (void)logic_.Rows();
    EXPECT_FALSE(logic_.DeleteLayout(first_));
    for (const LayoutResult* result : Results())
        EXPECT_TRUE(logic_.DeleteResult(result));
    EXPECT_FALSE(logic_.FitOf(Results().empty() ? nullptr : Results()[0]));
    EXPECT_TRUE(logic_.DeleteLayout(first_));
}

class OptimisationDialog : public Optimisation {
protected:
    test::ScopedTestEnvironment env_;
    test::ScopedLanguage english_{env_, test::EnglishTexts()};
    platform::ScriptedPrompt prompt_;
    platform::ScopedOverride<platform::Prompt*> usePrompt_ = platform::installPrompt(prompt_);
};

TEST_F(OptimisationDialog, LoadWithoutARowAsksAndStaysOpen)
{
    CalcLayout dialog(nullptr, store(), *doc_.GetCurrentSection(), Papers());
    dialog.show();
    EXPECT_EQ(dialog.Papers()->currentText(), QStringLiteral("600 x 600"));
    EXPECT_EQ(dialog.Layouts()->currentText(), QStringLiteral(" Layout1"));
    dialog.OnOptimise();
    EXPECT_EQ(dialog.Results()->topLevelItemCount(), 1);
    prompt_.push(platform::PromptResult::Ok);
    dialog.OnLoad();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    ASSERT_EQ(prompt_.texts().size(), 1);
    EXPECT_EQ(prompt_.texts()[0], TranslateKey(QStringLiteral("select to load")));

    prompt_.push(platform::PromptResult::Yes);
    prompt_.push(platform::PromptResult::Ok);
    dialog.OnDeleteLayout();
    EXPECT_EQ(prompt_.texts().last(), TranslateKey(QStringLiteral("layout in use")));
    EXPECT_EQ(dialog.Layouts()->count(), 1);
    EXPECT_EQ(prompt_.unexpected(), 0);
}

} // namespace
