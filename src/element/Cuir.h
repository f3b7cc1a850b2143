#pragma once
// CCuir: the cuir hole, a fixed symbol on one node: a circle of radius r
// about the node with two straight wings of length w running outward from it
// in opposite directions along the angle a. Ctrl and the wheel turn it by
// 30° a notch, Shift and the wheel step its radius through the cuir radius
// series (21, 30, 40). It is drawn with the internal "cuir" line type.
//
// File record: int32 type id 8, int32 centre node, double angle (radians),
// double wing length, double radius, then the common element record.
#include "element/NodeSymbol.h"

class CCuir : public CNodeSymbol {
public:
    // The internal "cuir" line type of cuir holes and holders.
    static constexpr int kLineType = 126;

    CCuir(NodeTable* nodes, COptions* options, int context);
    CCuir(const CCuir& source);
    ~CCuir() override;

    double GetRadius() const { return radius; }
    double GetAngle() const { return angle; }
    double GetWingLength() const { return wingLength; }
    void SetRadius(double value);
    void SetAngle(double radians);
    void SetWingLength(double value);

    // Reads the element record after its type id (the merge base added to
    // the node index). False on a damaged record (truncated, a missing node,
    // a size that is not finite); the cuir is then unchanged.
    [[nodiscard]] bool Load(platform::BinaryReader& in, int fileVersion, int nodeBase);

    // The circle and the wings on the device (no placement applied).
    void Draw(DrawContext& dc) override;
    void Save(platform::BinaryWriter& out) const override;
    void CopyFrom(const CElement& source, bool withNodes) override;
    // Selected only: the node turns about (cx, cy), and the wings with it.
    void Rotate(NodeRemap& remap, double cx, double cy, double degrees) override;
    // A cuir keeps its place and size.
    void Scale(NodeRemap&, double, double, double, double) override {}
    // Selected only: the node and the wings' direction are reflected.
    void Mirror(NodeRemap& remap, double x1, double y1, double x2, double y2) override;
    void RebuildContour() override;
    // The circle's circumference and both wings: 2·(π·r + w).
    double GetFullLength() override;
    // Fits the symbol about the preview node into the rectangle and draws
    // it; without a preview node it draws nothing and returns 0.
    double DrawFitted(DrawContext& dc, const DeviceRect& rect) override;
    // Turns the wings by 30° per wheel notch (a notch is 120), kept in
    // [0, 2π); returns 0.
    double OnCtrlWheel(int delta, int x, int y) override;
    // Steps the radius up (forward) or down the series; returns the radius.
    double OnShiftWheel(int delta, int x, int y) override;
    int GetTypeId() const override { return ElementTypeId::Cuir; }
    QString GetScriptText() override;
    // "CenterPt", "Radius" and "WingLength" (group "Cuir"), then the common
    // parameters.
    void FillParameters() override;

private:
    double radius = 21.0;
    double angle = 0.0;
    double wingLength = 0.0;
};
