#pragma once
// A picture the platform has loaded (the view's background picture): the
// model holds it and hands it to a device (Device::stretchPicture), which
// reads the pixels when it can.
namespace platform {

class Picture {
public:
    virtual ~Picture() = default;
    // Size in pixels.
    virtual int width() const = 0;
    virtual int height() const = 0;

protected:
    Picture() = default;
};

} // namespace platform
