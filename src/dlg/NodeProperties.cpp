#include "dlg/NodeProperties.h"

#include "document/MorvekDoc.h"
#include "element/NodePoint.h"
#include "element/NodeTable.h"
#include "formula/FormulaTable.h"
#include "formula/VariableList.h"
#include "options/LanguageTable.h"
#include "platform/CFormat.h"
#include "platform/Prompt.h"
#include "section/UndoTransaction.h"

#include <algorithm>
#include <memory>

namespace dlg {

using Mode = NodeForm::Mode;

NodeProperties::NodeProperties(CMorvekDoc& doc, int nodeIndex, bool useSecondary)
    : doc_(doc), index_(nodeIndex), useSecondary_(useSecondary)
{
}

NodeForm::Mode NodeProperties::RelativeMode() const
{
    const CNodePoint* node = doc_.Nodes().GetNode(index_);
    switch (node ? node->GetKind() : NodeKind::Absolute) {
    case NodeKind::Polar: return Mode::Radial;
    case NodeKind::TwoDistances: return Mode::Radius;
    default: return Mode::Cardinal;
    }
}

NodeForm NodeProperties::Load() const
{
    NodeForm f;
    const CNodePoint* node = doc_.Nodes().GetNode(index_);
    if (!node)
        return f;
    f.name = node->GetName();
    switch (node->GetKind()) {
    case NodeKind::Offset:
        f.mode = Mode::Cardinal;
        f.dx = node->GetDxFormula();
        f.dy = node->GetDyFormula();
        f.reference = node->GetReference1();
        break;
    case NodeKind::Polar:
        f.mode = Mode::Radial;
        f.radius = node->GetDistanceFormula();
        f.angle = node->GetAngleFormula();
        f.reference = node->GetReference1();
        break;
    case NodeKind::TwoDistances:
        f.mode = Mode::Radius;
        f.separateDistance = node->HasSeparateSecondDistance();
        if (f.separateDistance)
            f.radius2 = node->GetAngleFormula();
        f.radius1 = node->GetDistanceFormula();
        f.reference = node->GetReference1();
        f.end = node->GetReference2();
        break;
    default: f.mode = Mode::Fixed; break;
    }
    // The position before the rotation, also for a relative node: Fix keeps
    // it where it is.
    f.x = node->GetPlainX();
    f.y = node->GetPlainY();
    f.centreX = node->GetRotationCenterXFormula();
    f.centreY = node->GetRotationCenterYFormula();
    f.rotation = node->GetRotationAngleFormula();
    f.secondary = useSecondary_ && !(f.centreX.isEmpty() && f.centreY.isEmpty() && f.rotation.isEmpty());
    return f;
}

QString NodeProperties::EntryText(int slot) const
{
    const CNodePoint* node = slot >= 0 && slot < doc_.Nodes().GetCount() ? doc_.Nodes().GetNode(slot) : nullptr;
    if (!node)
        return QString();
    return node->GetName() + platform::cformat(" (%d)", slot);
}

std::vector<std::pair<QString, int>> NodeProperties::ReferenceEntries() const
{
    // Only the edited node itself is left out: a node on the same spot (and
    // so of the same coordinate name) is a reference like any other.
    std::vector<std::pair<QString, int>> entries;
    const NodeTable& nodes = doc_.Nodes();
    for (int i = 0; i < nodes.GetCount(); ++i) {
        const CNodePoint* node = nodes.GetNode(i);
        if (node && node->IsInUse() && i != index_)
            entries.emplace_back(EntryText(i), i);
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    return entries;
}

bool NodeProperties::IsCircular(const QString& text) const
{
    FormulaTable& table = doc_.Variables();
    bool circular = false;
    VariableList::ForEachWord(text, [&](QStringView word) {
        const QString name = word.toString();
        if (!circular && table.Exists(name) && table.HasCircularReference(name))
            circular = true;
    });
    return circular;
}

bool NodeProperties::Refuse(int textId) const
{
    (void)platform::ask(Translate(textId), QString(), platform::PromptButtons::Ok, platform::PromptIcon::Warning);
    return false;
}

bool NodeProperties::Apply(const NodeForm& f)
{
    NodeTable& nodes = doc_.Nodes();
    const CNodePoint* old = nodes.GetNode(index_);
    if (!old)
        return false;
    const bool secondary = f.secondary && useSecondary_;
    const bool relative = f.mode != Mode::Fixed;

    // 681: a formula in use that is circular.
    std::vector<const QString*> used;
    switch (f.mode) {
    case Mode::Cardinal: used = {&f.dx, &f.dy}; break;
    case Mode::Radial: used = {&f.radius, &f.angle}; break;
    case Mode::Radius:
        used = {&f.radius1};
        if (f.separateDistance)
            used.push_back(&f.radius2);
        break;
    case Mode::Fixed: break;
    }
    if (secondary)
        used.insert(used.end(), {&f.centreX, &f.centreY, &f.rotation});
    for (const QString* text : used)
        if (IsCircular(*text))
            return Refuse(kTextCircular);

    // 682: a reference (and end) node that exists and is not built on the
    // edited node, nor the node itself.
    auto dependsOnEdited = [&](int slot) {
        return slot < 0 || slot >= nodes.GetCount() || !nodes.GetNode(slot) || slot == index_
            || nodes.NodeDependsOn(slot, index_);
    };
    if (relative) {
        if (dependsOnEdited(f.reference))
            return Refuse(kTextNoReference);
        if (f.mode == Mode::Radius && dependsOnEdited(f.end))
            return Refuse(kTextNoReference);
    }

    // 376: the texts the mode needs.
    auto blank = [](const QString& s) { return s.trimmed().isEmpty(); };
    bool missing = false;
    switch (f.mode) {
    case Mode::Cardinal: missing = blank(f.dx) || blank(f.dy); break;
    case Mode::Radial: missing = blank(f.radius) || blank(f.angle); break;
    case Mode::Radius: missing = blank(f.radius1) || (f.separateDistance && blank(f.radius2)); break;
    case Mode::Fixed: break;
    }
    if (missing)
        return Refuse(kTextMissingText);

    UndoTransaction tx(doc_.Undo(), kTextUndoTitle);
    // The old node stays as it was, the undo item's old side.
    auto edited = std::make_unique<CNodePoint>(old);
    const CNodePoint* reference = relative ? nodes.GetNode(f.reference) : nullptr;
    switch (f.mode) {
    case Mode::Fixed:
        if (!edited->SetPlain(f.x, f.y, true))
            return Refuse(kTextOutOfRange);
        break;
    case Mode::Cardinal: edited->MakeOffset(reference, f.dx, f.dy); break;
    case Mode::Radial: edited->MakePolar(reference, f.radius, f.angle); break;
    case Mode::Radius:
        if (f.separateDistance)
            edited->MakeAtTwoDistances(reference, nodes.GetNode(f.end), f.radius1, f.radius2);
        else
            edited->MakeEquidistant(reference, nodes.GetNode(f.end), f.radius1);
        break;
    }
    if (secondary)
        edited->SetRotationFormulas(f.centreX, f.centreY, f.rotation);
    else
        edited->SetRotationFormulas(QString(), QString(), QString());
    edited->SetName(f.name);
    nodes.ReplaceNode(index_, std::move(edited));
    doc_.ValidateAllElements();
    doc_.RefreshAllBridges();
    tx.commit();
    return true;
}

std::vector<int> NodesAt(NodeTable& nodes, int slot, double zoom)
{
    const CNodePoint* at = slot >= 0 && slot < nodes.GetCount() ? nodes.GetNode(slot) : nullptr;
    if (!at)
        return {};
    CNodePoint node(*at);
    // Positions as the drawing holds them, under no placement.
    const CInstance* placement = nodes.GetPickPlacement();
    nodes.SetPickPlacement(nullptr);
    std::vector<int> found;
    for (int i = nodes.FindNodeNear(node, zoom, -1); i >= 0; i = nodes.FindNodeNear(node, zoom, i))
        found.push_back(i);
    nodes.SetPickPlacement(placement);
    return found;
}

} // namespace dlg
