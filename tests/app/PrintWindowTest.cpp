// Printing through the program's menus onto PDF files, the pages looked at
// as pictures (pdftoppm).
#include "app/PrintCommands.h"
#include "options/LanguageTable.h"
#include "options/Options.h"
#include "platform/Prompt.h"

#include "WindowFixture.h"

#include <QDir>
#include <QImage>
#include <QPrinter>
#include <QProcess>

namespace {

class ScriptedPrint : public app::PrintAsker {
public:
    bool Setup(QWidget*, COptions&) override
    {
        ++setups;
        return setupAnswer;
    }
    bool ChoosePrinter(QWidget*, QPrinter& printer) override
    {
        ++printerDialogs;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(QPageLayout::Portrait);
        printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
        return true;
    }
    void Preview(QWidget*, QPrinter& printer, const std::function<void(QPrinter&)>& paint) override
    {
        ++previews;
        (void)ChoosePrinter(nullptr, printer);
        paint(printer);
    }
    void PageSetup(QWidget*, QPrinter&) override { ++pageSetups; }

    bool setupAnswer = true;
    QString file;
    int setups = 0;
    int printerDialogs = 0;
    int previews = 0;
    int pageSetups = 0;
};

class PrintWindow : public apptest::WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        asker_.file = dir_.path() + QStringLiteral("/out.pdf");
    }
    // The file's pages as pictures at the resolution given.
    std::vector<QImage> Pages(int dpi) const
    {
        const QString prefix = dir_.path() + QStringLiteral("/page");
        QProcess run;
        run.start(QStringLiteral("pdftoppm"),
                  {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"), asker_.file, prefix});
        EXPECT_TRUE(run.waitForFinished(60000));
        EXPECT_EQ(run.exitCode(), 0) << "pdftoppm (poppler-utils) is needed: scripts/setup.sh";
        std::vector<QImage> pages;
        const QStringList names = QDir(dir_.path()).entryList({QStringLiteral("page*.png")}, QDir::Files, QDir::Name);
        for (const QString& name : names)
            pages.emplace_back(dir_.path() + QLatin1Char('/') + name);
        return pages;
    }
    static bool Dark(const QImage& image, int x, int y)
    {
        const QColor c = image.pixelColor(x, y);
        return c.red() < 200 || c.green() < 200 || c.blue() < 200;
    }

    test::TempDir dir_;
    COptions options_;
    platform::ScopedOverride<COptions*> installed_ = COptions::Install(options_);
    ScriptedPrint asker_;
    platform::ScopedOverride<app::PrintAsker*> askerInstalled_ = app::InstallPrintAsker(asker_);
    platform::ScriptedPrompt prompt_;
    platform::ScopedOverride<platform::Prompt*> promptInstalled_ = platform::installPrompt(prompt_);
};

TEST_F(PrintWindow, OneToOneTilesADrawingWiderThanThePageAndLeavesTheViewAsItWas)
{
    // 600 × 300 mm on A4 (210 × 297 mm) with 10 mm overlap: 3 × 2 pages.
    Section& s = *Doc().GetSection(0);
    (void)s.AddLine3(0, 0, 600, 0, true, 1);
    (void)s.AddLine3(600, 0, 600, 300, true, 1);
    (void)s.AddLine3(600, 300, 0, 300, true, 1);
    (void)s.AddLine3(0, 300, 0, 0, true, 1);
    options_.SetPrintMode(1);
    options_.SetPrintOverlap(10);
    const double zoom = view_->View().GetZoom();
    const platform::DevicePoint origin = view_->View().GetOrigin();

    Choose(57607);

    EXPECT_EQ(asker_.setups, 1);
    EXPECT_EQ(asker_.printerDialogs, 1);
    EXPECT_TRUE(prompt_.texts().isEmpty()) << prompt_.texts().join(u'\n').toStdString();
    EXPECT_EQ(view_->View().GetZoom(), zoom);
    EXPECT_EQ(view_->View().GetOrigin().x, origin.x);
    EXPECT_EQ(view_->View().GetOrigin().y, origin.y);

    // 5 pixels per millimetre: the marks' centres 5 mm in from the corners.
    const std::vector<QImage> pages = Pages(127);
    ASSERT_EQ(pages.size(), 6u);
    for (const QImage& page : pages) {
        EXPECT_NEAR(page.width(), 1050, 2);
        EXPECT_NEAR(page.height(), 1485, 2);
    }
    const auto marked = [&](int page, bool right, bool bottom) {
        const QImage& p = pages[page];
        const int x = right ? p.width() - 26 : 25;
        const int y = bottom ? p.height() - 26 : 25;
        return Dark(p, x, y) && Dark(p, x - 10, y) && Dark(p, x, y + 10);
    };
    // The first page shares its right and lower corners, the middle page of
    // the top row all four, the last page of the top row its left ones and
    // the lower right one; the drawing's own rules lie elsewhere.
    EXPECT_FALSE(marked(0, false, false));
    EXPECT_TRUE(marked(0, true, false));
    EXPECT_TRUE(marked(0, false, true));
    EXPECT_TRUE(marked(0, true, true));
    for (const bool right : {false, true})
        for (const bool bottom : {false, true})
            EXPECT_TRUE(marked(1, right, bottom));
    EXPECT_FALSE(marked(2, true, false));
    EXPECT_FALSE(marked(5, true, true));
    // The overlap: the right rule of the drawing (600 mm) on the last column
    // lies 600 − 2 × 200 = 200 mm in; the top rule runs across every top page.
    EXPECT_TRUE(Dark(pages[2], 1000, 700));
    EXPECT_TRUE(Dark(pages[1], 500, 0));
}

TEST_F(PrintWindow, OneToOneKeepsMillimetres)
{
    // A 100 mm rule 10 mm in from the drawing's left and top edges.
    Section& s = *Doc().GetSection(0);
    (void)s.AddLine3(10, -10, 110, -10, true, 1);
    (void)s.AddLine3(0, 0, 0, -20, true, 1);
    options_.SetPrintMode(1);

    Choose(57607);

    // 10 pixels per millimetre.
    const std::vector<QImage> pages = Pages(254);
    ASSERT_EQ(pages.size(), 1u);
    const QImage& page = pages[0];
    int first = -1;
    int last = -1;
    for (int x = 20; x < page.width(); ++x) {
        if (Dark(page, x, 100)) {
            if (first < 0)
                first = x;
            last = x;
        }
    }
    EXPECT_NEAR(first, 100, 5);
    EXPECT_NEAR(last + 1 - first, 1000, 5);
    // The one-pixel rule prints about 0.26 mm (2 to 3 pixels) wide.
    int across = 0;
    for (int y = 90; y < 110; ++y)
        across += Dark(page, 600, y) ? 1 : 0;
    EXPECT_GE(across, 2);
    EXPECT_LE(across, 4);
}

TEST_F(PrintWindow, CancelOrNowhereToPrintPrintsNothing)
{
    (void)Doc().GetSection(0)->AddLine3(0, 0, 100, 0, true, 1);
    asker_.setupAnswer = false;
    Choose(57607);
    Choose(57609);
    EXPECT_EQ(asker_.setups, 2);
    EXPECT_EQ(asker_.printerDialogs + asker_.previews, 0);
    EXPECT_FALSE(QFile::exists(asker_.file));

    // A file that cannot be written: message 399, reported as failed.
    asker_.setupAnswer = true;
    asker_.file = dir_.path() + QStringLiteral("/missing/out.pdf");
    prompt_.push(platform::PromptResult::Ok);
    EXPECT_FALSE(app::PrintView(*view_, window_.Printer(), app::PrintKind::Dialog));
    ASSERT_EQ(prompt_.texts().size(), 1);
    EXPECT_EQ(prompt_.texts()[0], Translate(399));
}

TEST_F(PrintWindow, ManyPagesAskFirst)
{
    (void)Doc().GetSection(0)->AddLine3(0, 0, 3000, 2000, true, 1);
    options_.SetPrintMode(1);
    prompt_.push(platform::PromptResult::No);
    Choose(57607);
    ASSERT_EQ(prompt_.texts().size(), 1);
    EXPECT_FALSE(QFile::exists(asker_.file));
}

TEST_F(PrintWindow, PreviewAndFittedModesPrintOnePage)
{
    (void)Doc().GetSection(0)->AddLine3(0, 0, 3000, 2000, true, 1);
    for (const int mode : {2, 3}) {
        SCOPED_TRACE(mode);
        options_.SetPrintMode(mode);
        QFile::remove(asker_.file);
        Choose(57609);
        EXPECT_EQ(Pages(20).size(), 1u);
        for (const QString& name : QDir(dir_.path()).entryList({QStringLiteral("page*.png")}))
            QFile::remove(dir_.path() + QLatin1Char('/') + name);
    }
    EXPECT_EQ(asker_.previews, 2);
}

TEST_F(PrintWindow, PrintSetupRunsWithoutADrawing)
{
    Choose(57606);
    EXPECT_EQ(asker_.pageSetups, 1);
}

} // namespace
