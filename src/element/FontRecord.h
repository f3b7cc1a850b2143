#pragma once
// The 92-byte system-font record (LOGFONTW) as element records hold it: five
// int32 (height, width, escapement, orientation, weight), eight bytes
// (italic, underline, strike-out, charset, output precision, clip precision,
// quality, pitch and family) and the face name as 32 UTF-16 units.
#include "platform/DrawingObjects.h"

namespace platform {
class BinaryReader;
class BinaryWriter;
} // namespace platform

namespace FontRecord {

inline constexpr int Bytes = 92;

void Write(platform::BinaryWriter& out, const platform::LogFont& font);
// The record as stored, except that a face name without a terminator is cut
// to 31 units and ended, so no reader runs past it. Zeros after a failed read.
platform::LogFont Read(platform::BinaryReader& in);

} // namespace FontRecord
