#include "gui/QtPicture.h"

#include <QImageReader>

namespace gui {

std::unique_ptr<QtPicture> QtPicture::Load(const QString& path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull())
        return nullptr;
    return std::make_unique<QtPicture>(std::move(image));
}

} // namespace gui
