// The arc, ellipse, dimension and relative line dialogs offscreen: their
// edits, flags and OK are wired to the logic, and OK adds the element.
#include "dlg/ConstructDialogs.h"
#include "dlg/RelativeLineDlg.h"

#include "document/MorvekDoc.h"
#include "element/Arc.h"
#include "element/Ellipse.h"
#include "element/Line.h"
#include "platform/Prompt.h"
#include "section/Section.h"

#include "common/TempDir.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Typed over what the edit shows, as a user selects and types.
void Type(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

class ConstructDialogsTest : public testing::Test {
protected:
    template <class T> int Count()
    {
        int n = 0;
        for (CElement* e : *doc_.GetCurrentSection())
            n += dynamic_cast<T*>(e) != nullptr;
        return n;
    }
    test::ScopedTestEnvironment env_;
    platform::ScriptedPrompt prompt_;
    platform::ScopedOverride<platform::Prompt*> installed_ = platform::installPrompt(prompt_);
    CMorvekDoc doc_;
};

TEST_F(ConstructDialogsTest, ArcDialogEnablesOkByTheTypedInputsAndAddsTheArc)
{
    dlg::ArcInputs inputs;
    dlg::CArcDlg dialog(inputs, doc_);
    using F = dlg::CArcDlg;
    EXPECT_FALSE(dialog.OkButton()->isEnabled());
    Type(dialog.Edit(F::StartX), QStringLiteral("-10"));
    EXPECT_FALSE(dialog.OkButton()->isEnabled()) << "start x alone";
    EXPECT_TRUE(inputs.Has(dlg::ArcInputs::Start));
    Type(dialog.Edit(F::ThroughY), QStringLiteral("10"));
    Type(dialog.Edit(F::EndX), QStringLiteral("20"));
    EXPECT_TRUE(dialog.OkButton()->isEnabled());
    EXPECT_FALSE(inputs.Has(dlg::ArcInputs::Centre)) << "the shown values set no flag";
    // A pick button ends the dialog with its code and keeps what was typed.
    dialog.PickButton(F::kPickCentre)->click();
    EXPECT_EQ(dialog.result(), F::kPickCentre);
    EXPECT_EQ(inputs.sx, -10.0);

    dlg::CArcDlg again(inputs, doc_);
    EXPECT_EQ(again.Edit(F::StartX)->text(), QStringLiteral("-10"));
    EXPECT_TRUE(again.OkButton()->isEnabled()) << "the flags are kept";
    again.OkButton()->click();
    EXPECT_EQ(again.result(), QDialog::Accepted);
    EXPECT_EQ(Count<CArc>(), 1);
    EXPECT_NEAR(inputs.cx, 5.0, 1e-9) << "the centre found is kept";
    EXPECT_NEAR(inputs.cy, -5.0, 1e-9);
}

TEST_F(ConstructDialogsTest, ArcDialogStaysOpenWithItsValuesAfterAMessage)
{
    dlg::ArcInputs inputs;
    dlg::CArcDlg dialog(inputs, doc_);
    using F = dlg::CArcDlg;
    Type(dialog.Edit(F::EndX), QStringLiteral("10"));
    Type(dialog.Edit(F::StartX), QStringLiteral("0"));
    Type(dialog.Edit(F::RadiusEdit), QStringLiteral("5"));
    dialog.OkButton()->click();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(prompt_.texts().size(), 1);
    EXPECT_EQ(Count<CArc>(), 0);
    EXPECT_EQ(dialog.Edit(F::RadiusEdit)->text(), QStringLiteral("5"));
    EXPECT_EQ(doc_.Undo().GetUndoCount(), 0);
}

TEST_F(ConstructDialogsTest, EllipseDialogRefusesASemiAxisOfZeroAndNormalisesTheRotation)
{
    dlg::EllipseState state;
    state.StartCommand();
    dlg::CAddEllipseDlg dialog(state, doc_);
    using F = dlg::CAddEllipseDlg;
    Type(dialog.Edit(F::First), QStringLiteral("20"));
    EXPECT_FALSE(dialog.OkButton()->isEnabled());
    QTest::keyClick(dialog.Edit(F::First), Qt::Key_Return);
    EXPECT_EQ(Count<CEllipse>(), 0) << "Enter does nothing";
    Type(dialog.Edit(F::Second), QStringLiteral("10"));
    EXPECT_TRUE(dialog.OkButton()->isEnabled());
    Type(dialog.Edit(F::Rotation), QStringLiteral("725"));
    dialog.OkButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(Count<CEllipse>(), 1);
    EXPECT_EQ(state.values.rotation, 5.0);

    dlg::CAddEllipseDlg next(state, doc_);
    EXPECT_EQ(next.Edit(F::First)->text(), QStringLiteral("0")) << "a fresh start after OK";
    EXPECT_FALSE(next.OkButton()->isEnabled());
}

TEST_F(ConstructDialogsTest, DimensionDialogShowsTheKindsControlsAndTakesTheKindFromTheItem)
{
    dlg::DimensionState state;
    state.StartCommand(dlg::kDimRadius);
    dlg::CAddMeasureDlg dialog(state, doc_);
    using F = dlg::CAddMeasureDlg;
    EXPECT_EQ(dialog.Kind()->currentData().toInt(), dlg::kDimRadius);
    EXPECT_TRUE(dialog.PickButton(F::kPickCircle)->isEnabled());
    EXPECT_TRUE(dialog.PickButton(F::kPickPosition)->isEnabled());
    EXPECT_FALSE(dialog.PickButton(F::kPickFirst)->isEnabled());
    EXPECT_FALSE(dialog.PickButton(F::kPickCentre)->isEnabled());
    EXPECT_TRUE(dialog.FirstX()->isHidden());
    EXPECT_FALSE(dialog.OkButton()->isEnabled());

    dialog.Kind()->setCurrentIndex(dialog.Kind()->findData(dlg::kDimAngle));
    EXPECT_FALSE(dialog.CentreX()->isHidden());
    EXPECT_TRUE(dialog.PickButton(F::kPickCentre)->isEnabled());
    state.first.node = 1;
    state.second.node = 2;
    // Two items reading alike still pick their own kinds.
    dialog.Kind()->setItemText(dialog.Kind()->findData(dlg::kDimAligned), dialog.Kind()->itemText(0));
    dialog.Kind()->setCurrentIndex(dialog.Kind()->findData(dlg::kDimAligned));
    EXPECT_EQ(state.kind, dlg::kDimAligned);
    EXPECT_TRUE(dialog.CentreX()->isHidden());
    EXPECT_TRUE(dialog.OkButton()->isEnabled()) << "the nodes are kept";
    dialog.PickButton(F::kPickPosition)->click();
    EXPECT_EQ(dialog.result(), F::kPickPosition);
}

TEST_F(ConstructDialogsTest, RelativeLineDialogClampsTypesDialsAndDrawsFromThePen)
{
    dlg::CLineCreateDlg dialog(doc_);
    Type(dialog.Angle(), QStringLiteral("200"));
    emit dialog.Angle()->editingFinished();
    EXPECT_EQ(dialog.Angle()->text(), QStringLiteral("180.000"));
    dialog.Spin()->stepDown();
    EXPECT_EQ(dialog.Angle()->text(), QStringLiteral("180.000")) << "spinning down at 180";
    dialog.Spin()->stepUp();
    EXPECT_EQ(dialog.Angle()->text(), QStringLiteral("179.000"));
    const QPoint c = dialog.Dial()->Centre();
    QTest::mouseClick(dialog.Dial(), Qt::LeftButton, {}, c + QPoint(0, 30));
    EXPECT_EQ(dialog.Angle()->text(), QStringLiteral("270.000"));

    dialog.Angle()->setText(QStringLiteral("30"));
    Type(dialog.Length(), QStringLiteral("10"));
    dialog.CreateByDirectionButton()->click();
    EXPECT_EQ(dialog.PenX()->text(), QStringLiteral("   8.660"));
    EXPECT_EQ(dialog.PenY()->text(), QStringLiteral("   5.000"));
    Type(dialog.DX(), QStringLiteral("4"));
    EXPECT_TRUE(dialog.Length()->text().isEmpty()) << "dX clears the length";
    dialog.OffsetX()->setText(QStringLiteral("0"));
    dialog.OffsetY()->setText(QStringLiteral("0"));
    dialog.CreateByOffsetButton()->click();
    EXPECT_EQ(Count<CLine>(), 1);
    EXPECT_EQ(doc_.Undo().GetUndoCount(), 1);
}

} // namespace
