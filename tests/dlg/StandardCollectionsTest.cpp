// View > Standard Collections: the named catalogues, saved at every change.
#include "dlg/StandardCollections.h"
#include "dlg/StdCollectionDlg.h"

#include "common/LanguageTestSupport.h"
#include "common/TempDir.h"
#include "options/Options.h"
#include "platform/Prompt.h"

#include <QApplication>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace dlg {
namespace {

using platform::PromptResult;

class StandardCollectionsTest : public testing::Test {
protected:
    // The list as the profile holds it now.
    QStringList Saved() const
    {
        StandardsList list;
        list.Load();
        QStringList names;
        for (int i = 0; i < list.Count(); ++i)
            names << list.At(i).name + u'=' + list.At(i).file;
        return names;
    }

    test::ScopedTestEnvironment env_;
    test::ScopedLanguage language_{env_, test::EnglishTexts()};
    COptions options_;
    StandardCollections collections_{options_};
    platform::ScriptedPrompt prompt_;
    platform::ScopedOverride<platform::Prompt*> promptGuard_ = platform::installPrompt(prompt_);
};

TEST_F(StandardCollectionsTest, DeletingTheFirstOfThreeMovesTheThirdToTheFront)
{
    for (const char* name : {"One", "Two", "Three"})
        collections_.Add({QString::fromLatin1(name), QStringLiteral("/c/%1.sif").arg(QString::fromLatin1(name))});
    prompt_.push(PromptResult::No);
    EXPECT_FALSE(collections_.Delete(0));
    prompt_.push(PromptResult::Yes);
    EXPECT_TRUE(collections_.Delete(0));
    EXPECT_EQ(Saved(), (QStringList{QStringLiteral("Three=/c/Three.sif"), QStringLiteral("Two=/c/Two.sif")}));
    EXPECT_EQ(prompt_.texts().back(), Translate(StandardCollections::kTextConfirmDelete) + QStringLiteral("\nOne"));
}

TEST_F(StandardCollectionsTest, ModifyAndDeleteWithoutASelectionSay424)
{
    EXPECT_FALSE(collections_.StartModify(-1));
    EXPECT_FALSE(collections_.Delete(-1));
    collections_.Add(StandardCollections::NewValues());
    EXPECT_FALSE(collections_.StartModify(1));
    EXPECT_EQ(prompt_.texts(), QStringList(3, Translate(StandardCollections::kTextNoneSelected)));
    // A collection with an empty file is kept, and can be modified.
    ASSERT_TRUE(collections_.StartModify(0));
    collections_.Modify(0, {QStringLiteral("Mine"), QString()});
    EXPECT_EQ(Saved(), QStringList{QStringLiteral("Mine=")});
}

TEST_F(StandardCollectionsTest, TheDialogListsNamesAndFiles)
{
    collections_.Add({QStringLiteral("Boxes"), QStringLiteral("/c/boxes.sif")});
    CStdCollectionDlg dialog(options_);
    ASSERT_EQ(dialog.List()->topLevelItemCount(), 1);
    EXPECT_EQ(dialog.List()->topLevelItem(0)->text(1), QStringLiteral("/c/boxes.sif"));
    EXPECT_EQ(dialog.Selected(), -1);
    dialog.OnDelete();
    EXPECT_EQ(prompt_.texts(), QStringList{Translate(StandardCollections::kTextNoneSelected)});
}

// A picture of the list, taken only when MORVEK_SCREENSHOT_DIR names a
// folder (run under Xvfb with the xcb platform).
TEST_F(StandardCollectionsTest, Screenshot)
{
    const QString folder = qEnvironmentVariable("MORVEK_SCREENSHOT_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "no MORVEK_SCREENSHOT_DIR";
    collections_.Add({QStringLiteral("Trays"), QStringLiteral("/srv/standards/trays.sif")});
    collections_.Add({QStringLiteral("Lids"), QStringLiteral("/srv/standards/lids.sif")});
    CStdCollectionDlg dialog(options_);
    dialog.show();
    QApplication::processEvents();
    EXPECT_TRUE(dialog.grab().save(folder + QStringLiteral("/standard-collections.png")));
}

} // namespace
} // namespace dlg
