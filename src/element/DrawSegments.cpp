#include "element/DrawSegments.h"

std::vector<DrawSegment> GapSegments(double length, const BridgeList& bridges, bool withGaps)
{
    std::vector<DrawSegment> segments;
    segments.reserve(withGaps ? static_cast<std::size_t>(2 * bridges.Count() + 1) : 1);
    double reached = 0.0;
    if (withGaps) {
        for (const Bridge& b : bridges) {
            segments.push_back({reached, b.position, DrawSegment::Rule});
            segments.push_back({b.position, b.position + b.width, DrawSegment::Gap});
            reached = b.position + b.width;
        }
    }
    segments.push_back({reached, length, DrawSegment::Rule});
    return segments;
}
