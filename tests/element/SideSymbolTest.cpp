#include "SymbolFixture.h"

#include "element/SideSymbol.h"

namespace {

using elementtest::Circle;
using elementtest::Figure;
using elementtest::Line;

class SideSymbol : public elementtest::Symbols {
protected:
    template <typename Class>
    std::unique_ptr<Class> Make(double x, double y, bool side)
    {
        auto s = std::make_unique<Class>(&nodes, nullptr, 0);
        s->SetNode(Node(x, y));
        s->SetSide(side);
        return s;
    }
};

TEST_F(SideSymbol, SeparationRuleFiguresOnBothSides)
{
    for (const double s : {1.0, -1.0}) {
        auto rule = Make<CSeperationRule>(0, 0, s < 0);
        ExpectFigures(*rule, {Line({1.5 * s, 1}, {31.5 * s, 1}), Line({31.5 * s, 1}, {31.5 * s, -1}),
                              Line({31.5 * s, -1}, {1.5 * s, -1}), Circle({23.5 * s, 12.5}, 3),
                              Circle({23.5 * s, -12.5}, 3), Circle({100 * s, -15}, 2.8),
                              Circle({100 * s, -55}, 2.8)});
    }
}

TEST_F(SideSymbol, StripperWoodFiguresOnBothSides)
{
    const auto rectangle = [](double k, double s) {
        return std::vector<Figure>{Line({-7, k * s}, {7, k * s}), Line({7, k * s}, {7, (k + 19) * s}),
                                   Line({7, (k + 19) * s}, {-7, (k + 19) * s}), Line({-7, (k + 19) * s}, {-7, k * s})};
    };
    for (const double s : {1.0, -1.0}) {
        std::vector<Figure> expected{Circle({0, 12.5 * s}, 0.5)};
        for (const auto& [k, hole] : {std::pair{130.0, 314.0}, std::pair{479.0, 663.0}, std::pair{828.0, 993.0}}) {
            const std::vector<Figure> r = rectangle(k, s);
            expected.insert(expected.end(), r.begin(), r.end());
            expected.push_back(Circle({0, hole * s}, 0.5));
        }
        auto board = Make<CStripperWood>(0, 0, s < 0);
        ExpectFigures(*board, expected);
    }
    // Side 1: the last circle at (0, −993), the first rectangle from y −130
    // to −149.
    auto down = Make<CStripperWood>(0, 0, true);
    const auto figures = FiguresOf(*down);
    ASSERT_EQ(figures.size(), 16u);
    EXPECT_EQ(figures.back().points[0], (die::coord{0, -993}));
    EXPECT_EQ(figures[1].points[0], (die::coord{-7, -130}));
    EXPECT_EQ(figures[2].points[1], (die::coord{7, -149}));
}

TEST_F(SideSymbol, ShiftWheelSwitchesTheSide)
{
    auto rule = Make<CSeperationRule>(0, 0, false);
    auto board = Make<CStripperWood>(0, 0, false);
    for (CSideSymbol* s : std::initializer_list<CSideSymbol*>{rule.get(), board.get()}) {
        s->RebuildContour();
        EXPECT_EQ(s->OnShiftWheel(120, 0, 0), 1.0);
        EXPECT_EQ(s->GetSide(), 1);
        EXPECT_TRUE(s->IsDisplayDirty());
        EXPECT_EQ(s->OnShiftWheel(-120, 0, 0), 0.0);
        EXPECT_EQ(s->GetSide(), 0);
        EXPECT_EQ(s->OnCtrlWheel(120, 0, 0), 0.0);
        EXPECT_EQ(s->GetSide(), 0);
    }
}

TEST_F(SideSymbol, ExtentsAreTheNodeWhateverTheFigure)
{
    auto board = Make<CStripperWood>(3, 4, false);
    EXPECT_EQ(board->GetMinX(0, true), 3);
    EXPECT_EQ(board->GetMaxX(0, true), 3);
    EXPECT_EQ(board->GetMinY(0, true), 4);
    EXPECT_EQ(board->GetMaxY(0, true), 4);
    EXPECT_EQ(board->GetMinY(1, false), 1);
    EXPECT_EQ(board->GetMaxY(1, false), 4);
    EXPECT_EQ(board->GetFullLength(), 0.0);
    EXPECT_TRUE(board->IsInRect(0, 0, 5, 5, 1));
    EXPECT_FALSE(board->IsInRect(4, 0, 5, 5, 2));
    EXPECT_TRUE(board->IsInRect(2, 3, 5, 5, 3));
    EXPECT_FALSE(board->IsInRect(2, 3, 5, 5, 4));
}

TEST_F(SideSymbol, EditsMoveOnlyTheNode)
{
    const struct {
        const char* edit;
        die::coord at;
    } cases[] = {{"move", {11, 12}}, {"rotate", {-20, 10}}, {"scale", {20, 40}}, {"mirror", {-10, 20}}};
    for (const auto& c : cases) {
        auto rule = Make<CSeperationRule>(10, 20, true);
        rule->SetSelection(1);
        NodeRemap remap;
        const std::string edit = c.edit;
        if (edit == "move")
            rule->Move(remap, 1, -8);
        else if (edit == "rotate")
            rule->Rotate(remap, 0, 0, 90);
        else if (edit == "scale")
            rule->Scale(remap, 0, 0, 2, 2);
        else
            rule->Mirror(remap, 0, 0, 0, 5);
        EXPECT_NEAR(At(rule->GetNode()).x, c.at.x, 1e-3) << edit;
        EXPECT_NEAR(At(rule->GetNode()).y, c.at.y, 1e-3) << edit;
        EXPECT_EQ(rule->GetSide(), 1) << edit;
        EXPECT_NEAR(FiguresOf(*rule)[0].points[0].x, c.at.x - 1.5, 1e-3) << edit; // the figure keeps its direction
    }
}

} // namespace
