// The component dialog's rows: the drawing's own variables, the stored
// overrides applied and dropped, Modify, Reset and Restore, the cap of 50;
// and the window wired to them.
#include "dlg/ComponentOverrides.h"
#include "dlg/SpecStdPropDlg.h"
#include "dlg/VariableDlg.h"
#include "dlg/VariableEditCtrl.h"

#include "StandardEditingFixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest/QTest>

#include <gtest/gtest.h>

namespace {

using dlg::ComponentOverrides;
using platform::PromptResult;

class ComponentOverridesTest : public testing::Test {
protected:
    void SetUp() override { standardFile = dir().file(QStringLiteral("std/box.nst")); }
    const test::TempDir& dir() const { return env.dir(); }

    // The box drawing: Flap with blanks around its plus sign, and Tab.
    QString WriteBox()
    {
        return test::WriteDrawingWith(dir(), QStringLiteral("std/parts/box.n"),
                                      {{QStringLiteral("Flap"), QStringLiteral("A  +   B ")},
                                       {QStringLiteral("Tab"), QStringLiteral("15")}});
    }
    SpecStandardComponent Component(std::vector<std::pair<QString, QString>> pairs)
    {
        SpecStandardComponent c;
        c.name = QStringLiteral("Lid");
        c.file = QStringLiteral(".\\parts\\box.n");
        for (const auto& [variable, expression] : pairs)
            c.pairs[static_cast<size_t>(c.pairCount++)] = {variable, expression};
        return c;
    }
    static QString Pairs(const SpecStandardComponent& c)
    {
        QStringList out;
        for (int i = 0; i < c.pairCount; ++i)
            out << c.pairs[static_cast<size_t>(i)].variable + u'=' + c.pairs[static_cast<size_t>(i)].expression;
        return out.join(u' ');
    }

    test::ScopedTestEnvironment env;
    test::ScopedLanguage language{env, test::EnglishTexts()};
    platform::ScriptedPrompt prompt;
    platform::ScopedOverride<platform::Prompt*> installed = platform::installPrompt(prompt);
    QString standardFile;
};

TEST_F(ComponentOverridesTest, OnlyTheDrawingsOwnVariablesAreOfferedWithFormulasCompacted)
{
    test::WriteDrawingWith(dir(), QStringLiteral("std/parts/plain.n"), {});
    SpecStandardComponent plain = Component({});
    plain.file = QStringLiteral(".\\parts\\plain.n");
    ComponentOverrides defaults(plain, standardFile);
    defaults.LoadVariables(false);
    ASSERT_NE(defaults.Table(), nullptr);
    EXPECT_TRUE(defaults.Rows().empty());

    WriteBox();
    ComponentOverrides box(Component({{QStringLiteral("Tab"), QStringLiteral(" 20\t+  H ")}}), standardFile);
    box.LoadVariables(false);
    ASSERT_EQ(box.Rows().size(), 2u);
    EXPECT_EQ(box.Rows()[0].name, QStringLiteral("Flap"));
    EXPECT_EQ(box.ShownFormula(0), QStringLiteral("A + B"));
    EXPECT_EQ(box.Mark(0), QString());
    EXPECT_EQ(box.ShownFormula(1), QStringLiteral("20 + H"));
    EXPECT_EQ(box.Mark(1), QStringLiteral("Changed"));
    EXPECT_EQ(box.FormulaToEdit(1), QStringLiteral(" 20\t+  H "));
}

TEST_F(ComponentOverridesTest, ModifyResetOkLeavesNoOverride)
{
    WriteBox();
    ComponentOverrides box(Component({{QStringLiteral("Tab"), QStringLiteral("20")}}), standardFile);
    box.LoadVariables(false);
    EXPECT_TRUE(box.Override(0, QStringLiteral("A*2")));
    box.Reset(0);
    box.Reset(1);
    box.x = QStringLiteral("A+10");
    const SpecStandardComponent result = box.Result();
    EXPECT_EQ(result.pairCount, 0);
    EXPECT_EQ(result.x, QStringLiteral("A+10"));

    EXPECT_TRUE(box.Override(1, QStringLiteral("25")));
    EXPECT_TRUE(box.Override(0, QStringLiteral("A*2")));
    EXPECT_EQ(Pairs(box.Result()), QStringLiteral("Flap=A*2 Tab=25")); // row order
}

TEST_F(ComponentOverridesTest, RestoreWithYesShowsTheStoredOverrideAgain)
{
    WriteBox();
    ComponentOverrides box(Component({{QStringLiteral("Tab"), QStringLiteral("20")}}), standardFile);
    box.LoadVariables(false);
    EXPECT_FALSE(box.Restore()); // nothing changed: nothing asked
    EXPECT_TRUE(prompt.texts().isEmpty());

    ASSERT_TRUE(box.Override(1, QStringLiteral("99")));
    box.Reset(0);
    prompt.push(PromptResult::No);
    EXPECT_FALSE(box.Restore());
    EXPECT_EQ(box.ShownFormula(1), QStringLiteral("99"));

    prompt.push(PromptResult::Yes);
    EXPECT_TRUE(box.Restore());
    EXPECT_EQ(box.ShownFormula(1), QStringLiteral("20"));
    EXPECT_EQ(box.Mark(1), QStringLiteral("Changed"));

    // A stored override reset here comes back too.
    box.Reset(1);
    prompt.push(PromptResult::Yes);
    EXPECT_TRUE(box.Restore());
    EXPECT_EQ(Pairs(box.Result()), QStringLiteral("Tab=20"));
}

TEST_F(ComponentOverridesTest, AnotherFileDropsOverridesItsDrawingLacks)
{
    WriteBox();
    const QString other = test::WriteDrawingWith(dir(), QStringLiteral("other/tray.n"),
                                                 {{QStringLiteral("Tab"), QStringLiteral("8")}});
    ComponentOverrides box(Component({{QStringLiteral("Flap"), QStringLiteral("12")},
                                      {QStringLiteral("Tab"), QStringLiteral("20")},
                                      {QStringLiteral("A"), QStringLiteral("1")}}),
                           standardFile);
    box.LoadVariables(false);
    EXPECT_EQ(Pairs(box.Result()), QStringLiteral("Flap=12 Tab=20")); // A is the standard's own

    box.ChooseDrawing(other);
    EXPECT_EQ(box.file, QStringLiteral("..\\other\\tray.n"));
    ASSERT_EQ(box.Rows().size(), 1u);
    EXPECT_EQ(box.ShownFormula(0), QStringLiteral("20"));
    EXPECT_EQ(Pairs(box.Result()), QStringLiteral("Tab=20"));
}

TEST_F(ComponentOverridesTest, AnUnreadableDrawingShowsNoRowsAndKeepsTheStoredOverrides)
{
    dir().write(QStringLiteral("std/parts/broken.n"), QByteArray("\xff\xff\x00\x00garbage", 11));
    for (const QString& file : {QStringLiteral(".\\parts\\missing.n"), QStringLiteral(".\\parts\\broken.n"), QString()}) {
        SpecStandardComponent c = Component({{QStringLiteral("Flap"), QStringLiteral("12")}});
        c.file = file;
        ComponentOverrides box(c, standardFile);
        box.LoadVariables(false);
        EXPECT_TRUE(box.Rows().empty()) << file.toStdString();
        EXPECT_EQ(box.Table(), nullptr) << file.toStdString();
        EXPECT_EQ(Pairs(box.Result()), QStringLiteral("Flap=12")) << file.toStdString();
    }
}

TEST_F(ComponentOverridesTest, AtMostFiftyOverridesAndTheFiftyFirstSaysSo)
{
    std::vector<std::pair<QString, QString>> variables;
    for (int i = 0; i < 51; ++i)
        variables.emplace_back(QStringLiteral("V%1").arg(i), QStringLiteral("1"));
    test::WriteDrawingWith(dir(), QStringLiteral("std/parts/box.n"), variables);
    ComponentOverrides box(Component({}), standardFile);
    box.LoadVariables(false);
    ASSERT_EQ(box.Rows().size(), 51u);
    for (int i = 0; i < 50; ++i)
        ASSERT_TRUE(box.Override(i, QStringLiteral("2")));
    EXPECT_FALSE(box.Override(50, QStringLiteral("2")));
    EXPECT_FALSE(box.Rows()[50].overridden);
    EXPECT_EQ(prompt.texts().back(),
              QStringLiteral("A component keeps at most 50 variable overrides. Reset another variable first."));
    EXPECT_TRUE(box.Override(49, QStringLiteral("3"))); // an overridden row still changes
    EXPECT_EQ(box.Result().pairCount, 50);
}

// The window: the list shows the rows, Modify goes through the variable
// dialog, Reset and OK reach the model, the file button rereads.
TEST_F(ComponentOverridesTest, WindowIsWiredToTheRows)
{
    WriteBox();
    const QString other = test::WriteDrawingWith(dir(), QStringLiteral("std/parts/tray.n"),
                                                 {{QStringLiteral("Tab"), QStringLiteral("8")}});
    ComponentOverrides box(Component({{QStringLiteral("Tab"), QStringLiteral("20")}}), standardFile);
    box.LoadVariables(false);
    test::ScriptedFileAsker files;
    dlg::CSpecStdPropDlg dialog(nullptr, box, files, dir().path());
    dialog.show();
    auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("Variables"));
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->topLevelItem(0)->text(1), QStringLiteral("A + B"));
    EXPECT_EQ(list->topLevelItem(1)->text(2), QStringLiteral("Changed"));

    list->setCurrentItem(list->topLevelItem(0));
    QTimer::singleShot(0, [] {
        auto* prop = qobject_cast<dlg::CVariablePropDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(prop, nullptr);
        EXPECT_EQ(prop->Name(), QStringLiteral("Flap"));
        EXPECT_FALSE(prop->findChild<QLineEdit*>(QStringLiteral("Name"))->isEnabled());
        prop->ExpressionField()->SetText(QStringLiteral("B  *  2"));
        prop->accept();
    });
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("Modify")), Qt::LeftButton);
    EXPECT_EQ(list->topLevelItem(0)->text(1), QStringLiteral("B * 2"));
    EXPECT_EQ(list->topLevelItem(0)->text(2), QStringLiteral("Changed"));
    EXPECT_FALSE(test::GrabWidget(dialog, QStringLiteral("component_dialog")).isNull());

    list->setCurrentItem(list->topLevelItem(1));
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("Reset")), Qt::LeftButton);
    EXPECT_EQ(list->topLevelItem(1)->text(1), QStringLiteral("15"));
    EXPECT_EQ(list->topLevelItem(1)->text(2), QString());

    dialog.findChild<QLineEdit*>(QStringLiteral("Y"))->setText(QStringLiteral("H"));
    dialog.accept();
    const SpecStandardComponent result = box.Result();
    EXPECT_EQ(Pairs(result), QStringLiteral("Flap=B  *  2"));
    EXPECT_EQ(result.y, QStringLiteral("H"));

    files.answers = {other};
    dialog.show();
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("BrowseFile")), Qt::LeftButton);
    EXPECT_EQ(files.calls.back().folder, dir().path());
    EXPECT_EQ(dialog.findChild<QLineEdit*>(QStringLiteral("File"))->text(), QStringLiteral(".\\parts\\tray.n"));
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(1), QStringLiteral("20"));
}

} // namespace
