#include "element/NodeTable.h"

#include "element/Micrometres.h"
#include "element/NodeMergeIndex.h"
#include "element/NodeUndo.h"
#include "geometry/Instance.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

NodeTable::NodeTable(CMorvekDoc* doc) : owner(doc), mergeIndex(std::make_unique<NodeMergeIndex>())
{
    Reset(-1);
}

NodeTable::~NodeTable() = default;

void NodeTable::SetEvaluator(FormulaTable* f)
{
    evaluator = f;
    PositionsChanged();
}

void NodeTable::SetOriginIndex(const int* index)
{
    originIndex = index;
    PositionsChanged();
}

void NodeTable::SetOriginRotation(const QString& centerX, const QString& centerY, const QString& angle)
{
    originRotationCenterX = centerX;
    originRotationCenterY = centerY;
    originRotationAngle = angle;
}

void NodeTable::OriginRotation(QString& centerX, QString& centerY, QString& angle) const
{
    centerX = originRotationCenterX;
    centerY = originRotationCenterY;
    angle = originRotationAngle;
}

void NodeTable::SetCaching(bool on)
{
    caching = on;
    PositionsChanged();
}

uint64_t NodeTable::BeginEvaluation()
{
    if (!caching)
        ++generation;
    return generation;
}

void NodeTable::PositionsChanged()
{
    ++generation;
    gridValid = false;
}

void NodeTable::UsageChanged()
{
    PositionsChanged();
    freeValid = false;
}

void NodeTable::ReportReferenceLoop(const CNodePoint* node)
{
    if (loopNode < 0)
        loopNode = IndexOf(node);
}

// --- slots -------------------------------------------------------------------

void NodeTable::Reset(int n)
{
    Q_ASSERT(n <= kMaxNodeSlots);
    slotNodes.clear();
    slotNodes.resize(static_cast<size_t>(n < 0 ? kGrowBy : n));
    loopNode = -1;
    UsageChanged();
}

CNodePoint* NodeTable::GetNode(int i) const
{
    Q_ASSERT(i >= 0 && i < GetCount());
    if (i < 0 || i >= GetCount())
        return nullptr;
    return slotNodes[static_cast<size_t>(i)].get();
}

int NodeTable::IndexOf(const CNodePoint* node) const
{
    if (node == nullptr)
        return -1;
    for (int i = GetCount() - 1; i >= 0; --i) {
        if (slotNodes[static_cast<size_t>(i)].get() == node)
            return i;
    }
    return -1;
}

std::unique_ptr<CNodePoint> NodeTable::MadeFrom(const CNodePoint& node)
{
    auto made = std::make_unique<CNodePoint>();
    made->AssignFields(node);
    return made;
}

bool NodeTable::StepOpen() const
{
    return undo != nullptr && undo->HasOpenStep();
}

void NodeTable::Record(std::unique_ptr<CNodePoint> old, CNodePoint* now, int index, int operation)
{
    // Without an open step nobody takes the old node: it goes here.
    if (StepOpen())
        undo->AddNodeItem(std::move(old), now, index, static_cast<NodeUndoRecorder::Operation>(operation));
}

void NodeTable::Reindex(int i)
{
    ++generation;
    const CNodePoint* n = slotNodes[static_cast<size_t>(i)].get();
    const bool used = n != nullptr && n->IsInUse();
    if (freeValid && !used && i < freeHint)
        freeHint = i;
    if (gridValid) {
        mergeIndex->Erase(i);
        if (used) {
            CNodePoint& node = *slotNodes[static_cast<size_t>(i)];
            mergeIndex->Insert(i, node.GetX(), node.GetY());
        }
    }
}

// Free slots are found when asked, from the lowest one that may be free:
// no list of them is kept, so a table declared with millions of empty slots
// costs nothing until a node is added, and then finds slot 0 at once.
void NodeTable::EnsureFreeList()
{
    if (freeValid)
        return;
    freeHint = 0;
    freeValid = true;
}

bool NodeTable::EnsureGrid()
{
    // Without caching a node's position is computed afresh at every query,
    // so no grid can hold it.
    if (!caching)
        return false;
    if (gridValid)
        return true;
    mergeIndex->Clear();
    for (int i = 0; i < GetCount(); ++i) {
        CNodePoint* n = slotNodes[static_cast<size_t>(i)].get();
        if (n != nullptr && n->IsInUse())
            mergeIndex->Insert(i, n->GetX(), n->GetY());
    }
    gridValid = true;
    return true;
}

void NodeTable::PlaceNode(int i, std::unique_ptr<CNodePoint> node)
{
    slotNodes[static_cast<size_t>(i)] = std::move(node);
    Reindex(i);
}

void NodeTable::ReplaceNode(int i, std::unique_ptr<CNodePoint> node)
{
    CNodePoint* now = node.get();
    std::unique_ptr<CNodePoint> old = std::move(slotNodes[static_cast<size_t>(i)]);
    PlaceNode(i, std::move(node));
    Record(std::move(old), now, i, NodeUndoRecorder::Replaced);
}

int NodeTable::FirstFreeSlot()
{
    EnsureFreeList();
    // Every slot below the hint is in use; the hint only moves up past
    // slots that fill, so the scans of a growing drawing cost its size once.
    for (int i = freeHint; i < GetCount(); ++i) {
        const CNodePoint* n = slotNodes[static_cast<size_t>(i)].get();
        if (n == nullptr || !n->IsInUse()) {
            freeHint = i;
            return i;
        }
    }
    freeHint = GetCount();
    return -1;
}

void NodeTable::Grow(int by)
{
    slotNodes.resize(static_cast<size_t>(GetCount() + by)); // the new slots lie above the hint
}

// --- adding, removing, changing -----------------------------------------------

bool NodeTable::NodesCoincide(CNodePoint& a, CNodePoint& b)
{
    return PositionsMerge(die::coord(a.GetX(), a.GetY()), die::coord(b.GetX(), b.GetY()));
}

bool NodeTable::PositionsMerge(const die::coord& a, const die::coord& b)
{
    return std::fabs(a.x - b.x) <= kMergeTolerance && std::fabs(a.y - b.y) <= kMergeTolerance;
}

int NodeTable::MergeCandidate(CNodePoint& node)
{
    const int origin = GetOriginIndex();
    auto candidate = [&](int i) {
        CNodePoint* n = slotNodes[static_cast<size_t>(i)].get();
        return i != origin && n != nullptr && n->IsInUse() && NodesCoincide(*n, node);
    };
    if (!EnsureGrid()) {
        for (int i = 0; i < GetCount(); ++i) {
            if (candidate(i))
                return i;
        }
        return -1;
    }
    int best = -1;
    mergeIndex->ForEachNear(node.GetX(), node.GetY(), [&](int i) {
        if ((best < 0 || i < best) && candidate(i))
            best = i;
    });
    return best;
}

std::unique_ptr<CNodePoint> NodeTable::Adopted(const CNodePoint& node, bool merge, int& found)
{
    auto copy = std::make_unique<CNodePoint>(node);
    copy->evaluator = evaluator;
    copy->table = this;
    copy->inUse = true;
    found = merge ? MergeCandidate(*copy) : -1;
    return copy;
}

int NodeTable::AddAdopted(std::unique_ptr<CNodePoint> node)
{
    int slot = FirstFreeSlot();
    if (slot < 0) {
        slot = GetCount();
        Grow(kGrowBy);
    }
    CNodePoint* placed = node.get();
    PlaceNode(slot, std::move(node));
    Record(nullptr, placed, slot, NodeUndoRecorder::Added);
    return slot;
}

int NodeTable::AddNode(const CNodePoint& node, bool merge)
{
    int found = -1;
    auto copy = Adopted(node, merge, found);
    return found >= 0 ? found : AddAdopted(std::move(copy));
}

namespace {

// "%4f;%4f" as platform::cformat writes it (fixed, six decimals; the width
// never pads a number that long), without parsing the format each time.
QString PointName(double x, double y)
{
    std::array<char, 720> buf{};
    char* const end = buf.data() + buf.size();
    char* p = std::to_chars(buf.data(), end, x, std::chars_format::fixed, 6).ptr;
    *p++ = ';';
    p = std::to_chars(p, end, y, std::chars_format::fixed, 6).ptr;
    return QString::fromLatin1(buf.data(), p - buf.data());
}

} // namespace

int NodeTable::AddPoint(double x, double y, bool merge)
{
    const auto ux = nodeunits::ToMicrometres(x);
    const auto uy = nodeunits::ToMicrometres(y);
    if (!ux || !uy)
        return -1;
    CNodePoint point;
    point.x = *ux;
    point.y = *uy;
    int found = -1;
    auto copy = Adopted(point, merge, found);
    if (found >= 0)
        return found;
    copy->name = PointName(x, y); // only a node that is made needs its name
    return AddAdopted(std::move(copy));
}

void NodeTable::RemoveNode(int i)
{
    if (i < 0 || i >= GetCount() || !slotNodes[static_cast<size_t>(i)])
        return;
    std::unique_ptr<CNodePoint> old = std::move(slotNodes[static_cast<size_t>(i)]);
    Reindex(i);
    Record(std::move(old), nullptr, i, NodeUndoRecorder::Removed);
}

std::unique_ptr<CNodePoint> NodeTable::ExchangeSlot(int i, std::unique_ptr<CNodePoint> node)
{
    Q_ASSERT(i >= 0 && i < kMaxNodeSlots);
    if (i >= GetCount())
        Grow(i + 1 - GetCount());
    std::unique_ptr<CNodePoint> old = std::move(slotNodes[static_cast<size_t>(i)]);
    PlaceNode(i, std::move(node));
    return old;
}

void NodeTable::ReplaceReference(int a, int b)
{
    const bool recording = StepOpen();
    for (int i = 0; i < GetCount(); ++i) {
        CNodePoint* n = slotNodes[static_cast<size_t>(i)].get();
        if (n == nullptr || (n->reference1 != a && n->reference2 != a))
            continue;
        if (recording) {
            auto changed = MadeFrom(*n);
            if (changed->reference1 == a)
                changed->reference1 = b;
            if (changed->reference2 == a)
                changed->reference2 = b;
            ReplaceNode(i, std::move(changed));
        } else {
            if (n->reference1 == a)
                n->reference1 = b;
            if (n->reference2 == a)
                n->reference2 = b;
            ++generation;
        }
    }
}

bool NodeTable::PlaceNodeAt(int i, double x, double y)
{
    const CNodePoint* n = GetNode(i);
    if (n == nullptr)
        return false;
    auto placed = MadeFrom(*n);
    if (!placed->SetPlain(x, y, true))
        return false;
    placed->SetRotationFormulas(QString(), QString(), QString());
    ReplaceNode(i, std::move(placed));
    return true;
}

int NodeTable::MoveNode(int i, std::vector<int>& remap, double dx, double dy, bool allowParametric)
{
    Q_ASSERT(i >= 0 && i < static_cast<int>(remap.size()));
    return MoveNode(i, &remap[static_cast<size_t>(i)], dx, dy, allowParametric);
}

int NodeTable::MoveNode(int i, int* remapEntry, double dx, double dy, bool allowParametric)
{
    CNodePoint* n = GetNode(i);
    if (n == nullptr)
        return i;
    if (*remapEntry >= 0)
        return *remapEntry;
    if (n->IsParametric()) {
        if (!allowParametric)
            return i;
        if (*remapEntry != kMoveInPlace)
            return SplitOff(i, *n, remapEntry, dx, dy); // the node stays as it is for the others
        // Freeze it where it is, keeping its rotation.
        auto frozen = MadeFrom(*n);
        if (!frozen->SetPlain(n->GetX(), n->GetY(), false))
            return i;
        ReplaceNode(i, std::move(frozen));
        n = GetNode(i);
    }
    if (*remapEntry == kMoveInPlace) {
        const auto ddx = nodeunits::ToMicrometres(dx);
        const auto ddy = nodeunits::ToMicrometres(dy);
        const auto nx = ddx ? nodeunits::AddMicrometres(n->x, *ddx) : std::nullopt;
        const auto ny = ddy ? nodeunits::AddMicrometres(n->y, *ddy) : std::nullopt;
        if (!nx || !ny)
            return i;
        auto moved = MadeFrom(*n);
        moved->x = *nx;
        moved->y = *ny;
        ReplaceNode(i, std::move(moved));
        *remapEntry = i;
        return i;
    }
    return SplitOff(i, *n, remapEntry, dx, dy);
}

int NodeTable::SplitOff(int i, CNodePoint& node, int* remapEntry, double dx, double dy)
{
    // A new absolute node for the edited elements; the old one stays, with
    // its formulas, for the others.
    const int made = AddPoint(node.GetX() + dx, node.GetY() + dy, false);
    if (made < 0)
        return i;
    *remapEntry = made;
    return made;
}

void NodeTable::ConvertAll(int mode)
{
    if (mode < CNodePoint::ToPlain || mode > CNodePoint::ToRotated)
        return;
    const int count = GetCount();
    std::vector<std::unique_ptr<CNodePoint>> kept(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        auto& slot = slotNodes[static_cast<size_t>(i)];
        if (!slot)
            continue;
        kept[static_cast<size_t>(i)] = std::move(slot);
        slot = std::make_unique<CNodePoint>(*kept[static_cast<size_t>(i)]);
        slot->useCount = 0;
    }
    PositionsChanged();
    auto pass = [&](int m) {
        for (auto& slot : slotNodes) {
            if (slot)
                slot->cacheValid = false;
        }
        PositionsChanged();
        for (auto& slot : slotNodes) {
            if (!slot)
                continue;
            const bool rotated = !slot->rotationCenterXFormula.isEmpty() || !slot->rotationCenterYFormula.isEmpty()
                                 || !slot->rotationAngleFormula.isEmpty();
            slot->Convert(m);
            // Dropping the rotation leaves the stored position alone; it
            // still changes the node.
            if (m == CNodePoint::DropRotation && rotated)
                slot->useCount = std::max(slot->useCount, 1);
        }
    };
    if (mode == CNodePoint::DropRotation) {
        pass(CNodePoint::DropRotation);
    } else {
        pass(CNodePoint::ToPlain);
        if (mode == CNodePoint::ToRotated)
            pass(CNodePoint::ToRotated);
    }
    for (int i = 0; i < count; ++i) {
        auto& slot = slotNodes[static_cast<size_t>(i)];
        if (!slot)
            continue;
        if (slot->useCount < 1)
            slot = std::move(kept[static_cast<size_t>(i)]);
        else
            Record(std::move(kept[static_cast<size_t>(i)]), slot.get(), i, NodeUndoRecorder::Replaced);
    }
    UsageChanged();
}

int NodeTable::SetCacheValid(bool valid)
{
    for (auto& slot : slotNodes) {
        if (slot)
            slot->cacheValid = valid;
    }
    if (!valid)
        loopNode = -1;
    PositionsChanged();
    return GetCount();
}

// --- queries ----------------------------------------------------------------------

bool NodeTable::AnyNodeRotated() const
{
    for (const auto& slot : slotNodes) {
        if (slot && slot->IsRotated())
            return true;
    }
    return false;
}

bool NodeTable::NodeDependsOn(int i, int j)
{
    if (i < 0 || i >= GetCount())
        return true;
    for (auto& slot : slotNodes) {
        if (slot)
            slot->visited = false;
    }
    CNodePoint* a = GetNode(i);
    CNodePoint* b = j >= 0 && j < GetCount() ? GetNode(j) : nullptr;
    if (a == nullptr || b == nullptr)
        return false;
    return a->DependsOn(b, true);
}

double NodeTable::Extent(bool ofY, bool largest)
{
    bool any = false;
    int32_t best = 0;
    for (auto& slot : slotNodes) {
        if (!slot || !slot->IsInUse())
            continue;
        const int32_t v = ofY ? slot->GetYUm() : slot->GetXUm();
        if (!any || (largest ? v > best : v < best))
            best = v;
        any = true;
    }
    return any ? static_cast<double>(best / 1000) : 0.0;
}

double NodeTable::GetMinX() { return Extent(false, false); }
double NodeTable::GetMinY() { return Extent(true, false); }
double NodeTable::GetMaxX() { return Extent(false, true); }
double NodeTable::GetMaxY() { return Extent(true, true); }

int NodeTable::FindNodeNear(CNodePoint& node, double scale, int after)
{
    const double r = pickTolerance / scale;
    const die::coord p(node.GetX(), node.GetY());
    const CInstance placement = pickPlacement ? *pickPlacement : CInstance(true);
    for (int i = after < -1 ? 0 : after + 1; i < GetCount(); ++i) {
        CNodePoint* n = slotNodes[static_cast<size_t>(i)].get();
        if (n == nullptr || !n->IsInUse())
            continue;
        const die::coord q = placement.Transform({n->GetX(), n->GetY()});
        if ((q - p).LengthSquared() < r * r)
            return i;
    }
    return -1;
}

int NodeTable::FindNodeNearInInstances(CNodePoint& node, double scale, int after, const CInstance* const* placements,
                                       int count, int& which)
{
    which = 0;
    for (int k = 0; k < count; ++k) {
        if (placements[k] == nullptr)
            continue;
        pickPlacement = placements[k];
        const int found = FindNodeNear(node, scale, after);
        if (found >= 0) {
            which = k;
            return found;
        }
    }
    return -1;
}
