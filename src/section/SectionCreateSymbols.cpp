// Creation of the fixed symbols: cuir holes, holders, separation rules and
// stripper boards; and the steps every one-node symbol's creation shares
// (the machine symbols' too, SectionCreateHoles.cpp). Each sits on one node
// and takes its own line type.
#include "section/Section.h"

#include "element/Cuir.h"
#include "element/ElementNodes.h"
#include "element/Holder.h"
#include "element/NodeTable.h"
#include "element/SideSymbol.h"
#include "support/Log.h"

int Section::SymbolNode(double x, double y, bool merge)
{
    if (!CanBeNodes({{x, y}}))
        return -1;
    return nodes_->AddPoint(x, y, merge);
}

ElementIterator Section::PlaceSymbol(std::unique_ptr<CNodeSymbol> symbol, int node, int lineType)
{
    if (!ElementNodes::NodeOf(nodes_, node))
        return end();
    symbol->SetNode(node);
    Dress(*symbol, lineType, NewBridges::ByRule);
    return ElementIterator(this, AddBuilt(std::move(symbol)));
}

ElementIterator Section::PlaceSymbolAt(std::unique_ptr<CNodeSymbol> symbol, double x, double y, bool merge,
                                       int lineType)
{
    const int node = SymbolNode(x, y, merge);
    if (node < 0)
        return end();
    return PlaceSymbol(std::move(symbol), node, lineType);
}

ElementIterator Section::AddCuir1(int centreNode, double radius, double angle, double wingLength)
{
    Log::TheLog().Trace(Log::Section);
    auto cuir = std::make_unique<CCuir>(nodes_, options_, context_);
    cuir->SetRadius(radius);
    cuir->SetAngle(angle);
    cuir->SetWingLength(wingLength);
    return PlaceSymbol(std::move(cuir), centreNode, CCuir::kLineType);
}

ElementIterator Section::AddCuirAt(double x, double y, double radius, double angle, double wingLength, bool merge)
{
    Log::TheLog().Trace(Log::Section);
    const int centre = SymbolNode(x, y, merge);
    if (centre < 0)
        return end();
    return AddCuir1(centre, radius, angle, wingLength);
}

ElementIterator Section::AddHolder(double x, double y, bool vertical, double length, double width, bool merge)
{
    Log::TheLog().Trace(Log::Section);
    auto holder = std::make_unique<CHolder>(nodes_, options_, context_);
    holder->SetVertical(vertical);
    holder->SetSize(length, width);
    return PlaceSymbolAt(std::move(holder), x, y, merge, CCuir::kLineType);
}

ElementIterator Section::AddSeperatingRule(double x, double y, bool side, bool merge)
{
    Log::TheLog().Trace(Log::Section);
    auto rule = std::make_unique<CSeperationRule>(nodes_, options_, context_);
    rule->SetSide(side);
    return PlaceSymbolAt(std::move(rule), x, y, merge, CSideSymbol::kLineType);
}

ElementIterator Section::AddStripperWood(double x, double y, bool side, bool merge)
{
    Log::TheLog().Trace(Log::Section);
    auto board = std::make_unique<CStripperWood>(nodes_, options_, context_);
    board->SetSide(side);
    return PlaceSymbolAt(std::move(board), x, y, merge, CSideSymbol::kLineType);
}
