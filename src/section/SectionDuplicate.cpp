// Duplication: copies of elements made through the coordinate-based
// creations, so that a copy gets nodes of its own where its points land
// (the document copies layers, selections and placements with it; the
// modify commands leave a copy in place before they transform).
#include "section/Section.h"

#include "element/Arc.h"
#include "element/BobstAsm.h"
#include "element/Cuir.h"
#include "element/ElementTypes.h"
#include "element/Ellipse.h"
#include "element/Holder.h"
#include "element/Line.h"
#include "element/Measure.h"
#include "element/NodeTable.h"
#include "element/SideSymbol.h"
#include "element/Spline.h"
#include "element/Text.h"
#include "options/LanguageTable.h"
#include "platform/Prompt.h"
#include "support/Log.h"

namespace {
// The message for an element of a class that has no creation to copy it.
constexpr int kTextCannotCopy = 199;
// The dimension kind that measures about a third point.
constexpr int kMeasureWithCentre = 1204;
// Where an unused third point of a dimension is handed to its creation.
constexpr double kNoThirdPoint = -1.0;

template <typename Class>
const Class& As(const CElement& e)
{
    return static_cast<const Class&>(e); // the type id names the class
}

} // namespace

ElementIterator Section::AddDuplicated(const CElement& source, const CInstance& placement,
                                       const Section& sourceSection, bool merge)
{
    return AddDuplicatedAbout(source, placement, {sourceSection.GetCenterX(), sourceSection.GetCenterY()}, merge);
}

ElementIterator Section::AddDuplicatedAbout(const CElement& source, const CInstance& placement, die::coord centre,
                                            bool merge)
{
    Log::TheLog().Write("Section::AddDuplicated( CElement* ... )", Log::Section);
    const auto at = [&](int node) {
        const die::coord p = source.GetNodePoint(node);
        return die::coord{placement.TransformX(p.x, p.y, centre.x, centre.y),
                          placement.TransformY(p.x, p.y, centre.x, centre.y)};
    };
    const int lineType = source.GetLineType(); // the copied values set it again
    ElementIterator made = end();
    switch (source.GetTypeId()) {
    case ElementTypeId::Arc: {
        const auto& arc = As<CArc>(source);
        const die::coord c = at(arc.GetCenterNode());
        const die::coord s = at(arc.GetStartNode());
        const die::coord e = at(arc.GetEndNode());
        made = AddArc3(c.x, c.y, s.x, s.y, e.x, e.y, true, lineType);
        break;
    }
    case ElementTypeId::Line: {
        const auto& line = As<CLine>(source);
        const die::coord s = at(line.GetStartNode());
        const die::coord e = at(line.GetEndNode());
        made = AddLine3(s.x, s.y, e.x, e.y, true, lineType);
        break;
    }
    case ElementTypeId::Ellipse: {
        const auto& ellipse = As<CEllipse>(source);
        const die::coord s = at(ellipse.GetStartNode());
        const die::coord e = at(ellipse.GetEndNode());
        const die::coord c = at(ellipse.GetCentreNode());
        const die::coord m = at(ellipse.GetMajorNode());
        const die::coord n = at(ellipse.GetMinorNode());
        made = AddEllipse4(c.x, c.y, s.x, s.y, e.x, e.y, m.x, m.y, n.x, n.y, merge, lineType);
        break;
    }
    case ElementTypeId::Text: {
        const auto& text = As<CText>(source);
        const die::coord h = at(text.GetHeightNode());
        const die::coord b = at(text.GetBaseNode());
        const die::coord e = at(text.GetEndNode());
        made = AddText3(h.x, h.y, b.x, b.y, e.x, e.y, text.GetText(), text.GetFont(), text.IsMirrored(),
                        text.GetFontKind(), merge, lineType);
        break;
    }
    case ElementTypeId::Measure: {
        const auto& measure = As<CMeasure>(source);
        const die::coord l = at(measure.GetLinePoint());
        const die::coord p1 = at(measure.GetP1());
        const die::coord p2 = at(measure.GetP2());
        const die::coord p3 = measure.GetKind() == kMeasureWithCentre ? at(measure.GetCentre())
                                                                      : die::coord{kNoThirdPoint, kNoThirdPoint};
        made = AddMeasureXY(measure.GetKind(), l.x, l.y, p1.x, p1.y, p2.x, p2.y, p3.x, p3.y, merge);
        break;
    }
    case ElementTypeId::Spline: {
        // Every point is checked before any node is added: a spline with a
        // point missing would be another curve.
        std::vector<die::coord> points;
        for (int node : As<CSpline>(source).GetNodes()) {
            points.push_back(at(node));
            if (!CanBeNodes({points.back()}))
                return end();
        }
        auto spline = std::make_unique<CSpline>(nodes_, options_, context_);
        for (const die::coord& p : points) {
            const int index = nodes_->AddPoint(p.x, p.y, merge);
            if (index < 0)
                return end();
            spline->AddNode(index);
        }
        made = Place(std::move(spline), lineType, NewBridges::ByRule);
        break;
    }
    case ElementTypeId::Cuir: {
        const auto& cuir = As<CCuir>(source);
        const die::coord p = at(cuir.GetNode());
        made = AddCuirAt(p.x, p.y, cuir.GetRadius(), cuir.GetAngle(), cuir.GetWingLength(), merge);
        break;
    }
    case ElementTypeId::BobstAsm: {
        const auto& bobst = As<CBobstAsm>(source);
        const die::coord p = at(bobst.GetNode());
        made = AddBobstAt(p.x, p.y, bobst.GetParams(), merge);
        break;
    }
    case ElementTypeId::Holder: {
        const auto& holder = As<CHolder>(source);
        const die::coord p = at(holder.GetNode());
        made = AddHolder(p.x, p.y, holder.IsVertical(), holder.GetLength(), holder.GetWidth(), true);
        break;
    }
    case ElementTypeId::SeperationRule:
    case ElementTypeId::StripperWood: {
        const auto& symbol = As<CSideSymbol>(source);
        const die::coord p = at(symbol.GetNode());
        made = source.GetTypeId() == ElementTypeId::SeperationRule
                   ? AddSeperatingRule(p.x, p.y, symbol.GetSide() != 0, true)
                   : AddStripperWood(p.x, p.y, symbol.GetSide() != 0, true);
        break;
    }
    case ElementTypeId::Wood:
    case ElementTypeId::Bobst:
    case ElementTypeId::Martin:
    case ElementTypeId::BobstSP:
        return end(); // one per drawing, or fixed by the machine: never copied
    default:
        (void)platform::ask(Translate(kTextCannotCopy), QString(), platform::PromptButtons::Ok,
                            platform::PromptIcon::Warning); // only Ok to press
        return end();
    }
    if (made.NotEqual(end())) {
        made.Get()->CopyFrom(source, false);
        made.Get()->SetGeometryDirty();
    }
    return made;
}

void Section::DuplicateAll(bool selectedOnly)
{
    Log::TheLog().Write("Section::DuplicateAll( bool )", Log::Section);
    const CInstance inPlace(true);
    // The elements there now: the copies join the table during the walk.
    std::vector<const CElement*> sources;
    for (CElement* e : *this) {
        if (!selectedOnly || e->IsSelected())
            sources.push_back(e);
    }
    for (const CElement* e : sources) {
        const ElementIterator copy = AddDuplicatedAbout(*e, inPlace, {}, false);
        if (copy.NotEqual(end()))
            copy.Get()->SetSelection(0);
    }
}

std::vector<CInstance> Section::GetPlacements() const
{
    if (instances_.empty())
        return {CInstance(true)};
    return instances_;
}
