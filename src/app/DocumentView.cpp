#include "app/DocumentView.h"

#include "app/DocumentCommands.h"
#include "app/ExportCommand.h"
#include "app/MainWindow.h"
#include "app/FileChooser.h"
#include "command/CInputRequest.h"
#include "dlg/OneValue.h"
#include "document/MorvekDoc.h"
#include "gui/QtDevice.h"
#include "gui/QtPicture.h"
#include "gui/VirtualKey.h"
#include "options/LanguageTable.h"
#include "options/Options.h"
#include "platform/Prompt.h"
#include "shell/MenuTree.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <cstdlib>

namespace app {
namespace {

const QString kSaveFilter = QStringLiteral("Morvek document (*.n)");
constexpr int kDefaultAutosaveSeconds = 600;
// The hot-key slots of the options, and the Alt bit of a key's flags.
constexpr int kKeyBindingSlots = 13;
constexpr unsigned kAltKeyFlag = 1u << 13;

QString DrawingFolder()
{
    const COptions* options = COptions::Current();
    return options ? options->GetNPath() : QString();
}

void Tell(const QString& text)
{
    (void)platform::ask(text, QString(), platform::PromptButtons::Ok, platform::PromptIcon::Error); // Ok only
}

} // namespace

DocumentView::DocumentView(std::unique_ptr<CMorvekDoc> doc, const COptions* options, QWidget* parent)
    : QWidget(parent), doc_(std::move(doc)), view_(options), autosaveTimer_(new QTimer(this))
{
    setObjectName(QStringLiteral("DocumentView"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    // The popup opens from the right button's release (mouseReleaseEvent).
    setContextMenuPolicy(Qt::PreventContextMenu);
    view_.OnInitialUpdate(doc_.get(), width(), height());
    commandUi_.onEditProperties = [this] { properties_.Driver().EditProperties(0); };

    // A setting of 0 or less would save without pause: one second at least.
    const int seconds = options ? options->GetAutosaveInterval() : kDefaultAutosaveSeconds;
    autosaveTimer_->setInterval(std::max(seconds, 1) * 1000);
    connect(autosaveTimer_, &QTimer::timeout, this, &DocumentView::OnAutosaveTimer);
    autosaveTimer_->start();
    autosave_.Enable(true);
}

DocumentView::~DocumentView() = default;

bool DocumentView::RunCommand(int commandId)
{
    return DocumentCommands::Run(*this, commandId);
}

bool DocumentView::IsChecked(int commandId) const
{
    return DocumentCommands::IsChecked(*this, commandId);
}

std::optional<MenuItemState> DocumentView::MenuItem(int commandId) const
{
    if (commandId == 370)
        return UndoMenuItem(doc_->Undo());
    if (commandId == 371)
        return RedoMenuItem(doc_->Undo());
    return std::nullopt;
}

void DocumentView::OnViewSetZoom()
{
    const std::optional<QString> typed =
        dlg::AskOneValue({Translate(kTextSetZoomLabel), ZoomText(view_.GetZoom()), false});
    if (!typed)
        return;
    // Text without a number is refused: the zoom stays as it is.
    const std::optional<double> zoom = ZoomFromText(*typed);
    if (!zoom) {
        Tell(Translate(dlg::kTextNotANumber));
        return;
    }
    view_.SetZoom(*zoom, width(), height());
    keepFitted_ = false;
    update();
}

bool DocumentView::Save()
{
    AutosaveTimer::Pause pause(autosave_);
    if (doc_->GetPathName().isEmpty()) {
        const QString path = ChooseFileToSave(this, DrawingFolder(), kSaveFilter);
        if (path.isEmpty() || !doc_->SaveAs(path))
            return false;
    } else if (!doc_->Save()) {
        return false;
    }
    setWindowTitle(doc_->GetTitle());
    return true;
}

bool DocumentView::SaveAs()
{
    AutosaveTimer::Pause pause(autosave_);
    const QString path = ChooseFileToSave(this, DrawingFolder(), kSaveFilter);
    if (path.isEmpty() || !doc_->SaveAs(path))
        return false;
    setWindowTitle(doc_->GetTitle());
    return true;
}

void DocumentView::OnFileSaveCopyAs()
{
    AutosaveTimer::Pause pause(autosave_);
    const QString path = ChooseFileToSave(this, DrawingFolder(), kSaveFilter);
    if (!path.isEmpty())
        (void)doc_->SaveCopyAs(path); // a failure has been shown
}

bool DocumentView::SaveModified()
{
    // After an autosave the document's own close asks (CMorvekDoc::OnCloseDocument).
    if (!doc_->IsModified() || doc_->IsAutosaved())
        return true;
    const auto answer = platform::ask(QStringLiteral("Save changes to %1?").arg(doc_->GetTitle()), QString(),
                                      platform::PromptButtons::YesNoCancel, platform::PromptIcon::Question);
    if (answer == platform::PromptResult::Yes)
        return Save();
    return answer == platform::PromptResult::No;
}

void DocumentView::OnClipboardCopy()
{
    QGuiApplication::clipboard()->setText(doc_->GetSelectionAsText());
}

void DocumentView::OnClipboardPaste()
{
    const QMimeData* held = QGuiApplication::clipboard()->mimeData();
    if (held == nullptr || !held->hasText() || held->text().isEmpty()) {
        (void)platform::ask(QStringLiteral("No understandable clipboard data avaible.")); // Ok only
        return;
    }
    // Script text is not read by this version: the user is told, and the
    // drawing, the selection and the undo steps stay as they are.
    (void)platform::ask(QStringLiteral("Pasting script text is not supported by this version.")); // Ok only
    RefreshCursor();
}

void DocumentView::RefreshCursor()
{
    const CursorRecord& cursor = doc_->Cursor();
    input_.UpdateCursor({cursor.pixelX, cursor.pixelY});
}

void DocumentView::OnAutosaveTimer()
{
    (void)autosave_.OnTimer(*doc_); // the copy needs no repaint
}

void DocumentView::closeEvent(QCloseEvent* event)
{
    if (!closeAgreed_ && !SaveModified()) {
        event->ignore();
        return;
    }
    {
        AutosaveTimer::Pause pause(autosave_);
        if (!doc_->OnCloseDocument()) {
            // Cancelled, or the save failed: the window stays with its copy.
            closeAgreed_ = false;
            event->ignore();
            return;
        }
    }
    closeAgreed_ = true;
    autosaveTimer_->stop();
    QWidget::closeEvent(event);
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
        drawingStale_ = true;
    }
    // After mouse moves alone the drawn die is kept when nothing it shows
    // changed; any other event paints it again.
    if (drawingStale_)
        view_.Paint(*drawing_, *overlay_, width(), height());
    else
        view_.PaintOverlay(*drawing_, *overlay_, width(), height());
    drawingStale_ = false;
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
    if (!repaint)
        return;
    update();
    // What a click or key did may change what the commands can do (Undo).
    if (auto* main = qobject_cast<MainWindow*>(window()))
        main->RefreshActions();
}

bool DocumentView::event(QEvent* event)
{
    if (event->type() != QEvent::MouseMove && event->type() != QEvent::Paint)
        drawingStale_ = true;
    if (event->type() == QEvent::ShortcutOverride) {
        const COptions* options = view_.Options();
        auto* key = static_cast<QKeyEvent*>(event);
        const InputModifiers mods = ModifiersOf(key->modifiers());
        const unsigned flags = mods.alt ? kAltKeyFlag : 0u;
        const int virtualKey = gui::VirtualKeyOf(key->key());
        for (int slot = 0; options && slot < kKeyBindingSlots; ++slot) {
            if (options->MatchKey(virtualKey, flags, mods.shift, mods.ctrl, slot)) {
                event->accept();
                return true;
            }
        }
    }
    return QWidget::event(event);
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
    // A move changes no command's state: only the picture is redrawn (the
    // commands are brought up to date after clicks and keys).
    if (changed)
        update();
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
            // The popup's commands that the view carries out.
            if (const int command = input_.OnContextMenu({screen.x(), screen.y()}))
                (void)RunCommand(command); // a disabled item cannot be chosen
            update();
        }
    }
    QWidget::mouseReleaseEvent(event);
}

void DocumentView::wheelEvent(QWheelEvent* event)
{
    const double zoom = view_.GetZoom();
    // A touchpad sends many small turns: one step per whole notch.
    wheelRest_ += event->angleDelta().y();
    bool repaint = false;
    while (std::abs(wheelRest_) >= kWheelNotch) {
        const int notch = wheelRest_ > 0 ? kWheelNotch : -kWheelNotch;
        wheelRest_ -= notch;
        repaint = input_.OnMouseWheel(notch, ModifiersOf(event->modifiers())) || repaint;
    }
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
