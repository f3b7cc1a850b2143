// The automatic layout dialog: where each field's value goes, the enabling
// by the radios, the repeat floor, the picked vector added to the row of
// its button, the names Save gives; and the dialog offscreen (repeat 0
// becomes 1, a pick button ends it with its code and the typed record,
// Save announces each layout, Optimize saves first and loads a best fit
// back as repeat counts).
#include "dlg/AutoInstanceDlg.h"
#include "dlg/AutoLayoutFields.h"
#include "dlg/CalcLayoutDlg.h"

#include "common/LanguageTestSupport.h"
#include "document/MorvekDoc.h"
#include "platform/Prompt.h"
#include "section/LayoutGrid.h"
#include "section/LayoutStore.h"
#include "section/Section.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <deque>

namespace {

using namespace dlg;

TEST(AutoLayoutFields, EachFieldEditsItsRecordCrossMappingTheShifts)
{
    struct Case {
        AutoField field;
        bool xRecord;
        double AutoInstance::*member;
    };
    const Case cases[] = {
        {AutoField::XAngle, true, &AutoInstance::angle},
        {AutoField::XGap1, true, &AutoInstance::gap1},
        {AutoField::XGap2, true, &AutoInstance::gap2},
        {AutoField::XVerticalShift1, false, &AutoInstance::shift1},
        {AutoField::XVerticalShift2, false, &AutoInstance::shift2},
        {AutoField::YAngle, false, &AutoInstance::angle},
        {AutoField::YGap1, false, &AutoInstance::gap1},
        {AutoField::YGap2, false, &AutoInstance::gap2},
        {AutoField::YHorizontalShift1, true, &AutoInstance::shift1},
        {AutoField::YHorizontalShift2, true, &AutoInstance::shift2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.field));
        AutoLayoutParams params;
        FieldValue(params, c.field) = 7.5;
        const AutoInstance& target = c.xRecord ? params.x : params.y;
        const AutoInstance& other = c.xRecord ? params.y : params.x;
        EXPECT_EQ(target.*c.member, 7.5);
        // Nothing else changed.
        for (auto member : {&AutoInstance::angle, &AutoInstance::gap1, &AutoInstance::gap2, &AutoInstance::shift1,
                            &AutoInstance::shift2}) {
            EXPECT_EQ(other.*member, 0.0);
            if (member != c.member) {
                EXPECT_EQ(target.*member, 0.0);
            }
        }
    }
}

TEST(AutoLayoutFields, TheFirstRadioDisablesTheSecondRowOfItsGroup)
{
    const AutoField secondRowX[] = {AutoField::XAngle, AutoField::XGap2, AutoField::XVerticalShift2};
    const AutoField secondRowY[] = {AutoField::YAngle, AutoField::YGap2, AutoField::YHorizontalShift2};
    for (AutoField f : secondRowX) {
        EXPECT_FALSE(IsFieldEnabled(f, false, true));
        EXPECT_TRUE(IsFieldEnabled(f, true, false));
    }
    for (AutoField f : secondRowY) {
        EXPECT_FALSE(IsFieldEnabled(f, true, false));
        EXPECT_TRUE(IsFieldEnabled(f, false, true));
    }
    for (AutoField f : {AutoField::XGap1, AutoField::XVerticalShift1, AutoField::YGap1, AutoField::YHorizontalShift1})
        EXPECT_TRUE(IsFieldEnabled(f, false, false));
    EXPECT_FALSE(IsPickEnabled(kPickXSecond, false, true));
    EXPECT_FALSE(IsPickEnabled(kPickYSecond, true, false));
    EXPECT_TRUE(IsPickEnabled(kPickXFirst, false, false));
    EXPECT_TRUE(IsPickEnabled(kPickYFirst, false, false));
}

TEST(AutoLayoutFields, RepeatCountsStayWithinOneAndTheLargestCount)
{
    const std::pair<int, int> cases[] = {{0, 1}, {-4, 1}, {1, 1}, {6, 6}, {kMaxAutoCount + 1, kMaxAutoCount}};
    for (const auto& [typed, kept] : cases)
        EXPECT_EQ(RepeatValue(typed), kept) << typed;
}

TEST(AutoLayoutFields, APickedVectorGoesIntoTheRowOfItsButton)
{
    struct Case {
        int code;
        AutoField distance;
        double distanceAdded;
        AutoField shift;
        double shiftAdded;
    };
    // Picked (dx, dy) = (3, 7): an X row takes dx as its distance, a Y row dy.
    const Case cases[] = {
        {kPickXFirst, AutoField::XGap1, 3, AutoField::XVerticalShift1, 7},
        {kPickXSecond, AutoField::XGap2, 3, AutoField::XVerticalShift2, 7},
        {kPickYFirst, AutoField::YGap1, 7, AutoField::YHorizontalShift1, 3},
        {kPickYSecond, AutoField::YGap2, 7, AutoField::YHorizontalShift2, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        AutoLayoutParams params;
        for (int f = 0; f < kAutoFieldCount; ++f)
            FieldValue(params, static_cast<AutoField>(f)) = 1.0;
        AddPickedDistance(params, c.code, 3, 7);
        for (int f = 0; f < kAutoFieldCount; ++f) {
            const auto field = static_cast<AutoField>(f);
            const double added = field == c.distance ? c.distanceAdded : field == c.shift ? c.shiftAdded : 0.0;
            EXPECT_EQ(FieldValue(params, field), 1.0 + added) << f;
        }
    }
    AutoLayoutParams untouched;
    AddPickedDistance(untouched, kPickNone, 3, 7);
    EXPECT_EQ(untouched.x.gap1, 0.0);
    EXPECT_EQ(untouched.y.shift1, 0.0);
}

TEST(AutoLayoutFields, ASavedNameAndAnOptimisedResultComeBack)
{
    EXPECT_EQ(SavedLayoutName(1), QStringLiteral(" Layout1"));
    EXPECT_EQ(SavedLayoutName(12), QStringLiteral(" Layout12"));
    SavedLayout layout;
    layout.rows.gap1 = 4;
    layout.columns.shift2 = -2;
    const AutoLayoutParams params = ParamsOfResult(layout, LayoutFit{3, 2, 0.2});
    EXPECT_EQ(params.x.count, 4);
    EXPECT_EQ(params.y.count, 3);
    EXPECT_EQ(params.x.gap1, 4);
    EXPECT_EQ(params.y.shift2, -2);
}

// The dialog offscreen over a drawing of a 100 × 50 box.
class AutoInstanceDialog : public testing::Test {
protected:
    AutoInstanceDialog()
    {
        (void)doc_.GetCurrentSection()->AddLine3(0, 0, 100, 50, true, 1);
        dialog_.SetParams({});
    }
    CAutoInstanceDlg* Open()
    {
        dialog_.show();
        return &dialog_;
    }

    test::ScopedTestEnvironment env_;
    test::ScopedLanguage english_{env_, test::EnglishTexts()};
    platform::ScriptedPrompt prompt_;
    platform::ScopedOverride<platform::Prompt*> usePrompt_ = platform::installPrompt(prompt_);
    CMorvekDoc doc_;
    std::deque<std::pair<double, double>> sizes_{{297, 210}, {410, 160}};
    CAutoInstanceDlg dialog_{nullptr, *doc_.GetLayoutStore(), *doc_.GetLayoutCounter(), *doc_.GetCurrentSection(),
                             PaperSizes{sizes_, {}}};
};

TEST_F(AutoInstanceDialog, ZeroInARepeatFieldBecomesOne)
{
    Open();
    for (bool x : {true, false}) {
        QLineEdit* repeat = dialog_.Repeat(x);
        repeat->clear();
        QTest::keyClicks(repeat, QStringLiteral("0"));
        EXPECT_EQ(repeat->text(), QStringLiteral("1"));
    }
    EXPECT_EQ(dialog_.GetParams().x.count, 1);
}

TEST_F(AutoInstanceDialog, TheRadiosEnableTheSecondRows)
{
    Open();
    dialog_.Radio(true, true)->click();
    EXPECT_TRUE(dialog_.Field(AutoField::XGap2)->isEnabled());
    EXPECT_TRUE(dialog_.PickButton(kPickXSecond)->isEnabled());
    dialog_.Radio(true, false)->click();
    for (AutoField f : {AutoField::XAngle, AutoField::XGap2, AutoField::XVerticalShift2})
        EXPECT_FALSE(dialog_.Field(f)->isEnabled()) << static_cast<int>(f);
    EXPECT_FALSE(dialog_.PickButton(kPickXSecond)->isEnabled());
    EXPECT_TRUE(dialog_.Field(AutoField::XGap1)->isEnabled());
    EXPECT_TRUE(dialog_.Field(AutoField::YGap1)->isEnabled());
}

TEST_F(AutoInstanceDialog, APickButtonEndsWithItsCodeAndTheTypedRecord)
{
    Open();
    dialog_.Radio(false, true)->click();
    dialog_.Field(AutoField::XVerticalShift1)->setText(QStringLiteral("2.5"));
    dialog_.Field(AutoField::YHorizontalShift2)->setText(QStringLiteral("-4"));
    dialog_.Repeat(true)->setText(QStringLiteral("3"));
    dialog_.PickButton(kPickYSecond)->click();
    EXPECT_EQ(dialog_.result(), kPickYSecond);
    const AutoLayoutParams params = dialog_.GetParams();
    EXPECT_EQ(params.y.shift1, 2.5);
    EXPECT_EQ(params.x.shift2, -4);
    EXPECT_EQ(params.x.count, 3);
    EXPECT_TRUE(params.y.rotateAlternate);
    EXPECT_FALSE(params.x.rotateAlternate);
}

TEST_F(AutoInstanceDialog, SaveTwiceNamesAndAnnouncesEachLayout)
{
    Open();
    dialog_.OnSave();
    dialog_.OnSave();
    std::vector<const SavedLayout*> layouts;
    doc_.GetLayoutStore()->GetLayouts(layouts);
    ASSERT_EQ(layouts.size(), 2u);
    EXPECT_EQ(layouts[0]->name, QStringLiteral(" Layout1"));
    EXPECT_EQ(layouts[1]->name, QStringLiteral(" Layout2"));
    ASSERT_EQ(prompt_.texts().size(), 2);
    EXPECT_EQ(prompt_.texts()[0], TranslateKey(QStringLiteral("layout saved as")) + QStringLiteral(" Layout1"));
    EXPECT_EQ(prompt_.texts()[1], TranslateKey(QStringLiteral("layout saved as")) + QStringLiteral(" Layout2"));
}

TEST_F(AutoInstanceDialog, OptimizeSavesFirstAndLoadsTheBestFitAsRepeatCounts)
{
    Open();
    bool seen = false;
    QTimer::singleShot(0, [&seen] {
        auto* calc = qobject_cast<CalcLayout*>(QApplication::activeModalWidget());
        if (!calc)
            return;
        seen = true;
        calc->Papers()->setCurrentIndex(1); // 410 x 160: 4 across, 3 down
        calc->OnOptimise();
        ASSERT_EQ(calc->Results()->topLevelItemCount(), 2);
        EXPECT_EQ(calc->Results()->topLevelItem(0)->text(2), QStringLiteral("12 (4 x 3)"));
        calc->Results()->topLevelItem(0)->setSelected(true);
        calc->OnLoad();
    });
    dialog_.OnOptimize();
    ASSERT_TRUE(seen);
    std::vector<const SavedLayout*> layouts;
    doc_.GetLayoutStore()->GetLayouts(layouts);
    ASSERT_EQ(layouts.size(), 1u) << "saved before optimising";
    EXPECT_EQ(prompt_.texts().size(), 1);
    EXPECT_EQ(dialog_.Repeat(true)->text(), QStringLiteral("4"));
    EXPECT_EQ(dialog_.Repeat(false)->text(), QStringLiteral("3"));
    EXPECT_EQ(dialog_.GetParams().x.count, 4);
}

} // namespace
