// Opening a ".dxf" file: the chosen blocks go into the current section.
#include "document/MorvekDoc.h"

#include "common/TempDir.h"
#include "element/Arc.h"
#include "element/Ellipse.h"
#include "element/Line.h"
#include "element/Spline.h"
#include "element/Text.h"
#include "exchange/dxf/DxfImportChooser.h"
#include "options/Options.h"
#include "options/LanguageTable.h"
#include "platform/CFormat.h"
#include "platform/Prompt.h"
#include "section/Section.h"

#include <QFile>
#include <QFileInfo>

#include <map>

#include <gtest/gtest.h>

namespace {

class ScriptedChooser : public DxfImportChooser {
public:
    DxfImportChoice Choose(const DxfBlock* modelSpace, const std::vector<DxfBlock>& blocks) override
    {
        offered = static_cast<int>(blocks.size());
        offeredModelSpace = modelSpace != nullptr;
        return answer;
    }
    DxfImportChoice answer;
    int offered = -1;
    bool offeredModelSpace = false;
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
    chooser_.answer = DxfImportChoice{{0}, 1000.0, 1000.0, false, false};
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

namespace {

// Total rule length per line type and the extents of the rules (texts left
// out), as the fixtures' README gives them from ezdxf.
struct Figures {
    std::map<int, double> length;
    double left = 1e300, bottom = 1e300, right = -1e300, top = -1e300;
    int texts = 0;
};

Figures Measure(Section& section)
{
    Figures f;
    for (auto it = section.begin(); it.NotEqual(section.end()); it.Next()) {
        CElement* e = it.Get();
        if (dynamic_cast<CText*>(e) != nullptr) {
            ++f.texts;
            continue;
        }
        f.length[e->GetLineType()] += e->GetFullLength();
        f.left = std::min(f.left, e->GetMinX(0, true));
        f.bottom = std::min(f.bottom, e->GetMinY(0, true));
        f.right = std::max(f.right, e->GetMaxX(0, true));
        f.top = std::max(f.top, e->GetMaxY(0, true));
    }
    return f;
}

} // namespace

TEST_F(DocumentDxf, ModelSpaceAgreesWithEzdxf)
{
    struct Case {
        const char* file;
        double type2, type3;
        double left, bottom, right, top;
        int texts;
    };
    // Figures from tests/data/dxf/README.md (ezdxf 0.18.1).
    const Case cases[] = {
        {"model_space.dxf", 658.0973, 376.9911, -70, -30, 555, 150, 2},
        {"inch.dxf", 177.8, 79.7965, 0, 0, 139.7, 139.7, 0},
        {"r12.dxf", 136.0555, 31.4159, 0, -10, 120, 50, 0},
        // No header, no blocks: one line from (0, 0) to (10, 10), by hand.
        {"entities_only.dxf", 14.1421, 0, 0, 0, 10, 10, 0},
    };
    chooser_.answer.modelSpace = true;
    for (const Case& c : cases) {
        CMorvekDoc doc;
        QString error;
        ASSERT_TRUE(doc.LoadFile(QString::fromLatin1(c.file), Fixture(c.file), &error)) << c.file << error.toStdString();
        EXPECT_TRUE(chooser_.offeredModelSpace) << c.file;
        Figures f = Measure(*doc.GetCurrentSection());
        EXPECT_NEAR(f.length[2], c.type2, 0.001) << c.file;
        EXPECT_NEAR(f.length[3], c.type3, 0.001) << c.file;
        EXPECT_EQ(doc.GetCurrentSection()->getName(), QFileInfo(QString::fromLatin1(c.file)).completeBaseName());
        EXPECT_NEAR(f.left, c.left, 0.001) << c.file;
        EXPECT_NEAR(f.bottom, c.bottom, 0.001) << c.file;
        EXPECT_NEAR(f.right, c.right, 0.001) << c.file;
        EXPECT_NEAR(f.top, c.top, 0.001) << c.file;
        EXPECT_EQ(f.texts, c.texts) << c.file;
    }
}

TEST_F(DocumentDxf, MTextLosesItsFormattingAndImportedRulesHaveNoBridges)
{
    chooser_.answer.modelSpace = true;
    CMorvekDoc doc;
    QString error;
    ASSERT_TRUE(doc.LoadFile(QStringLiteral("model_space.dxf"), Fixture("model_space.dxf"), &error));
    QStringList texts;
    for (auto it = doc.GetCurrentSection()->begin(); it.NotEqual(doc.GetCurrentSection()->end()); it.Next()) {
        if (auto* t = dynamic_cast<CText*>(it.Get()))
            texts << t->GetText();
        else
            EXPECT_TRUE(it.Get()->GetBridges().Count() == 0);
    }
    texts.sort();
    EXPECT_EQ(texts, QStringList({QStringLiteral("Box fold \u00B0 here"), QStringLiteral("Lid 12")}));
    // The two hatches are told once, after the load.
    EXPECT_EQ(doc.ImportNotes(), QStringList({QStringLiteral("2 HATCH skipped")}));
}

TEST_F(DocumentDxf, RefusedFilesSayWhy)
{
    struct Case {
        const char* file;
        QByteArray bytes;
        QString error;
    };
    const Case cases[] = {
        {"binary.dxf", Fixture("binary.dxf"), Translate(CMorvekDoc::kTextBinaryDxf)},
        {"only_skipped.dxf", Fixture("only_skipped.dxf"),
         platform::cformat(Translate(CMorvekDoc::kTextNoFigures).toUtf8().constData(), QStringLiteral("only_skipped.dxf"))
             + QStringLiteral("\n3 HATCH, 1 SOLID skipped")},
        {"empty.dxf", "0\nSECTION\n2\nENTITIES\n0\nENDSEC\n0\nEOF\n",
         platform::cformat(Translate(CMorvekDoc::kTextNoFigures).toUtf8().constData(), QStringLiteral("empty.dxf"))},
    };
    chooser_.answer.modelSpace = true;
    for (const Case& c : cases) {
        CMorvekDoc doc;
        QString error;
        EXPECT_FALSE(doc.LoadFile(QString::fromLatin1(c.file), c.bytes, &error)) << c.file;
        EXPECT_EQ(error, c.error) << c.file;
        EXPECT_TRUE(doc.IsLoadRefused()) << c.file;
    }
}

TEST_F(DocumentDxf, UnitsThatAreNoLengthReadAsMillimetresWithANote)
{
    // $INSUNITS 3 (miles) is no unit a die is drawn in.
    const QByteArray file = "0\nSECTION\n2\nHEADER\n9\n$INSUNITS\n70\n3\n0\nENDSEC\n"
                            "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\nCUT\n11\n25\n0\nENDSEC\n0\nEOF\n";
    chooser_.answer.modelSpace = true;
    CMorvekDoc doc;
    QString error;
    ASSERT_TRUE(doc.LoadFile(QStringLiteral("miles.dxf"), file, &error)) << error.toStdString();
    EXPECT_NEAR(Measure(*doc.GetCurrentSection()).length[2], 25.0, 1e-9);
    ASSERT_EQ(doc.ImportNotes().size(), 1);
    EXPECT_EQ(doc.ImportNotes()[0],
              platform::cformat(Translate(CMorvekDoc::kTextUnitsNotLength).toUtf8().constData(), 3));
}

TEST_F(DocumentDxf, EllipsesAndSplinesKeepTheirEnds)
{
    // ezdxf: the whole ellipse of semi-axes 40 and 20 is 193.7690 mm long, a
    // quarter 48.4422 mm; the spline (degree 3, five control points) runs
    // from (0, 100) to (120, 120), 144.7048 mm long. Our spline is no NURBS:
    // it passes through eight points of each knot span, so its length is
    // held to 0.05 mm. The ellipse's length is exact: to 0.001 mm.
    chooser_.answer.modelSpace = true;
    CMorvekDoc doc;
    QString error;
    ASSERT_TRUE(doc.LoadFile(QStringLiteral("ellipse_spline.dxf"), Fixture("ellipse_spline.dxf"), &error));
    Section& section = *doc.GetCurrentSection();
    struct End {
        die::coord from, to;
        double length, tolerance;
    };
    std::vector<End> ends;
    for (auto it = section.begin(); it.NotEqual(section.end()); it.Next()) {
        if (auto* e = dynamic_cast<CEllipse*>(it.Get()))
            ends.push_back({section.Point(e->GetStartNode()), section.Point(e->GetEndNode()), e->GetFullLength(), 0.001});
        else if (auto* s = dynamic_cast<CSpline*>(it.Get()))
            ends.push_back({section.Point(s->GetNodes().front()), section.Point(s->GetNodes().back()),
                            s->GetFullLength(), 0.05});
    }
    // The section's elliptic arcs run clockwise: from the file's end to its start.
    const End expected[] = {
        {{40, 0}, {40, 0}, 193.7690, 0.001},
        {{80, 0}, {100, 40}, 48.4422, 0.001},
        {{240, 0}, {200, -20}, 48.4422, 0.001}, // the extrusion points down: the file's arc runs clockwise
        {{0, 100}, {120, 120}, 144.7048, 0.05},
    };
    ASSERT_EQ(ends.size(), std::size(expected));
    for (size_t i = 0; i < ends.size(); ++i) {
        EXPECT_NEAR(ends[i].from.x, expected[i].from.x, 1e-9) << i;
        EXPECT_NEAR(ends[i].from.y, expected[i].from.y, 1e-9) << i;
        EXPECT_NEAR(ends[i].to.x, expected[i].to.x, 1e-9) << i;
        EXPECT_NEAR(ends[i].to.y, expected[i].to.y, 1e-9) << i;
        EXPECT_NEAR(ends[i].length, expected[i].length, expected[i].tolerance) << i;
    }
}
