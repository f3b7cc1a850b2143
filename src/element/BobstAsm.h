#pragma once
// CBobstAsm: the hole of a Bobst assembly part ("Storage Spacer") at one
// node: a circle of the inner radius r1 with two opposite lobes of the outer
// radius r2, each spanning the opening angle about the directions rotation
// ± 90°, joined to the inner circle by four radial lines. The hole moves,
// turns and mirrors with its node (turning and mirroring turn the lobes
// too); scaling leaves it as it is. The Ctrl wheel turns it by 30° a notch.
//
// File record: int32 type id 13, int32 node, int32 kind, double opening
// angle, double inner radius, double outer radius, double rotation (radians),
// then the common element record. Read values are validated.
#include "element/NodeSymbol.h"

#include <array>

struct BobstAsmParams {
    // No radius beyond this (10 m): a larger one is no assembly hole.
    static constexpr double kMaxRadius = 10000.0;

    int kind = 2;              // 0 to 3; not used by the geometry
    double openingAngle = 0.0; // α, radians, 0 to π
    double innerRadius = 12.0; // r1, mm
    double outerRadius = 12.0; // r2, mm, at least r1
    double rotation = 0.0;     // radians, [0, 2π): where the inner arcs are centred

    // A kind outside 0 to 3 becomes 0; α is held to 0..π; r1 to 0..kMaxRadius;
    // r2 to r1..kMaxRadius; the rotation is brought into [0, 2π). A value
    // that is not a number becomes the lower end of its range.
    void Validate();
    // Kind 2, α 0, r1 = r2 = 12, the rotation kept; validated.
    void SetDefaults();
    // Kind 1, α 95°, r1 12, r2 19, the rotation kept; validated.
    void SetPreset1();

    bool operator==(const BobstAsmParams&) const = default;
};

class CBobstAsm : public CNodeSymbol {
public:
    // The line type the section gives a new hole ("bobst").
    static constexpr int kLineType = 127;

    // A plain circle of radius 12.
    CBobstAsm(NodeTable* nodes, COptions* options, int context);
    CBobstAsm(const CBobstAsm& source);
    ~CBobstAsm() override;

    const BobstAsmParams& GetParams() const { return params; }
    // Stores the record as given (callers validate it).
    void SetParams(const BobstAsmParams& p);

    // Reads the record after its type id (the merge base added to the node
    // index) and validates the values. False on a damaged record (truncated,
    // a missing node); the element is then unchanged.
    [[nodiscard]] bool Load(platform::BinaryReader& in, int fileVersion, int nodeBase);

    // The outline through the context's line and arc operations, about the
    // preview node while the element is a preview.
    void Draw(DrawContext& dc) override;
    void Save(platform::BinaryWriter& out) const override;
    void CopyFrom(const CElement& source, bool withNodes) override;
    void Rotate(NodeRemap& remap, double cx, double cy, double degrees) override;
    void Scale(NodeRemap&, double, double, double, double) override {}
    void Mirror(NodeRemap& remap, double x1, double y1, double x2, double y2) override;
    void RebuildContour() override;
    // The box of the outer radius about the node.
    double GetMinX(double current, bool init) override { return NodeExtent(current, init, 0, false, params.outerRadius); }
    double GetMinY(double current, bool init) override { return NodeExtent(current, init, 1, false, params.outerRadius); }
    double GetMaxX(double current, bool init) override { return NodeExtent(current, init, 0, true, params.outerRadius); }
    double GetMaxY(double current, bool init) override { return NodeExtent(current, init, 1, true, params.outerRadius); }
    // 4 (r2 - r1) + 2 α r2 + 2 (π - α) r1: the outline's length.
    double GetFullLength() override;
    // Fits the hole about the preview node into 90 % of the rectangle and
    // draws it; without a preview node nothing is drawn. Returns the scale.
    double DrawFitted(DrawContext& dc, const DeviceRect& rect) override;
    // Turns by 30° per whole notch (delta / 120 of the low 16 bits, signed);
    // returns 0.
    double OnCtrlWheel(int delta, int x, int y) override;
    // Returns r2 - r1; changes nothing.
    double OnShiftWheel(int, int, int) override { return params.outerRadius - params.innerRadius; }
    int GetTypeId() const override { return ElementTypeId::BobstAsm; }

    // The outline's corners about the centre: A1..A4 on r1 and B1..B4 on r2
    // at θ1 = ρ + (π - α)/2, θ2 = ρ + (π + α)/2, θ3 = θ1 + π, θ4 = θ2 + π.
    struct Corners {
        std::array<die::coord, 4> inner;
        std::array<die::coord, 4> outer;
    };
    static Corners CornersAbout(const die::coord& centre, const BobstAsmParams& p);

private:
    BobstAsmParams params;
};
