#pragma once
// The window of one document: it owns the document and shows it through a
// ViewCore, painting into two memory buffers of the screen's size (the
// drawing and the overlay) that are copied to the widget. The mouse position
// is tracked into the document's cursor record, so the element under the
// cursor shows highlighted.
#include "view/ViewCore.h"

#include <QWidget>

#include <memory>

class CMorvekDoc;
class COptions;

namespace gui {
class QtDevice;
}

namespace app {

class DocumentView : public QWidget {
    Q_OBJECT
public:
    // Takes the document; the options may be null (see ViewCore).
    DocumentView(std::unique_ptr<CMorvekDoc> doc, const COptions* options, QWidget* parent = nullptr);
    ~DocumentView() override;

    CMorvekDoc& Document() const { return *doc_; }
    ViewCore& View() { return view_; }

    // The view's zoom commands: View > Center (32771), Original Zoom (257),
    // Save Zoom (32813) and Load Zoom (32814), each repainting; the display
    // switches Nodes (449), Bridges (32777), Special Line Types (299) and
    // Mirror (32794, every view); Background (32961, a picture file chosen in
    // a dialog) and Unload (32962), which show at the next paint. False for
    // another command.
    bool RunCommand(int commandId);
    // The display switches' check marks: whether the command is one, and
    // whether it is on in this view.
    static bool IsSwitch(int commandId);
    bool IsChecked(int commandId) const;
    // The drawing buffer of the last paint; null before the first.
    const gui::QtDevice* DrawingBuffer() const { return drawing_.get(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // View > Background: a picture file chosen in a file dialog.
    void ChooseBackground();

    std::unique_ptr<CMorvekDoc> doc_;
    ViewCore view_;
    std::unique_ptr<gui::QtDevice> drawing_;
    std::unique_ptr<gui::QtDevice> overlay_;
    // While the drawing is shown fitted (on opening, after View > Center),
    // a new window size fits it again: the window takes its final size (the
    // property bar opening beside it) after the first paint. Any other zoom
    // keeps what the user chose.
    bool keepFitted_ = true;
};

} // namespace app
