#pragma once
// A document with the line types of the view linked to the display lists,
// each special pen in a colour of its own so that a test can tell them apart.
#include "document/MorvekDoc.h"
#include "platform/RecordingDevice.h"

#include "common/DisplayTestSupport.h"

namespace viewtest {

inline constexpr platform::ColorRef kLineColour = 0x000001;
inline constexpr platform::ColorRef kHighlight = 0x000010;
inline constexpr platform::ColorRef kSelected = 0x000011;
inline constexpr platform::ColorRef kCrosshair = 0x000012;
inline constexpr platform::ColorRef kInactive = 0x000013;
inline constexpr platform::ColorRef kMovingNode = 0x000016;
inline constexpr platform::ColorRef kMeasure = 0x000017;
inline constexpr platform::ColorRef kContrast = 0x000020;

struct ViewLinetypes : displaytest::LinkedLinetypes {
    ViewLinetypes()
    {
        Add(1, LinetypeKind::Standard, -1, -1, 0, 0, 0, kLineColour);
        Add(SpecialLinetype::Highlight, LinetypeKind::Display, -1, -1, 0, 0, 0, kHighlight);
        Add(SpecialLinetype::Selected, LinetypeKind::Display, -1, -1, 0, 0, 0, kSelected);
        Add(SpecialLinetype::Crosshair, LinetypeKind::Display, -1, -1, 0, 0, 0, kCrosshair);
        Add(SpecialLinetype::InactiveLayer, LinetypeKind::Display, -1, -1, 0, 0, 0, kInactive);
        Add(SpecialLinetype::MovingNode, LinetypeKind::Display, -1, -1, 0, 0, 0, kMovingNode);
        Add(SpecialLinetype::Measure, LinetypeKind::Display, -1, -1, 0, 0, 0, kMeasure);
        table.CreateContrastLinetype(kContrast);
    }
};

} // namespace viewtest
