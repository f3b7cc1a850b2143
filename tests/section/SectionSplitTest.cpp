// Split into equal parts and partial delete.
#include "section/SectionFixture.h"

#include "element/Ellipse.h"
#include "element/Spline.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

namespace {

using Split = sectiontest::Drawing;
using PartDelete = sectiontest::Drawing;

constexpr double kPi = std::numbers::pi;

// Nodes hold whole micrometres (cut off towards zero).
void ExpectAt(const die::coord& a, const die::coord& b)
{
    EXPECT_NEAR(a.x, b.x, 1.5e-3);
    EXPECT_NEAR(a.y, b.y, 1.5e-3);
}

TEST_F(Split, ALineBecomesPartsOfEqualLengthOnSharedNodes)
{
    CLine* line = Line(0, 0, 9, 0);
    line->SetLineType(5);
    line->SetPtg(3.0);
    line->SetAutoBridges(2, 0.5);
    const int end = line->GetEndNode();
    section.SplitElement(line, 3);
    const std::vector<CElement*> parts = Elements();
    ASSERT_EQ(parts.size(), 3u);
    int previousEnd = -1;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        auto* part = dynamic_cast<CLine*>(parts[i]);
        ASSERT_NE(part, nullptr);
        ExpectAt(At(part->GetStartNode()), {3.0 * static_cast<double>(i), 0});
        ExpectAt(At(part->GetEndNode()), {3.0 * static_cast<double>(i + 1), 0});
        if (previousEnd >= 0) {
            EXPECT_EQ(part->GetStartNode(), previousEnd);
        }
        previousEnd = part->GetEndNode();
        // The line's rule and its bridges by count, ceil(2 / 3) per part.
        EXPECT_EQ(part->GetLineType(), 5);
        EXPECT_EQ(part->GetPtg(), 3.0);
        EXPECT_EQ(part->GetBridgeMode(), BridgeMode::ByCount);
        EXPECT_EQ(part->GetAutoCount(), 1);
        EXPECT_EQ(part->GetAutoWidth(), 0.5);
    }
    EXPECT_EQ(previousEnd, end);
    ASSERT_NE(undo.NextUndo(), nullptr);
    EXPECT_EQ(undo.NextUndo()->title, 383);
    undo.Undo();
    ASSERT_EQ(Elements().size(), 1u);
    EXPECT_EQ(section.GetElement(0), line);
}

TEST_F(Split, HandPlacedBridgesGoToThePartTheyLieOn)
{
    CLine* line = Line(0, 0, 9, 0);
    line->SetBridgeMode(BridgeMode::ByHand);
    line->SetBridges({{0, 1.0, 1.0}, {0, 7.0, 1.0}});
    section.SplitElement(line, 2);
    const std::vector<CElement*> parts = Elements();
    ASSERT_EQ(parts.size(), 2u);
    ASSERT_EQ(parts[0]->GetBridges().Count(), 1);
    EXPECT_DOUBLE_EQ(parts[0]->GetBridges()[0].position, 1.0);
    ASSERT_EQ(parts[1]->GetBridges().Count(), 1);
    EXPECT_NEAR(parts[1]->GetBridges()[0].position, 2.5, 1e-3);
}

TEST_F(Split, ArcsSplitAlongTheirOwnDirection)
{
    struct Case {
        const char* what;
        die::coord start, end;
        int n;
        double sweep; // of each part
    };
    const Case cases[] = {
        {"full circle", {10, 0}, {10, 0}, 4, kPi / 2},
        // Clockwise from 90° to 0°.
        {"quarter", {0, 10}, {10, 0}, 3, kPi / 6},
        // Clockwise from 0° round to 90°.
        {"three quarters", {10, 0}, {0, 10}, 3, kPi / 2},
    };
    for (const Case& c : cases) {
        for (CElement* e : Elements())
            section.DeleteElement(e);
        CArc* arc = Arc(0, 0, c.start.x, c.start.y, c.end.x, c.end.y);
        ASSERT_NE(arc, nullptr) << c.what;
        section.SplitElement(arc, c.n);
        const std::vector<CElement*> parts = Elements();
        ASSERT_EQ(parts.size(), static_cast<std::size_t>(c.n)) << c.what;
        auto* first = dynamic_cast<CArc*>(parts.front());
        auto* last = dynamic_cast<CArc*>(parts.back());
        ExpectAt(At(first->GetStartNode()), c.start);
        ExpectAt(At(last->GetEndNode()), c.end);
        for (std::size_t i = 0; i < parts.size(); ++i) {
            auto* part = dynamic_cast<CArc*>(parts[i]);
            ASSERT_NE(part, nullptr) << c.what;
            EXPECT_NEAR(part->GetSweepAngle(), c.sweep, 1e-3) << c.what << " part " << i;
            EXPECT_NEAR(part->GetRadius(), 10, 1e-3) << c.what;
            if (i > 0) {
                EXPECT_EQ(part->GetStartNode(), dynamic_cast<CArc*>(parts[i - 1])->GetEndNode()) << c.what;
            }
        }
    }
}

TEST_F(Split, ASplineBecomesPartsAndUndoBringsItBackUnchanged)
{
    auto* spline = dynamic_cast<CSpline*>(section.AddSpline1(0, 0, 10, 0.5, 20, 0, true, 1).Get());
    ASSERT_NE(spline, nullptr);
    const std::deque<int> nodesBefore = spline->GetNodes();
    section.SplitElement(spline, 2);
    const std::vector<CElement*> parts = Elements();
    ASSERT_EQ(parts.size(), 2u);
    auto* a = dynamic_cast<CSpline*>(parts[0]);
    auto* b = dynamic_cast<CSpline*>(parts[1]);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    // Each part spans at least two intervals; they share the middle node.
    EXPECT_GE(a->GetNodeCount(), 3);
    EXPECT_GE(b->GetNodeCount(), 3);
    EXPECT_EQ(a->GetNodes().front(), nodesBefore.front());
    EXPECT_EQ(b->GetNodes().back(), nodesBefore.back());
    EXPECT_EQ(a->GetNodes().back(), b->GetNodes().front());
    // The middle falls onto the spline's own middle node (the curve is
    // nearly straight), which each part holds once.
    for (CSpline* part : {a, b})
        EXPECT_EQ(std::adjacent_find(part->GetNodes().begin(), part->GetNodes().end()), part->GetNodes().end());
    undo.Undo();
    ASSERT_EQ(Elements().size(), 1u);
    EXPECT_EQ(section.GetElement(0), spline);
    EXPECT_EQ(spline->GetNodes(), nodesBefore);
}

TEST_F(Split, WhatCannotBeSplitStaysWithoutAStep)
{
    CElement* ellipse = section.AddEllipse3(0, 0, 10, 5, 0, true, 1).Get();
    CLine* line = Line(20, 0, 30, 0);
    CLine* tiny = Line(40, 0, 40.02, 0);
    undo.Reset();
    section.SplitElement(ellipse, 3);
    section.SplitElement(line, 0);
    section.SplitElement(line, -2);
    // Parts of 0.002 mm would fall onto shared nodes and be lost.
    section.SplitElement(tiny, 10);
    section.SplitElement(nullptr, 2);
    EXPECT_EQ(section.GetElement(0), ellipse);
    EXPECT_EQ(section.GetElement(1), line);
    EXPECT_EQ(section.GetElement(2), tiny);
    EXPECT_EQ(Elements().size(), 3u);
    EXPECT_EQ(undo.GetUndoCount(), 0);
}

// --- partial delete -----------------------------------------------------------------

struct Piece {
    die::coord start, end;
};

// The lines, arcs or ellipses of the section as their ends, in slot order.
std::vector<Piece> Pieces(const std::vector<CElement*>& elements, const std::function<die::coord(int)>& at)
{
    std::vector<Piece> pieces;
    for (CElement* e : elements) {
        if (auto* l = dynamic_cast<CLine*>(e))
            pieces.push_back({at(l->GetStartNode()), at(l->GetEndNode())});
        else if (auto* a = dynamic_cast<CArc*>(e))
            pieces.push_back({at(a->GetStartNode()), at(a->GetEndNode())});
        else if (auto* el = dynamic_cast<CEllipse*>(e))
            pieces.push_back({at(el->GetStartNode()), at(el->GetEndNode())});
    }
    return pieces;
}

TEST_F(PartDelete, TheStretchBetweenTwoPointsGoes)
{
    struct Case {
        const char* what;
        std::function<CElement*(Section&)> make;
        die::coord p1, p2;
        bool keepSector;
        std::vector<Piece> pieces; // in the order they are made
    };
    auto line = [](Section& s) { return s.AddLine3(0, 0, 10, 0, true, 1).Get(); };
    // Clockwise from (10, 0) through (0, −10) to (−10, 0).
    auto lowerHalf = [](Section& s) { return s.AddArc3(0, 0, 10, 0, -10, 0, true, 1).Get(); };
    const double r45 = 10 * std::cos(kPi / 4);
    // The lower half of the ellipse with semi-axes 10 and 5.
    auto ellipse = [](Section& s) { return s.AddEllipse4(0, 0, 10, 0, -10, 0, 10, 0, 0, 5, true, 1).Get(); };
    const Case cases[] = {
        {"sector", line, {7, 0}, {3, 0}, false, {{{0, 0}, {3, 0}}, {{7, 0}, {10, 0}}}},
        {"sector line type", line, {7, 0}, {3, 0}, true, {{{0, 0}, {3, 0}}, {{7, 0}, {10, 0}}, {{3, 0}, {7, 0}}}},
        {"cut", line, {4, 0}, {4, 0}, false, {{{0, 0}, {4, 0}}, {{4, 0}, {10, 0}}}},
        {"cut at the start", line, {0, 0}, {0, 0}, false, {{{0, 0}, {10, 0}}}},
        {"arc", lowerHalf, {-r45, -r45}, {0, -10}, false, {{{10, 0}, {0, -10}}, {{-r45, -r45}, {-10, 0}}}},
        {"arc, points in order", lowerHalf, {0, -10}, {-r45, -r45}, false,
         {{{10, 0}, {0, -10}}, {{-r45, -r45}, {-10, 0}}}},
        {"elliptical arc", ellipse, {-6, -4}, {0, -5}, false, {{{10, 0}, {0, -5}}, {{-6, -4}, {-10, 0}}}},
    };
    for (const Case& c : cases) {
        for (CElement* e : Elements())
            section.DeleteElement(e);
        CElement* element = c.make(section);
        ASSERT_NE(element, nullptr) << c.what;
        element->SetLineType(5);
        section.DeleteElementPart(element, c.p1.x, c.p1.y, c.p2.x, c.p2.y, c.keepSector);
        const std::vector<Piece> pieces = Pieces(Elements(), [this](int n) { return At(n); });
        ASSERT_EQ(pieces.size(), c.pieces.size()) << c.what;
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            SCOPED_TRACE(c.what);
            ExpectAt(pieces[i].start, c.pieces[i].start);
            ExpectAt(pieces[i].end, c.pieces[i].end);
            // The pieces before and after keep the line type; the sector
            // made again takes the current one.
            EXPECT_EQ(Elements()[i]->GetLineType(), i < 2 || !c.keepSector ? 5 : 1);
        }
        EXPECT_EQ(undo.NextUndo()->title, 384) << c.what;
        undo.Undo();
        EXPECT_EQ(Elements().size(), 1u) << c.what;
        EXPECT_EQ(Elements().front(), element) << c.what;
    }
}

// A piece whose ends fall onto one node would be a whole circle or ellipse.
TEST_F(PartDelete, APieceTooShortForTwoNodesIsNotMade)
{
    CArc* arc = Arc(0, 0, 10, 0, -10, 0);
    const double a = -0.0002; // 0.002 mm round from the start
    section.DeleteElementPart(arc, 10 * std::cos(a), 10 * std::sin(a), 10 * std::cos(a), 10 * std::sin(a), false);
    const std::vector<CElement*> left = Elements();
    ASSERT_EQ(left.size(), 1u);
    auto* piece = dynamic_cast<CArc*>(left.front());
    ASSERT_NE(piece, nullptr);
    EXPECT_NEAR(piece->GetSweepAngle(), kPi, 1e-3);

    // A sector 0.002 mm long made again on its own line type.
    section.DeleteElement(piece);
    arc = Arc(0, 0, 10, 0, -10, 0);
    const double b = -1.0;
    section.DeleteElementPart(arc, 10 * std::cos(b), 10 * std::sin(b), 10 * std::cos(b + a), 10 * std::sin(b + a),
                              true);
    double sweep = 0;
    for (CElement* e : Elements()) {
        auto* part = dynamic_cast<CArc*>(e);
        ASSERT_NE(part, nullptr);
        EXPECT_LT(part->GetSweepAngle(), kPi);
        sweep += part->GetSweepAngle();
    }
    EXPECT_EQ(Elements().size(), 2u);
    EXPECT_NEAR(sweep, kPi, 1e-3);
}

TEST_F(PartDelete, HandPlacedBridgesStayWhereTheyWereOnThePieceAfterTheStretch)
{
    CLine* line = Line(0, 0, 10, 0);
    line->SetBridgeMode(BridgeMode::ByHand);
    line->SetBridges({{0, 1.0, 1.0}, {0, 8.0, 1.0}});
    section.DeleteElementPart(line, 4, 0, 4, 0, false);
    const std::vector<CElement*> pieces = Elements();
    ASSERT_EQ(pieces.size(), 2u);
    ASSERT_EQ(pieces[0]->GetBridges().Count(), 1);
    EXPECT_DOUBLE_EQ(pieces[0]->GetBridges()[0].position, 1.0);
    ASSERT_EQ(pieces[1]->GetBridges().Count(), 1);
    EXPECT_NEAR(pieces[1]->GetBridges()[0].position, 4.0, 1e-3);
}

TEST_F(PartDelete, ElementsOfOtherKindsAndPointsNoNodeCanHoldAreLeftAlone)
{
    CElement* spline = section.AddSpline1(0, 0, 10, 5, 20, 0, true, 1).Get();
    CLine* line = Line(0, 10, 10, 10);
    undo.Reset();
    section.DeleteElementPart(spline, 5, 3, 15, 3, false);
    section.DeleteElementPart(line, 3, 10, NAN, 10, false);
    section.DeleteElementPart(nullptr, 3, 10, 4, 10, false);
    EXPECT_EQ(section.GetElement(0), spline);
    EXPECT_EQ(section.GetElement(1), line);
    EXPECT_EQ(undo.GetUndoCount(), 0);
}

} // namespace
