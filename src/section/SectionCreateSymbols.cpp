// Creation of the fixed symbols: cuir holes, holders, separation rules and
// stripper boards. Each sits on one node and takes its own line type.
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

ElementIterator Section::PlaceSymbol(std::unique_ptr<CElement> element, int lineType)
{
    Dress(*element, lineType, NewBridges::ByRule);
    return ElementIterator(this, AddBuilt(std::move(element)));
}

ElementIterator Section::AddCuir1(int centreNode, double radius, double angle, double wingLength)
{
    Log::TheLog().Write("Section::AddCuir1( long ..)", Log::Section);
    if (!ElementNodes::NodeOf(nodes_, centreNode))
        return end();
    auto cuir = std::make_unique<CCuir>(nodes_, options_, context_);
    cuir->SetNode(centreNode);
    cuir->SetRadius(radius);
    cuir->SetAngle(angle);
    cuir->SetWingLength(wingLength);
    return PlaceSymbol(std::move(cuir), CCuir::kLineType);
}

ElementIterator Section::AddCuirAt(double x, double y, double radius, double angle, double wingLength, bool merge)
{
    Log::TheLog().Write("Section::AddCuirAt( double ..)", Log::Section);
    const int centre = SymbolNode(x, y, merge);
    if (centre < 0)
        return end();
    return AddCuir1(centre, radius, angle, wingLength);
}

ElementIterator Section::AddHolder(double x, double y, bool vertical, double length, double width, bool merge)
{
    Log::TheLog().Write("Section::AddHolder( double ..)", Log::Section);
    const int at = SymbolNode(x, y, merge);
    if (at < 0)
        return end();
    auto holder = std::make_unique<CHolder>(nodes_, options_, context_);
    holder->SetNode(at);
    holder->SetVertical(vertical);
    holder->SetSize(length, width);
    return PlaceSymbol(std::move(holder), CCuir::kLineType);
}

ElementIterator Section::AddSeperatingRule(double x, double y, bool side, bool merge)
{
    Log::TheLog().Write("Section::AddSeperatingRule( double ..)", Log::Section);
    const int at = SymbolNode(x, y, merge);
    if (at < 0)
        return end();
    auto rule = std::make_unique<CSeperationRule>(nodes_, options_, context_);
    rule->SetNode(at);
    rule->SetSide(side);
    return PlaceSymbol(std::move(rule), CSideSymbol::kLineType);
}

ElementIterator Section::AddStripperWood(double x, double y, bool side, bool merge)
{
    Log::TheLog().Write("Section::AddStripperWood( double ..)", Log::Section);
    const int at = SymbolNode(x, y, merge);
    if (at < 0)
        return end();
    auto board = std::make_unique<CStripperWood>(nodes_, options_, context_);
    board->SetNode(at);
    board->SetSide(side);
    return PlaceSymbol(std::move(board), CSideSymbol::kLineType);
}
