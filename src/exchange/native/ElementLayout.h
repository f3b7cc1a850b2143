#pragma once
// The own fields of every element type in the drawing file, so a reader can
// step over a record whole and tell where the next one starts.
#include <QString>

#include <cstdint>

namespace platform {
class BinaryReader;
} // namespace platform

namespace native {

// Steps over the rest of an element record of that type id (after the id):
// the type's own fields as that file version holds them, then the common
// element record. False for an unknown type id or a damaged record (the
// reader holds the reason).
[[nodiscard]] bool SkipElementBody(platform::BinaryReader& in, int32_t typeId, int version);

// The name of the element type in messages ("ellipse", "die board"...);
// "type <id>" for an unknown id.
QString ElementTypeName(int32_t typeId);
// The name with its indefinite article ("an ellipse", "a die board").
QString ElementTypePhrase(int32_t typeId);

} // namespace native
