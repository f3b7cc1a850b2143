#pragma once
// The output records of a figure in display modes 0 and 1.
//   plain: a move to the first path node, then a draw to every node (a move
//     where the node starts a new stroke);
//   bridged: the same with every bridge cut out of the path: a draw up to
//     the gap's start, a move across to its end;
//   plain arc: centre, (radius, 0), start, end, all data records; the end is
//     marked LongArc when the arc sweeps more than a half turn;
//   bridged arc: centre, (radius, 0), then every drawn piece as a (start,
//     end) pair, each running clockwise from its start, the end marked
//     LongArc when the piece sweeps more than a half turn.
// Each appends to out and returns the output kind.
#include "display/DisplayList.h"

#include <span>
#include <vector>

namespace FigureOutput {

int Plain(std::span<const PathNode> path, int lineType, std::vector<OutputNode>& out);
int Bridged(std::span<const PathNode> path, std::span<const DisplayBridge> bridges, int lineType,
            std::vector<OutputNode>& out);
int PlainArc(const DisplayFigure& arc, std::vector<OutputNode>& out);
int BridgedArc(const DisplayFigure& arc, std::vector<OutputNode>& out);

} // namespace FigureOutput
