// Ellipses, splines, texts and dimensions made from coordinates, and copies
// of them.
#include "section/SectionFixture.h"

#include "element/Ellipse.h"
#include "element/Measure.h"
#include "element/Spline.h"
#include "element/Text.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

namespace {

using SectionShapes = sectiontest::Drawing;

constexpr double kDegree = std::numbers::pi / 180.0;

// Nodes hold whole micrometres.
void ExpectNear(const die::coord& a, const die::coord& b)
{
    EXPECT_NEAR(a.x, b.x, 1e-3);
    EXPECT_NEAR(a.y, b.y, 1e-3);
}

// The element items of the open step (its new nodes are recorded too).
std::size_t ElementItems(const CUndoManager& undo)
{
    const UndoStep* step = undo.GetOpenStep();
    if (step == nullptr)
        return 0;
    return static_cast<std::size_t>(std::count_if(step->items.begin(), step->items.end(),
                                                  [](const UndoItem& i) { return i.kind == UndoItem::Element; }));
}

// Every creation refuses what makes no element, and adds one element with one
// undo item otherwise.
TEST_F(SectionShapes, CreationsAddOneRecordedElementOrNothing)
{
    const platform::LogFont font{};
    const double huge = 1e12;
    const struct {
        const char* name;
        std::function<ElementIterator(Section&)> make;
        int type; // 0: refused
    } cases[] = {
        {"ellipse", [](Section& s) { return s.AddEllipse3(0, 0, 20, 10, 30, true, 1); }, ElementTypeId::Ellipse},
        {"ellipse r1 0", [](Section& s) { return s.AddEllipse3(0, 0, 0, 10, 30, true, 1); }, 0},
        {"ellipse r2 0", [](Section& s) { return s.AddEllipse3(0, 0, 20, 0, 30, true, 1); }, 0},
        {"ellipse far", [&](Section& s) { return s.AddEllipse3(huge, 0, 20, 10, 0, true, 1); }, 0},
        {"ellipse axis on centre", [](Section& s) { return s.AddEllipse3(0, 0, 0.001, 10, 0, true, 1); }, 0},
        {"spline", [](Section& s) { return s.AddSpline1(0, 0, 10, 5, 20, 0, true, 1); }, ElementTypeId::Spline},
        {"spline equal", [](Section& s) { return s.AddSpline1(0, 0, 10, 5, 0, 0, true, 1); }, 0},
        {"spline merged", [](Section& s) { return s.AddSpline1(0, 0, 0.002, 0, 20, 0, true, 1); }, 0},
        {"text", [&](Section& s) { return s.AddText2(0, 0, 5, 0, 3, QStringLiteral("AB"), font, 0, 1401, 1); },
         ElementTypeId::Text},
        {"text empty", [&](Section& s) { return s.AddText2(0, 0, 5, 0, 3, QString(), font, 0, 1401, 1); }, 0},
        {"measure", [](Section& s) { return s.AddMeasureXY(1201, 5, 5, 0, 0, 10, 0, 0, 0, true); },
         ElementTypeId::Measure},
        {"measure equal", [](Section& s) { return s.AddMeasureXY(1201, 5, 5, 1, 1, 1, 1, 0, 0, true); }, 0},
        {"measure merged", [](Section& s) { return s.AddMeasureXY(1201, 5, 5, 1, 1, 1.001, 1, 0, 0, true); }, 0},
        {"measure one node", [](Section& s) { return s.AddMeasurePt1(1201, 0, 1, 1, -1, {0, 0, 0}, 15, 12); }, 0},
        {"measure two instances",
         [](Section& s) { return s.AddMeasurePt1(1201, 0, 1, 1, -1, {0, 1, 0}, 15, 12); }, ElementTypeId::Measure},
    };
    (void)nodes.AddPoint(1, 1, false);
    (void)nodes.AddPoint(2, 2, false);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const int slotsBefore = section.GetSlotsInUse();
        undo.Open(1, &section);
        const ElementIterator it = c.make(section);
        const std::size_t items = ElementItems(undo);
        undo.Close();
        EXPECT_EQ(it.NotEqual(section.end()), c.type != 0);
        if (c.type == 0) {
            EXPECT_EQ(items, 0u);
            EXPECT_EQ(section.GetSlotsInUse(), slotsBefore);
            continue;
        }
        ASSERT_NE(it.Get(), nullptr);
        EXPECT_EQ(it.Get()->GetTypeId(), c.type);
        EXPECT_EQ(items, 1u);
        const bool annotation = c.type == ElementTypeId::Text || c.type == ElementTypeId::Measure;
        EXPECT_EQ(it.Get()->GetBridgeMode() == BridgeMode::ByRule, !annotation);
        EXPECT_EQ(it.Get()->GetLineType(), c.type == ElementTypeId::Measure ? Section::kMeasureLineType : 1);
        EXPECT_EQ(it.Get()->GetSection(), &section);
    }
}

TEST_F(SectionShapes, AnEllipseFromRadiiIsWholeAndTurned)
{
    auto* e = dynamic_cast<CEllipse*>(section.AddEllipse3(5, 5, 20, 10, 30, true, 1).Get());
    ASSERT_NE(e, nullptr);
    const die::coord major(5 + 20 * std::cos(30 * kDegree), 5 + 20 * std::sin(30 * kDegree));
    ExpectNear(At(e->GetMajorNode()), major);
    ExpectNear(At(e->GetMinorNode()), {5 + 10 * std::cos(120 * kDegree), 5 + 10 * std::sin(120 * kDegree)});
    EXPECT_EQ(e->GetStartNode(), e->GetMajorNode());
    EXPECT_EQ(e->GetEndNode(), e->GetMajorNode());
    ExpectNear(At(e->GetCentreNode()), {5, 5});
}

TEST_F(SectionShapes, ATextStandsUpFromItsInsertionPoint)
{
    const struct {
        double angle;
        double upDegrees;
    } cases[] = {{0, 90}, {300, 30}, {90, 180}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.angle);
        auto* t = dynamic_cast<CText*>(
            section.AddText2(100, 50, 4, c.angle, 2.5, QStringLiteral("Deckel"), {}, 1, 1401, 1).Get());
        ASSERT_NE(t, nullptr);
        ExpectNear(At(t->GetBaseNode()), {100, 50});
        ExpectNear(At(t->GetHeightNode()),
                   {100 + 4 * std::cos(c.upDegrees * kDegree), 50 + 4 * std::sin(c.upDegrees * kDegree)});
        ExpectNear(At(t->GetEndNode()),
                   {100 + 15 * std::cos(c.angle * kDegree), 50 + 15 * std::sin(c.angle * kDegree)});
        EXPECT_EQ(t->IsMirrored(), 1);
        EXPECT_EQ(t->GetText(), QStringLiteral("Deckel"));
        section.DeleteElement(t);
    }
}

TEST_F(SectionShapes, OnlyTheAngleDimensionTakesAThirdNode)
{
    auto* plain = dynamic_cast<CMeasure*>(section.AddMeasureXY(1201, 5, 5, 0, 0, 10, 0, 3, 3, true).Get());
    auto* angle = dynamic_cast<CMeasure*>(section.AddMeasureXY(1204, 5, 5, 0, 0, 10, 0, 3, 3, true).Get());
    ASSERT_TRUE(plain && angle);
    EXPECT_EQ(plain->GetCentre(), -1);
    ExpectNear(At(angle->GetCentre()), {3, 3});
    EXPECT_EQ(angle->GetP1(), plain->GetP1()); // merged
    ExpectNear(At(angle->GetLinePoint()), {5, 5});
}

TEST_F(SectionShapes, ContinuingASplineReplacesItInItsSlot)
{
    const ElementIterator it = section.AddSpline1(0, 0, 10, 5, 20, 0, true, 1);
    ASSERT_TRUE(it.NotEqual(section.end()));
    CElement* before = it.Get();
    undo.Open(1, &section);
    EXPECT_TRUE(section.ContinueSpline(30, 5, it, 7));
    EXPECT_FALSE(section.ContinueSpline(30.002, 5, it, 7)); // merges into the last node
    ASSERT_EQ(ElementItems(undo), 1u);
    undo.Close();
    auto* now = dynamic_cast<CSpline*>(it.Get());
    ASSERT_NE(now, nullptr);
    EXPECT_NE(now, before);
    EXPECT_EQ(now->GetNodeCount(), 4);
    EXPECT_EQ(now->GetLineType(), 7);
    ExpectNear(At(now->GetNodes().back()), {30, 5});
    undo.Undo();
    EXPECT_EQ(it.Get(), before);
    EXPECT_EQ(dynamic_cast<CSpline*>(before)->GetNodeCount(), 3);

    CLine* line = Line(0, 20, 10, 20);
    EXPECT_FALSE(section.ContinueSpline(40, 0, ElementIterator(&section, section.GetIdx(line)), 1));
}

TEST_F(SectionShapes, EveryShapeCopiesIntoASection)
{
    const ElementIterator made[] = {
        section.AddEllipse3(0, 0, 20, 10, 0, true, 1),
        section.AddSpline1(0, 0, 10, 5, 20, 0, true, 1),
        section.AddText2(0, 0, 5, 0, 3, QStringLiteral("AB"), {}, 0, 1401, 1),
        section.AddMeasureXY(1201, 5, 5, 0, 0, 10, 0, 0, 0, true),
    };
    for (const ElementIterator& it : made) {
        ASSERT_TRUE(it.NotEqual(section.end()));
        const int slot = section.CopyElement(*it.Get());
        ASSERT_GE(slot, 0) << it.Get()->GetTypeId();
        EXPECT_NE(section.GetElement(slot), it.Get());
        EXPECT_EQ(section.GetElement(slot)->GetTypeId(), it.Get()->GetTypeId());
    }
}

} // namespace
