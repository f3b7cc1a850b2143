// The view's file and edit commands in the main window, offscreen: a drawing
// opened through File > Open is shown fitted, saved, closed and opened
// again unchanged; a DXF file imported through its dialog; Set Zoom, Undo's
// menu text, Close All and the clipboard.
#include "app/DefaultMenu.h"
#include "app/DocumentView.h"
#include "app/FileChooser.h"
#include "app/MainWindow.h"

#include "display/DrawContext.h"
#include "dlg/DXFImportDlg.h"
#include "dlg/OneValue.h"
#include "document/MorvekDoc.h"
#include "element/Element.h"
#include "options/LanguageTable.h"
#include "platform/Prompt.h"
#include "section/Section.h"
#include "shell/CommandCatalogue.h"

#include "app/MenuBuildCounter.h"
#include "common/DisplayTestSupport.h"
#include "common/TempDir.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

constexpr platform::ColorRef kRed = 0x0000FF; // 0x00BBGGRR
constexpr int kSaveCommand = 57603;

struct ScriptedChooser : app::FileChooser {
    QString Open(QWidget*, const QString&, const QString&) override { return open; }
    QString Save(QWidget*, const QString&, const QString&) override { return save; }
    QString open;
    QString save;
};

struct TypedValue : dlg::OneValueAsker {
    std::optional<QString> Ask(const dlg::OneValueRequest& request) override
    {
        offered = request.value;
        return typed;
    }
    std::optional<QString> typed;
    QString offered;
};

QByteArray Fixture()
{
    QFile file(QStringLiteral(MORVEK_TEST_DATA_DIR "/view/rectangle.n"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The fixture's rules: a 200 × 100 mm rectangle split by a crease at x = 100.
constexpr double kLines[5][4] = {
    {0, 0, 200, 0}, {200, 0, 200, 100}, {200, 100, 0, 100}, {0, 100, 0, 0}, {100, 0, 100, 100},
};

bool RedNear(const QImage& image, double px, double py)
{
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const int x = static_cast<int>(std::lround(px)) + dx;
            const int y = static_cast<int>(std::lround(py)) + dy;
            if (image.valid(x, y) && image.pixelColor(x, y) == QColor(255, 0, 0))
                return true;
        }
    }
    return false;
}

class FileCommands : public testing::Test {
protected:
    FileCommands()
    {
        linetypes_.Add(1, LinetypeKind::Standard, -1, -1, 0, 0, 0, kRed);
        catalogue_.Build();
        const auto translate = [](int id) { return QStringLiteral("T%1").arg(id); };
        window_.SetMenus(shell::MenuTree(DefaultMenu()).Build(catalogue_, translate));
        window_.SetDocumentMenus(shell::MenuTree(DocumentMenu()).Build(catalogue_, translate));
        window_.resize(900, 600);
        window_.show();
        path_ = env_.dir().write(QStringLiteral("rectangle.n"), Fixture());
    }
    ~FileCommands() override
    {
        for (QMdiSubWindow* child : window_.Documents()->subWindowList())
            qobject_cast<app::DocumentView*>(child->widget())->AgreeToClose();
        window_.Documents()->closeAllSubWindows();
    }

    app::DocumentView* Active() const
    {
        QMdiSubWindow* child = window_.Documents()->activeSubWindow();
        return child ? qobject_cast<app::DocumentView*>(child->widget()) : nullptr;
    }
    app::DocumentView* OpenFixture()
    {
        chooser_.open = path_;
        emit window_.commandChosen(app::kOpenCommand);
        QApplication::processEvents();
        return Active();
    }

    test::ScopedTestEnvironment env_;
    platform::ScopedOverride<int> mirror_ = DrawContext::OverrideMirrorFlags(DrawContext::MirrorY);
    displaytest::LinkedLinetypes linetypes_;
    platform::ScriptedPrompt prompt_;
    platform::ScopedOverride<platform::Prompt*> promptGuard_ = platform::installPrompt(prompt_);
    ScriptedChooser chooser_;
    platform::ScopedOverride<app::FileChooser*> chooserGuard_ = app::InstallFileChooser(chooser_);
    shell::CommandCatalogue catalogue_;
    app::MainWindow window_;
    QString path_;
};

// The file is written back byte for byte as it was read.
TEST_F(FileCommands, OpenedDrawingIsShownSavedClosedAndReopenedUnchanged)
{
    ASSERT_FALSE(Fixture().isEmpty());
    app::DocumentView* view = OpenFixture();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->windowTitle(), QStringLiteral("rectangle.n"));

    // Fitted: 25 pixels left over in the narrower direction.
    const int w = view->width();
    const int h = view->height();
    EXPECT_DOUBLE_EQ(view->View().GetZoom(), std::min((w - 25) / 200.0, (h - 25) / 100.0));

    const QImage picture = view->grab().toImage();
    const ViewTransform& transform = view->View().Transform();
    for (const auto& line : kLines) {
        for (double t = 0.1; t < 1.0; t += 0.2) {
            double px = 0;
            double py = 0;
            transform.ToPixel(line[0] + t * (line[2] - line[0]), line[1] + t * (line[3] - line[1]),
                              DrawContext::MirrorY, px, py);
            EXPECT_TRUE(RedNear(picture, px, py)) << line[0] << "," << line[1] << " t=" << t;
        }
    }
    double px = 0;
    double py = 0;
    transform.ToPixel(50, 50, DrawContext::MirrorY, px, py);
    EXPECT_FALSE(RedNear(picture, px, py)) << "inside a panel";

    emit window_.commandChosen(kSaveCommand);
    EXPECT_EQ(env_.dir().read(QStringLiteral("rectangle.n")), Fixture());
    emit window_.commandChosen(kCloseCommand);
    QApplication::processEvents();
    EXPECT_TRUE(window_.Documents()->subWindowList().isEmpty());
    EXPECT_FALSE(QFile::exists(env_.dir().file(QStringLiteral("rectangle_tmp.n"))));

    view = OpenFixture();
    ASSERT_NE(view, nullptr);
    int rules = 0;
    for (auto it = view->Document().GetSection(0)->begin(); it.NotEqual(view->Document().GetSection(0)->end()); it.Next())
        ++rules;
    EXPECT_EQ(rules, 5);
    EXPECT_EQ(prompt_.texts(), QStringList());
}

TEST_F(FileCommands, SetZoomRefusesTextThatIsNoNumber)
{
    app::DocumentView* view = OpenFixture();
    ASSERT_NE(view, nullptr);
    const double fitted = view->View().GetZoom();
    TypedValue value;
    auto asker = dlg::InstallOneValueAsker(value);

    for (const char* refused : {"", "-", ",5"}) {
        value.typed = QString::fromLatin1(refused);
        EXPECT_TRUE(view->RunCommand(441));
        EXPECT_EQ(view->View().GetZoom(), fitted) << refused;
    }
    EXPECT_EQ(prompt_.texts(), QStringList(3, QStringLiteral("<344>")));
    value.typed.reset(); // cancelled
    EXPECT_TRUE(view->RunCommand(441));
    EXPECT_EQ(view->View().GetZoom(), fitted);

    value.typed = QStringLiteral("2,5");
    EXPECT_TRUE(view->RunCommand(441));
    EXPECT_EQ(view->View().GetZoom(), 2.0);
    value.typed = QStringLiteral("0");
    EXPECT_TRUE(view->RunCommand(441));
    EXPECT_EQ(value.offered, QStringLiteral(" 2.000"));
    EXPECT_EQ(view->View().GetZoom(), 0.0001);
}

TEST_F(FileCommands, UndoItemNamesTheLastStep)
{
    app::DocumentView* view = OpenFixture();
    ASSERT_NE(view, nullptr);
    QAction* undo = nullptr;
    QMenu* menu = nullptr;
    for (QAction* top : window_.menuBar()->actions()) {
        for (QAction* item : top->menu() ? top->menu()->actions() : QList<QAction*>()) {
            if (item->data().toInt() == 370) {
                undo = item;
                menu = top->menu();
            }
        }
    }
    ASSERT_NE(undo, nullptr);
    emit menu->aboutToShow();
    EXPECT_EQ(undo->text(), QStringLiteral("<165>"));
    EXPECT_FALSE(undo->isEnabled());

    CMorvekDoc& doc = view->Document();
    doc.Undo().Open(42, doc.GetCurrentSection());
    (void)doc.GetSection(0)->AddLine3(10, 10, 20, 20, true, 1);
    doc.Undo().Close();
    emit menu->aboutToShow();
    EXPECT_EQ(undo->text(), QStringLiteral("<168> : <42>"));
    EXPECT_TRUE(undo->isEnabled());
    undo->trigger();
    emit menu->aboutToShow();
    EXPECT_EQ(undo->text(), QStringLiteral("<165>"));
}

TEST_F(FileCommands, CloseAllClosesNothingWhenOneDrawingIsCancelled)
{
    app::DocumentView* first = OpenFixture();
    ASSERT_NE(first, nullptr);
    window_.NewDocument();
    first->Document().SetModifiedFlag();

    prompt_.push(platform::PromptResult::Cancel);
    emit window_.commandChosen(470);
    QApplication::processEvents();
    EXPECT_EQ(window_.Documents()->subWindowList().size(), 2);

    // Asked once per modified drawing: No closes every window unsaved.
    prompt_.push(platform::PromptResult::No);
    emit window_.commandChosen(470);
    QApplication::processEvents();
    EXPECT_TRUE(window_.Documents()->subWindowList().isEmpty());
    EXPECT_EQ(prompt_.texts().size(), 2);
    EXPECT_EQ(prompt_.unexpected(), 0);
    EXPECT_EQ(env_.dir().read(QStringLiteral("rectangle.n")), Fixture());
}

// Closing after an autosave asks Yes/No/Cancel: a save that fails keeps the
// window open with its autosave copy; No then closes it and drops the copy.
TEST_F(FileCommands, AFailedSaveAfterAnAutosaveKeepsTheWindowAndItsCopy)
{
    app::DocumentView* view = OpenFixture();
    ASSERT_NE(view, nullptr);
    (void)view->Document().GetSection(0)->AddLine3(20, 20, 80, 80, true, 1);
    view->Document().SetModifiedFlag();
    view->Autosave().Enable(true);
    ASSERT_TRUE(view->Autosave().OnTimer(view->Document()));
    const QByteArray copy = env_.dir().read(QStringLiteral("rectangle_tmp.n"));
    ASSERT_FALSE(copy.isEmpty());
    // The file's place is taken by a folder: the save cannot write it.
    ASSERT_TRUE(QFile::remove(path_));
    ASSERT_TRUE(QDir().mkdir(path_));

    for (const platform::PromptResult answer : {platform::PromptResult::Yes, platform::PromptResult::Cancel}) {
        SCOPED_TRACE(static_cast<int>(answer));
        prompt_.push(answer);
        if (answer == platform::PromptResult::Yes)
            prompt_.push(platform::PromptResult::Ok); // the failed save is told
        emit window_.commandChosen(kCloseCommand);
        QApplication::processEvents();
        EXPECT_TRUE(prompt_.exhausted());
        ASSERT_EQ(window_.Documents()->subWindowList().size(), 1);
        EXPECT_EQ(env_.dir().read(QStringLiteral("rectangle_tmp.n")), copy);
    }
    prompt_.push(platform::PromptResult::No);
    emit window_.commandChosen(kCloseCommand);
    QApplication::processEvents();
    EXPECT_TRUE(window_.Documents()->subWindowList().isEmpty());
    EXPECT_FALSE(QFile::exists(env_.dir().file(QStringLiteral("rectangle_tmp.n"))));
    EXPECT_EQ(prompt_.unexpected(), 0);
}

// File > Import of a plot file opens its lines as a new drawing whose layer
// bears the file's name.
TEST_F(FileCommands, ImportOfAPlotFileOpensItsLines)
{
    chooser_.open = env_.dir().write(QStringLiteral("plot.plt"), QByteArray("IN;PU;PA0,0;PD;PA4000,0;PU;\n"));
    emit window_.commandChosen(475);
    ASSERT_EQ(window_.Documents()->subWindowList().size(), 1);
    app::DocumentView* view = Active();
    ASSERT_NE(view, nullptr);
    const Section* layer = view->Document().GetCurrentSection();
    EXPECT_EQ(layer->getName(), QStringLiteral("plot"));
    EXPECT_NE(layer->begin().Get(), nullptr);
    EXPECT_EQ(prompt_.texts(), QStringList());
}

TEST_F(FileCommands, SavingANewDrawingAsksForItsName)
{
    window_.NewDocument();
    app::DocumentView* view = Active();
    ASSERT_NE(view, nullptr);
    emit window_.commandChosen(kSaveCommand); // the dialog cancelled
    EXPECT_TRUE(view->Document().GetPathName().isEmpty());
    chooser_.save = env_.dir().file(QStringLiteral("new"));
    emit window_.commandChosen(kSaveCommand);
    EXPECT_TRUE(QFile::exists(env_.dir().file(QStringLiteral("new.n"))));
    EXPECT_EQ(view->windowTitle(), QStringLiteral("new.n"));
    EXPECT_EQ(prompt_.texts(), QStringList());
}

TEST_F(FileCommands, MergeAddsTheFilesLayersToTheActiveDrawing)
{
    emit window_.commandChosen(476);
    EXPECT_EQ(prompt_.texts(), QStringList()) << "no drawing open: nothing happens";
    app::DocumentView* view = OpenFixture();
    ASSERT_NE(view, nullptr);
    chooser_.open = env_.dir().write(QStringLiteral("second.n"), Fixture());
    prompt_.push(platform::PromptResult::Yes);
    emit window_.commandChosen(476);
    CMorvekDoc& doc = view->Document();
    ASSERT_EQ(doc.GetSectionCount(), 2);
    EXPECT_TRUE(doc.GetSection(1)->getName().startsWith(QStringLiteral("second_")));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(prompt_.unexpected(), 0);
    EXPECT_EQ(window_.Documents()->subWindowList().size(), 1);
}

TEST_F(FileCommands, ClipboardCopyPutsTheSelectionAsScriptText)
{
    app::DocumentView* view = OpenFixture();
    ASSERT_NE(view, nullptr);
    CMorvekDoc& doc = view->Document();
    doc.GetSection(0)->begin().Get()->SetSelection(1);
    emit window_.commandChosen(32963);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), doc.GetSelectionAsText());
    EXPECT_EQ(QGuiApplication::clipboard()->text().count(QLatin1Char(';')), 1);

    // Paste can't read script text yet: it says so and changes nothing.
    const int steps = doc.Undo().GetUndoCount();
    emit window_.commandChosen(32964);
    EXPECT_EQ(doc.Undo().GetUndoCount(), steps);
    EXPECT_EQ(prompt_.texts(), QStringList{QStringLiteral("Pasting script text is not supported by this version.")});
    QGuiApplication::clipboard()->clear();
    emit window_.commandChosen(32964);
    EXPECT_EQ(prompt_.texts().last(), QStringLiteral("No understandable clipboard data avaible."));
}

TEST_F(FileCommands, ANewDocumentWindowBuildsTheMenusOnce)
{
    apptest::MenuBuildCounter builds;
    window_.menuBar()->installEventFilter(&builds);
    window_.NewDocument();
    QApplication::processEvents();
    const int documentMenus = static_cast<int>(window_.menuBar()->actions().size());
    EXPECT_EQ(builds.added, documentMenus);
    window_.NewDocument();
    QApplication::processEvents();
    EXPECT_EQ(builds.added, documentMenus) << "the same menus stay";
}

TEST_F(FileCommands, ImportOfADxfFileAsksForItsBlocksAndOpensThem)
{
    // The dialog answers itself: "Semmi" clears every row (model space's
    // too, which the file's ENTITIES section holds), the block is ticked,
    // then OK.
    dlg::DxfImportDialogChooser dialogChooser(&window_);
    const auto guard = installDxfImportChooser(dialogChooser);
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<dlg::CDXFImportDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QPushButton*>(QStringLiteral("Button1088"))->click();
        dialog->List()->topLevelItem(1)->setCheckState(0, Qt::Checked);
        dialog->accept();
    });
    QFile dxf(QStringLiteral(MORVEK_TEST_DATA_DIR "/dxf/lines.dxf"));
    ASSERT_TRUE(dxf.open(QIODevice::ReadOnly));
    chooser_.open = env_.dir().write(QStringLiteral("lines.dxf"), dxf.readAll());
    emit window_.commandChosen(475);
    app::DocumentView* view = Active();
    ASSERT_NE(view, nullptr);
    int elements = 0;
    Section* section = view->Document().GetCurrentSection();
    for (auto it = section->begin(); it.NotEqual(section->end()); it.Next())
        ++elements;
    EXPECT_EQ(elements, 2);
    EXPECT_TRUE(view->Document().GetPathName().isEmpty()); // a save asks where
    EXPECT_EQ(prompt_.texts(), QStringList());
}

TEST_F(FileCommands, ADxfFileOpensWithModelSpaceListedFirstChosenAndAtItsOwnCoordinates)
{
    // The dialog lists model space first, ticked, then the two blocks; OK
    // as it stands draws model space where the file has it.
    dlg::DxfImportDialogChooser dialogChooser(&window_);
    const auto guard = installDxfImportChooser(dialogChooser);
    QStringList rows;
    QList<bool> ticked;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<dlg::CDXFImportDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        for (int i = 0; i < dialog->List()->topLevelItemCount(); ++i) {
            rows << dialog->List()->topLevelItem(i)->text(0);
            ticked << (dialog->List()->topLevelItem(i)->checkState(0) == Qt::Checked);
        }
        dialog->accept();
    });
    QFile dxf(QStringLiteral(MORVEK_TEST_DATA_DIR "/dxf/model_space.dxf"));
    ASSERT_TRUE(dxf.open(QIODevice::ReadOnly));
    chooser_.open = env_.dir().write(QStringLiteral("model_space.dxf"), dxf.readAll());
    emit window_.commandChosen(app::kOpenCommand);
    QApplication::processEvents();
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0], Translate(dlg::DxfImportChoices::kTextModelSpace));
    EXPECT_EQ(rows.mid(1), QStringList({"BOX", "LID"}));
    EXPECT_EQ(ticked, QList<bool>({true, false, false}));
    app::DocumentView* view = Active();
    ASSERT_NE(view, nullptr);
    // The line from (0, 0) to (100, 0) and the extents ezdxf gives.
    Section* section = view->Document().GetCurrentSection();
    bool line = false;
    double left = 1e300, bottom = 1e300, right = -1e300, top = -1e300;
    for (auto it = section->begin(); it.NotEqual(section->end()); it.Next()) {
        CElement* e = it.Get();
        if (e->GetLineType() == 2 && e->GetMinX(0, true) == 0.0 && e->GetMaxX(0, true) == 100.0
            && e->GetMaxY(0, true) == 0.0)
            line = true;
        if (e->GetTypeId() == ElementTypeId::Text)
            continue;
        left = std::min(left, e->GetMinX(0, true));
        bottom = std::min(bottom, e->GetMinY(0, true));
        right = std::max(right, e->GetMaxX(0, true));
        top = std::max(top, e->GetMaxY(0, true));
    }
    EXPECT_TRUE(line);
    EXPECT_NEAR(left, -70, 0.001);
    EXPECT_NEAR(bottom, -30, 0.001);
    EXPECT_NEAR(right, 555, 0.001);
    EXPECT_NEAR(top, 150, 0.001);
    EXPECT_EQ(prompt_.texts(), QStringList({QStringLiteral("2 HATCH skipped")})); // told once
}

} // namespace
