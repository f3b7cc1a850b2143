// The extended standard editor: the opening of a new or missing standard,
// the actions on the selected row, the save checks; and its window wired to
// them.
#include "dlg/SpecStandardDlg.h"
#include "dlg/SpecStandardEditor.h"

#include "StandardEditingFixture.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <optional>

namespace {

using dlg::SpecStandardEditor;
using platform::PromptResult;

class SpecStandardEditorTest : public testing::Test {
protected:
    void SetUp() override
    {
        entry.catalogueFile = dir().file(QStringLiteral("cat/std.sif"));
        dir().write(QStringLiteral("cat/std.sif"), QByteArray());
        entry.name = QStringLiteral("Box");
        startFolder = dir().file(QStringLiteral("cat"));
    }
    const test::TempDir& dir() const { return env.dir(); }

    // An extended standard beside the catalogue with components of the
    // given (name, file) pairs; the entry names it.
    void WriteStandard(const std::vector<std::pair<QString, QString>>& parts)
    {
        SpecStandardTable t;
        t.A = 300;
        t.B = 200;
        t.H = 100;
        for (const auto& [name, file] : parts)
            ASSERT_GE(t.AddComponent(name, file, QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")), 0);
        ASSERT_TRUE(t.Save(dir().file(QStringLiteral("cat/box.nst")), nullptr));
        entry.file = QStringLiteral(".\\box.nst");
    }
    SpecStandardEditor& Open(bool isNew)
    {
        editor.emplace(entry, isNew, startFolder, files, components);
        opened = editor->Open();
        return *editor;
    }
    QString Names() const
    {
        QStringList names;
        for (int i = 0; i < editor->Table().GetCount(); ++i)
            names << editor->Table().Component(i).name + u':' + editor->Table().Component(i).file;
        return names.join(u' ');
    }

    test::ScopedTestEnvironment env;
    test::ScopedLanguage language{env, test::EnglishTexts()};
    platform::ScriptedPrompt prompt;
    platform::ScopedOverride<platform::Prompt*> installed = platform::installPrompt(prompt);
    test::ScriptedFileAsker files;
    test::ScriptedComponentEditing components;
    dlg::ExtendedEntryEdit entry;
    QString startFolder;
    std::optional<SpecStandardEditor> editor;
    bool opened = false;
};

TEST_F(SpecStandardEditorTest, NewStandardAsksAtOnceWhereToSaveAndCancelLeavesNoFile)
{
    const QString cwd = QDir::currentPath();
    Open(true);
    EXPECT_FALSE(opened);
    ASSERT_EQ(files.calls.size(), 1u);
    EXPECT_TRUE(files.calls[0].save);
    EXPECT_EQ(files.calls[0].fileName, QStringLiteral("untitled.nst"));
    EXPECT_EQ(files.calls[0].folder, startFolder);
    EXPECT_EQ(QDir(startFolder).entryList(QDir::Files), QStringList{QStringLiteral("std.sif")});
    EXPECT_EQ(QDir::currentPath(), cwd);

    files.answers = {dir().file(QStringLiteral("cat/sub/new.nst"))};
    Open(true);
    EXPECT_TRUE(opened);
    EXPECT_EQ(editor->Entry().file, QStringLiteral(".\\sub\\new.nst"));
    SpecStandardTable written;
    EXPECT_TRUE(written.Load(dir().file(QStringLiteral("cat/sub/new.nst")), nullptr));
    EXPECT_EQ(prompt.texts().size(), 0);
}

TEST_F(SpecStandardEditorTest, AFailedSaveSaysSoAndSaveAsMovesTheEntrysFile)
{
    // A folder stands where the file should go: the save fails.
    files.answers = {startFolder};
    Open(true);
    EXPECT_FALSE(opened);
    ASSERT_EQ(prompt.texts().size(), 1);
    EXPECT_TRUE(prompt.texts()[0].startsWith(QStringLiteral("The file ") + startFolder + QStringLiteral(" cannot be written.")));

    WriteStandard({{QStringLiteral("Lid"), QStringLiteral("a.n")}});
    Open(false);
    files.answers = {startFolder, dir().file(QStringLiteral("copy.nst"))};
    EXPECT_FALSE(editor->SaveAs());
    EXPECT_EQ(editor->Entry().file, QStringLiteral(".\\box.nst"));
    EXPECT_TRUE(editor->SaveAs());
    EXPECT_EQ(files.calls.back().fileName, QStringLiteral("box.nst"));
    EXPECT_EQ(editor->Entry().file, QStringLiteral("..\\copy.nst"));
    SpecStandardTable copy;
    ASSERT_TRUE(copy.Load(dir().file(QStringLiteral("copy.nst")), nullptr));
    EXPECT_EQ(copy.GetCount(), 1);
}

TEST_F(SpecStandardEditorTest, ModifyOfAMissingFileAsksAtOnceUnderItsName)
{
    entry.file = QStringLiteral(".\\gone.nst");
    files.answers = {dir().file(QStringLiteral("cat/gone.nst"))};
    Open(false);
    EXPECT_TRUE(opened);
    ASSERT_EQ(files.calls.size(), 1u);
    EXPECT_EQ(files.calls[0].fileName, QStringLiteral("gone.nst"));
    EXPECT_TRUE(QFile::exists(dir().file(QStringLiteral("cat/gone.nst"))));

    WriteStandard({{QStringLiteral("Lid"), QStringLiteral("lid.n")}});
    files.calls.clear();
    Open(false);
    EXPECT_TRUE(opened);
    EXPECT_TRUE(files.calls.empty());
    EXPECT_EQ(editor->Table().GetCount(), 1);
    EXPECT_EQ(editor->Selected(), 0);
}

TEST_F(SpecStandardEditorTest, MovesAtTheEndsChangeNothingAndTheSelectionFollows)
{
    WriteStandard({{QStringLiteral("X"), QStringLiteral("x.n")},
                   {QStringLiteral("Y"), QStringLiteral("y.n")},
                   {QStringLiteral("Z"), QStringLiteral("z.n")}});
    Open(false);
    struct Case {
        int selected;
        bool up;
        bool moved;
        const char* order;
        int selectedAfter;
    };
    const Case cases[] = {
        {0, true, false, "X:x.n Y:y.n Z:z.n", 0},
        {2, false, false, "X:x.n Y:y.n Z:z.n", 2},
        {1, true, true, "Y:y.n X:x.n Z:z.n", 0},
        {0, false, true, "X:x.n Y:y.n Z:z.n", 1},
    };
    for (const Case& c : cases) {
        editor->Select(c.selected);
        EXPECT_EQ(c.up ? editor->MoveUp() : editor->MoveDown(), c.moved) << c.order;
        EXPECT_EQ(Names(), QLatin1String(c.order));
        EXPECT_EQ(editor->Selected(), c.selectedAfter) << c.order;
    }
}

TEST_F(SpecStandardEditorTest, TwoComponentsOfOneNameAreToldApartByTheSelectedRow)
{
    WriteStandard({{QStringLiteral("Lid"), QStringLiteral("a.n")},
                   {QStringLiteral("Lid"), QStringLiteral("b.n")},
                   {QStringLiteral("Base"), QStringLiteral("c.n")}});
    Open(false);
    editor->Select(1);
    components.steps.push_back([](SpecStandardComponent& c) {
        c.x = QStringLiteral("A/2");
        return true;
    });
    EXPECT_TRUE(editor->Modify());
    EXPECT_EQ(editor->Table().Component(1).x, QStringLiteral("A/2"));
    EXPECT_EQ(editor->Table().Component(0).x, QStringLiteral("0"));
    EXPECT_EQ(components.seenStandardFiles.back(), dir().file(QStringLiteral("cat/box.nst")));

    EXPECT_TRUE(editor->MoveUp());
    EXPECT_EQ(Names(), QStringLiteral("Lid:b.n Lid:a.n Base:c.n"));

    editor->Select(1);
    prompt.push(PromptResult::Yes);
    EXPECT_TRUE(editor->Delete());
    EXPECT_EQ(prompt.texts().back(), QStringLiteral("Delete the component Lid?"));
    EXPECT_EQ(Names(), QStringLiteral("Lid:b.n Base:c.n"));
    EXPECT_EQ(editor->Selected(), 1);

    prompt.push(PromptResult::No);
    EXPECT_FALSE(editor->Delete());
    EXPECT_EQ(editor->Table().GetCount(), 2);
}

TEST_F(SpecStandardEditorTest, AddTakesOnlyAComponentWithAFileAndStopsAtForty)
{
    WriteStandard({{QStringLiteral("Lid"), QStringLiteral("a.n")}});
    Open(false);
    components.steps.push_back([](SpecStandardComponent& c) {
        c.name = QStringLiteral("NoFile");
        return true;
    });
    EXPECT_FALSE(editor->Add());
    EXPECT_EQ(editor->Table().GetCount(), 1);
    EXPECT_EQ(components.seenNames.back(), QStringLiteral("Component 1"));

    components.steps.push_back([](SpecStandardComponent& c) {
        c.file = QStringLiteral("tab.n");
        c.pairCount = 1;
        c.pairs[0] = {QStringLiteral("Flap"), QStringLiteral("12")};
        return true;
    });
    EXPECT_TRUE(editor->Add());
    ASSERT_EQ(editor->Table().GetCount(), 2);
    EXPECT_EQ(editor->Table().Component(1).pairCount, 1);
    EXPECT_EQ(editor->Selected(), 1);

    while (editor->CanAdd()) {
        components.steps.push_back([](SpecStandardComponent& c) {
            c.file = QStringLiteral("more.n");
            return true;
        });
        ASSERT_TRUE(editor->Add());
    }
    EXPECT_EQ(editor->Table().GetCount(), SpecStandardTable::kMaxComponents);
    const size_t asked = components.seenNames.size();
    EXPECT_FALSE(editor->Add());
    EXPECT_EQ(components.seenNames.size(), asked);
    EXPECT_EQ(prompt.texts().back(), QStringLiteral("An extended standard holds at most 40 components."));
}

TEST_F(SpecStandardEditorTest, SaveRefusesAZeroMainDimensionButNotAZeroMaterialThickness)
{
    WriteStandard({});
    Open(false);
    struct Case {
        double a, b, h, matThick;
        bool saves;
    };
    const Case cases[] = {
        {0, 200, 100, 3, false}, {300, 0, 100, 3, false}, {300, 200, 0, 3, false}, {310, 210, 110, 0, true}};
    for (const Case& c : cases) {
        const int messages = static_cast<int>(prompt.texts().size());
        editor->SetDimensions(c.a, c.b, c.h, c.matThick);
        EXPECT_EQ(editor->Save(), c.saves) << c.a << ' ' << c.b << ' ' << c.h;
        SpecStandardTable written;
        ASSERT_TRUE(written.Load(dir().file(QStringLiteral("cat/box.nst")), nullptr));
        EXPECT_EQ(written.A, c.saves ? 310.0 : 300.0);
        if (!c.saves) {
            EXPECT_EQ(prompt.texts().value(messages), QStringLiteral("A, B and H must not be 0."));
        }
    }
}

TEST_F(SpecStandardEditorTest, LoadAsksAndAnUnreadableFileSaysSoAndKeepsTheStandard)
{
    WriteStandard({{QStringLiteral("Lid"), QStringLiteral("a.n")}});
    Open(false);
    SpecStandardTable other;
    ASSERT_GE(other.AddComponent(QStringLiteral("Tray"), QStringLiteral("t.n"), {}, {}, {}), 0);
    ASSERT_GE(other.AddComponent(QStringLiteral("Insert"), QStringLiteral("i.n"), {}, {}, {}), 0);
    ASSERT_TRUE(other.Save(dir().file(QStringLiteral("other/two.nst")), nullptr));
    dir().write(QStringLiteral("other/bad.nst"), "not a standard");

    files.answers = {dir().file(QStringLiteral("other/two.nst"))};
    prompt.push(PromptResult::No);
    EXPECT_FALSE(editor->Load());
    EXPECT_EQ(Names(), QStringLiteral("Lid:a.n"));

    files.answers = {dir().file(QStringLiteral("other/bad.nst"))};
    prompt.push(PromptResult::Yes);
    EXPECT_FALSE(editor->Load());
    EXPECT_EQ(Names(), QStringLiteral("Lid:a.n"));
    EXPECT_TRUE(prompt.texts().back().startsWith(QStringLiteral("The file ")));

    files.answers = {dir().file(QStringLiteral("other/two.nst"))};
    prompt.push(PromptResult::Yes);
    EXPECT_TRUE(editor->Load());
    EXPECT_EQ(Names(), QStringLiteral("Tray:t.n Insert:i.n"));
    EXPECT_EQ(editor->Entry().file, QStringLiteral("..\\other\\two.nst"));
    for (const auto& call : files.calls)
        EXPECT_EQ(call.folder, startFolder);
}

// The window: the list follows the editor, the buttons act on the selected
// row, Save checks the edits and closes.
TEST_F(SpecStandardEditorTest, WindowIsWiredToTheEditor)
{
    WriteStandard({{QStringLiteral("Lid"), QStringLiteral("a.n")}, {QStringLiteral("Base"), QStringLiteral("b.n")}});
    entry.bitmap = QStringLiteral(".\\box.bmp");
    Open(false);
    dlg::CSpecStandardDlg dialog(nullptr, *editor);
    dialog.show();
    auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("Components"));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->topLevelItem(1)->text(1), QStringLiteral("b.n"));
    EXPECT_EQ(dialog.findChild<QLineEdit*>(QStringLiteral("A"))->text(), QStringLiteral("300"));
    auto* up = dialog.findChild<QPushButton*>(QStringLiteral("Up"));
    EXPECT_FALSE(up->isEnabled());

    list->setCurrentItem(list->topLevelItem(1));
    EXPECT_EQ(editor->Selected(), 1);
    EXPECT_TRUE(up->isEnabled());
    QTest::mouseClick(up, Qt::LeftButton);
    EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("Base"));
    EXPECT_EQ(list->currentItem(), list->topLevelItem(0));
    EXPECT_FALSE(test::GrabWidget(dialog, QStringLiteral("spec_standard_editor")).isNull());

    auto* h = dialog.findChild<QLineEdit*>(QStringLiteral("H"));
    h->setText(QStringLiteral("0"));
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("Save")), Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(prompt.texts().back(), QStringLiteral("A, B and H must not be 0."));

    h->setText(QStringLiteral("120.5"));
    dialog.findChild<QLineEdit*>(QStringLiteral("Name"))->setText(QStringLiteral("Tray box"));
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("Save")), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(editor->Entry().name, QStringLiteral("Tray box"));
    SpecStandardTable written;
    ASSERT_TRUE(written.Load(dir().file(QStringLiteral("cat/box.nst")), nullptr));
    EXPECT_EQ(written.H, 120.5);
    EXPECT_EQ(written.Component(0).name, QStringLiteral("Base"));
}

TEST_F(SpecStandardEditorTest, WindowDisablesAddAtFortyAndSaysWhy)
{
    std::vector<std::pair<QString, QString>> many;
    for (int i = 0; i < SpecStandardTable::kMaxComponents; ++i)
        many.emplace_back(QStringLiteral("C%1").arg(i), QStringLiteral("c.n"));
    WriteStandard(many);
    Open(false);
    dlg::CSpecStandardDlg dialog(nullptr, *editor);
    auto* add = dialog.findChild<QPushButton*>(QStringLiteral("Add"));
    EXPECT_FALSE(add->isEnabled());
    EXPECT_EQ(add->toolTip(), QStringLiteral("An extended standard holds at most 40 components."));
}

} // namespace
