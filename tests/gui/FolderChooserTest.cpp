// Folder choosers: the accepted folder always has one trailing separator,
// Linux network paths are kept, doubled separators folded, Cancel gives
// nothing.
#include "gui/FolderChooser.h"

#include "common/TempDir.h"

#include <QApplication>
#include <QLineEdit>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TEST(FolderChooser, AcceptedFolderHasOneTrailingSeparator)
{
    struct {
        const char* typed;
        const char* current;
        const char* folder;
    } cases[] = {
        {"/data", "/x", "/data/"},
        {"/data/", "/x", "/data/"},
        {"", "/x", "/x/"},
        {"/data//dies", "", "/data/dies/"},
        {"//server/share", "", "//server/share/"},
        {"", "", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(gui::AcceptedFolder(QString::fromLatin1(c.typed), QString::fromLatin1(c.current)),
                  QString::fromLatin1(c.folder))
            << c.typed;
}

TEST(FolderChooser, WindowsFiltersBecomeQtFilters)
{
    EXPECT_EQ(gui::QtFilter(QStringLiteral("CF2 (*.cf2)|*.cf2|All files (*.*)|*.*||")),
              QStringLiteral("CF2 (*.cf2);;All files (*)"));
}

void AnswerNextDialog(bool accept, const QString& typed = {})
{
    QTimer::singleShot(0, [accept, typed] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        if (auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")); field && !typed.isNull())
            field->setText(typed);
        if (accept)
            dialog->accept();
        else
            dialog->reject();
    });
}

TEST(FolderChooser, CancelGivesNothingEvenWithAnInitialFolder)
{
    test::TempDir dir;
    gui::CBrowseForFolder browser;
    browser.SetInitialFolder(dir.path());
    QString path = QStringLiteral("old");
    AnswerNextDialog(false);
    EXPECT_FALSE(browser.SelectFolder(path));
    EXPECT_TRUE(path.isEmpty());

    gui::QtPathChooser chooser(nullptr);
    QString folder;
    AnswerNextDialog(false);
    EXPECT_FALSE(chooser.ChooseFolder(dir.path(), folder));
    EXPECT_TRUE(folder.isEmpty());
}

TEST(FolderChooser, SelectTakesTheTypedOrTheCurrentFolder)
{
    test::TempDir dir;
    gui::QtPathChooser chooser(nullptr);
    QString folder;
    AnswerNextDialog(true, dir.path() + QStringLiteral("//sub"));
    ASSERT_TRUE(chooser.ChooseFolder(dir.path(), folder));
    EXPECT_EQ(folder, dir.path() + QStringLiteral("/sub/"));

    gui::CSelectFolderDialog dialog(false, dir.path(), {}, nullptr);
    AnswerNextDialog(true, QString(QStringLiteral("")));
    ASSERT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(dialog.GetFolderPath(), dir.path() + QLatin1Char('/'));
}

} // namespace
