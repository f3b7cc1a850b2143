// Modify > Move through the real window: the sheet opens over a drawing
// with a selection on the Move page, a typed distance moves the selection
// on OK, the elements box follows the document's flag, and one undo puts
// everything back.
#include "app/DocumentView.h"
#include "app/MainWindow.h"
#include "app/WindowFixture.h"

#include "dlg/ModifySheet.h"
#include "display/DrawContext.h"
#include "document/MorvekDoc.h"
#include "element/Line.h"
#include "section/Section.h"

#include "common/DisplayTestSupport.h"
#include "common/TempDir.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

TEST(ModifySheetWindow, MovePageMovesTheSelectionOnOk)
{
    test::ScopedTestEnvironment env;
    displaytest::LinkedLinetypes linetypes;
    linetypes.Add(1, LinetypeKind::Standard, -1, -1, 0, 0, 0, 0x0000FF);
    const QString path = apptest::SaveBoxDrawing(env.dir().path());
    ASSERT_FALSE(path.isEmpty());
    app::MainWindow window;
    window.resize(800, 600);
    window.show();
    QMdiSubWindow* child = window.OpenDocument(path);
    ASSERT_NE(child, nullptr);
    auto* view = qobject_cast<app::DocumentView*>(child->widget());
    ASSERT_NE(view, nullptr);
    CMorvekDoc& doc = view->Document();
    Section& layer = *doc.GetCurrentSection();
    layer.GetElement(0)->SetSelection(1);
    const int steps = doc.Undo().GetUndoCount();

    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* sheet = qobject_cast<dlg::ModifySheet*>(QApplication::activeModalWidget());
        ASSERT_NE(sheet, nullptr);
        seen = true;
        EXPECT_EQ(sheet->Tabs()->currentIndex(), dlg::ModifySheet::kMovePage);
        // The elements boxes show the document's flag and change it.
        ASSERT_EQ(sheet->ElementChecks().size(), 4u);
        EXPECT_TRUE(sheet->ElementChecks()[0]->isChecked());
        sheet->ElementChecks()[0]->click();
        EXPECT_FALSE(doc.moveDetached);
        EXPECT_FALSE(sheet->ElementChecks()[3]->isChecked()) << "every page shows the same flag";
        // Two points typed give the distance at once.
        QLineEdit* startX = sheet->MoveEdit(0);
        QLineEdit* endX = sheet->MoveEdit(2);
        startX->selectAll();
        QTest::keyClicks(startX, QStringLiteral("5"));
        endX->selectAll();
        QTest::keyClicks(endX, QStringLiteral("7"));
        EXPECT_EQ(sheet->MoveEdit(4)->text(), QStringLiteral("2.000"));
        // A typed distance clears the points.
        QLineEdit* dy = sheet->MoveEdit(5);
        dy->selectAll();
        QTest::keyClicks(dy, QStringLiteral("30"));
        EXPECT_EQ(startX->text(), QStringLiteral("0.000"));
        auto* buttons = sheet->findChild<QDialogButtonBox*>();
        ASSERT_NE(buttons, nullptr);
        QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
    emit window.commandChosen(app::ModifyDriver::kCmdMove);
    ASSERT_TRUE(seen);

    auto* moved = static_cast<CLine*>(layer.GetElement(0));
    EXPECT_EQ(layer.Point(moved->GetStartNode()).x, 2.0);
    EXPECT_EQ(layer.Point(moved->GetStartNode()).y, 30.0);
    EXPECT_EQ(layer.Point(moved->GetEndNode()).y, 30.0);
    // Connected (the box was cleared): the neighbour's shared end followed.
    auto* neighbour = static_cast<CLine*>(layer.GetElement(1));
    EXPECT_EQ(layer.Point(neighbour->GetStartNode()).y, 30.0);
    EXPECT_EQ(layer.Point(neighbour->GetEndNode()).y, 100.0);
    EXPECT_EQ(doc.Undo().GetUndoCount(), steps + 1);
    EXPECT_FALSE(view->Modify().IsSheetOpen());

    emit window.commandChosen(370);
    EXPECT_EQ(layer.Point(static_cast<CLine*>(layer.GetElement(0))->GetStartNode()).y, 0.0);
    doc.SetModifiedFlag(false); // closing asks nothing
    window.close();
}
