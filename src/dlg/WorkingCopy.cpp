#include "dlg/WorkingCopy.h"

#include "dlg/ElementValues.h"
#include "element/Arc.h"
#include "element/BobstAsm.h"
#include "element/Cuir.h"
#include "element/ElementNodes.h"
#include "element/Ellipse.h"
#include "element/Line.h"
#include "element/Measure.h"
#include "element/NodePoint.h"
#include "element/Text.h"
#include "section/Section.h"

namespace dlg {

namespace {

std::vector<int> NodesOf(const CElement& e)
{
    if (auto* line = dynamic_cast<const CLine*>(&e))
        return {line->GetStartNode(), line->GetEndNode()};
    if (auto* arc = dynamic_cast<const CArc*>(&e))
        return {arc->GetStartNode(), arc->GetEndNode(), arc->GetCenterNode()};
    if (auto* ellipse = dynamic_cast<const CEllipse*>(&e))
        return {ellipse->GetStartNode(), ellipse->GetEndNode(), ellipse->GetCentreNode(), ellipse->GetMajorNode(),
                ellipse->GetMinorNode()};
    if (auto* text = dynamic_cast<const CText*>(&e))
        return {text->GetHeightNode(), text->GetBaseNode(), text->GetEndNode()};
    if (auto* symbol = dynamic_cast<const CNodeSymbol*>(&e))
        return {symbol->GetNode()};
    if (auto* dimension = dynamic_cast<const CMeasure*>(&e)) // a missing centre: P1 stands in
        return {dimension->GetLinePoint(), dimension->GetP1(), dimension->GetP2(),
                dimension->GetCentre() >= 0 ? dimension->GetCentre() : dimension->GetP1()};
    return {};
}

} // namespace

WorkingCopy::WorkingCopy(const CElement& element)
{
    const std::vector<int> indices = NodesOf(element);
    if (indices.empty())
        return;
    for (int index : indices) {
        CNodePoint* node = ElementNodes::NodeOf(element.GetNodeTable(), index);
        if (!node) {
            nodes_.clear();
            return;
        }
        auto copy = std::make_unique<CNodePoint>(*node);
        copy->Convert(CNodePoint::ToRotated);
        nodes_.push_back(std::move(copy));
    }
    copy_ = Section::CreateElement(element);
    if (!copy_) {
        nodes_.clear();
        return;
    }
    CNodePoint* n[5] = {};
    for (size_t i = 0; i < nodes_.size() && i < 5; ++i)
        n[i] = nodes_[i].get();
    if (auto* line = dynamic_cast<CLine*>(copy_.get()))
        line->SetPreviewNodes(n[0], n[1]);
    else if (auto* arc = dynamic_cast<CArc*>(copy_.get()))
        arc->SetPreviewNodes(n[0], n[1], n[2]);
    else if (auto* ellipse = dynamic_cast<CEllipse*>(copy_.get()))
        ellipse->SetPreviewNodes(n[0], n[1], n[2], n[3], n[4]);
    else if (auto* text = dynamic_cast<CText*>(copy_.get()))
        text->SetPreviewNodes(n[0], n[1], n[2]);
    else if (auto* symbol = dynamic_cast<CNodeSymbol*>(copy_.get()))
        symbol->SetPreviewNode(n[0]);
    else if (auto* dimension = dynamic_cast<CMeasure*>(copy_.get()))
        dimension->SetPreviewNodes(n[1], n[2], n[3], n[0]);
    copy_->RefreshBridges();
    copy_->Recalculate();
}

WorkingCopy::~WorkingCopy() = default;

die::coord WorkingCopy::NodePosition(int i) const
{
    if (i < 0 || i >= NodeCount())
        return {};
    return ElementNodes::Position(*nodes_[static_cast<size_t>(i)]);
}

bool WorkingCopy::Place(int i, const die::coord& p)
{
    if (i < 0 || i >= NodeCount())
        return false;
    return ElementNodes::MakeAbsoluteAt(*nodes_[static_cast<size_t>(i)], p);
}

std::vector<die::coord> WorkingCopy::Markers() const
{
    std::vector<die::coord> out;
    for (int i = 0; i < NodeCount(); ++i)
        out.push_back(NodePosition(i));
    return out;
}

void WorkingCopy::Update(const ElementValues* common, double atStart, double atEnd)
{
    if (!copy_)
        return;
    for (auto& node : nodes_)
        ElementNodes::ClearCache(*node);
    if (common)
        common->ApplyTo(*copy_);
    copy_->SetGeometryDirty();
    copy_->ValidateNodes();
    copy_->Recalculate();
    if (atStart != 0.0 || atEnd != 0.0)
        (void)copy_->ExtendBy(atStart, atEnd); // a refused extension previews the unextended copy
    copy_->RefreshBridges();
    copy_->Recalculate();
    for (auto& node : nodes_)
        ElementNodes::ClearCache(*node);
}

} // namespace dlg
