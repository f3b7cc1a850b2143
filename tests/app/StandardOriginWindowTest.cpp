// The secondary origin of a standard picked in the drawing: the browser
// closes for the pick and comes back with the picked point, and Merge
// places the standard there.
#include "WindowFixture.h"

#include "dlg/StandardBrowserDlg.h"
#include "element/NodeTable.h"
#include "platform/Prompt.h"
#include "standards/StandardCatalogue.h"
#include "standards/StandardFolders.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <functional>

namespace {

constexpr int kStandardFefco = 285;

void WhenBrowserShown(std::function<void(dlg::CStandardDlg&)> act)
{
    QTimer::singleShot(0, [act] {
        auto* browser = qobject_cast<dlg::CStandardDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(browser, nullptr);
        act(*browser);
    });
}

class StandardOriginWindow : public apptest::WindowFixture {
protected:
    // The installed FEFCO catalogue (the setting is empty): one tray, a
    // line from (0, 0) to (100, 0).
    void InstallTray()
    {
        CMorvekDoc tray;
        (void)tray.GetSection(0)->AddLine3(0, 0, 100, 0, true, 1);
        env_.dir().write(QStringLiteral("app/standards/tray.n"), tray.WriteFile());
        StandardCatalogue catalogue;
        ASSERT_EQ(catalogue.AddEntry(QStringLiteral("Tray"), QStringLiteral("tray.n"), {}, -1, 0), 0);
        QString error;
        ASSERT_TRUE(catalogue.SaveSif(standards::StandardsFolder() + QStringLiteral("FEFCO.sif"), &error));
    }
};

TEST_F(StandardOriginWindow, LoadAtASecondaryOriginPlacesTheNewDrawingsNodes)
{
    InstallTray();
    CMorvekDoc* first = &Doc();
    WhenBrowserShown([](dlg::CStandardDlg& browser) {
        browser.Tree()->setCurrentItem(browser.ItemOf(0));
        browser.SecondaryBox()->setChecked(true);
        browser.Field(4)->setText(QStringLiteral("10"));
        browser.Field(5)->setText(QStringLiteral("20"));
        emit browser.Field(5)->editingFinished();
        browser.OnLoad();
    });
    Choose(kStandardFefco);
    QApplication::processEvents();
    view_ = ActiveView();
    ASSERT_NE(&Doc(), first);
    const SectionBorders b = Doc().GetCurrentSection()->GetBorders(false, false, false);
    EXPECT_DOUBLE_EQ(b.left, 10.0);
    EXPECT_DOUBLE_EQ(b.right, 110.0);
    EXPECT_DOUBLE_EQ(b.bottom, 20.0);
    EXPECT_FALSE(Doc().Nodes().IsApplyingOriginRotation()) << "only the reading was placed";
    Doc().SetModifiedFlag(false);
}

TEST_F(StandardOriginWindow, APickedOriginReopensTheBrowserAndPlacesTheStandard)
{
    InstallTray();
    // The point to pick: a node the click snaps to.
    ASSERT_GE(Doc().Nodes().AddPoint(10, 20, false), 0);
    view_->update();
    QApplication::processEvents();
    platform::ScriptedPrompt prompt{platform::PromptResult::Yes};
    const auto usePrompt = platform::installPrompt(prompt);

    WhenBrowserShown([](dlg::CStandardDlg& browser) {
        browser.Tree()->setCurrentItem(browser.ItemOf(0));
        browser.SecondaryBox()->setChecked(true);
        ASSERT_TRUE(browser.PickButton()->isEnabled());
        browser.PickButton()->click();
    });
    Choose(kStandardFefco);
    ASSERT_EQ(Doc().GetSectionCount(), 1) << "nothing merged before the pick";
    WhenBrowserShown([](dlg::CStandardDlg& browser) {
        EXPECT_EQ(browser.Field(4)->text(), QStringLiteral("10.000000"));
        EXPECT_EQ(browser.Field(5)->text(), QStringLiteral("20.000000"));
        browser.Tree()->setCurrentItem(browser.ItemOf(0));
        browser.SecondaryBox()->setChecked(true);
        browser.MergeButton()->click();
    });
    QTest::mouseClick(view_, Qt::LeftButton, Qt::NoModifier, PixelOf(10, 20));
    QApplication::processEvents();
    ASSERT_EQ(Doc().GetSectionCount(), 2);
    const SectionBorders b = Doc().GetSection(1)->GetBorders(false, false, false);
    EXPECT_DOUBLE_EQ(b.left, 10.0);
    EXPECT_DOUBLE_EQ(b.right, 110.0);
    EXPECT_DOUBLE_EQ(b.bottom, 20.0);
    EXPECT_EQ(prompt.unexpected(), 0);
    Doc().SetModifiedFlag(false); // closing asks nothing
}

} // namespace
