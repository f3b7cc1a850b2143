#pragma once
// The stripper edge: Construct > Geometry > Edge offsets the selected
// contour, Die > Stripper > Outline by Click the contour around a point
// given with the free-point key (or typed coordinates). Both ask the edge
// dialog through the asker the window passes in.
#include "section/SectionOutline.h"

#include <functional>
#include <optional>

class ViewInput;

namespace outlinecommands {

constexpr int kCmdEdge = 32805;
constexpr int kCmdOutlineByClick = 474;
constexpr int kCodeOutlineByClick = 24;

constexpr int kTextOutline = 188; // the undo step of Edge
constexpr int kTextNothingSelected = 201;
constexpr int kTextNoOutline = 203;
constexpr int kTextOutlineByClickTitle = 834;
constexpr int kTextOutlineByClickPrompt = 835;

// The edge dialog: its results on OK, nothing on Cancel; restricted is the
// mode of Outline by Click.
using EdgeAsker = std::function<std::optional<OutlineSettings>(bool restricted)>;

// Construct > Geometry > Edge: text 201 when nothing is selected, else the
// dialog, then the outline of the selection (clipped to the last box
// selection under placements) in one undo step; text 203 when none was
// made. True when an outline was made.
bool RunEdge(ViewInput& view, const EdgeAsker& ask);

// Die > Stripper > Outline by Click: a point step that takes the point keys
// only (a plain click gives no point); each point asks the dialog in its
// restricted mode and outlines the smallest closed contour around it, one
// undo step each, text 203 when there is none. Runs on until cancelled.
void StartOutlineByClick(ViewInput& view, EdgeAsker ask);

} // namespace outlinecommands
