#pragma once
// The callbacks of the view's own drag actions, each a one-step drag
// request started by ViewInput when no command runs: pan (Ctrl + left
// button), node drag (left button on a node), box selection (left button
// elsewhere) and zoom window (right button).
#include "command/InteractiveCommand.h"
#include "platform/DrawingObjects.h"

class CInputRequest;

namespace platform {
class Device;
}

namespace dragactions {

// Pan: the grabbed model point stays under the cursor.
class PanCommand : public InteractiveCommand {
public:
    int Move(CInputRequest& request) override;
    // The view's origin after the last move (pixels).
    platform::DevicePoint origin{};
};

// Box selection (left button) and zoom window (right button): the rectangle
// from the drag start to the current point with the "marker_rect" pen.
class RubberBandCommand : public InteractiveCommand {
public:
    int Draw(CInputRequest& request, platform::Device* dc) override;
};

// A box under 4 pixels both ways over a hovered element toggles its
// selection; otherwise the elements in the box are selected.
class BoxSelectCommand : public RubberBandCommand {
public:
    int Finish(CInputRequest& request) override;
};

// Fits the dragged rectangle into the client area; 0, nothing changed,
// for a drag of 40 pixels or less.
class ZoomWindowCommand : public RubberBandCommand {
public:
    int Finish(CInputRequest& request) override;
};

// Drops the dragged node: onto another node it merges, elsewhere it moves
// (not when dropped within 6 pixels of where it was). Draws a 10 by 10
// pixel square at the drag point with the "moving_node" pen.
class NodeDragCommand : public InteractiveCommand {
public:
    explicit NodeDragCommand(int node) : node_(node) {}
    int Finish(CInputRequest& request) override;
    int Draw(CInputRequest& request, platform::Device* dc) override;
    int Node() const { return node_; }

private:
    int node_;
};

// The largest drag that does not zoom, in pixels.
constexpr double kZoomWindowMinPixels = 40.0;
// A box smaller than this both ways is a click.
constexpr double kBoxClickPixels = 4.0;
// A node dropped within this many pixels of its position stays.
constexpr double kNodeStayPixels = 6.0;

} // namespace dragactions
