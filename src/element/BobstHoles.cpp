#include "element/BobstHoles.h"

#include "element/ElementRecords.h"
#include "platform/BinaryStream.h"

#include <array>

namespace {

// CBobst: grid indices (A, B) give (109.8, 67.6) + 150·A·(cos 30°, -sin 30°)
// + 150·B·(sin 30°, cos 30°), rounded to 0.1 mm; rows B = -3 to 9, each from
// its highest A down. The 21st hole, (A, B) = (-8, 0), is the machine's own
// at (-924.4, 667.6), not the grid point (-929.4, 667.6).
constexpr std::array<die::coord, 102> kBobstHoles{{
    {-894.6, 127.9}, {-559.8, 107.8}, {-689.7, 182.8}, {-819.6, 257.8}, {-949.5, 332.8},
    {-225.0, 87.7}, {-354.9, 162.7}, {-484.8, 237.7}, {-614.7, 312.7}, {-744.6, 387.7},
    {-874.5, 462.7}, {-1004.4, 537.7}, {109.8, 67.6}, {-20.1, 142.6}, {-150.0, 217.6},
    {-279.9, 292.6}, {-409.8, 367.6}, {-539.7, 442.6}, {-669.6, 517.6}, {-799.5, 592.6},
    {-924.4, 667.6}, {444.6, 47.5}, {314.7, 122.5}, {184.8, 197.5}, {54.9, 272.5},
    {-75.0, 347.5}, {-204.9, 422.5}, {-334.8, 497.5}, {-464.7, 572.5}, {-594.6, 647.5},
    {-724.5, 722.5}, {-854.4, 797.5}, {-984.3, 872.5}, {649.5, 102.4}, {519.6, 177.4},
    {389.7, 252.4}, {259.8, 327.4}, {129.9, 402.4}, {0.0, 477.4}, {-129.9, 552.4},
    {-259.8, 627.4}, {-389.7, 702.4}, {-519.6, 777.4}, {-649.5, 852.4}, {-779.4, 927.4},
    {-909.3, 1002.4}, {854.4, 157.3}, {724.5, 232.3}, {594.6, 307.3}, {464.7, 382.3},
    {334.8, 457.3}, {204.9, 532.3}, {75.0, 607.3}, {-54.9, 682.3}, {-184.8, 757.3},
    {-314.7, 832.3}, {-444.6, 907.3}, {-574.5, 982.3}, {-704.4, 1057.3}, {-834.3, 1132.3},
    {929.4, 287.2}, {799.5, 362.2}, {669.6, 437.2}, {539.7, 512.2}, {409.8, 587.2},
    {279.9, 662.2}, {150.0, 737.2}, {20.1, 812.2}, {-109.8, 887.2}, {-239.7, 962.2},
    {-369.6, 1037.2}, {-499.5, 1112.2}, {-629.4, 1187.2}, {874.5, 492.1}, {744.6, 567.1},
    {614.7, 642.1}, {484.8, 717.1}, {354.9, 792.1}, {225.0, 867.1}, {95.1, 942.1},
    {-34.8, 1017.1}, {-164.7, 1092.1}, {-294.6, 1167.1}, {949.5, 622.0}, {819.6, 697.0},
    {689.7, 772.0}, {559.8, 847.0}, {429.9, 922.0}, {300.0, 997.0}, {170.1, 1072.0},
    {40.2, 1147.0}, {894.6, 826.9}, {764.7, 901.9}, {634.8, 976.9}, {504.9, 1051.9},
    {375.0, 1126.9}, {245.1, 1201.9}, {969.6, 956.8}, {839.7, 1031.8}, {709.8, 1106.8},
    {579.9, 1181.8}, {914.7, 1161.7},
}};

constexpr std::array<die::coord, 35> kBobstSPHoles{{
    {0.0, 35.0},     {343.0, 35.0},   {-343.0, 35.0},  {-166.6, 196.3}, {-269.0, 223.8},
    {270.7, 189.0},  {168.2, 216.4},  {65.8, 243.9},   {-36.7, 271.3},  {-139.1, 298.8},
    {-241.6, 326.2}, {-344.0, 353.7}, {-446.5, 381.1}, {298.1, 291.4},  {195.7, 318.9},
    {93.2, 346.3},   {-9.2, 373.8},   {-111.7, 401.2}, {-214.1, 428.7}, {-316.6, 456.1},
    {325.6, 393.9},  {223.1, 421.3},  {120.7, 448.8},  {18.2, 476.2},   {-84.2, 503.7},
    {-186.7, 531.1}, {-289.1, 558.6}, {455.5, 468.9},  {353.0, 496.3},  {250.6, 523.8},
    {148.1, 551.2},  {45.7, 578.7},   {-364.1, 688.5}, {73.1, 681.1},   {407.9, 701.2},
}};

constexpr double kBobstRadius = 4.6;
constexpr double kBobstSPRadius = 2.8;
constexpr die::coord kBobstReference{0.0, 20.0};

} // namespace

BobstHolePattern::BobstHolePattern(NodeTable* nodes, COptions* opts, int contextWord,
                                   std::span<const die::coord> table, double holeRadius, die::coord referenceOffset)
    : HolePattern(nodes, opts, contextWord), holes(table), radius(holeRadius), offset(referenceOffset)
{
}

die::coord BobstHolePattern::GetReference() const
{
    return GetNodePoint(node) + offset;
}

void BobstHolePattern::Save(platform::BinaryWriter& out) const
{
    out.writeInt32(GetTypeId());
    WriteElementRecord(out, HolePatternRecord{node});
    SaveBase(out);
}

bool BobstHolePattern::Load(platform::BinaryReader& in, int fileVersion, int nodeBase)
{
    const auto r = ReadElementRecord<HolePatternRecord>(in, fileVersion);
    if (!r)
        return false;
    const int at = CheckNode(in, r->node, nodeBase, "Bobst hole pattern");
    if (!in.ok() || !LoadBase(in, fileVersion))
        return false;
    SetNode(at);
    return true;
}

void BobstHolePattern::CopyFrom(const CElement& source, bool withNodes)
{
    const auto* pattern = dynamic_cast<const BobstHolePattern*>(&source);
    if (withNodes && pattern && pattern->GetTypeId() == GetTypeId())
        CopyNodeAndCounts(*pattern);
    AssignMainValues(source);
}

void BobstHolePattern::RebuildContour()
{
    if (displayDirty)
        BuildCircles(GetReference(), holes, radius);
}

CBobst::CBobst(NodeTable* nodes, COptions* opts, int contextWord)
    : BobstHolePattern(nodes, opts, contextWord, kBobstHoles, kBobstRadius, kBobstReference)
{
}

CBobstSP::CBobstSP(NodeTable* nodes, COptions* opts, int contextWord)
    : BobstHolePattern(nodes, opts, contextWord, kBobstSPHoles, kBobstSPRadius, {0.0, 0.0})
{
}
