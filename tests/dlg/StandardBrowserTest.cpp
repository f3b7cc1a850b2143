// The standards browser: reading a standard's dimensions, the remembered
// values, what can be chosen with and without a drawing, the catalogue's
// editing, and its window's clicks.
#include "dlg/StandardBrowser.h"
#include "dlg/StandardBrowserDlg.h"
#include "dlg/StandardEntryDlg.h"

#include "common/LanguageTestSupport.h"
#include "common/TempDir.h"
#include "document/MorvekDoc.h"
#include "exchange/native/StandardDimensions.h"
#include "exchange/native/StandardTable.h"
#include "options/Options.h"
#include "platform/Prompt.h"

#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QCheckBox>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace dlg {
namespace {

using platform::PromptResult;
using standards::BoxDimensions;
using standards::StandardChoice;

// Positions in the fixture catalogue.
constexpr int kBoxes = 0;  // a folder
constexpr int kBroken = 1; // a standard whose file is missing
constexpr int kTray = 2;   // boxes\tray.n: A 100, B 50, H 30, MatThick 0.4
constexpr int kLid = 3;    // lid.nst: 10, 20, 30, 1

class StandardBrowserTest : public testing::Test {
protected:
    StandardBrowserTest()
    {
        CMorvekDoc tray;
        const std::pair<const char*, const char*> values[] = {{"A", "100"}, {"B", "50"}, {"H", "30"}, {"MatThick", "0.4"}};
        for (const auto& [name, formula] : values)
            EXPECT_TRUE(tray.Variables().SetFormula(QString::fromLatin1(name), QString::fromLatin1(formula), QString()));
        dir().write(QStringLiteral("cat/boxes/tray.n"), tray.WriteFile());
        SpecStandardTable lid;
        lid.A = 10;
        lid.B = 20;
        lid.H = 30;
        lid.MatThick = 1;
        dir().write(QStringLiteral("cat/lid.nst"), lid.Write());

        StandardCatalogue catalogue;
        EXPECT_EQ(catalogue.AddEntry(QStringLiteral("Boxes"), {}, {}, -1, CatalogueEntry::Folder), kBoxes);
        EXPECT_EQ(catalogue.AddEntry(QStringLiteral("Broken"), QStringLiteral("missing.n"), {}, -1, 0), kBroken);
        EXPECT_EQ(catalogue.AddEntry(QStringLiteral("Tray"), QStringLiteral("boxes\\tray.n"), {}, kBoxes, 0), kTray);
        EXPECT_EQ(catalogue.AddEntry(QStringLiteral("Lid"), QStringLiteral("lid.nst"), {}, kBoxes, 2), kLid);
        QString error;
        EXPECT_TRUE(catalogue.SaveSif(Catalogue(), &error)) << error.toStdString();
    }
    const test::TempDir& dir() const { return env_.dir(); }
    QString Catalogue() const { return dir().file(QStringLiteral("cat/std.sif")); }
    StandardBrowser& Open(bool withDocument, bool useSecondary = true)
    {
        browser_.emplace(&options_, memory_, useSecondary);
        browser_->Open({Catalogue(), {}}, withDocument);
        return *browser_;
    }
    StandardCatalogue OnDisk() const { return OnDiskAt(Catalogue()); }
    static StandardCatalogue OnDiskAt(const QString& path)
    {
        StandardCatalogue catalogue;
        QString error;
        EXPECT_TRUE(catalogue.LoadSif(path, &error));
        return catalogue;
    }

    test::ScopedTestEnvironment env_;
    test::ScopedLanguage language_{env_, test::EnglishTexts()};
    COptions options_;
    BrowserMemory memory_;
    std::optional<StandardBrowser> browser_;
    platform::ScriptedPrompt prompt_;
    platform::ScopedOverride<platform::Prompt*> promptGuard_ = platform::installPrompt(prompt_);
};

TEST_F(StandardBrowserTest, ReadsTheDimensionsOfADrawingAndOfAnExtendedStandard)
{
    StandardBrowser& browser = Open(true);
    browser.Select(kTray);
    EXPECT_EQ(browser.dimensions, (BoxDimensions{100, 50, 30, 0.4}));
    EXPECT_TRUE(browser.MergeEnabled());
    EXPECT_TRUE(browser.SecondaryBoxEnabled());
    // An extended standard can only be loaded.
    browser.Select(kLid);
    EXPECT_EQ(browser.dimensions, (BoxDimensions{10, 20, 30, 1}));
    EXPECT_FALSE(browser.MergeEnabled());
    EXPECT_FALSE(browser.SecondaryBoxEnabled());
    EXPECT_FALSE(browser.Merge());
    EXPECT_EQ(prompt_.texts(), QStringList{Translate(StandardBrowser::kTextNoStandardChosen)});
    // A file that cannot be read keeps what was shown; a folder too.
    browser.Select(kBroken);
    EXPECT_EQ(browser.dimensions, (BoxDimensions{10, 20, 30, 1}));
    browser.Select(kBoxes);
    EXPECT_FALSE(browser.MergeEnabled());
}

TEST_F(StandardBrowserTest, TheDimensionReaderRefusesWhatIsNoStandard)
{
    const QByteArray drawing = dir().read(QStringLiteral("cat/boxes/tray.n"));
    EXPECT_FALSE(native::ReadStandardDimensions(QByteArray("just text")));
    EXPECT_FALSE(native::ReadStandardDimensions(drawing.left(drawing.size() / 3)));
    bool extended = true;
    ASSERT_TRUE(native::ReadStandardDimensions(drawing, &extended));
    EXPECT_FALSE(extended);
}

TEST_F(StandardBrowserTest, RememberedValuesReplaceTheFilesAndLoadWritesTheShownOnes)
{
    ASSERT_TRUE(options_.WriteStandardBox(QStringLiteral("boxes\\tray.n"), 300, 200, 100, 0.5));
    StandardBrowser& browser = Open(true);
    browser.Select(kTray);
    EXPECT_EQ(browser.dimensions, (BoxDimensions{300, 200, 100, 0.5}));
    browser.dimensions.a = 310;
    const std::optional<StandardChoice> choice = browser.Load();
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->action, StandardChoice::Action::Load);
    EXPECT_EQ(choice->file, dir().file(QStringLiteral("cat/boxes/tray.n")));
    EXPECT_EQ(choice->dimensions, (BoxDimensions{310, 200, 100, 0.5}));
    BoxDimensions stored;
    ASSERT_TRUE(options_.ReadStandardBox(QStringLiteral("boxes\\tray.n"), stored.a, stored.b, stored.h, stored.matThick));
    EXPECT_EQ(stored, choice->dimensions);
    // Merge remembers nothing.
    browser.dimensions.a = 999;
    ASSERT_TRUE(browser.Merge());
    ASSERT_TRUE(options_.ReadStandardBox(QStringLiteral("boxes\\tray.n"), stored.a, stored.b, stored.h, stored.matThick));
    EXPECT_EQ(stored.a, 310);
}

TEST_F(StandardBrowserTest, LoadWithoutAStandardSays433UnlessDoubleClicked)
{
    for (const int selected : {-1, kBoxes}) {
        StandardBrowser& browser = Open(true);
        browser.Select(selected);
        const qsizetype told = prompt_.texts().size();
        EXPECT_FALSE(browser.Load(true));
        EXPECT_EQ(prompt_.texts().size(), told);
        EXPECT_FALSE(browser.Load());
        EXPECT_EQ(prompt_.texts().size(), told + 1);
    }
    EXPECT_EQ(prompt_.texts().back(), Translate(StandardBrowser::kTextNoStandardChosen));
}

TEST_F(StandardBrowserTest, WithoutADrawingOnlyLoadWorks)
{
    StandardBrowser& browser = Open(false);
    browser.Select(kTray);
    EXPECT_FALSE(browser.MergeEnabled());
    EXPECT_FALSE(browser.SecondaryBoxEnabled());
    browser.SetSecondary(true);
    EXPECT_FALSE(browser.secondary);
    EXPECT_FALSE(browser.Merge());
    EXPECT_FALSE(browser.PickOrigin());
    EXPECT_TRUE(prompt_.texts().isEmpty());
    EXPECT_TRUE(browser.Load());
}

TEST_F(StandardBrowserTest, TheSecondaryOriginFollowsUseSecondaryRelativity)
{
    for (const bool use : {true, false}) {
        SCOPED_TRACE(use);
        StandardBrowser& browser = Open(true, use);
        browser.Select(kTray);
        browser.OriginX() = QStringLiteral("10.000000");
        browser.SetSecondary(true);
        EXPECT_EQ(browser.secondary, use);
        EXPECT_EQ(browser.OriginFieldsEnabled(), use);
        const std::optional<StandardChoice> choice = browser.Merge();
        ASSERT_TRUE(choice);
        EXPECT_EQ(choice->secondary, use);
        EXPECT_EQ(choice->originX, use ? QStringLiteral("10.000000") : QString());
    }
    // The pick remembers the catalogue; the point picked comes back as the
    // origin of the next opening.
    StandardBrowser& browser = Open(true);
    const std::optional<StandardChoice> pick = browser.PickOrigin();
    ASSERT_TRUE(pick);
    EXPECT_EQ(pick->action, StandardChoice::Action::PickOrigin);
    EXPECT_EQ(memory_.pickCatalogue.path, Catalogue());
    TakePickedOrigin(memory_, 10, 20);
    StandardBrowser& again = Open(true);
    CStandardDlg dialog(again);
    EXPECT_EQ(dialog.Field(4)->text(), QStringLiteral("10.000000"));
    EXPECT_EQ(dialog.Field(5)->text(), QStringLiteral("20.000000"));
}

TEST_F(StandardBrowserTest, AddPutsTheEntryBesideOrIntoTheSelectionAndWritesAtOnce)
{
    const struct {
        int selected;
        int parent;
    } cases[] = {{-1, -1}, {kBoxes, kBoxes}, {kTray, kBoxes}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.selected);
        StandardBrowser& browser = Open(true);
        browser.Select(c.selected);
        const int n = browser.Add({CatalogueEntry::Standard, QStringLiteral("New"), QStringLiteral("new.n"), {}, {}});
        ASSERT_GE(n, 0);
        EXPECT_EQ(OnDisk().Entry(n).parent, c.parent);
        EXPECT_EQ(OnDisk().Entry(n).name, QStringLiteral("New"));
    }
}

TEST_F(StandardBrowserTest, AnUnreadableCatalogueGivesAnEmptyTreeAndTheFirstAddCreatesIt)
{
    const QString path = dir().file(QStringLiteral("cat/none.sif"));
    StandardBrowser browser(&options_, memory_, true);
    browser.Open({path, {}}, true);
    EXPECT_EQ(browser.Catalogue().GetCount(), 0);
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(browser.Add({CatalogueEntry::Folder, QStringLiteral("F"), QStringLiteral("ignored.n"), {}, {}}), 0);
    StandardCatalogue written;
    QString error;
    ASSERT_TRUE(written.LoadSif(path, &error));
    EXPECT_EQ(written.Entry(0), (CatalogueEntry{-1, QStringLiteral("F"), {}, {}, CatalogueEntry::Folder}));
}

TEST_F(StandardBrowserTest, ADamagedCatalogueIsKeptBesideTheNewOne)
{
    const QByteArray damaged = dir().read(QStringLiteral("cat/std.sif")).chopped(3);
    const QString path = dir().write(QStringLiteral("cat/old.sif"), damaged);
    StandardBrowser browser(&options_, memory_, true);
    browser.Open({path, {}}, true);
    EXPECT_EQ(browser.Catalogue().GetCount(), 0);
    EXPECT_EQ(browser.Add({CatalogueEntry::Folder, QStringLiteral("F"), {}, {}, {}}), 0);
    EXPECT_EQ(dir().read(QStringLiteral("cat/old.sif.damaged")), damaged);
    EXPECT_EQ(browser.Add({CatalogueEntry::Folder, QStringLiteral("G"), {}, {}, {}}), 1);
    EXPECT_EQ(dir().read(QStringLiteral("cat/old.sif.damaged")), damaged); // kept once, not replaced
    EXPECT_EQ(OnDiskAt(path).GetCount(), 2);
}

TEST_F(StandardBrowserTest, TheTopTreeIsWrittenIntoItsFolderAtTheFirstEdit)
{
    dir().write(QStringLiteral("standards/TOP/T-01.n"), dir().read(QStringLiteral("cat/boxes/tray.n")));
    const QString folder = dir().file(QStringLiteral("standards/TOP/"));
    StandardBrowser browser(&options_, memory_, true);
    browser.Open({folder + QStringLiteral("TOP.sif"), folder}, true);
    ASSERT_EQ(browser.Catalogue().GetCount(), 1);
    browser.Select(0);
    EXPECT_EQ(browser.dimensions, (BoxDimensions{100, 50, 30, 0.4}));
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("TOP.sif")));
    EXPECT_FALSE(browser.MoveSelected(StandardCatalogue::Direction::Up)); // nothing moved, nothing written
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("TOP.sif")));
    EXPECT_GE(browser.Add({CatalogueEntry::Folder, QStringLiteral("Lids"), {}, {}, {}}), 0);
    StandardCatalogue written;
    QString error;
    ASSERT_TRUE(written.LoadSif(folder + QStringLiteral("TOP.sif"), &error));
    EXPECT_EQ(written.GetCount(), 2);
}

TEST_F(StandardBrowserTest, TheEntryKindComesFromThePickedFile)
{
    const struct {
        EntryFields fields;
        int type;
    } cases[] = {
        {{0, QStringLiteral("x"), QStringLiteral("a.NST"), {}, QStringLiteral("NST")}, CatalogueEntry::ExtendedStandard},
        {{0, QStringLiteral("x"), QStringLiteral("a.NST"), {}, {}}, CatalogueEntry::Standard}, // typed by hand
        {{0, QStringLiteral("x"), QStringLiteral("a.n"), {}, QStringLiteral("n")}, CatalogueEntry::Standard},
        {{1, QStringLiteral("x"), {}, {}, QStringLiteral("nst")}, CatalogueEntry::Folder},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NewEntryType(c.fields), c.type);
    EXPECT_EQ(RefuseEntry({0, QString(), QStringLiteral("a.n"), {}, {}}), 422);
    EXPECT_EQ(RefuseEntry({0, QStringLiteral("x"), QString(), {}, {}}), 422);
    EXPECT_FALSE(RefuseEntry({1, QStringLiteral("x"), QString(), {}, {}}));

    // Through the dialog: the file button's pick is stored relative to the catalogue.
    StandardBrowser& browser = Open(true);
    CStdPropDlg dialog(browser, {}, true);
    dialog.TakePickedFile(dir().file(QStringLiteral("cat/lid.NST")));
    const EntryFields picked = dialog.Fields();
    EXPECT_EQ(NewEntryType(picked), CatalogueEntry::ExtendedStandard);
    EXPECT_EQ(picked.file, QStringLiteral(".\\lid.NST"));
}

TEST_F(StandardBrowserTest, DeleteAsksAndMovesRewriteTheCatalogue)
{
    StandardBrowser& browser = Open(true);
    browser.Select(kTray);
    EXPECT_TRUE(browser.MoveSelected(StandardCatalogue::Direction::Down));
    EXPECT_EQ(OnDisk().Entry(browser.Selected()).name, QStringLiteral("Tray"));
    EXPECT_EQ(OnDisk().Entry(kTray).name, QStringLiteral("Lid"));
    EXPECT_FALSE(browser.MoveSelected(StandardCatalogue::Direction::Down)); // the last stays

    browser.Select(kBoxes);
    prompt_.push(PromptResult::No);
    EXPECT_FALSE(browser.DeleteSelected());
    EXPECT_EQ(OnDisk().GetCount(), 4);
    prompt_.push(PromptResult::Yes);
    EXPECT_TRUE(browser.DeleteSelected());
    EXPECT_EQ(OnDisk().GetCount(), 1); // the folder with everything in it
    EXPECT_EQ(browser.Selected(), -1);
    EXPECT_TRUE(prompt_.texts().front().contains(QStringLiteral("\"Boxes\"")));
}

// The window.
class StandardBrowserWindowTest : public StandardBrowserTest {
protected:
    QPoint Centre(CStandardDlg& dialog, int n)
    {
        return dialog.Tree()->visualItemRect(dialog.ItemOf(n)).center();
    }
    // As a mouse gives it: press and release, then the double click and release.
    static void DoubleClick(QWidget* viewport, QPoint at)
    {
        QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
    }
};

TEST_F(StandardBrowserWindowTest, ClickingTheSelectedItemAgainDeselectsIt)
{
    StandardBrowser& browser = Open(true);
    CStandardDlg dialog(browser);
    dialog.show();
    QWidget* viewport = dialog.Tree()->viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, Centre(dialog, kBroken));
    EXPECT_EQ(browser.Selected(), kBroken);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, Centre(dialog, kBroken));
    EXPECT_EQ(browser.Selected(), -1);
    EXPECT_EQ(browser.ParentForAdd(), -1);
}

TEST_F(StandardBrowserWindowTest, DoubleClickOpensAFolderAndLoadsAStandard)
{
    StandardBrowser& browser = Open(true);
    CStandardDlg dialog(browser);
    dialog.show();
    QWidget* viewport = dialog.Tree()->viewport();
    ASSERT_FALSE(dialog.ItemOf(kBoxes)->isExpanded());
    DoubleClick(viewport, Centre(dialog, kBoxes));
    EXPECT_TRUE(dialog.ItemOf(kBoxes)->isExpanded());
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(prompt_.texts().isEmpty());
    // A standard selected already: the first press deselects it, the double
    // click still loads it.
    QTest::mouseClick(viewport, Qt::LeftButton, {}, Centre(dialog, kTray));
    ASSERT_EQ(browser.Selected(), kTray);
    DoubleClick(viewport, Centre(dialog, kTray));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.Choice().action, StandardChoice::Action::Load);
    EXPECT_EQ(dialog.Choice().dimensions, (BoxDimensions{100, 50, 30, 0.4}));
}

TEST_F(StandardBrowserWindowTest, WithoutADrawingMergeAndTheOriginAreDisabled)
{
    for (const bool withDocument : {false, true}) {
        SCOPED_TRACE(withDocument);
        StandardBrowser& browser = Open(withDocument);
        CStandardDlg dialog(browser);
        dialog.Tree()->setCurrentItem(dialog.ItemOf(kTray));
        EXPECT_EQ(dialog.Field(0)->text(), QStringLiteral("100"));
        EXPECT_EQ(dialog.MergeButton()->isEnabled(), withDocument);
        EXPECT_EQ(dialog.SecondaryBox()->isEnabled(), withDocument);
        dialog.SecondaryBox()->setChecked(true);
        EXPECT_EQ(dialog.PickButton()->isEnabled(), withDocument);
    }
}

// Pictures of the browser and the entry dialog, taken only when
// MORVEK_SCREENSHOT_DIR names a folder (run under Xvfb with the xcb platform).
TEST_F(StandardBrowserWindowTest, Screenshots)
{
    const QString folder = qEnvironmentVariable("MORVEK_SCREENSHOT_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "no MORVEK_SCREENSHOT_DIR";
    QImage picture(400, 100, QImage::Format_RGB32);
    picture.fill(Qt::white);
    {
        QPainter painter(&picture);
        painter.setPen(QPen(Qt::darkRed, 3));
        painter.drawRect(20, 20, 90, 60);
        painter.drawRect(110, 20, 180, 60);
        painter.drawRect(290, 20, 90, 60);
    }
    ASSERT_TRUE(picture.save(dir().file(QStringLiteral("cat/boxes/tray.png"))));
    {
        StandardCatalogue catalogue;
        QString error;
        ASSERT_TRUE(catalogue.LoadSif(Catalogue(), &error));
        ASSERT_TRUE(catalogue.ModifyEntry(kTray, QStringLiteral("Tray 0201"), QStringLiteral("boxes\\tray.n"),
                                          QStringLiteral("boxes\\tray.png")));
        ASSERT_TRUE(catalogue.SaveSif(Catalogue(), &error));
    }
    StandardBrowser& browser = Open(true);
    CStandardDlg dialog(browser);
    dialog.show();
    dialog.ItemOf(kBoxes)->setExpanded(true);
    dialog.Tree()->setCurrentItem(dialog.ItemOf(kTray));
    dialog.SecondaryBox()->setChecked(true);
    QTest::qWait(200);
    EXPECT_TRUE(dialog.grab().save(folder + QStringLiteral("/standards-browser.png")));

    CStdPropDlg entry(browser, {0, QStringLiteral("Tray 0201"), QStringLiteral("boxes\\tray.n"),
                                QStringLiteral("boxes\\tray.png"), {}}, false);
    entry.show();
    QTest::qWait(200);
    EXPECT_TRUE(entry.grab().save(folder + QStringLiteral("/standards-entry.png")));
}

} // namespace
} // namespace dlg
