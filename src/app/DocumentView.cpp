#include "app/DocumentView.h"

#include "command/CInputRequest.h"
#include "command/LineCommands.h"
#include "command/UndoCommand.h"
#include "document/MorvekDoc.h"
#include "gui/QtDevice.h"
#include "gui/VirtualKey.h"
#include "options/Options.h"

#include <QKeyEvent>
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
    // The popup opens from the right button's release (mouseReleaseEvent).
    setContextMenuPolicy(Qt::PreventContextMenu);
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
    case editcommands::kCmdUndo:
        editcommands::OnUndo(input_);
        break;
    default:
        if (!linecommands::RunLineCommand(commandId, input_))
            return false;
        break;
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
    input_.DrawOverlay(*overlay_);
    gui::QtDevice target(this);
    target.bitBlt(0, 0, width(), height(), *overlay_, 0, 0);
}

void DocumentView::resizeEvent(QResizeEvent* event)
{
    if (keepFitted_)
        view_.OnViewCenter(width(), height());
    QWidget::resizeEvent(event);
}

namespace {

InputModifiers ModifiersOf(Qt::KeyboardModifiers m)
{
    return {m.testFlag(Qt::ShiftModifier), m.testFlag(Qt::ControlModifier), m.testFlag(Qt::AltModifier)};
}

platform::DevicePoint PixelOf(const QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    return {at.x(), at.y()};
}

} // namespace

void DocumentView::AfterInput(bool repaint)
{
    if (repaint)
        update();
}

void DocumentView::mouseMoveEvent(QMouseEvent* event)
{
    input_.SetClientSize(width(), height());
    const CursorRecord before = doc_->Cursor();
    const platform::DevicePoint origin = view_.GetOrigin();
    input_.OnMouseMove(PixelOf(event), ModifiersOf(event->modifiers()));
    const CursorRecord& now = doc_->Cursor();
    // Repaint when what lies under the cursor changed, or a command draws.
    const bool changed = now.element != before.element || now.elementInstance != before.elementInstance ||
                         now.node != before.node || now.nodeInstance != before.nodeInstance ||
                         CInputRequest::Of(*doc_).IsRunning() || !(view_.GetOrigin() == origin);
    if (!(view_.GetOrigin() == origin))
        keepFitted_ = false;
    AfterInput(changed);
    QWidget::mouseMoveEvent(event);
}

void DocumentView::mousePressEvent(QMouseEvent* event)
{
    input_.SetClientSize(width(), height());
    const platform::DevicePoint at = PixelOf(event);
    const InputModifiers mods = ModifiersOf(event->modifiers());
    bool repaint = false;
    switch (event->button()) {
    case Qt::LeftButton: repaint = input_.OnLButtonDown(at, mods); break;
    case Qt::RightButton: repaint = input_.OnRButtonDown(at, mods); break;
    case Qt::MiddleButton: repaint = input_.OnMButtonDown(at, mods); break;
    default: break;
    }
    AfterInput(repaint);
    QWidget::mousePressEvent(event);
}

void DocumentView::mouseReleaseEvent(QMouseEvent* event)
{
    input_.SetClientSize(width(), height());
    const platform::DevicePoint at = PixelOf(event);
    const InputModifiers mods = ModifiersOf(event->modifiers());
    const double zoom = view_.GetZoom();
    if (event->button() == Qt::LeftButton) {
        AfterInput(input_.OnLButtonUp(at, mods));
    } else if (event->button() == Qt::RightButton) {
        const bool menu = input_.OnRButtonUp(at, mods);
        if (view_.GetZoom() != zoom)
            keepFitted_ = false;
        update();
        if (menu) {
            const QPoint screen = event->globalPosition().toPoint();
            (void)input_.OnContextMenu({screen.x(), screen.y()});
            update();
        }
    }
    QWidget::mouseReleaseEvent(event);
}

void DocumentView::wheelEvent(QWheelEvent* event)
{
    const double zoom = view_.GetZoom();
    const bool repaint = input_.OnMouseWheel(event->angleDelta().y(), ModifiersOf(event->modifiers()));
    if (view_.GetZoom() != zoom)
        keepFitted_ = false;
    AfterInput(repaint);
    event->accept();
}

void DocumentView::keyPressEvent(QKeyEvent* event)
{
    if (input_.OnKeyDown(gui::VirtualKeyOf(event->key()), ModifiersOf(event->modifiers())))
        AfterInput(true);
    QWidget::keyPressEvent(event);
}

void DocumentView::keyReleaseEvent(QKeyEvent* event)
{
    if (!event->isAutoRepeat() && input_.OnKeyUp(gui::VirtualKeyOf(event->key()), ModifiersOf(event->modifiers())))
        AfterInput(true);
    QWidget::keyReleaseEvent(event);
}

} // namespace app
