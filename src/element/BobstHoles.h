#pragma once
// The Bobst register-hole patterns: a fixed table of round holes about one
// node. CBobst ("EasySet SPO") has 102 holes of radius 4.6 on a 150 mm grid
// turned by -30 degrees, its table measured from 20 mm above the node;
// CBobstSP ("EasySet SP") has 35 holes of radius 2.8 measured from the node.
// The tables are the machines' data, kept exactly as given (one CBobst hole
// lies 5 mm beside its grid point). The counts of a new pattern are 0.
//
// File record: int32 type id (15 or 18), int32 node, then the common element
// record; the counts, the radius and the table are not stored.
#include "element/HolePattern.h"

#include <span>

class BobstHolePattern : public HolePattern {
public:
    // The holes' centres from the reference point, in table order.
    std::span<const die::coord> GetHoles() const { return holes; }
    double GetRadius() const { return radius; }
    // The point the table is measured from: the node moved by the class's
    // offset.
    die::coord GetReference() const;

    // Reads the record after its type id (the merge base added to the node
    // index). False on a damaged record (truncated, a missing node); the
    // element is then unchanged.
    [[nodiscard]] bool Load(platform::BinaryReader& in, int fileVersion, int nodeBase);

    void Save(platform::BinaryWriter& out) const override;
    void CopyFrom(const CElement& source, bool withNodes) override;
    void RebuildContour() override;

protected:
    BobstHolePattern(NodeTable* nodes, COptions* options, int context, std::span<const die::coord> table,
                     double holeRadius, die::coord referenceOffset);
    BobstHolePattern(const BobstHolePattern& source) = default;

private:
    std::span<const die::coord> holes;
    double radius;
    die::coord offset;
};

class CBobst : public BobstHolePattern {
public:
    CBobst(NodeTable* nodes, COptions* options, int context);
    CBobst(const CBobst& source) = default;
    int GetTypeId() const override { return ElementTypeId::Bobst; }
};

class CBobstSP : public BobstHolePattern {
public:
    CBobstSP(NodeTable* nodes, COptions* options, int context);
    CBobstSP(const CBobstSP& source) = default;
    int GetTypeId() const override { return ElementTypeId::BobstSP; }
};
