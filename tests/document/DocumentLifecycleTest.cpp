#include "document/MorvekDoc.h"

#include "common/SmallDisk.h"
#include "common/TempDir.h"
#include "document/DocumentPaths.h"
#include "element/NodePoint.h"
#include "platform/Prompt.h"
#include "section/Section.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

using platform::PromptResult;

int ElementCount(const CMorvekDoc& doc)
{
    int n = 0;
    for (int s = 0; s < doc.GetSectionCount(); ++s) {
        for (auto it = doc.GetSection(s)->begin(); it.NotEqual(doc.GetSection(s)->end()); it.Next())
            ++n;
    }
    return n;
}

// A drawing of n lines written to the path.
QByteArray DrawingOf(int lines)
{
    CMorvekDoc doc;
    for (int i = 0; i < lines; ++i)
        (void)doc.GetSection(0)->AddLine3(0, i, 10, i, true, 1);
    return doc.WriteFile();
}

TEST(DocumentPaths, AutosaveCopySitsBesideTheFile)
{
    const struct {
        const char* path;
        const char* copy;
    } cases[] = {
        {"C:\\A\\BOX.N", "c:\\a\\box_tmp.n"},
        {"C:\\A\\Box.n", "C:\\A\\Box_tmp.n"},
        {"D:\\Dies\\Box12.n", "D:\\Dies\\Box12_tmp.n"},
        {"/work/dies.v2/plate", "/work/dies.v2/plate_tmp"},
        {"/work/12.5", "/work/12_tmp.5"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(docpath::AutosaveName(QString::fromLatin1(c.path)), QString::fromLatin1(c.copy)) << c.path;
    EXPECT_EQ(docpath::Extension(QStringLiteral("/a.b/c")), QString());
}

class DocumentLifecycle : public ::testing::Test {
protected:
    QString Write(const QString& name, const QByteArray& bytes) { return dir.write(name, bytes); }

    test::TempDir dir;
    platform::ScriptedPrompt prompt;
    platform::ScopedOverride<platform::Prompt*> promptGuard = platform::installPrompt(prompt);
};

TEST_F(DocumentLifecycle, OpeningOffersTheAutosaveCopy)
{
    for (const PromptResult answer : {PromptResult::Yes, PromptResult::No}) {
        SCOPED_TRACE(static_cast<int>(answer));
        const QString path = Write(QStringLiteral("box.n"), DrawingOf(1));
        const QString copy = Write(QStringLiteral("box_tmp.n"), DrawingOf(3));
        prompt.push(answer);
        CMorvekDoc doc;
        ASSERT_TRUE(doc.OnOpenDocument(path));
        EXPECT_EQ(prompt.texts().size(), answer == PromptResult::Yes ? 1 : 2);
        EXPECT_EQ(doc.GetTempFileName(), copy);
        if (answer == PromptResult::Yes) {
            EXPECT_EQ(ElementCount(doc), 3);
            EXPECT_FALSE(QFile::exists(copy));
            EXPECT_EQ(dir.read(QStringLiteral("box.n")), DrawingOf(3));
        } else {
            EXPECT_EQ(ElementCount(doc), 1);
            EXPECT_TRUE(QFile::exists(copy));
            QFile::remove(copy);
        }
    }
    EXPECT_EQ(prompt.unexpected(), 0);
}

TEST_F(DocumentLifecycle, ADamagedFileIsNotOpenedAndTheUserIsTold)
{
    const QString path = Write(QStringLiteral("cut.n"), DrawingOf(2).left(60));
    CMorvekDoc doc;
    EXPECT_FALSE(doc.OnOpenDocument(path));
    ASSERT_EQ(prompt.texts().size(), 1);
    EXPECT_TRUE(prompt.texts()[0].contains(QStringLiteral("cut.n")));
    EXPECT_TRUE(doc.IsLoadRefused());
    EXPECT_FALSE(doc.OnOpenDocument(dir.file(QStringLiteral("missing.n"))));
    EXPECT_EQ(prompt.texts().size(), 2);
}

TEST_F(DocumentLifecycle, SavingAddsTheExtensionAndRefusesExtendedStandards)
{
    CMorvekDoc doc;
    (void)doc.GetSection(0)->AddLine3(0, 0, 5, 5, true, 1);
    doc.SetModifiedFlag();
    EXPECT_FALSE(doc.Save()) << "an untitled drawing needs Save As";
    EXPECT_EQ(prompt.texts().size(), 1);

    ASSERT_TRUE(doc.SaveAs(dir.file(QStringLiteral("plate"))));
    EXPECT_EQ(doc.GetPathName(), dir.file(QStringLiteral("plate.n")));
    EXPECT_TRUE(QFile::exists(dir.file(QStringLiteral("plate.n"))));
    EXPECT_FALSE(doc.IsModified());

    EXPECT_FALSE(doc.SaveAs(dir.file(QStringLiteral("std.NST"))));
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("std.NST"))));
    EXPECT_EQ(prompt.texts().size(), 2);
    EXPECT_EQ(doc.GetPathName(), dir.file(QStringLiteral("plate.n")));
}

TEST_F(DocumentLifecycle, AFailedSaveKeepsTheOldFileAndSaysSo)
{
    const QString blocker = Write(QStringLiteral("folder"), QByteArray("a file, not a folder"));
    CMorvekDoc doc;
    doc.SetModifiedFlag();
    EXPECT_FALSE(doc.SaveAs(blocker + QStringLiteral("/box.n")));
    ASSERT_EQ(prompt.texts().size(), 1);
    EXPECT_TRUE(prompt.texts()[0].contains(QStringLiteral("could not be saved")));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(doc.GetPathName().isEmpty());
    EXPECT_EQ(dir.read(QStringLiteral("folder")), QByteArray("a file, not a folder"));
}

TEST_F(DocumentLifecycle, AnUntitledDrawingIsNeverAutosaved)
{
    CMorvekDoc doc;
    doc.SetModifiedFlag();
    doc.AutoSave();
    EXPECT_FALSE(doc.IsAutosaved());
    EXPECT_TRUE(doc.GetTempFileName().isEmpty());
}

TEST_F(DocumentLifecycle, ClosingAfterAnAutosaveAsksToSave)
{
    for (const PromptResult answer : {PromptResult::No, PromptResult::Yes}) {
        SCOPED_TRACE(static_cast<int>(answer));
        const QString path = Write(QStringLiteral("box.n"), DrawingOf(1));
        CMorvekDoc doc;
        ASSERT_TRUE(doc.OnOpenDocument(path));
        (void)doc.GetSection(0)->AddLine3(50, 50, 60, 60, true, 1);
        doc.SetModifiedFlag();
        doc.AutoSave();
        const QString copy = dir.file(QStringLiteral("box_tmp.n"));
        EXPECT_TRUE(QFile::exists(copy));
        EXPECT_EQ(doc.GetPathName(), path);
        EXPECT_TRUE(doc.IsModified()) << "the copy does not stand for the file";
        EXPECT_TRUE(doc.IsAutosaved());
        EXPECT_EQ(dir.read(QStringLiteral("box.n")), DrawingOf(1));

        const int asked = static_cast<int>(prompt.texts().size());
        prompt.push(answer);
        EXPECT_TRUE(doc.OnCloseDocument());
        EXPECT_EQ(prompt.texts().size(), asked + 1);
        EXPECT_FALSE(QFile::exists(copy));
        CMorvekDoc reread;
        ASSERT_TRUE(reread.OnOpenDocument(path));
        EXPECT_EQ(ElementCount(reread), answer == PromptResult::Yes ? 2 : 1);
    }
    EXPECT_EQ(prompt.unexpected(), 0);
}

// A save that fails at close keeps the drawing open and its autosave copy;
// Cancel keeps both too, and only No lets the copy go unsaved.
TEST_F(DocumentLifecycle, AFailedSaveAtCloseKeepsTheAutosaveCopy)
{
    const QString path = Write(QStringLiteral("box.n"), DrawingOf(1));
    CMorvekDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(path));
    (void)doc.GetSection(0)->AddLine3(50, 50, 60, 60, true, 1);
    doc.SetModifiedFlag();
    doc.AutoSave();
    const QString copy = dir.file(QStringLiteral("box_tmp.n"));
    const QByteArray autosaved = dir.read(QStringLiteral("box_tmp.n"));
    ASSERT_FALSE(autosaved.isEmpty());
    // The file's place is taken by a folder: no save can write it.
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QDir().mkdir(path));

    for (const PromptResult answer : {PromptResult::Yes, PromptResult::Cancel}) {
        SCOPED_TRACE(static_cast<int>(answer));
        prompt.push(answer);
        if (answer == PromptResult::Yes)
            prompt.push(PromptResult::Ok); // the failed save says so
        EXPECT_FALSE(doc.OnCloseDocument());
        EXPECT_TRUE(prompt.exhausted());
        EXPECT_EQ(dir.read(QStringLiteral("box_tmp.n")), autosaved);
        EXPECT_EQ(doc.GetTempFileName(), copy);
        EXPECT_TRUE(doc.IsAutosaved());
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ(ElementCount(doc), 2);
    }
    prompt.push(PromptResult::No);
    EXPECT_TRUE(doc.OnCloseDocument());
    EXPECT_FALSE(QFile::exists(copy));
    EXPECT_TRUE(doc.GetTempFileName().isEmpty());
    EXPECT_EQ(prompt.unexpected(), 0);
}

// On a full disk the save fails and says why; the file on disk and the
// autosave copy stay byte for byte. Recovering a copy onto the full disk
// keeps the copy too.
TEST_F(DocumentLifecycle, AFullDiskKeepsTheFileAndTheAutosaveCopy)
{
    test::SmallDisk disk(dir.file(QStringLiteral("disk")));
    const QString path = disk.folder() + QStringLiteral("/box.n");
    const QString copy = disk.folder() + QStringLiteral("/box_tmp.n");
    ASSERT_TRUE(platform::writeFileAtomically(path, DrawingOf(1)));
    CMorvekDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(path));
    for (int i = 0; i < 12; ++i)
        (void)doc.GetSection(0)->AddLine3(50, 50 + i, 60, 60, true, 1);
    doc.SetModifiedFlag();
    doc.AutoSave();
    ASSERT_TRUE(QFile::exists(copy));
    QFile copyFile(copy);
    ASSERT_TRUE(copyFile.open(QIODevice::ReadOnly));
    const QByteArray copyBytes = copyFile.readAll();
    copyFile.close();
    ASSERT_GT(copyBytes.size(), 1000) << "a drawing of about 1.3 KB, below the write buffer";
    disk.Fill();

    prompt.push(PromptResult::Ok);
    EXPECT_FALSE(doc.Save());
    ASSERT_EQ(prompt.texts().size(), 1);
    EXPECT_TRUE(prompt.texts()[0].contains(QStringLiteral("no space left on the disk"))) << prompt.texts()[0].toStdString();
    EXPECT_TRUE(doc.IsModified());
    auto bytesOf = [](const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
    };
    EXPECT_EQ(bytesOf(path), DrawingOf(1));
    EXPECT_EQ(bytesOf(copy), copyBytes);

    // Opened again with the disk still full: the copy cannot replace the
    // file, so the file opens as it was and the copy stays.
    CMorvekDoc reopened;
    prompt.push(PromptResult::Yes);
    prompt.push(PromptResult::Ok);
    ASSERT_TRUE(reopened.OnOpenDocument(path));
    EXPECT_EQ(ElementCount(reopened), 1);
    EXPECT_EQ(bytesOf(copy), copyBytes);
    EXPECT_EQ(prompt.unexpected(), 0);
}

// A drawing whose nodes or variables refer to one another in a loop opens
// with one message naming where the loop was met; one without a loop
// opens silently.
TEST_F(DocumentLifecycle, AReferenceLoopIsToldOnceWhenOpened)
{
    enum class Loop { None, Nodes, Variables };
    for (const Loop loop : {Loop::None, Loop::Nodes, Loop::Variables}) {
        SCOPED_TRACE(static_cast<int>(loop));
        CMorvekDoc made;
        NodeTable& nodes = made.Nodes();
        const int a = nodes.AddPoint(100, 0, false);
        const int b = nodes.AddPoint(200, 0, false);
        (void)made.GetSection(0)->AddLine0(a, b);
        if (loop == Loop::Nodes) {
            nodes.GetNode(a)->MakeOffset(nodes.GetNode(b), QStringLiteral("1"), QStringLiteral("0"));
            nodes.GetNode(b)->MakeOffset(nodes.GetNode(a), QStringLiteral("1"), QStringLiteral("0"));
        }
        if (loop == Loop::Variables) {
            ASSERT_TRUE(made.Variables().AddVariable(QStringLiteral("LA"), QStringLiteral("1"), QString(), 0, true));
            ASSERT_TRUE(made.Variables().AddVariable(QStringLiteral("LB"), QStringLiteral("LA+1"), QString(), 0, true));
            ASSERT_TRUE(made.Variables().SetFormula(QStringLiteral("LA"), QStringLiteral("LB+1"), QString()));
        }
        const QString path = Write(QStringLiteral("loop.n"), made.WriteDrawing());
        const auto asked = prompt.texts().size();
        if (loop != Loop::None)
            prompt.push(PromptResult::Ok);
        CMorvekDoc doc;
        ASSERT_TRUE(doc.OnOpenDocument(path));
        if (loop == Loop::None) {
            EXPECT_EQ(prompt.texts().size(), asked);
            continue;
        }
        ASSERT_EQ(prompt.texts().size(), asked + 1);
        const QString text = prompt.texts().back();
        EXPECT_TRUE(text.contains(loop == Loop::Nodes ? QStringLiteral("nodes refer to one another in a loop, from node")
                                                      : QStringLiteral("loop, from \"LA\"")))
            << text.toStdString();
        EXPECT_EQ(text.count(QStringLiteral("refer to one another")), 1);
    }
}

// Save Copy As writes the copy and nothing else: the drawing keeps its
// path, its unsaved changes and its autosave copy's name.
TEST_F(DocumentLifecycle, ASavedCopyLeavesTheDocumentAsItWas)
{
    const QString path = Write(QStringLiteral("a.n"), DrawingOf(1));
    CMorvekDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(path));
    (void)doc.GetSection(0)->AddLine3(50, 50, 60, 60, true, 1);
    doc.SetModifiedFlag();
    // A copy leaves the drawing as it is: no cleanup of idle nodes, no undo step.
    const int idle = doc.Nodes().AddPoint(70, 70, false);
    ASSERT_GE(idle, 0);
    const int steps = doc.Undo().GetUndoCount();
    ASSERT_TRUE(doc.SaveCopyAs(dir.file(QStringLiteral("copy"))));
    EXPECT_NE(doc.Nodes().GetNode(idle), nullptr);
    EXPECT_EQ(doc.Undo().GetUndoCount(), steps);
    EXPECT_EQ(doc.GetPathName(), path);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetTempFileName(), dir.file(QStringLiteral("a_tmp.n")));
    CMorvekDoc copy;
    ASSERT_TRUE(copy.OnOpenDocument(dir.file(QStringLiteral("copy.n"))));
    EXPECT_EQ(ElementCount(copy), 2);
    EXPECT_EQ(dir.read(QStringLiteral("a.n")), DrawingOf(1));
    EXPECT_FALSE(doc.SaveCopyAs(dir.file(QStringLiteral("copy.nst"))));
    EXPECT_EQ(prompt.texts().size(), 1);
}

TEST_F(DocumentLifecycle, SavingUnderANewPathDropsTheOldCopy)
{
    const QString path = Write(QStringLiteral("a.n"), DrawingOf(1));
    CMorvekDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(path));
    doc.SetModifiedFlag();
    doc.AutoSave();
    ASSERT_TRUE(QFile::exists(dir.file(QStringLiteral("a_tmp.n"))));
    ASSERT_TRUE(doc.SaveAs(dir.file(QStringLiteral("b.n"))));
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("a_tmp.n"))));
    EXPECT_FALSE(doc.IsAutosaved());
    EXPECT_EQ(doc.GetTempFileName(), dir.file(QStringLiteral("b_tmp.n")));
    EXPECT_TRUE(doc.OnCloseDocument());
    EXPECT_EQ(prompt.texts().size(), 0) << "closing after a real save asks nothing";
}

} // namespace
