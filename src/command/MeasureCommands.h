#pragma once
// The Measure menu: distance, angle between three points, radius of an arc
// and element, and the distance pick of the automatic layout. They change
// nothing in the drawing (their requests have no title, so they open no undo
// step and never mark the document modified); the result goes to status
// pane 0 and the state bar, a distance or radius also as the view's measure
// line, which stays until the next prompt is shown or cleared.
#include <QString>

#include <functional>
#include <optional>

class CInputRequest;
class ViewInput;

namespace measurecommands {

// Menu command ids.
constexpr int kCmdDistance = 32825;
constexpr int kCmdAngle = 32816;
constexpr int kCmdRadius = 384;
constexpr int kCmdElement = 218;
// Command codes of the running request.
constexpr int kCodeDistance = 8;
constexpr int kCodeAngle = 5;
constexpr int kCodeRadius = 17;
constexpr int kCodeElement = 19;
// Language texts: prompts and results (the results are formats taking the
// numbers in the order named).
constexpr int kTextDistanceFirst = 362;
constexpr int kTextDistanceSecond = 361;
constexpr int kTextDistance = 360;  // distance, dX, dY
constexpr int kTextAngleFirst = 365;
constexpr int kTextAngleSecond = 366;
constexpr int kTextAngleThird = 367;
constexpr int kTextAngle = 258;     // degrees
constexpr int kTextPickArc = 195;
constexpr int kTextRadius = 196;    // radius
constexpr int kTextPickElement = 259;
constexpr int kTextElement = 871;   // type id, line type, length
constexpr int kTextNoAngle = 872;   // the angle has no value (a point repeated)

// What a distance measurement gives (second point minus first).
struct Distance {
    double length = 0.0;
    double dx = 0.0;
    double dy = 0.0;
};
// Between the two points as nodes of the drawing hold them (whole
// micrometres).
Distance MeasureDistance(double x1, double y1, double x2, double y2);
// The angle at the first point, counter-clockwise from the direction
// towards the second point to the direction towards the third, in degrees
// [0, 360); none when the second or third point lies on the first.
std::optional<double> MeasureAngle(double x0, double y0, double x1, double y1, double x2, double y2);

// The result texts: the language text as a format of the numbers.
QString DistanceText(const Distance& d);
QString AngleText(std::optional<double> degrees);
QString RadiusText(double radius);

void StartDistance(ViewInput& view);
void StartAngle(ViewInput& view);
void StartRadius(ViewInput& view);
void StartElement(ViewInput& view);
// The automatic layout's distance pick: as Distance, but each pair of
// points is first handed over as the difference (second minus first) to
// the layout command, then reported.
void StartLayoutDistancePick(ViewInput& view, std::function<void(double dx, double dy)> handOver);

// The reports after each finish.
int OnMeasureDistanceAfter(CInputRequest* request);
int OnMeasureAngleAfter(CInputRequest* request);
int OnMeasureRadiusAfter(CInputRequest* request);
int OnMeasureElementAfter(CInputRequest* request);

} // namespace measurecommands
