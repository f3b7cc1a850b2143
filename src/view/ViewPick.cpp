// Which element lies under the cursor: the nearest figure of the current
// section within 15 pixels, tested in the element's own frame for each of
// its replicas.
#include "view/ViewPainter.h"

#include "display/DisplayList.h"
#include "display/DisplayStamp.h"
#include "document/MorvekDoc.h"
#include "element/Element.h"
#include "geometry/Angle.h"
#include "geometry/GeomBasics.h"
#include "geometry/GeomConstants.h"
#include "geometry/PlacementList.h"
#include "section/Section.h"

#include <algorithm>
#include <cmath>

namespace {

// The pick point in the frame of the replica (its inverse placement).
die::coord IntoReplica(const die::coord& p, const Placement* replica)
{
    return replica ? replica->Unplace(p) : p;
}

// A vector of the replica's frame turned back into world orientation.
die::coord OutOfReplica(const die::coord& v, const Placement* replica)
{
    if (!replica)
        return v;
    return {replica->cosine * v.x - replica->sine * v.y, replica->sine * v.x + replica->cosine * v.y};
}

bool InsideGrown(const BoundingBox& box, const die::coord& p, double grow)
{
    return !box.IsEmpty() && p.x >= box.minX - grow && p.x <= box.maxX + grow && p.y >= box.minY - grow
        && p.y <= box.maxY + grow;
}

double Distance2(const die::coord& a, const die::coord& b)
{
    const double dx = a.x - b.x;
    const double dy = a.y - b.y;
    return dx * dx + dy * dy;
}

double AngleAbout(const die::coord& centre, const die::coord& p)
{
    return Angle::Normalize(Geom::VectorAngle(p.y - centre.y, p.x - centre.x));
}

} // namespace

void ViewPainter::SetPickPoint(platform::DevicePoint pixel)
{
    if (mapping_.scale == 0.0)
        return;
    SetModelPickPoint(mapping_.ToModel(pixel));
}

bool ViewPainter::BeginPick()
{
    noHit_ = true;
    hit_ = Hit{};
    if (!doc_ || mapping_.scale == 0.0 || !doc_->GetCurrentSection())
        return false;
    tolerance_ = kPickPixels / mapping_.scale;
    best_ = tolerance_ * tolerance_;
    return true;
}

void ViewPainter::PickElementByScan()
{
    if (!BeginPick())
        return;
    Section* section = doc_->GetCurrentSection();
    for (CElement* element : *section) {
        for (const DisplayFigure& figure : element->GetDisplayList().Figures()) {
            PickFigure(element, figure, nullptr);
            if (!element->GetNotInstanced())
                for (const Placement& replica : section->get_surface())
                    PickFigure(element, figure, &replica);
        }
    }
}

void ViewPainter::UpdateFigureGrid(Section& section)
{
    if (gridSection_ == &section && gridStamp_ == display::ChangeStamp())
        return;
    gridFigures_.clear();
    std::vector<BoundingBox> boxes;
    for (CElement* element : section) {
        for (const DisplayFigure& figure : element->GetDisplayList().Figures()) {
            gridFigures_.push_back({element, &figure});
            boxes.push_back(figure.box);
        }
    }
    figureGrid_.Build(boxes);
    gridSection_ = &section;
    gridStamp_ = display::ChangeStamp();
}

// The figures near the pick point in the element's own frame and in each
// replica's, tried in the order of the plain scan (element, figure, then its
// own frame before the replicas in order), so that a tie goes the same way.
void ViewPainter::PickElement()
{
    if (!BeginPick())
        return;
    Section& section = *doc_->GetCurrentSection();
    UpdateFigureGrid(section);
    const PlacementList& replicas = section.get_surface();
    std::vector<std::pair<int, int>> tries; // figure, 0 own or 1 + replica
    figureGrid_.QueryFrames(pick_, tolerance_, &replicas, tries);
    for (const auto& [figure, f] : tries) {
        const FigureRef& ref = gridFigures_[static_cast<std::size_t>(figure)];
        if (f != 0 && ref.element->GetNotInstanced())
            continue;
        PickFigure(ref.element, *ref.figure, f == 0 ? nullptr : &*(replicas.begin() + (f - 1)));
    }
}

int ViewPainter::GetHitInstance() const
{
    if (noHit_)
        return -1;
    return hit_.instance;
}

void ViewPainter::PickFigure(CElement* element, const DisplayFigure& figure, const Placement* replica)
{
    const die::coord p = IntoReplica(pick_, replica);
    if (!InsideGrown(figure.box, p, tolerance_))
        return;
    switch (figure.kind) {
    case FigureKind::Arc:
        PickArc(element, figure, replica, p);
        break;
    case FigureKind::Line:
    case FigureKind::Curve:
    case FigureKind::Ellipse:
    case FigureKind::Text:
        PickPath(element, figure, replica, p);
        break;
    default:
        break;
    }
}

void ViewPainter::PickPath(CElement* element, const DisplayFigure& figure, const Placement* replica,
                           const die::coord& p)
{
    const auto& path = figure.path;
    for (std::size_t i = 1; i < path.size(); ++i) {
        const die::coord a{path[i - 1].x, path[i - 1].y};
        const die::coord b{path[i].x, path[i].y};
        const double dx = b.x - a.x;
        const double dy = b.y - a.y;
        if (path[i].length == 0.0 || (std::abs(dx) < 1e-6 && std::abs(dy) < 1e-6))
            continue;
        double t = ((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy);
        t = t < 0.0 ? 0.0 : (t > 1.0 ? 1.0 : t);
        const die::coord nearest{a.x + t * dx, a.y + t * dy};
        Record(element, figure, static_cast<int>(i - 1), replica, p, nearest, Distance2(p, nearest));
    }
}

// The arc's pick polyline: centre, (radius, 0), a, b; it runs
// counter-clockwise from b to a, a full circle when both angles are equal.
void ViewPainter::PickArc(CElement* element, const DisplayFigure& figure, const Placement* replica,
                          const die::coord& p)
{
    const auto& path = figure.path;
    if (path.size() != 4)
        return;
    const die::coord centre{path[0].x, path[0].y};
    const double radius = path[1].x;
    const die::coord a{path[2].x, path[2].y};
    const die::coord b{path[3].x, path[3].y};
    const double angleA = AngleAbout(centre, a);
    const double angleB = AngleAbout(centre, b);
    const double span = angleA == angleB ? Geom::kTwoPi : Angle::Normalize(angleA - angleB);
    const double fromCentre = std::sqrt(Distance2(p, centre));
    const double along = Angle::Normalize(AngleAbout(centre, p) - angleB);
    if (along <= span && fromCentre > 0.0) {
        const double k = radius / fromCentre;
        const die::coord nearest{centre.x + (p.x - centre.x) * k, centre.y + (p.y - centre.y) * k};
        const double d = std::abs(fromCentre - radius);
        Record(element, figure, 0, replica, p, nearest, d * d);
        return;
    }
    const die::coord nearest = Distance2(p, b) > Distance2(p, a) ? a : b;
    Record(element, figure, 0, replica, p, nearest, Distance2(p, nearest));
}

void ViewPainter::Record(CElement* element, const DisplayFigure& figure, int segment, const Placement* replica,
                         const die::coord& p, const die::coord& nearest, double distance2)
{
    if (!(distance2 < best_))
        return;
    best_ = distance2;
    noHit_ = false;
    hit_.element = element;
    hit_.figure = &figure;
    hit_.segment = segment;
    hit_.instance = replica ? replica->instance : 0;
    hit_.toNearest = OutOfReplica({nearest.x - p.x, nearest.y - p.y}, replica);
}
