// The die-board dialog on a drawing, offscreen: OK applies the board in
// one step, Cancel changes nothing, Delete board without a board keeps the
// dialog open, Split applies and then breaks the board up in a second step.
#include "dlg/WoodDlg.h"

#include "document/MorvekDoc.h"
#include "element/Wood.h"
#include "section/Section.h"
#include "section/UndoManager.h"

#include "common/TempDir.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

class WoodDialog : public testing::Test {
protected:
    void SetUp() override
    {
        Section& s = *doc_.GetCurrentSection();
        (void)s.AddLine3(0, 0, 200, 0, true, 1);
        (void)s.AddLine3(200, 0, 200, 100, true, 1);
        (void)s.AddLine3(200, 100, 0, 100, true, 1);
        (void)s.AddLine3(0, 100, 0, 0, true, 1);
        doc_.Undo().Reset();
        doc_.SetModifiedFlag(false);
    }
    // Runs the dialog; act works on it while it is shown.
    int Run(std::function<void(dlg::CWoodDlg&)> act)
    {
        QTimer::singleShot(0, [act] {
            auto* dialog = qobject_cast<dlg::CWoodDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            act(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        return dlg::EditDieBoard(nullptr, doc_, memory_);
    }
    int Elements()
    {
        int n = 0;
        for (CElement* e : *doc_.GetCurrentSection())
            n += e != nullptr;
        return n;
    }
    CWood* Board()
    {
        for (CElement* e : *doc_.GetCurrentSection())
            if (auto* w = dynamic_cast<CWood*>(e))
                return w;
        return nullptr;
    }
    static void Click(dlg::CWoodDlg& d, const char* button)
    {
        auto* b = d.findChild<QPushButton*>(QString::fromLatin1(button));
        ASSERT_NE(b, nullptr) << button;
        b->click();
    }
    static void Type(dlg::CWoodDlg& d, const char* edit, const char* text)
    {
        auto* e = d.findChild<QLineEdit*>(QString::fromLatin1(edit));
        ASSERT_NE(e, nullptr) << edit;
        e->setText(QString::fromLatin1(text));
        emit e->textEdited(e->text());
    }

    test::ScopedTestEnvironment env_;
    CMorvekDoc doc_;
    dlg::DieBoardMemory memory_;
};

TEST_F(WoodDialog, OkAppliesTheBoardAroundTheLayoutInOneStep)
{
    const int result = Run([](dlg::CWoodDlg& d) {
        EXPECT_EQ(d.Form().clientWidth, 200.0);
        EXPECT_EQ(d.Form().width, 300.0);
        Type(d, "Left", "30");
        EXPECT_EQ(d.findChild<QLineEdit*>(QStringLiteral("Width"))->text(), QStringLiteral("280"));
        EXPECT_EQ(d.Preview().Values().leftMargin, 30.0) << "the preview follows";
        Click(d, "Ok");
    });
    EXPECT_EQ(result, QDialog::Accepted);
    CWood* board = Board();
    ASSERT_NE(board, nullptr);
    EXPECT_EQ(board->Values().leftMargin, 30.0);
    EXPECT_EQ(board->Values().topMargin, 80.0);
    EXPECT_EQ(board->BoardBox(board->LayoutBox()), (WoodBox{-30, 180, 250, -13}));
    ASSERT_EQ(doc_.Undo().GetUndoCount(), 1);
    EXPECT_EQ(doc_.Undo().NextUndo()->title, dlg::CWoodDlg::kTextUndoBoard);
    EXPECT_TRUE(doc_.IsModified());
}

TEST_F(WoodDialog, CancelLeavesTheDrawingAndItsFlag)
{
    EXPECT_EQ(Run([](dlg::CWoodDlg& d) { Type(d, "Left", "30"); }), QDialog::Rejected);
    EXPECT_EQ(Board(), nullptr);
    EXPECT_EQ(doc_.Undo().GetUndoCount(), 0);
    EXPECT_FALSE(doc_.IsModified());
}

TEST_F(WoodDialog, DeleteBoardWithoutABoardKeepsTheDialogOpen)
{
    Run([](dlg::CWoodDlg& d) {
        Click(d, "DeleteBoard");
        EXPECT_TRUE(d.isVisible());
    });
    EXPECT_EQ(doc_.Undo().GetUndoCount(), 0);
    EXPECT_FALSE(doc_.IsModified());
}

TEST_F(WoodDialog, DeleteBoardRemovesTheLayersBoard)
{
    (void)doc_.GetCurrentSection()->AddWood(50, 80, 50, 13, 0);
    doc_.Undo().Reset();
    EXPECT_EQ(Run([](dlg::CWoodDlg& d) { Click(d, "DeleteBoard"); }), dlg::CWoodDlg::kDeleted);
    EXPECT_EQ(Board(), nullptr);
    EXPECT_EQ(doc_.Undo().GetUndoCount(), 1);
}

TEST_F(WoodDialog, TheBoardsSideRowsShowAndStay)
{
    auto* board = dynamic_cast<CWood*>(doc_.GetCurrentSection()->AddWood(50, 80, 50, 13, 0).Get());
    ASSERT_NE(board, nullptr);
    const WoodSideRecord left{true, true, 20, 40, 10, 1};
    board->Values().sides[WoodValues::SideLeft] = left;
    doc_.Undo().Reset();
    Run([](dlg::CWoodDlg& d) {
        EXPECT_EQ(d.findChild<QLineEdit*>(QStringLiteral("D0"))->text(), QStringLiteral("20.000"));
        EXPECT_EQ(d.findChild<QLineEdit*>(QStringLiteral("DeltaD"))->text(), QStringLiteral("40.000"));
        Click(d, "Ok");
    });
    ASSERT_NE(Board(), nullptr);
    EXPECT_EQ(Board()->Values().sides[WoodValues::SideLeft], left);
}

TEST_F(WoodDialog, SplitAppliesAndThenBreaksTheBoardUp)
{
    const int elements = Elements();
    Run([](dlg::CWoodDlg& d) { Click(d, "Split"); });
    EXPECT_EQ(Board(), nullptr);
    EXPECT_GT(Elements(), elements + 4) << "the outline as simple elements";
    ASSERT_EQ(doc_.Undo().GetUndoCount(), 2);
    EXPECT_EQ(doc_.Undo().NextUndo()->title, dlg::CWoodDlg::kTextSplit);
    doc_.Undo().Undo();
    EXPECT_NE(Board(), nullptr) << "undoing the split brings the applied board back";
}

} // namespace
