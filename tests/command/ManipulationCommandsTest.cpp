// The manipulation commands through the engine and the view's input rules:
// typed values from the scripted value dialog, elements and crossings
// picked by clicks, then the drawing and the undo step they leave.
#include "command/BridgeMoveCommand.h"
#include "command/ManipulationCommands.h"
#include "command/SectorCommands.h"

#include "command/CommandTestSupport.h"
#include "element/Arc.h"
#include "element/ElementTypes.h"
#include "element/Line.h"
#include "options/LanguageTable.h"

#include <climits>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace commandtest;

class ManipulationTest : public CommandTest {
protected:
    void SetUp() override { Show(); }
    void Line(double x1, double y1, double x2, double y2) { Layer().AddLine3(x1, y1, x2, y2, true, 1); }
    // The drawing as sorted texts: "L x1 y1 x2 y2" (the lower end first,
    // whole millimetres) for lines, "A" for anything else, and the line type
    // of a line other than 1.
    std::vector<std::string> Drawing()
    {
        std::vector<std::string> out;
        for (CElement* e : Layer()) {
            auto* line = dynamic_cast<CLine*>(e);
            if (!line) {
                out.push_back(e->GetTypeId() == ElementTypeId::Arc ? "A" : "other");
                continue;
            }
            die::coord a = Layer().Point(line->GetStartNode());
            die::coord b = Layer().Point(line->GetEndNode());
            if (std::make_pair(b.x, b.y) < std::make_pair(a.x, a.y))
                std::swap(a, b);
            const auto r = [](double v) { return std::to_string(static_cast<long>(std::lround(v))); };
            std::string text = "L " + r(a.x) + " " + r(a.y) + " " + r(b.x) + " " + r(b.y);
            if (line->GetLineType() != 1)
                text += " t" + std::to_string(line->GetLineType());
            out.push_back(text);
        }
        std::sort(out.begin(), out.end());
        return out;
    }
};

// A crossing step takes the crossing nearest to the click among those more
// than 5 pixels (2.5 mm here) away, so the clicks below stay 4 mm off them.
struct Case {
    const char* name;
    std::function<void(Section&)> draw;                      // the drawing before
    std::vector<const char*> values;                        // answers of the value dialog
    std::function<void(ViewInput&)> start;
    std::vector<std::pair<double, double>> clicks;
    std::vector<std::string> after;                         // the drawing after
    int title;                                              // the undo step's title
};

const manipcommands::ChamferAsk kFiveAndFive = [](double (&v)[5]) {
    const double given[5] = {5, 5, 0, 0, 0};
    std::copy(std::begin(given), std::end(given), v);
    return true;
};

void AddLine(Section& s, double x1, double y1, double x2, double y2)
{
    s.AddLine3(x1, y1, x2, y2, true, 1);
}

// Two lines meeting at the origin.
void Corner(Section& s)
{
    AddLine(s, 0, 0, 100, 0);
    AddLine(s, 0, 0, 0, 100);
}

// A line from (0, 0) to (100, 0) crossed by two uprights at 30 and 70.
void Crossed(Section& s)
{
    AddLine(s, 0, 0, 100, 0);
    AddLine(s, 30, -20, 30, 20);
    AddLine(s, 70, -20, 70, 20);
}

const std::vector<std::string> kUprights = {"L 30 -20 30 20", "L 70 -20 70 20"};

std::vector<std::string> With(std::vector<std::string> lines)
{
    lines.insert(lines.end(), kUprights.begin(), kUprights.end());
    std::sort(lines.begin(), lines.end());
    return lines;
}

TEST_F(ManipulationTest, EachCommandChangesTheDrawingInOneUndoStep)
{
    using namespace manipcommands;
    using namespace sectorcommands;
    const Case cases[] = {
        {"fillet with a typed radius", Corner, {"10"}, StartFillet, {{50, 0}, {0, 50}},
         {"A", "L 0 10 0 100", "L 10 0 100 0"}, 181},
        {"chamfer 5 by 5", Corner, {}, [](ViewInput& v) { StartChamfer(v, kFiveAndFive); }, {{50, 0}, {0, 50}},
         {"L 0 5 0 100", "L 0 5 5 0", "L 5 0 100 0"}, 385},
        {"length: the end nearer the pick grows", [](Section& s) { AddLine(s, 0, 0, 100, 0); },
         {"20"}, StartLength, {{90, 0}}, {"L 0 0 120 0"}, kTextLengthTitle},
        {"extend up to the boundary",
         [](Section& s) {
             AddLine(s, 100, -50, 100, 50);
             AddLine(s, 0, 0, 50, 0);
         },
         {}, StartExtend, {{100, 30}, {40, 0}}, {"L 0 0 100 0", "L 100 -50 100 50"}, 382},
        {"intersection of two lines apart",
         [](Section& s) {
             AddLine(s, 0, 0, 50, 0);
             AddLine(s, 80, -50, 80, -10);
         },
         {}, StartIntersection, {{40, 0}, {80, -20}}, {"L 0 0 80 0", "L 80 -50 80 0"}, 181},
        {"split 3.9 makes three parts", [](Section& s) { AddLine(s, 0, 0, 90, 0); },
         {"3.9"}, StartSplit, {{45, 0}}, {"L 0 0 30 0", "L 30 0 60 0", "L 60 0 90 0"}, 383},
        {"sector between two crossings", Crossed, {}, [](ViewInput& v) { StartSector(v, false); },
         {{50, 0}, {34, 1}, {66, -1}}, With({"L 0 0 30 0", "L 70 0 100 0"}), 384},
        {"sector line type keeps the stretch in the current type", Crossed, {},
         [](ViewInput& v) { StartSector(v, true); }, {{50, 0}, {34, 1}, {66, -1}},
         With({"L 0 0 30 0", "L 30 0 70 0", "L 70 0 100 0"}), 384},
        {"quick delete sector", Crossed, {}, StartQuickDeleteSector, {{45, 0}},
         With({"L 0 0 30 0", "L 70 0 100 0"}), 384},
        {"cut element at a crossing", Crossed, {}, StartCutElement, {{50, 0}, {34, 0}},
         With({"L 0 0 30 0", "L 30 0 100 0"}), 384},
        {"delete one picked element", Corner, {}, StartDeleteElement, {{50, 0}}, {"L 0 0 0 100"},
         kTextDeleteElement},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        doc_.Undo().Reset();
        for (CElement* e : Layer())
            Layer().DeleteElement(e);
        c.draw(Layer());
        const std::vector<std::string> before = Drawing();
        doc_.SetModifiedFlag(false);
        for (const char* v : c.values)
            ui_.values.push_back(QString::fromLatin1(v));
        c.start(input_);
        ASSERT_TRUE(Request().IsRunning());
        for (const auto& [x, y] : c.clicks)
            Click(x, y);
        EXPECT_EQ(Drawing(), c.after);
        EXPECT_TRUE(doc_.IsModified()) << "a change of the drawing must be saved";
        EXPECT_TRUE(Request().IsRunning()) << "the command waits for the next object";
        input_.CancelCommand();
        ASSERT_EQ(doc_.Undo().GetUndoCount(), 1);
        EXPECT_EQ(doc_.Undo().NextUndo()->title, c.title);
        doc_.Undo().Undo();
        EXPECT_EQ(Drawing(), before);
    }
}

TEST_F(ManipulationTest, FilletAndSplitRememberTheirValuesForTheNextStart)
{
    Line(0, 0, 100, 0);
    Line(0, 0, 0, 100);
    Line(200, 0, 290, 0);
    ui_.values.push_back(QStringLiteral("10"));
    manipcommands::StartFillet(input_);
    EXPECT_EQ(ui_.valueLabels.back(), Translate(manipcommands::kTextRadius));
    Click(50, 0);
    Click(0, 50);
    EXPECT_EQ(doc_.Remembered().filletRadius, 10.0);
    EXPECT_EQ(Request().CurrentIndex(), 1) << "the radius is kept: the next two lines are asked";

    ui_.values.push_back(QStringLiteral("3.9"));
    manipcommands::StartSplit(input_);
    Click(245, 0);
    EXPECT_EQ(doc_.Remembered().splitParts, 3);
    ui_.values.push_back(std::nullopt); // Cancel
    manipcommands::StartSplit(input_);
    EXPECT_EQ(Request().Step(0).defaultValue, 3.0) << "3 is offered next time";
}

TEST_F(ManipulationTest, AHugeSplitValueIsHeldToTheIntRange)
{
    Line(0, 0, 90, 0);
    ui_.values.push_back(QStringLiteral("1e12"));
    manipcommands::StartSplit(input_);
    Click(45, 0);
    EXPECT_EQ(doc_.Remembered().splitParts, INT_MAX);
    EXPECT_EQ(Drawing(), std::vector<std::string>{"L 0 0 90 0"}) << "parts too short to tell apart: unchanged";
}

TEST_F(ManipulationTest, ExtendKeepsTheBoundaryForFurtherLines)
{
    Line(100, -50, 100, 50);
    Line(0, 0, 50, 0);
    Line(0, 20, 60, 20);
    manipcommands::StartExtend(input_);
    Click(100, 40);
    Click(40, 0);
    Click(50, 20);
    EXPECT_EQ(Drawing(), (std::vector<std::string>{"L 0 0 100 0", "L 0 20 100 20", "L 100 -50 100 50"}));
    EXPECT_EQ(doc_.Undo().GetUndoCount(), 2) << "each extension is its own step";
}

TEST_F(ManipulationTest, ChamferCancelledInItsDialogStartsNothing)
{
    Line(0, 0, 100, 0);
    manipcommands::StartChamfer(input_, [](double (&)[5]) { return false; });
    EXPECT_FALSE(Request().IsRunning());
}

TEST_F(ManipulationTest, DeleteWithASelectionDeletesItAllInOneStep)
{
    Line(0, 0, 100, 0);
    Line(0, 0, 0, 100);
    Line(0, 100, 100, 100);
    int i = 0;
    for (CElement* e : Layer())
        if (i++ < 2)
            e->SetSelection(1);
    sectorcommands::StartDeleteElement(input_);
    EXPECT_FALSE(Request().IsRunning()) << "no request with a selection";
    EXPECT_EQ(Drawing(), std::vector<std::string>{"L 0 100 100 100"});
    EXPECT_EQ(doc_.Undo().GetUndoCount(), 1);
    EXPECT_TRUE(doc_.IsModified());

    // Without a selection each click deletes one element in a step of its own.
    Line(0, 0, 100, 0);
    sectorcommands::StartDeleteElement(input_);
    Click(50, 100);
    Click(50, 0);
    EXPECT_TRUE(Drawing().empty());
    input_.CancelCommand();
    EXPECT_EQ(doc_.Undo().GetUndoCount(), 3);
}

TEST_F(ManipulationTest, SplitUpTakesOnlyDieParts)
{
    Line(0, 0, 100, 0);
    Layer().AddSeperatingRule(200, 0, false, true);
    sectorcommands::StartSplitUp(input_);
    Click(50, 0);
    EXPECT_EQ(Request().CurrentIndex(), 0) << "a line is not accepted";
    CElement* rule = nullptr;
    for (CElement* e : Layer())
        if (e->GetTypeId() == ElementTypeId::SeperationRule)
            rule = e;
    ASSERT_NE(rule, nullptr);
    InputStep& step = *Request().Current();
    step.element = rule;
    step.resultKind = InputElement;
    Request().Advance(false);
    EXPECT_FALSE(Request().IsRunning()) << "split up ends after one part";
    for (CElement* e : Layer())
        EXPECT_NE(e->GetTypeId(), ElementTypeId::SeperationRule);
    EXPECT_GT(Drawing().size(), 1u);
    ASSERT_EQ(doc_.Undo().GetUndoCount(), 1);
    EXPECT_EQ(doc_.Undo().NextUndo()->title, sectorcommands::kTextSplitUpTitle);
    doc_.Undo().Undo();
    EXPECT_EQ(Drawing(), (std::vector<std::string>{"L 0 0 100 0", "other"}));
}

TEST_F(ManipulationTest, SectorDrawMarksTheCrossingTheNextClickTakes)
{
    Line(0, 0, 100, 0);
    Line(30, -20, 30, 20);
    sectorcommands::StartSector(input_, false);
    Click(50, 0);
    input_.OnMouseMove(Pixel(33, 2), {});
    overlay_.clear();
    input_.DrawOverlay(overlay_);
    const platform::DevicePoint at = Pixel(30, 0);
    bool crossed = false;
    for (const platform::RecordedLine& line : overlay_.lines())
        crossed = crossed || (line.from == platform::DevicePoint{at.x - 5, at.y - 5} &&
                              line.to == platform::DevicePoint{at.x + 6, at.y + 6});
    EXPECT_TRUE(crossed) << "a cross over the crossing at 30";
}

} // namespace

namespace {

using namespace commandtest;

class BridgeMoveTest : public ManipulationTest {};

TEST_F(BridgeMoveTest, ADraggedBridgeMovesByHandInAStepOfItsOwn)
{
    Layer().AddLine3(0, 0, 100, 0, true, 1);
    CElement* line = *Layer().begin();
    line->SetBridges({Bridge{0, 40.0, 4.0}});
    input_.popupElement = line;
    bridgemove::StartBridgeMove(input_, input_.popupElement);
    ASSERT_TRUE(Request().IsRunning());

    input_.OnMouseMove(Pixel(42, 0), {});
    input_.OnLButtonDown(Pixel(42, 0), {});
    EXPECT_EQ(Request().CurrentIndex(), 1) << "the press took the bridge";
    input_.OnMouseMove(Pixel(70, 1), {});
    overlay_.clear();
    input_.DrawOverlay(overlay_);
    EXPECT_FALSE(overlay_.calls().empty()) << "the bridge is drawn where it is dragged";
    input_.OnLButtonUp(Pixel(70, 1), {});

    CElement* moved = Layer().GetElement(0);
    ASSERT_NE(moved, line) << "a copy replaces the element";
    ASSERT_EQ(moved->GetBridges().Count(), 1);
    EXPECT_NEAR(moved->GetBridges()[0].position, 68.0, 0.01) << "the bridge's middle at the release";
    EXPECT_EQ(moved->GetBridgeMode(), BridgeMode::ByHand);
    EXPECT_TRUE(doc_.IsModified());
    EXPECT_EQ(Request().CurrentIndex(), 0) << "the next bridge of the same element";
    EXPECT_EQ(Request().Step(0).elementGiven, moved);

    input_.CancelCommand();
    ASSERT_EQ(doc_.Undo().GetUndoCount(), 1);
    EXPECT_EQ(doc_.Undo().NextUndo()->title, bridgemove::kTextTitle);
    doc_.Undo().Undo();
    EXPECT_EQ(Layer().GetElement(0), line) << "the element as it was comes back from the step";
    EXPECT_NEAR(line->GetBridges()[0].position, 40.0, 0.01);
}

} // namespace
