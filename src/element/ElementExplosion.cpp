#include "element/ElementExplosion.h"

#include "display/DisplayList.h"
#include "geometry/Angle.h"

namespace {
// The tag of the bridges an explosion makes.
constexpr int32_t kExplosionTag = 555;
constexpr double kDegreesPerRadian = 57.29577951308232;

double DegreesOf(const die::coord& direction)
{
    return Angle().FromVector(direction).Radians() * kDegreesPerRadian;
}

CElement* MakeFigure(ExplosionTarget& target, const DisplayFigure& figure)
{
    const std::vector<die::coord>& p = figure.points;
    switch (figure.kind) {
    case FigureKind::Line:
        return p.size() >= 2 ? target.AddLine(p[0], p[1]) : nullptr;
    case FigureKind::Curve:
        return p.size() >= 3 ? target.AddSpline(p) : nullptr;
    case FigureKind::Arc:
        return p.size() >= 3 ? target.AddArc(p[0], p[1], p[2]) : nullptr;
    case FigureKind::Ellipse:
        return p.size() >= 5 ? target.AddEllipse(p[0], p[3], p[4], p[2], DegreesOf(p[1])) : nullptr;
    case FigureKind::Text:
        return p.size() >= 3 ? target.AddText(ExplodedText::FromFigure(figure)) : nullptr;
    default: return nullptr;
    }
}
} // namespace

ExplodedText ExplodedText::FromFigure(const DisplayFigure& figure)
{
    ExplodedText text;
    text.text = figure.text;
    if (figure.points.size() < 3)
        return text;
    const die::coord& direction = figure.points[1];
    text.origin = figure.points[0];
    text.advance = figure.points[2].x;
    text.height = figure.points[2].y;
    text.angleDegrees = DegreesOf(direction);
    if (text.advance < 0.0) {
        text.origin += direction * (text.advance * static_cast<double>(text.text.size()));
        text.advance = -text.advance;
        text.mirrored = 1;
    }
    return text;
}

void CElement::SplitUp(ExplosionTarget& target)
{
    displayDirty = true;
    RebuildContour();
    Explode(target);
}

void CElement::Explode(ExplosionTarget& target)
{
    for (const DisplayFigure& figure : displayList->Figures()) {
        CElement* made = MakeFigure(target, figure);
        if (!made)
            continue;
        made->SetLineType(figure.lineType);
        made->SetPtg(figure.ptg);
        made->SetNotInstanced(notInstanced);
        std::vector<Bridge> list;
        for (const DisplayBridge& b : figure.bridges) {
            if (list.size() == static_cast<std::size_t>(BridgeList::MaxCount))
                break;
            list.push_back({kExplosionTag, b.position, b.width});
        }
        made->SetBridgeMode(BridgeMode::ByHand);
        made->SetBridges(list);
        made->RefreshBridges();
        made->Recalculate();
    }
    target.Remove(*this);
}
