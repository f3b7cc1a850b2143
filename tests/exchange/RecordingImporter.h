#pragma once
// An importer that keeps every call, for the readers' tests.
#include "exchange/Importer.h"

#include <vector>

namespace importtest {

struct Call {
    enum Kind { Line, Arc, Text } kind = Line;
    die::coord a; // line start, arc centre, text position
    die::coord b; // line end, arc start, text size
    die::coord c; // arc end
    int32_t flag = 0; // arc counter-clockwise, text mirrored
    double angle = 0.0;
    QString text;
    ImportAttributes attributes;
};

class RecordingImporter : public Import::Importer {
public:
    void AddLine(const die::coord& start, const die::coord& end, const ImportAttributes& attributes) override
    {
        calls.push_back({Call::Line, start, end, {}, 0, 0.0, {}, attributes});
    }
    void AddArc(const die::coord& centre, const die::coord& start, const die::coord& end, int32_t ccw,
                const ImportAttributes& attributes) override
    {
        calls.push_back({Call::Arc, centre, start, end, ccw, 0.0, {}, attributes});
    }
    void AddText(const die::coord& position, double angle, const die::coord& size, const QString& text,
                 const ImportAttributes& attributes, int32_t mirrored) override
    {
        calls.push_back({Call::Text, position, size, {}, mirrored, angle, text, attributes});
    }

    std::vector<Call> calls;
};

} // namespace importtest
