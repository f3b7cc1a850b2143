#pragma once
// CHolder: a fixed symbol on one node: an obround slot (two semicircular
// ends of diameter W joined by two straight sides) of overall length Lg,
// centred on the node and lying along x or, vertical, along y. Each straight
// side carries one gap of 2 mm, 10 mm from one end (the first end on the
// side +n, the second end on the side −n). Ctrl and the wheel swap the
// orientation, Shift and the wheel change the length in steps of 10, and a
// turn by 90° swaps it too; mirroring moves the node only. It is drawn with
// the internal "cuir" line type.
//
// The length always exceeds the width by more than 40: a length that would
// not is refused by the wheel, and a holder given one (created or read from
// a file) takes the default length W + 50.
//
// File record: int32 type id 14, int32 node, int32 vertical (0 or 1),
// double length, double width, then the common element record.
#include "element/NodeSymbol.h"

class CHolder : public CNodeSymbol {
public:
    // The length beyond the width below which a length is refused, and the
    // one a refused length gives.
    static constexpr double kMinExcess = 40.0;
    static constexpr double kDefaultExcess = 50.0;
    // The step of the Shift wheel.
    static constexpr double kLengthStep = 10.0;

    CHolder(NodeTable* nodes, COptions* options, int context);
    CHolder(const CHolder& source);
    ~CHolder() override;

    double GetLength() const { return length; }
    double GetWidth() const { return width; }
    bool IsVertical() const { return vertical != 0; }
    void SetVertical(bool on);
    // Stores the width, and the length when it exceeds the width by more
    // than kMinExcess; otherwise the length becomes width + kDefaultExcess.
    void SetSize(double newLength, double newWidth);

    // Reads the element record after its type id (the merge base added to
    // the node index); the size goes through SetSize. False on a damaged
    // record (truncated, a missing node, a size that is not finite); the
    // holder is then unchanged.
    [[nodiscard]] bool Load(platform::BinaryReader& in, int fileVersion, int nodeBase);

    void Save(platform::BinaryWriter& out) const override;
    void CopyFrom(const CElement& source, bool withNodes) override;
    // Selected only: the node turns about (cx, cy); a turn of 90° (within
    // 1°) also swaps the orientation.
    void Rotate(NodeRemap& remap, double cx, double cy, double degrees) override;
    // A holder keeps its place and size.
    void Scale(NodeRemap&, double, double, double, double) override {}
    void RebuildContour() override;
    // The slot's box: Lg by W about the node (W by Lg when vertical).
    double GetMinX(double current, bool init) override { return SlotExtent(current, init, 0, false); }
    double GetMinY(double current, bool init) override { return SlotExtent(current, init, 1, false); }
    double GetMaxX(double current, bool init) override { return SlotExtent(current, init, 0, true); }
    double GetMaxY(double current, bool init) override { return SlotExtent(current, init, 1, true); }
    // Both straight sides and both ends: 2·(Lg − W) + π·W.
    double GetFullLength() override;
    // Swaps the orientation; returns 0.
    double OnCtrlWheel(int delta, int x, int y) override;
    // Lg + 10 forward, Lg − 10 backward, taken only when it still exceeds
    // W + 40; returns the length before the call.
    double OnShiftWheel(int delta, int x, int y) override;
    int GetTypeId() const override { return ElementTypeId::Holder; }

private:
    double SlotExtent(double current, bool init, int axis, bool largest);

    double width = 20.0;
    int vertical = 0;
    double length = 20.0 + kDefaultExcess;
};
