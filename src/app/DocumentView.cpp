#include "app/DocumentView.h"

#include "document/MorvekDoc.h"
#include "gui/QtDevice.h"
#include "options/Options.h"

#include <QMouseEvent>
#include <QResizeEvent>
#include <QScreen>

namespace app {

DocumentView::DocumentView(std::unique_ptr<CMorvekDoc> doc, const COptions* options, QWidget* parent)
    : QWidget(parent), doc_(std::move(doc)), view_(options)
{
    setObjectName(QStringLiteral("DocumentView"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    view_.OnInitialUpdate(doc_.get(), width(), height());
}

DocumentView::~DocumentView() = default;

bool DocumentView::RunCommand(int commandId)
{
    switch (commandId) {
    case 32771:
        view_.OnViewCenter(width(), height());
        keepFitted_ = true;
        break;
    case 257:
        view_.OnViewOriginalZoom();
        keepFitted_ = false;
        break;
    case 32813:
        if (COptions* options = COptions::Current())
            view_.OnViewSaveZoom(*options);
        return true;
    case 32814:
        view_.OnViewLoadZoom();
        keepFitted_ = false;
        break;
    default:
        return false;
    }
    update();
    return true;
}

void DocumentView::paintEvent(QPaintEvent*)
{
    // The buffers cover the screen, so that resizing the window keeps them;
    // a window larger than its screen makes them grow.
    const QSize screen = this->screen() ? this->screen()->size() : size();
    const int w = std::max(screen.width(), width());
    const int h = std::max(screen.height(), height());
    if (!drawing_ || drawing_->width() < w || drawing_->height() < h) {
        drawing_ = std::make_unique<gui::QtDevice>(w, h);
        overlay_ = std::make_unique<gui::QtDevice>(w, h);
    }
    view_.Paint(*drawing_, *overlay_, width(), height());
    gui::QtDevice target(this);
    target.bitBlt(0, 0, width(), height(), *overlay_, 0, 0);
}

void DocumentView::resizeEvent(QResizeEvent* event)
{
    if (keepFitted_)
        view_.OnViewCenter(width(), height());
    QWidget::resizeEvent(event);
}

void DocumentView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    const CursorRecord before = doc_->Cursor();
    view_.TrackCursor({at.x(), at.y()});
    const CursorRecord& now = doc_->Cursor();
    if (now.element != before.element || now.elementInstance != before.elementInstance || now.node != before.node
        || now.nodeInstance != before.nodeInstance)
        update();
    QWidget::mouseMoveEvent(event);
}

} // namespace app
