#pragma once
// The preview frame of a property page: the page's working copy drawn
// fitted into 90 % of the frame on the options' background, with its line
// type's pen, and the node markers on top (the focussed field's one
// highlighted). It paints at the frame's own resolution, so it stays sharp
// at any size.
#include <QWidget>

class COptions;

namespace dlg {

class PropertyPage;

class PropertyPreview : public QWidget {
public:
    PropertyPreview(PropertyPage& page, const COptions* options, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PropertyPage& page_;
    const COptions* options_;
};

} // namespace dlg
