#pragma once
// A point of the drawing: absolute (its position is stored) or parametric
// (its position follows formulas over the drawing's variables, measured from
// one or two other nodes of the same table). Three optional rotation formulas
// turn the result about a centre, taking the drawing's origin node as the
// point that lands on that centre.
//
// Positions are in millimetres, Y up; the stored position is in whole
// micrometres (int32). Nodes refer to other nodes by slot index in their
// NodeTable. The rotated position is cached until the table clears the caches
// (NodeTable::SetCacheValid(false)); the plain positions that feed it are
// kept for the same time and also forgotten whenever any node of the table
// changes.
//
// A chain of references that loops back (possible in a damaged or merged
// drawing) is cut where it closes: the reference that closes it counts as a
// reference of the node to itself, and the table reports the node
// (NodeTable::ReferenceLoopNode). Evaluation never recurses on the stack, so
// long chains are safe too.
#include <QString>

#include <cstdint>

#include "element/NodeRecord.h"
#include "geometry/Coord.h"

class CElement;
class CInstance;
class COptions;
class DrawContext;
class FormulaTable;
class NodeTable;
class VariableList;

namespace platform {
class BinaryReader;
class BinaryWriter;
} // namespace platform

// The kinds of node; the numbers are the file values.
namespace NodeKind {
inline constexpr int Absolute = 600;     // stored position
inline constexpr int Offset = 601;       // reference 1 + (dx, dy)
inline constexpr int Polar = 602;        // reference 1 + distance at an angle (degrees)
inline constexpr int TwoDistances = 603; // at given distances from references 1 and 2
} // namespace NodeKind

class CNodePoint {
public:
    // Modes of Convert.
    enum ConvertMode : int { ToPlain = 1, DropRotation = 2, ToRotated = 3 };

    // An absolute node in use at (0, 0), no references, empty texts.
    CNodePoint();
    CNodePoint(FormulaTable* evaluator, NodeTable* table);
    CNodePoint(const CNodePoint& other);           // every field
    explicit CNodePoint(const CNodePoint* source); // a default node, then Assign(*source)
    CNodePoint& operator=(const CNodePoint&) = delete;
    ~CNodePoint();

    static CNodePoint* Create(FormulaTable* evaluator, NodeTable* table);
    // Back to the default state; evaluator and table are cleared too.
    void Init();
    // Copies position, cache, in-use flag, kind, references, name, formulas,
    // the separate-second-distance flag, evaluator and table; not the use
    // count, the visited flag or the highlight.
    void Assign(const CNodePoint& other);

    // --- kinds (reference indices from NodeTable::IndexOf) -----------------
    void MakeOffset(const CNodePoint* node, const QString& dx, const QString& dy);
    void MakePolar(const CNodePoint* node, const QString& distance, const QString& angle);
    void MakeEquidistant(const CNodePoint* node1, const CNodePoint* node2, const QString& distance);
    void MakeAtTwoDistances(const CNodePoint* node1, const CNodePoint* node2, const QString& distance1,
                            const QString& distance2);
    // Makes the node absolute at (x, y) mm. Without keepRotation a node with
    // rotation formulas takes (x, y) as its rotated position and stores the
    // point that its rotation turns there. False, and the node unchanged,
    // when the stored position would not be finite or not fit the int32
    // micrometre range.
    [[nodiscard]] bool SetPlain(double x, double y, bool keepRotation);

    // --- fields --------------------------------------------------------------
    QString GetDxFormula() const { return dxFormula; }
    QString GetDyFormula() const { return dyFormula; }
    QString GetDistanceFormula() const { return distanceFormula; }
    QString GetAngleFormula() const { return angleFormula; }
    QString GetRotationCenterXFormula() const { return rotationCenterXFormula; }
    QString GetRotationCenterYFormula() const { return rotationCenterYFormula; }
    QString GetRotationAngleFormula() const { return rotationAngleFormula; }
    void SetDxFormula(const QString& f);
    void SetDyFormula(const QString& f);
    void SetDistanceFormula(const QString& f);
    void SetAngleFormula(const QString& f);
    void SetRotationCenterXFormula(const QString& f);
    void SetRotationCenterYFormula(const QString& f);
    void SetRotationAngleFormula(const QString& f);
    void SetRotationFormulas(const QString& centerX, const QString& centerY, const QString& angle);
    void SetReference1(int index);
    void SetReference2(int index);
    int GetReference1() const { return reference1; }
    int GetReference2() const { return reference2; }
    int GetKind() const { return kind; }
    bool IsParametric() const { return kind != NodeKind::Absolute; }
    void SetEvaluator(FormulaTable* f);
    FormulaTable* GetEvaluator() const { return evaluator; }
    void SetTable(NodeTable* t);
    NodeTable* GetTable() const { return table; }
    const QString& GetName() const { return name; }
    void SetName(const QString& n) { name = n; }
    bool IsInUse() const { return inUse; }
    void SetInUse(bool use);
    bool IsHighlighted() const { return highlighted; }
    void SetHighlighted(bool h) { highlighted = h; }
    bool HasSeparateSecondDistance() const { return separateSecondDistance; }
    void SetSeparateSecondDistance(bool on);
    int GetUseCount() const { return useCount; }
    void SetUseCount(int n) { useCount = n; }
    bool IsCacheValid() const { return cacheValid; }
    void SetCacheValid(bool valid);
    bool IsVisited() const { return visited; }
    void SetVisited(bool v) { visited = v; }

    // Stored position in micrometres. The Move forms add; false, and the
    // coordinate unchanged, when the sum leaves the int32 range.
    int32_t GetStoredXUm() const { return x; }
    int32_t GetStoredYUm() const { return y; }
    void SetXUm(int32_t um);
    void SetYUm(int32_t um);
    [[nodiscard]] bool MoveXUm(int64_t um);
    [[nodiscard]] bool MoveYUm(int64_t um);

    // --- positions (mm unless named Um) --------------------------------------
    // Before rotation, by kind.
    double GetPlainX() const;
    double GetPlainY() const;
    // After rotation: what elements use.
    double GetX(bool noCacheUpdate = false);
    double GetY(bool noCacheUpdate = false);
    // Rotated position times 1000, truncated; held at the int32 limits.
    int32_t GetXUm();
    int32_t GetYUm();
    double DeltaX(CNodePoint& other);
    double DeltaY(CNodePoint& other);
    // From whole micrometres of both rotated positions.
    double DistanceTo(CNodePoint& other);
    double DistanceToXY(double px, double py);
    // Direction of (this − other) in [0, 2π).
    double AngleFrom(CNodePoint& other);
    double AngleFromPointUm(int32_t xUm, int32_t yUm);
    // AngleFrom(a) − AngleFrom(b); with wrap a negative result gets 2π added.
    double AngleBetween(CNodePoint& a, CNodePoint& b, bool wrap);
    // Within 0.002 in both coordinates.
    bool IsAt(double px, double py);
    // The rotated position, placed by the table's current placement, lies in
    // left ≤ X ≤ right and bottom ≤ Y ≤ top.
    bool IsInRect(double left, double top, double right, double bottom);
    double GetXInInstance(const CInstance* placement);
    double GetYInInstance(const CInstance* placement);
    // Any rotation formula is set and gives a non-zero value.
    bool IsRotated() const;

    // --- dependencies ---------------------------------------------------------
    // Adds 1 to this node's use count and to that of every node it is built
    // on, once per way of reaching it. A reference to the node itself, or
    // one that closes a loop, is not followed.
    void AddRef();
    // The caller clears every node's visited flag first
    // (NodeTable::NodeDependsOn does).
    bool DependsOn(const CNodePoint* node, bool recurse);

    // Elements revalidate themselves from their nodes; no element is
    // registered with a node, so these do nothing.
    void NotifyDependants() {}
    void ClearDependants() {}
    void AttachElement(CElement*) {}
    void DetachElement(CElement*) {}

    // Converts the node for the node conversion command (ConvertMode); the
    // use count goes up by 1 when the stored position or the kind changed.
    void Convert(int mode);

    // --- drawing --------------------------------------------------------------
    // The node's marker on the context's device: a triangle, or a square
    // (absolute), circle (parametric) or diamond (under a placement).
    void Draw(DrawContext* context, const COptions* options, bool triangle);
    void DrawMarker(const COptions* options, DrawContext* context) { Draw(context, options, false); }

    // --- file record ----------------------------------------------------------
    NodeRecord ToRecord() const;
    // Takes the record's fields; the cache becomes not valid.
    void FromRecord(const NodeRecord& record);
    void Save(platform::BinaryWriter& out) const;
    // Reads a record of the table's file version. False, and the node
    // unchanged, when the record is damaged.
    [[nodiscard]] bool Load(platform::BinaryReader& in, NodeTable* table);
    // A record of a file being merged: with mode 7603 the dx, dy, distance and
    // angle formulas follow the renames; references get the slot offset
    // added; false on a damaged record or a reference pushed out of range.
    [[nodiscard]] bool LoadAppended(platform::BinaryReader& in, NodeTable* table, int offset, int mode,
                                    VariableList& renames);

private:
    // The position with its rotation, from the cache while it is valid;
    // computing it fills the cache unless noCacheUpdate.
    die::coord CurrentPosition(bool noCacheUpdate);
    friend class NodeEvaluation;
    friend class NodeTable;

    // Assign without telling the table.
    void AssignFields(const CNodePoint& other);
    // A field that feeds the position changed: the table forgets the plain
    // positions it keeps.
    void Changed();
    // What GetX/GetY return may have changed: the table also drops its merge
    // grid.
    void PositionDropped();
    // Whether the node is in use may have changed as well: the table also
    // drops its list of free slots.
    void UsageDropped();
    // The rotation formulas the table gives loaded nodes, when it does.
    void TakeOriginRotation(const NodeTable& t);

    int32_t x = 0;
    int32_t y = 0;
    double cachedX = 0.0;
    double cachedY = 0.0;
    int32_t useCount = 0;
    bool cacheValid = false;
    bool inUse = true;
    bool visited = false;
    bool highlighted = false;
    bool separateSecondDistance = false;
    QString name;
    FormulaTable* evaluator = nullptr;
    NodeTable* table = nullptr;
    QString dxFormula;
    QString dyFormula;
    QString distanceFormula;
    QString angleFormula;
    QString rotationCenterXFormula;
    QString rotationCenterYFormula;
    QString rotationAngleFormula;
    int32_t reference1 = -1;
    int32_t reference2 = -1;
    int32_t kind = NodeKind::Absolute;

    // Plain position kept for one evaluation generation of the table.
    mutable double plainX = 0.0;
    mutable double plainY = 0.0;
    mutable uint64_t plainGeneration = 0;
    mutable bool evaluating = false;
};
