// Standard > FEFCO and View > Standard Collections through the program,
// offscreen: a standard loaded with A changed, a second one merged into
// it, and a new collection in the Standard menu.
#include "app/DefaultMenu.h"
#include "app/DocumentView.h"
#include "app/MainWindow.h"
#include "app/MorvekXPApp.h"
#include "app/WindowFixture.h"
#include "app/WindowSteps.h"
#include "dlg/StandardBrowserDlg.h"
#include "dlg/StdCollectionDlg.h"
#include "document/MorvekDoc.h"
#include "options/Options.h"
#include "platform/Prompt.h"
#include "section/Section.h"
#include "standards/StandardCatalogue.h"

#include "common/TempDir.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr int kStandardFefco = 285;
constexpr int kStandardCollections = 304;
constexpr int kFirstCollection = 10201;

class StandardCommandsTest : public testing::Test {
protected:
    void SetUp() override
    {
        const QString defaults = QStringLiteral(MORVEK_SOURCE_DIR "/Defaults");
        for (const QString& name : QDir(defaults).entryList(QDir::Files))
            QFile::copy(defaults + QLatin1Char('/') + name, env_.appFolder() + QStringLiteral("/Defaults/") + name);
        // Two standards: a tray (A/2 wide) and a lid with a variable of its own.
        CMorvekDoc tray;
        ASSERT_TRUE(tray.Variables().SetFormula(QStringLiteral("A"), QStringLiteral("100"), QString()));
        (void)tray.GetSection(0)->AddLine3(0, 0, 100, 0, true, 1);
        env_.dir().write(QStringLiteral("cat/tray.n"), tray.WriteFile());
        CMorvekDoc lid;
        ASSERT_TRUE(lid.Variables().AddVariable(QStringLiteral("Flap"), QStringLiteral("12"), QString(), 2, true));
        (void)lid.GetSection(0)->AddLine3(0, 50, 100, 50, true, 1);
        env_.dir().write(QStringLiteral("cat/lid.n"), lid.WriteFile());
        StandardCatalogue catalogue;
        ASSERT_EQ(catalogue.AddEntry(QStringLiteral("Tray"), QStringLiteral("tray.n"), {}, -1, 0), 0);
        ASSERT_EQ(catalogue.AddEntry(QStringLiteral("Lid"), QStringLiteral("lid.n"), {}, -1, 0), 1);
        QString error;
        ASSERT_TRUE(catalogue.SaveSif(Catalogue(), &error));

        ASSERT_FALSE(morvek_.InitInstance(&steps_).has_value());
        morvek_.GetOptions()->WriteRegistryString(QStringLiteral("Standards"), QStringLiteral("FEFCO"), Catalogue());
        QApplication::processEvents();
    }
    void TearDown() override
    {
        for (QMdiSubWindow* child : window_.Documents()->subWindowList())
            if (auto* view = qobject_cast<app::DocumentView*>(child->widget()))
                view->AgreeToClose();
        window_.Documents()->closeAllSubWindows();
        window_.close();
    }
    QString Catalogue() const { return env_.dir().file(QStringLiteral("cat/std.sif")); }
    CMorvekDoc* ActiveDocument() const
    {
        QMdiSubWindow* child = window_.Documents()->activeSubWindow();
        auto* view = child ? qobject_cast<app::DocumentView*>(child->widget()) : nullptr;
        return view ? &view->Document() : nullptr;
    }
    static void Choose(dlg::CStandardDlg& browser, int entry)
    {
        browser.Tree()->setCurrentItem(browser.ItemOf(entry));
    }

    test::ScopedTestEnvironment env_;
    platform::ScriptedPrompt prompt_;
    platform::ScopedOverride<platform::Prompt*> usePrompt_ = platform::installPrompt(prompt_);
    CMorvekXPApp morvek_;
    app::MainWindow window_;
    app::WindowSteps steps_{window_, morvek_};
};

TEST_F(StandardCommandsTest, FefcoLoadsAStandardAndMergesASecondOne)
{
    // No drawing open: the browser can only load.
    ASSERT_EQ(ActiveDocument(), nullptr);
    EXPECT_TRUE(apptest::RunDialog<dlg::CStandardDlg>(window_, kStandardFefco, [](dlg::CStandardDlg& browser) {
        Choose(browser, 0);
        EXPECT_FALSE(browser.MergeButton()->isEnabled());
        EXPECT_EQ(browser.Field(0)->text(), QStringLiteral("100"));
        browser.Field(0)->setText(QStringLiteral("300"));
        emit browser.Field(0)->editingFinished();
        browser.OnLoad();
    }));
    CMorvekDoc* doc = ActiveDocument();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->Variables().GetFormula(doc->Variables().FindIndex(QStringLiteral("A"))), QStringLiteral("300.000000"));
    // A new drawing: a save does not write over the catalogue's standard.
    EXPECT_EQ(doc->GetPathName(), env_.dir().file(QStringLiteral("cat/tray_std1.n")));
    EXPECT_TRUE(doc->IsModified());

    // With the drawing open the lid merges into it.
    prompt_.push(platform::PromptResult::No);
    EXPECT_TRUE(apptest::RunDialog<dlg::CStandardDlg>(window_, kStandardFefco, [](dlg::CStandardDlg& browser) {
        Choose(browser, 1);
        ASSERT_TRUE(browser.MergeButton()->isEnabled());
        browser.MergeButton()->click();
    }));
    EXPECT_EQ(ActiveDocument(), doc);
    EXPECT_EQ(window_.Documents()->subWindowList().size(), 1);
    EXPECT_EQ(doc->GetSectionCount(), 2);
    EXPECT_TRUE(doc->Variables().Exists(QStringLiteral("Flap")));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(prompt_.unexpected(), 0);
}

TEST_F(StandardCommandsTest, ANewCollectionAppearsInTheStandardMenu)
{
    window_.NewDocument();
    QApplication::processEvents();
    ASSERT_EQ(apptest::FindCommand(window_.menuBar()->actions(), kFirstCollection), nullptr);
    EXPECT_TRUE(apptest::RunDialog<dlg::CStdCollectionDlg>(window_, kStandardCollections, [](dlg::CStdCollectionDlg& list) {
        QTimer::singleShot(0, [] {
            auto* values = qobject_cast<dlg::CTwoValueDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(values, nullptr);
            values->accept(); // "NewStdColl" without a file
        });
        list.OnAdd();
        list.reject(); // Cancel keeps what was added
    }));
    QAction* item = apptest::FindCommand(window_.menuBar()->actions(), kFirstCollection);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), QStringLiteral("NewStdColl"));
    // Without a file its browser is empty.
    EXPECT_TRUE(apptest::RunDialog<dlg::CStandardDlg>(window_, kFirstCollection, [](dlg::CStandardDlg& browser) {
        EXPECT_EQ(browser.Tree()->topLevelItemCount(), 0);
        browser.reject();
    }));
}

TEST_F(StandardCommandsTest, DeletingTheFirstOfThreeCollectionsRenumbersTheMenu)
{
    COptions& options = *morvek_.GetOptions();
    for (const char* name : {"One", "Two", "Three"})
        (void)options.AddStandard(QString::fromLatin1(name), Catalogue());
    options.SaveStandardsList();
    window_.NewDocument();
    QApplication::processEvents();
    prompt_.push(platform::PromptResult::Yes);
    EXPECT_TRUE(apptest::RunDialog<dlg::CStdCollectionDlg>(window_, kStandardCollections, [](dlg::CStdCollectionDlg& list) {
        list.List()->topLevelItem(0)->setSelected(true);
        list.OnDelete();
        list.accept();
    }));
    QAction* first = apptest::FindCommand(window_.menuBar()->actions(), kFirstCollection);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->text(), QStringLiteral("Three"));
    EXPECT_EQ(apptest::FindCommand(window_.menuBar()->actions(), kFirstCollection + 2), nullptr);
    // The renumbered item opens the third collection's catalogue.
    EXPECT_TRUE(apptest::RunDialog<dlg::CStandardDlg>(window_, kFirstCollection, [](dlg::CStandardDlg& browser) {
        EXPECT_EQ(browser.Tree()->topLevelItemCount(), 2);
        browser.reject();
    }));
}

} // namespace
