// Opening another program's file through the document, as File > Open and
// File > Import do: the file read from disk, the reader chosen by the name.
#include "document/MorvekDoc.h"

#include "common/LanguageTestSupport.h"
#include "common/TempDir.h"
#include "document/GeneralLoader.h"
#include "element/Arc.h"
#include "element/ElementTypes.h"
#include "element/Line.h"
#include "element/Text.h"
#include "exchange/FormatTable.h"
#include "options/LanguageTable.h"
#include "options/Options.h"
#include "platform/Prompt.h"
#include "section/Section.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

QByteArray Fixture(const QString& name)
{
    QFile file(QStringLiteral(MORVEK_TEST_DATA_DIR "/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::vector<CElement*> Elements(const Section& section)
{
    std::vector<CElement*> out;
    for (auto it = section.begin(); it.NotEqual(section.end()); it.Next())
        out.push_back(it.Get());
    return out;
}

class DocumentImport : public ::testing::Test {
protected:
    // Opens a copy of the bytes under that name.
    bool Open(const QString& name, const QByteArray& bytes)
    {
        return doc_->OnOpenDocument(env_.dir().write(name, bytes));
    }
    die::coord Point(int node) const { return doc_->GetCurrentSection()->Point(node); }

    test::ScopedTestEnvironment env_;
    COptions options_;
    platform::ScopedOverride<COptions*> optionsGuard_ = COptions::Install(options_);
    platform::ScriptedPrompt prompt_;
    platform::ScopedOverride<platform::Prompt*> promptGuard_ = platform::installPrompt(prompt_);
    std::unique_ptr<CMorvekDoc> doc_ = std::make_unique<CMorvekDoc>(); // made with the options installed
};

TEST_F(DocumentImport, ACf2FileBecomesTheElementsOfALayerNamedAfterIt)
{
    ASSERT_TRUE(Open(QStringLiteral("placed_box.cf2"), Fixture(QStringLiteral("cf2/placed_box.cf2"))));
    EXPECT_FALSE(doc_->IsLoadRefused());
    ASSERT_EQ(doc_->GetSectionCount(), 1);
    EXPECT_EQ(doc_->GetCurrentSection()->getName(), QStringLiteral("placed_box"));
    const std::vector<CElement*> elements = Elements(*doc_->GetCurrentSection());
    ASSERT_EQ(elements.size(), 6u);
    int lines = 0, arcs = 0, texts = 0;
    for (CElement* e : elements) {
        if (auto* line = dynamic_cast<CLine*>(e)) {
            ++lines;
            EXPECT_EQ(line->GetLineType(), 1);
            EXPECT_EQ(line->GetPtg(), 2.0);
            EXPECT_EQ(line->GetAutoCount(), 2);
            EXPECT_EQ(line->GetAutoWidth(), 3.0);
        } else if (auto* arc = dynamic_cast<CArc*>(e)) {
            ++arcs;
            EXPECT_EQ(arc->GetLineType(), 3);
            EXPECT_EQ(arc->GetPtg(), 2.5);
        } else if (auto* text = dynamic_cast<CText*>(e)) {
            ++texts;
            EXPECT_EQ(text->GetLineType(), 5);
            EXPECT_EQ(text->GetText(), QStringLiteral("Box 12"));
        }
    }
    EXPECT_EQ(lines, 2);
    EXPECT_EQ(arcs, 2);
    EXPECT_EQ(texts, 2);
    // The arc of the turned copy: counter-clockwise in the file from
    // (100, 50) to (50, 0), so clockwise from (50, 0) to (100, 50).
    const auto* arc = dynamic_cast<CArc*>(elements[3]);
    ASSERT_NE(arc, nullptr);
    EXPECT_NEAR(Point(arc->GetStartNode()).x, 50.0, 1e-3);
    EXPECT_NEAR(Point(arc->GetEndNode()).y, 50.0, 1e-3);
    EXPECT_NEAR(Point(arc->GetCenterNode()).x, 100.0, 1e-3);
}

// Saving or autosaving never writes a drawing over the file it came from:
// the document has no path until Save As gives it one.
TEST_F(DocumentImport, AnImportedFileIsNeverOverwritten)
{
    const QByteArray plot = "PD;PA40,0;\n";
    ASSERT_TRUE(Open(QStringLiteral("plot.plt"), plot));
    EXPECT_TRUE(doc_->GetPathName().isEmpty());
    EXPECT_EQ(doc_->GetTitle(), QStringLiteral("plot.plt"));
    doc_->SetModifiedFlag();
    doc_->AutoSave();
    prompt_.push(platform::PromptResult::Ok); // "use Save As"
    EXPECT_FALSE(doc_->Save());
    EXPECT_EQ(env_.dir().read(QStringLiteral("plot.plt")), plot);
    EXPECT_FALSE(QFile::exists(env_.dir().file(QStringLiteral("plot_tmp.plt")))); // no autosave copy
    EXPECT_TRUE(doc_->SaveAs(env_.dir().file(QStringLiteral("plot.n"))));
    EXPECT_EQ(doc_->GetTitle(), QStringLiteral("plot.n"));
    EXPECT_EQ(env_.dir().read(QStringLiteral("plot.plt")), plot);
}

TEST_F(DocumentImport, APlotFileDrawsLinesAtFortyUnitsAMillimetre)
{
    options_.SetLineType(7);
    ASSERT_TRUE(Open(QStringLiteral("square.plt"),
                     Fixture(QStringLiteral("hpgl/square.plt")) + "SP;PU;SP4;PA0,0;SP0;PD;PA40,0;\n"));
    EXPECT_EQ(doc_->GetCurrentSection()->getName(), QStringLiteral("square"));
    const std::vector<CElement*> elements = Elements(*doc_->GetCurrentSection());
    ASSERT_EQ(elements.size(), 4u);
    const struct {
        double x1, y1, x2, y2;
        int lineType;
    } expected[] = {{0, 0, 100, 0, 1}, {100, 0, 100, 100, 1}, {100, 100, 1.025, -1.025, 2}, {0, 0, 1, 0, 0}};
    for (size_t i = 0; i < elements.size(); ++i) {
        SCOPED_TRACE(i);
        const auto* line = dynamic_cast<CLine*>(elements[i]);
        ASSERT_NE(line, nullptr);
        EXPECT_NEAR(Point(line->GetStartNode()).x, expected[i].x1, 1e-3);
        EXPECT_NEAR(Point(line->GetStartNode()).y, expected[i].y1, 1e-3);
        EXPECT_NEAR(Point(line->GetEndNode()).x, expected[i].x2, 1e-3);
        EXPECT_NEAR(Point(line->GetEndNode()).y, expected[i].y2, 1e-3);
        EXPECT_EQ(line->GetLineType(), expected[i].lineType);
    }
    // The pens chose the lines' types only: the current line type stays.
    EXPECT_EQ(options_.GetLineType(), 7);
}

TEST_F(DocumentImport, LinesBeforeAnyPenTakeTheCurrentLineType)
{
    options_.SetLineType(7);
    ASSERT_TRUE(Open(QStringLiteral("plot.PLT"), "PD;PA40,0;\n"));
    const std::vector<CElement*> elements = Elements(*doc_->GetCurrentSection());
    ASSERT_EQ(elements.size(), 1u);
    EXPECT_EQ(elements[0]->GetLineType(), 7);
}

// Arcs, circles and labels become arc and text elements; commands the
// reader skips are told once, after the figures.
TEST_F(DocumentImport, APlotFileBringsArcsLabelsAndOneReportOfWhatWasSkipped)
{
    prompt_.push(platform::PromptResult::Ok);
    ASSERT_TRUE(Open(QStringLiteral("plot.plt"), "IN;SP1;PA4000,0;PD;AA0,0,90;PU;PA0,0;CI2000;RO90;RO;BZ1,1,2,2,3,3;"
                                                  "SP2;PA400,400;SI0.2,0.3;LBHELLO\x03"));
    int arcs = 0;
    for (CElement* e : Elements(*doc_->GetCurrentSection())) {
        if (auto* arc = dynamic_cast<CArc*>(e)) {
            ++arcs;
            EXPECT_EQ(arc->GetLineType(), 1);
        } else if (auto* text = dynamic_cast<CText*>(e)) {
            EXPECT_EQ(text->GetText(), QStringLiteral("HELLO"));
            EXPECT_EQ(text->GetLineType(), 2);
        } else {
            ADD_FAILURE() << "an element of another kind";
        }
    }
    EXPECT_EQ(arcs, 2);
    EXPECT_EQ(prompt_.texts(), QStringList{Translate(CMorvekDoc::kTextHpglSkipped)}); // no language: its id
}

TEST_F(DocumentImport, APlotOfEncodedPolylinesIsRefusedWithItsReason)
{
    prompt_.push(platform::PromptResult::Ok);
    EXPECT_FALSE(Open(QStringLiteral("encoded.plt"), "IN;SP1;PE<=?;"));
    ASSERT_EQ(prompt_.texts().size(), 1);
    EXPECT_TRUE(prompt_.texts()[0].contains(QStringLiteral("encoded polylines"))) << prompt_.texts()[0].toStdString();
    EXPECT_TRUE(doc_->IsLoadRefused());
}

// A file the reader refuses is not opened as an empty drawing: the user is
// told why and the document is left as after any failed load.
TEST_F(DocumentImport, ADamagedCf2FileIsNotOpened)
{
    prompt_.push(platform::PromptResult::Ok);
    EXPECT_FALSE(Open(QStringLiteral("cut.cf2"), "L,2,1,0,0,0,5,0,0,0\nT,2,1,0,0,0,0,5,4"));
    ASSERT_EQ(prompt_.texts().size(), 1);
    EXPECT_TRUE(prompt_.texts()[0].contains(QStringLiteral("line 2: a text record without its text")))
        << prompt_.texts()[0].toStdString();
    EXPECT_TRUE(doc_->IsLoadRefused());
    ASSERT_EQ(doc_->GetSectionCount(), 1);
    EXPECT_EQ(doc_->GetSection(0)->getName(), Translate(CMorvekDoc::kTextEmptySection));
    EXPECT_TRUE(Elements(*doc_->GetSection(0)).empty());
}

} // namespace

namespace {

TEST_F(DocumentImport, ADd3FileBecomesTheElementsOfALayerNamedAfterIt)
{
    ASSERT_TRUE(Open(QStringLiteral("nested.DD3"), Fixture(QStringLiteral("dd3/nested.dd3"))));
    EXPECT_EQ(doc_->GetCurrentSection()->getName(), QStringLiteral("nested"));
    const std::vector<CElement*> elements = Elements(*doc_->GetCurrentSection());
    ASSERT_EQ(elements.size(), 8u);
    EXPECT_EQ(elements[0]->GetTypeId(), ElementTypeId::Line);
    EXPECT_EQ(elements[0]->GetAutoCount(), 2);
    EXPECT_EQ(elements[3]->GetLineType(), 4);
}

} // namespace

namespace {

const QByteArray kOldLayout = "D]41111]box.n]\r\nU]M]\r\nS]1]]b]2]1]0]0]0]0]\r\nI]1]]]]1]1]\r\n"
                              "L]1]0]0]40]0]8]2.5]3]4]\r\n*]\r\n";

} // namespace

// Bridges as the file gives them: a CF2 count of 0 gives none (by count),
// a count above 0 that many, DDES3 BRIDGE records bridges by hand where
// they stand; no imported rule takes bridges by rule.
TEST_F(DocumentImport, ImportedRulesTakeTheBridgesTheFileGives)
{
    ASSERT_TRUE(Open(QStringLiteral("count.cf2"), "$BOF\nV2\nORDER\nMAIN,count\nUM\nSCALE,1,1\n"
                                                  "L,2,1,0,0,0,50,0,0,0\nL,2,1,0,0,10,50,10,2,3\nEND\n$EOF\n"));
    std::vector<CElement*> elements = Elements(*doc_->GetCurrentSection());
    ASSERT_EQ(elements.size(), 2u);
    EXPECT_EQ(elements[0]->GetBridgeMode(), BridgeMode::ByCount);
    EXPECT_EQ(elements[0]->GetAutoCount(), 0);
    EXPECT_EQ(elements[0]->GetBridges().Count(), 0);
    EXPECT_EQ(elements[1]->GetBridgeMode(), BridgeMode::ByCount);
    EXPECT_EQ(elements[1]->GetAutoCount(), 2);

    doc_ = std::make_unique<CMorvekDoc>();
    QString error;
    ASSERT_TRUE(doc_->LoadFile(QStringLiteral("hand.dd3"), "DDES3.0\nM\nSIZE 0 0 500 500\nDESIGN main 1 2 box\nLINE l1 0 0 150 0 1 0 P2 -1\n"
                                                 "BRIDGE L 3 40\nBRIDGE L 3 110\nEND\n", &error))
        << error.toStdString();
    elements = Elements(*doc_->GetCurrentSection());
    ASSERT_EQ(elements.size(), 1u);
    EXPECT_EQ(elements[0]->GetBridgeMode(), BridgeMode::ByHand);
    const BridgeList& bridges = elements[0]->GetBridges();
    ASSERT_EQ(bridges.Count(), 2);
    EXPECT_DOUBLE_EQ(bridges[0].position, 40.0);
    EXPECT_DOUBLE_EQ(bridges[1].position, 110.0);
    EXPECT_DOUBLE_EQ(bridges[0].width, 3.0);
}

// A file that makes no figure is not opened as an empty drawing; values no
// drawing can hold are left out, line types out of range clamped, and both
// told once after the open.
TEST_F(DocumentImport, FilesWithoutFiguresAreRefusedAndAbsurdValuesCounted)
{
    struct Case {
        const char* name;
        QByteArray bytes;
        const char* note;
    };
    const Case refused[] = {
        {"huge.cf2", "$BOF\nV2\nORDER\nMAIN,huge\nUM\nL,2,1,0,0,0,1e999,0,0,0\nEND\n$EOF\n",
         "1 figures with values out of range were left out"},
        {"empty.dd3", "DDES3.0\nM\nSIZE 0 0 500 500\nDESIGN main 1 2 box\nEND\n", nullptr},
        {"empty.plt", "IN;SP1;PU;", nullptr},
    };
    test::ScopedLanguage language(env_, "[2351]\nENG=no figures found in %s\n"
                                        "[2357]\nENG=%d figures with values out of range were left out\n"
                                        "[2358]\nENG=%d line types out of range were clamped\n");
    for (const Case& c : refused) {
        doc_ = std::make_unique<CMorvekDoc>();
        QString error;
        EXPECT_FALSE(doc_->LoadFile(QString::fromLatin1(c.name), c.bytes, &error)) << c.name;
        QString expected = QStringLiteral("no figures found in %1").arg(QLatin1String(c.name));
        if (c.note)
            expected += QLatin1Char('\n') + QLatin1String(c.note);
        EXPECT_EQ(error, expected) << c.name;
        EXPECT_TRUE(doc_->IsLoadRefused()) << c.name;
    }

    doc_ = std::make_unique<CMorvekDoc>();
    QString error;
    ASSERT_TRUE(doc_->LoadFile(QStringLiteral("pen.cf2"),
                               "$BOF\nV2\nORDER\nMAIN,pen\nUM\nL,2,2147483647,0,0,0,50,0,0,0\n"
                               "L,2,1,0,nan,0,1e308,0,0,0\nEND\n$EOF\n",
                               &error))
        << error.toStdString();
    const std::vector<CElement*> elements = Elements(*doc_->GetCurrentSection());
    ASSERT_EQ(elements.size(), 1u);
    EXPECT_EQ(elements[0]->GetLineType(), general_loader::kHighestLineType);
    EXPECT_EQ(doc_->ImportNotes(), QStringList({QStringLiteral("1 figures with values out of range were left out"),
                                                QStringLiteral("1 line types out of range were clamped")}));
    EXPECT_EQ(prompt_.texts(), QStringList({doc_->ImportNotes().join(QLatin1Char('\n'))}));
}

// The format is chosen by content before the name: a plot file named
// ".hp" reads as HP-GL, a ".plt" file in the older text layout as that.
TEST_F(DocumentImport, TheFormatTableChoosesByContentThenByName)
{
    ASSERT_TRUE(Open(QStringLiteral("plot.hp"), "IN;SP1;PD;PA40,0;\n"));
    ASSERT_EQ(Elements(*doc_->GetCurrentSection()).size(), 1u);

    doc_ = std::make_unique<CMorvekDoc>();
    ASSERT_TRUE(Open(QStringLiteral("old.plt"), kOldLayout));
    ASSERT_EQ(Elements(*doc_->GetCurrentSection()).size(), 1u);
    EXPECT_EQ(Elements(*doc_->GetCurrentSection())[0]->GetLineType(), 8);

    struct Case {
        const char* name;
        const char* head;
        exchange::FormatId id;
    };
    const Case cases[] = {
        {"a.dxf", "garbage", exchange::FormatId::Dxf},
        {"a.txt", "  0\r\nSECTION\r\n", exchange::FormatId::Dxf},
        {"a.dat", "AutoCAD Binary DXF\r\n\x1a", exchange::FormatId::Dxf},
        {"a.n", "$BOF\nV2\n", exchange::FormatId::Cf2},
        {"a.x", "DDES3.0\nM\n", exchange::FormatId::Dd3},
        {"a.HPGL", "anything", exchange::FormatId::Hpgl},
        {"a.prn", "\x1b%-12345X@PJL\n", exchange::FormatId::Hpgl},
        {"a.n", "hello", exchange::FormatId::OldText},
    };
    for (const Case& c : cases)
        EXPECT_EQ(exchange::FormatOf(QString::fromLatin1(c.name), QByteArrayView(c.head)).id, c.id) << c.name;
}

// File > Merge of a drawing in the older text layout: its figures go into a
// new layer named after the file, which becomes current.
TEST_F(DocumentImport, MergingAnOlderLayoutDrawingAddsALayer)
{
    ASSERT_TRUE(Open(QStringLiteral("placed_box.cf2"), Fixture(QStringLiteral("cf2/placed_box.cf2"))));
    const int before = doc_->GetSectionCount();
    const QString path = env_.dir().write(QStringLiteral("old.box.n"), kOldLayout);
    EXPECT_TRUE(doc_->MergeFile(path, FormulaTable::MergeRename, QString()));
    ASSERT_EQ(doc_->GetSectionCount(), before + 1);
    EXPECT_EQ(doc_->GetCurrentSection()->getName(), QStringLiteral("old"));
    ASSERT_EQ(Elements(*doc_->GetCurrentSection()).size(), 1u);
    EXPECT_EQ(prompt_.texts(), QStringList());
}
