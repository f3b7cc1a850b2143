#pragma once
// The nodes of one drawing, shared by all its sections: an array of slots
// holding CNodePoint objects. Elements and nodes refer to nodes by slot
// index, so indices never move: a removed node leaves a hole, a new node
// takes the first hole, and the array only grows (by 30 slots when full).
//
// A new point within 0.003 mm (in X and in Y) of a node in use reuses the
// first such node in slot order, never the drawing's origin node. The table
// finds those nodes through a grid over their rotated positions, rebuilt
// after the positions may have changed (caches cleared, a node changed).
//
// Every change is recorded in the open undo step of the document's undo
// manager (NodeUndoRecorder); without an open step a removed or replaced
// node is released here.
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

#include "element/NodePoint.h"

class CInstance;
class CMorvekDoc;
class FormulaTable;
class NodeMergeIndex;
class NodeUndoRecorder;
class VariableList;

namespace platform {
class BinaryReader;
class BinaryWriter;
} // namespace platform

class NodeTable {
public:
    static constexpr int kGrowBy = 30;
    static constexpr double kMergeTolerance = 0.003; // mm, per coordinate
    static constexpr double kDefaultPickTolerance = 5.0; // pixels
    // Remap entries of MoveNode before a slot's first use in an operation.
    static constexpr int kMoveInPlace = -2;
    static constexpr int kSplitOff = -1;

    explicit NodeTable(CMorvekDoc* owner = nullptr);
    ~NodeTable();
    NodeTable(const NodeTable&) = delete;
    NodeTable& operator=(const NodeTable&) = delete;

    // --- the document's wiring -----------------------------------------------
    CMorvekDoc* GetOwner() const { return owner; }
    void SetOwner(CMorvekDoc* doc) { owner = doc; }
    FormulaTable* GetEvaluator() const { return evaluator; }
    void SetEvaluator(FormulaTable* f);
    NodeUndoRecorder* GetUndoManager() const { return undo; }
    void SetUndoManager(NodeUndoRecorder* u) { undo = u; }
    // The document's origin node index and the format version of the file
    // being read, read through the pointers when needed (no origin node and
    // the current version while unset).
    void SetOriginIndex(const int* index);
    int GetOriginIndex() const { return originIndex ? *originIndex : -1; }
    void SetFileVersion(const int* version) { fileVersion = version; }
    int GetFileVersion() const { return fileVersion ? *fileVersion : kNodeFileVersion; }
    // The placement of rectangle tests (IsInRect) and of picking; not owned.
    void SetCurrentPlacement(const CInstance* p) { currentPlacement = p; }
    const CInstance* GetCurrentPlacement() const { return currentPlacement; }
    void SetPickPlacement(const CInstance* p) { pickPlacement = p; }
    const CInstance* GetPickPlacement() const { return pickPlacement; }
    // Rotation formulas given to every loaded node (except the origin node)
    // while the apply flag is set.
    void SetOriginRotation(const QString& centerX, const QString& centerY, const QString& angle);
    void SetApplyOriginRotation(bool apply) { applyOriginRotation = apply; }
    void OriginRotation(QString& centerX, QString& centerY, QString& angle) const;
    bool IsApplyingOriginRotation() const { return applyOriginRotation; }
    bool IsCaching() const { return caching; }
    void SetCaching(bool on);
    double GetPickTolerance() const { return pickTolerance; }

    // --- slots ---------------------------------------------------------------
    // Deletes every node and makes n empty slots (−1: 30).
    void Reset(int n = -1);
    int GetCount() const { return static_cast<int>(slotNodes.size()); }
    // The node of slot i, null for a hole; 0 ≤ i < GetCount().
    CNodePoint* GetNode(int i) const;
    // The highest slot holding that node, or −1.
    int IndexOf(const CNodePoint* node) const;

    // --- adding, removing, changing ------------------------------------------
    // The slot of the node that represents the given one: with merge an
    // existing coincident node (the first in slot order, never the origin
    // node), else a copy of it in the first free slot, in use, with this
    // table's evaluator.
    int AddNode(const CNodePoint& node, bool merge);
    // An absolute node at (x, y) mm named "%4f;%4f". −1, adding nothing, when
    // the position is not finite or does not fit the micrometre range.
    [[nodiscard]] int AddPoint(double x, double y, bool merge);
    // Rotated positions within kMergeTolerance in X and in Y.
    static bool NodesCoincide(CNodePoint& a, CNodePoint& b);
    // Two positions within kMergeTolerance in X and in Y: nodes added at
    // both with merge would be one node.
    static bool PositionsMerge(const die::coord& a, const die::coord& b);
    // Hands the node of slot i to the open undo step and empties the slot.
    void RemoveNode(int i);
    // Re-points every reference from slot a to slot b.
    void ReplaceReference(int a, int b);
    // Puts the node (or nothing) into slot i and hands back the node that
    // sat there, recording nothing: how undo and redo put nodes back. The
    // table grows to hold slot i.
    std::unique_ptr<CNodePoint> ExchangeSlot(int i, std::unique_ptr<CNodePoint> node);
    // Moves the node of slot i by (dx, dy) mm for an edit of selected
    // elements; remap holds the entry for each slot (kMoveInPlace,
    // kSplitOff, or the slot made for it earlier in the same operation). A
    // node built on others is fixed where it stands before it moves in
    // place; one that is split off keeps its formulas for the others.
    // Returns the slot the caller uses from now on. A move whose result would
    // not fit the micrometre range is refused: the node stays and i is
    // returned with the entry unchanged.
    int MoveNode(int i, std::vector<int>& remap, double dx, double dy, bool allowParametric);
    int MoveNode(int i, int* remapEntry, double dx, double dy, bool allowParametric);
    // A node dragged in the view: a copy of node i, made absolute at (x, y)
    // mm (its rotation kept out of the way) with its rotation formulas
    // cleared, replaces it, recorded as a replaced item. False, nothing
    // changed, for an empty slot or a position the node cannot hold.
    [[nodiscard]] bool PlaceNodeAt(int i, double x, double y);
    // Replaces the node of slot i and records a replaced item (the node
    // dialog's edit of a node).
    void ReplaceNode(int i, std::unique_ptr<CNodePoint> node);
    // The node conversion command: mode 1 makes every node absolute at its
    // plain position, 3 at its rotated position without rotation, 2 drops the
    // rotation formulas only.
    void ConvertAll(int mode);
    // Sets every node's cache flag (false makes every node recompute);
    // returns the slot count.
    int SetCacheValid(bool valid);

    // --- queries ---------------------------------------------------------------
    bool AnyNodeRotated() const;
    // Node i built (directly or through other nodes) on node j; true when i
    // lies outside the slots.
    bool NodeDependsOn(int i, int j);
    // Extents of the nodes in use in whole millimetres (truncated); 0 when
    // none is in use.
    double GetMinX();
    double GetMinY();
    double GetMaxX();
    double GetMaxY();
    // The first node in use after slot `after` within the pick tolerance
    // (pixels, at scale pixels per mm) of the given node, under the pick
    // placement; −1 when none.
    int FindNodeNear(CNodePoint& node, double scale, int after);
    // FindNodeNear under each non-null placement in turn; which gets the
    // position of the placement that hit (0 when none did).
    int FindNodeNearInInstances(CNodePoint& node, double scale, int after, const CInstance* const* placements,
                                int count, int& which);
    // The slot of a node whose evaluation met a loop of references since the
    // caches were last cleared, or −1.
    int ReferenceLoopNode() const { return loopNode; }

    // --- variables used by nodes -------------------------------------------------
    void MarkUsedVariables();
    bool IsVariableUsed(int i) const;
    bool IsVariableUsedByName(const QString& name) const;
    void RenameVariable(const QString& oldName, const QString& newName);

    // --- the node-table block of the drawing file -------------------------------
    void Save(platform::BinaryWriter& out) const;
    // Replaces the table by the block read; false, and the table unchanged,
    // when the block is damaged (the reader holds the reason).
    [[nodiscard]] bool Load(platform::BinaryReader& in);
    // Replaces the table by a block read and checked already.
    void Load(const NodeBlock& block);
    // Adds the block of a file being merged after the existing slots and
    // returns the old slot count, which the caller adds to the merged
    // elements' node indices; −1, and the table unchanged, when the block is
    // damaged or would make the table too long.
    [[nodiscard]] int Append(platform::BinaryReader& in, int mode, VariableList& renames);
    // Takes back the slots an Append added (a merge that failed after it):
    // the table keeps its first count slots. Records nothing.
    void DropAppended(int count);

    // For the nodes: the generation under which plain positions are kept
    // (a new one for every evaluation while caching is off), the notice that
    // a node changed, and the report of a loop of references.
    uint64_t BeginEvaluation();
    void NodeChanged() { ++generation; }
    // Changes with every change of a node's position, use or count.
    uint64_t Generation() const { return generation; }
    void PositionsChanged();
    void UsageChanged();
    void ReportReferenceLoop(const CNodePoint* node);

private:
    // MoveNode's split-off: a new absolute node at node i's position moved
    // by (dx, dy), its slot written to the entry; i when it cannot be made.
    int SplitOff(int i, CNodePoint& node, int* remapEntry, double dx, double dy);
    // A new node made from another (Assign), not yet in a slot.
    static std::unique_ptr<CNodePoint> MadeFrom(const CNodePoint& node);
    // A copy of the node for this table, in use; `found` the coincident node
    // it merges with (merge on), else −1.
    std::unique_ptr<CNodePoint> Adopted(const CNodePoint& node, bool merge, int& found);
    // Puts an adopted node into the first free slot and records it.
    int AddAdopted(std::unique_ptr<CNodePoint> node);
    // Puts a node into slot i, releasing a node not in use that sat there;
    // records nothing.
    void PlaceNode(int i, std::unique_ptr<CNodePoint> node);
    void Record(std::unique_ptr<CNodePoint> old, CNodePoint* now, int index, int operation);
    bool StepOpen() const;
    // Keeps the merge grid and the lowest free slot in step with the slot.
    void Reindex(int i);
    void EnsureFreeList();
    bool EnsureGrid();
    int FirstFreeSlot();
    void Grow(int by);
    // The first coincident node in use in slot order, never the origin node;
    // −1 when none.
    int MergeCandidate(CNodePoint& node);
    double Extent(bool ofY, bool largest);
    // The slots of a checked block with nodes made for this table, their
    // references moved by the offset; renames given for a merged block.
    std::vector<std::unique_ptr<CNodePoint>> NodesFromBlock(const NodeBlock& block, int offset, int mode,
                                                            VariableList* renames);

    NodeUndoRecorder* undo = nullptr;
    const CInstance* currentPlacement = nullptr;
    const CInstance* pickPlacement = nullptr;
    FormulaTable* evaluator = nullptr;
    std::vector<std::unique_ptr<CNodePoint>> slotNodes;
    QString originRotationCenterX;
    QString originRotationCenterY;
    QString originRotationAngle;
    double pickTolerance = kDefaultPickTolerance;
    const int* originIndex = nullptr;
    const int* fileVersion = nullptr;
    bool caching = true;
    bool applyOriginRotation = false;
    CMorvekDoc* owner = nullptr;

    uint64_t generation = 1;
    int loopNode = -1;
    std::unique_ptr<NodeMergeIndex> mergeIndex;
    bool gridValid = false;
    bool freeValid = false;
    int freeHint = 0; // while freeValid: no slot below it is free
};
