#include "element/Martin.h"

#include "element/ElementRecords.h"
#include "display/DisplayList.h"
#include "options/Options.h"
#include "platform/BinaryStream.h"

#include <cmath>

namespace {

constexpr double kPositioningPitch = 175.0; // mm between positioning rows
constexpr double kScrewedPitch = 100.0;     // mm between screwed rows
constexpr double kScrewedRowsPerCount = 1.75;

// A stored count: finite and within the limit, then truncated.
std::optional<int> CountOf(double stored)
{
    if (!std::isfinite(stored) || std::abs(stored) > HolePattern::kMaxCount)
        return std::nullopt;
    return static_cast<int>(stored);
}

} // namespace

CMartin::CMartin(NodeTable* nodes, COptions* opts, int contextWord)
    : HolePattern(nodes, opts, contextWord),
      sizes(opts ? MartinHoleSizes::Read(opts->GetSettings()) : MartinHoleSizes{})
{
    horizontal = kDefaultHorizontalCount;
}

CMartin::CMartin(const CMartin& source) = default;

CMartin::~CMartin() = default;

void CMartin::Save(platform::BinaryWriter& out) const
{
    out.writeInt32(ElementTypeId::Martin);
    WriteElementRecord(out, MartinRecord{node, static_cast<double>(horizontal), static_cast<double>(vertical)});
    SaveBase(out);
}

bool CMartin::Load(platform::BinaryReader& in, int fileVersion, int nodeBase)
{
    const auto r = ReadElementRecord<MartinRecord>(in, fileVersion);
    if (!r)
        return false;
    const int at = CheckNode(in, r->node, nodeBase, "Martin holes");
    if (!in.ok())
        return false;
    const std::optional<int> h = CountOf(r->horizontal);
    const std::optional<int> v = CountOf(r->vertical);
    if (!h || !v) {
        in.fail(QStringLiteral("Martin hole count out of range"));
        return false;
    }
    if (!LoadBase(in, fileVersion))
        return false;
    SetNode(at);
    SetCounts(*h, *v);
    return true;
}

void CMartin::CopyFrom(const CElement& source, bool withNodes)
{
    const auto* martin = dynamic_cast<const CMartin*>(&source);
    if (withNodes && martin) {
        CopyNodeAndCounts(*martin);
        sizes = martin->sizes;
    }
    AssignMainValues(source);
}

void CMartin::AddSlot(const die::coord& c, double length, double radius)
{
    const double half = length / 2.0;
    displayList->AddLine({c.x + half, c.y - radius}, {c.x - half, c.y - radius});
    displayList->AddLine({c.x + half, c.y + radius}, {c.x - half, c.y + radius});
    displayList->AddArc({c.x - half, c.y}, {c.x - half, c.y - radius}, {c.x - half, c.y + radius});
    displayList->AddArc({c.x + half, c.y}, {c.x + half, c.y + radius}, {c.x + half, c.y - radius});
}

void CMartin::RebuildContour()
{
    if (!displayDirty)
        return;
    const die::coord p = GetNodePoint(node);
    BeginContour();
    for (int i = 1; i < vertical; ++i) {
        const double x = p.x - i * sizes.positioningStep + sizes.positioningOffset;
        for (int j = 1; j < horizontal; j += 2) {
            AddSlot({x, p.y + kPositioningPitch * j}, sizes.positioningLength, sizes.positioningRadius);
            AddSlot({x, p.y - kPositioningPitch * j}, sizes.positioningLength, sizes.positioningRadius);
        }
    }
    for (int i = 1; i < vertical; ++i) {
        const double x = p.x - i * sizes.screwedStep + sizes.screwedOffset;
        for (int j = 0; j < kScrewedRowsPerCount * horizontal; ++j) {
            AddSlot({x, p.y - kScrewedPitch * j}, sizes.screwedLength, sizes.screwedRadius);
            if (j >= 1)
                AddSlot({x, p.y + kScrewedPitch * j}, sizes.screwedLength, sizes.screwedRadius);
        }
    }
    FinishContour();
}
