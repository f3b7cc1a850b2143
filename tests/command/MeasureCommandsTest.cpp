// The Measure menu through the engine and the view's input rules: the
// values measured, the texts of the status bar (formatted whatever the
// process locale), the measure line, and that nothing changes the drawing.
#include "command/MeasureCommands.h"

#include "command/CommandTestSupport.h"
#include "common/LanguageTestSupport.h"
#include "element/Arc.h"
#include "options/KeyBinding.h"
#include "options/LanguageTable.h"
#include "platform/Registry.h"

#include <cstdint>
#include <limits>
#include <optional>

namespace {

using namespace commandtest;
using namespace measurecommands;

class MeasureCommandTest : public CommandTest {
protected:
    void SetUp() override
    {
        language_.emplace(env_, "[360]\nENG=D %.3f dX %.3f dY %.3f\n[258]\nENG=A %.3f\n[196]\nENG=R %.3f\n"
                                "[871]\nENG=E %d %d %.3f\n[872]\nENG=no angle\n"
                                "[362]\nENG=first\n[361]\nENG=second\n");
        BindFreePointKey();
        Show();
    }
    std::vector<int> MeasureLine() const
    {
        if (!core_.HasRubberLine())
            return {};
        const int* e = core_.RubberLineEnds();
        return {e[0], e[1], e[2], e[3]};
    }

    std::optional<test::ScopedLanguage> language_;
};

TEST(MeasureValues, DistancesAndAnglesAsNodesHoldThePoints)
{
    struct DistanceCase {
        double x1, y1, x2, y2, length, dx, dy;
    };
    const DistanceCase distances[] = {
        {0, 0, 3, 4, 5, 3, 4},
        {10, 20, 7.5, 20, 2.5, -2.5, 0},
        {-1, -1, -1, -1, 0, 0, 0},
        {0, 0, 0.0004, 0.0009, 0, 0, 0}, // below a micrometre: the same node
    };
    for (const DistanceCase& c : distances) {
        const Distance d = MeasureDistance(c.x1, c.y1, c.x2, c.y2);
        EXPECT_NEAR(d.length, c.length, 1e-9) << c.x2;
        EXPECT_NEAR(d.dx, c.dx, 1e-9) << c.x2;
        EXPECT_NEAR(d.dy, c.dy, 1e-9) << c.x2;
    }

    struct AngleCase {
        double x0, y0, x1, y1, x2, y2;
        std::optional<double> degrees;
    };
    const AngleCase angles[] = {
        {0, 0, 1, 0, 0, 1, 90.0},
        {0, 0, 1, 0, 0, -1, 270.0},
        {5, 5, 5, 9, 1, 5, 90.0},
        {0, 0, 1, 0, 2, 0, 0.0},
        {0, 0, 1, 0, -3, 0, 180.0},
        {2, 2, 2, 2, 0, 1, std::nullopt}, // the second point on the first
        {2, 2, 0, 1, 2, 2, std::nullopt}, // the third point on the first
    };
    for (const AngleCase& c : angles) {
        const std::optional<double> a = MeasureAngle(c.x0, c.y0, c.x1, c.y1, c.x2, c.y2);
        ASSERT_EQ(a.has_value(), c.degrees.has_value()) << c.x1 << " " << c.y1 << " " << c.x2 << " " << c.y2;
        if (a) {
            EXPECT_NEAR(*a, *c.degrees, 1e-9) << c.x1 << " " << c.y1 << " " << c.x2 << " " << c.y2;
        }
    }
}

TEST_F(MeasureCommandTest, DistanceReportsEachPairAndKeepsTheLastResultShown)
{
    StartDistance(input_);
    CInputRequest& r = Request();
    EXPECT_EQ(r.CommandCode(), kCodeDistance);
    EXPECT_EQ(ui_.status, QStringLiteral("first") + input_.FreePointHint());
    FreePoint(10, 20);
    EXPECT_EQ(ui_.status, QStringLiteral("second"));
    FreePoint(13.5, 24);
    EXPECT_EQ(ui_.status, QStringLiteral("D 5.315 dX 3.500 dY 4.000"));
    EXPECT_EQ(ui_.state, ui_.status);
    EXPECT_EQ(MeasureLine(), (std::vector<int>{10000, 20000, 13500, 24000}));
    EXPECT_TRUE(r.IsRunning());

    // The next pair: no prompt in between, the last result stays.
    FreePoint(0, 0);
    EXPECT_EQ(ui_.status, QStringLiteral("D 5.315 dX 3.500 dY 4.000"));
    EXPECT_FALSE(MeasureLine().empty());
    FreePoint(0, -2);
    EXPECT_EQ(ui_.status, QStringLiteral("D 2.000 dX 0.000 dY -2.000"));
    EXPECT_EQ(MeasureLine(), (std::vector<int>{0, 0, 0, -2000}));

    input_.CancelCommand();
    EXPECT_TRUE(MeasureLine().empty());
    EXPECT_FALSE(doc_.IsModified());
    EXPECT_EQ(doc_.Undo().GetUndoCount(), 0);
}

TEST_F(MeasureCommandTest, MeasureLineEndsHeldAtTheMicrometreLimits)
{
    StartDistance(input_);
    CInputRequest& r = Request();
    r.Step(0).x = -1e7;
    r.Step(0).y = 5.0;
    r.Step(1).x = 3e6;
    r.Step(1).y = 5.0;
    ASSERT_EQ(OnMeasureDistanceAfter(&r), 1);
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    EXPECT_EQ(MeasureLine(), (std::vector<int>{kMin, 5000, kMax, 5000}));
}

TEST_F(MeasureCommandTest, AngleEndsAfterOneResultAndNamesAnAngleWithoutValue)
{
    StartAngle(input_);
    FreePoint(0, 0);
    FreePoint(10, 0);
    FreePoint(0, -10);
    EXPECT_EQ(ui_.status, QStringLiteral("A 270.000"));
    EXPECT_FALSE(Request().IsRunning());
    EXPECT_TRUE(MeasureLine().empty());

    StartAngle(input_);
    FreePoint(4, 4);
    FreePoint(4, 4);
    FreePoint(0, 9);
    EXPECT_EQ(ui_.status, QStringLiteral("no angle"));
    EXPECT_FALSE(doc_.IsModified());
}

TEST_F(MeasureCommandTest, RadiusTakesArcsOnlyAndElementReportsItsLength)
{
    Layer().AddLine3(0, 100, 40, 100, true, 1);
    Layer().AddArc3(100, 100, 130, 100, 130, 100, true, 1); // a circle of radius 30
    core_.Paint(drawing_, overlay_, kWidth, kHeight);

    StartRadius(input_);
    Click(20, 100); // the line: refused
    EXPECT_TRUE(Request().IsRunning());
    EXPECT_TRUE(MeasureLine().empty());
    Click(100, 130); // the circle
    EXPECT_EQ(ui_.status, QStringLiteral("R 30.000"));
    EXPECT_EQ(MeasureLine(), (std::vector<int>{100000, 100000, 130000, 100000}));
    EXPECT_FALSE(Request().IsRunning());

    StartElement(input_);
    Click(20, 100);
    EXPECT_EQ(ui_.status, QStringLiteral("E 2 1 40.000"));
    EXPECT_FALSE(Request().IsRunning());
    EXPECT_FALSE(doc_.IsModified());
    EXPECT_EQ(doc_.Undo().GetUndoCount(), 0);
}

TEST_F(MeasureCommandTest, ElementHandsThePickedElementToThePropertiesAfterItsReport)
{
    CElement* line = *Layer().AddLine3(0, 100, 40, 100, true, 1);
    core_.Paint(drawing_, overlay_, kWidth, kHeight);
    StartElement(input_);
    Click(20, 100);
    EXPECT_EQ(doc_.GetEditElement(), line);
    EXPECT_EQ(ui_.propertiesShownWith, std::vector<QString>{QStringLiteral("E 2 1 40.000")});
    EXPECT_EQ(ui_.status, QStringLiteral("E 2 1 40.000")) << "the line stays";
}

TEST_F(MeasureCommandTest, LayoutPickHandsOverTheDifferenceThenReports)
{
    std::vector<std::pair<double, double>> handed;
    StartLayoutDistancePick(input_, [&](double dx, double dy) {
        handed.emplace_back(dx, dy);
        EXPECT_EQ(ui_.status, QStringLiteral("second")) << "the report comes after the hand-over";
    });
    FreePoint(5, 5);
    FreePoint(25, -5);
    ASSERT_EQ(handed.size(), 1u);
    EXPECT_DOUBLE_EQ(handed[0].first, 20.0);
    EXPECT_DOUBLE_EQ(handed[0].second, -10.0);
    EXPECT_EQ(ui_.status, QStringLiteral("D 22.361 dX 20.000 dY -10.000"));
    EXPECT_TRUE(Request().IsRunning());
}

TEST_F(MeasureCommandTest, EachStartEntryPointStartsItsCommand)
{
    const std::pair<void (*)(ViewInput&), int> commands[] = {
        {StartDistance, kCodeDistance}, {StartAngle, kCodeAngle}, {StartRadius, kCodeRadius}, {StartElement, kCodeElement}};
    for (const auto& [start, code] : commands) {
        start(input_);
        EXPECT_EQ(Request().CommandCode(), code);
        EXPECT_TRUE(Request().IsRunning());
        input_.CancelCommand();
    }
}

} // namespace
