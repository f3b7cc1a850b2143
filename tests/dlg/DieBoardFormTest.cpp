// The die-board dialog's rules: the opening of a layer without a board, the
// size and the distances computed from each other, the radius clamp, the
// turn of the distances with the centre line, the lock, the number format,
// the symmetric side rows and what OK writes into the board.
#include "dlg/DieBoardForm.h"

#include <gtest/gtest.h>

namespace {

using dlg::DieBoardForm;

constexpr int L = WoodValues::SideLeft;
constexpr int R = WoodValues::SideRight;
constexpr int T = WoodValues::SideTop;
constexpr int B = WoodValues::SideBottom;

// A form opened on a layer of the given size without a board.
DieBoardForm Opened(double clientWidth, double clientHeight, const dlg::DieBoardMemory& memory = {})
{
    DieBoardForm form;
    form.Open(memory, nullptr, WoodValues{}, clientWidth, clientHeight);
    return form;
}

TEST(DieBoardForm, ALayerWithoutABoardOpensWithTheDefaults)
{
    const DieBoardForm f = Opened(200, 100);
    EXPECT_EQ(f.distances, (std::array<double, 4>{50, 50, 80, 13}));
    EXPECT_EQ(f.width, 300.0);
    EXPECT_EQ(f.height, 193.0);
    EXPECT_EQ(f.centreLine, CentreLineEdge::Bottom);
    EXPECT_TRUE(f.knivesOn);
    EXPECT_EQ(f.knives, (std::array<double, 5>{20, 20, 20, 20, 20}));
    for (const WoodSideRecord& side : f.sides)
        EXPECT_EQ(side, (WoodSideRecord{false, false, 50.0, 100.0, 10.0, 0}));
    EXPECT_EQ(f.text, (dlg::BoardText{QString(), {}, 8, 18.0, 10.0}));
    EXPECT_FALSE(f.fillet);
    EXPECT_FALSE(f.lock);
    EXPECT_FALSE(f.symmetric);
}

TEST(DieBoardForm, ABoardOpensWithItsOwnValues)
{
    WoodValues board;
    board.leftMargin = 11;
    board.fillet = 7;
    board.knifeSpacing = 33;
    board.sides[R] = {true, true, 1, 2, 3, 1};
    board.symmetric = true;
    board.text = QStringLiteral("4711");
    board.textHeight = 12;
    DieBoardForm f;
    f.Open({}, &board, board, 200, 100);
    EXPECT_EQ(f.distances[L], 11.0);
    EXPECT_TRUE(f.fillet);
    EXPECT_EQ(f.radius, 7.0);
    EXPECT_EQ(f.knives[3], 33.0);
    EXPECT_EQ(f.sides[R], board.sides[R]);
    EXPECT_TRUE(f.symmetric);
    EXPECT_EQ(f.text.text, QStringLiteral("4711"));
    EXPECT_EQ(f.text.height, 12);
}

TEST(DieBoardForm, WithoutABoardTheLastValuesComeBackButNotTheCheckMarks)
{
    DieBoardForm first = Opened(200, 100);
    first.SetFillet(true);
    first.radius = 12;
    first.CheckRow(0, true);
    first.StoreRow(0, QStringLiteral("5"), QStringLiteral("60"), QStringLiteral("7"), 1, true);
    first.text.text = QStringLiteral("A");
    first.centreHorizontally = true;
    first.distances[L] = 99; // a distance comes from the new board, not from here

    const DieBoardForm next = Opened(200, 100, first.Memory());
    EXPECT_TRUE(next.fillet);
    EXPECT_EQ(next.radius, 12.0);
    EXPECT_EQ(next.sides[0], (WoodSideRecord{false, true, 5, 60, 7, 1}));
    EXPECT_EQ(next.text.text, QStringLiteral("A"));
    EXPECT_TRUE(next.centreHorizontally);
    EXPECT_EQ(next.distances[L], 50.0);
}

TEST(DieBoardForm, TheSizeGivesTheDistances)
{
    struct Case {
        const char* what;
        bool centred;
        double width, height;
        std::array<double, 4> distances; // left, right, top, bottom
    };
    const Case cases[] = {
        {"centred: half the rest each side", true, 300, 200, {50, 50, 50, 50}},
        {"not centred: left and bottom stay", false, 300, 200, {30, 70, 87, 13}},
        {"a negative size is 0", false, -10, -10, {30, -230, -113, 13}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DieBoardForm f = Opened(200, 100);
        f.EditDistance(L, 30);
        f.centreHorizontally = f.centreVertically = c.centred;
        f.EditSize(c.width, c.height);
        EXPECT_EQ(f.distances, c.distances);
        EXPECT_EQ(f.width, std::max(c.width, 0.0));
    }
}

TEST(DieBoardForm, AnEditedDistanceClearsItsCentreBoxAndGivesTheSize)
{
    DieBoardForm f = Opened(200, 100);
    f.centreHorizontally = f.centreVertically = true;
    f.EditDistance(R, 20);
    EXPECT_FALSE(f.centreHorizontally);
    EXPECT_TRUE(f.centreVertically);
    EXPECT_EQ(f.width, 270.0);
    f.EditDistance(T, 7);
    EXPECT_FALSE(f.centreVertically);
    EXPECT_EQ(f.height, 120.0);
}

TEST(DieBoardForm, TheRadiusIsHeldOnTheBoard)
{
    struct Case {
        double typed;
        double kept;
    };
    for (const Case& c : {Case{60, 40}, Case{-5, 0}, Case{25, 25}}) {
        SCOPED_TRACE(c.typed);
        DieBoardForm f = Opened(0, 0);
        f.EditSize(100, 80);
        f.fillet = true;
        f.radius = c.typed;
        f.ClampRadius(true);
        EXPECT_EQ(f.radius, c.kept);
    }
    // Not being typed, the radius goes back to the one remembered.
    DieBoardForm f = Opened(0, 0);
    f.EditSize(100, 80);
    f.radius = 30;
    f.RememberRadius();
    f.radius = 5;
    f.ClampRadius(false);
    EXPECT_EQ(f.radius, 30.0);
}

TEST(DieBoardForm, TheDistancesTurnWithTheCentreLine)
{
    DieBoardForm f = Opened(200, 100);
    f.distances = {10, 30, 20, 40}; // left, right, top, bottom
    f.centreLine = CentreLineEdge::Left;
    f.TurnCentreLine(CentreLineEdge::Top);
    EXPECT_EQ(f.distances, (std::array<double, 4>{40, 20, 10, 30}));
    EXPECT_EQ(f.width, 260.0);
    // Round the board back to the left: as they were.
    f.TurnCentreLine(CentreLineEdge::Right);
    f.TurnCentreLine(CentreLineEdge::Bottom);
    f.TurnCentreLine(CentreLineEdge::Left);
    EXPECT_EQ(f.distances, (std::array<double, 4>{10, 30, 20, 40}));
    // No radio checked: no position, the distances stay.
    f.TurnCentreLine(0);
    EXPECT_EQ(f.centreLine, 0);
    EXPECT_EQ(f.distances, (std::array<double, 4>{10, 30, 20, 40}));
}

TEST(DieBoardForm, LockedTheSizeComesFromTheCapturedBorders)
{
    DieBoardForm f = Opened(200, 100);
    f.SetLock(true, WoodBox{0, 150, 300, 0});
    EXPECT_EQ(f.width, 400.0);
    EXPECT_EQ(f.height, 243.0);
    EXPECT_FALSE(f.SizeFieldsEnabled());
    f.SetLock(false, WoodBox{0, 150, 300, 0});
    EXPECT_EQ(f.width, 300.0);
    EXPECT_TRUE(f.SizeFieldsEnabled());
}

TEST(DieBoardForm, NumbersShowAtMostFourDecimals)
{
    const std::pair<double, const char*> cases[] = {
        {12.5, "12.5"}, {12.0, "12"}, {100.0, "100"}, {0.123456, "0.1235"}, {-0.00001, "0"}, {-7.25, "-7.25"}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(DieBoardForm::Trimmed(value), QString::fromLatin1(text)) << value;
    EXPECT_EQ(DieBoardForm::Loose(QStringLiteral("abc")), 0.0);
    EXPECT_EQ(DieBoardForm::Loose(QStringLiteral("12.5mm")), 12.5);
}

TEST(DieBoardForm, SymmetricPairsShareTheirMarksAndValues)
{
    DieBoardForm f = Opened(200, 100);
    f.CheckRow(0, true);
    EXPECT_FALSE(f.sides[1].on);
    f.SetSymmetric(true);
    EXPECT_TRUE(f.sides[1].on) << "row 0 on turns its partner on";
    EXPECT_FALSE(f.sides[2].on);
    EXPECT_FALSE(f.sides[3].on);
    f.CheckRow(3, true);
    EXPECT_TRUE(f.sides[2].on);
    f.StoreRow(2, QStringLiteral("x"), QStringLiteral("75"), QStringLiteral("4"), 1, true);
    EXPECT_EQ(f.sides[3], (WoodSideRecord{true, true, 0.0, 75.0, 4.0, 1})) << "unreadable reads 0";
    EXPECT_EQ(f.ShownRow(2), f.sides[3]);
}

TEST(DieBoardForm, OkWritesTheBoard)
{
    DieBoardForm f = Opened(200, 100);
    f.distances = {1, 2, 3, 4};
    f.radius = 15;
    f.fillet = false;
    f.centreLine = CentreLineEdge::Top;
    f.knives = {1, 2, 3, 4, 5};
    f.knivesOn = false;
    f.lock = true;
    f.lockedBorders = {0, 10, 20, 0};
    f.sides[1] = {true, false, 9, 8, 7, 1};
    f.text = {QStringLiteral("T"), {true}, 9, 8.5, 7.5};
    WoodValues v;
    f.WriteInto(v);
    EXPECT_EQ(v.fillet, 0.0) << "the fillet box cleared writes radius 0";
    EXPECT_EQ((std::array<double, 4>{v.leftMargin, v.rightMargin, v.topMargin, v.bottomMargin}), f.distances);
    EXPECT_EQ(v.centreLineEdge, CentreLineEdge::Top);
    EXPECT_EQ((std::array<double, 5>{v.knifeStartOverhang, v.knifeEndOverhang, v.knifeOffset, v.knifeSpacing,
                                     v.knifeEndClearance}),
              f.knives);
    EXPECT_FALSE(v.knives);
    EXPECT_TRUE(v.absolute);
    EXPECT_EQ(v.absoluteBox, f.lockedBorders);
    EXPECT_EQ(v.sides, f.sides);
    EXPECT_EQ(v.text, QStringLiteral("T"));
    EXPECT_TRUE(v.textPositions[0]);
    EXPECT_EQ(v.textHeight, 9);
    EXPECT_EQ(v.textBand, 8.5);
    EXPECT_EQ(v.textOffset, 7.5);
    f.fillet = true;
    f.WriteInto(v);
    EXPECT_EQ(v.fillet, 15.0);
}

} // namespace
