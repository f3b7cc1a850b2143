#pragma once
// The symbols on one node on a node table of their own: their display-list
// figures as plain values for tables, their drawing through the view's
// figure painter on the recording device (read back in millimetres for the
// machine symbols), and their records.
#include "ElementFixture.h"

#include "common/DisplayTestSupport.h"
#include "view/FigurePainter.h"
#include "platform/BinaryStream.h"
#include "platform/RecordingDevice.h"

#include <QByteArray>

#include <ostream>
#include <string>
#include <vector>

namespace elementtest {

// The record of an element as the drawing file holds it.
inline QByteArray RecordOf(const CElement& e)
{
    platform::BinaryWriter out;
    e.Save(out);
    return out.take();
}

// One figure of a display list: its kind and defining points (mm).
struct Figure {
    int kind = FigureKind::Line;
    std::vector<die::coord> points;
};

inline std::ostream& operator<<(std::ostream& os, const Figure& f)
{
    os << (f.kind == FigureKind::Arc ? "arc" : f.kind == FigureKind::Line ? "line" : "figure");
    for (const die::coord& p : f.points)
        os << " (" << p.x << ", " << p.y << ')';
    return os;
}

inline Figure Line(die::coord from, die::coord to)
{
    return {FigureKind::Line, {from, to}};
}

// A full circle as the symbols make it: from straight above the centre.
inline Figure Circle(die::coord centre, double r)
{
    const die::coord top = centre + die::coord{0, r};
    return {FigureKind::Arc, {centre, top, top}};
}

class Symbols : public Elements {
protected:
    Symbols()
    {
        for (int type : {122, 126})
            linetypes.Add(type, LinetypeKind::Standard, -1, -1, 0, 0, 0, platform::rgb(255, 255, 255));
    }

    static std::vector<Figure> FiguresOf(CElement& e)
    {
        e.RebuildContour();
        std::vector<Figure> out;
        for (const DisplayFigure& f : e.GetDisplayList().Figures())
            out.push_back({f.kind, f.points});
        return out;
    }

    static void ExpectFigures(CElement& e, const std::vector<Figure>& expected)
    {
        const std::vector<Figure> actual = FiguresOf(e);
        ASSERT_EQ(actual.size(), expected.size());
        for (std::size_t i = 0; i < actual.size(); ++i) {
            bool same = actual[i].kind == expected[i].kind && actual[i].points.size() == expected[i].points.size();
            for (std::size_t p = 0; same && p < actual[i].points.size(); ++p)
                same = std::abs(actual[i].points[p].x - expected[i].points[p].x) < 1e-9
                    && std::abs(actual[i].points[p].y - expected[i].points[p].y) < 1e-9;
            EXPECT_TRUE(same) << "figure " << i << ": " << actual[i] << ", expected " << expected[i];
        }
    }

    // Paints the display list as the view does, by default at one device
    // unit per mm with the model origin at device (0, 100) (so y = 60 mm is
    // device 40).
    platform::RecordingDevice& Paint(CElement& e, const ViewMapping& mapping = {1.0, {0, 100}, false})
    {
        e.RebuildContour();
        e.RegenerateDisplayList(DisplayMode::Normal);
        device.clear();
        FigurePainter painter(device, linetypes.table, mapping);
        painter.DrawList(e.GetDisplayList(), linetypes.table, DisplayMode::Normal);
        return device;
    }

    displaytest::LinkedLinetypes linetypes;
    platform::RecordingDevice device;
};

struct PaintedArc {
    die::coord centre; // the middle of the arc's box
    double radius;
};

struct PaintedLine {
    die::coord from;
    die::coord to;
};

// The machine symbols painted at 100 device units per millimetre, the model
// origin at the device's, read back in millimetres.
class Painted : public Symbols {
protected:
    static constexpr double kScale = 100.0;

    void Paint(CElement& element) { (void)Symbols::Paint(element, ViewMapping{kScale, {0, 0}, false}); }

    std::vector<PaintedArc> Arcs() const
    {
        std::vector<PaintedArc> arcs;
        for (const platform::RecordedCall& call : device.callsOf(platform::RecordedCall::Kind::Arc)) {
            const platform::DevicePoint a = call.points[0];
            const platform::DevicePoint b = call.points[1];
            arcs.push_back({{(a.x + b.x) / 2.0 / kScale, -(a.y + b.y) / 2.0 / kScale}, (b.x - a.x) / 2.0 / kScale});
        }
        return arcs;
    }

    std::vector<PaintedLine> Lines() const
    {
        std::vector<PaintedLine> lines;
        for (const platform::RecordedLine& l : device.lines())
            lines.push_back({{l.from.x / kScale, -l.from.y / kScale}, {l.to.x / kScale, -l.to.y / kScale}});
        return lines;
    }

    // Within one device unit (and its rounding) of the expected point.
    static void ExpectAt(const die::coord& actual, const die::coord& expected, const std::string& what)
    {
        EXPECT_NEAR(actual.x, expected.x, 0.011) << what;
        EXPECT_NEAR(actual.y, expected.y, 0.011) << what;
    }
};

} // namespace elementtest
