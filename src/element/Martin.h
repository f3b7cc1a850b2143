#pragma once
// CMartin: the hole pattern that registers a die on a Martin die-cutting
// machine. Columns 1 to vertical count - 1 run to the left of the node; in
// each, slot-shaped positioning holes at odd multiples of 175 mm above and
// below the node (below the horizontal count) and screwed slots every 100 mm
// (while below 1.75 times the horizontal count). The sizes come from the
// settings (MartinHoleSizes) when the element is made; a new pattern has
// the horizontal count 2 until its creator sets another.
//
// File record: int32 type id 16, int32 node, double horizontal count,
// double vertical count, then the common element record. The sizes are not
// stored: a read element takes them from the settings like a new one.
#include "element/HolePattern.h"
#include "element/MartinHoleSizes.h"

class CMartin : public HolePattern {
public:
    static constexpr int kDefaultHorizontalCount = 2;

    // The sizes from the options' settings (the factory values without
    // options).
    CMartin(NodeTable* nodes, COptions* options, int context);
    CMartin(const CMartin& source);
    ~CMartin() override;

    const MartinHoleSizes& GetSizes() const { return sizes; }

    // Reads the record after its type id (the merge base added to the node
    // index): the horizontal count is taken when above 0, the vertical count
    // always. False on a damaged record (truncated, a missing node, a count
    // that is not finite or beyond kMaxCount); the element is then unchanged.
    [[nodiscard]] bool Load(platform::BinaryReader& in, int fileVersion, int nodeBase);

    void Save(platform::BinaryWriter& out) const override;
    void CopyFrom(const CElement& source, bool withNodes) override;
    void RebuildContour() override;
    int GetTypeId() const override { return ElementTypeId::Martin; }

private:
    // A slot along x centred at c: straight length, radius.
    void AddSlot(const die::coord& c, double length, double radius);

    MartinHoleSizes sizes;
};
