#include "dlg/ArcConstruction.h"

#include "document/MorvekDoc.h"
#include "options/LanguageTable.h"
#include "platform/Prompt.h"
#include "section/Section.h"
#include "section/UndoTransaction.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

namespace dlg {

namespace {

using In = ArcInputs::Input;

// Coordinates count as equal within a micrometre, angles within 1e−9 degrees.
constexpr double kSameCoordinate = 1e-3;
constexpr double kSameAngle = 1e-9;

struct Point {
    double x, y;
};

double Radians(double degrees)
{
    return degrees * std::numbers::pi / 180.0;
}

Point OnCircle(Point c, double r, double degrees)
{
    return {c.x + r * std::cos(Radians(degrees)), c.y + r * std::sin(Radians(degrees))};
}

double Distance(Point a, Point b)
{
    return std::hypot(b.x - a.x, b.y - a.y);
}

double Cross(double ax, double ay, double bx, double by)
{
    return ax * by - ay * bx;
}

bool Finite(Point p)
{
    return std::isfinite(p.x) && std::isfinite(p.y);
}

// The centre of radius r through both ends of the chord p→q, on the right
// of the chord's direction: the midpoint moved by h along the chord's
// perpendicular. Nothing when r cannot span the chord (either extent at
// least 2r, or the chord longer than 2r) or the ends are one point.
bool CentreRightOfChord(Point p, Point q, double r, Point& centre)
{
    const double dx = q.x - p.x;
    const double dy = q.y - p.y;
    const double d = std::hypot(dx, dy);
    if (std::abs(dx) >= 2.0 * r || std::abs(dy) >= 2.0 * r || d > 2.0 * r || !(d > 0.0))
        return false;
    const double h = std::sqrt(std::max(0.0, r * r - d * d / 4.0));
    centre = {(p.x + q.x) / 2.0 + h * dy / d, (p.y + q.y) / 2.0 - h * dx / d};
    return Finite(centre);
}

// Where the perpendicular bisector of s–e meets the line through p at the
// angle; nothing when they are parallel.
bool BisectorMeetsLine(Point s, Point e, Point p, double degrees, Point& centre)
{
    const Point m{(s.x + e.x) / 2.0, (s.y + e.y) / 2.0};
    const double nx = -(e.y - s.y);
    const double ny = e.x - s.x;
    const double wx = std::cos(Radians(degrees));
    const double wy = std::sin(Radians(degrees));
    const double n = std::hypot(nx, ny);
    const double denominator = Cross(nx, ny, wx, wy);
    if (!(n > 0.0) || std::abs(denominator) <= 1e-12 * n)
        return false;
    const double t = Cross(p.x - m.x, p.y - m.y, wx, wy) / denominator;
    centre = {m.x + t * nx, m.y + t * ny};
    return Finite(centre);
}

// The centre of the circle through three points; nothing when they lie on
// one line (or two of them are one point).
bool Circumcentre(Point a, Point b, Point c, double& cx, double& cy)
{
    const double d = 2.0 * (a.x * (b.y - c.y) + b.x * (c.y - a.y) + c.x * (a.y - b.y));
    const double scale = std::max({Distance(a, b), Distance(b, c), Distance(a, c)});
    if (!(std::abs(d) > 1e-12 * scale * scale))
        return false;
    const double a2 = a.x * a.x + a.y * a.y;
    const double b2 = b.x * b.x + b.y * b.y;
    const double c2 = c.x * c.x + c.y * c.y;
    const double x = (a2 * (b.y - c.y) + b2 * (c.y - a.y) + c2 * (a.y - b.y)) / d;
    const double y = (a2 * (c.x - b.x) + b2 * (a.x - c.x) + c2 * (b.x - a.x)) / d;
    if (!std::isfinite(x) || !std::isfinite(y))
        return false;
    cx = x;
    cy = y;
    return true;
}

constexpr unsigned Bit(In input)
{
    return 1u << input;
}

// The flags each case needs, in the order the cases are tried.
constexpr unsigned kCases[] = {
    Bit(In::Start) | Bit(In::Through) | Bit(In::End),
    Bit(In::Start) | Bit(In::End) | Bit(In::Centre),
    Bit(In::Start) | Bit(In::End) | Bit(In::StartAngle),
    Bit(In::Start) | Bit(In::End) | Bit(In::EndAngle),
    Bit(In::Start) | Bit(In::End) | Bit(In::Radius),
    Bit(In::Start) | Bit(In::EndAngle) | Bit(In::Centre),
    Bit(In::StartAngle) | Bit(In::End) | Bit(In::Centre),
    Bit(In::End) | Bit(In::Through) | Bit(In::StartAngle) | Bit(In::Radius),
    Bit(In::Start) | Bit(In::Through) | Bit(In::EndAngle) | Bit(In::Radius),
    Bit(In::Through) | Bit(In::Centre) | Bit(In::StartAngle) | Bit(In::EndAngle),
    Bit(In::Centre) | Bit(In::Radius) | Bit(In::StartAngle) | Bit(In::EndAngle),
};

bool HasAll(const ArcInputs& inputs, unsigned needed)
{
    unsigned given = 0;
    for (int i = 0; i < ArcInputs::kInputCount; ++i)
        if (inputs.given[i])
            given |= 1u << i;
    return (given & needed) == needed;
}

// One case's arc, or nothing with the messages it shows.
std::optional<ArcGeometry> TryCase(int number, ArcInputs& in, std::vector<int>& messages)
{
    const Point s{in.sx, in.sy};
    const Point e{in.ex, in.ey};
    const Point t{in.tx, in.ty};
    Point c{in.cx, in.cy};
    const auto arc = [](Point centre, Point from, Point to) {
        return ArcGeometry{centre.x, centre.y, from.x, from.y, to.x, to.y};
    };
    switch (number) {
    case 1:
        if (!Circumcentre(s, t, e, in.cx, in.cy)) {
            messages.push_back(kTextArcCollinear);
            return std::nullopt;
        }
        return arc({in.cx, in.cy}, s, e);
    case 2:
        return arc(c, s, e);
    case 3:
    case 4: {
        const bool atStart = number == 3;
        const double level = atStart ? s.x - e.x : s.y - e.y;
        const double angle = atStart ? in.startAngle : in.endAngle;
        bool refused = false;
        if (std::abs(level) < kSameCoordinate) {
            messages.push_back(kTextArcAxisParallel);
            refused = true;
        }
        if (std::abs(angle - 90.0) < kSameAngle) {
            messages.push_back(kTextArcAngle90);
            refused = true;
        }
        if (refused)
            return std::nullopt;
        if (!BisectorMeetsLine(s, e, atStart ? s : e, angle, c)) {
            messages.push_back(kTextArcAngleParallel);
            return std::nullopt;
        }
        return arc(c, s, e);
    }
    case 5:
        if (!CentreRightOfChord(s, e, in.radius, c)) {
            messages.push_back(kTextArcRadiusShort);
            return std::nullopt;
        }
        return arc(c, s, e);
    case 6:
        return arc(c, s, OnCircle(c, Distance(c, s), in.endAngle));
    case 7:
        return arc(c, OnCircle(c, Distance(c, e), in.startAngle), e);
    case 8:
        if (!CentreRightOfChord(t, e, in.radius, c)) {
            messages.push_back(kTextArcRadiusShort);
            return std::nullopt;
        }
        return arc(c, OnCircle(c, in.radius, in.startAngle), e);
    case 9:
        if (!CentreRightOfChord(s, t, in.radius, c)) {
            messages.push_back(kTextArcRadiusShort);
            return std::nullopt;
        }
        return arc(c, s, OnCircle(c, Distance(c, s), in.endAngle));
    case 10:
    case 11: {
        const double r = number == 10 ? Distance(c, t) : in.radius;
        const Point from = OnCircle(c, r, in.startAngle);
        const Point to = std::abs(in.endAngle - in.startAngle) < kSameAngle ? from : OnCircle(c, r, in.endAngle);
        return arc(c, from, to);
    }
    default:
        return std::nullopt;
    }
}

} // namespace

bool HasEnoughInput(const ArcInputs& inputs)
{
    for (unsigned needed : kCases)
        if (HasAll(inputs, needed))
            return true;
    return false;
}

int RunArcCases(ArcInputs& inputs, const std::function<bool(const ArcGeometry&)>& add, std::vector<int>& messages)
{
    int number = 0;
    for (unsigned needed : kCases) {
        ++number;
        if (!HasAll(inputs, needed))
            continue;
        const std::optional<ArcGeometry> arc = TryCase(number, inputs, messages);
        if (arc && add(*arc))
            return number;
    }
    return 0;
}

bool AddArcFromInputs(CMorvekDoc& doc, ArcInputs& inputs)
{
    Section* section = doc.GetCurrentSection();
    if (!section)
        return false;
    std::vector<int> messages;
    bool added = false;
    {
        // An OK that adds nothing rolls its step back: no empty step stays.
        UndoTransaction step(doc.Undo(), kTextArcTitle, section);
        added = RunArcCases(
                    inputs,
                    [section](const ArcGeometry& g) {
                        return !section->AddArc3(g.cx, g.cy, g.sx, g.sy, g.ex, g.ey, true,
                                                 section->CurrentArcLineType())
                                    .AtEnd();
                    },
                    messages)
             != 0;
        if (added)
            (void)step.commit(); // the arc changed the drawing; the listener marked it
    }
    for (int message : messages)
        (void)platform::ask(Translate(message), QString(), platform::PromptButtons::Ok,
                            platform::PromptIcon::Warning); // a warning with OK only
    return added;
}

} // namespace dlg
