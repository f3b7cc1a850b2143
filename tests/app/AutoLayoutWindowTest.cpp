// Die > Automatic Layout and the layout optimisation through the real
// window offscreen: 3 × 2 copies make six placements and mark the drawing
// modified; Optimize with ">>" on A4 to A0 lists two results per paper; a
// pick button's two points come back into its row, and a cancelled pick
// leaves nothing for the next opening.
#include "app/WindowFixture.h"

#include "dlg/AutoInstanceDlg.h"
#include "dlg/CalcLayoutDlg.h"
#include "platform/Prompt.h"
#include "section/LayoutStore.h"
#include "shell/CommandId.h"

#include "common/LanguageTestSupport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <functional>

namespace {

using dlg::AutoField;
using dlg::CAutoInstanceDlg;
using shell::CommandId;
using shell::ToInt;

template <class Dialog> void WhenShown(std::function<void(Dialog&)> act, bool* seen = nullptr)
{
    QTimer::singleShot(0, [act, seen] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        if (seen)
            *seen = true;
        act(*dialog);
    });
}

class AutoLayoutWindow : public apptest::WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        // A box of 100 × 50.
        (void)Doc().GetCurrentSection()->AddLine3(0, 0, 100, 0, true, 1);
        (void)Doc().GetCurrentSection()->AddLine3(100, 0, 100, 50, true, 1);
        Doc().SetModifiedFlag(false);
        view_->update();
        QApplication::processEvents();
    }
    void Click(double x, double y) { QTest::mouseClick(view_, Qt::LeftButton, Qt::NoModifier, PixelOf(x, y)); }

    test::ScopedLanguage english_{env_, test::EnglishTexts()};
    platform::ScriptedPrompt prompt_;
    platform::ScopedOverride<platform::Prompt*> usePrompt_ = platform::installPrompt(prompt_);
};

TEST_F(AutoLayoutWindow, ThreeByTwoCopiesMakeSixPlacementsAndMarkTheDrawing)
{
    bool seen = false;
    WhenShown<CAutoInstanceDlg>(
        [](CAutoInstanceDlg& d) {
            d.Repeat(true)->setText(QStringLiteral("3"));
            d.Repeat(false)->setText(QStringLiteral("2"));
            d.Field(AutoField::XGap1)->setText(QStringLiteral("5"));
            d.OkButton()->click();
        },
        &seen);
    Choose(ToInt(CommandId::AutomaticLayout));
    ASSERT_TRUE(seen);
    const Section& section = *Doc().GetCurrentSection();
    EXPECT_EQ(section.GetInstanceCount(), 6);
    EXPECT_EQ(section.GetRows().count, 3);
    EXPECT_EQ(section.GetColumns().count, 2);
    EXPECT_EQ(section.GetRows().gap1, 5);
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(Doc().Undo().GetUndoCount(), 0);
}

TEST_F(AutoLayoutWindow, OptimizeListsTwoResultsPerPaperOfTheASeries)
{
    prompt_.push(platform::PromptResult::Ok); // the layout saved first
    bool seen = false;
    WhenShown<CAutoInstanceDlg>([&seen](CAutoInstanceDlg& d) {
        WhenShown<dlg::CalcLayout>(
            [](dlg::CalcLayout& calc) {
                for (int paper = 0; paper < 5; ++paper) { // A4 to A0
                    calc.Papers()->setCurrentIndex(paper);
                    calc.findChild<QPushButton*>(QStringLiteral("Optimise"))->click();
                }
                QTreeWidget* results = calc.Results();
                ASSERT_EQ(results->topLevelItemCount(), 10);
                const char* names[] = {"(A4)", "(A3)", "(A2)", "(A1)", "(A0)"};
                for (int row = 0; row < 10; ++row) {
                    EXPECT_TRUE(results->topLevelItem(row)->text(1).endsWith(QString::fromLatin1(names[row / 2])))
                        << row;
                    EXPECT_EQ(results->topLevelItem(row)->text(0), QStringLiteral(" Layout1"));
                }
                calc.reject();
            },
            &seen);
        d.OptimizeButton()->click();
        d.CancelButton()->click();
    });
    Choose(ToInt(CommandId::AutomaticLayout));
    EXPECT_TRUE(seen);
    std::vector<const LayoutResult*> results;
    Doc().GetLayoutStore()->GetResults(results);
    EXPECT_EQ(results.size(), 10u);
    EXPECT_EQ(prompt_.unexpected(), 0);
}

TEST_F(AutoLayoutWindow, APickedDistanceComesBackIntoItsRowAndACancelledPickLeavesNothing)
{
    WhenShown<CAutoInstanceDlg>([](CAutoInstanceDlg& d) {
        d.Field(AutoField::XGap1)->setText(QStringLiteral("2"));
        d.PickButton(dlg::kPickXFirst)->click();
    });
    Choose(ToInt(CommandId::AutomaticLayout));
    EXPECT_EQ(Doc().GetCurrentSection()->GetRows().gap1, 2) << "the record read from the fields";
    Click(0, 0);
    bool reopened = false;
    WhenShown<CAutoInstanceDlg>(
        [](CAutoInstanceDlg& d) {
            EXPECT_EQ(d.Field(AutoField::XGap1)->text(), QStringLiteral("102"));
            EXPECT_EQ(d.Field(AutoField::XVerticalShift1)->text(), QStringLiteral("50"));
            d.PickButton(dlg::kPickYFirst)->click(); // another pick, then cancelled
        },
        &reopened);
    Click(100, 50);
    ASSERT_TRUE(reopened);
    EXPECT_EQ(Doc().GetCurrentSection()->GetRows().gap1, 102);
    EXPECT_EQ(Doc().GetCurrentSection()->GetColumns().shift1, 50);
    QTest::keyClick(view_, Qt::Key_Escape);

    WhenShown<CAutoInstanceDlg>([](CAutoInstanceDlg& d) {
        EXPECT_EQ(d.Field(AutoField::YGap1)->text(), QStringLiteral("0"));
        EXPECT_EQ(d.Field(AutoField::XGap1)->text(), QStringLiteral("102"));
        d.CancelButton()->click();
    });
    Choose(ToInt(CommandId::AutomaticLayout));
    EXPECT_EQ(Doc().GetCurrentSection()->GetColumns().gap1, 0);
}

TEST_F(AutoLayoutWindow, TheOptimisationRunsAsACommandOfItsOwn)
{
    bool seen = false;
    Doc().GetLayoutStore()->AddLayout({}, {}, QStringLiteral(" Mine"));
    WhenShown<dlg::CalcLayout>(
        [](dlg::CalcLayout& calc) {
            EXPECT_EQ(calc.Layouts()->currentText(), QStringLiteral(" Mine"));
            EXPECT_EQ(calc.Papers()->currentText(), QStringLiteral("1414 x 1000  (B0)"));
            calc.reject();
        },
        &seen);
    view_->RunCommand(ToInt(CommandId::LayoutCalculation));
    EXPECT_TRUE(seen);
}

} // namespace
