// File > Merge: a drawing file's layers, nodes and variables added to an
// open drawing.
#include "document/MorvekDoc.h"

#include "common/TempDir.h"
#include "platform/Prompt.h"
#include "section/Section.h"

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
