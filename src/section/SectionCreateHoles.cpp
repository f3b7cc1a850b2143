// Creation of the machine symbols that hang on one node: the Martin and
// Bobst hole patterns and the Bobst assembly hole. They take the steps of
// every one-node symbol (SectionCreateSymbols.cpp).
#include "section/Section.h"

#include "element/BobstAsm.h"
#include "element/BobstHoles.h"
#include "element/Martin.h"
#include "support/Log.h"

namespace {

template <typename Pattern>
std::unique_ptr<Pattern> PatternOf(NodeTable* nodes, COptions* options, int context, int horizontal, int vertical)
{
    auto pattern = std::make_unique<Pattern>(nodes, options, context);
    pattern->SetCounts(horizontal, vertical);
    return pattern;
}

} // namespace

ElementIterator Section::AddMartinHole(double x, double y, int horizontal, int vertical, bool merge)
{
    Log::TheLog().Trace(Log::Section);
    return PlaceSymbolAt(PatternOf<CMartin>(nodes_, options_, context_, horizontal, vertical), x, y, merge,
                         HolePattern::kLineType);
}

ElementIterator Section::AddBobstHole(double x, double y, int horizontal, int vertical, bool merge)
{
    Log::TheLog().Trace(Log::Section);
    return PlaceSymbolAt(PatternOf<CBobst>(nodes_, options_, context_, horizontal, vertical), x, y, merge,
                         HolePattern::kLineType);
}

ElementIterator Section::AddBobstSPHole(double x, double y, int horizontal, int vertical, bool merge)
{
    Log::TheLog().Trace(Log::Section);
    return PlaceSymbolAt(PatternOf<CBobstSP>(nodes_, options_, context_, horizontal, vertical), x, y, merge,
                         HolePattern::kLineType);
}

ElementIterator Section::AddBobst2(int node, const BobstAsmParams& params)
{
    Log::TheLog().Trace(Log::Section);
    auto hole = std::make_unique<CBobstAsm>(nodes_, options_, context_);
    hole->SetParams(params);
    return PlaceSymbol(std::move(hole), node, CBobstAsm::kLineType);
}

ElementIterator Section::AddBobstAt(double x, double y, const BobstAsmParams& params, bool merge)
{
    const int node = SymbolNode(x, y, merge);
    if (node < 0)
        return end();
    return AddBobst2(node, params);
}
