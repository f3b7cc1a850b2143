#pragma once
// The two symbols of fixed size that sit on one node with a side flag that
// mirrors their figure: CSeperationRule, the mark of a separating rule (its
// figure to the right of the node, or with the flag to the left), and
// CStripperWood, the mark of a stripper board (up from the node, or with
// the flag down). Shift and the wheel switch the side; turning, scaling and
// mirroring move the node only. They are drawn with
// the internal "wood_frame" line type; their extents are the node's.
//
// File record: int32 type id (17 separation rule, 19 stripper wood), int32
// node, int32 side (0 or 1), then the common element record.
#include "element/NodeSymbol.h"

class CSideSymbol : public CNodeSymbol {
public:
    // The internal "wood_frame" line type.
    static constexpr int kLineType = 122;

    ~CSideSymbol() override;

    int GetSide() const { return side; }
    void SetSide(bool flipped);

    // Reads the element record after its type id (the merge base added to
    // the node index); any side other than 0 reads as 1. False on a damaged
    // record (truncated, a missing node); the symbol is then unchanged.
    [[nodiscard]] bool Load(platform::BinaryReader& in, int fileVersion, int nodeBase);

    void Save(platform::BinaryWriter& out) const override;
    void CopyFrom(const CElement& source, bool withNodes) override;
    // Switches the side; returns 1 when the side is now 1, else 0.
    double OnShiftWheel(int delta, int x, int y) override;

protected:
    CSideSymbol(NodeTable* nodes, COptions* options, int context);
    explicit CSideSymbol(const CSideSymbol& source);

    // +1 for side 0, −1 for side 1.
    double Sign() const { return side ? -1.0 : 1.0; }
    // Opens the display list when it must be rebuilt and the node is there;
    // the node's position then comes back.
    std::optional<die::coord> BeginFigure();
    // A circle about the centre, starting and ending straight above it.
    void AddCircle(const die::coord& centre, double r);

    int side = 0;
};

class CSeperationRule : public CSideSymbol {
public:
    CSeperationRule(NodeTable* nodes, COptions* options, int context);
    CSeperationRule(const CSeperationRule& source);
    ~CSeperationRule() override;

    // A bar 30 by 2 open toward the node, two circles of radius 3 beside it
    // and two of radius 2.8 at 100 mm.
    void RebuildContour() override;
    int GetTypeId() const override { return ElementTypeId::SeperationRule; }
};

class CStripperWood : public CSideSymbol {
public:
    CStripperWood(NodeTable* nodes, COptions* options, int context);
    CStripperWood(const CStripperWood& source);
    ~CStripperWood() override;

    // Three rectangles 14 by 19 along the y axis through the node, with
    // small circles before, between and after them.
    void RebuildContour() override;
    int GetTypeId() const override { return ElementTypeId::StripperWood; }
};
