// Creation of the machine symbols that hang on one node: the Martin and
// Bobst hole patterns and the Bobst assembly hole.
#include "section/Section.h"

#include "element/BobstAsm.h"
#include "element/BobstHoles.h"
#include "element/Martin.h"
#include "element/NodeTable.h"
#include "support/Log.h"

namespace {

template <typename Pattern>
std::unique_ptr<CElement> PatternAt(NodeTable* nodes, COptions* options, int context, int node, int horizontal,
                                    int vertical)
{
    auto pattern = std::make_unique<Pattern>(nodes, options, context);
    pattern->SetNode(node);
    pattern->SetCounts(horizontal, vertical);
    return pattern;
}

// A symbol is drawn once, wherever the layout is repeated.
ElementIterator NotInstanced(ElementIterator placed)
{
    placed.Get()->SetNotInstanced(1);
    return placed;
}

} // namespace

ElementIterator Section::AddMartinHole(double x, double y, int horizontal, int vertical, bool merge)
{
    Log::TheLog().Write("Section::AddMartinHole( double ..)", Log::Section);
    const int node = CanBeNodes({{x, y}}) ? nodes_->AddPoint(x, y, merge) : -1;
    if (node < 0)
        return end();
    return NotInstanced(Place(PatternAt<CMartin>(nodes_, options_, context_, node, horizontal, vertical),
                              HolePattern::kLineType, NewBridges::ByRule));
}

ElementIterator Section::AddBobstHole(double x, double y, int horizontal, int vertical, bool merge)
{
    Log::TheLog().Write("Section::AddBobstHole( double ..)", Log::Section);
    const int node = CanBeNodes({{x, y}}) ? nodes_->AddPoint(x, y, merge) : -1;
    if (node < 0)
        return end();
    return NotInstanced(Place(PatternAt<CBobst>(nodes_, options_, context_, node, horizontal, vertical),
                              HolePattern::kLineType, NewBridges::ByRule));
}

ElementIterator Section::AddBobstSPHole(double x, double y, int horizontal, int vertical, bool merge)
{
    Log::TheLog().Write("Section::AddBobstSPHole( double ..)", Log::Section);
    const int node = CanBeNodes({{x, y}}) ? nodes_->AddPoint(x, y, merge) : -1;
    if (node < 0)
        return end();
    return NotInstanced(Place(PatternAt<CBobstSP>(nodes_, options_, context_, node, horizontal, vertical),
                              HolePattern::kLineType, NewBridges::ByRule));
}

ElementIterator Section::AddBobst2(int node, const BobstAsmParams& params)
{
    Log::TheLog().Write("Section::AddBobst2( long ..)", Log::Section);
    auto hole = std::make_unique<CBobstAsm>(nodes_, options_, context_);
    hole->SetNode(node);
    hole->SetParams(params);
    return NotInstanced(Place(std::move(hole), CBobstAsm::kLineType, NewBridges::ByRule));
}

ElementIterator Section::AddBobstAt(double x, double y, const BobstAsmParams& params, bool merge)
{
    const int node = CanBeNodes({{x, y}}) ? nodes_->AddPoint(x, y, merge) : -1;
    if (node < 0)
        return end();
    return AddBobst2(node, params);
}
