#include "view/ViewCore.h"

#include "display/DisplayList.h"
#include "display/DrawContext.h"
#include "display/DisplayStamp.h"
#include "document/MorvekDoc.h"
#include "element/NodePoint.h"
#include "options/Options.h"
#include "platform/Device.h"
#include "section/Section.h"

#include <algorithm>

void ViewCore::OnInitialUpdate(CMorvekDoc* doc, int clientWidth, int clientHeight)
{
    doc_ = doc;
    painter_.SetDocument(doc);
    if (!doc_)
        return;
    NodeTable& nodes = doc_->Nodes();
    const double sum = nodes.GetMaxX() + nodes.GetMaxY() + nodes.GetMinX() + nodes.GetMinY();
    if (sum == 0.0) {
        transform_.zoom = 1.0;
        transform_.origin = {0, 0};
    } else {
        OnViewCenter(clientWidth, clientHeight);
    }
    showBridges_ = false;
    showSpecial_ = true;
    doc_->EndModifyState();
    showNodes_ = false;
    firstPaint_ = true;
    drawn_.reset();
    figuresStamp_ = 0;
}

ViewExtents ViewCore::DocumentExtents() const
{
    ViewExtents e;
    if (doc_)
        doc_->GetExtents(e.left, e.top, e.right, e.bottom, true, true);
    return e;
}

void ViewCore::OnViewCenter(int clientWidth, int clientHeight)
{
    transform_.Fit(clientWidth, clientHeight, DocumentExtents(), DrawContext::GetMirrorFlags());
}

void ViewCore::OnViewSaveZoom(COptions& options) const
{
    options.SaveView(transform_.origin.x, transform_.origin.y, transform_.zoom);
}

void ViewCore::OnViewLoadZoom()
{
    int x = transform_.origin.x;
    int y = transform_.origin.y;
    double zoom = transform_.zoom;
    if (!options_ || !options_->LoadView(x, y, zoom))
        return;
    transform_.origin = {x, y};
    transform_.zoom = zoom;
}

void ViewCore::SetZoom(double typed, int clientWidth, int clientHeight)
{
    transform_.SetZoomAboutCentre(typed, clientWidth, clientHeight);
}

void ViewCore::SetZoomAndOrigin(double zoom, platform::DevicePoint origin)
{
    transform_.zoom = ViewTransform::ClampZoom(zoom);
    transform_.origin = origin;
}

void ViewCore::OnViewBridges()
{
    showBridges_ = !showBridges_;
    if (showBridges_)
        showSpecial_ = false;
}

void ViewCore::OnViewSpecialLineTypes()
{
    showSpecial_ = !showSpecial_;
    if (showSpecial_)
        showBridges_ = false;
}

int ViewCore::DisplayMode() const
{
    if (showBridges_)
        return DisplayMode::WithBridges;
    return showSpecial_ ? DisplayMode::SpecialLineTypes : DisplayMode::Normal;
}

void ViewCore::OnViewMirror(int clientWidth, int clientHeight)
{
    DrawContext::SetMirrorFlags(DrawContext::GetMirrorFlags() ^ DrawContext::MirrorX);
    OnViewCenter(clientWidth, clientHeight);
}

bool ViewCore::IsMirrored()
{
    return (DrawContext::GetMirrorFlags() & DrawContext::MirrorX) != 0;
}

void ViewCore::SetRubberLine(bool on, int x1, int y1, int x2, int y2)
{
    rubberLine_ = on;
    rubber_[0] = x1;
    rubber_[1] = y1;
    rubber_[2] = x2;
    rubber_[3] = y2;
}

void ViewCore::Paint(platform::Device& drawing, platform::Device& overlay, int clientWidth, int clientHeight)
{
    if (!doc_)
        return;
    if (firstPaint_) {
        firstPaint_ = false;
        OnViewCenter(clientWidth, clientHeight);
    }
    if (options_)
        options_->PaintBackground(&drawing, 0, 0, drawing.width(), drawing.height());

    const int mode = DisplayMode();
    painter_.SetDevices(&drawing, &overlay);
    painter_.SetMapping(transform_.Mapping(DrawContext::GetMirrorFlags()));
    UpdateFigures();
    painter_.SetDisplayMode(mode);
    if (background_) {
        const int w = platform::toDeviceUnits(background_->width() * transform_.zoom);
        const int h = platform::toDeviceUnits(background_->height() * transform_.zoom);
        drawing.stretchPicture(transform_.origin.x, transform_.origin.y - h, w, h, *background_);
    }

    painter_.DrawOriginMarker();
    painter_.DrawSections();
    if (showNodes_)
        painter_.DrawNodes();
    drawn_ = StateOf(drawing);
    PaintOverlayParts(drawing, overlay);
}

void ViewCore::PaintOverlay(platform::Device& drawing, platform::Device& overlay, int clientWidth, int clientHeight)
{
    keptDrawing_ = false;
    if (!doc_)
        return;
    if (firstPaint_ || showNodes_ || !drawn_) {
        Paint(drawing, overlay, clientWidth, clientHeight);
        return;
    }
    UpdateFigures();
    if (!Same(*drawn_, StateOf(drawing))) {
        Paint(drawing, overlay, clientWidth, clientHeight);
        return;
    }
    keptDrawing_ = true;
    painter_.SetDevices(&drawing, &overlay);
    painter_.SetMapping(transform_.Mapping(DrawContext::GetMirrorFlags()));
    PaintOverlayParts(drawing, overlay);
}

void ViewCore::PaintOverlayParts(platform::Device& drawing, platform::Device& overlay)
{
    overlay.bitBlt(0, 0, drawing.width(), drawing.height(), drawing, 0, 0);
    if (rubberLine_)
        painter_.DrawMeasureLine({rubber_[0] / 1000.0, rubber_[1] / 1000.0}, {rubber_[2] / 1000.0, rubber_[3] / 1000.0});
    painter_.DrawHighlighted(doc_->Cursor().element);
    painter_.DrawNodeUnderCursor(overlay);
}

ViewCore::DrawnState ViewCore::StateOf(const platform::Device& drawing)
{
    DrawnState s;
    s.stamp = display::ChangeStamp();
    s.drawing = &drawing;
    s.width = drawing.width();
    s.height = drawing.height();
    s.mirror = DrawContext::GetMirrorFlags();
    s.mapping = transform_.Mapping(s.mirror);
    s.mode = DisplayMode();
    s.background = background_.get();
    s.backgroundColour = options_ ? options_->GetBackgroundColour() : 0;
    s.current = doc_->GetCurrentSectionIndex();
    for (int i = 0; i < doc_->GetSectionCount(); ++i) {
        Section& section = *doc_->GetSection(i);
        section.recreate_replicas();
        const PlacementList& replicas = section.get_surface();
        s.sections.push_back({section.IsVisible(), std::vector<Placement>(replicas.begin(), replicas.end())});
    }
    return s;
}

bool ViewCore::Same(const DrawnState& a, const DrawnState& b)
{
    const auto samePlacement = [](const Placement& p, const Placement& q) {
        return p.x == q.x && p.y == q.y && p.cosine == q.cosine && p.sine == q.sine && p.angle == q.angle
            && p.instance == q.instance;
    };
    const auto sameSection = [&](const SectionState& p, const SectionState& q) {
        return p.visible == q.visible && std::ranges::equal(p.replicas, q.replicas, samePlacement);
    };
    const ViewMapping& m = a.mapping;
    const ViewMapping& n = b.mapping;
    return a.stamp == b.stamp && a.drawing == b.drawing && a.width == b.width && a.height == b.height
        && m.scale == n.scale && m.origin == n.origin && m.mirrored == n.mirrored && m.yDown == n.yDown
        && a.mode == b.mode && a.mirror == b.mirror && a.background == b.background
        && a.backgroundColour == b.backgroundColour && a.current == b.current
        && std::ranges::equal(a.sections, b.sections, sameSection);
}

void ViewCore::UpdateFigures()
{
    const int mode = DisplayMode();
    if (figuresStamp_ == display::ChangeStamp() && figuresMode_ == mode)
        return;
    doc_->RebuildAllDisplayLists();
    doc_->SetDisplayMode(mode);
    figuresStamp_ = display::ChangeStamp();
    figuresMode_ = mode;
}

void ViewCore::TrackCursor(platform::DevicePoint pixel)
{
    if (!doc_)
        return;
    CursorRecord& cursor = doc_->Cursor();
    // Pick from the drawing as it is now: a command may have just replaced
    // elements whose figures are not built yet.
    UpdateFigures();
    const int mirror = DrawContext::GetMirrorFlags();
    painter_.SetMapping(transform_.Mapping(mirror));
    transform_.ToModel(pixel.x, pixel.y, mirror, cursor.modelX, cursor.modelY);
    cursor.pixelX = pixel.x;
    cursor.pixelY = pixel.y;
    painter_.SetModelPickPoint(die::coord{cursor.modelX, cursor.modelY});
    painter_.PickElement();
    cursor.element = painter_.GetHitElement();
    cursor.elementInstance = painter_.GetHitInstance();
    cursor.elementPlacement = PlacementOf(cursor.elementInstance);
    const ViewPainter::NodeHit node = painter_.NearestNode();
    cursor.node = node.index;
    cursor.nodePoint = node.index >= 0 ? doc_->Nodes().GetNode(node.index) : nullptr;
    cursor.nodeInstance = node.index >= 0 ? node.instance : -1;
    cursor.nodePlacement = node.index >= 0 ? PlacementOf(node.instance) : nullptr;
    cursor.nodeX = node.at.x;
    cursor.nodeY = node.at.y;
}

const CInstance* ViewCore::PlacementOf(int number) const
{
    const Section* section = doc_ ? doc_->GetCurrentSection() : nullptr;
    if (!section || number <= 0 || number >= section->GetInstanceCount())
        return nullptr;
    return &section->GetInstance(number);
}
