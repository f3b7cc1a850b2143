// The Options menu's dialogs: the hot-key records Set and Delete write, the
// binding shown per command, the language order, the catalogue paths; and
// once each on the real widgets, offscreen.
#include "dlg/KeySettingDlg.h"
#include "dlg/LanguageDlg.h"
#include "dlg/SettingsPathDlg.h"
#include "options/LanguageTable.h"
#include "options/Options.h"
#include "options/PathChooser.h"
#include "platform/Registry.h"

#include "common/LanguageTestSupport.h"
#include "common/TempDir.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

using dlg::KeySettings;

constexpr int kPanRow = 2;
constexpr int kFreePointRow = 4;
constexpr int kEndPointRow = 13;

QByteArray Stored(const QString& name)
{
    QByteArray bytes;
    (void)platform::Registry::getBinary(QStringLiteral("Keyboard"), name, bytes);
    return bytes;
}

TEST(KeySettings, KeyListHasSixtyEntriesWithoutZAndMatchesCodesExactly)
{
    ASSERT_EQ(dlg::KeyList().size(), 60u);
    EXPECT_EQ(QString::fromUtf16(dlg::KeyList().front().name), QStringLiteral("None"));
    EXPECT_EQ(QString::fromUtf16(dlg::KeyList().back().name), QStringLiteral("Y"));
    EXPECT_EQ(dlg::KeyListIndex('Z'), -1);
    EXPECT_EQ(QString::fromUtf16(dlg::KeyList()[std::size_t(dlg::KeyListIndex(97))].name), QStringLiteral("Num 1"));
    EXPECT_EQ(QString::fromUtf16(dlg::KeyList()[std::size_t(dlg::KeyListIndex(116))].name), QStringLiteral("F5"));
}

TEST(KeySettings, SetWritesTheEightByteRecordAndReselectingShowsIt)
{
    test::ScopedTestEnvironment env;
    COptions options;
    KeySettings keys(options);
    keys.Select(kPanRow);
    keys.ctrl = true;
    keys.keyIndex = dlg::KeyListIndex(116); // F5
    ASSERT_TRUE(keys.Set());
    const QByteArray record = Stored(QStringLiteral("SHOW_PAN"));
    ASSERT_EQ(record.size(), 8);
    EXPECT_EQ(record.left(3), QByteArray("\x01\x00\x00", 3));
    EXPECT_EQ(record.mid(4), QByteArray("\x74\x00\x00\x00", 4));

    keys.Select(kFreePointRow); // nothing stored, no factory layer: None, boxes clear
    EXPECT_FALSE(keys.ctrl);
    EXPECT_EQ(keys.keyIndex, 0);
    keys.Select(kPanRow);
    EXPECT_TRUE(keys.ctrl);
    EXPECT_FALSE(keys.alt);
    EXPECT_EQ(keys.keyIndex, dlg::KeyListIndex(116));

    keys.keyIndex = dlg::KeyListIndex(97); // "Num 1"
    keys.ctrl = false;
    ASSERT_TRUE(keys.Set());
    EXPECT_EQ(Stored(QStringLiteral("SHOW_PAN")).mid(4), QByteArray("\x61\x00\x00\x00", 4));
    keys.keyIndex = 0;
    keys.Select(kPanRow);
    EXPECT_EQ(QString::fromUtf16(dlg::KeyList()[std::size_t(keys.keyIndex)].name), QStringLiteral("Num 1"));
}

TEST(KeySettings, AGroupCannotBeSetSoTheEndPointBindingStays)
{
    test::ScopedTestEnvironment env;
    COptions options;
    KeySettings keys(options);
    keys.Select(kEndPointRow);
    keys.keyIndex = dlg::KeyListIndex(117); // F6
    ASSERT_TRUE(keys.Set());
    const QByteArray endPoint = Stored(QString());
    for (int group : {0, 1}) {
        keys.Select(group);
        EXPECT_FALSE(keys.CanEdit()) << group;
        EXPECT_EQ(keys.DescriptionId(), 1005);
        keys.keyIndex = dlg::KeyListIndex(65);
        EXPECT_FALSE(keys.Set());
        EXPECT_FALSE(keys.Delete());
    }
    EXPECT_EQ(Stored(QString()), endPoint);
    keys.Select(kEndPointRow);
    EXPECT_TRUE(keys.CanEdit());
    EXPECT_EQ(keys.keyIndex, dlg::KeyListIndex(117));
}

TEST(KeySettings, FactoryBindingIsShownAndDeleteOverridesIt)
{
    test::ScopedTestEnvironment env;
    COptions options;
    options.UseFactoryKeyBindings();
    ASSERT_NE(options.GetKeyBinding(DEF_FREEPOINT).virtualKey, 0);
    KeySettings keys(options);
    keys.Select(kFreePointRow);
    EXPECT_TRUE(keys.ShowsFactoryBinding());
    EXPECT_EQ(dlg::KeyList()[std::size_t(keys.keyIndex)].virtualKey, options.GetKeyBinding(DEF_FREEPOINT).virtualKey);

    ASSERT_TRUE(keys.Delete());
    EXPECT_EQ(keys.keyIndex, 0);
    EXPECT_EQ(Stored(QStringLiteral("DEF_FREEPOINT")), QByteArray(8, '\0'));
    options.LoadKeyboard();
    EXPECT_EQ(options.GetKeyBinding(DEF_FREEPOINT), KeyBinding{});
    EXPECT_TRUE(keys.Written());
    keys.Select(kFreePointRow);
    EXPECT_FALSE(keys.ShowsFactoryBinding());
    EXPECT_EQ(keys.keyIndex, 0);
}

TEST(KeySettingDlg, SetThenCloseBoxLeavesTheOptionsUsingTheNewBinding)
{
    test::ScopedTestEnvironment env;
    test::ScopedLanguage language(env, test::EnglishTexts());
    COptions options;
    bool checked = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<dlg::CKeySettingDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Keyboard Shortcuts"));
        dialog->SelectRow(0);
        EXPECT_FALSE(dialog->SetButton()->isEnabled());
        dialog->SelectRow(kPanRow);
        EXPECT_TRUE(dialog->SetButton()->isEnabled());
        EXPECT_EQ(dialog->Description()->text(), QStringLiteral("The key pressed while panning the view"));
        dialog->Ctrl()->setChecked(true);
        dialog->Keys()->setCurrentIndex(dlg::KeyListIndex(116));
        dialog->SetButton()->click();
        checked = true;
        dialog->close(); // the close box, not OK
    });
    dlg::RunKeySettings(nullptr, options);
    ASSERT_TRUE(checked);
    EXPECT_TRUE(options.MatchKey(116, 0, 0, 1, SHOW_PAN));
}

TEST(LanguageChoice, OrdersAndLabels)
{
    const struct {
        int index;
        const char* order;
        const char* label;
    } cases[] = {
        {0, "GER,ENG", "German"}, {1, "ENG", "English"},   {3, "FRA,ENG", "French"},
        {5, "HUN,ENG", "Hungarian"}, {8, "SRB,ENG", "Serbian"},
    };
    test::ScopedTestEnvironment env;
    test::ScopedLanguage language(env, test::EnglishTexts());
    for (const auto& c : cases) {
        EXPECT_EQ(dlg::LanguageOrder(c.index), QString::fromLatin1(c.order)) << c.index;
        EXPECT_EQ(dlg::LanguageLabel(c.index), QString::fromLatin1(c.label)) << c.index;
    }
    dlg::LanguageChoice choice;
    EXPECT_FALSE(choice.CanAccept());
    choice.Select(8);
    choice.Select(9); // outside the list: kept
    EXPECT_EQ(choice.OrderText(), QStringLiteral("SRB,ENG"));
    EXPECT_TRUE(choice.CanAccept());
}

TEST(LanguageChoice, WithoutATextTheKeyIsShown)
{
    test::ScopedTestEnvironment env;
    test::ScopedLanguage language(env, "[1]\nENG=x\n");
    EXPECT_EQ(dlg::LanguageLabel(5), QStringLiteral("HUN"));
}

TEST(LanguageDlg, OkWaitsForAChoiceThenStoresTheOrder)
{
    test::ScopedTestEnvironment env;
    env.dir().write(QStringLiteral("app/Defaults/settings.ini"), "[language]\nset0=english.lng\norder=ENG\n");
    env.dir().write(QStringLiteral("app/english.lng"), test::EnglishTexts());
    COptions options;
    options.Load();
    dlg::CLanguageDlg dialog(nullptr, options);
    ASSERT_EQ(dialog.List()->count(), 9);
    EXPECT_EQ(dialog.List()->item(0)->text(), QStringLiteral("German"));
    EXPECT_FALSE(dialog.List()->item(0)->icon().isNull());
    EXPECT_FALSE(dialog.OkButton()->isEnabled());
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Rejected) << "nothing chosen, nothing stored";
    dialog.List()->setCurrentRow(8);
    EXPECT_EQ(dialog.OrderLabel()->text(), QStringLiteral("SRB,ENG"));
    ASSERT_TRUE(dialog.OkButton()->isEnabled());
    dialog.OkButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    QString order;
    options.GetSettings().SelectSection(QStringLiteral("language"));
    EXPECT_TRUE(options.GetSettings().GetString(QStringLiteral("order"), order));
    EXPECT_EQ(order, QStringLiteral("SRB,ENG"));
    EXPECT_EQ(options.GetLanguageTable()->Priority().count(QStringLiteral("SRB")), 1u);
}

TEST(CatalogPaths, BrowseStoresAtOnceAndCancelKeepsIt)
{
    test::ScopedTestEnvironment env;
    COptions options;
    options.WriteRegistryString(QStringLiteral("Standards"), QStringLiteral("FEFCO"), QStringLiteral("/cat/fefco.sif"));
    ScriptedPathChooser chooser;
    const auto use = installPathChooser(chooser);
    chooser.push(QStringLiteral("/cat/ecma.sif"));
    chooser.push(std::nullopt);
    {
        dlg::CSettingsPathDlg sheet(nullptr, options);
        EXPECT_EQ(sheet.Field(0)->text(), QStringLiteral("/cat/fefco.sif"));
        EXPECT_TRUE(sheet.Field(1)->isReadOnly());
        sheet.BrowseButton(1)->click();
        EXPECT_EQ(sheet.Field(1)->text(), QStringLiteral("/cat/ecma.sif"));
        sheet.BrowseButton(2)->click(); // cancelled: HOLDER stays empty
        EXPECT_EQ(sheet.Field(2)->text(), QString());
        sheet.reject();
    }
    ASSERT_EQ(chooser.starts().size(), 2);
    EXPECT_TRUE(chooser.filters().front().startsWith(QStringLiteral("Standard Information Files (*.sif)")));
    EXPECT_EQ(options.ReadRegistryString(QStringLiteral("Standards"), QStringLiteral("ECMA")),
              QStringLiteral("/cat/ecma.sif"));
    EXPECT_EQ(options.ReadRegistryString(QStringLiteral("Standards"), QStringLiteral("HOLDER")), QString());
    dlg::CSettingsPathDlg again(nullptr, options); // a second opening shows the stored paths
    EXPECT_EQ(again.Field(1)->text(), QStringLiteral("/cat/ecma.sif"));
}

} // namespace
