#pragma once
// A section: one layer of a die drawing. It owns the layer's elements in an
// element table whose slots are the elements' identity (a deleted element
// leaves a hole, reused lowest first; undo puts the very object back into
// its slot), its instances (step and repeat) with their replica placements,
// the two automatic-layout records and its name. The node table, the undo
// manager and the options belong to the document and are shared by all its
// sections.
//
// Every change of the table goes into the open step of the undo manager
// (Section::ExchangeSlot alone records nothing: it is how undo and the
// edits that record themselves put objects into slots).
//
// The operations are grouped by file: the table (Section.cpp), creation
// (SectionCreate.cpp), selection and the property-edit pair
// (SectionSelection.cpp), borders, extents, centre and lengths
// (SectionQueries.cpp), instances (SectionInstances.cpp), the automatic
// layout (SectionAutoLayout.cpp), maintenance (SectionMaintenance.cpp) and
// duplication (SectionDuplicate.cpp).
#include "geometry/AutoInstance.h"
#include "geometry/BoundingBox.h"
#include "geometry/Coord.h"
#include "geometry/Instance.h"
#include "geometry/PlacementList.h"
#include "platform/DrawingObjects.h"
#include "platform/ScopedOverride.h"
#include "section/ElementIterator.h"

#include <QString>

#include <array>
#include <deque>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <vector>

struct BobstAsmParams;
struct ChamferValues;
class CElement;
class CLine;
class CNodeSymbol;
class COptions;
class CUndoManager;
class UndoTransaction;
class NodeTable;
struct OutlineClipWindow;
class SectionBoardLayout;

// Borders of a section: y grows upwards, so top is the largest y.
struct SectionBorders {
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
};

class Section {
public:
    static constexpr int kFirstElementCapacity = 10;
    static constexpr int kElementCapacityStep = 500;
    // For tests of a load that runs out of memory: while the guard lives, a
    // section whose table would grow past `elements` slots fails as the
    // allocator does (std::bad_alloc). Negative: no limit.
    static platform::ScopedOverride<qint64> SimulateMemoryForElements(qint64 elements);
    static constexpr int kFirstInstanceCapacity = 10;
    static constexpr int kInstanceCapacityStep = 10;

    // The context word is handed to every element the section makes. The
    // section registers with the undo manager for as long as both live.
    Section(NodeTable* nodes, COptions* options, CUndoManager* undo, int context = 0);
    ~Section();
    Section(const Section&) = delete;
    Section& operator=(const Section&) = delete;

    static std::unique_ptr<Section> CreateSection(const QString& name, COptions* options, int context,
                                                  NodeTable* nodes, CUndoManager* undo);

    NodeTable* GetNodeTable() const { return nodes_; }
    COptions* GetOptions() const { return options_; }
    CUndoManager* GetUndoManager() const { return undo_; }

    // --- the element table -----------------------------------------------------
    // The slot for a new element: the lowest hole, else one slot more (the
    // capacity growing by kElementCapacityStep when the new count reaches it).
    // The caller stores its element there; a slot left empty stays a hole.
    int GetFirstNullElement();
    int GetSlotsInUse() const { return static_cast<int>(slots_.size()); }
    int GetElementCapacity() const { return capacity_; }
    // The element of a slot; null for a hole or a slot outside the table.
    CElement* GetElement(int slot) const;
    // Puts the element (or nothing) into the slot and hands back what was
    // there; records nothing. The table grows to hold the slot.
    std::unique_ptr<CElement> ExchangeSlot(int slot, std::unique_ptr<CElement> element);
    ElementIterator begin() const { return ElementIterator(this, 0); }
    ElementIterator end() const { return ElementIterator::End(this); }
    // The slot of the element, or −1.
    int GetIdx(const CElement* element) const;
    // A new element of the source's class with the same values, nodes and
    // section (its copy constructor), in no table; null for a type id that
    // has no element class yet.
    static std::unique_ptr<CElement> CreateElement(const CElement& source);

    // Takes the element out of its slot into the open undo step (removed);
    // with no step open it is destroyed. The slot must hold an element.
    void DeleteElement(int slot);
    // The same for an element found in the table; anything else is ignored.
    void DeleteElement(const CElement* element);
    void DeleteElement(const ElementIterator& at);

    // The position of a node of the node table.
    die::coord Point(int node) const;

    // --- name and flags ----------------------------------------------------------
    void setName(const QString& name) { name_ = name; }
    const QString& getName() const { return name_; }
    // Sections are all top-level layers: the full name is the name.
    QString GetFullName() const { return name_; }
    bool IsVisible() const { return visible_; }
    void SetVisible(bool on) { visible_ = on; }
    bool IsLocked() const { return locked_; }
    void SetLocked(bool on) { locked_ = on; }
    // While off (loading a drawing), creations are not recorded for undo.
    void SetUndoRecording(bool on) { recording_ = on; }
    bool IsUndoRecording() const { return recording_; }
    // The document's avoid-layout setting, which new elements take as their
    // not-instanced flag; null: off.
    void SetAvoidLayoutSource(const bool* avoidLayout) { avoidLayout_ = avoidLayout; }
    // The element the document keeps while an element edit is open.
    void SetHeldElement(std::unique_ptr<CElement> element);
    CElement* GetHeldElement() const { return held_.get(); }
    std::unique_ptr<CElement> TakeHeldElement();

    // --- creation (SectionCreate.cpp) -----------------------------------------------
    // The line types that new elements take from the options: the current
    // one (1 without options), and the one of arcs ("TEXT_LYNE_TYP", else
    // the current one).
    int CurrentLineType() const;
    int CurrentArcLineType() const;

    // While set, the coordinate-based creations below give their elements no
    // bridges (by count, none) instead of bridges by rule: an import whose
    // file gives no bridges neither works the rule out for every element
    // nor leaves the rule's bridges behind under a mode that has none.
    void SetCreateWithoutBridges(bool on) { createWithoutBridges_ = on; }

    // A line from (x1, y1) to (x2, y2) of the given line type, bridges by
    // rule. The end iterator, nothing added, when the ends are equal, when a
    // point cannot be a node, or when both ends resolve to one node.
    ElementIterator AddLine3(double x1, double y1, double x2, double y2, bool merge, int lineType);
    // An arc about (cx, cy) from the start, clockwise, to the end moved onto
    // the circle through the start (in the end's direction from the centre);
    // the full circle when the end equals the start. The end iterator when a
    // point cannot be a node.
    ElementIterator AddArc3(double cx, double cy, double sx, double sy, double ex, double ey, bool merge,
                            int lineType);
    // An ellipse about (cx, cy) with its axis ends at (mx, my) and (nx, ny),
    // clockwise from the start to the end (the whole ellipse when both are
    // one node), bridges by rule. The end iterator when a point cannot be a
    // node or an axis end resolves to the centre's node.
    ElementIterator AddEllipse4(double cx, double cy, double sx, double sy, double ex, double ey, double mx,
                                double my, double nx, double ny, bool merge, int lineType);
    // The whole ellipse about (cx, cy) with the semi-axes r1 along the
    // rotation (degrees) and r2 across it; the start and end are taken only
    // by AddEllipse4. The end iterator when a radius is 0.
    ElementIterator AddEllipse3(double cx, double cy, double r1, double r2, double rotation, bool merge,
                                int lineType);
    // A spline through three points, bridges by rule. The end iterator when
    // two points are equal, a point cannot be a node or two points resolve
    // to one node.
    ElementIterator AddSpline1(double x0, double y0, double x1, double y1, double x2, double y2, bool merge,
                               int lineType);
    // A spline through the points in order (a point equal to the one before
    // it is passed over; a last point equal to the first closes it), bridges
    // by rule. The end iterator when a point cannot be a node or fewer than
    // two points remain.
    ElementIterator AddSplineThrough(const std::vector<die::coord>& points, bool merge, int lineType);
    // Puts a copy of the spline at `spline` with one more node at (x, y)
    // (merged) into its slot, bridges by rule and the line type given, and
    // records the replacement; the iterator designates the copy. False,
    // nothing changed, when the iterator holds no spline, the point cannot
    // be a node or it resolves to the spline's last node.
    bool ContinueSpline(double x, double y, const ElementIterator& spline, int lineType);
    // A text from the height point (hx, hy) over the insertion point (bx, by)
    // to the width point (ex, ey), without bridges. The end iterator when a
    // point cannot be a node or two of them resolve to one node.
    ElementIterator AddText3(double hx, double hy, double bx, double by, double ex, double ey, const QString& text,
                             const platform::LogFont& font, int mirrored, int fontKind, bool merge, int lineType);
    // A text at (x, y) of that height running in the angle's direction
    // (degrees), each character `advance` wide; its nodes always merge.
    ElementIterator AddText2(double x, double y, double height, double angle, double advance, const QString& text,
                             const platform::LogFont& font, int mirrored, int fontKind, int lineType);
    // A dimension of the kind (1201 to 1205) between the first and second
    // point, the third only for kind 1204, its text at (lx, ly); no bridges,
    // line type kMeasureLineType. The end iterator when the first and second
    // point are equal or resolve to one node, or a point cannot be a node.
    ElementIterator AddMeasureXY(int kind, double lx, double ly, double x1, double y1, double x2, double y2,
                                 double x3, double y3, bool merge);
    // The same on existing nodes (centre −1 for none), with the instance
    // numbers of the points and the character size. The end iterator when
    // both points are one node under equal instance numbers.
    ElementIterator AddMeasurePt1(int kind, int linePoint, int first, int second, int centre,
                                  const std::array<int, 3>& instances, int charWidth, int charHeight);
    // A dimension on existing nodes with its text at (lx, ly): the node
    // there found (within the merge distance, when merging) or added, then
    // AddMeasurePt1 with the dialog's character size, width 15 and height
    // 12. The end iterator when (lx, ly) cannot be a node, a node index is
    // not in use (the centre only for kind 1204) or AddMeasurePt1 refuses.
    ElementIterator AddMeasureAt(int kind, double lx, double ly, int first, int second, int centre,
                                 const std::array<int, 3>& instances, bool merge);
    static constexpr int kMeasureCharWidth = 15;
    static constexpr int kMeasureCharHeight = 12;
    // A dimension between one node under one instance number measures
    // nothing: AddMeasurePt1 and the file reader refuse it.
    static bool MeasuresOnePoint(int first, int second, const std::array<int, 3>& instances)
    {
        return first == second && instances[0] == instances[1];
    }
    // Every dimension's line type.
    static constexpr int kMeasureLineType = 16;
    // Machine symbols on one node (SectionCreateHoles.cpp): the node found
    // or added at (x, y), bridges by rule, the class's own line type, never
    // repeated over instances. The end iterator when (x, y) cannot be a node.
    // The hole patterns take the horizontal count only when above 0.
    ElementIterator AddMartinHole(double x, double y, int horizontal, int vertical, bool merge);
    ElementIterator AddBobstHole(double x, double y, int horizontal, int vertical, bool merge);
    ElementIterator AddBobstSPHole(double x, double y, int horizontal, int vertical, bool merge);
    // The assembly hole keeps the record as given (callers validate it);
    // AddBobst2 returns the end iterator for a node the table lacks.
    ElementIterator AddBobst2(int node, const BobstAsmParams& params);
    ElementIterator AddBobstAt(double x, double y, const BobstAsmParams& params, bool merge);
    // The node-index forms the file reader uses: the element is linked and
    // recorded; bridges, line type and ptg are left to the base record read
    // next. They return the slot.
    int AddLine0(int startNode, int endNode);
    int AddArc0(int startNode, int endNode, int centreNode);
    // The node-index form of any class: an element built with its nodes (for
    // instance read from a file) goes into the lowest free slot, linked and
    // recorded. Returns the slot.
    int AddBuilt(std::unique_ptr<CElement> element);
    // A copy of the source in this section, recorded whatever the
    // undo-recording flag says. Returns the slot; −1, with a message, for an
    // element that has no copy.
    int CopyElement(const CElement& source);

    // --- fixed symbols (SectionCreateSymbols.cpp) ------------------------------------
    // Each on its own line type (the cuir's for cuir holes and holders, the
    // die board frame's for separation rules and stripper boards; the
    // options' current line type stays as it is), bridges by rule (none
    // result), not instanced. The coordinate forms find or add their node
    // (merge as given) and return the end iterator when the point cannot be
    // a node; AddCuir1 returns it for a node the table lacks.
    ElementIterator AddCuir1(int centreNode, double radius, double angle, double wingLength);
    ElementIterator AddCuirAt(double x, double y, double radius, double angle, double wingLength, bool merge);
    // The length as CHolder::SetSize takes it: the default W + 50 unless it
    // exceeds the width by more than 40.
    ElementIterator AddHolder(double x, double y, bool vertical, double length, double width, bool merge);
    ElementIterator AddSeperatingRule(double x, double y, bool side, bool merge);
    ElementIterator AddStripperWood(double x, double y, bool side, bool merge);

    // --- selection and queries (SectionSelection.cpp, SectionQueries.cpp) -----------
    // 0 clears, 1 sets, 2 toggles the selection of every element but the die
    // board; other modes change nothing.
    void SelectElements(int mode);
    // Clears the selection of every element, the die board included.
    void Deselect();
    // Selects every element that passes the rectangle test (mode 1 any node
    // inside, 2 all, 3 crossing) under any instance; an element not
    // instanced is tested under instance 0 only. Never deselects.
    void SelectAllInRect(double x1, double y1, double x2, double y2, int mode);
    int GetSelectedCount() const;
    // Rebuilds the element's crossing list: its intersections with every
    // element of the section (itself included), then for a line or an arc
    // its start point and, when it differs, its end point, keyed by itself.
    void GetCrossNodes(CElement* e);
    // Borders of the selected elements (the die board left out); zeros when
    // nothing is selected.
    SectionBorders GetSelectedBorders() const;
    // Borders of the elements (the die board left out), under every instance
    // when allInstances; elements not instanced left out when
    // skipNotInstanced; widened by the die board's margins when asked.
    SectionBorders GetBorders(bool allInstances, bool addBoardMargins, bool skipNotInstanced) const;
    // The extremes of the elements (the die board only when includeBoard);
    // with instances, the instanced elements' box shifted by every further
    // instance's offset (turns are not applied). Both (0, 0) when empty.
    void GetBoundingBox(die::coord& min, die::coord& max, bool withInstances, bool includeBoard) const;
    // The union of the elements' boxes (the die board left out) under the
    // instance; empty for an empty section.
    BoundingBox GetExtents(const CInstance* instance) const;
    // Middle of the elements' defining nodes; the origin always counts.
    double GetCenterX() const;
    double GetCenterY() const;
    // Total length of the elements of a line type (−1: any) and ptg (0:
    // any); an instanced element counts once per instance.
    double GetLineLength(int lineType, int ptg) const;
    // The same with ptg as a filter of its own: none counts every ptg, 0
    // only the elements of ptg 0.
    double GetRuleLength(int lineType, std::optional<int> ptg) const;
    // Deletes every selected element (undo items, removed), in slot order.
    void DeleteSelectedElements();
    // Opens a property edit of the selection: every selected element is
    // replaced in its slot by a copy, which the edit then changes; the
    // elements as they were are kept. Records nothing.
    void PrepareSelElements();
    // Ends the edit: every kept element becomes the old side of a replaced
    // item (the copy in its slot the new side); with discard they are
    // destroyed instead and the edit stays without undo.
    void AddSelElementsToUndo(bool discard);

    // --- duplication (SectionDuplicate.cpp) ---------------------------------------------
    // Adds a copy of the source, which may lie in another section of the
    // drawing, with every point placed by the placement about the source
    // section's centre (GetCenterX, GetCenterY): a new element of the
    // source's class made by its coordinate-based creation, then given the
    // source's values without its nodes (the selected and not-instanced
    // flags too). Lines, arcs, holders, separation rules and stripper boards
    // always merge their nodes with existing ones; the other classes as
    // merge says. The end iterator, nothing added, for the die board and the
    // hole patterns, for a class without a creation (after text 199), and
    // when the creation refuses the placed points.
    ElementIterator AddDuplicated(const CElement& source, const CInstance& placement, const Section& sourceSection,
                                  bool merge);
    // The same about a centre the caller takes once for a series of copies
    // (the centre moves while copies go into the source section itself).
    ElementIterator AddDuplicatedAbout(const CElement& source, const CInstance& placement, die::coord centre,
                                       bool merge);
    // Adds an unselected copy in place (node merge off for the classes that
    // follow it) of every selected element, or of every element when
    // selectedOnly is false; only the elements there at the start are
    // copied, never the copies.
    void DuplicateAll(bool selectedOnly);
    // The section's placements: its instances, or the identity alone when it
    // has none (its elements then stand once where they are).
    std::vector<CInstance> GetPlacements() const;

    // --- instances (SectionInstances.cpp) -----------------------------------------------
    // Appends an instance (not the identity, centre (0, 0)).
    void NewInstance(double dx, double dy, double angleDegrees);
    // Removes every instance (the file reader rebuilds the table).
    void ClearInstances();
    int GetInstanceCount() const { return static_cast<int>(instances_.size()); }
    int GetInstanceCapacity() const { return instanceCapacity_; }
    CInstance& GetInstance(int i);
    const CInstance& GetInstance(int i) const;
    // Gives every instance the middle of the section's own borders as its
    // centre and clears its identity flag.
    bool SetCenterOfInstances();
    // Rebuilds the replica placements: one per instance from 1 on.
    void recreate_replicas();
    const PlacementList& get_surface() const { return replicas_; }
    AutoInstance& GetRows() { return rows_; }
    AutoInstance& GetColumns() { return columns_; }
    const AutoInstance& GetRows() const { return rows_; }
    const AutoInstance& GetColumns() const { return columns_; }

    // --- automatic layout (SectionAutoLayout.cpp) ----------------------------------------
    // Keeps instance 0 (made when there is none), stores the pair as the
    // section's rows and columns and adds one instance per further copy of
    // the step-and-repeat grid, x index first: the copies advance by the
    // section's own width and height (not-instanced elements left out) and
    // the records' gaps and shifts, every odd copy of a rotating direction
    // turned by its angle. Records nothing for undo. False, nothing changed,
    // when a count lies outside 1..kMaxAutoCount or a value (or a copy's
    // offset) is not finite.
    [[nodiscard]] bool AddAutoInstances(AutoInstance rows, AutoInstance columns);

    // --- maintenance (SectionMaintenance.cpp) -------------------------------------------
    // Every element recomputes from its nodes, in slot order.
    void UpdateElements();
    // Every element lays its bridges out again, in slot order.
    void RefreshAllBridges();
    // Deletes every line whose ends lie less than 1e-6 mm apart (undo items,
    // removed); the document runs it before writing a file.
    void ClearNullLengthLines();

    // What RefreshElement did: Replaced (recorded in the open undo step;
    // with none open, old holds the element taken out), Kept (the element
    // stays; nothing to record) or Refused (the values make no element;
    // nothing changed).
    struct Refresh {
        enum Outcome { Replaced, Kept, Refused };
        Outcome outcome = Kept;
        std::unique_ptr<CElement> old;
    };
    // Rebuilds the element of the slot from the values of its property page
    // (by type; a line: start x, y, end x, y; an arc: start x, y, end x, y,
    // centre x, y; an ellipse: start x, y, end x, y, centre x, y, the two
    // semi-axes and the first one's direction in radians) with the common
    // values of the edited working copy: a copy replaces it in the slot. A
    // point given as two not-a-numbers keeps its node (so does an ellipse's
    // shape given as three); no values keep the geometry and apply the
    // common values alone. A line whose ends are equal is refused.
    [[nodiscard]] Refresh RefreshElement(int slot, const CElement& edited, const std::vector<double>& values);
    // Every reference to node from becomes a reference to node to (the die
    // board, and selected elements when skipSelected, left alone); with a
    // step open each changed element is replaced by a changed copy and
    // recorded, otherwise changed in place.
    void ReplaceNode(int from, int to, bool skipSelected);
    // Deletes the first die board; false when there is none.
    bool DelWood();

    // --- replacing edited elements (SectionReplace.cpp) ----------------------------------
    // Editing operations never change an element in place: they edit a copy
    // (CreateElement) and put it into the element's slot here, which records
    // the pair (the element as it was, the copy; operation replaced) in the
    // open step. The slot must hold an element. Returns the copy.
    CElement* ReplaceElement(int slot, std::unique_ptr<CElement> copy);
    // Replaces the line of the slot by a copy whose start (or end) lies on
    // the node found or added at the point (merged). The slot must hold a
    // line and the point must be able to be a node (CanBeNodes).
    void MoveLineEnd(int slot, bool start, const die::coord& to);

    // --- fillets, chamfers and constructions (SectionFillets.cpp,
    // SectionArcLineFillet.cpp, SectionChamfer.cpp, SectionConstructions.cpp,
    // SectionParallelSide.cpp) ---------------------------------------------------------
    // Each edited element is replaced in its slot by an edited copy (recorded
    // as replaced); new ends are nodes found or added with merging. Every
    // refusal returns false before anything changes. The elements must be in
    // this section's table. A fillet records into the transaction passed in,
    // else into one of its own (text 181, two parallel lines 182).
    // Joins the two picked elements by a tangent arc of the radius, trimming
    // or extending both to its tangent points: two lines, an arc and a line
    // in either order (DoArcLineFillet), or two arcs (DoArcArcFillet). Nearly parallel lines get the
    // half circle of DoParallelFillet; a radius below 0.001 joins two lines
    // at their corner without an arc. The new arc is not instanced when asked.
    bool DoFillet(CElement* first, CElement* second, double x1, double y1, double x2, double y2, double radius,
                  bool notInstanced, UndoTransaction* tx = nullptr);
    bool DoFilletAt(int firstSlot, int secondSlot, double x1, double y1, double x2, double y2, double radius,
                    bool notInstanced, UndoTransaction* tx = nullptr);
    // Closes the end of the first line nearer to (x, y) against the second,
    // parallel line with a half circle across the gap.
    bool DoParallelFillet(CElement* first, CElement* second, double x, double y, UndoTransaction* tx = nullptr);
    // The fillet of two arcs: of the circles of the radius that touch both
    // arcs' circles (from outside or inside each), the one whose tangent
    // points lie on both sweeps nearest the picks; each arc keeps the end on
    // its pick's side. Concentric arcs, a tangent point off a sweep and a
    // radius no tangent circle fits are refused.
    bool DoArcArcFillet(CElement* firstArc, CElement* secondArc, const die::coord* pick1, const die::coord* pick2,
                        double radius, bool notInstanced, UndoTransaction* tx = nullptr);
    // The fillet between an arc and a line; the line pick chooses the side of
    // the foot of the perpendicular from the arc's centre, the arc pick the
    // side of the line where the fillet lies when the line cuts the circle.
    bool DoArcLineFillet(CElement* arc, CElement* line, const die::coord& arcPick, const die::coord& linePick,
                         double radius, bool notInstanced, UndoTransaction* tx = nullptr);
    // Cuts the corner of two lines by a line from distance1 along the first
    // to distance2 along the second, measured from the corner; either below
    // 0.001 joins them at the corner. Always its own undo step (text 385).
    bool DoChampfer(CElement* first, CElement* second, double x1, double y1, double x2, double y2,
                    double distance1, double distance2, UndoTransaction* tx = nullptr);
    // The chamfer the user's values give (ChamferDistances.h): each
    // combination of given values is tried in turn until one is made.
    // Ignored, nothing tried: not two lines of this section, or parallel.
    enum class ChamferOutcome { Made, NoCombination, Ignored };
    ChamferOutcome ChamferByValues(CElement* first, CElement* second, double x1, double y1, double x2, double y2,
                                   const ChamferValues& values, UndoTransaction* tx = nullptr);
    // A line of the length from the corner of two lines along the bisector
    // of the angle the picks select (the ends towards the picks, as a fillet
    // keeps them). Nothing for a length not above 0, not two lines, or lines
    // that never meet. Opens no step: the command's step holds the line.
    void AddAngleBisector(CElement* first, CElement* second, double x1, double y1, double x2, double y2,
                          double length);
    // A regular polygon of the edges (at least 3) and side length about the
    // centre, its first edge below the centre and horizontal at rotation 0
    // (degrees); its lines selected when asked. Opens no step.
    void AddPolygon(double cx, double cy, int edges, double side, double rotation, bool select);
    // A rectangle about the centre, its corners rounded by the radius (at
    // most half the smaller side), turned about the centre by the angle
    // (degrees, counterclockwise): four sides, then four corner arcs, in one
    // undo step (text 59). Nothing when a side is not above 0.
    void AddRectByCenter(const die::coord& centre, double width, double height, double radius, double angle = 0.0,
                         UndoTransaction* tx = nullptr);
    // The offset distance for a parallel of the element, signed by the side
    // of it where (x, y) lies: mode 1 positive on the left of a line's
    // direction, 2 on the right of it in x, 3 above it; an arc or an ellipse
    // positive outside (an inward offset that would reach the centre turns
    // outward), a spline positive on the left of its course.
    double GetParDist(CElement* element, double x, double y, double distance, int mode);
    // --- common-line cleaning (SectionCommonLines.cpp, SectionLayoutCleaning.cpp,
    // SectionCrossingTest.cpp) ---------------------------------------------------------
    // None of them opens or closes an undo step: the caller runs them inside one.
    // Block cleaning: deletes every arc of radius below 0.001, then unites
    // overlapping collinear lines and overlapping arcs of one circle with the
    // same attributes, until no such pair is left.
    void DoClearCommonElements();
    // Two arcs of one circle whose sweeps overlap or touch, or two lines that
    // share a stretch of positive length (ends within 0.001 squared of the
    // other's line), of equal type and attributes.
    bool AreCommonElements(CElement* a, CElement* b);
    // Replaces two common elements by one covering both (a's attributes);
    // the end iterator, nothing changed, when the elements are no lines or
    // arcs of this section or the united element cannot be made.
    ElementIterator UniteCommonElements(CElement* a, CElement* b);
    // The same two for the elements in two slots.
    bool AreCommonSlots(int a, int b);
    ElementIterator UniteCommonSlots(int a, int b);
    // Unites two lines of equal attributes that run along each other (ends
    // within 0.01 squared); false, nothing changed, when they do not or the
    // united line cannot be made.
    bool unite_common_lines(CLine* a, CLine* b);
    // Layout cleaning: a line of one instance that runs over a line of
    // another is taken out of the repeated design and drawn as fixed lines,
    // one per instance, until no such pair is left.
    void clean_instances();
    // One such step for two lines of this section placed by the two
    // instances; false, nothing changed, when they are no such pair or a
    // placed line cannot be made.
    bool clean_elements(CInstance* first, CInstance* second, ElementIterator a, ElementIterator b);
    // True when the two elements (lines, arcs, elliptical arcs; by slot)
    // have a common point.
    bool AreElementsCrossing(int slotA, int slotB);

    // --- outlines (SectionDoOutline.cpp, OutlineOffset.cpp, OutlineCorners.cpp) ---------
    // A closed rule of the new line type at the distance beside the contour
    // of the selected elements (of the filter's line type, −1 any) at their
    // rightmost point: inside a simple figure for a positive distance,
    // outside it for a negative one (outside the outer boundary of a figure
    // with inner rules for a positive one). Corners are trimmed, rounded by
    // a fillet radius above 0, self-crossings cut when asked; with
    // placements every instance is fed and the rule is not instanced. One
    // undo step (text 188). 0.0 when made (or, without create, when there is
    // a contour to outline), −1.0 when nothing was found or made.
    double DoOutline(double distance, int lineTypeFilter, int newLineType, double filletRadius,
                     bool resolveCrossings, bool create, bool usePlacements, const OutlineClipWindow& window,
                     UndoTransaction* tx = nullptr);
    // The same around the smallest closed contour of all the layer's elements
    // that encloses (x, y): inside it for a positive distance.
    double DoOutlineByPoint(double distance, int lineTypeFilter, int newLineType, double filletRadius,
                            bool resolveCrossings, bool create, bool usePlacements, double x, double y,
                            UndoTransaction* tx = nullptr);

    // --- the die board (SectionWood.cpp) ------------------------------------------------
    // Sets the die board's margins and fillet, the bottom front edge, gap
    // spacing 150 and all knife values 20, line type 122: a copy of the
    // section's board replaces it (recorded as replaced, its records kept),
    // else a new board with the ten default records is added.
    ElementIterator AddWood(double left, double top, double right, double bottom, double fillet);
    // The layout a die board of this section frames, with the crossing set.
    SectionBoardLayout& GetBoardLayout() { return *boardLayout_; }

    // --- extend, intersection, split and partial delete ----------------------------------
    // (SectionExtend.cpp, SectionSplit.cpp) Each edited element is replaced
    // in its slot by an edited copy; new end points are nodes found or added
    // with merge. An operation that refuses changes nothing and leaves no
    // undo step.
    //
    // Moves the end of the line nearer to the pick point (x, y) onto the
    // boundary (a line, an arc or an ellipse): the near end is extended up
    // to it, or, when the line crosses the boundary, the picked part is cut
    // off. Its own undo step. Nothing happens when there is no such point.
    void DoExtend(CElement* boundary, CElement* line, double x, double y, UndoTransaction* tx = nullptr);
    // Trims or extends two lines, arcs or ellipses to their common
    // intersection (of the full curves) nearest to the two pick points: the
    // end of each nearer to its own pick point moves there, both onto one
    // node. In the transaction passed in, else in one of its own.
    // True, with the point written out, when both were changed.
    [[nodiscard]] bool DoInterSection(CElement* first, CElement* second, double x1, double y1, double x2,
                                      double y2, double* outX, double* outY, UndoTransaction* tx = nullptr);
    // The same for the elements in two slots; without refreshAllBridges the
    // caller refreshes the bridges that need it (OutlineOffset::TrimCorners).
    [[nodiscard]] bool InterSectSlots(int slotA, int slotB, double x1, double y1, double x2, double y2,
                                      double* outX, double* outY, UndoTransaction* tx = nullptr,
                                      bool refreshAllBridges = true);
    // Replaces a line, an arc or a spline by n parts of equal length, which
    // keep its line type, ptg and bridge settings (hand-placed bridges go to
    // the part they lie on). Any other kind, n < 1 or parts too short to be
    // told apart by their nodes: nothing changes.
    void SplitElement(CElement* element, int n, UndoTransaction* tx = nullptr);
    // Removes the stretch of a line, an arc or an elliptical arc between two
    // points on it (one point twice cuts it in two): the pieces before and
    // after it take the element's values; with keepSector the stretch itself
    // is made again as a new element of the current line type.
    void DeleteElementPart(CElement* element, double x1, double y1, double x2, double y2, bool keepSector,
                           UndoTransaction* tx = nullptr);
    // A spline through the nodes in list order, bridges by rule.
    ElementIterator AddSpline2(const std::deque<int>& nodes, int lineType);

private:
    friend class CUndoManager; // forgets itself when it goes first

    // The rule a coordinate-based creation gives its element.
    enum class NewBridges { ByRule, None };
    bool createWithoutBridges_ = false;
    // False when any of the points cannot be a node.
    static bool CanBeNodes(std::initializer_list<die::coord> points);
    // The common end of every coordinate-based creation: bridges, line type
    // and ptg, then linked and recorded.
    ElementIterator Place(std::unique_ptr<CElement> element, int lineType, NewBridges bridges);
    // Bridges, line type and ptg of a new or continued element.
    void Dress(CElement& element, int lineType, NewBridges bridges) const;
    // The end of a one-node symbol's creation (SectionCreateSymbols.cpp):
    // on the node, bridges by rule, its line type and ptg, linked and
    // recorded; it stays not instanced. The end iterator, nothing added,
    // for a node the table lacks.
    ElementIterator PlaceSymbol(std::unique_ptr<CNodeSymbol> symbol, int node, int lineType);
    // The same on the node found or added at (x, y); the end iterator when
    // the point cannot be a node.
    ElementIterator PlaceSymbolAt(std::unique_ptr<CNodeSymbol> symbol, double x, double y, bool merge, int lineType);
    // The node of a symbol at (x, y); −1 when the point cannot be a node.
    int SymbolNode(double x, double y, bool merge);
    // Common-line cleaning by slot (SectionCommonLines.cpp, SectionLayoutCleaning.cpp).
    int UniteCommonLineSlots(int a, int b);
    // The slots of the fixed lines made go to `made` when given.
    bool CleanElementSlots(const CInstance& first, const CInstance& second, int a, int b,
                           std::vector<int>* made = nullptr);
    // Puts a new element into the lowest free slot and records the
    // addition (unless recording is off and not alwaysRecord).
    int Insert(std::unique_ptr<CElement> element, bool alwaysRecord);
    // Records an element item of this section, unless recording is off.
    void Record(std::unique_ptr<CElement> old, CElement* now, int slot, int operation, bool always = false);
    // The boxes of the elements where they stand (no placement): of all of
    // them, and of those repeated over the instances. The die board counts
    // only when asked.
    void DesignBoxes(bool includeBoard, BoundingBox& all, BoundingBox& instanced) const;
    // Runs fn with each instance as the node table's current placement, in
    // table order; the previous placement comes back afterwards.
    void ForEachInstance(const std::function<void(int index)>& fn) const;
    // Runs fn with the given placement as the node table's current one.
    void UnderPlacement(const CInstance* placement, const std::function<void()>& fn) const;

    NodeTable* nodes_;
    COptions* options_;
    CUndoManager* undo_;
    int context_;
    const bool* avoidLayout_ = nullptr;
    bool recording_ = true;
    bool visible_ = true;
    bool locked_ = false;
    QString name_;

    std::vector<std::unique_ptr<CElement>> slots_;
    int capacity_ = kFirstElementCapacity;
    int firstHole_ = 0; // no hole below this slot
    std::unique_ptr<CElement> held_;
    std::vector<std::unique_ptr<CElement>> preEdit_;

    std::unique_ptr<SectionBoardLayout> boardLayout_;

    std::vector<CInstance> instances_;
    int instanceCapacity_ = kFirstInstanceCapacity;
    AutoInstance rows_;
    AutoInstance columns_;
    PlacementList replicas_;
};
