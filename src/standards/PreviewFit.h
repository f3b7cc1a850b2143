#pragma once
// Where a preview picture is drawn in the browser's frame: stretched to the
// frame's width or height, whichever keeps the whole picture inside, its
// proportions kept, centred along the other axis.
#include <optional>

namespace standards {

struct PreviewPlace {
    int x = 0; // offset inside the frame
    int y = 0;
    int width = 0;
    int height = 0;

    bool operator==(const PreviewPlace&) const = default;
};

// Nothing for an empty frame or a picture without width or height. Sizes
// are truncated to whole pixels, the centring offset divides by two as
// integers.
std::optional<PreviewPlace> FitPreview(int frameWidth, int frameHeight, int pictureWidth, int pictureHeight);

} // namespace standards
