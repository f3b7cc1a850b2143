// The coordinate dialog's edits follow its rules: typing runs them, the
// field left last stays fixed, Enter closes it with the typed point.
#include "dlg/CoordinateDialog.h"

#include "options/LanguageTable.h"

#include <QFocusEvent>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using F = dlg::CoordinateFields;

TEST(CoordinateDialog, TypedOffsetsUpdateThePolarFormAndEnterTakesThePoint)
{
    dlg::CCoordinate dialog;
    dialog.SetTexts(QStringLiteral("100.0000"), QStringLiteral("50.0000"), QStringLiteral("0.0000"),
                    QStringLiteral("0.0000"));
    EXPECT_EQ(dialog.Edit(F::BaseX)->text(), QStringLiteral("100.0000"));
    auto* form = dialog.findChild<QFormLayout*>();
    ASSERT_NE(form, nullptr);
    auto* label = qobject_cast<QLabel*>(form->labelForField(dialog.Edit(F::Distance)));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), Translate(dlg::CCoordinate::kTextDistance));

    dialog.show();
    QLineEdit* dy = dialog.Edit(F::DeltaY);
    dy->selectAll();
    QTest::keyClicks(dy, QStringLiteral("4"));
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(dy, &out);
    QLineEdit* dx = dialog.Edit(F::DeltaX);
    dx->selectAll();
    QTest::keyClicks(dx, QStringLiteral("3"));
    EXPECT_EQ(dx->text(), QStringLiteral("3")) << "the field being typed in is left alone";
    EXPECT_EQ(dy->text(), QStringLiteral("4"));
    EXPECT_EQ(dialog.Edit(F::Distance)->text(), QStringLiteral("5.0000"));

    QTest::keyClick(dx, Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(dialog.Fields().Result().x, 103.0);
    EXPECT_DOUBLE_EQ(dialog.Fields().Result().y, 54.0);
}

} // namespace
