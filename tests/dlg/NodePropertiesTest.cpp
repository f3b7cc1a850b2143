// The node dialog on a drawing: the checks of OK in their order, the
// replacement of the node in one undo step, the secondary relativity
// option, the reference entries; the point selection among coinciding
// nodes; and both widgets wired.
#include "dlg/NodeProperties.h"
#include "dlg/PropPointDlg.h"
#include "dlg/VariableDlg.h"
#include "dlg/VariableEditCtrl.h"

#include "common/LanguageTestSupport.h"
#include "document/MorvekDoc.h"
#include "element/NodePoint.h"
#include "element/NodeTable.h"
#include "platform/Prompt.h"
#include "section/UndoManager.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QCheckBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>

namespace {

using dlg::NodeForm;
using dlg::NodeProperties;
using Mode = NodeForm::Mode;

class NodePropertiesTest : public testing::Test {
protected:
    void SetUp() override
    {
        NodeTable& nodes = doc.Nodes();
        a = nodes.AddPoint(10, 10, false);
        b = nodes.AddPoint(20, 10, false);
        c = nodes.AddPoint(30, 10, false);
        twin = nodes.AddPoint(10, 10, false); // on a's spot, so of a's name
        ASSERT_TRUE(doc.Variables().AddVariable(QStringLiteral("Loop"), QStringLiteral("Loop+1"), {}, 1000, true));
        // b is placed relative to a, c relative to b.
        nodes.GetNode(b)->MakeOffset(nodes.GetNode(a), QStringLiteral("10"), QStringLiteral("0"));
        nodes.GetNode(c)->MakeOffset(nodes.GetNode(b), QStringLiteral("10"), QStringLiteral("0"));
    }
    NodeForm Cardinal(int reference, const char* dx, const char* dy)
    {
        NodeForm f = NodeProperties(doc, a, true).Load();
        f.mode = Mode::Cardinal;
        f.reference = reference;
        f.dx = QString::fromLatin1(dx);
        f.dy = QString::fromLatin1(dy);
        return f;
    }
    double X(int n)
    {
        doc.Nodes().SetCacheValid(false);
        return doc.Nodes().GetNode(n)->GetX();
    }

    test::ScopedTestEnvironment env;
    test::ScopedLanguage language{env, "[681]\nENG=circular\n[682]\nENG=reference\n[376]\nENG=empty\n[378]\nENG=refused %1\n"};
    platform::ScriptedPrompt prompt;
    platform::ScopedOverride<platform::Prompt*> installed = platform::installPrompt(prompt);
    CMorvekDoc doc;
    int a = -1, b = -1, c = -1, twin = -1;
};

TEST_F(NodePropertiesTest, OkChecksComeInOrder)
{
    const struct {
        NodeForm form;
        const char* message; // nullptr: accepted
    } cases[] = {
        {Cardinal(-1, "Loop", ""), "circular"},     // all three faults: 681 first
        {Cardinal(-1, "5", ""), "reference"},       // then 682
        {Cardinal(a, "5", "1"), "reference"},        // its own reference
        {Cardinal(b, "5", "1"), "reference"},        // b is built on a
        {Cardinal(c, "5", "1"), "reference"},        // c through b
        {Cardinal(twin, "5", ""), "empty"},          // then 376
        {Cardinal(twin, "5", "  "), "empty"},
        {Cardinal(twin, "A/2", "0"), nullptr},      // a node on the same spot is a fine reference
    };
    NodeProperties properties(doc, a, true);
    for (const auto& row : cases) {
        const int before = static_cast<int>(prompt.texts().size());
        EXPECT_EQ(properties.Apply(row.form), row.message == nullptr);
        if (row.message) {
            ASSERT_EQ(static_cast<int>(prompt.texts().size()), before + 1);
            EXPECT_EQ(prompt.texts().back(), QString::fromLatin1(row.message)) << row.form.dx.toStdString();
            EXPECT_EQ(doc.Undo().GetUndoCount(), 0);
        }
    }
    EXPECT_EQ(doc.Nodes().GetNode(a)->GetKind(), NodeKind::Offset);
    EXPECT_EQ(X(a), 10.0 + 100.0); // A is 200
    EXPECT_EQ(X(c), 130.0);        // its followers moved with it
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.Undo().NextUndo()->title, NodeProperties::kTextUndoTitle);
    doc.Undo().Undo();
    EXPECT_EQ(doc.Nodes().GetNode(a)->GetKind(), NodeKind::Absolute);
    EXPECT_EQ(X(a), 10.0);
}

TEST_F(NodePropertiesTest, RadiusModeNeedsAnEndNodeNotBuiltOnTheNode)
{
    NodeProperties properties(doc, a, true);
    NodeForm f = properties.Load();
    f.mode = Mode::Radius;
    f.reference = twin;
    f.radius1 = QStringLiteral("20");
    EXPECT_FALSE(properties.Apply(f)); // no end node
    f.end = c;
    EXPECT_FALSE(properties.Apply(f)); // built on a
    EXPECT_EQ(prompt.texts(), QStringList({QStringLiteral("reference"), QStringLiteral("reference")}));
    f.end = doc.Nodes().AddPoint(10, 30, false);
    f.separateDistance = true;
    EXPECT_FALSE(properties.Apply(f)); // the second radius is empty
    f.radius2 = QStringLiteral("20");
    EXPECT_TRUE(properties.Apply(f));
    const NodeForm back = properties.Load();
    EXPECT_EQ(back.mode, Mode::Radius);
    EXPECT_TRUE(back.separateDistance);
    EXPECT_EQ(back.radius2, QStringLiteral("20"));
    EXPECT_EQ(back.end, f.end);
}

TEST_F(NodePropertiesTest, FixedPositionsKeepWholeMicrometres)
{
    NodeProperties properties(doc, b, true);
    EXPECT_EQ(properties.RelativeMode(), Mode::Cardinal);
    NodeForm f = properties.Load();
    EXPECT_EQ(f.mode, Mode::Cardinal);
    f.mode = Mode::Fixed;
    f.x = 10.0004;
    f.y = -3.5;
    f.name = QString();
    ASSERT_TRUE(properties.Apply(f));
    const NodeForm back = properties.Load();
    EXPECT_EQ(back.mode, Mode::Fixed);
    EXPECT_EQ(back.x, 10.0);
    EXPECT_EQ(back.y, -3.5);
    EXPECT_TRUE(back.name.isEmpty());
    EXPECT_EQ(NodeProperties(doc, a, true).RelativeMode(), Mode::Cardinal); // absolute
}

TEST_F(NodePropertiesTest, SecondaryRelativityFollowsTheOption)
{
    doc.Nodes().GetNode(a)->SetRotationFormulas(QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("90"));
    EXPECT_TRUE(NodeProperties(doc, a, true).Load().secondary);
    NodeProperties off(doc, a, false);
    NodeForm f = off.Load();
    EXPECT_FALSE(f.secondary);
    f.secondary = true; // cannot be set with the option off
    ASSERT_TRUE(off.Apply(f));
    const CNodePoint& node = *doc.Nodes().GetNode(a);
    EXPECT_TRUE(node.GetRotationCenterXFormula().isEmpty());
    EXPECT_TRUE(node.GetRotationAngleFormula().isEmpty());
}

TEST_F(NodePropertiesTest, ReferenceEntriesLeaveOutOnlyTheEditedNode)
{
    QList<int> offered;
    for (const auto& [text, slot] : NodeProperties(doc, a, true).ReferenceEntries()) {
        offered << slot;
        EXPECT_EQ(text, NodeProperties(doc, a, true).EntryText(slot));
    }
    EXPECT_FALSE(offered.contains(a));
    EXPECT_TRUE(offered.contains(twin));
    EXPECT_TRUE(offered.contains(doc.GetOriginNode()));
}

TEST_F(NodePropertiesTest, CoincidingNodesAreListedInSlotOrder)
{
    EXPECT_EQ(dlg::NodesAt(doc.Nodes(), twin, 1.0), (std::vector<int>{a, twin}));
    EXPECT_EQ(dlg::NodesAt(doc.Nodes(), c, 1.0), (std::vector<int>{c}));
}

TEST_F(NodePropertiesTest, SelectPointDialogGivesTheChosenSlotOrNone)
{
    const std::vector<int> here{a, twin};
    {
        dlg::CSelectPointDlg dialog(nullptr, doc.Nodes(), here);
        auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("List"));
        ASSERT_EQ(list->topLevelItemCount(), 2);
        EXPECT_EQ(list->topLevelItem(1)->text(1).toInt(), twin);
        QTimer::singleShot(0, &dialog, [&] { emit dialog.findChild<QDialogButtonBox*>()->accepted(); });
        EXPECT_EQ(dialog.exec(), QDialog::Accepted);
        EXPECT_EQ(dialog.Result(), -1); // OK without a selection
    }
    {
        dlg::CSelectPointDlg dialog(nullptr, doc.Nodes(), here);
        auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("List"));
        list->topLevelItem(1)->setSelected(true);
        QTimer::singleShot(0, &dialog, [&] { emit dialog.findChild<QDialogButtonBox*>()->accepted(); });
        dialog.exec();
        EXPECT_EQ(dialog.Result(), twin);
    }
    {
        dlg::CSelectPointDlg dialog(nullptr, doc.Nodes(), here);
        auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("List"));
        list->topLevelItem(0)->setSelected(true);
        dialog.show();
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, QPoint(5, list->viewport()->height() - 3));
        EXPECT_EQ(dialog.Result(), -1); // below the rows
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
}

// The widget: the fields loaded, the mode's controls enabled, a pick that
// keeps what was typed, and OK applying the form.
TEST_F(NodePropertiesTest, DialogIsWired)
{
    NodeProperties properties(doc, a, false);
    NodeForm form = properties.Load();
    {
        dlg::CPropPointDlg dialog(nullptr, properties, form);
        EXPECT_TRUE(dialog.findChild<QLineEdit*>(QStringLiteral("X"))->isEnabled());
        EXPECT_FALSE(dialog.findChild<QCheckBox*>(QStringLiteral("Secondary"))->isEnabled());
        dialog.findChild<QAbstractButton*>(QStringLiteral("Relative"))->click();
        EXPECT_TRUE(dialog.findChild<QAbstractButton*>(QStringLiteral("Cardinal"))->isChecked());
        EXPECT_FALSE(dialog.findChild<QLineEdit*>(QStringLiteral("X"))->isEnabled());
        EXPECT_FALSE(dialog.Field("Radius")->isEnabled());
        dialog.Field("dx")->SetText(QStringLiteral("A/2"));
        dialog.Field("dy")->SetText(QStringLiteral("0"));
        QTimer::singleShot(0, &dialog, [&] { dialog.findChild<QPushButton*>(QStringLiteral("PickReference"))->click(); });
        EXPECT_EQ(dialog.exec(), dlg::CPropPointDlg::kEndPickReference);
    }
    EXPECT_EQ(form.dx, QStringLiteral("A/2"));
    EXPECT_EQ(form.mode, Mode::Cardinal);
    EXPECT_EQ(doc.Nodes().GetNode(a)->GetKind(), NodeKind::Absolute); // nothing changed by the pick
    form.reference = twin; // what the pick's callback does
    dlg::CPropPointDlg dialog(nullptr, properties, form);
    EXPECT_EQ(dialog.findChild<QComboBox*>(QStringLiteral("Reference"))->currentData().toInt(), twin);
    EXPECT_EQ(dialog.Field("dx")->Text(), QStringLiteral("A/2"));
    QTimer::singleShot(0, &dialog, [&] { dialog.OnOK(); });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(X(a), 110.0);
}

} // namespace

namespace {

// Add Variable: a taken name is refused and asked again; the new variable
// is one undo step of its own, kept when the node dialog is cancelled.
TEST_F(NodePropertiesTest, AddVariableIsUndoableAndOutlivesCancel)
{
    NodeProperties properties(doc, a, true);
    NodeForm form = properties.Load();
    dlg::CPropPointDlg dialog(nullptr, properties, form);
    int shown = 0;
    std::function<void()> answer = [&] {
        auto* prop = qobject_cast<dlg::CVariablePropDlg*>(QApplication::activeModalWidget());
        if (!prop) {
            QTimer::singleShot(10, answer);
            return;
        }
        prop->SetTexts(++shown == 1 ? QStringLiteral("Loop") : QStringLiteral("Flap"), QStringLiteral("A/4"), {});
        prop->accept();
        if (shown == 1)
            QTimer::singleShot(10, answer);
    };
    QTimer::singleShot(10, answer);
    dialog.OnAddVariable();
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(prompt.texts(), QStringList({QStringLiteral("refused 4")}));
    EXPECT_EQ(doc.Variables().Evaluate(QStringLiteral("Flap")), 50.0);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.Undo().GetUndoCount(), 1);
    dialog.reject();
    doc.Undo().Undo();
    EXPECT_FALSE(doc.Variables().Exists(QStringLiteral("Flap")));
}

} // namespace
