// The main road of the formula-driven drawing, through the real program
// offscreen: a node made cardinal with dx "A/2" through the popup's Node
// Properties follows when A is changed in View > Variables, and Undo of
// that change moves it back; two nodes on one spot are offered for choice.
#include "WindowFixture.h"

#include "app/DocumentCommands.h"
#include "app/NodeDialog.h"
#include "options/LanguageTable.h"
#include "platform/Prompt.h"
#include "dlg/PropPointDlg.h"
#include "dlg/VariableDlg.h"
#include "dlg/VariableEditCtrl.h"
#include "element/NodeTable.h"
#include "formula/FormulaTable.h"
#include "section/UndoManager.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <functional>

namespace {

// Runs the step on the next modal window that opens (polling, as a modal
// window opens inside the call that follows).
void WhenModal(std::function<void(QWidget*)> step, QWidget* previous = nullptr, int tries = 200)
{
    QTimer::singleShot(10, [step, previous, tries] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal != previous)
            step(modal);
        else if (tries > 0)
            WhenModal(step, previous, tries - 1);
    });
}

class VariablesWindow : public apptest::WindowFixture {
protected:
    // Right-click on the point and choose the popup item.
    void ChoosePopupItem(double x, double y, int command)
    {
        bool shown = false;
        QTimer::singleShot(50, [&] {
            auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(popup, nullptr);
            for (QAction* item : popup->actions())
                if (item->data().toInt() == command) {
                    shown = true;
                    popup->setActiveAction(item);
                }
            QTest::keyClick(popup, shown ? Qt::Key_Return : Qt::Key_Escape);
        });
        const QPoint at = PixelOf(x, y);
        QTest::mouseMove(view_, at);
        QTest::mousePress(view_, Qt::RightButton, Qt::NoModifier, at);
        QTest::mouseRelease(view_, Qt::RightButton, Qt::NoModifier, at);
        QApplication::processEvents();
        EXPECT_TRUE(shown) << command;
    }
    // One rule in the drawing, fitted into the window.
    void ShowLine(double x1, double y1, double x2, double y2)
    {
        window_.resize(900, 700);
        ASSERT_FALSE(Doc().GetCurrentSection()->AddLine3(x1, y1, x2, y2, true, 1).AtEnd());
        view_->RunCommand(32771);
        QApplication::processEvents();
    }
    double NodeX(int node)
    {
        Doc().Nodes().SetCacheValid(false);
        return Doc().Nodes().GetNode(node)->GetX();
    }
};

TEST_F(VariablesWindow, NodeFollowsAVariableAndUndoMovesItBack)
{
    ASSERT_NO_FATAL_FAILURE(ShowLine(100, 50, 300, 50));
    const int end = Doc().Nodes().AddPoint(300, 50, true);
    ASSERT_GE(end, 0);

    // The node becomes cardinal: dx "A/2" from the origin.
    bool edited = false;
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<dlg::CPropPointDlg*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QAbstractButton*>(QStringLiteral("Relative"))->click();
        auto* reference = dialog->findChild<QComboBox*>(QStringLiteral("Reference"));
        reference->setCurrentIndex(reference->findData(Doc().GetOriginNode()));
        dialog->Field("dx")->SetText(QStringLiteral("A/2"));
        dialog->Field("dy")->SetText(QStringLiteral("50"));
        dialog->OnOK();
        edited = dialog->result() == QDialog::Accepted;
        if (!edited)
            dialog->reject();
    });
    ChoosePopupItem(300, 50, 256);
    ASSERT_TRUE(edited);
    EXPECT_DOUBLE_EQ(NodeX(end), 100.0);
    EXPECT_DOUBLE_EQ(apptest::LinesOf(Doc()).front().second.x, 100.0);

    // View > Variables: A becomes 400; the dialog is closed with Escape.
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<dlg::CVariableDlg*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->Select(QStringLiteral("A"));
        WhenModal(
            [](QWidget* prop) {
                auto* p = qobject_cast<dlg::CVariablePropDlg*>(prop);
                ASSERT_NE(p, nullptr);
                p->ExpressionField()->SetText(QStringLiteral("400"));
                p->accept();
            },
            dialog);
        dialog->OnModify();
        dialog->reject();
    });
    Choose(186);
    EXPECT_DOUBLE_EQ(NodeX(end), 200.0);
    EXPECT_DOUBLE_EQ(apptest::LinesOf(Doc()).front().second.x, 200.0);
    EXPECT_TRUE(Doc().IsModified());

    Choose(370); // Undo
    EXPECT_DOUBLE_EQ(Doc().Variables().Evaluate(QStringLiteral("A")), 200.0);
    EXPECT_DOUBLE_EQ(NodeX(end), 100.0);
    EXPECT_DOUBLE_EQ(apptest::LinesOf(Doc()).front().second.x, 100.0);
    Choose(370); // and the node's own change
    EXPECT_DOUBLE_EQ(NodeX(end), 300.0);
    Doc().SetModifiedFlag(false);
}

TEST_F(VariablesWindow, CoincidingNodesAreChosenFirstAndTheOriginIsRefused)
{
    ASSERT_NO_FATAL_FAILURE(ShowLine(100, 50, 300, 50));
    const int first = Doc().Nodes().AddPoint(300, 50, true);
    const int second = Doc().Nodes().AddPoint(300, 50, false);
    ASSERT_NE(first, second);

    int listed = 0;
    int edited = -1;
    WhenModal([&](QWidget* modal) {
        auto* choose = qobject_cast<dlg::CSelectPointDlg*>(modal);
        ASSERT_NE(choose, nullptr);
        auto* list = choose->findChild<QTreeWidget*>(QStringLiteral("List"));
        listed = list->topLevelItemCount();
        list->topLevelItem(1)->setSelected(true);
        WhenModal(
            [&](QWidget* node) {
                edited = node->findChild<QLabel*>(QStringLiteral("ID"))->text().toInt();
                qobject_cast<QDialog*>(node)->reject();
            },
            choose);
        emit choose->findChild<QDialogButtonBox*>()->accepted();
    });
    ChoosePopupItem(300, 50, 256);
    EXPECT_EQ(listed, 2);
    EXPECT_EQ(edited, second);
    EXPECT_EQ(Doc().Undo().GetUndoCount(), 0); // Cancel changed nothing
}

} // namespace

namespace {

// Delete > Idle Nodes through the menu: one undo step named 410, the drawing
// modified, and Undo brings the nodes back.
TEST_F(VariablesWindow, IdleNodesIsOneStep)
{
    Section& section = *Doc().GetCurrentSection();
    ASSERT_FALSE(section.AddLine3(0, 0, 100, 0, true, 1).AtEnd());
    const int lonely = Doc().Nodes().AddPoint(40, 40, false);
    const int alsoLonely = Doc().Nodes().AddPoint(60, 40, false);
    Choose(288);
    EXPECT_EQ(Doc().Nodes().GetNode(lonely), nullptr);
    EXPECT_EQ(Doc().Nodes().GetNode(alsoLonely), nullptr);
    ASSERT_EQ(Doc().Undo().GetUndoCount(), 1);
    EXPECT_EQ(Doc().Undo().NextUndo()->title, CMorvekDoc::kTextIdleNodes);
    EXPECT_TRUE(Doc().IsModified());
    Choose(370);
    EXPECT_NE(Doc().Nodes().GetNode(lonely), nullptr);
    EXPECT_NE(Doc().Nodes().GetNode(alsoLonely), nullptr);
    Doc().SetModifiedFlag(false);
}

} // namespace

namespace {

// The dialog's reference pick: a click on a node brings the dialog back
// with that node chosen and what was typed kept; Cancel then leaves the
// node as it was.
TEST_F(VariablesWindow, ReferencePickReopensTheDialogWithTheNode)
{
    ASSERT_NO_FATAL_FAILURE(ShowLine(100, 50, 300, 50));
    const int start = Doc().Nodes().AddPoint(100, 50, true);
    const int end = Doc().Nodes().AddPoint(300, 50, true);

    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<dlg::CPropPointDlg*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QAbstractButton*>(QStringLiteral("Relative"))->click();
        dialog->Field("dx")->SetText(QStringLiteral("B"));
        dialog->findChild<QPushButton*>(QStringLiteral("PickReference"))->click();
    });
    ChoosePopupItem(300, 50, 256);

    int reference = -1;
    QString dx;
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<dlg::CPropPointDlg*>(modal);
        ASSERT_NE(dialog, nullptr);
        reference = dialog->findChild<QComboBox*>(QStringLiteral("Reference"))->currentData().toInt();
        dx = dialog->Field("dx")->Text();
        dialog->reject();
    });
    const QPoint at = PixelOf(100, 50);
    QTest::mouseMove(view_, at);
    QTest::mouseClick(view_, Qt::LeftButton, Qt::NoModifier, at);
    QApplication::processEvents();
    EXPECT_EQ(reference, start);
    EXPECT_EQ(dx, QStringLiteral("B"));
    EXPECT_EQ(Doc().Nodes().GetNode(end)->GetKind(), NodeKind::Absolute);
    EXPECT_EQ(Doc().Undo().GetUndoCount(), 0);
}

} // namespace

namespace {

// The origin node is not edited: choosing it among the nodes of its spot
// shows 402 and nothing else.
TEST_F(VariablesWindow, TheOriginNodeIsRefused)
{
    ASSERT_NO_FATAL_FAILURE(ShowLine(0, 0, 200, 0));
    platform::ScriptedPrompt prompt{platform::PromptResult::Ok};
    const auto installed = platform::installPrompt(prompt);

    bool offered = false;
    WhenModal([&](QWidget* modal) {
        auto* choose = qobject_cast<dlg::CSelectPointDlg*>(modal);
        ASSERT_NE(choose, nullptr);
        auto* list = choose->findChild<QTreeWidget*>(QStringLiteral("List"));
        for (int row = 0; row < list->topLevelItemCount(); ++row)
            if (list->topLevelItem(row)->text(1).toInt() == Doc().GetOriginNode()) {
                list->topLevelItem(row)->setSelected(true);
                offered = true;
            }
        emit choose->findChild<QDialogButtonBox*>()->accepted();
    });
    ChoosePopupItem(0, 0, 256);
    EXPECT_TRUE(offered);
    EXPECT_EQ(prompt.texts(), QStringList({Translate(app::kTextOriginNode)}));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(Doc().Undo().GetUndoCount(), 0);
}

} // namespace

namespace {

// The end node's pick: the dialog comes back in radius mode with the
// clicked node as end node.
TEST_F(VariablesWindow, EndPickReopensTheDialogInRadiusMode)
{
    ASSERT_NO_FATAL_FAILURE(ShowLine(100, 50, 300, 50));
    const int start = Doc().Nodes().AddPoint(100, 50, true);

    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<dlg::CPropPointDlg*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QAbstractButton*>(QStringLiteral("Relative"))->click();
        dialog->findChild<QAbstractButton*>(QStringLiteral("RadiusMode"))->click();
        dialog->findChild<QPushButton*>(QStringLiteral("PickEnd"))->click();
    });
    ChoosePopupItem(300, 50, 256);

    int end = -1;
    bool radius = false;
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<dlg::CPropPointDlg*>(modal);
        ASSERT_NE(dialog, nullptr);
        end = dialog->findChild<QComboBox*>(QStringLiteral("End"))->currentData().toInt();
        radius = dialog->findChild<QAbstractButton*>(QStringLiteral("RadiusMode"))->isChecked();
        dialog->reject();
    });
    const QPoint at = PixelOf(100, 50);
    QTest::mouseMove(view_, at);
    QTest::mouseClick(view_, Qt::LeftButton, Qt::NoModifier, at);
    QApplication::processEvents();
    EXPECT_EQ(end, start);
    EXPECT_TRUE(radius);
}

} // namespace
