// The standards browser's reading of a standard's main dimensions: any
// bytes give either nothing or four numbers, and the kind it reports
// follows the file's tag.
#include "common/FuzzSupport.h"

#include "exchange/native/NativeDrawing.h"
#include "exchange/native/StandardDimensions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    bool extended = false;
    const std::optional<native::MainDimensions> read = native::ReadStandardDimensions(bytes, &extended);
    const std::optional<int32_t> tag = native::ReadTag(bytes);
    fuzz::Check(extended == (tag == native::kStandardTag), "the kind does not follow the tag");
    if (read)
        fuzz::Check(tag == native::kStandardTag || tag == native::kDrawingTag, "dimensions read from another file");
    return 0;
}
