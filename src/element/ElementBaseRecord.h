#pragma once
// The common part of every element record of the drawing file as plain data,
// read without an element, so a file reader can step over element records it
// does not build (and be fuzzed alone).
//   int32 line type, int32 bridge count n, n × (8-byte tag, double position,
//   double width), double ptg, int32 bridge mode, int32 auto count,
//   double bridge width, int32 not-instanced (from format version 4 on)
#include "element/Bridge.h"

#include <cstdint>
#include <optional>

namespace platform {
class BinaryReader;
} // namespace platform

struct ElementBaseRecord {
    int32_t lineType = 0;
    BridgeList bridges; // as stored, not yet normalised
    double ptg = 0.0;
    int32_t bridgeMode = 0;
    int32_t autoCount = 0;
    double bridgeWidth = 0.0;
    std::optional<int32_t> notInstanced; // absent before version 4
};

// The first format version whose records carry the not-instanced flag.
inline constexpr int kNotInstancedVersion = 4;

// Reads the common record of that file version. More than
// BridgeList::MaxCount bridges, a negative automatic count or a short record
// fail the read; the reader then holds the reason.
[[nodiscard]] std::optional<ElementBaseRecord> ReadElementBaseRecord(platform::BinaryReader& in, int version);
