#pragma once
// A picture read from a file by Qt's image readers (any format they take),
// for the view's background.
#include "platform/Picture.h"

#include <QImage>

#include <memory>

class QString;

namespace gui {

class QtPicture : public platform::Picture {
public:
    explicit QtPicture(QImage image) : image_(std::move(image)) {}
    // Null when the file cannot be read as a picture.
    static std::unique_ptr<QtPicture> Load(const QString& path);

    int width() const override { return image_.width(); }
    int height() const override { return image_.height(); }
    const QImage& image() const { return image_; }

private:
    QImage image_;
};

} // namespace gui
