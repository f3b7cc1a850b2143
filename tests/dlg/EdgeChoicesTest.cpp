// The edge dialog's rules: first use, the side radio's sign, the fillet
// radius, the restricted mode of Outline by Click; and one offscreen run of
// the dialog to show its controls are wired to them.
#include "dlg/EdgeChoices.h"
#include "dlg/EdgeDlg.h"

#include "linetype/LinetypeTable.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

constexpr int kCurrent = 3;

OutlineSettings Expected(double distance, int filter, int rule, double radius, bool crossings, bool placements)
{
    return {distance, filter, rule, radius, crossings, placements};
}

TEST(EdgeChoices, FirstUseShowsTheDefaultsForTheCurrentLineType)
{
    dlg::EdgeChoices choices;
    const dlg::EdgeFields f = choices.Open(kCurrent, false);
    EXPECT_EQ(f.distance, QStringLiteral("10"));
    EXPECT_FALSE(f.negativeSide);
    EXPECT_FALSE(f.allLineTypes);
    EXPECT_EQ(f.sourceLineType, kCurrent);
    EXPECT_EQ(f.outlineLineType, kCurrent);
    EXPECT_TRUE(f.resolveCrossings);
    EXPECT_FALSE(f.everyPlacement);
    EXPECT_FALSE(f.fillet);
    EXPECT_FALSE(f.radiusEnabled);
    EXPECT_TRUE(f.sourceComboEnabled);
    EXPECT_EQ(choices.Accept(f), Expected(10, kCurrent, kCurrent, 0, true, false));
}

TEST(EdgeChoices, OkAndTheNextOpening)
{
    struct Case {
        const char* what;
        void (*edit)(dlg::EdgeFields&);
        OutlineSettings result;
        void (*reopened)(const dlg::EdgeFields&);
    };
    const Case cases[] = {
        {"the negative side gives minus the distance and reopens on it",
         [](dlg::EdgeFields& f) {
             f.negativeSide = true;
             f.distance = QStringLiteral("5");
         },
         Expected(-5, kCurrent, kCurrent, 0, true, false),
         [](const dlg::EdgeFields& f) {
             EXPECT_TRUE(f.negativeSide);
             EXPECT_EQ(f.distance, QStringLiteral("5"));
         }},
        {"a negative radius with the box on gives 0",
         [](dlg::EdgeFields& f) {
             f.fillet = true;
             f.radius = QStringLiteral("-2");
         },
         Expected(10, kCurrent, kCurrent, 0, true, false),
         [](const dlg::EdgeFields& f) { EXPECT_FALSE(f.fillet); }},
        {"a radius with the box off gives 0",
         [](dlg::EdgeFields& f) { f.radius = QStringLiteral("7"); },
         Expected(10, kCurrent, kCurrent, 0, true, false), [](const dlg::EdgeFields&) {}},
        {"a radius, all line types, another rule type and both options",
         [](dlg::EdgeFields& f) {
             f.fillet = true;
             f.radius = QStringLiteral("2.5");
             f.allLineTypes = true;
             f.outlineLineType = 7;
             f.resolveCrossings = false;
             f.everyPlacement = true;
         },
         Expected(10, -1, 7, 2.5, false, true),
         [](const dlg::EdgeFields& f) {
             EXPECT_TRUE(f.fillet);
             EXPECT_TRUE(f.radiusEnabled);
             EXPECT_EQ(f.radius, QStringLiteral("2.5"));
             EXPECT_TRUE(f.allLineTypes);
             EXPECT_FALSE(f.sourceComboEnabled);
             EXPECT_EQ(f.outlineLineType, 7);
             EXPECT_FALSE(f.resolveCrossings);
             EXPECT_TRUE(f.everyPlacement);
         }},
        {"a typed negative distance with the positive side stays as typed",
         [](dlg::EdgeFields& f) { f.distance = QStringLiteral("-4"); }, Expected(-4, kCurrent, kCurrent, 0, true, false),
         [](const dlg::EdgeFields& f) {
             EXPECT_TRUE(f.negativeSide);
             EXPECT_EQ(f.distance, QStringLiteral("4"));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        dlg::EdgeChoices choices;
        dlg::EdgeFields f = choices.Open(kCurrent, false);
        c.edit(f);
        EXPECT_EQ(choices.Accept(f), c.result);
        c.reopened(choices.Open(kCurrent, false));
    }
}

TEST(EdgeChoices, RestrictedModeTakesAllLineTypesAndEveryPlacement)
{
    dlg::EdgeChoices choices;
    dlg::EdgeFields f = choices.Open(kCurrent, false);
    f.everyPlacement = false;
    f.sourceLineType = 2;
    ASSERT_TRUE(choices.Accept(f));

    f = choices.Open(kCurrent, true);
    EXPECT_TRUE(f.allLineTypes);
    EXPECT_TRUE(f.everyPlacement);
    EXPECT_FALSE(f.sourceChoiceEnabled);
    EXPECT_FALSE(f.sourceComboEnabled);
    EXPECT_FALSE(f.everyPlacementEnabled);
    const std::optional<OutlineSettings> r = choices.Accept(f);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->lineTypeFilter, -1);
    EXPECT_TRUE(r->usePlacements);
}

TEST(EdgeChoices, TextThatIsNoNumberIsRefusedAndChangesNothing)
{
    dlg::EdgeChoices choices;
    dlg::EdgeFields f = choices.Open(kCurrent, false);
    ASSERT_TRUE(choices.Accept(f));
    const OutlineSettings before = choices.Results();
    f.distance = QStringLiteral("abc");
    EXPECT_FALSE(choices.Accept(f));
    f.distance = QStringLiteral("4");
    f.fillet = true;
    f.radius = QString();
    EXPECT_FALSE(choices.Accept(f));
    EXPECT_EQ(choices.Results(), before);
}

TEST(EdgeDialog, TheSideRadioAndOkGiveTheResult)
{
    LinetypeTable linetypes;
    linetypes.AddLinetype(1, LinetypeStyle::Solid, 1, 0);
    linetypes.AddLinetype(kCurrent, LinetypeStyle::Solid, 1, 0);
    dlg::EdgeChoices choices;
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<dlg::CEdgeDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* combo = dialog->findChild<QComboBox*>(QStringLiteral("Combo1348"));
        ASSERT_NE(combo, nullptr);
        EXPECT_EQ(combo->currentData().toInt(), kCurrent);
        EXPECT_FALSE(dialog->findChild<QLineEdit*>(QStringLiteral("Edit1395"))->isEnabled());
        dialog->findChild<QRadioButton*>(QStringLiteral("Radio1350"))->setChecked(true);
        dialog->findChild<QLineEdit*>(QStringLiteral("Edit1353"))->setText(QStringLiteral("5"));
        dialog->findChild<QCheckBox*>(QStringLiteral("Check1396"))->setChecked(true);
        EXPECT_TRUE(dialog->findChild<QLineEdit*>(QStringLiteral("Edit1395"))->isEnabled());
        dialog->accept();
    });
    const std::optional<OutlineSettings> r = dlg::CEdgeDlg::Ask(nullptr, choices, linetypes, kCurrent, false);
    ASSERT_TRUE(r);
    EXPECT_EQ(*r, Expected(-5, kCurrent, kCurrent, 0, true, false));
}

} // namespace
