#include "platform/DrawingObjects.h"

#include <algorithm>
#include <cmath>
#include <ostream>

namespace platform {

int toDeviceUnits(double scaled)
{
    constexpr double limit = 1.0e9;
    if (std::isnan(scaled))
        return 0;
    return static_cast<int>(std::clamp(scaled, -limit, limit));
}

int roundToDeviceUnits(double scaled)
{
    return toDeviceUnits(std::floor(scaled + 0.5));
}


QString LogFont::face() const
{
    const auto end = std::find(faceName.begin(), faceName.end(), u'\0');
    return QString::fromUtf16(faceName.data(), end - faceName.begin());
}

void LogFont::setFace(const QString& name)
{
    faceName.fill(u'\0');
    const qsizetype n = std::min<qsizetype>(name.size(), static_cast<qsizetype>(faceName.size()) - 1);
    for (qsizetype i = 0; i < n; ++i)
        faceName[static_cast<size_t>(i)] = name[i].unicode();
}

static std::ostream& colour(std::ostream& os, ColorRef c)
{
    return os << "rgb(" << redOf(c) << ',' << greenOf(c) << ',' << blueOf(c) << ')';
}

std::ostream& operator<<(std::ostream& os, const DevicePoint& p)
{
    return os << '(' << p.x << ", " << p.y << ')';
}

std::ostream& operator<<(std::ostream& os, const Pen& pen)
{
    static const char* const names[] = {"solid", "dash", "dot", "dashdot", "dashdotdot", "null"};
    const int s = static_cast<int>(pen.style);
    os << "Pen{" << (s >= 0 && s <= 5 ? names[s] : "?") << ", width " << pen.width << ", ";
    return colour(os, pen.colour) << '}';
}

std::ostream& operator<<(std::ostream& os, const Brush& brush)
{
    switch (brush.style) {
    case BrushStyle::Null:
        return os << "Brush{null}";
    case BrushStyle::Hatched:
        os << "Brush{hatch " << static_cast<int>(brush.hatch) << ", ";
        break;
    default:
        os << "Brush{solid, ";
        break;
    }
    return colour(os, brush.colour) << '}';
}

} // namespace platform
