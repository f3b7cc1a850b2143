// Construct > Geometry > Edge and Die > Stripper > Outline by Click with a
// scripted edge dialog: the refusals (nothing selected, no contour), the
// side the distance's sign gives, one undo step per outline and the
// modified flag only when an outline was made.
#include "command/CommandTestSupport.h"

#include "command/OutlineCommands.h"
#include "element/Line.h"
#include "options/LanguageTable.h"
#include "platform/Prompt.h"
#include "section/UndoManager.h"

#include <algorithm>
#include <cmath>

namespace {

using namespace commandtest;

constexpr int kRule = 5; // the new rule's line type

// The edge dialog: answers with its settings (Cancel when none) and
// records the modes it was asked in.
struct ScriptedEdge {
    std::optional<OutlineSettings> answer;
    std::vector<bool> asked;
    outlinecommands::EdgeAsker Asker()
    {
        return [this](bool restricted) {
            asked.push_back(restricted);
            return answer;
        };
    }
};

OutlineSettings Distance(double d)
{
    OutlineSettings s;
    s.distance = d;
    s.newLineType = kRule;
    s.lineTypeFilter = -1;
    s.resolveCrossings = true;
    return s;
}

class OutlineCommands : public CommandTest {
protected:
    void SetUp() override
    {
        BindFreePointKey();
        Show();
    }
    // Selected: with everything else in the layer.
    void Rectangle(double x0, double y0, double x1, double y1, bool select)
    {
        for (const auto& [a, b] : std::vector<std::pair<die::coord, die::coord>>{
                 {{x0, y0}, {x1, y0}}, {{x1, y0}, {x1, y1}}, {{x1, y1}, {x0, y1}}, {{x0, y1}, {x0, y0}}})
            (void)Layer().AddLine3(a.x, a.y, b.x, b.y, true, 1);
        if (select)
            Layer().SelectElements(1);
    }
    // The new rule's lines as ordered end pairs, rounded to 0.01 (the builder works
    // to a few micrometres), sorted.
    std::vector<std::array<double, 4>> Rule()
    {
        std::vector<std::array<double, 4>> lines;
        const auto round = [](double v) { return std::round(v * 100.0) / 100.0 + 0.0; };
        for (CLine* line : All<CLine>()) {
            if (line->GetLineType() != kRule)
                continue;
            const die::coord a = Layer().Point(line->GetStartNode());
            const die::coord b = Layer().Point(line->GetEndNode());
            std::array<double, 4> l{round(a.x), round(a.y), round(b.x), round(b.y)};
            if (std::make_pair(l[2], l[3]) < std::make_pair(l[0], l[1]))
                l = {l[2], l[3], l[0], l[1]};
            lines.push_back(l);
        }
        std::sort(lines.begin(), lines.end());
        return lines;
    }
    static std::vector<std::array<double, 4>> Box(double x0, double y0, double x1, double y1)
    {
        std::vector<std::array<double, 4>> lines{
            {x0, y0, x1, y0}, {x1, y0, x1, y1}, {x0, y1, x1, y1}, {x0, y0, x0, y1}};
        std::sort(lines.begin(), lines.end());
        return lines;
    }

    platform::ScriptedPrompt prompt_;
    platform::ScopedOverride<platform::Prompt*> installed_ = platform::installPrompt(prompt_);
    ScriptedEdge edge_;
};

TEST_F(OutlineCommands, EdgeWithNothingSelectedShowsTheMessageAndNoDialog)
{
    Rectangle(0, 0, 100, 50, false);
    edge_.answer = Distance(5);
    EXPECT_FALSE(outlinecommands::RunEdge(input_, edge_.Asker()));
    EXPECT_TRUE(edge_.asked.empty());
    ASSERT_EQ(prompt_.texts().size(), 1u);
    EXPECT_EQ(prompt_.texts()[0], Translate(outlinecommands::kTextNothingSelected));
    EXPECT_FALSE(doc_.IsModified());
}

TEST_F(OutlineCommands, EdgeSideFollowsTheSignOfTheDistance)
{
    struct Case {
        double distance;
        std::vector<std::array<double, 4>> rule;
    };
    const Case cases[] = {
        {5.0, Box(5, 5, 95, 45)},      // a simple closed figure: inwards
        {-5.0, Box(-5, -5, 105, 55)}, // and outwards
    };
    Rectangle(0, 0, 100, 50, true);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.distance);
        edge_.answer = Distance(c.distance);
        EXPECT_TRUE(outlinecommands::RunEdge(input_, edge_.Asker()));
        EXPECT_EQ(edge_.asked.back(), false) << "Edge asks the dialog in its full mode";
        EXPECT_EQ(Rule(), c.rule);
        EXPECT_EQ(doc_.Undo().GetUndoCount(), 1);
        EXPECT_TRUE(doc_.IsModified());
        EXPECT_TRUE(prompt_.texts().isEmpty());
        doc_.Undo().Undo();
        doc_.SetModifiedFlag(false);
    }
}

TEST_F(OutlineCommands, EdgeThatMakesNothingShowsTheMessageAndLeavesNoStep)
{
    // One selected open line: no closed contour.
    (void)Layer().AddLine3(0, 0, 100, 0, true, 1);
    Layer().SelectElements(1);
    edge_.answer = Distance(5);
    EXPECT_FALSE(outlinecommands::RunEdge(input_, edge_.Asker()));
    ASSERT_EQ(prompt_.texts().size(), 1u);
    EXPECT_EQ(prompt_.texts()[0], Translate(outlinecommands::kTextNoOutline));
    EXPECT_EQ(doc_.Undo().GetUndoCount(), 0);
    EXPECT_FALSE(doc_.IsModified());
    EXPECT_TRUE(Rule().empty());
}

TEST_F(OutlineCommands, EdgeCancelledChangesNothing)
{
    Rectangle(0, 0, 100, 50, true);
    edge_.answer.reset();
    EXPECT_FALSE(outlinecommands::RunEdge(input_, edge_.Asker()));
    EXPECT_EQ(edge_.asked.size(), 1u);
    EXPECT_TRUE(prompt_.texts().isEmpty());
    EXPECT_EQ(doc_.Undo().GetUndoCount(), 0);
    EXPECT_FALSE(doc_.IsModified());
}

TEST_F(OutlineCommands, OutlineByClickTakesOnlyTheFreePointKeyAndRunsOn)
{
    Rectangle(0, 0, 100, 50, false);
    Rectangle(200, 0, 260, 40, false);
    edge_.answer = Distance(-5);
    outlinecommands::StartOutlineByClick(input_, edge_.Asker());
    Click(50, 25);
    EXPECT_TRUE(edge_.asked.empty()) << "a plain click gives no point";

    FreePoint(230, 20);
    ASSERT_EQ(edge_.asked, std::vector<bool>{true}) << "the dialog in its restricted mode";
    EXPECT_EQ(Rule(), Box(195, -5, 265, 45)) << "the contour around the point, not the other";
    EXPECT_TRUE(doc_.IsModified());
    EXPECT_EQ(doc_.commandActive, 1) << "the command runs on";

    // A point inside no contour: the message, nothing made, still running.
    FreePoint(150, 25);
    ASSERT_EQ(prompt_.texts().size(), 1u);
    EXPECT_EQ(prompt_.texts()[0], Translate(outlinecommands::kTextNoOutline));
    EXPECT_EQ(Rule().size(), 4u);
    EXPECT_EQ(doc_.commandActive, 1);

    input_.CancelCommand();
    EXPECT_EQ(doc_.Undo().GetUndoCount(), 1) << "one step for the one outline";
}

} // namespace
