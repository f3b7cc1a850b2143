#pragma once
// How the options reach the application's line-type pens. The line-type table
// lives in the graphics layer above the options; the application installs it
// behind this interface (COptions::SetLineTypePens).
namespace platform {
class Device;
}

class LineTypePens {
public:
    virtual ~LineTypePens() = default;
    // Makes the line type current in the table and selects its pen into the
    // device: the null pen when the type is unknown.
    virtual void SelectLineTypePen(platform::Device& dc, int lineType) = 0;
};
