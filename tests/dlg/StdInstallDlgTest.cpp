#include "dlg/StdInstallDlg.h"

#include "platform/Prompt.h"
#include "standards/PackageIssue.h"
#include "standards/StandardFolders.h"

#include "common/PackageTestSupport.h"
#include "common/TempDir.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

void Refresh(dlg::CDlgStdInstall& dialog)
{
    QSignalSpy finished(&dialog, &dlg::CDlgStdInstall::workFinished);
    dialog.findChild<QPushButton*>(QStringLiteral("Refresh"))->click();
    ASSERT_TRUE(finished.wait(60000));
}

} // namespace

TEST(StdInstallDlgTest, WithoutServerTheInternetSourceSaysSoAndTheLocalFolderLists)
{
    test::ScopedTestEnvironment env;
    platform::ScriptedPrompt prompt;
    auto installed = platform::installPrompt(prompt);
    ASSERT_TRUE(test::MakeGoodPackage(env.dir().file(QStringLiteral("local/F-03-01-080222.zip")), QStringLiteral("FEFCO"),
                                      QStringLiteral("3"), QStringLiteral("x")));
    ASSERT_TRUE(test::MakeGoodPackage(env.dir().file(QStringLiteral("local/E-01-01-080222.zip")), QStringLiteral("ECMA"),
                                      QStringLiteral("1"), QStringLiteral("x")));
    dlg::CDlgStdInstall dialog;
    ASSERT_TRUE(dialog.InternetButton()->isChecked());
    Refresh(dialog);
    EXPECT_EQ(prompt.texts(), QStringList{standards::IssueText({standards::TextNoServer, {}, {}})});
    EXPECT_EQ(dialog.List()->topLevelItemCount(), 0);

    dialog.LocalButton()->setChecked(true);
    dialog.FolderEdit()->setText(env.dir().file(QStringLiteral("local")));
    Refresh(dialog);
    ASSERT_EQ(dialog.List()->topLevelItemCount(), 1); // FEFCO only
    EXPECT_EQ(dialog.List()->topLevelItem(0)->text(2), QStringLiteral("F-03-01-080222.zip"));

    // Install of a package not yet downloaded is refused; Download copies it.
    dialog.List()->topLevelItem(0)->setSelected(true);
    dialog.findChild<QPushButton*>(QStringLiteral("Install"))->click();
    EXPECT_EQ(prompt.texts().last(), standards::IssueText({standards::TextNotDownloaded, QStringLiteral("F-03-01-080222.zip"), {}}));
    EXPECT_FALSE(QFile::exists(standards::StandardsFolder() + QStringLiteral("FEFCO")));
    QSignalSpy finished(&dialog, &dlg::CDlgStdInstall::workFinished);
    dialog.findChild<QPushButton*>(QStringLiteral("Download"))->click();
    while (finished.count() < 2)
        ASSERT_TRUE(finished.wait(60000));
    ASSERT_EQ(dialog.List()->topLevelItemCount(), 1);
    EXPECT_EQ(dialog.List()->topLevelItem(0)->text(3), QStringLiteral("*"));
    EXPECT_TRUE(QFile::exists(standards::PackagesFolder() + QStringLiteral("F-03-01-080222.zip")));
    EXPECT_EQ(prompt.texts().size(), 2); // nothing more to say after the download
}
