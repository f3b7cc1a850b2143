#include "app/DocumentView.h"

#include "document/MorvekDoc.h"
#include "gui/QtDevice.h"
#include "gui/QtPicture.h"
#include "options/Options.h"

#include <QFileDialog>
#include <QMouseEvent>
#include <QResizeEvent>

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
    case 449:
        view_.OnViewNodes();
        break;
    case 32777:
        view_.OnViewBridges();
        break;
    case 299:
        view_.OnViewSpecialLineTypes();
        break;
    case 32794:
        view_.OnViewMirror(width(), height());
        keepFitted_ = true;
        // The mirror is the same for every view.
        if (QWidget* top = window())
            for (DocumentView* other : top->findChildren<DocumentView*>())
                other->update();
        break;
    case 32961:
        ChooseBackground();
        return true;
    case 32962:
        view_.OnViewUnload();
        return true;
    default:
        return false;
    }
    update();
    return true;
}

bool DocumentView::IsSwitch(int commandId)
{
    return commandId == 449 || commandId == 32777 || commandId == 299 || commandId == 32794;
}

bool DocumentView::IsChecked(int commandId) const
{
    switch (commandId) {
    case 449:
        return view_.ShowsNodes();
    case 32777:
        return view_.ShowsBridges();
    case 299:
        return view_.ShowsSpecialLineTypes();
    case 32794:
        return ViewCore::IsMirrored();
    default:
        return false;
    }
}

void DocumentView::ChooseBackground()
{
    const QString path = QFileDialog::getOpenFileName(this, QString(), QString(), QString(), nullptr,
                                                      QFileDialog::ReadOnly);
    if (path.isEmpty())
        return;
    // The old picture goes in any case; one that cannot be read leaves none.
    view_.SetBackgroundPicture(gui::QtPicture::Load(path));
}

void DocumentView::paintEvent(QPaintEvent*)
{
    // The buffers are the window's size in the screen's own pixels (sharp
    // on a high-density screen); a new size or screen makes new ones.
    const double ratio = devicePixelRatioF();
    if (!drawing_ || drawing_->width() != width() || drawing_->height() != height()
        || drawing_->pixelRatio() != ratio) {
        drawing_ = std::make_unique<gui::QtDevice>(width(), height(), ratio);
        overlay_ = std::make_unique<gui::QtDevice>(width(), height(), ratio);
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
