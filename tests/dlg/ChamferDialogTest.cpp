// The chamfer dialog: OK only for exactly two values that are not the two
// angles; what OK hands back; every opening starts from zeros.
#include "dlg/ChamferChoice.h"
#include "dlg/ChamferDlg.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using dlg::ChamferChoice;

TEST(ChamferChoice, ExactlyTwoValuesNotBothAngles)
{
    const struct {
        std::array<double, 5> values;
        bool complete;
    } cases[] = {
        {{5, 5, 0, 0, 0}, true},
        {{5, 0, 7, 0, 0}, true},
        {{0, 0, 7, 30, 0}, true},
        {{0, 5, 0, 0, 45}, true},
        {{0, 0, 0, 45, 45}, false},  // the angles alone fix no size
        {{5, 0, 7, 30, 0}, false},   // three values
        {{5, 0, 0, 0, 0}, false},
        {{5, -5, 0, 0, 0}, false},   // a negative value is not given
        {{0, 0, 0, 0, 0}, false},
    };
    for (const auto& c : cases) {
        ChamferChoice choice;
        choice.values = c.values;
        EXPECT_EQ(choice.IsComplete(), c.complete)
            << c.values[0] << " " << c.values[1] << " " << c.values[2] << " " << c.values[3] << " " << c.values[4];
    }
}

TEST(ChamferDialog, OkFollowsTheEditsAndHandsBackTheFiveValues)
{
    double values[5] = {1, 1, 1, 1, 1};
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<dlg::CChamferDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_FALSE(dialog->OkButton()->isEnabled()) << "all zeros at the opening";
        dialog->Edit(ChamferChoice::Distance1)->setText(QStringLiteral("5"));
        EXPECT_FALSE(dialog->OkButton()->isEnabled());
        dialog->Edit(ChamferChoice::Angle1)->setText(QStringLiteral("30"));
        EXPECT_TRUE(dialog->OkButton()->isEnabled());
        dialog->Edit(ChamferChoice::Length)->setText(QStringLiteral("7"));
        EXPECT_FALSE(dialog->OkButton()->isEnabled()) << "three values";
        dialog->Edit(ChamferChoice::Length)->setText(QStringLiteral("abc"));
        EXPECT_TRUE(dialog->OkButton()->isEnabled()) << "an unreadable text reads as 0";
        dialog->OkButton()->click();
    });
    ASSERT_TRUE(dlg::CChamferDlg::Ask(nullptr, values));
    EXPECT_EQ(values[0], 5.0);
    EXPECT_EQ(values[1], 0.0);
    EXPECT_EQ(values[2], 0.0);
    EXPECT_EQ(values[3], 30.0);
    EXPECT_EQ(values[4], 0.0);

    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<dlg::CChamferDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->Choice().values[0], 0.0) << "reopened from zeros";
        dialog->reject();
    });
    EXPECT_FALSE(dlg::CChamferDlg::Ask(nullptr, values));
    EXPECT_EQ(values[0], 5.0) << "Cancel leaves the values";
}

} // namespace
