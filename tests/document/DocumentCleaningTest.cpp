// Manipulation > Clear Common Lines over a drawing: each layer in its own
// undo step, the drawing marked only when a layer changed.
#include "document/MorvekDoc.h"

#include "section/Section.h"
#include "section/UndoManager.h"

#include <gtest/gtest.h>

namespace {

int Elements(const Section& section)
{
    int n = 0;
    for (CElement* e : section) {
        (void)e; // only counted
        ++n;
    }
    return n;
}

TEST(DocumentCleaning, EachLayerIsCleanedInAStepOfItsOwn)
{
    CMorvekDoc doc;
    ASSERT_NE(doc.AppendSection(QStringLiteral("second")), nullptr);
    ASSERT_NE(doc.AppendSection(QStringLiteral("third")), nullptr);
    // In every layer a rule and a shorter one lying on it.
    for (int i = 0; i < doc.GetSectionCount(); ++i) {
        Section& s = *doc.GetSection(i);
        const double y = 10.0 * i;
        ASSERT_FALSE(s.AddLine3(0, y, 100, y, true, 1).AtEnd());
        ASSERT_FALSE(s.AddLine3(20, y, 60, y, true, 1).AtEnd());
    }
    doc.SetModifiedFlag(false);
    const int stepsBefore = doc.Undo().GetUndoCount();

    const struct {
        CMorvekDoc::CommonLines what;
        int stepsAdded;
        int elementsLeft;
    } runs[] = {
        // Without step and repeat the layout pass finds nothing to remove.
        {CMorvekDoc::CommonLines::Layout, 0, 2},
        {CMorvekDoc::CommonLines::Block, 3, 1},
        // Nothing is left to clean: no step, the drawing as it was.
        {CMorvekDoc::CommonLines::LayoutAndBlock, 0, 1},
    };
    int steps = stepsBefore;
    for (const auto& run : runs) {
        doc.ClearCommonLines(run.what);
        steps += run.stepsAdded;
        EXPECT_EQ(doc.Undo().GetUndoCount(), steps);
        EXPECT_FALSE(doc.Undo().HasOpenStep());
        for (int i = 0; i < doc.GetSectionCount(); ++i)
            EXPECT_EQ(Elements(*doc.GetSection(i)), run.elementsLeft) << "layer " << i;
        EXPECT_EQ(doc.IsModified(), steps != stepsBefore);
    }
    ASSERT_NE(doc.Undo().NextUndo(), nullptr);
    EXPECT_EQ(doc.Undo().NextUndo()->title, CMorvekDoc::kTextClearCommonLines);

    // Undo gives the last cleaned layer its two rules back, the others stay.
    doc.Undo().Undo();
    EXPECT_EQ(Elements(*doc.GetSection(2)), 2);
    EXPECT_EQ(Elements(*doc.GetSection(0)), 1);
}

} // namespace
