#include "view/ViewPainter.h"

#include "display/DisplayList.h"
#include "display/DisplayStamp.h"
#include "document/MorvekDoc.h"
#include "element/Element.h"
#include "element/NodePoint.h"
#include "geometry/PlacementList.h"
#include "linetype/LinetypeTable.h"
#include "platform/Device.h"
#include "section/Section.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

// A full circle of the radius about (x, y), started from its right-hand point.
void Circle(platform::Device& dc, int x, int y, int radius)
{
    dc.moveTo(x + radius, y);
    dc.angleArc(x, y, radius, 0.0, 360.0);
}

void Outline(platform::Device& dc, std::span<const platform::DevicePoint> points)
{
    dc.moveTo(points.front());
    for (std::size_t i = 1; i < points.size(); ++i)
        dc.lineTo(points[i]);
    dc.lineTo(points.front());
}

} // namespace

void ViewPainter::SetDevices(platform::Device* main, platform::Device* overlay)
{
    main_ = main;
    overlay_ = overlay;
    SetMirrored(mapping_.mirrored);
}

void ViewPainter::SetMirrored(bool mirrored)
{
    mapping_.mirrored = mirrored;
    for (platform::Device* dc : {main_, overlay_})
        if (dc)
            dc->setArcDirection(ArcDirectionFor(mapping_));
}

void ViewPainter::SetMapping(const ViewMapping& mapping)
{
    const bool same = mapping.scale == mapping_.scale && mapping.origin == mapping_.origin
        && mapping.mirrored == mapping_.mirrored && mapping.yDown == mapping_.yDown;
    if (same)
        return;
    mapping_ = mapping;
    SetMirrored(mapping.mirrored);
}

void ViewPainter::DrawOriginMarker()
{
    LinetypeTable* linetypes = DisplayList::GetLinetypeTable();
    if (!main_ || !linetypes)
        return;
    linetypes->SelectCrosshair();
    linetypes->SelectCurrentPen(*main_);
    const int x = mapping_.origin.x;
    const int y = mapping_.origin.y;
    main_->moveTo(x, y - 20);
    main_->lineTo(x, y + 20);
    main_->lineTo(x, y);
    main_->moveTo(x - 20, y);
    main_->lineTo(x + 20, y);
    main_->lineTo(x, y);
    main_->moveTo(x - 6, y + 6);
    main_->lineTo(x, y);
    main_->lineTo(x + 6, y + 6);
    main_->lineTo(x, y);
    linetypes->ReleasePen(*main_);
}

void ViewPainter::DrawSections()
{
    LinetypeTable* linetypes = DisplayList::GetLinetypeTable();
    if (!doc_ || !main_ || !linetypes)
        return;
    linetypes->SelectInactiveLayer();
    linetypes->SelectCurrentPen(*main_);
    Section* current = doc_->GetCurrentSection();
    for (int i = 0; i < doc_->GetSectionCount(); ++i) {
        Section* section = doc_->GetSection(i);
        if (section != current)
            DrawSection(*section, false, *linetypes);
    }
    if (current)
        DrawSection(*current, true, *linetypes);
    linetypes->ReleasePen(*main_);
}

void ViewPainter::DrawSection(Section& section, bool current, LinetypeTable& linetypes)
{
    if (!section.IsVisible())
        return;
    section.recreate_replicas();
    if (!current) {
        linetypes.SelectInactiveLayer();
        linetypes.SelectCurrentPen(*main_);
    }
    penLineType_ = -1;
    PrepareWindows(section);
    FigurePainter painter(*main_, linetypes, mapping_);
    const SectionFigures& figures = FiguresOf(section);
    for (const SectionFigure& figure : figures.Figures())
        DrawFigure(painter, figure, figures.Output(figure), section, current ? &linetypes : nullptr);
}

const SectionFigures& ViewPainter::FiguresOf(const Section& section)
{
    if (figuresStamp_ != display::ChangeStamp()) {
        sectionFigures_.clear();
        figuresStamp_ = display::ChangeStamp();
    }
    for (const auto& [of, figures] : sectionFigures_)
        if (of == &section)
            return *figures;
    auto figures = std::make_unique<SectionFigures>();
    figures->Build(section);
    sectionFigures_.emplace_back(&section, std::move(figures));
    return *sectionFigures_.back().second;
}

void ViewPainter::PrepareWindows(const Section& section)
{
    windows_.clear();
    BoundingBox world;
    const int m = kCullMargin;
    const platform::DevicePoint corners[4] = {
        {-m, -m}, {main_->width() + m, -m}, {-m, main_->height() + m}, {main_->width() + m, main_->height() + m}};
    for (const platform::DevicePoint& c : corners)
        world.Extend(mapping_.ToModel(c));
    windows_.push_back(world);
    for (const Placement& replica : section.get_surface()) {
        BoundingBox window;
        for (const platform::DevicePoint& c : corners)
            window.Extend(replica.Unplace(mapping_.ToModel(c)));
        windows_.push_back(window);
    }
}

namespace {

// A figure without a box is never skipped.
bool MayShow(const BoundingBox& figure, const BoundingBox& window)
{
    return figure.IsEmpty()
        || (figure.minX <= window.maxX && figure.maxX >= window.minX && figure.minY <= window.maxY
            && figure.maxY >= window.minY);
}

} // namespace

// With own pens every figure takes its line type's pen (the "selected" pen
// for a selected element, the pattern pens in display mode 2); without, the
// pen selected in the device stays. A figure, and each replica of it, is
// drawn only when its box reaches into the window.
void ViewPainter::DrawFigure(FigurePainter& painter, const SectionFigure& figure, std::span<const OutputNode> output,
                             const Section& section, LinetypeTable* ownPens)
{
    bool penReady = ownPens == nullptr;
    const auto draw = [&](const Placement* replica) {
        if (!penReady) {
            SelectFigurePen(*ownPens, figure.lineType, figure.selected);
            penReady = true;
        }
        painter.DrawOutput(figure.kind, figure.outputKind, output, replica);
    };
    if (MayShow(figure.drawnBox, windows_[0]))
        draw(nullptr);
    if (!figure.instanced)
        return;
    std::size_t i = 1;
    for (const Placement& replica : section.get_surface())
        if (MayShow(figure.drawnBox, windows_[i++]))
            draw(&replica);
}

void ViewPainter::SelectFigurePen(LinetypeTable& pens, int lineType, bool selected)
{
    if (lineType != penLineType_ || selected != penSelected_) {
        pens.SetCurrent(lineType);
        if (selected)
            pens.SelectSelected();
        else if (mode_ == DisplayMode::SpecialLineTypes)
            pens.SetPatternPens();
        penLineType_ = lineType;
        penSelected_ = selected;
    }
    // Again for every figure: a pattern figure leaves one of its pattern
    // pens selected.
    pens.SelectCurrentPen(*main_);
}

void ViewPainter::DrawHighlighted(const CElement* element)
{
    LinetypeTable* linetypes = DisplayList::GetLinetypeTable();
    if (!element || !overlay_ || !linetypes)
        return;
    linetypes->SelectHighlight();
    linetypes->SelectCurrentPen(*overlay_);
    FigurePainter painter(*overlay_, *linetypes, mapping_);
    for (const DisplayFigure& figure : element->GetDisplayList().Figures())
        painter.DrawFigure(figure);
    linetypes->ReleasePen(*overlay_);
}

void ViewPainter::DrawMeasureLine(const die::coord& from, const die::coord& to)
{
    LinetypeTable* linetypes = DisplayList::GetLinetypeTable();
    if (!overlay_ || !linetypes)
        return;
    linetypes->SelectMeasure();
    linetypes->SelectCurrentPen(*overlay_);
    overlay_->moveTo(mapping_.ToDevice(from));
    overlay_->lineTo(mapping_.ToDevice(to));
    linetypes->ReleasePen(*overlay_);
}

void ViewPainter::DrawMovingNodeMarker(const die::coord& at)
{
    LinetypeTable* linetypes = DisplayList::GetLinetypeTable();
    if (!overlay_ || !linetypes)
        return;
    linetypes->SelectMovingNode();
    linetypes->SelectCurrentPen(*overlay_);
    DrawMarker(*overlay_, at, Square);
    linetypes->ReleasePen(*overlay_);
}

void ViewPainter::DrawNodes()
{
    LinetypeTable* linetypes = DisplayList::GetLinetypeTable();
    if (!doc_ || !main_ || !linetypes)
        return;
    linetypes->SelectContrast();
    linetypes->SelectCurrentPen(*main_);
    NodeTable& nodes = doc_->Nodes();
    for (int i = 0; i < nodes.GetCount(); ++i) {
        CNodePoint* node = nodes.GetNode(i);
        if (!node || !node->IsInUse())
            continue;
        const die::coord at{node->GetXInInstance(nullptr), node->GetYInInstance(nullptr)};
        DrawMarker(*main_, at, node->IsParametric() ? Circle : Square);
    }
    linetypes->ReleasePen(*main_);
}

ViewPainter::NodeHit ViewPainter::NearestNodeByScan()
{
    NodeHit& hit = nodeHit_;
    hit = NodeHit{};
    if (!doc_ || mapping_.scale == 0.0)
        return hit;
    const double s = mapping_.scale;
    double best = double(kNodePixels * kNodePixels) / (s * s);
    const Section* current = doc_->GetCurrentSection();
    NodeTable& nodes = doc_->Nodes();
    auto consider = [&](int index, const die::coord& own, const die::coord& at, int instance) {
        const double dx = at.x - pick_.x;
        const double dy = at.y - pick_.y;
        const double d2 = dx * dx + dy * dy;
        if (d2 < best) {
            best = d2;
            hit = {index, own, instance, at};
        }
    };
    for (int i = 0; i < nodes.GetCount(); ++i) {
        CNodePoint* node = nodes.GetNode(i);
        if (!node)
            continue;
        const die::coord own{node->GetXInInstance(nullptr), node->GetYInInstance(nullptr)};
        consider(i, own, own, 0);
        if (current)
            for (const Placement& replica : current->get_surface())
                consider(i, own, replica.Place(own), replica.instance);
    }
    return hit;
}

void ViewPainter::UpdateNodeGrid()
{
    NodeTable& nodes = doc_->Nodes();
    if (nodeGridTable_ == &nodes && nodeGridGeneration_ == nodes.Generation() && nodeGridStamp_ == display::ChangeStamp()
        && nodeGridCount_ == nodes.GetCount())
        return;
    nodeBoxes_.assign(static_cast<std::size_t>(nodes.GetCount()), BoundingBox{});
    for (int i = 0; i < nodes.GetCount(); ++i)
        if (CNodePoint* node = nodes.GetNode(i))
            nodeBoxes_[static_cast<std::size_t>(i)].Extend(node->GetXInInstance(nullptr), node->GetYInInstance(nullptr));
    nodeGrid_.Build(nodeBoxes_);
    // Reading the positions may have begun an evaluation.
    nodeGridTable_ = &nodes;
    nodeGridGeneration_ = nodes.Generation();
    nodeGridStamp_ = display::ChangeStamp();
    nodeGridCount_ = nodes.GetCount();
}

// The nodes near the pick point, in their own place and in each replica's,
// tried in the order of the plain scan (node, then its own place before the
// replicas in order), so that a tie goes the same way.
ViewPainter::NodeHit ViewPainter::NearestNode()
{
    NodeHit& hit = nodeHit_;
    hit = NodeHit{};
    if (!doc_ || mapping_.scale == 0.0)
        return hit;
    UpdateNodeGrid();
    const double s = mapping_.scale;
    double best = double(kNodePixels * kNodePixels) / (s * s);
    const double reach = kNodePixels / s;
    const Section* current = doc_->GetCurrentSection();
    std::vector<std::pair<int, int>> tries; // node, 0 own or 1 + replica
    nodeGrid_.QueryFrames(pick_, reach, current ? &current->get_surface() : nullptr, tries);
    for (const auto& [i, f] : tries) {
        const BoundingBox& box = nodeBoxes_[static_cast<std::size_t>(i)];
        const die::coord own{box.minX, box.minY};
        const Placement* replica = f == 0 ? nullptr : &*(current->get_surface().begin() + (f - 1));
        const die::coord at = replica ? replica->Place(own) : own;
        const double dx = at.x - pick_.x;
        const double dy = at.y - pick_.y;
        const double d2 = dx * dx + dy * dy;
        if (d2 < best) {
            best = d2;
            hit = {i, own, replica ? replica->instance : 0, at};
        }
    }
    return hit;
}

void ViewPainter::DrawNodeUnderCursor(platform::Device& dc)
{
    LinetypeTable* linetypes = DisplayList::GetLinetypeTable();
    const NodeHit& hit = nodeHit_;
    if (!doc_ || mapping_.scale == 0.0 || hit.index < 0 || !linetypes)
        return;
    NodeTable& nodes = doc_->Nodes();
    CNodePoint* node = hit.index < nodes.GetCount() ? nodes.GetNode(hit.index) : nullptr;
    if (!node)
        return;
    linetypes->SelectContrast();
    linetypes->SelectCurrentPen(dc);
    if (!node->IsParametric()) {
        DrawMarker(dc, hit.own, Square);
    } else {
        DrawMarker(dc, hit.own, Circle);
        const int ref = node->GetReference1();
        CNodePoint* reference = (ref >= 0 && ref < nodes.GetCount()) ? nodes.GetNode(ref) : nullptr;
        if (reference)
            DrawMarker(dc, {reference->GetXInInstance(nullptr), reference->GetYInInstance(nullptr)}, Triangle);
    }
    if (hit.instance != 0)
        DrawMarker(dc, hit.at, Diamond);
    linetypes->ReleasePen(dc);
}

void ViewPainter::DrawMarker(platform::Device& dc, const die::coord& at, int shape) const
{
    using P = platform::DevicePoint;
    const P c = mapping_.ToDevice(at);
    const int x = c.x;
    const int y = c.y;
    switch (shape) {
    case Square: {
        const std::array<P, 4> p{P{x - 5, y - 5}, P{x + 5, y - 5}, P{x + 5, y + 5}, P{x - 5, y + 5}};
        Outline(dc, p);
        break;
    }
    case Diamond: {
        const std::array<P, 4> p{P{x, y - 5}, P{x + 5, y}, P{x, y + 5}, P{x - 5, y}};
        Outline(dc, p);
        break;
    }
    case Triangle: {
        const std::array<P, 3> p{P{x, y - 5}, P{x - 5, y + 5}, P{x + 5, y + 5}};
        Outline(dc, p);
        break;
    }
    case Circle:
        ::Circle(dc, x, y, 5);
        break;
    case FilledSquare: {
        const std::array<P, 4> p{P{x - 4, y - 4}, P{x + 4, y - 4}, P{x + 4, y + 4}, P{x - 4, y + 4}};
        dc.polygon(p);
        break;
    }
    case Disc:
        dc.ellipse(x - 5, y - 5, x + 6, y + 6);
        break;
    case Octagon: {
        const std::array<P, 8> p{P{x - 2, y + 5}, P{x + 2, y + 5}, P{x + 5, y + 2}, P{x + 5, y - 2},
                                 P{x + 2, y - 5}, P{x - 2, y - 5}, P{x - 5, y - 2}, P{x - 5, y + 2}};
        dc.polygon(p);
        break;
    }
    case Plus: {
        const std::array<P, 12> p{P{x - 1, y - 1}, P{x - 1, y - 3}, P{x + 1, y - 3}, P{x + 1, y - 1},
                                  P{x + 3, y - 1}, P{x + 3, y + 1}, P{x + 1, y + 1}, P{x + 1, y + 3},
                                  P{x - 1, y + 3}, P{x - 1, y + 1}, P{x - 3, y + 1}, P{x - 3, y - 1}};
        dc.polygon(p);
        break;
    }
    case TickedCircle:
        ::Circle(dc, x, y, 7);
        dc.moveTo(x - 7, y);
        dc.lineTo(x - 11, y);
        dc.moveTo(x + 7, y);
        dc.lineTo(x + 11, y);
        dc.moveTo(x, y - 7);
        dc.lineTo(x, y - 11);
        dc.moveTo(x, y + 7);
        dc.lineTo(x, y + 11);
        break;
    case CrossedCircle:
        ::Circle(dc, x, y, 7);
        for (const P& arm : {P{x - 9, y}, P{x + 9, y}, P{x, y - 9}, P{x, y + 9}}) {
            dc.moveTo(x, y);
            dc.lineTo(arm);
        }
        break;
    case SmallDisc:
        dc.ellipse(x - 3, y - 3, x + 4, y + 4);
        break;
    default:
        break;
    }
}
