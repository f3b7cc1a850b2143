// File > Merge: a drawing file's layers, nodes and variables added to an
// open drawing.
#include "document/MorvekDoc.h"

#include "common/TempDir.h"
#include "exchange/native/NativeDrawing.h"
#include "platform/Prompt.h"
#include "section/Section.h"

#include <QtEndian>

#include <gtest/gtest.h>

namespace {

using platform::PromptResult;

int Elements(Section& section)
{
    int n = 0;
    for (auto it = section.begin(); it.NotEqual(section.end()); it.Next())
        ++n;
    return n;
}

class DocumentMerge : public testing::Test {
protected:
    // A drawing with the variable Flap = 5 and one line on nodes of its own.
    QString WriteDrawing(const QString& name)
    {
        CMorvekDoc file;
        EXPECT_TRUE(file.Variables().AddVariable(QStringLiteral("Flap"), QStringLiteral("5"), QString(), 2, true));
        file.GetSection(0)->setName(QStringLiteral("Cut"));
        (void)file.GetSection(0)->AddLine3(300, 40, 350, 90, true, 1);
        return dir_.write(name, file.WriteFile());
    }
    // The open drawing: Flap = 9 and a line of its own.
    void Prepare(CMorvekDoc& doc)
    {
        ASSERT_TRUE(doc.Variables().AddVariable(QStringLiteral("Flap"), QStringLiteral("9"), QString(), 2, true));
        (void)doc.GetSection(0)->AddLine3(0, 0, 10, 10, true, 1);
    }

    test::TempDir dir_;
    platform::ScriptedPrompt prompt_;
    platform::ScopedOverride<platform::Prompt*> promptGuard_ = platform::installPrompt(prompt_);
};

TEST_F(DocumentMerge, AddsTheFilesLayersOnItsOwnNodes)
{
    for (const PromptResult answer : {PromptResult::No, PromptResult::Yes}) {
        SCOPED_TRACE(static_cast<int>(answer));
        const QString path = WriteDrawing(QStringLiteral("box.v2.n"));
        CMorvekDoc doc;
        Prepare(doc);
        const int variables = doc.Variables().GetCount();
        prompt_.push(answer);
        ASSERT_TRUE(doc.MergeFile(path, FormulaTable::MergeNothing, QString()));

        ASSERT_EQ(doc.GetSectionCount(), 2);
        Section* merged = doc.GetSection(1);
        EXPECT_EQ(merged->getName(), QStringLiteral("box_Cut"));
        EXPECT_EQ(doc.GetCurrentSection(), merged);
        EXPECT_EQ(Elements(*doc.GetSection(0)), 1);
        EXPECT_EQ(Elements(*merged), 1);
        const SectionBorders b = merged->GetBorders(false, false, false);
        EXPECT_EQ(b.left, 300.0);
        EXPECT_EQ(b.bottom, 40.0);
        EXPECT_EQ(b.right, 350.0);
        EXPECT_EQ(b.top, 90.0);
        // Yes replaces the variable of the same name, No keeps it and renames
        // the incoming one.
        const int flap = doc.Variables().FindIndex(QStringLiteral("Flap"));
        EXPECT_EQ(doc.Variables().GetFormula(flap), answer == PromptResult::Yes ? QStringLiteral("5") : QStringLiteral("9"));
        EXPECT_EQ(doc.Variables().GetCount(), answer == PromptResult::Yes ? variables : variables + 1);
    }
    EXPECT_EQ(prompt_.unexpected(), 0);
}

TEST_F(DocumentMerge, AFileThatIsNoDrawingAddsNothing)
{
    CMorvekDoc doc;
    Prepare(doc);
    const int nodes = doc.Nodes().GetCount();
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"text.n", QByteArray("just text")},
        {"cut.n", QByteArray::fromHex("ffff0000") + QByteArray(20, '\x7f')},
    };
    for (const auto& c : cases) {
        const QString path = dir_.write(QString::fromLatin1(c.name), c.bytes);
        EXPECT_FALSE(doc.MergeFile(path, FormulaTable::MergeRename, QString())) << c.name;
    }
    EXPECT_FALSE(doc.MergeFile(dir_.file(QStringLiteral("missing.n")), FormulaTable::MergeRename, QString()));
    EXPECT_EQ(prompt_.texts().size(), 3);
    EXPECT_EQ(doc.GetSectionCount(), 1);
    EXPECT_EQ(doc.Nodes().GetCount(), nodes);
}

// A file whose variables and nodes read well but whose last layer holds a
// line on a node it does not have: the merge fails after the variables and
// nodes were taken, and must leave the drawing exactly as it was.
TEST_F(DocumentMerge, AFailedMergeChangesNothing)
{
    CMorvekDoc file;
    ASSERT_TRUE(file.Variables().AddVariable(QStringLiteral("Flap"), QStringLiteral("5"), QString(), 2, true));
    ASSERT_TRUE(file.Variables().AddVariable(QStringLiteral("Lid"), QStringLiteral("Flap*2"), QString(), 2, true));
    (void)file.GetSection(0)->AddLine3(300, 40, 350, 90, true, 1);
    ASSERT_NE(file.AppendSection(QStringLiteral("Crease")), nullptr);
    (void)file.GetSection(1)->AddLine3(300, 90, 350, 40, true, 1);
    native::Drawing drawing;
    ASSERT_TRUE(native::ReadDrawing(file.WriteFile(), drawing, nullptr));
    ASSERT_EQ(drawing.sections.size(), 2u);
    ASSERT_EQ(drawing.sections[1].elements.size(), 1u);
    QByteArray& line = drawing.sections[1].elements[0].bytes;
    qToLittleEndian<int32_t>(1000000, line.data() + 4); // the line's start node
    const QString path = dir_.write(QStringLiteral("damaged.n"), native::WriteDrawing(drawing));

    for (const PromptResult answer : {PromptResult::Yes, PromptResult::No}) {
        SCOPED_TRACE(static_cast<int>(answer));
        CMorvekDoc doc;
        Prepare(doc);
        const QByteArray before = doc.WriteDrawing();
        const int nodes = doc.Nodes().GetCount();
        Section* const current = doc.GetCurrentSection();
        prompt_.push(answer);
        prompt_.push(PromptResult::Ok); // the failure is told
        EXPECT_FALSE(doc.MergeFile(path, FormulaTable::MergeNothing, QString()));
        EXPECT_TRUE(prompt_.exhausted());
        EXPECT_EQ(doc.GetSectionCount(), 1);
        EXPECT_EQ(doc.GetCurrentSection(), current);
        EXPECT_EQ(doc.Nodes().GetCount(), nodes);
        EXPECT_EQ(doc.Variables().GetFormula(doc.Variables().FindIndex(QStringLiteral("Flap"))), QStringLiteral("9"));
        EXPECT_FALSE(doc.Variables().Exists(QStringLiteral("Lid")));
        EXPECT_TRUE(doc.WriteDrawing() == before) << "the drawing's file changed";
    }
    EXPECT_EQ(prompt_.unexpected(), 0);
}

// A node's reference it does not use may hold any number in a file (here
// the largest int32): appending the file's nodes must not move it past the
// table (it overflowed), and the merged drawing saves and loads again.
TEST_F(DocumentMerge, UnusedNodeReferencesOfTheFileAreNotShifted)
{
    CMorvekDoc doc;
    Prepare(doc);
    const QString path = QStringLiteral(MORVEK_TEST_DATA_DIR "/merge/unused_reference.n");
    ASSERT_TRUE(doc.MergeFile(path, FormulaTable::MergeRename, QString()));
    CMorvekDoc again;
    QString error;
    EXPECT_TRUE(again.LoadFile(QStringLiteral("merged.n"), doc.WriteDrawing(), &error)) << error.toStdString();
}

// A file whose node table would push the drawing's past what a drawing file
// holds is refused whole: merged, the drawing saved to a file that could not
// be read again.
TEST_F(DocumentMerge, RefusesNodesBeyondWhatAFileHolds)
{
    CMorvekDoc doc;
    Prepare(doc);
    const QByteArray before = doc.WriteDrawing();
    const QString path = QStringLiteral(MORVEK_TEST_DATA_DIR "/merge/too_many_nodes.n");
    EXPECT_FALSE(doc.MergeFile(path, FormulaTable::MergeRename, QString()));
    EXPECT_EQ(doc.WriteDrawing(), before);
}

TEST_F(DocumentMerge, RefusesToGoBeyondTheLayerLimit)
{
    const QString path = WriteDrawing(QStringLiteral("box.n"));
    CMorvekDoc doc;
    while (doc.GetSectionCount() < CMorvekDoc::kMaxSections)
        ASSERT_NE(doc.AppendSection(QStringLiteral("L")), nullptr);
    EXPECT_FALSE(doc.MergeFile(path, FormulaTable::MergeRename, QString()));
    EXPECT_EQ(doc.GetSectionCount(), CMorvekDoc::kMaxSections);
    EXPECT_EQ(prompt_.texts().size(), 1);
}

} // namespace
