#include "command/ViewDragActions.h"

#include "command/CInputRequest.h"
#include "command/ViewInput.h"
#include "display/DrawContext.h"
#include "element/Element.h"
#include "element/NodePoint.h"
#include "options/Options.h"
#include "platform/Device.h"
#include "section/Section.h"
#include "view/PixelRound.h"
#include "view/ViewCore.h"

#include <algorithm>
#include <cmath>

namespace dragactions {
namespace {

// Special line types of the marks drawn here.
constexpr int kMarkerRectLineType = 1004;
constexpr int kMovingNodeLineType = 1006;

int MirrorFlags()
{
    return DrawContext::GetMirrorFlags();
}

// The node found at a point: the first node in use, in slot order, within
// the pick tolerance, looking under each placement of the current section
// in turn (its own elements first); the skipped slots do not count.
struct NodeFound {
    int index = -1;
    int placement = 0;
    die::coord at;
};

NodeFound FindNodeAt(CMorvekDoc& doc, const die::coord& p, double tolerance, int skipA, int skipB)
{
    NodeTable& nodes = doc.Nodes();
    const Section* section = doc.GetCurrentSection();
    const double r2 = tolerance * tolerance;
    auto search = [&](const Placement* replica) {
        NodeFound found;
        for (int i = 0; i < nodes.GetCount(); ++i) {
            CNodePoint* node = nodes.GetNode(i);
            if (!node || !node->IsInUse() || i == skipA || i == skipB)
                continue;
            die::coord at{node->GetXInInstance(nullptr), node->GetYInInstance(nullptr)};
            if (replica)
                at = replica->Place(at);
            if ((at - p).LengthSquared() < r2) {
                found = {i, replica ? replica->instance : 0, at};
                break;
            }
        }
        return found;
    };
    NodeFound found = search(nullptr);
    if (found.index >= 0 || !section)
        return found;
    for (const Placement& replica : section->get_surface()) {
        found = search(&replica);
        if (found.index >= 0)
            return found;
    }
    return found;
}

} // namespace

int PanCommand::Move(CInputRequest& owner)
{
    CInputRequest* request = &owner;
    ViewInput* view = request->GetView();
    const InputStep* step = request->GetStep(0);
    CMorvekDoc* doc = request->GetDocument();
    if (!view || !step || !doc)
        return 0;
    // The grabbed model point goes straight under the cursor's pixel.
    const CursorInfo& c = doc->Cursor();
    ViewTransform grabbed = view->Core().Transform();
    grabbed.origin = {0, 0};
    const platform::DevicePoint offset = grabbed.ToDevicePixel(step->dragStartX, step->dragStartY, MirrorFlags());
    const platform::DevicePoint moved{c.pixelX - offset.x, c.pixelY - offset.y};
    view->Core().SetOrigin(moved);
    origin = moved;
    // The cursor's model point under the new origin.
    view->Core().Transform().ToModel(c.pixelX, c.pixelY, MirrorFlags(), doc->Cursor().modelX, doc->Cursor().modelY);
    return 1;
}

int RubberBandCommand::Draw(CInputRequest& owner, platform::Device* dc)
{
    CInputRequest* request = &owner;
    ViewInput* view = request->GetView();
    const InputStep* step = request->GetStep(0);
    if (!view || !step || !dc)
        return 0;
    const ViewTransform& t = view->Core().Transform();
    const platform::DevicePoint a = t.ToDevicePixel(step->dragStartX, step->dragStartY, MirrorFlags());
    const platform::DevicePoint b = t.ToDevicePixel(step->x, step->y, MirrorFlags());
    if (view->Options())
        view->Options()->SelectLineTypePen(*dc, kMarkerRectLineType);
    const platform::Brush old = dc->selectBrush(platform::Brush::null());
    dc->rectangle(a.x, a.y, b.x, b.y);
    dc->selectBrush(old);
    return 1;
}

int BoxSelectCommand::Finish(CInputRequest& owner)
{
    CInputRequest* request = &owner;
    ViewInput* view = request->GetView();
    const InputStep* step = request->GetStep(0);
    CMorvekDoc* doc = request->GetDocument();
    Section* section = doc ? doc->GetCurrentSection() : nullptr;
    if (!view || !step || !section)
        return 0;
    const double left = std::min(step->dragStartX, step->x);
    const double right = std::max(step->dragStartX, step->x);
    const double bottom = std::min(step->dragStartY, step->y);
    const double top = std::max(step->dragStartY, step->y);
    const double zoom = view->Core().GetZoom();
    CElement* hovered = doc->Cursor().element;
    if ((right - left) * zoom < kBoxClickPixels && (top - bottom) * zoom < kBoxClickPixels && hovered) {
        hovered->SetSelection(2);
        return 1;
    }
    section->SelectAllInRect(left, top, right, bottom, view->boxSelectMode);
    view->lastSelection = {left, top, right, bottom, true};
    return 1;
}

int ZoomWindowCommand::Finish(CInputRequest& owner)
{
    CInputRequest* request = &owner;
    ViewInput* view = request->GetView();
    const InputStep* step = request->GetStep(0);
    if (!view || !step)
        return 0;
    ViewCore& core = view->Core();
    const ViewTransform& t = core.Transform();
    const platform::DevicePoint a = t.ToDevicePixel(step->dragStartX, step->dragStartY, MirrorFlags());
    const platform::DevicePoint b = t.ToDevicePixel(step->x, step->y, MirrorFlags());
    const double w = std::abs(b.x - a.x);
    const double h = std::abs(b.y - a.y);
    if (!(std::hypot(w, h) > kZoomWindowMinPixels))
        return 0;
    const platform::DevicePoint corner{std::min(a.x, b.x), std::min(a.y, b.y)};
    const double factor = std::min(view->ClientHeight() / h, view->ClientWidth() / w);
    const double z0 = t.zoom;
    const double z1 = ViewTransform::ClampZoom(z0 * factor);
    const double ratio = z0 != 0.0 ? z1 / z0 : 1.0;
    // The corner goes to the client's top-left pixel: the origin's offset
    // from it scales with the zoom, rounded once.
    const platform::DevicePoint origin{RoundPixel((t.origin.x - corner.x) * ratio),
                                       RoundPixel((t.origin.y - corner.y) * ratio)};
    core.SetZoomAndOrigin(z1, origin);
    return 1;
}

int NodeDragCommand::Draw(CInputRequest& owner, platform::Device* dc)
{
    CInputRequest* request = &owner;
    ViewInput* view = request->GetView();
    const InputStep* step = request->GetStep(0);
    if (!view || !step || !dc)
        return 0;
    const platform::DevicePoint p = view->Core().Transform().ToDevicePixel(step->x, step->y, MirrorFlags());
    if (view->Options())
        view->Options()->SelectLineTypePen(*dc, kMovingNodeLineType);
    const platform::Brush old = dc->selectBrush(platform::Brush::null());
    dc->rectangle(p.x - 5, p.y - 5, p.x + 5, p.y + 5);
    dc->selectBrush(old);
    return 1;
}

int NodeDragCommand::Finish(CInputRequest& owner)
{
    CInputRequest* request = &owner;
    ViewInput* view = request->GetView();
    const InputStep* step = request->GetStep(0);
    CMorvekDoc* doc = request->GetDocument();
    if (!view || !step || !doc)
        return 0;
    const int dragged = node_;
    // Everything below, the node's own move too, goes to the drag's step.
    UndoTransaction* tx = request->Transaction();
    NodeTable& nodes = doc->Nodes();
    CNodePoint* node = nodes.GetNode(dragged);
    if (!node)
        return 0;
    // A node only locked layers use stays where it is.
    const int usage = doc->GetNodeUsage(dragged);
    if (usage == 2)
        return 0;
    const double zoom = view->Core().GetZoom();
    die::coord drop{step->x, step->y};
    const NodeFound target =
        FindNodeAt(*doc, drop, ViewPainter::kNodePixels / zoom, dragged, doc->GetOriginNode());
    if (target.index >= 0 && target.placement == 0) {
        // Dropped onto another node of the section itself: the two become
        // one; locked layers keep the dragged node.
        const bool merged = usage == 3 ? doc->ReplaceNodeInSections(dragged, target.index, false, tx)
                                       : doc->MergeNode(dragged, target.index, tx);
        if (!merged)
            return 0;
        doc->ValidateAllElements();
        doc->RefreshAllBridges();
        return 1;
    }
    if (target.index >= 0) {
        drop = target.at; // onto a node shown in a replica: to where it shows
    } else {
        // A click on a node without moving it does not move it.
        const double tolerance = kNodeStayPixels / zoom;
        if (std::abs(drop.x - node->GetXInInstance(nullptr)) <= tolerance &&
            std::abs(drop.y - node->GetYInInstance(nullptr)) <= tolerance)
            return 0;
    }
    if (usage == 3) {
        // The locked layers keep a copy at the old position.
        const int copy = nodes.AddNode(*node, false);
        if (copy < 0)
            return 0;
        if (!doc->ReplaceNodeInSections(dragged, copy, true, tx)) {
            nodes.RemoveNode(copy); // no element uses it
            return 0;
        }
    }
    if (!nodes.PlaceNodeAt(dragged, drop.x, drop.y))
        return 0;
    doc->ValidateAllElements();
    doc->RefreshAllBridges();
    return 1;
}

} // namespace dragactions
