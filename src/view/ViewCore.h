#pragma once
// The view of one document without its window: zoom and origin, the display
// switches, the zoom commands and the paint cycle on two devices (the
// drawing buffer and the overlay that goes to the screen). The window that
// shows it hands in its client size and its buffers.
#include "view/ViewPainter.h"
#include "view/ViewTransform.h"

#include "platform/Picture.h"

#include "geometry/PlacementList.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class CInstance;
class CMorvekDoc;
class COptions;

namespace platform {
class Device;
}

class ViewCore {
public:
    // The options give the background colour and the saved zoom; without
    // them the background is left as it is and Load Zoom finds nothing.
    explicit ViewCore(const COptions* options) : options_(options) {}

    CMorvekDoc* GetDocument() const { return doc_; }
    const COptions* Options() const { return options_; }
    // Takes the document: zoom 1 and origin (0, 0) for a drawing whose node
    // extents add up to 0, else fitted into the client area; default display
    // switches; the document's edit state is ended.
    void OnInitialUpdate(CMorvekDoc* doc, int clientWidth, int clientHeight);

    const ViewTransform& Transform() const { return transform_; }
    double GetZoom() const { return transform_.zoom; }
    platform::DevicePoint GetOrigin() const { return transform_.origin; }
    // The input rules move and zoom the view (pan, wheel, zoom window).
    void SetOrigin(platform::DevicePoint origin) { transform_.origin = origin; }
    void SetZoomAndOrigin(double zoom, platform::DevicePoint origin);
    void ZoomAbout(double zoom, platform::DevicePoint fixed) { transform_.ZoomAbout(zoom, fixed); }

    // The extents of the visible sections, every instance and the die-board
    // margins counted.
    ViewExtents DocumentExtents() const;
    // View > Center: fits the drawing into the client area.
    void OnViewCenter(int clientWidth, int clientHeight);
    // View > Original Zoom: zoom 1, origin kept.
    void OnViewOriginalZoom() { transform_.zoom = 1.0; }
    void OnViewSaveZoom(COptions& options) const;
    // View > Load Zoom: nothing changes when no zoom was saved.
    void OnViewLoadZoom();
    // View > Set Zoom with the typed value (clamped), about the client centre.
    void SetZoom(double typed, int clientWidth, int clientHeight);

    // Display switches: bridges and special line types exclude each other.
    void OnViewBridges();
    void OnViewSpecialLineTypes();
    void OnViewNodes() { showNodes_ = !showNodes_; }
    bool ShowsBridges() const { return showBridges_; }
    bool ShowsSpecialLineTypes() const { return showSpecial_; }
    bool ShowsNodes() const { return showNodes_; }
    // 1 with bridges, else 2 with special line types, else 0.
    int DisplayMode() const;
    // View > Mirror: turns the X axis over in every view (mirror bit 1 of
    // DrawContext, process-wide) and fits the drawing; twice restores it.
    void OnViewMirror(int clientWidth, int clientHeight);
    static bool IsMirrored();

    // View > Background: the picture drawn under the drawing from the next
    // paint on, one pixel per millimetre with its lower-left corner on the
    // model origin (the mirror bits do not turn it); null frees it, as View >
    // Unload does.
    void SetBackgroundPicture(std::unique_ptr<platform::Picture> picture) { background_ = std::move(picture); }
    void OnViewUnload() { background_.reset(); }
    const platform::Picture* BackgroundPicture() const { return background_.get(); }

    // The rubber line of measuring and construction, in whole micrometres.
    void SetRubberLine(bool on, int x1 = 0, int y1 = 0, int x2 = 0, int y2 = 0);
    bool HasRubberLine() const { return rubberLine_; }
    // Its ends x1, y1, x2, y2.
    const int* RubberLineEnds() const { return rubber_; }

    // The paint cycle: the background, the background picture, the origin marker, the sections and
    // (when shown) the nodes on the drawing device, a copy of it on the
    // overlay, then the rubber line, the hovered element and the node under
    // the cursor on the overlay. The first paint fits the drawing into the
    // drawing device's client size first.
    void Paint(platform::Device& drawing, platform::Device& overlay, int clientWidth, int clientHeight);
    // The paint after a mouse move: when nothing the drawing device shows
    // has changed since the last Paint into it (no element made, removed,
    // changed or selected differently, the same view, mode, mirror, picture,
    // layers and placements, nodes not shown), only the overlay is made
    // again over the kept drawing; otherwise a whole Paint.
    void PaintOverlay(platform::Device& drawing, platform::Device& overlay, int clientWidth, int clientHeight);
    // Whether the last PaintOverlay kept the drawing.
    bool KeptDrawing() const { return keptDrawing_; }

    // Cursor tracking: the model point under the pixel, the element picked
    // within 15 pixels and the node within 5 go into the document's cursor
    // record, each with its placement (null for the section's own elements).
    void TrackCursor(platform::DevicePoint pixel);
    // The current section's placement of a replica number; null for 0 and
    // for a number it does not hold.
    const CInstance* PlacementOf(int number) const;

    ViewPainter& Painter() { return painter_; }

private:
    // Every element's figures rebuilt where stale and put out in the
    // view's display mode (before painting and before picking); nothing
    // when no element changed since the last time (display/DisplayStamp.h).
    void UpdateFigures();
    // The overlay: a copy of the drawing, the rubber line, the hovered
    // element and the node under the cursor.
    void PaintOverlayParts(platform::Device& drawing, platform::Device& overlay);

    // What the drawing device shows depends on; equal states draw the same.
    struct SectionState {
        bool visible = false;
        std::vector<Placement> replicas;
    };
    struct DrawnState {
        std::uint64_t stamp = 0;
        const platform::Device* drawing = nullptr;
        int width = 0;
        int height = 0;
        ViewMapping mapping{0.0, {}, false};
        int mode = -1;
        int mirror = 0;
        const platform::Picture* background = nullptr;
        int backgroundColour = 0;
        int current = -1;
        std::vector<SectionState> sections;
    };
    DrawnState StateOf(const platform::Device& drawing);
    static bool Same(const DrawnState& a, const DrawnState& b);

    const COptions* options_;
    CMorvekDoc* doc_ = nullptr;
    ViewTransform transform_;
    ViewPainter painter_;
    bool firstPaint_ = true;
    bool showBridges_ = false;
    bool showSpecial_ = true;
    bool showNodes_ = false;
    std::unique_ptr<platform::Picture> background_;
    bool rubberLine_ = false;
    int rubber_[4] = {0, 0, 0, 0};
    // The state the drawing device was last painted in; none before.
    std::optional<DrawnState> drawn_;
    bool keptDrawing_ = false;
    // The change stamp and display mode after the last UpdateFigures.
    std::uint64_t figuresStamp_ = 0;
    int figuresMode_ = -1;
};
