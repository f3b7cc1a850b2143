#pragma once
// CElement: the base of every drawable object of a die drawing. It holds what
// all of them share: the rule's line type and ptg, the bridges (by hand, by
// count or by the bridge-rule table), the selection state, the owning
// section, the display list with the flags that make it and the bridges
// follow the geometry lazily, the intersection and crossing lists of the
// cutting commands, and the parameters of the script text.
//
// An element never owns its points: it refers to nodes of the document's
// NodeTable by index.
//
// The flags: a change of the geometry (node indices, node positions through
// Recalculate, extension, transforms, RefreshBridges) sets geometry-changed
// and display-dirty; RebuildContour rebuilds the display list only while
// display-dirty is set and clears it, laying the bridges out again first when
// the geometry changed.
#include "display/DisplayStamp.h"
#include "element/Bridge.h"
#include "element/ElementTypes.h"
#include "element/SelectCriterion.h"
#include "formula/PropertyValue.h"
#include "geometry/BoundingBox.h"
#include "geometry/Coord.h"

#include <QString>

#include <list>
#include <memory>
#include <set>
#include <span>
#include <vector>

class CInstance;
class CNodePoint;
class COptions;
class DisplayList;
class DrawContext;
class ExplosionTarget;
class NodeTable;
class OutlineBuilder;
class Section;
namespace platform {
class BinaryReader;
class BinaryWriter;
} // namespace platform

// The result of GetSnapPoint, filled by the element for the view.
struct SnapRecord {
    int kind = 0;
    double x = 0.0;
    double y = 0.0;
    int marker = 0; // Geom::SnapResultCode of the kind
};

// A point where another element of the section crosses this one.
struct CrossPoint {
    double x = 0.0;
    double y = 0.0;
    const class CElement* other = nullptr;
};

// A rectangle of device units (a dialog's preview area).
struct DeviceRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// An element's display list, made on first use: an element that is loaded,
// saved or edited but never drawn holds none (the empty list alone takes more
// room than a line's record in the file).
class LazyDisplayList {
public:
    DisplayList& operator*() const { return list_ ? *list_ : Make(); }
    DisplayList* operator->() const { return &**this; }

private:
    DisplayList& Make() const;
    mutable std::unique_ptr<DisplayList> list_;
};

// The node-position remap of one move, rotate, scale or mirror edit, indexed
// by node slot (NodeTable::MoveNode).
using NodeRemap = std::vector<int>;

class CElement {
public:
    // Not instanced until the creating section gives the document's
    // avoid-layout setting.
    CElement(NodeTable* nodes, COptions* options, int context);
    virtual ~CElement();
    CElement(const CElement&) = delete;
    CElement& operator=(const CElement&) = delete;

    // --- the operations every element class supplies -----------------------
    // Lays out n bridges of the given width evenly over the length; with
    // replace false the current bridges are counted in.
    virtual void CountAutoBridges(int n, double width, bool replace) = 0;
    // Draws straight onto the context's device (dialog previews).
    virtual void Draw(DrawContext& dc) = 0;
    // The element record: type id, the class's fields, then SaveBase.
    virtual void Save(platform::BinaryWriter& out) const = 0;
    // Sets the element from one line of the older ']'-separated text layout.
    virtual void SetFromText(const QString& text) = 0;
    // The common values and, with withNodes, the node indices of an element
    // of the same class.
    virtual void CopyFrom(const CElement& source, bool withNodes) = 0;
    // Refreshes the geometry the class caches from its nodes.
    virtual void Recalculate() = 0;
    virtual void AddRefNodes() = 0;
    // Selected elements only; nodes move through NodeTable::MoveNode.
    virtual void Move(NodeRemap& remap, double dx, double dy) = 0;
    virtual void Rotate(NodeRemap& remap, double cx, double cy, double degrees) = 0;
    virtual void Scale(NodeRemap& remap, double cx, double cy, double fx, double fy) = 0;
    virtual void Mirror(NodeRemap& remap, double x1, double y1, double x2, double y2) = 0;
    // Each bridge as a stroke over the rule; -1 highlights none.
    virtual void DrawBridges(int highlighted, DrawContext& dc) = 0;
    virtual void ValidateNodes() = 0;
    virtual void AddToOutline(OutlineBuilder* builder, int flags, double segmentsPerTurn, int lineTypeFilter,
                              const CInstance* instance) = 0;
    virtual void RebuildContour() {}
    virtual void ReattachNodes() {}
    // Extents; with init the element's own value, otherwise combined with
    // current.
    virtual double GetMinX(double current, bool init) = 0;
    virtual double GetMinY(double current, bool init) = 0;
    virtual double GetMaxX(double current, bool init) = 0;
    virtual double GetMaxY(double current, bool init) = 0;
    virtual double GetFullLength() = 0;
    // The point of the stretch [from, to] nearest to (x, y); returns its
    // distance along the element.
    virtual double ProjectPoint(double x, double y, double* px, double* py, double from, double to) = 0;
    // Draws scaled and centred into 90 % of the rectangle; returns the scale.
    virtual double DrawFitted(DrawContext& dc, const DeviceRect& rect) = 0;
    virtual double OnCtrlWheel(int delta, int x, int y) = 0;
    virtual double OnShiftWheel(int delta, int x, int y) = 0;
    virtual int GetTypeId() const = 0;
    // The die board lies under everything else: selection, counts and
    // bridge refreshes leave it out.
    bool IsDieBoard() const { return GetTypeId() == ElementTypeId::Wood; }
    // Non-zero exactly when a point was stored in the record.
    virtual int GetSnapPoint(int kind, double x, double y, int mode, double refX, double refY,
                             const CInstance* instance, SnapRecord* out) = 0;
    // Mode 1 any node inside, 2 all nodes inside, 3 the extents reach into it.
    virtual bool IsInRect(double x1, double y1, double x2, double y2, int mode) = 0;
    virtual bool UsesNode(int node, bool onlyIfUnselected) const = 0;
    virtual bool ExtendTowards(double x, double y, double length) = 0;
    virtual bool ExtendBy(double atStart, double atEnd) = 0;
    // The script line: word, " {", the parameters, "};\n".
    virtual QString GetScriptText();
    // Fills the intersection list with the points where this element meets
    // the other. The base lets the element of higher type id compute.
    virtual void IntersectWith(CElement& other);
    virtual double RelativePosition(double x, double y);
    // The class's own parameters, then the three common ones.
    virtual void FillParameters();

    // --- common operations ---------------------------------------------------
    // The position of a node of the table; (0, 0) for an unset index.
    die::coord GetNodePoint(int index) const;
    void SaveBase(platform::BinaryWriter& out) const;
    // False when the record is damaged (more than BridgeList::MaxCount
    // bridges, or truncated); the element is then left as it was.
    [[nodiscard]] bool LoadBase(platform::BinaryReader& in, int fileVersion);

    // Replaces the element by plain elements made through the target, one per
    // figure of its display list (ElementExplosion.h); the target removes the
    // element at the end, so the caller must not use it afterwards (in a
    // section: section/SectionExplosion.h). SplitUp rebuilds the display list
    // first.
    void SplitUp(ExplosionTarget& target);
    void Explode(ExplosionTarget& target);

    void SetGeometryDirty();
    void MarkDisplayDirty() { displayDirty = true; }
    bool IsDisplayDirty() const { return displayDirty; }
    bool IsGeometryChanged() const { return geometryChanged; }
    bool AreBridgesStale() const { return bridgesStale; }

    void MoveBridgeTo(int i, double x, double y);
    int FindBridgeAt(double x, double y);
    void AddSegmentToOutline(OutlineBuilder* builder, double x1, double y1, double x2, double y2, int flags,
                             int lineTypeFilter, const CInstance* instance);
    void SelectByCriteria(const SelectCriterion* criteria, int count, bool byAnd, bool replace);
    void SetSelection(int how);
    bool IsSelected() const { return selected != 0; }
    bool HasSameAttributes(const CElement& other) const;
    void SetSection(Section* s) { section = s; }
    Section* GetSection() const { return section; }
    void RegenerateDisplayList(int mode);
    DisplayList& GetDisplayList() const { return *displayList; }
    BoundingBox GetBoundingBox();

    const std::list<CrossPoint>& GetCrossPoints() const { return crossPoints; }
    void ClearCrossPoints() { crossPoints.clear(); }
    void StoreCrossPoints(const CElement& other);
    void AddCrossPoint(double x, double y, const CElement* key) { crossPoints.push_back(CrossPoint{x, y, key}); }
    CrossPoint FindNthNearestCrossPoint(double x, double y, double minDistance, int n) const;
    const std::vector<die::coord>& GetIntersections() const { return intersections; }

    void CopyMainValues(const CElement& source);
    void AssignMainValues(const CElement& source) { CopyMainValues(source); }
    void ValidateCustomBridges(double shift);
    void RefreshBridges();
    void SetAutoBridges(int count, double width);
    void ScaleBridges(double factor);
    void CollectLineTypes(std::set<int>& types) const;

    // --- attributes ----------------------------------------------------------
    int GetLineType() const { return LineType; }
    void SetLineType(int lineType);
    double GetPtg() const { return ptg; }
    void SetPtg(double value);
    int GetBridgeMode() const { return iAutoBridges; }
    void SetBridgeMode(int mode) { iAutoBridges = mode; }
    int GetAutoCount() const { return autoCount; }
    double GetAutoWidth() const { return lBridges; }
    const BridgeList& GetBridges() const { return bridges; }
    // Replaces the bridges by hand (sorted, without overlaps); at most
    // BridgeList::MaxCount are kept.
    void SetBridges(const std::vector<Bridge>& list);
    int GetNotInstanced() const { return notInstanced; }
    void SetNotInstanced(int flag)
    {
        notInstanced = flag ? 1 : 0;
        display::NoteChange(); // views draw the element in the replicas or not
    }
    bool IsPreview() const { return preview != 0; }
    NodeTable* GetNodeTable() const { return nodeTable; }
    COptions* GetOptions() const { return options; }
    int GetContext() const { return context; }
    const std::vector<PropertyValue>& GetParameters() const { return parameters; }

protected:
    // The text of a script line from a word and the parameter list.
    static QString BuildScriptText(const QString& word, const std::vector<PropertyValue>& parameters);
    // Appends the three common parameters.
    void AppendCommonParameters();
    // Lays out n bridges of width w evenly over the length; drops bridges
    // that would start before the element when dropNegative is set. At most
    // BridgeList::MaxCount are made.
    void LayOutEvenBridges(int n, double width, double length, bool dropNegative);
    // Begins the display list with the element's line type and ptg.
    void BeginContour();
    // After the figures: lays the bridges out again when the geometry changed,
    // adds them to the display list and clears the display-dirty flag.
    void FinishContour();
    // Selects the bridge pen: "moving_bridge" for the highlighted bridge,
    // "crosshair" for the others.
    void SelectBridgePen(DrawContext& dc, bool highlighted) const;
    // The rectangle test of an element by its two ends (IsInRect): mode 1
    // either end inside, 2 both, 3 the extents reach strictly into the
    // rectangle (x1 ≤ x2, y1 ≤ y2) on all four sides.
    bool EndsInRect(CNodePoint* start, CNodePoint* end, double x1, double y1, double x2, double y2, int mode);
    // The same over any nodes: mode 1 any inside, 2 all inside (a missing
    // node is never inside), 3 the extents.
    bool NodesInRect(std::span<CNodePoint* const> nodes, double x1, double y1, double x2, double y2, int mode);
    // Whether drawing leaves gaps for the bridges.
    bool DrawsGaps(const DrawContext& dc) const;

    NodeTable* nodeTable;
    COptions* options;
    int context;
    BridgeList bridges;
    double ptg = 0.0;
    double lBridges = 0.0;
    int autoCount = 0;
    int iAutoBridges = BridgeMode::ByCount;
    int notInstanced = 0;
    int LineType = 0;
    // Every change of these two counts for the views (display/DisplayStamp.h).
    display::Stamped<unsigned char> selected = 0;
    unsigned char preview = 0;
    Section* section = nullptr;
    LazyDisplayList displayList;
    bool geometryChanged = true;
    bool bridgesStale = true;
    display::Stamped<bool> displayDirty = true;
    bool intersectionsCopied = false;
    std::vector<die::coord> intersections;
    std::list<CrossPoint> crossPoints;
    std::vector<PropertyValue> parameters;
};
