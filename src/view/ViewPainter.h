#pragma once
// Draws a document's sections, nodes and markers on a device and finds the
// element under the cursor. The view sets scale, origin, mirror state and
// display mode before every paint; the figures come from the elements'
// display lists, the pens from the line-type table installed for the display
// lists (DisplayList::GetLinetypeTable).
//
// Paint order: DrawOriginMarker, DrawSections (every visible section, the
// current one last, each element once and once per replica unless it is not
// instanced), DrawNodes when nodes are shown; then on the overlay the measure
// line, the highlighted element and the node under the cursor.
// Picking: SetPickPoint, PickElement (the nearest figure of the current
// section within 15 pixels, replicas included), GetHitElement/GetHitInstance.
#include "view/BoxGrid.h"
#include "view/FigurePainter.h"
#include "view/SectionFigures.h"
#include "geometry/BoundingBox.h"
#include "geometry/Coord.h"

#include <cstdint>
#include <memory>
#include <span>
#include <utility>
#include <vector>

class CElement;
class CMorvekDoc;
class LinetypeTable;
class Section;
struct DisplayFigure;

namespace platform {
class Device;
}

class ViewPainter {
public:
    static constexpr int kPickPixels = 15;
    static constexpr int kNodePixels = 5;

    // Marker shapes of DrawMarker.
    enum Shape : int {
        Square = 0, Diamond = 1, Triangle = 2, Circle = 3, FilledSquare = 4, Disc = 5,
        Octagon = 6, Plus = 7, TickedCircle = 8, CrossedCircle = 9, SmallDisc = 10
    };

    ViewPainter() = default;

    void SetDocument(CMorvekDoc* doc)
    {
        doc_ = doc;
        nodeHit_ = NodeHit{};
        sectionFigures_.clear();
    }
    // The drawing buffer and the overlay the transient marks go on.
    void SetDevices(platform::Device* main, platform::Device* overlay);
    void SetScale(double pixelsPerMm) { mapping_.scale = pixelsPerMm; }
    void SetOrigin(platform::DevicePoint origin) { mapping_.origin = origin; }
    // Also sets both devices' arc direction (ArcDirectionFor).
    void SetMirrored(bool mirrored);
    // Scale, origin and both mirrors at once (ViewTransform::Mapping); a
    // mapping equal to the one set changes nothing.
    void SetMapping(const ViewMapping& mapping);
    void SetDisplayMode(int mode) { mode_ = mode; }
    const ViewMapping& Mapping() const { return mapping_; }

    void DrawOriginMarker();
    void DrawSections();
    void DrawNodes();
    // The element's figures on the overlay with the highlight pen; nothing for null.
    void DrawHighlighted(const CElement* element);
    void DrawMeasureLine(const die::coord& from, const die::coord& to);
    void DrawMovingNodeMarker(const die::coord& at);
    // The node nearest the pick point within 5 pixels, at its own position
    // or at a replica position of the current section (the first found wins
    // a tie); every node of the table counts, in use or not.
    struct NodeHit {
        int index = -1;
        die::coord own;
        int instance = 0; // 0 its own position, else the replica's instance
        die::coord at;    // where it was found
    };
    // The search runs once per pick point (the view's cursor tracking) in a
    // grid of the node positions, built again when a node changes; the hit is
    // kept for DrawNodeUnderCursor until the pick point changes.
    NodeHit NearestNode();
    // The same search by looking at every node.
    NodeHit NearestNodeByScan();
    // Marks the node NearestNode last found on the device: a square for an
    // absolute node, a circle and a triangle at its first reference for a
    // parametric one, and a diamond where it was found in a replica.
    void DrawNodeUnderCursor(platform::Device& dc);
    // One marker of the shape around the device image of the model point,
    // with the device's pen and brush; unknown shapes draw nothing.
    void DrawMarker(platform::Device& dc, const die::coord& at, int shape) const;

    // Picking (ViewPick.cpp). The pick point is a model point: the view
    // converts the cursor pixel once (ViewTransform::ToModel) and hands it in.
    void SetModelPickPoint(const die::coord& model)
    {
        pick_ = model;
        nodeHit_ = NodeHit{};
    }
    // The model point of a device pixel under the painter's mapping; nothing
    // while the scale is 0.
    void SetPickPoint(platform::DevicePoint pixel);
    const die::coord& GetPickPoint() const { return pick_; }
    // Searches a grid of the current section's figures, built again when an
    // element or the section changes (display/DisplayStamp.h).
    void PickElement();
    // The same pick by looking at every figure: what PickElement must find.
    void PickElementByScan();
    CElement* GetHitElement() const { return noHit_ ? nullptr : hit_.element; }
    // −1 no hit, 0 the element itself, else the replica's instance number.
    int GetHitInstance() const;
    // The hit figure's segment and the vector from the pick point to its
    // nearest point (world orientation).
    int GetHitSegment() const { return hit_.segment; }
    const die::coord& GetHitVector() const { return hit_.toNearest; }

private:
    struct Hit {
        CElement* element = nullptr;
        const DisplayFigure* figure = nullptr;
        int segment = -1;
        int instance = -1; // 0 the element itself
        die::coord toNearest;
    };

    void DrawSection(Section& section, bool current, LinetypeTable& linetypes);
    void DrawFigure(FigurePainter& painter, const SectionFigure& figure, std::span<const OutputNode> output,
                    const Section& section, LinetypeTable* ownPens);
    // The section's figures as drawn, built again when the change stamp moves.
    const SectionFigures& FiguresOf(const Section& section);
    // Makes the figure's pen current (its line type, "selected", or the
    // pattern pens of display mode 2) and selects it; the line-type table is
    // asked only when the line type or the selection differs from the last
    // figure's.
    void SelectFigurePen(LinetypeTable& pens, int lineType, bool selected);
    // The model window the main device shows, grown by kCullMargin pixels,
    // in the world frame and in the frame of each of the section's replicas.
    void PrepareWindows(const Section& section);
    // Starts a pick: no hit, the tolerance of the scale; false when nothing
    // can be picked.
    bool BeginPick();
    // The figure grid of the current section up to date.
    void UpdateFigureGrid(Section& section);
    void UpdateNodeGrid();
    void PickFigure(CElement* element, const DisplayFigure& figure, const Placement* replica);
    void PickPath(CElement* element, const DisplayFigure& figure, const Placement* replica, const die::coord& p);
    void PickArc(CElement* element, const DisplayFigure& figure, const Placement* replica, const die::coord& p);
    void Record(CElement* element, const DisplayFigure& figure, int segment, const Placement* replica,
                const die::coord& p, const die::coord& nearest, double distance2);

    // Pixels beyond the device edge that a figure's box may lie and still be
    // drawn: room for the widest pens.
    static constexpr int kCullMargin = 8;

    CMorvekDoc* doc_ = nullptr;
    platform::Device* main_ = nullptr;
    // PrepareWindows: [0] the world window, then one per replica.
    std::vector<BoundingBox> windows_;
    // FiguresOf: the figures of each section drawn since the stamp last moved.
    std::uint64_t figuresStamp_ = 0;
    std::vector<std::pair<const Section*, std::unique_ptr<SectionFigures>>> sectionFigures_;
    // The line type and selection whose pen SelectFigurePen made current;
    // line type −1 none.
    int penLineType_ = -1;
    bool penSelected_ = false;
    platform::Device* overlay_ = nullptr;
    ViewMapping mapping_{0.0, {}, false};
    int mode_ = 0;

    die::coord pick_;
    NodeHit nodeHit_;
    // The pick's figure grid: the section and change stamp it was built for,
    // the figures in section order (each element's in its list's order).
    struct FigureRef {
        CElement* element = nullptr;
        const DisplayFigure* figure = nullptr;
    };
    const Section* gridSection_ = nullptr;
    std::uint64_t gridStamp_ = 0;
    std::vector<FigureRef> gridFigures_;
    BoxGrid figureGrid_;
    // The node grid: the node table's generation, the change stamp and the
    // node count it was built for, every node's own position.
    std::uint64_t nodeGridGeneration_ = 0;
    std::uint64_t nodeGridStamp_ = 0;
    int nodeGridCount_ = -1;
    const void* nodeGridTable_ = nullptr;
    std::vector<BoundingBox> nodeBoxes_;
    BoxGrid nodeGrid_;
    double tolerance_ = 0.0;
    double best_ = 0.0;
    bool noHit_ = true;
    Hit hit_;
};
