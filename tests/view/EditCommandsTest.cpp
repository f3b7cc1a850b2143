// The view's edit commands without a window: Set Zoom's reading of the
// typed text, the Undo and Redo items, and the autosave timer's rules.
#include "view/AutosaveTimer.h"
#include "view/EditCommands.h"

#include "document/MorvekDoc.h"
#include "element/Element.h"
#include "section/Section.h"

#include "common/TempDir.h"
#include "view/ViewTestSupport.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

int Elements(Section& section)
{
    int n = 0;
    for (auto it = section.begin(); it.NotEqual(section.end()); it.Next())
        ++n;
    return n;
}

TEST(SetZoomText, ReadsTheLeadingNumberAndRefusesText)
{
    const struct {
        const char* text;
        std::optional<double> zoom;
    } cases[] = {
        {"2.5", 2.5},     {" 4", 4.0},    {"12,5", 12.0}, {"1/2", 1.0}, {"-3", -3.0},
        {"0", 0.0},       {"", {}},       {"abc", {}},    {"-", {}},    {",5", {}},
        {"x2", {}},       {".", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ZoomFromText(QString::fromLatin1(c.text)), c.zoom) << c.text;
    EXPECT_EQ(ZoomText(4.0), QStringLiteral(" 4.000"));
}

TEST(SelectionCommands, SelectAllAndInvertWorkOnTheCurrentLayerOnly)
{
    CMorvekDoc doc;
    Section& current = *doc.GetCurrentSection();
    (void)current.AddLine3(0, 0, 10, 0, true, 1);
    (void)current.AddLine3(0, 5, 10, 5, true, 1);
    const auto selected = [&current] {
        std::vector<bool> flags;
        for (CElement* e : current)
            flags.push_back(e->IsSelected());
        return flags;
    };
    ASSERT_EQ(selected(), (std::vector<bool>{false, false}));
    (*current.begin())->SetSelection(1);

    InvertElementSelection(doc);
    EXPECT_EQ(selected(), (std::vector<bool>{false, true}));
    InvertElementSelection(doc);
    EXPECT_EQ(selected(), (std::vector<bool>{true, false})) << "inverting twice gives the selection back";
    SelectAllElements(doc);
    EXPECT_EQ(selected(), (std::vector<bool>{true, true}));
    EXPECT_EQ(doc.Undo().GetUndoCount(), 0) << "selecting is no change of the drawing";
}

TEST(SelectionCommands, TheDieBoardIsLeftOut)
{
    CMorvekDoc doc;
    Section& current = *doc.GetCurrentSection();
    CElement* line = current.AddLine3(0, 0, 10, 0, true, 1).Get();
    CElement* board = current.AddWood(40, 60, 40, 20, 8).Get();
    ASSERT_NE(board, nullptr);
    ASSERT_TRUE(board->IsDieBoard());
    SelectAllElements(doc);
    EXPECT_TRUE(line->IsSelected());
    EXPECT_FALSE(board->IsSelected());
    InvertElementSelection(doc);
    EXPECT_FALSE(line->IsSelected());
    EXPECT_FALSE(board->IsSelected());
}

TEST(UndoMenuItems, NameTheStepTheyWouldApply)
{
    CMorvekDoc doc;
    const auto texts = [&doc] {
        const MenuItemState undo = UndoMenuItem(doc.Undo());
        const MenuItemState redo = RedoMenuItem(doc.Undo());
        return std::make_tuple(undo.enabled, undo.text, redo.enabled, redo.text);
    };
    EXPECT_EQ(texts(), std::make_tuple(false, QStringLiteral("<165>"), false, QStringLiteral("<166>")));

    doc.Undo().Open(123, doc.GetCurrentSection());
    (void)doc.GetSection(0)->AddLine3(0, 0, 10, 0, true, 1);
    doc.Undo().Close();
    EXPECT_EQ(texts(), std::make_tuple(true, QStringLiteral("<168> : <123>"), false, QStringLiteral("<166>")));

    UndoOneStep(doc);
    EXPECT_EQ(Elements(*doc.GetSection(0)), 0);
    EXPECT_EQ(texts(), std::make_tuple(false, QStringLiteral("<165>"), true, QStringLiteral("<169> : <123>")));
    RedoOneStep(doc);
    EXPECT_EQ(Elements(*doc.GetSection(0)), 1);
}

TEST(UndoMenuItems, UndoEndsARunningCommandAndUndoesItsStep)
{
    CMorvekDoc doc;
    doc.commandActive = 1;
    doc.Undo().Open(77, doc.GetCurrentSection());
    (void)doc.GetSection(0)->AddLine3(0, 0, 10, 0, true, 1);
    UndoOneStep(doc);
    EXPECT_EQ(doc.commandActive, 0);
    EXPECT_FALSE(doc.Undo().HasOpenStep());
    EXPECT_EQ(Elements(*doc.GetSection(0)), 0);
}

class AutosaveRules : public testing::Test {
protected:
    // A drawing opened from its file, with one line added as a command
    // would add it.
    void Open(CMorvekDoc& doc)
    {
        {
            CMorvekDoc first;
            (void)first.GetSection(0)->AddLine3(0, 0, 10, 0, true, 1);
            path_ = dir_.write(QStringLiteral("box.n"), first.WriteFile());
        }
        ASSERT_TRUE(doc.OnOpenDocument(path_));
        doc.Undo().Open(55, doc.GetCurrentSection());
        (void)doc.GetSection(0)->AddLine3(0, 10, 10, 10, true, 1);
    }
    QString Copy() const { return dir_.file(QStringLiteral("box_tmp.n")); }

    test::TempDir dir_;
    viewtest::ViewLinetypes linetypes_;
    QString path_;
};

TEST_F(AutosaveRules, SavesOnlyAModifiedDrawingBetweenCommands)
{
    const struct {
        const char* name;
        bool enabled;
        bool modified;
        int modifyState;
        int command;
        bool saves;
    } cases[] = {
        {"modified, idle", true, true, 0, 0, true},
        {"autosave off (a file dialog)", false, true, 0, 0, false},
        {"no changes", true, false, 0, 0, false},
        {"a node being dragged", true, true, 502, 0, false},
        {"a command running", true, true, 0, 1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CMorvekDoc doc;
        Open(doc);
        doc.SetModifiedFlag(c.modified);
        (void)doc.BeginModifyState(c.modifyState, false);
        doc.commandActive = c.command;
        AutosaveTimer timer;
        timer.Enable(c.enabled);
        EXPECT_EQ(timer.OnTimer(doc), c.saves);
        EXPECT_EQ(QFile::exists(Copy()), c.saves);
        EXPECT_EQ(timer.IsEnabled(), c.enabled);
        // A command's step is never cut in two.
        if (c.command != 0 || c.modifyState != 0) {
            EXPECT_TRUE(doc.Undo().HasOpenStep());
        }
        (void)QFile::remove(Copy());
    }
}

TEST_F(AutosaveRules, TheCopyLeavesTheDrawingAsItIs)
{
    CMorvekDoc doc;
    Open(doc);
    doc.Undo().Close();
    // A node no element uses: a real save would remove it.
    const int idle = doc.Nodes().AddPoint(50, 50, false);
    doc.SetModifiedFlag();
    const int nodes = doc.Nodes().GetCount();
    const int steps = doc.Undo().GetUndoCount();
    AutosaveTimer timer;
    timer.Enable(true);
    ASSERT_TRUE(timer.OnTimer(doc));
    EXPECT_TRUE(QFile::exists(Copy()));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetPathName(), path_);
    EXPECT_EQ(doc.Nodes().GetCount(), nodes);
    EXPECT_NE(doc.Nodes().GetNode(idle), nullptr);
    EXPECT_EQ(doc.Undo().GetUndoCount(), steps);

    // The copy holds the drawing; the file is as it was.
    CMorvekDoc copy;
    QFile file(Copy());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    ASSERT_TRUE(copy.LoadFile(Copy(), file.readAll(), nullptr));
    EXPECT_EQ(Elements(*copy.GetSection(0)), 2);
}

} // namespace
