#include "document/MorvekDoc.h"

#include "element/Arc.h"
#include "element/Ellipse.h"
#include "element/Line.h"
#include "element/Measure.h"
#include "element/Spline.h"
#include "element/Text.h"
#include "element/NodePoint.h"
#include "exchange/native/NativeFixture.h"
#include "options/LanguageTable.h"
#include "platform/Prompt.h"
#include "section/Section.h"

#include <gtest/gtest.h>

namespace {

// Two sections with lines, arcs and instances over a parametric node, one
// extra variable, and holes in the node table left by a deleted line.
void BuildDrawing(CMorvekDoc& doc)
{
    ASSERT_TRUE(doc.Variables().AddVariable(QStringLiteral("Flap"), QStringLiteral("A/2+3"), QStringLiteral("flap"),
                                            3, true));
    Section* first = doc.GetSection(0);
    (void)first->AddLine3(0, 0, 100, 0, true, 1);
    auto gone = first->AddLine3(200, 200, 300, 300, true, 1);
    (void)first->AddArc3(50, 0, 100, 0, 0, 0, true, 1);
    first->DeleteElement(gone.Get());
    first->NewInstance(120.0, 0.0, 0.0);
    first->NewInstance(0.0, 80.0, 180.0);
    Section* second = doc.AppendSection(QStringLiteral("Zweite Lage"));
    ASSERT_NE(second, nullptr);
    const int base = doc.Nodes().AddPoint(10, 10, false);
    CNodePoint offset(&doc.Variables(), &doc.Nodes());
    offset.MakeOffset(doc.Nodes().GetNode(base), QStringLiteral("Flap"), QStringLiteral("0"));
    (void)doc.Nodes().AddNode(offset, false);
    (void)second->AddLine3(10, 10, 10, 50, true, 1);
    (void)second->AddArc3(0, 0, 30, 0, 0, 30, true, 1);
    second->SetLocked(true);
    second->GetRows().count = 4;
    second->GetRows().rotateAlternate = true;
    second->GetColumns().gap1 = 12.5;
    doc.SetCurrentSection(1);
    // Instances turn about the middle of their section, as after reading.
    (void)first->SetCenterOfInstances();
    (void)second->SetCenterOfInstances();
}

TEST(DocumentFile, DrawingRoundTripsByteForByte)
{
    CMorvekDoc doc;
    BuildDrawing(doc);
    const QByteArray written = doc.WriteFile();

    CMorvekDoc read;
    QString error;
    ASSERT_TRUE(read.LoadFile(QStringLiteral("box.n"), written, &error)) << error.toStdString();
    const QByteArray again = read.WriteFile();
    EXPECT_EQ(again.size(), written.size());
    EXPECT_TRUE(again == written) << "first difference at "
                                  << std::mismatch(again.begin(), again.end(), written.begin(), written.end()).first
            - again.begin();

    ASSERT_EQ(read.GetSectionCount(), 2);
    EXPECT_EQ(read.GetCurrentSectionIndex(), 1);
    EXPECT_EQ(read.GetSection(1)->getName(), QStringLiteral("Zweite Lage"));
    EXPECT_TRUE(read.GetSection(1)->IsLocked());
    EXPECT_EQ(read.GetSection(1)->GetRows().count, 4);
    EXPECT_EQ(read.GetSection(1)->GetColumns().gap1, 12.5);
    ASSERT_EQ(read.GetSection(0)->GetInstanceCount(), 3);
    EXPECT_EQ(read.GetSection(0)->GetInstance(2).angle, 180.0);
    EXPECT_EQ(read.GetSection(0)->GetInstance(2).dy, 80.0);
    EXPECT_EQ(read.Nodes().GetCount(), doc.Nodes().GetCount());
    for (int i = 0; i < doc.Nodes().GetCount(); ++i)
        EXPECT_EQ(read.Nodes().GetNode(i) != nullptr, doc.Nodes().GetNode(i) != nullptr) << i;
    EXPECT_EQ(read.Variables().GetFormula(read.Variables().GetCount() - 1), QStringLiteral("A/2+3"));
    int elements = 0;
    for (auto it = read.GetSection(0)->begin(); it.NotEqual(read.GetSection(0)->end()); it.Next())
        ++elements;
    EXPECT_EQ(elements, 2); // the deleted line's slot is not kept
}

// Ellipses, splines, texts and dimensions are read back as they were
// written.
TEST(DocumentFile, EveryElementTypeRoundTripsByteForByte)
{
    CMorvekDoc doc;
    Section* s = doc.GetSection(0);
    NodeTable& n = doc.Nodes();
    const int c = n.AddPoint(0, 0, true);
    const int a = n.AddPoint(20, 0, true);
    const int b = n.AddPoint(0, 10, true);
    const int p = n.AddPoint(-20, 0, true);

    auto ellipse = std::make_unique<CEllipse>(&n, nullptr, 0);
    ellipse->SetCentreNode(c);
    ellipse->SetMajorNode(a);
    ellipse->SetMinorNode(b);
    ellipse->SetStartNode(a);
    ellipse->SetEndNode(p);
    auto spline = std::make_unique<CSpline>(&n, nullptr, 0);
    for (int node : {a, b, p})
        spline->AddNode(node);
    spline->SetSamplesPerSegment(7);
    auto text = std::make_unique<CText>(&n, nullptr, 0);
    text->SetNodes(b, c, a);
    text->SetText(QStringLiteral("Klappe Ä"));
    text->SetMirrored(1);
    auto measure = std::make_unique<CMeasure>(&n, nullptr, 0);
    measure->SetKind(1204);
    measure->SetNodes(a, b, c, p);
    measure->SetInstances({1, 2, 0});
    const int32_t types[] = {ElementTypeId::Ellipse, ElementTypeId::Spline, ElementTypeId::Text,
                             ElementTypeId::Measure};
    (void)s->AddBuilt(std::move(ellipse));
    (void)s->AddBuilt(std::move(spline));
    (void)s->AddBuilt(std::move(text));
    (void)s->AddBuilt(std::move(measure));
    const QByteArray written = doc.WriteFile();

    CMorvekDoc read;
    QString error;
    ASSERT_TRUE(read.LoadFile(QStringLiteral("all.n"), written, &error)) << error.toStdString();
    EXPECT_TRUE(read.WriteFile() == written);
    int i = 0;
    for (auto it = read.GetSection(0)->begin(); it.NotEqual(read.GetSection(0)->end()); it.Next(), ++i) {
        ASSERT_LT(i, 4);
        EXPECT_EQ(it.Get()->GetTypeId(), types[i]);
    }
    EXPECT_EQ(i, 4);
    const auto* loaded = dynamic_cast<const CSpline*>(read.GetSection(0)->GetElement(1));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->GetSamplesPerSegment(), 7);
}

// A dimension from a node to itself under one instance number is read over
// and dropped; under two instance numbers it is kept.
TEST(DocumentFile, DimensionsThatMeasureNothingAreDropped)
{
    CMorvekDoc doc;
    Section* s = doc.GetSection(0);
    const int a = doc.Nodes().AddPoint(0, 0, true);
    const int l = doc.Nodes().AddPoint(5, 5, true);
    for (const std::array<int, 3>& instances : {std::array<int, 3>{0, 0, 0}, std::array<int, 3>{0, 1, 0}}) {
        auto measure = std::make_unique<CMeasure>(&doc.Nodes(), nullptr, 0);
        measure->SetKind(1201);
        measure->SetNodes(a, a, -1, l);
        measure->SetInstances(instances);
        (void)s->AddBuilt(std::move(measure));
    }
    CMorvekDoc read;
    QString error;
    ASSERT_TRUE(read.LoadFile(QStringLiteral("m.n"), doc.WriteFile(), &error)) << error.toStdString();
    std::vector<std::array<int, 3>> kept;
    for (auto it = read.GetSection(0)->begin(); it.NotEqual(read.GetSection(0)->end()); it.Next())
        kept.push_back(dynamic_cast<const CMeasure&>(*it.Get()).GetInstances());
    EXPECT_EQ(kept, (std::vector<std::array<int, 3>>{{0, 1, 0}}));
}

TEST(DocumentFile, SavingDropsIdleNodesAndNullLengthLines)
{
    CMorvekDoc doc;
    const int idle = doc.Nodes().AddPoint(77, 77, false);
    Section* s = doc.GetSection(0);
    auto kept = s->AddLine3(0, 0, 5, 0, true, 1);
    auto* line = static_cast<CLine*>(kept.Get());
    const int end = line->GetEndNode();
    // A second line made null: both ends on one position.
    auto nullLine = s->AddLine3(1, 1, 2, 2, true, 1);
    auto* shrunk = static_cast<CLine*>(nullLine.Get());
    shrunk->SetEndNode(shrunk->GetStartNode());
    (void)doc.WriteFile();
    EXPECT_EQ(doc.Nodes().GetNode(idle), nullptr);
    EXPECT_NE(doc.Nodes().GetNode(end), nullptr);
    int lines = 0;
    for (auto it = s->begin(); it.NotEqual(s->end()); it.Next())
        ++lines;
    EXPECT_EQ(lines, 1);
    ASSERT_FALSE(doc.Undo().NextUndo() == nullptr);
    EXPECT_EQ(doc.Undo().NextUndo()->title, CMorvekDoc::kTextSaveCleanup);
}

// A node of a kind this program does not know stands at the origin; the
// open says so once.
TEST(DocumentFile, NodesOfUnknownKindAreToldOnce)
{
    QByteArray bytes = nativetest::OldFile({15});
    // The last node's references (-1, -1) and its kind 600.
    const QByteArray absolute("\xff\xff\xff\xff\xff\xff\xff\xff\x58\x02\x00\x00", 12);
    const qsizetype at = bytes.lastIndexOf(absolute);
    ASSERT_GT(at, 0);
    bytes.replace(at + 8, 4, QByteArray("\x09\x03\x00\x00", 4)); // kind 777
    platform::ScriptedPrompt prompt{platform::PromptResult::Ok};
    const auto usePrompt = platform::installPrompt(prompt);
    CMorvekDoc doc;
    QString error;
    ASSERT_TRUE(doc.LoadFile(QStringLiteral("odd.n"), bytes, &error)) << error.toStdString();
    EXPECT_EQ(prompt.texts(), QStringList{Translate(CMorvekDoc::kTextUnknownNodeKinds)}); // no language: its id
    EXPECT_EQ(doc.Nodes().GetNode(2)->GetKind(), 777);
}

// Older files load with the defaults of the fields they lack.
TEST(DocumentFile, OlderVersionsLoadWithTheirGates)
{
    for (int v : {1, 3, 4, 7, 14}) {
        SCOPED_TRACE(v);
        CMorvekDoc doc;
        QString error;
        ASSERT_TRUE(doc.LoadFile(QStringLiteral("old.n"), nativetest::OldFile({v}), &error)) << error.toStdString();
        EXPECT_EQ(doc.GetFileVersion(), v);
        Section* s = doc.GetSection(0);
        EXPECT_EQ(s->IsLocked(), v >= 3);
        EXPECT_EQ(s->GetRows().count, v >= 7 ? 3 : 1);
        EXPECT_EQ(s->GetRows().angle, v >= 7 ? 90.0 : 180.0);
        auto it = s->begin();
        ASSERT_NE(it.Get(), nullptr);
        EXPECT_EQ(it.Get()->GetTypeId(), ElementTypeId::Line);
        EXPECT_EQ(it.Get()->GetNotInstanced(), v >= 4 ? 1 : 0);
        EXPECT_EQ(it.Get()->GetLineType(), 3);
        it.Next();
        ASSERT_NE(it.Get(), nullptr);
        EXPECT_EQ(it.Get()->GetTypeId(), ElementTypeId::Arc);
    }
}

void ExpectFailedLoadState(CMorvekDoc& doc)
{
    EXPECT_TRUE(doc.IsLoadRefused());
    ASSERT_EQ(doc.GetSectionCount(), 1);
    EXPECT_EQ(doc.GetCurrentSection(), doc.GetSection(0));
    EXPECT_EQ(doc.GetSection(0)->getName(), Translate(CMorvekDoc::kTextEmptySection));
    EXPECT_EQ(doc.GetSection(0)->begin().Get(), nullptr);
    EXPECT_EQ(doc.Variables().GetCount(), 6);
    EXPECT_EQ(doc.Nodes().GetCount(), 30);
    EXPECT_NE(doc.Nodes().GetNode(doc.GetOriginNode()), nullptr);
    EXPECT_EQ(doc.GetFileVersion(), 15);
}

TEST(DocumentFile, EveryTruncatedFileFailsIntoAnEmptyDrawing)
{
    CMorvekDoc source;
    (void)source.GetSection(0)->AddLine3(0, 0, 10, 0, true, 1);
    (void)source.GetSection(0)->AddArc3(0, 0, 10, 0, 0, 10, true, 1);
    const QByteArray whole = source.WriteFile();
    for (qsizetype n = 0; n < whole.size(); ++n) {
        SCOPED_TRACE(n);
        CMorvekDoc doc;
        doc.Remembered().penX = 4.0;
        QString error;
        EXPECT_FALSE(doc.LoadFile(QStringLiteral("cut.n"), whole.left(n), &error));
        EXPECT_FALSE(error.isEmpty());
        ExpectFailedLoadState(doc);
        EXPECT_EQ(doc.Remembered().penX, 0.0);
    }
}

// Files this version cannot build yet are refused by name, never opened as
// an empty drawing.
TEST(DocumentFile, FilesNotReadableYetAreRefusedWithTheirReason)
{
    const struct {
        const char* name;
        QByteArray bytes;
        const char* reason;
    } cases[] = {
        {"layout.dxf", nativetest::OldFile({15}), "a group code was expected"}, // no DXF text
        {"die.Dd3", QByteArray(), "defines no block"},
        {"cut.cf2", QByteArray("T,2,1,0,0,0,0,5,4"), "text record without its text"},
        {"standard.nst", QByteArray("\xFF\x0F\x00\x00", 4), "extended standard"},
        {"old.n", QByteArray("D]1]2]\nL]1]0]0]1]1]1]0]500]"), "line 2: a bridge count"},
        {"empty.n", QByteArray(), "older text layout"},
        {"new.n", nativetest::OldFile({16}), "newer"},
        {"many.n", nativetest::OldFile({15, 103}), "at most 102"},
        {"odd.n", nativetest::OldFile({15, 1, 10}), "unknown element type 10"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CMorvekDoc doc;
        QString error;
        EXPECT_FALSE(doc.LoadFile(QString::fromLatin1(c.name), c.bytes, &error));
        EXPECT_TRUE(error.contains(QLatin1String(c.reason))) << error.toStdString();
        ExpectFailedLoadState(doc);
    }
}

// A drawing in the older text layout: every placed figure an element of
// the current section, which takes the file's title.
TEST(DocumentFile, OlderTextLayoutOpensAsElements)
{
    CMorvekDoc doc;
    QString error;
    ASSERT_TRUE(doc.LoadFile(QStringLiteral("/dies/Box 12.n"),
                             QByteArray("D]41111]Box 12.n]\r\nU]M]\r\nS]1]]b]2]1]0]0]0]0]\r\nI]1]]]]1]1]\r\n"
                                        "I]2]100]0]90]1]1]\r\nL]1]0]0]40]0]8]2.5]3]4]\r\nL]2]5]5]5]5]1]0]0]0]\r\n"
                                        "A]3]10]0]0]10]2]0]0]0]]]0]0]10]\r\n*]\r\nT]4]2]3]1]0]17]7]1]2]30]\r\nAb]\r\n*]\r\n"),
                             &error))
        << error.toStdString();
    EXPECT_FALSE(doc.IsLoadRefused());
    ASSERT_EQ(doc.GetSectionCount(), 1);
    Section* s = doc.GetCurrentSection();
    EXPECT_EQ(s->getName(), QStringLiteral("Box 12"));
    std::vector<CElement*> elements;
    for (CElement* e : *s)
        elements.push_back(e);
    // Two lines and two arcs (the line of no length makes nothing), a text.
    ASSERT_EQ(elements.size(), 5u);
    for (int i : {0, 1}) {
        SCOPED_TRACE(i);
        EXPECT_EQ(elements[static_cast<size_t>(i)]->GetTypeId(), ElementTypeId::Line);
        EXPECT_EQ(elements[static_cast<size_t>(i)]->GetLineType(), 8);
        EXPECT_DOUBLE_EQ(elements[static_cast<size_t>(i)]->GetPtg(), 2.5);
        EXPECT_EQ(elements[static_cast<size_t>(i)]->GetBridgeMode(), BridgeMode::ByCount);
        EXPECT_EQ(elements[static_cast<size_t>(i)]->GetAutoCount(), 3);
        EXPECT_DOUBLE_EQ(elements[static_cast<size_t>(i)]->GetAutoWidth(), 4.0);
    }
    // An arc without bridges keeps none: bridges by count, none counted.
    EXPECT_EQ(elements[2]->GetTypeId(), ElementTypeId::Arc);
    EXPECT_EQ(elements[2]->GetBridgeMode(), BridgeMode::ByCount);
    EXPECT_EQ(elements[2]->GetAutoCount(), 0);
    EXPECT_EQ(elements[4]->GetTypeId(), ElementTypeId::Text);
    EXPECT_EQ(elements[4]->GetLineType(), 7);
    EXPECT_EQ(static_cast<CText*>(elements[4])->GetText(), QStringLiteral("Ab"));
}

// A line on a node the file does not hold fails the load instead of
// pointing into nothing.
TEST(DocumentFile, ElementsOnMissingNodesFailTheLoad)
{
    QByteArray file = nativetest::OldFile({15});
    nativetest::FixtureOptions o;
    // The line's start node is the first int32 after its type id; the line
    // record starts after the section header and the two instances.
    const QByteArray line = [] {
        platform::BinaryWriter w;
        w.writeInt32(ElementTypeId::Line);
        w.writeInt32(1);
        w.writeInt32(2);
        return w.take();
    }();
    const qsizetype at = file.indexOf(line);
    ASSERT_GT(at, 0);
    file[at + 4] = 29; // slot 29: beyond the three slots of the file
    CMorvekDoc doc;
    QString error;
    EXPECT_FALSE(doc.LoadFile(QStringLiteral("x.n"), file, &error));
    EXPECT_TRUE(error.contains(QLatin1String("missing node"))) << error.toStdString();
    ExpectFailedLoadState(doc);
}

} // namespace
