#include "element/FontRecord.h"

#include "platform/BinaryStream.h"

#include <algorithm>

namespace FontRecord {

void Write(platform::BinaryWriter& out, const platform::LogFont& font)
{
    out.writeInt32(font.height);
    out.writeInt32(font.width);
    out.writeInt32(font.escapement);
    out.writeInt32(font.orientation);
    out.writeInt32(font.weight);
    for (std::uint8_t b : {font.italic, font.underline, font.strikeOut, font.charSet, font.outPrecision,
                           font.clipPrecision, font.quality, font.pitchAndFamily})
        out.writeUInt8(b);
    for (char16_t c : font.faceName)
        out.writeUInt16(c);
}

platform::LogFont Read(platform::BinaryReader& in)
{
    platform::LogFont font;
    font.height = in.readInt32();
    font.width = in.readInt32();
    font.escapement = in.readInt32();
    font.orientation = in.readInt32();
    font.weight = in.readInt32();
    for (std::uint8_t* b : {&font.italic, &font.underline, &font.strikeOut, &font.charSet, &font.outPrecision,
                            &font.clipPrecision, &font.quality, &font.pitchAndFamily})
        *b = in.readUInt8();
    for (char16_t& c : font.faceName)
        c = in.readUInt16();
    if (!in.ok())
        return {};
    if (std::find(font.faceName.begin(), font.faceName.end(), u'\0') == font.faceName.end())
        font.faceName.back() = u'\0';
    return font;
}

} // namespace FontRecord
