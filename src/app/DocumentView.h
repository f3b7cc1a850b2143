#pragma once
// The window of one document: it owns the document and shows it through a
// ViewCore, painting into two memory buffers of the screen's size (the
// drawing and the overlay) that are copied to the widget. The mouse position
// is tracked into the document's cursor record, so the element under the
// cursor shows highlighted.
#include "app/ViewCommandUi.h"
#include "command/ViewInput.h"
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
    // Save Zoom (32813) and Load Zoom (32814), Construct > Undo and the line
    // commands, each repainting. False for another command.
    bool RunCommand(int commandId);

protected:
    void paintEvent(QPaintEvent* event) override;
    // Mouse, wheel and keys go to the view's input rules (ViewInput), with
    // Shift, Ctrl and Alt read from each event; the popup menu opens when
    // the right button is released, unless that finished a zoom window.
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    std::unique_ptr<CMorvekDoc> doc_;
    ViewCore view_;
    ViewCommandUi commandUi_{this};
    ViewInput input_{view_, commandUi_, view_.Options()};
    std::unique_ptr<gui::QtDevice> drawing_;
    std::unique_ptr<gui::QtDevice> overlay_;
    // While the drawing is shown fitted (on opening, after View > Center),
    // a new window size fits it again: the window takes its final size (the
    // property bar opening beside it) after the first paint. Any other zoom
    // keeps what the user chose.
    bool keepFitted_ = true;

    // After an input rule: a changed zoom or origin ends the fitted state;
    // repaints when asked.
    void AfterInput(bool repaint);
};

} // namespace app
