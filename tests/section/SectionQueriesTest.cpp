#include "section/SectionFixture.h"

namespace {

using sectiontest::Drawing;
using SectionQueries = Drawing;

TEST_F(SectionQueries, ToggleTwiceRestoresTheSelection)
{
    CLine* a = Line(0, 0, 10, 0);
    CLine* b = Line(0, 5, 10, 5);
    a->SetSelection(1);
    section.SelectElements(2);
    EXPECT_FALSE(a->IsSelected());
    EXPECT_TRUE(b->IsSelected());
    section.SelectElements(2);
    EXPECT_TRUE(a->IsSelected());
    EXPECT_FALSE(b->IsSelected());
    EXPECT_EQ(section.GetSelectedCount(), 1);
    section.SelectElements(7); // no such mode
    EXPECT_EQ(section.GetSelectedCount(), 1);
    section.Deselect();
    EXPECT_EQ(section.GetSelectedCount(), 0);
}

TEST_F(SectionQueries, RectangleSelectionLooksUnderEveryInstance)
{
    CLine* placed = Line(0, 0, 10, 0);
    CLine* notInstanced = Line(0, 5, 10, 5);
    notInstanced->SetNotInstanced(1);
    CLine* away = Line(0, 300, 10, 300);
    section.NewInstance(100, 0, 0);
    section.NewInstance(200, 0, 0);
    const CInstance* before = nodes.GetCurrentPlacement();

    // Only instance 2 brings the lines into the rectangle.
    section.SelectAllInRect(195, -1, 215, 10, 2);
    EXPECT_TRUE(placed->IsSelected());
    EXPECT_FALSE(notInstanced->IsSelected());
    EXPECT_FALSE(away->IsSelected());
    EXPECT_EQ(nodes.GetCurrentPlacement(), before);

    // The not-instanced line is found under instance 0, corners in any order.
    section.SelectAllInRect(11, 6, -1, 4, 2);
    EXPECT_TRUE(notInstanced->IsSelected());
    EXPECT_TRUE(placed->IsSelected()); // selection only adds
}

TEST_F(SectionQueries, SelectedBordersAreZeroForNothingAndTheExtremesOtherwise)
{
    CLine* line = Line(1, 2, 5, 7);
    Line(-50, -50, 80, 90);
    const SectionBorders none = section.GetSelectedBorders();
    EXPECT_EQ(none.left, 0);
    EXPECT_EQ(none.top, 0);
    EXPECT_EQ(none.right, 0);
    EXPECT_EQ(none.bottom, 0);
    line->SetSelection(1);
    const SectionBorders b = section.GetSelectedBorders();
    EXPECT_EQ(b.left, 1);
    EXPECT_EQ(b.top, 7);
    EXPECT_EQ(b.right, 5);
    EXPECT_EQ(b.bottom, 2);
}

TEST_F(SectionQueries, BordersOverInstancesAndBoxesWithOffsetsOnly)
{
    Line(0, 0, 10, 20);
    CLine* single = Line(-5, -5, -1, -1);
    single->SetNotInstanced(1);
    section.NewInstance(100, 50, 0);
    section.NewInstance(0, 0, 90); // turned about (0, 0)

    const SectionBorders own = section.GetBorders(false, true, false);
    EXPECT_EQ(own.left, -5);
    EXPECT_EQ(own.right, 10);
    const SectionBorders all = section.GetBorders(true, false, true);
    EXPECT_NEAR(all.left, -20, 1e-9);  // the turned copy
    EXPECT_NEAR(all.right, 110, 1e-9); // the shifted copy
    EXPECT_NEAR(all.top, 70, 1e-9);
    EXPECT_NEAR(all.bottom, 0, 1e-9);

    die::coord min;
    die::coord max;
    section.GetBoundingBox(min, max, true, false);
    EXPECT_EQ(min.x, -5);
    EXPECT_EQ(min.y, -5);
    EXPECT_EQ(max.x, 110); // the turned instance adds its unturned box
    EXPECT_EQ(max.y, 70);

    const BoundingBox shifted = section.GetExtents(&section.GetInstance(1));
    EXPECT_EQ(shifted.minX, -5); // not instanced: where it is
    EXPECT_EQ(shifted.maxX, 110);
    EXPECT_EQ(nodes.GetCurrentPlacement(), nullptr);
}

TEST_F(SectionQueries, BordersOverInstancesAgreeWithEachElementAskedUnderEach)
{
    Line(0, 0, 10, 20);
    Arc(30, 30, 40, 30, 30, 40);   // a quarter whose extremes are not its nodes
    Arc(-20, 5, -15, 5, -15, 5);   // a full circle
    Line(-5, -5, -1, -1)->SetNotInstanced(1);
    const double angles[] = {90, 180, 30, 270, -45};
    for (int i = 0; i < 5; ++i) {
        section.NewInstance(100.0 * (i + 1), 7.0 * i, angles[i]);
        section.GetInstance(i + 1).centreX = 12;
        section.GetInstance(i + 1).centreY = -3;
    }
    BoundingBox expected = section.GetExtents(nullptr);
    for (int i = 0; i < section.GetInstanceCount(); ++i)
        expected.Unite(section.GetExtents(&section.GetInstance(i)));
    const SectionBorders b = section.GetBorders(true, false, false);
    EXPECT_NEAR(b.left, expected.minX, 1e-9);
    EXPECT_NEAR(b.bottom, expected.minY, 1e-9);
    EXPECT_NEAR(b.right, expected.maxX, 1e-9);
    EXPECT_NEAR(b.top, expected.maxY, 1e-9);
}

TEST_F(SectionQueries, ATurnedInstanceStillFindsWhatItBringsIntoTheRectangle)
{
    CLine* line = Line(10, 0, 20, 0);
    section.NewInstance(0, 0, 30); // about (0, 0): the line rises to y 5..10
    section.SelectAllInRect(8, 4.9, 18, 10.1, 2);
    EXPECT_TRUE(line->IsSelected());
}

TEST_F(SectionQueries, TheCentreCountsTheOrigin)
{
    EXPECT_EQ(section.GetCenterX(), 0);
    Line(10, 5, 30, 5);
    Line(20, 5, 20, 9);
    EXPECT_EQ(section.GetCenterX(), 15);
    EXPECT_EQ(section.GetCenterY(), 4.5);
    Arc(-10, 0, -10, 4, -6, 0);
    EXPECT_EQ(section.GetCenterX(), 10); // (−10 + 30) / 2
}

TEST_F(SectionQueries, LengthsCountOncePerInstance)
{
    Line(0, 0, 100, 0);
    CLine* single = Line(0, 10, 100, 10);
    single->SetNotInstanced(1);
    CLine* crease = Line(0, 20, 50, 20);
    crease->SetLineType(2);
    for (int i = 0; i < 3; ++i)
        section.NewInstance(i * 200.0, 0, 0);
    const struct {
        int lineType, ptg;
        double length;
    } cases[] = {{-1, 0, 400 + 100 + 200}, {1, 0, 500}, {2, 0, 200}, {-1, 2, 700}, {-1, 3, 0}};
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(section.GetLineLength(c.lineType, c.ptg), c.length) << c.lineType << " " << c.ptg;
}

TEST_F(SectionQueries, DeletingTheSelectionRemovesEachSelectedElement)
{
    CLine* a = Line(0, 0, 10, 0);
    CLine* b = Line(0, 5, 10, 5);
    CLine* c = Line(0, 9, 10, 9);
    a->SetSelection(1);
    c->SetSelection(1);
    undo.Open(384, &section);
    section.DeleteSelectedElements();
    EXPECT_EQ(Elements(), std::vector<CElement*>{b});
    EXPECT_EQ(undo.GetOpenStep()->items.size(), 2u);
    undo.Undo();
    EXPECT_EQ(Elements(), (std::vector<CElement*>{a, b, c}));
}

} // namespace

namespace {

using SectionPropertyEdit = sectiontest::Drawing;

TEST_F(SectionPropertyEdit, TheEditWorksOnCopiesAndUndoBringsBackTheOriginals)
{
    CLine* a = Line(0, 0, 10, 0);
    CLine* b = Line(0, 5, 10, 5);
    CLine* c = Line(0, 9, 10, 9);
    a->SetSelection(1);
    c->SetSelection(1);
    undo.Open(405, &section);
    section.PrepareSelElements();
    auto* copy = dynamic_cast<CLine*>(section.GetElement(0));
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, a);
    EXPECT_EQ(copy->GetStartNode(), a->GetStartNode());
    EXPECT_EQ(section.GetElement(1), b);
    copy->SetLineType(3);
    section.AddSelElementsToUndo(false);
    ASSERT_EQ(undo.GetOpenStep()->items.size(), 2u);
    undo.Close();
    undo.Undo();
    EXPECT_EQ(Elements(), (std::vector<CElement*>{a, b, c}));
    EXPECT_EQ(a->GetLineType(), 1);

    // Discarded: the edit stays, the originals go, nothing is recorded.
    undo.Open(405, &section);
    section.PrepareSelElements();
    CElement* kept = section.GetElement(2);
    section.AddSelElementsToUndo(true);
    EXPECT_EQ(section.GetElement(2), kept);
    EXPECT_EQ(undo.GetOpenStep()->items.size(), 0u);
    undo.Close();
}

} // namespace
