// Opening a ".dxf" file: the chosen blocks go into the current section.
#include "document/MorvekDoc.h"

#include "common/TempDir.h"
#include "element/Arc.h"
#include "element/Ellipse.h"
#include "element/Line.h"
#include "element/Text.h"
#include "exchange/dxf/DxfImportChooser.h"
#include "options/Options.h"
#include "platform/Prompt.h"
#include "section/Section.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

class ScriptedChooser : public DxfImportChooser {
public:
    DxfImportChoice Choose(const std::vector<DxfBlock>& blocks) override
    {
        offered = static_cast<int>(blocks.size());
        return answer;
    }
    DxfImportChoice answer;
    int offered = -1;
};

struct Counts {
    int lines = 0, arcs = 0, texts = 0, ellipses = 0;
};

Counts CountElements(Section& section)
{
    Counts c;
    for (auto it = section.begin(); it.NotEqual(section.end()); it.Next()) {
        CElement* e = it.Get();
        c.lines += dynamic_cast<CLine*>(e) != nullptr;
        c.arcs += dynamic_cast<CArc*>(e) != nullptr;
        c.texts += dynamic_cast<CText*>(e) != nullptr;
        c.ellipses += dynamic_cast<CEllipse*>(e) != nullptr;
    }
    return c;
}

QByteArray Fixture(const char* name)
{
    QFile f(QStringLiteral(MORVEK_TEST_DATA_DIR "/dxf/") + QLatin1String(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

class DocumentDxf : public testing::Test {
protected:
    ScriptedChooser chooser_;
    platform::ScopedOverride<DxfImportChooser*> guard_ = installDxfImportChooser(chooser_);
};

} // namespace

TEST_F(DocumentDxf, TheChosenBlocksGoIntoTheCurrentSection)
{
    chooser_.answer = {{0}, 900.0, 900.0, true};
    CMorvekDoc doc;
    QString error;
    ASSERT_TRUE(doc.LoadFile(QStringLiteral("box.DXF"), Fixture("lines.dxf"), &error)) << error.toStdString();
    EXPECT_FALSE(doc.IsLoadRefused());
    EXPECT_EQ(chooser_.offered, 1);
    const Counts c = CountElements(*doc.GetCurrentSection());
    EXPECT_EQ(c.lines, 2);
    EXPECT_EQ(c.texts, 1); // the label
}

TEST_F(DocumentDxf, CancelLoadsAnEmptyDrawing)
{
    CMorvekDoc doc;
    QString error;
    ASSERT_TRUE(doc.LoadFile(QStringLiteral("box.dxf"), Fixture("arc_circle.dxf"), &error));
    EXPECT_EQ(chooser_.offered, 1);
    const Counts c = CountElements(*doc.GetCurrentSection());
    EXPECT_EQ(c.lines + c.arcs + c.texts, 0);
}

TEST_F(DocumentDxf, ArcsAndCirclesBecomeArcsOrUnderUnequalScalesEllipses)
{
    chooser_.answer = {{0}, 900.0, 900.0, false};
    CMorvekDoc doc;
    QString error;
    ASSERT_TRUE(doc.LoadFile(QStringLiteral("round.dxf"), Fixture("arc_circle.dxf"), &error));
    EXPECT_EQ(CountElements(*doc.GetCurrentSection()).arcs, 2);

    const QByteArray scaled = "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n2\nT\n0\nINSERT\n2\nO\n41\n2\n0\nENDBLK\n"
                              "0\nBLOCK\n2\nO\n0\nCIRCLE\n40\n5\n0\nARC\n40\n5\n51\n90\n0\nENDBLK\n0\nENDSEC\n";
    CMorvekDoc stretched;
    ASSERT_TRUE(stretched.LoadFile(QStringLiteral("scaled.dxf"), scaled, &error)) << error.toStdString();
    const Counts c = CountElements(*stretched.GetCurrentSection());
    EXPECT_EQ(c.ellipses, 2);
    EXPECT_EQ(c.arcs, 0);
}

TEST_F(DocumentDxf, ADamagedFileOrABlockInsertingItselfIsRefused)
{
    struct Case {
        QByteArray bytes;
        const char* error;
    };
    const Case cases[] = {
        {"0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n0\nLINE\n10\n", "line 9: the file ends after a group code"},
        {"0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n2\nA\n0\nLINE\n11\n1\n0\nINSERT\n2\nA\n0\nENDBLK\n0\nENDSEC\n",
         "block \"A\" inserts itself"},
    };
    chooser_.answer = {{0}, 900.0, 900.0, false};
    for (const Case& c : cases) {
        CMorvekDoc doc;
        QString error;
        EXPECT_FALSE(doc.LoadFile(QStringLiteral("bad.dxf"), c.bytes, &error));
        EXPECT_EQ(error, QLatin1String(c.error));
        EXPECT_TRUE(doc.IsLoadRefused());
        EXPECT_EQ(CountElements(*doc.GetCurrentSection()).lines, 0); // the failed load leaves an empty drawing
    }
}

TEST_F(DocumentDxf, TheImportLeavesTheLastEntitysLineTypeCurrent)
{
    // The point's cross comes last: line type 3, though the lines before
    // it lay on layer "CUT" (2), and so are the elements made.
    test::ScopedTestEnvironment env;
    COptions options;
    auto installed = COptions::Install(options);
    options.SetLineType(5);
    chooser_.answer = {{0}, 900.0, 900.0, false};
    const QByteArray file = "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n2\nB\n0\nLINE\n8\nCUT\n11\n10\n"
                            "0\nPOINT\n10\n50\n0\nENDBLK\n0\nENDSEC\n";
    CMorvekDoc doc;
    QString error;
    ASSERT_TRUE(doc.LoadFile(QStringLiteral("b.dxf"), file, &error)) << error.toStdString();
    EXPECT_EQ(options.GetLineType(), 3);
    std::vector<int> types;
    for (auto it = doc.GetCurrentSection()->begin(); it.NotEqual(doc.GetCurrentSection()->end()); it.Next())
        types.push_back(it.Get()->GetLineType());
    EXPECT_EQ(types, std::vector<int>({2, 3, 3}));
}

TEST_F(DocumentDxf, AnImportedDrawingNeitherSavesNorAutosavesOverItsDxfFile)
{
    // The drawing is no DXF: Save asks for a name, the autosave writes no
    // copy beside the file, and an old "_tmp" copy beside it is not offered
    // as the file's recovery (it would replace the DXF).
    test::TempDir dir;
    const QByteArray dxf = Fixture("lines.dxf");
    const QString path = dir.write(QStringLiteral("box.dxf"), dxf);
    (void)dir.write(QStringLiteral("box_tmp.dxf"), QByteArray("not a drawing"));
    platform::ScriptedPrompt prompt;
    auto promptGuard = platform::installPrompt(prompt);
    chooser_.answer = {{0}, 900.0, 900.0, false};
    CMorvekDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(path));
    EXPECT_TRUE(prompt.texts().isEmpty());
    EXPECT_TRUE(doc.GetPathName().isEmpty());
    (void)doc.GetCurrentSection()->AddLine3(500, 500, 600, 600, true, 1);
    doc.SetModifiedFlag(true);
    doc.AutoSave();
    EXPECT_FALSE(doc.Save()); // no name yet: Save As
    EXPECT_EQ(dir.read(QStringLiteral("box.dxf")), dxf);
    EXPECT_EQ(dir.read(QStringLiteral("box_tmp.dxf")), QByteArray("not a drawing"));
}

namespace {

// A block of `lines` distinct lines.
QByteArray LinesDxf(int lines)
{
    QByteArray file = "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n2\nPLAIN\n";
    for (int i = 0; i < lines; ++i)
        file += "0\nLINE\n10\n0\n20\n" + QByteArray::number(i) + "\n11\n10\n21\n" + QByteArray::number(i) + "\n";
    return file + "0\nENDBLK\n0\nENDSEC\n";
}

// A file larger than the memory there is stops the load with the number of
// elements it would make, leaves the drawing as after any failed load, and
// the next load works. The allocator's failure is forced through a small
// limit on the section's table.
TEST_F(DocumentDxf, AFileTooLargeForTheMemoryIsRefusedNotAborted)
{
    chooser_.answer = DxfImportChoice{{0}, 1000.0, 1000.0, false};
    CMorvekDoc doc;
    QString error;
    {
        const auto scarce = Section::SimulateMemoryForElements(1000);
        EXPECT_FALSE(doc.LoadFile(QStringLiteral("big.dxf"), LinesDxf(3000), &error));
    }
    EXPECT_EQ(error, QStringLiteral("the drawing is too large to open: about 3000 elements"));
    EXPECT_TRUE(doc.IsLoadRefused());
    ASSERT_EQ(doc.GetSectionCount(), 1);
    EXPECT_EQ(CountElements(*doc.GetSection(0)).lines, 0);

    CMorvekDoc next;
    ASSERT_TRUE(next.LoadFile(QStringLiteral("small.dxf"), LinesDxf(20), &error)) << error.toStdString();
    EXPECT_EQ(CountElements(*next.GetCurrentSection()).lines, 20);
}

} // namespace
