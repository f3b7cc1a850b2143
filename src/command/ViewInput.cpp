#include "command/ViewInput.h"

#include "command/CInputRequest.h"
#include "command/ViewDragActions.h"
#include "document/MorvekDoc.h"
#include "element/Element.h"
#include "element/ElementTypes.h"
#include "element/NodePoint.h"
#include "options/KeyBinding.h"
#include "options/KeyName.h"
#include "options/LanguageTable.h"
#include "options/Options.h"
#include "platform/CFormat.h"
#include "platform/Device.h"
#include "section/Section.h"
#include "section/UndoManager.h"
#include "view/ViewCore.h"

namespace {

// Texts of the context menu.
constexpr int kTextSelectItem = 261;
constexpr int kTextUnselectItem = 262;
constexpr int kTextModifyBridges = 263;
constexpr int kTextProperties = 264;
constexpr int kTextNodeProperties = 265;
constexpr int kTextExitFunction = 266;
// The key-message flag bit that says Alt is held.
constexpr unsigned kAltFlag = 1u << 13;

unsigned KeyFlags(InputModifiers mods)
{
    return mods.alt ? kAltFlag : 0u;
}

// The popup's element classes: arcs, lines and ellipses; Bobst assemblies;
// texts. 0 for any other type.
int PropertyClass(int type)
{
    switch (type) {
    case ElementTypeId::Arc:
    case ElementTypeId::Line:
    case ElementTypeId::Ellipse: return 1;
    case ElementTypeId::BobstAsm: return 2;
    case ElementTypeId::Text: return 3;
    default: return 0;
    }
}

} // namespace

ViewInput::ViewInput(ViewCore& core, CommandUi& ui, const COptions* options)
    : core_(core), ui_(ui), options_(options)
{
}

CMorvekDoc* ViewInput::GetDocument() const
{
    return core_.GetDocument();
}

CInputRequest* ViewInput::Request() const
{
    CMorvekDoc* doc = GetDocument();
    return doc ? &CInputRequest::Of(*doc) : nullptr;
}

QString ViewInput::FreePointHint() const
{
    if (!options_)
        return QString();
    const QString key = KeyBindingText(options_->GetKeyBinding(DEF_FREEPOINT));
    return key.isEmpty() ? QString() : QLatin1Char(' ') + Translate(kTextFreePointHint).arg(key);
}

void ViewInput::SetClientSize(int width, int height)
{
    clientWidth_ = width;
    clientHeight_ = height;
}

void ViewInput::UpdateCursor(platform::DevicePoint pixel)
{
    core_.TrackCursor(pixel);
}

void ViewInput::ShowPosition()
{
    CMorvekDoc* doc = GetDocument();
    if (!doc)
        return;
    const CursorInfo& c = doc->Cursor();
    const QByteArray format = Translate(kTextPosition).toUtf8();
    ui_.SetPositionText(platform::cformat(format.constData(), c.modelX, c.modelY, core_.GetZoom()));
}

bool ViewInput::OnMouseMove(platform::DevicePoint pixel, InputModifiers)
{
    CInputRequest* request = Request();
    if (!request)
        return false;
    UpdateCursor(pixel);
    InputStep* step = request->IsRunning() ? request->Current() : nullptr;
    if (step && step->Accepts(InputDrag)) {
        const CursorInfo& c = GetDocument()->Cursor();
        step->x = c.modelX;
        step->y = c.modelY;
        request->CallMove();
    }
    ShowPosition();
    return true;
}

void ViewInput::StartDrag(int code, int button, int title, std::unique_ptr<InteractiveCommand> command)
{
    const CursorInfo& c = GetDocument()->Cursor();
    RequestDescription d;
    d.commandCode = code;
    d.title = title;
    InputStep& step = d.Add();
    step.accepted = InputDrag;
    step.dragButton = button;
    step.dragStartX = step.x = c.modelX;
    step.dragStartY = step.y = c.modelY;
    Request()->Start(*this, d, std::move(command));
}

bool ViewInput::OnLButtonDown(platform::DevicePoint pixel, InputModifiers mods)
{
    CInputRequest* request = Request();
    if (!request)
        return false;
    UpdateCursor(pixel);
    if (request->IsRunning()) {
        AcceptClick();
        UpdateCursor(pixel); // a finished command may have replaced what was hovered
        return true;
    }
    CMorvekDoc& doc = *GetDocument();
    Section* section = doc.GetCurrentSection();
    if (!mods.shift && section)
        section->Deselect();
    const CursorInfo& c = doc.Cursor();
    if (mods.ctrl) {
        auto pan = std::make_unique<dragactions::PanCommand>();
        pan->origin = core_.GetOrigin();
        StartDrag(kCodePan, 1, -1, std::move(pan));
    } else if (c.node != -1) {
        // A node shown in a replica, or nodes hidden: nothing at all.
        if (c.nodeInstance != 0 || !core_.ShowsNodes())
            return false;
        CNodePoint* node = c.nodePoint;
        if (!node || node->IsRotated() || node->GetKind() != NodeKind::Absolute || c.node == doc.GetOriginNode())
            return true;
        StartDrag(kCodeNodeDrag, 1, kTextNodeDrag, std::make_unique<dragactions::NodeDragCommand>(c.node));
    } else {
        StartDrag(kCodeBoxSelect, 1, -1, std::make_unique<dragactions::BoxSelectCommand>());
    }
    return true;
}

void ViewInput::AcceptClick()
{
    CInputRequest& request = *Request();
    InputStep* step = request.Current();
    if (!step)
        return;
    CMorvekDoc& doc = *GetDocument();
    const CursorInfo& c = doc.Cursor();
    step->x = c.modelX;
    step->y = c.modelY;
    bool accepted = false;
    if (step->Accepts(InputPoint)) {
        const double zoom = core_.GetZoom();
        if (step->Snaps(SnapCrossing)) {
            const InputStep* linked = request.GetStep(step->linkedStep);
            Section* section = doc.GetCurrentSection();
            if (linked && linked->element && section) {
                section->GetCrossNodes(linked->element);
                const CrossPoint p = linked->element->FindNthNearestCrossPoint(c.modelX, c.modelY, 5.0 / zoom, 1);
                if (p.other) {
                    step->x = p.x;
                    step->y = p.y;
                    accepted = true;
                }
            }
        }
        if (step->Snaps(SnapElement) && c.element) {
            int last = -1;
            const bool hasLast = request.FindLastPointStep(last);
            const InputStep* from = hasLast ? request.GetStep(last) : nullptr;
            SnapRecord snap;
            if (c.element->GetSnapPoint(0, c.modelX, c.modelY, hasLast ? 2 : 1, from ? from->x : 0.0,
                                        from ? from->y : 0.0, c.elementPlacement, &snap) != 0) {
                step->snappedX = step->x = snap.x;
                step->snappedY = step->y = snap.y;
                accepted = true;
            }
        }
        if (step->Snaps(SnapNode) && c.node != -1) {
            step->nodeIndex = c.node;
            step->node = c.nodePoint;
            step->nodeCompanion = c.nodeInstance;
            step->x = c.nodeX;
            step->y = c.nodeY;
            accepted = true;
        }
        step->resultKind = InputPoint;
    }
    const int index = std::max(request.CurrentIndex(), 0);
    if (step->Accepts(InputElement) && c.element && request.IsTypeAllowed(index, c.element->GetTypeId())) {
        step->element = c.element;
        step->resultKind = InputElement;
        accepted = true;
    }
    if (step->Accepts(InputSubPart) && step->elementGiven) {
        const int bridge = step->elementGiven->FindBridgeAt(c.modelX, c.modelY);
        if (bridge >= 0) {
            step->subPart = bridge;
            step->resultKind = InputSubPart;
            request.Advance(false);
            return;
        }
    }
    if (accepted)
        request.Advance(false);
}

bool ViewInput::OnLButtonUp(platform::DevicePoint pixel, InputModifiers)
{
    CInputRequest* request = Request();
    if (!request)
        return false;
    UpdateCursor(pixel);
    InputStep* step = request->IsRunning() ? request->Current() : nullptr;
    if (!step || !step->Accepts(InputDrag) || step->dragButton != 1)
        return true;
    const CursorInfo& c = GetDocument()->Cursor();
    step->x = c.modelX;
    step->y = c.modelY;
    step->resultKind = InputDrag;
    request->Advance(false);
    UpdateCursor(pixel); // a node drag replaces the elements that use the node
    return true;
}

bool ViewInput::OnRButtonDown(platform::DevicePoint pixel, InputModifiers)
{
    CInputRequest* request = Request();
    if (!request)
        return false;
    UpdateCursor(pixel);
    if (request->IsRunning())
        return true;
    StartDrag(kCodeZoomWindow, 2, -1, std::make_unique<dragactions::ZoomWindowCommand>());
    return true;
}

bool ViewInput::OnRButtonUp(platform::DevicePoint pixel, InputModifiers)
{
    CInputRequest* request = Request();
    if (!request)
        return false;
    UpdateCursor(pixel);
    InputStep* step = request->IsRunning() ? request->Current() : nullptr;
    if (step && step->Accepts(InputDrag) && step->dragButton == 1)
        return false; // no popup in the middle of a left drag
    if (!step || !step->Accepts(InputDrag) || step->dragButton != 2)
        return true;
    const CursorInfo& c = GetDocument()->Cursor();
    step->x = c.modelX;
    step->y = c.modelY;
    step->resultKind = InputDrag;
    const bool zoomed = request->Advance(false) != 0;
    UpdateCursor(pixel);
    return !zoomed;
}

bool ViewInput::OnMButtonDown(platform::DevicePoint pixel, InputModifiers)
{
    if (!GetDocument())
        return false;
    UpdateCursor(pixel);
    CancelCommand();
    return true;
}

void ViewInput::CancelCommand()
{
    CMorvekDoc* doc = GetDocument();
    if (!doc)
        return;
    // The object under way is rolled back; a step something else left open
    // (an element edit) is closed.
    CInputRequest::Of(*doc).Cancel();
    doc->Undo().Close();
    core_.SetRubberLine(false);
    ui_.SetStatusText(QString());
}

bool ViewInput::OnMouseWheel(int delta, InputModifiers mods)
{
    CMorvekDoc* doc = GetDocument();
    if (!doc)
        return false;
    const CursorInfo& c = doc->Cursor();
    if (mods.ctrl) {
        if (c.element)
            c.element->OnCtrlWheel(delta, c.pixelX, c.pixelY);
        return true;
    }
    if (mods.shift) {
        if (c.element) {
            const double value = c.element->OnShiftWheel(delta, c.pixelX, c.pixelY);
            if (c.element->GetTypeId() == ElementTypeId::Cuir)
                doc->Remembered().cuirRadius = value;
        }
        return true;
    }
    if (delta == 0)
        return false;
    const double zoom = core_.GetZoom();
    double next = zoom * kWheelFactor;
    if (delta < 0) {
        if (zoom <= kMinWheelZoom)
            return false;
        next = zoom / kWheelFactor;
    }
    core_.ZoomAbout(next, {c.pixelX, c.pixelY});
    ShowPosition();
    return true;
}

bool ViewInput::OnKeyDown(int virtualKey, InputModifiers mods)
{
    CInputRequest* request = Request();
    if (!request || !options_)
        return false;
    int mode = 0;
    const int action = options_->MatchPointKey(virtualKey, KeyFlags(mods), mods.shift, mods.ctrl, mode);
    if (!request->IsRunning() || action == 0)
        return false;
    if (action == 3) {
        CancelCommand();
        return true;
    }
    const InputStep* step = request->Current();
    if (!step || !step->Accepts(InputPoint) || !step->Snaps(SnapKeys))
        return false;
    DefinePoint(action, mode);
    const CursorInfo& c = GetDocument()->Cursor();
    UpdateCursor({c.pixelX, c.pixelY});
    return true;
}

bool ViewInput::DefinePoint(int action, int mode)
{
    CInputRequest& request = *Request();
    InputStep& step = *request.Current();
    const CursorInfo& c = GetDocument()->Cursor();
    int last = -1;
    const bool hasLast = request.FindLastPointStep(last);
    if (action == 2) {
        if (!c.element)
            return false;
        const InputStep* from = hasLast ? request.GetStep(last) : nullptr;
        SnapRecord snap;
        const int answer = c.element->GetSnapPoint(mode, c.modelX, c.modelY, hasLast ? 2 : 1, from ? from->x : 0.0,
                                                   from ? from->y : 0.0, c.elementPlacement, &snap);
        if (answer == 1) {
            step.x = snap.x;
            step.y = snap.y;
            step.resultKind = InputPoint;
        } else if (answer == 7) {
            step.x = c.modelX;
            step.y = c.modelY;
            step.element = c.element;
            step.resultKind = InputElement;
        } else {
            return false;
        }
        request.Advance(false);
        return true;
    }
    if (mode == 0) {
        step.x = c.modelX;
        step.y = c.modelY;
    } else {
        double baseX = c.modelX;
        double baseY = c.modelY;
        if (mode == 2) {
            if (!hasLast)
                return false;
            baseX = request.GetStep(last)->x;
            baseY = request.GetStep(last)->y;
        } else if (c.node != -1 && c.nodePoint) {
            baseX = c.nodePoint->GetXInInstance(nullptr);
            baseY = c.nodePoint->GetYInInstance(nullptr);
        }
        CoordinateEntry entry{platform::cformat("%4.4f", baseX), platform::cformat("%4.4f", baseY),
                              platform::cformat("%4.4f", 0.0), platform::cformat("%4.4f", 0.0)};
        if (!ui_.AskCoordinate(entry))
            return false;
        step.x = platform::wtof(entry.baseX) + platform::wtof(entry.dX);
        step.y = platform::wtof(entry.baseY) + platform::wtof(entry.dY);
    }
    step.resultKind = InputPoint;
    request.Advance(false);
    return true;
}

bool ViewInput::OnKeyUp(int virtualKey, InputModifiers mods)
{
    if (!options_ || !options_->MatchKey(virtualKey, KeyFlags(mods), mods.shift, mods.ctrl, SHOW_POINT))
        return false;
    core_.OnViewNodes();
    return true;
}

void ViewInput::DrawOverlay(platform::Device& overlay)
{
    CInputRequest* request = Request();
    if (!request || !request->IsRunning())
        return;
    const CursorInfo& c = GetDocument()->Cursor();
    const InputStep* step = request->Current();
    if (step && step->Accepts(InputPoint) && step->Snaps(SnapElement) && c.element) {
        int last = -1;
        const bool hasLast = request->FindLastPointStep(last);
        const InputStep* from = hasLast ? request->GetStep(last) : nullptr;
        SnapRecord snap;
        if (c.element->GetSnapPoint(0, c.modelX, c.modelY, hasLast ? 2 : 1, from ? from->x : 0.0,
                                    from ? from->y : 0.0, c.elementPlacement, &snap) != 0) {
            if (from)
                core_.Painter().DrawMeasureLine({from->x, from->y}, {snap.x, snap.y});
            if (c.node == -1)
                core_.Painter().DrawMovingNodeMarker({snap.x, snap.y});
        }
    }
    overlay.selectPen(platform::Pen::null());
    request->CallDraw(&overlay);
}

std::vector<ContextMenuItem> ViewInput::ContextMenuItems()
{
    std::vector<ContextMenuItem> items;
    CMorvekDoc* doc = GetDocument();
    if (!doc)
        return items;
    if (doc->GetModifyState() != 0) {
        items.push_back({kCmdExitFunction, Translate(kTextExitFunction)});
        return items;
    }
    const CursorInfo& c = doc->Cursor();
    Section* section = doc->GetCurrentSection();
    popupElement = c.element;
    std::vector<CElement*> selected;
    if (section)
        for (CElement* e : *section)
            if (e->IsSelected())
                selected.push_back(e);
    if (!popupElement && selected.size() == 1)
        popupElement = selected.front();
    bool entry = false;
    if (popupElement) {
        const int type = popupElement->GetTypeId();
        if (type != ElementTypeId::Wood)
            items.push_back(popupElement->IsSelected() ? ContextMenuItem{kCmdUnselectItem, Translate(kTextUnselectItem)}
                                                       : ContextMenuItem{kCmdSelectItem, Translate(kTextSelectItem)});
        if (PropertyClass(type) == 1)
            items.push_back({kCmdModifyBridges, Translate(kTextModifyBridges)});
        items.push_back({kCmdProperties, Translate(kTextProperties)});
        items.push_back({kCmdSelectSymmetrical, QStringLiteral("Select symmetrical")});
        entry = true;
    } else if (!selected.empty()) {
        const int first = PropertyClass(selected.front()->GetTypeId());
        bool oneClass = first != 0;
        for (CElement* e : selected)
            oneClass = oneClass && PropertyClass(e->GetTypeId()) == first;
        if (oneClass) {
            items.push_back({kCmdProperties, Translate(kTextProperties)});
            entry = true;
        }
        items.push_back({kCmdChangeBridgeLength, QStringLiteral("Change Bridge Length")});
    }
    popupNode = c.node;
    if (c.node != -1) {
        items.push_back({kCmdNodeProperties, Translate(kTextNodeProperties)});
        entry = true;
    }
    if (!entry)
        items.clear();
    return items;
}

int ViewInput::OnContextMenu(platform::DevicePoint screen)
{
    popupActive = false;
    const std::vector<ContextMenuItem> items = ContextMenuItems();
    if (items.empty())
        return 0;
    popupActive = true;
    const int command = ui_.ShowContextMenu(items, screen);
    if (command == 0 || OnPopupCommand(command))
        return 0;
    return command;
}

bool ViewInput::OnPopupCommand(int command)
{
    CMorvekDoc* doc = GetDocument();
    if (!doc)
        return false;
    switch (command) {
    case kCmdSelectItem:
    case kCmdUnselectItem:
        if (popupElement)
            popupElement->SetSelection(2);
        popupElement = nullptr;
        popupActive = false;
        return true;
    case kCmdExitFunction:
        doc->EndModifyState();
        core_.SetRubberLine(false);
        ui_.SetStatusText(QString());
        popupActive = false;
        return true;
    case kCmdSelectSymmetrical: {
        Section* section = doc->GetCurrentSection();
        if (!popupElement || !section)
            return true;
        const double length = popupElement->GetFullLength();
        const int lineType = popupElement->GetLineType();
        for (CElement* e : *section) {
            if (e->GetLineType() != lineType)
                continue;
            const double l = e->GetFullLength();
            if (l > 0.98 * length && l < 1.02 * length)
                e->SetSelection(1);
        }
        return true;
    }
    default: return false;
    }
}
