// Construct > Standard > Install through the real main window: the installer
// lists the local test server's packages, downloads one and installs it.
#include "WindowFixture.h"

#include "dlg/StdInstallDlg.h"
#include "platform/Prompt.h"
#include "shell/CommandId.h"
#include "standards/StandardFolders.h"

#include "common/LanguageTestSupport.h"
#include "common/PackageTestSupport.h"

#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QTreeWidget>

namespace {

const QString kPackage = QStringLiteral("F-03-01-080222.zip");

class StandardInstallWindowTest : public apptest::WindowFixture {
protected:
    test::ScopedLanguage english_{env_, test::EnglishTexts()};
};

bool WaitForWork(dlg::CDlgStdInstall& dialog, QSignalSpy& finished, int count)
{
    while (finished.count() < count) {
        if (!finished.wait(60000))
            return false;
    }
    return !dialog.Busy();
}

} // namespace

TEST_F(StandardInstallWindowTest, ListsDownloadsAndInstallsFromTheServer)
{
    ASSERT_TRUE(test::MakeGoodPackage(env_.dir().file(QStringLiteral("server/") + kPackage), QStringLiteral("FEFCO"),
                                      QStringLiteral("3"), QStringLiteral("installed catalogue")));
    test::FtpTestServer server(env_.dir().file(QStringLiteral("server")), env_.dir().path(), test::FtpTestServer::Mode::Tls);
    ASSERT_TRUE(server.running());
    ASSERT_TRUE(server.WriteServerSettings());

    platform::ScriptedPrompt prompt;
    auto installed = platform::installPrompt(prompt);
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<dlg::CDlgStdInstall*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        seen = true;
        QSignalSpy finished(dialog, &dlg::CDlgStdInstall::workFinished);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Install Standard Packages"));
        EXPECT_EQ(dialog->FamilyBox()->currentText(), QStringLiteral("FEFCO"));

        // Nothing selected yet.
        dialog->findChild<QPushButton*>(QStringLiteral("Install"))->click();
        dialog->findChild<QPushButton*>(QStringLiteral("Download"))->click();
        EXPECT_EQ(prompt.texts(), QStringList(2, Translate(201)));

        dialog->findChild<QPushButton*>(QStringLiteral("Refresh"))->click();
        ASSERT_TRUE(WaitForWork(*dialog, finished, 1));
        QTreeWidget* list = dialog->List();
        ASSERT_EQ(list->topLevelItemCount(), 1);
        EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("3"));
        EXPECT_EQ(list->topLevelItem(0)->text(1), QStringLiteral("20080222"));
        EXPECT_EQ(list->topLevelItem(0)->text(3), QString());

        list->topLevelItem(0)->setSelected(true);
        dialog->findChild<QPushButton*>(QStringLiteral("Download"))->click();
        ASSERT_TRUE(WaitForWork(*dialog, finished, 3)); // the download, then the refresh
        ASSERT_EQ(list->topLevelItemCount(), 1);
        EXPECT_EQ(list->topLevelItem(0)->text(2), QStringLiteral("Boxes"));
        EXPECT_EQ(list->topLevelItem(0)->text(3), QStringLiteral("*"));

        list->topLevelItem(0)->setSelected(true);
        dialog->findChild<QPushButton*>(QStringLiteral("Install"))->click();
        dialog->accept();
    });
    Choose(ToInt(shell::CommandId::StandardInstall));
    QApplication::processEvents();
    ASSERT_TRUE(seen);
    ASSERT_EQ(prompt.texts().size(), 3);
    EXPECT_EQ(prompt.texts().last(), QStringLiteral("The package F-03-01-080222.zip is installed."));
    QFile catalogue(standards::StandardsFolder() + QStringLiteral("FEFCO.sif"));
    ASSERT_TRUE(catalogue.open(QIODevice::ReadOnly));
    EXPECT_EQ(catalogue.readAll(), QByteArray("installed catalogue"));
    EXPECT_TRUE(QFile::exists(standards::StandardsFolder() + QStringLiteral("FEFCO/box.n")));
}
