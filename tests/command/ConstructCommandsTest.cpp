// The Construct commands through the engine and the view's input rules:
// typed values, free points and clicks on elements, the objects they add
// and one undo step per object.
#include "command/ConstructCommands.h"
#include "command/QuickDimensionCommands.h"

#include "command/CommandTestSupport.h"
#include "element/Arc.h"
#include "element/ElementTypes.h"
#include "element/Ellipse.h"
#include "element/Line.h"
#include "element/Measure.h"
#include "element/Spline.h"
#include "element/Text.h"
#include "options/KeyBinding.h"
#include "options/LanguageTable.h"
#include "platform/Prompt.h"
#include "platform/Registry.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

using namespace commandtest;
namespace cc = constructcommands;

class ConstructCommandTest : public CommandTest {
protected:
    void SetUp() override
    {
        BindFreePointKey();
        Show();
    }
    int Count()
    {
        int n = 0;
        for (CElement* e : Layer())
            n += e ? 1 : 0;
        return n;
    }
    die::coord P(int node) { return Layer().Point(node); }
    // Undoes every step, checking that each takes away one object.
    void ExpectOneStepPerObject(int objects, int elementsPerObject)
    {
        ASSERT_EQ(doc_.Undo().GetUndoCount(), objects);
        for (int i = objects; i > 0; --i) {
            EXPECT_EQ(Count(), i * elementsPerObject);
            doc_.Undo().Undo();
        }
        EXPECT_EQ(Count(), 0);
    }
};

TEST_F(ConstructCommandTest, CircleTakesTheTypedRadiusAndKeepsItForFurtherCentres)
{
    ui_.values = {QStringLiteral("25")};
    cc::StartCircle(input_);
    EXPECT_EQ(Request().Step(0).defaultValue, 100.0) << "the first circle offers 100";
    EXPECT_EQ(ui_.valueLabels.back(), Translate(cc::kTextRadius));
    FreePoint(50, 50);
    FreePoint(150, 50);
    const std::vector<CArc*> circles = All<CArc>();
    ASSERT_EQ(circles.size(), 2u);
    for (CArc* c : circles) {
        EXPECT_EQ(c->GetStartNode(), c->GetEndNode()) << "a full circle";
        EXPECT_NEAR(c->GetRadius(), 25.0, 1e-9);
        EXPECT_NEAR(P(c->GetStartNode()).y, 75.0, 1e-9) << "it starts above the centre";
    }
    EXPECT_EQ(ui_.valueLabels.size(), 1u) << "the radius is asked once";
    input_.CancelCommand();
    EXPECT_EQ(doc_.Remembered().circleRadius, 25.0);
    ExpectOneStepPerObject(2, 1);

    // A radius of 0 adds nothing and leaves the drawing unchanged.
    doc_.SetModifiedFlag(false);
    ui_.values = {QStringLiteral("0")};
    cc::StartCircle(input_);
    FreePoint(50, 50);
    EXPECT_EQ(Count(), 0);
    EXPECT_FALSE(doc_.IsModified());
    input_.CancelCommand();
}

TEST_F(ConstructCommandTest, SplineGrowsByOnePointPerClickUntilCancelled)
{
    cc::StartSpline(input_);
    const double xs[] = {0, 20, 40, 60, 80};
    for (double x : xs)
        FreePoint(x, std::fmod(x, 40.0) == 0 ? 0 : 15);
    ASSERT_EQ(All<CSpline>().size(), 1u);
    EXPECT_EQ(All<CSpline>()[0]->GetNodeCount(), 5);
    EXPECT_TRUE(Request().IsRunning());
    EXPECT_EQ(ui_.status, Translate(cc::kTextNextPoint));
    input_.CancelCommand();
    ASSERT_EQ(doc_.Undo().GetUndoCount(), 3) << "the spline, then one step per further point";
    doc_.Undo().Undo();
    EXPECT_EQ(All<CSpline>()[0]->GetNodeCount(), 4);
}

TEST_F(ConstructCommandTest, ParallelCopiesGoToThePickedSideAndEachCommandKeepsItsDistance)
{
    Layer().AddLine3(0, 0, 0, 100, true, 1);   // vertical
    Layer().AddLine3(100, 0, 200, 0, true, 1); // horizontal
    const struct {
        const char* name;
        cc::ParallelKind kind;
        const char* typed;
        double pickX, pickY;
        double x1, y1, x2, y2; // the copy
    } cases[] = {
        {"Parallel X, left of the line", cc::ParallelX, "20", -1, 50, -20, 0, -20, 100},
        {"Parallel X, right", cc::ParallelX, "20", 1, 50, 20, 0, 20, 100},
        {"Parallel Y, below", cc::ParallelY, "30", 150, -1, 100, -30, 200, -30},
        {"Parallel of a line, above it", cc::ParallelAlong, "5", 150, 1, 100, 5, 200, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::size_t before = All<CLine>().size();
        ui_.values = {QString::fromLatin1(c.typed)};
        cc::StartParallel(input_, c.kind);
        Click(c.pickX, c.pickY);
        input_.CancelCommand();
        const std::vector<CLine*> lines = All<CLine>();
        ASSERT_EQ(lines.size(), before + 1);
        const die::coord a = P(lines.back()->GetStartNode());
        const die::coord b = P(lines.back()->GetEndNode());
        EXPECT_NEAR(std::min(a.x, b.x), std::min(c.x1, c.x2), 1e-9);
        EXPECT_NEAR(std::max(a.x, b.x), std::max(c.x1, c.x2), 1e-9);
        EXPECT_NEAR(std::min(a.y, b.y), std::min(c.y1, c.y2), 1e-9);
        EXPECT_NEAR(std::max(a.y, b.y), std::max(c.y1, c.y2), 1e-9);
    }
    EXPECT_EQ(doc_.Undo().GetUndoCount(), 4);
    // Each command offers the distance it used last.
    cc::StartParallel(input_, cc::ParallelX);
    EXPECT_EQ(Request().Step(0).defaultValue, 20.0);
    input_.CancelCommand();
    cc::StartParallel(input_, cc::ParallelY);
    EXPECT_EQ(Request().Step(0).defaultValue, 30.0);
    input_.CancelCommand();
    cc::StartParallel(input_, cc::ParallelAlong);
    EXPECT_EQ(Request().Step(0).defaultValue, 5.0);
    input_.CancelCommand();
}

TEST_F(ConstructCommandTest, ParallelOfACircleIsAFullCircleOnOneNodeAndRestartsForMore)
{
    Layer().AddArc3(100, 100, 100, 120, 100, 120, true, 1); // radius 20
    ui_.values = {QStringLiteral("10")};
    cc::StartParallel(input_, cc::ParallelAlong);
    Click(121, 100); // outside
    Click(119, 100); // inside
    input_.CancelCommand();
    const std::vector<CArc*> arcs = All<CArc>();
    ASSERT_EQ(arcs.size(), 3u);
    EXPECT_NEAR(arcs[1]->GetRadius(), 30.0, 1e-9);
    EXPECT_NEAR(arcs[2]->GetRadius(), 10.0, 1e-9);
    for (CArc* arc : arcs)
        EXPECT_EQ(arc->GetStartNode(), arc->GetEndNode());
    EXPECT_EQ(doc_.Undo().GetUndoCount(), 2);
}

// The finish run on steps filled as the engine leaves them.
int FinishParallel(CInputRequest& r, CElement* element, double distance, double x, double y)
{
    r.Step(0).value = distance;
    r.Step(0).resultKind = InputValue;
    r.Step(1).element = element;
    r.Step(1).resultKind = InputElement;
    r.Step(1).x = x;
    r.Step(1).y = y;
    return r.Command()->Finish(r);
}

TEST_F(ConstructCommandTest, ParallelOfAPartOfAnEllipseStaysAPartAndOfASplineFollowsIt)
{
    // A half ellipse: semi-axes 40 (x) and 20 (y), from (140, 100) over the top to (60, 100).
    CElement* half = Layer().AddEllipse4(100, 100, 60, 100, 140, 100, 140, 100, 100, 120, true, 1).Get();
    ASSERT_NE(half, nullptr);
    CElement* spline = Layer().AddSpline1(0, 0, 20, 10, 40, 0, true, 1).Get();
    ASSERT_NE(spline, nullptr);
    CInputRequest& r = Request();
    cc::StartParallel(input_, cc::ParallelAlong); // its value dialog cancelled: the steps stay
    ASSERT_EQ(FinishParallel(r, half, 5, 100, 121), 1);
    auto* copy = All<CEllipse>().back();
    ASSERT_NE(copy, half);
    EXPECT_NE(copy->GetStartNode(), copy->GetEndNode()) << "not a whole ellipse";
    double phi = 0, a = 0, b = 0;
    die::coord c;
    ASSERT_TRUE(copy->GetGeometry(phi, a, b, c));
    EXPECT_NEAR(std::max(a, b), 45.0, 1e-6);
    EXPECT_NEAR(std::min(a, b), 25.0, 1e-6);
    EXPECT_NEAR(copy->GetSweepAngle(), static_cast<CEllipse*>(half)->GetSweepAngle(), 1e-6);

    ASSERT_EQ(FinishParallel(r, spline, 3, 20, 11), 1);
    const auto* moved = All<CSpline>().back();
    ASSERT_EQ(moved->GetNodeCount(), 3);
    EXPECT_NEAR(P(moved->GetNodes()[1]).y, 13.0, 1e-6) << "the top moves up by the distance";

    // An element without a parallel: the message, nothing added.
    CElement* cuir = Layer().AddCuirAt(300, 300, 21, 0, 10, true).Get();
    platform::ScriptedPrompt prompt{platform::PromptResult::Ok};
    const auto installed = platform::installPrompt(prompt);
    const int before = Count();
    EXPECT_EQ(FinishParallel(r, cuir, 3, 300, 300), 0);
    EXPECT_EQ(prompt.texts(), QStringList{Translate(cc::kTextParallelRefused)});
    EXPECT_EQ(Count(), before);
}

TEST_F(ConstructCommandTest, AngleBisectorRunsFromTheCornerBetweenThePickedLines)
{
    Layer().AddLine3(0, 0, 100, 0, true, 1);
    Layer().AddLine3(0, 0, 0, 100, true, 1);
    ui_.values = {QStringLiteral("50")};
    cc::StartAngleBisector(input_);
    EXPECT_EQ(ui_.status, Translate(cc::kTextBisectorFirst));
    Click(60, 0);
    EXPECT_EQ(ui_.status, Translate(cc::kTextBisectorSecond));
    Click(0, 60);
    input_.CancelCommand();
    ASSERT_EQ(All<CLine>().size(), 3u);
    const CLine* bisector = All<CLine>().back();
    const die::coord a = P(bisector->GetStartNode());
    const die::coord b = P(bisector->GetEndNode());
    const die::coord far = std::hypot(a.x, a.y) > std::hypot(b.x, b.y) ? a : b;
    EXPECT_NEAR(far.x, 50 / std::sqrt(2.0), 0.001);
    EXPECT_NEAR(far.y, 50 / std::sqrt(2.0), 0.001);
    EXPECT_EQ(doc_.Remembered().bisectorLength, 50.0);
    EXPECT_EQ(doc_.Undo().GetUndoCount(), 1);
}

TEST_F(ConstructCommandTest, ShapesAtTheClickedCentreOneUndoStepEach)
{
    options_.SetNamedInt("polygon_edges", 6);
    options_.SetNamedDouble("polygon_length", 10.0);
    options_.SetNamedDouble("rectangle_width", 40.0);
    options_.SetNamedDouble("rectangle_height", 20.0);
    options_.SetNamedDouble("rectangle_radius", 5.0);
    const struct {
        const char* name;
        void (*start)(ViewInput&);
        int elementsPerObject;
        int typeId; // of the first element
    } cases[] = {
        {"hexagon", cc::StartPolygon, 6, ElementTypeId::Line},
        {"rounded rectangle", cc::StartRectangle, 8, ElementTypeId::Line},
        {"holder", cc::StartHolders, 1, ElementTypeId::Holder},
        {"cuir", cc::StartCuir, 1, ElementTypeId::Cuir},
        {"storage spacer", cc::StartStorageSpacer, 1, ElementTypeId::BobstAsm},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.start(input_);
        EXPECT_EQ(ui_.status, Translate(cc::kTextCentre) + input_.FreePointHint()) << "the first prompt names the free-point key";
        FreePoint(100, 100);
        FreePoint(300, 100);
        EXPECT_TRUE(Request().IsRunning());
        input_.CancelCommand();
        ASSERT_GT(Count(), 0);
        EXPECT_EQ(Layer().begin().Get()->GetTypeId(), c.typeId);
        ExpectOneStepPerObject(2, c.elementsPerObject);
    }
}

TEST_F(ConstructCommandTest, ARectangleTurnsByItsAngleAboutTheClick)
{
    options_.SetNamedDouble("rectangle_width", 100.0);
    options_.SetNamedDouble("rectangle_height", 50.0);
    options_.SetNamedDouble("rectangle_radius", 0.0);
    options_.SetNamedDouble("rectangle_angle", 30.0);
    cc::StartRectangle(input_);
    FreePoint(200, 100);
    input_.CancelCommand();
    // Each corner at (±50, ±25) from the click, turned by 30°; saved with
    // the drawing and read back.
    CMorvekDoc read;
    QString error;
    ASSERT_TRUE(read.LoadFile(QStringLiteral("turned.n"), doc_.WriteFile(), &error)) << error.toStdString();
    const double c = std::cos(std::numbers::pi / 6), s = std::sin(std::numbers::pi / 6);
    for (CMorvekDoc* doc : {&doc_, &read}) {
        std::vector<die::coord> starts;
        for (CElement* e : *doc->GetCurrentSection())
            if (auto* line = dynamic_cast<CLine*>(e))
                starts.push_back(doc->GetCurrentSection()->Point(line->GetStartNode()));
        ASSERT_EQ(starts.size(), 4u);
        for (const auto& [x, y] : {std::pair{-50.0, -25.0}, {50.0, -25.0}, {50.0, 25.0}, {-50.0, 25.0}}) {
            const die::coord corner(200 + x * c - y * s, 100 + x * s + y * c);
            EXPECT_TRUE(std::any_of(starts.begin(), starts.end(), [&](const die::coord& p) {
                return std::hypot(p.x - corner.x, p.y - corner.y) < 2e-3;
            })) << x << " " << y;
        }
    }
}

TEST_F(ConstructCommandTest, QuickTextAsksItsTextFirstAndCancelStartsNothing)
{
    ui_.values = {std::nullopt};
    cc::StartQuickText(input_);
    EXPECT_FALSE(Request().IsRunning());

    ui_.values = {QStringLiteral("Grain")};
    cc::StartQuickText(input_);
    EXPECT_EQ(ui_.valueLabels.back(), Translate(cc::kTextQuickTextLabel));
    EXPECT_EQ(ui_.status, Translate(cc::kTextQuickTextPoint) + input_.FreePointHint());
    FreePoint(10, 10);
    input_.CancelCommand();
    ASSERT_EQ(All<CText>().size(), 1u);
    EXPECT_EQ(All<CText>()[0]->GetText(), QStringLiteral("Grain"));
    EXPECT_EQ(doc_.Remembered().quickText, QStringLiteral("Grain"));
    EXPECT_EQ(doc_.Undo().GetUndoCount(), 1);
}

TEST_F(ConstructCommandTest, QuickDimensionsFromPicksOneUndoStepEach)
{
    Layer().AddArc3(100, 100, 100, 120, 100, 120, true, 1);
    quickdimensions::StartRadial(input_);
    EXPECT_EQ(ui_.status, Translate(quickdimensions::kTextPickArc));
    FreePoint(300, 300); // no arc there: still the first step
    EXPECT_EQ(Request().CurrentIndex(), 0);
    Click(121, 100);
    EXPECT_EQ(ui_.status, Translate(quickdimensions::kTextPosition));
    FreePoint(150, 150);
    input_.CancelCommand();

    quickdimensions::StartParallel(input_);
    FreePoint(0, 0);
    FreePoint(50, 0);
    FreePoint(25, 10);
    FreePoint(60, 0);
    FreePoint(60, 0); // one point twice measures nothing
    FreePoint(60, 10);
    input_.CancelCommand();

    const std::vector<CMeasure*> measures = All<CMeasure>();
    ASSERT_EQ(measures.size(), 2u);
    EXPECT_EQ(measures[0]->GetKind(), DimensionKind::Radial);
    EXPECT_EQ(measures[1]->GetKind(), DimensionKind::Aligned);
    EXPECT_EQ(doc_.Undo().GetUndoCount(), 2);
}

} // namespace
