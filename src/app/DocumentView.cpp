#include "app/DocumentView.h"

#include "app/ExportCommand.h"
#include "app/FileChooser.h"
#include "app/MeasureDialogs.h"
#include "command/CInputRequest.h"
#include "command/ConstructCommands.h"
#include "command/LineCommands.h"
#include "command/ManipulationCommands.h"
#include "dlg/ChamferDlg.h"
#include "command/QuickDimensionCommands.h"
#include "command/MeasureCommands.h"
#include "command/BridgeMoveCommand.h"
#include "command/SectorCommands.h"

#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>
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

    // A setting of 0 or less would save without pause: one second at least.
    const int seconds = options ? options->GetAutosaveInterval() : kDefaultAutosaveSeconds;
    autosaveTimer_->setInterval(std::max(seconds, 1) * 1000);
    connect(autosaveTimer_, &QTimer::timeout, this, &DocumentView::OnAutosaveTimer);
    autosaveTimer_->start();
    autosave_.Enable(true);
}

DocumentView::~DocumentView() = default;

// The interactive commands by their menu and toolbar ids.
bool DocumentView::StartInteractiveCommand(int commandId)
{
    namespace cc = constructcommands;
    using Start = std::function<void()>;
    ViewInput& v = input_;
    const std::pair<std::vector<int>, Start> table[] = {
        {{linecommands::kCmdLine, linecommands::kCmdLineToolbar}, [&v] { linecommands::StartLine(v); }},
        {{linecommands::kCmdLineContinuous, linecommands::kCmdLineContinuousToolbar},
         [&v] { linecommands::StartLineContinuous(v); }},
        {{manipcommands::kCmdFillet}, [&v] { manipcommands::StartFillet(v); }},
        {{manipcommands::kCmdChamfer},
         [this, &v] {
             manipcommands::StartChamfer(v, [this](double (&values)[5]) { return dlg::CChamferDlg::Ask(this, values); });
         }},
        {{manipcommands::kCmdLength}, [&v] { manipcommands::StartLength(v); }},
        {{manipcommands::kCmdIntersection}, [&v] { manipcommands::StartIntersection(v); }},
        {{manipcommands::kCmdExtend}, [&v] { manipcommands::StartExtend(v); }},
        {{manipcommands::kCmdSplit}, [&v] { manipcommands::StartSplit(v); }},
        {{bridgemove::kCmdModifyBridges}, [&v] { bridgemove::StartBridgeMove(v, v.popupElement); }},
        {{sectorcommands::kCmdCutElement}, [&v] { sectorcommands::StartCutElement(v); }},
        {{sectorcommands::kCmdSector}, [&v] { sectorcommands::StartSector(v, false); }},
        {{sectorcommands::kCmdSectorLineType}, [&v] { sectorcommands::StartSector(v, true); }},
        {{sectorcommands::kCmdQuickDeleteSector}, [&v] { sectorcommands::StartQuickDeleteSector(v); }},
        {{sectorcommands::kCmdDeleteElement}, [&v] { sectorcommands::StartDeleteElement(v); }},
        {{sectorcommands::kCmdSplitUp}, [&v] { sectorcommands::StartSplitUp(v); }},
        {{cc::kCmdCircle, cc::kCmdCircleToolbar}, [&v] { cc::StartCircle(v); }},
        {{cc::kCmdSpline}, [&v] { cc::StartSpline(v); }},
        {{cc::kCmdParallelX, cc::kCmdParallelXToolbar}, [&v] { cc::StartParallel(v, cc::ParallelX); }},
        {{cc::kCmdParallelY, cc::kCmdParallelYToolbar}, [&v] { cc::StartParallel(v, cc::ParallelY); }},
        {{cc::kCmdParallel, cc::kCmdParallelToolbar}, [&v] { cc::StartParallel(v, cc::ParallelAlong); }},
        {{cc::kCmdAngleBisector}, [&v] { cc::StartAngleBisector(v); }},
        {{cc::kCmdHolders}, [&v] { cc::StartHolders(v); }},
        {{cc::kCmdCuir}, [&v] { cc::StartCuir(v); }},
        {{cc::kCmdStorageSpacer}, [&v] { cc::StartStorageSpacer(v); }},
        {{cc::kCmdQuickText}, [&v] { cc::StartQuickText(v); }},
        {{quickdimensions::kCmdRadial}, [&v] { quickdimensions::StartRadial(v); }},
        {{quickdimensions::kCmdParallel}, [&v] { quickdimensions::StartParallel(v); }},
        {{measurecommands::kCmdDistance}, [&v] { measurecommands::StartDistance(v); }},
        {{measurecommands::kCmdAngle}, [&v] { measurecommands::StartAngle(v); }},
        {{measurecommands::kCmdRadius}, [&v] { measurecommands::StartRadius(v); }},
        {{measurecommands::kCmdElement}, [&v] { measurecommands::StartElement(v); }},
    };
    for (const auto& [ids, start] : table) {
        for (int id : ids) {
            if (id == commandId) {
                start();
                return true;
            }
        }
    }
    return false;
}

bool DocumentView::RunCommand(int commandId)
{
    if (commandId >= shell::kFirstExporterCommand && commandId <= shell::kLastExporterCommand) {
        // The Output menu: the export reads the figures in its own display
        // mode; the view sets its own again when it paints.
        input_.CancelCommand();
        AutosaveTimer::Pause pause(autosave_);
        (void)RunExportCommand(this, *doc_, commandId); // a failure has been shown
        update();
        return true;
    }
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
    case 441:
        OnViewSetZoom();
        return true;
    case 57603:
        // A save's cleanup opens an undo step of its own: a running
        // command ends first, as for Undo.
        input_.CancelCommand();
        (void)Save(); // a failure has been shown
        return true;
    case 469:
        input_.CancelCommand();
        OnFileSaveCopyAs();
        return true;
    case 370:
        input_.CancelCommand();
        UndoOneStep(*doc_);
        RefreshCursor();
        break;
    case 371:
        input_.CancelCommand();
        RedoOneStep(*doc_);
        RefreshCursor();
        break;
    case 32963:
        OnClipboardCopy();
        return true;
    case 32964:
        OnClipboardPaste();
        return true;
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
        if (RunMeasureDialog(commandId, this, *doc_))
            return true;
        if (!StartInteractiveCommand(commandId) && !RunShapeCommand(commandId) && !modify_.RunCommand(commandId))
            return false;
        break;
    }
    update();
    return true;
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
            // The popup's commands that the view carries out.
            if (const int command = input_.OnContextMenu({screen.x(), screen.y()}))
                (void)RunCommand(command); // false: nothing carries it out yet
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
