#include "standards/PreviewFit.h"

namespace standards {

std::optional<PreviewPlace> FitPreview(int frameWidth, int frameHeight, int pictureWidth, int pictureHeight)
{
    if (frameWidth <= 0 || frameHeight <= 0 || pictureWidth <= 0 || pictureHeight <= 0)
        return std::nullopt;
    const double byHeight = double(frameHeight) / pictureHeight;
    const double byWidth = double(frameWidth) / pictureWidth;
    PreviewPlace place;
    if (byHeight > byWidth) {
        place.width = frameWidth;
        place.height = int(byWidth * pictureHeight);
        place.y = (frameHeight - place.height) / 2;
    } else {
        place.height = frameHeight;
        place.width = int(byHeight * pictureWidth);
        place.x = (frameWidth - place.width) / 2;
    }
    return place;
}

} // namespace standards
