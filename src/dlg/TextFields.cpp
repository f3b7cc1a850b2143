#include "dlg/TextFields.h"

#include "dlg/ElementValues.h"
#include "element/NodeTable.h"
#include "element/Text.h"
#include "geometry/Angle.h"
#include "options/LanguageTable.h"
#include "platform/CFormat.h"
#include "section/Section.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace dlg {

namespace {

// Text 2550: "A text needs at least one character and a height above 0."
constexpr int kTextTextNeedsCharacters = 2550;

int Characters(const QString& text)
{
    return static_cast<int>(text.size());
}

struct NodeFrame {
    die::coord base, height, end;
    bool valid = false;
};

NodeFrame FrameOf(const CText& text, NodeTable& nodes)
{
    NodeFrame f;
    CNodePoint* base = nodes.GetNode(text.GetBaseNode());
    CNodePoint* height = nodes.GetNode(text.GetHeightNode());
    CNodePoint* end = nodes.GetNode(text.GetEndNode());
    if (!base || !height || !end)
        return f;
    f.base = {base->GetX(), base->GetY()};
    f.height = {height->GetX(), height->GetY()};
    f.end = {end->GetX(), end->GetY()};
    f.valid = true;
    return f;
}

double Distance(const die::coord& a, const die::coord& b)
{
    return std::hypot(b.x - a.x, b.y - a.y);
}

double Direction(const die::coord& from, const die::coord& to)
{
    Angle a;
    a.FromVector({to.x - from.x, to.y - from.y});
    return a.Radians();
}

int NodeAt(NodeTable& nodes, const die::coord& p)
{
    return nodes.AddPoint(p.x, p.y, true);
}

} // namespace

TextNodePositions TextNodesFor(const die::coord& base, double height, double charWidth, double radians, int n)
{
    const double up = radians + Geom::kPi / 2.0;
    const double length = charWidth * n;
    return {{base.x + height * std::cos(up), base.y + height * std::sin(up)},
            base,
            {base.x + length * std::cos(radians), base.y + length * std::sin(radians)}};
}

TextFields TextFields::ForText(const CText& text, NodeTable& nodes)
{
    TextFields f;
    f.newText = false;
    f.text = text.GetText();
    f.openedText = f.text;
    const NodeFrame frame = FrameOf(text, nodes);
    f.x = PageNumber(frame.base.x);
    f.y = PageNumber(frame.base.y);
    f.height = PageNumber(Distance(frame.base, frame.height));
    f.width = PageNumber(Distance(frame.base, frame.end) / std::max(1, Characters(f.text)));
    f.angle = PageNumber(Direction(frame.base, frame.end), Geom::RadToDeg(1.0));
    f.mirrored = text.IsMirrored();
    f.font = text.GetFont();
    f.fontKind = text.GetFontKind() == TextFontKind::SystemFont ? 1 : 0;
    f.colour = text.GetColour();
    return f;
}

TextFields TextFields::ForNewText()
{
    TextFields f;
    f.x = PageNumber::FromText(QStringLiteral("0"));
    f.y = PageNumber::FromText(QStringLiteral("0"));
    f.height = PageNumber::FromText(QStringLiteral("10"));
    f.width = PageNumber::FromText(QStringLiteral("8"));
    f.angle = PageNumber::FromText(QStringLiteral("0"), Geom::RadToDeg(1.0));
    f.colour = CText::DefaultColour;
    return f;
}

TextFields TextFields::ForSeveral(const std::vector<const CText*>& texts, NodeTable& nodes)
{
    TextFields f;
    if (!texts.empty())
        f = ForText(*texts.front(), nodes);
    f.several = true;
    f.text = QStringLiteral("abc");
    f.openedText = f.text;
    f.x = PageNumber::FromText(QStringLiteral("0"));
    f.y = PageNumber::FromText(QStringLiteral("0"));
    for (const CText* t : texts) {
        if (t->IsMirrored() != f.mirrored)
            f.mirrored = kMirrorDiffers;
    }
    return f;
}

TextNodePositions TextFields::Nodes() const
{
    return TextNodesFor({x.Value(), y.Value()}, height.Value(), width.Value(), angle.Value(), Characters(text));
}

bool TextFields::StorePick(int code, const PickedPoint& point)
{
    if (code != propend::kPickTextBase)
        return false;
    x.Set(point.x);
    y.Set(point.y);
    return true;
}

QString TextFields::Validate() const
{
    if (several)
        return {};
    if (text.isEmpty() || !(height.Value() > 0.0))
        return Translate(kTextTextNeedsCharacters);
    return {};
}

bool TextFields::Apply(Section& section, int slot, const ElementValues* common) const
{
    const auto* current = dynamic_cast<const CText*>(section.GetElement(slot));
    if (!current)
        return false;
    NodeTable& nodes = *section.GetNodeTable();
    const bool placed = x.Changed() || y.Changed() || height.Changed() || width.Changed() || angle.Changed()
                        || Characters(text) != Characters(openedText);
    const int kind = fontKind == 1 ? TextFontKind::SystemFont : TextFontKind::StrokeFont;
    const bool same = !placed && text == current->GetText() && mirrored == current->IsMirrored()
                      && kind == current->GetFontKind() && colour == current->GetColour()
                      && font == current->GetFont() && !(common && common->Differs(*current));
    if (same)
        return false;
    auto copy = std::make_unique<CText>(*current);
    if (placed) {
        const TextNodePositions p = Nodes();
        const int base = NodeFor(nodes, current->GetBaseNode(), x, y);
        const int up = NodeAt(nodes, p.height);
        const int end = NodeAt(nodes, p.end);
        if (base < 0 || up < 0 || end < 0)
            return false;
        copy->SetNodes(up, base, end);
    }
    copy->SetText(text);
    copy->SetMirrored(mirrored);
    copy->SetFontKind(kind);
    copy->SetFont(font);
    copy->SetColour(colour);
    if (common)
        common->ApplyTo(*copy);
    CElement* now = section.ReplaceElement(slot, std::move(copy));
    now->RefreshBridges();
    now->Recalculate();
    return true;
}

bool TextFields::AddNew(Section& section, int lineType) const
{
    const int kind = fontKind == 1 ? TextFontKind::SystemFont : TextFontKind::StrokeFont;
    auto made = section.AddText2(x.Value(), y.Value(), height.Value(), Geom::RadToDeg(angle.Value()), width.Value(), text,
                                 font, mirrored == 1 ? 1 : 0, kind, lineType);
    if (made == section.end())
        return false;
    if (auto* t = dynamic_cast<CText*>(*made))
        t->SetColour(colour);
    return true;
}

bool TextFields::ApplyToMember(CText& t) const
{
    bool changed = false;
    NodeTable* nodes = t.GetNodeTable();
    const NodeFrame frame = nodes ? FrameOf(t, *nodes) : NodeFrame{};
    if (frame.valid && (applyHeight || applyWidth || applyAngle)) {
        double h = Distance(frame.base, frame.height);
        double w = Distance(frame.base, frame.end);
        double a = Direction(frame.base, frame.end);
        if (applyHeight)
            h = height.Value();
        if (applyWidth)
            w = width.Value() * Characters(t.GetText());
        if (applyAngle)
            a = Angle::Normalize(angle.Value());
        const TextNodePositions p = TextNodesFor(frame.base, h, w, a, 1);
        const int up = applyHeight || applyAngle ? NodeAt(*nodes, p.height) : t.GetHeightNode();
        const int end = applyWidth || applyAngle ? NodeAt(*nodes, p.end) : t.GetEndNode();
        if (up >= 0 && end >= 0 && (up != t.GetHeightNode() || end != t.GetEndNode())) {
            t.SetNodes(up, t.GetBaseNode(), end);
            changed = true;
        }
    }
    if (mirrored != kMirrorDiffers && mirrored != t.IsMirrored()) {
        t.SetMirrored(mirrored);
        changed = true;
    }
    return changed;
}

} // namespace dlg
