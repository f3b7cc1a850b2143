#pragma once
// The machine symbols painted as the view paints them: their display list
// through the figure painter on the recording device, 100 device units per
// millimetre, read back in millimetres.
#include "ElementFixture.h"

#include "common/DisplayTestSupport.h"
#include "view/FigurePainter.h"
#include "platform/BinaryStream.h"
#include "platform/RecordingDevice.h"

namespace elementtest {

struct PaintedArc {
    die::coord centre; // the middle of the arc's box
    double radius;
};

struct PaintedLine {
    die::coord from;
    die::coord to;
};

class Painted : public Elements {
protected:
    static constexpr double kScale = 100.0;

    void Paint(CElement& element)
    {
        device.clear();
        element.RebuildContour();
        element.RegenerateDisplayList(DisplayMode::Normal);
        FigurePainter painter(device, linetypes.table, ViewMapping{kScale, {0, 0}, false});
        painter.DrawList(element.GetDisplayList(), linetypes.table, DisplayMode::Normal);
    }

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

    displaytest::LinkedLinetypes linetypes;
    platform::RecordingDevice device;
};

// The record of an element as the drawing file holds it.
inline QByteArray RecordOf(const CElement& e)
{
    platform::BinaryWriter out;
    e.Save(out);
    return out.take();
}

} // namespace elementtest
