// Chamfers: the corner of two lines cut by a straight line, from two
// distances or from the values a user gives.
#include "section/Section.h"

#include "element/Line.h"
#include "element/NodeTable.h"
#include "geometry/EditLines.h"
#include "geometry/GeomBasics.h"
#include "geometry/GeomLinesCircles.h"
#include "section/ChamferDistances.h"
#include "section/UndoTransaction.h"
#include "support/Log.h"

#include <optional>

namespace {

constexpr int kTextChamfer = 385;
// Both distances below this join the lines at their corner.
constexpr double kSharp = 0.001;
// The shortest a cut line may become: its two ends never merge.
constexpr double kShortest = 2.0 * NodeTable::kMergeTolerance;

struct Segment {
    die::coord s;
    die::coord e;
};

// Two lines of the section, their corner and the end of each that stays.
struct Corner {
    int slot1 = -1;
    int slot2 = -1;
    Segment a;
    Segment b;
    die::coord p;
    bool keepStart1 = true;
    bool keepStart2 = true;
    die::coord kept1() const { return keepStart1 ? a.s : a.e; }
    die::coord kept2() const { return keepStart2 ? b.s : b.e; }
};

// The corner of two different, not parallel lines of the section; the ends
// that stay are chosen by the rule given.
template <typename KeepsStart>
std::optional<Corner> FindCorner(const Section& section, CElement* first, CElement* second, const die::coord& pick1,
                                 const die::coord& pick2, KeepsStart keepsStart)
{
    const auto* line1 = dynamic_cast<const CLine*>(first);
    const auto* line2 = dynamic_cast<const CLine*>(second);
    Corner c;
    c.slot1 = section.GetIdx(first);
    c.slot2 = section.GetIdx(second);
    if (line1 == nullptr || line2 == nullptr || first == second || c.slot1 < 0 || c.slot2 < 0)
        return std::nullopt;
    c.a = {section.Point(line1->GetStartNode()), section.Point(line1->GetEndNode())};
    c.b = {section.Point(line2->GetStartNode()), section.Point(line2->GetEndNode())};
    if (Geom::EditLinesParallel(c.a.s, c.a.e, c.b.s, c.b.e) ||
        Geom::SolveLineLine(c.a.s.x, c.a.s.y, c.a.e.x, c.a.e.y, c.b.s.x, c.b.s.y, c.b.e.x, c.b.e.y, c.p.x, c.p.y) ==
            0)
        return std::nullopt;
    c.keepStart1 = keepsStart(c.p, c.a.s, c.a.e, pick1);
    c.keepStart2 = keepsStart(c.p, c.b.s, c.b.e, pick2);
    return c;
}

die::coord Towards(const die::coord& from, const die::coord& to, double length)
{
    return from + (to - from).WithLength(length);
}

} // namespace

bool Section::DoChampfer(CElement* first, CElement* second, double x1, double y1, double x2, double y2,
                         double distance1, double distance2, UndoTransaction* tx)
{
    Log::TheLog().Write("Section::DoChampfer( CElement* ... )", Log::Section);
    if (!(distance1 >= 0.0) || !(distance2 >= 0.0))
        return false;
    const auto* line1 = dynamic_cast<const CLine*>(first);
    const auto* line2 = dynamic_cast<const CLine*>(second);
    if (line1 == nullptr || line2 == nullptr || first == second ||
        distance1 >= die::distance(Point(line1->GetStartNode()), Point(line1->GetEndNode())) ||
        distance2 >= die::distance(Point(line2->GetStartNode()), Point(line2->GetEndNode())))
        return false;
    const std::optional<Corner> c = FindCorner(*this, first, second, {x1, y1}, {x2, y2}, Geom::ChamferKeepsStart);
    if (!c)
        return false;
    const bool sharp = distance1 < kSharp || distance2 < kSharp;
    const double along1 = sharp ? 0.0 : distance1;
    const double along2 = sharp ? 0.0 : distance2;
    // A cut end at or beyond the kept end would turn the line round.
    if (along1 + kShortest > die::distance(c->p, c->kept1()) || along2 + kShortest > die::distance(c->p, c->kept2()))
        return false;
    const die::coord qa = Towards(c->p, c->kept1(), along1);
    const die::coord qb = Towards(c->p, c->kept2(), along2);
    if (!CanBeNodes({qa, qb}))
        return false;
    {
        UndoTransaction step = UndoTransaction::Join(tx, undo_, kTextChamfer, this);
        MoveLineEnd(c->slot1, !c->keepStart1, qa);
        MoveLineEnd(c->slot2, !c->keepStart2, qb);
        if (!sharp)
            (void)AddLine3(qa.x, qa.y, qb.x, qb.y, true, CurrentLineType());
        step.commit();
    }
    RefreshAllBridges();
    return true;
}

Section::ChamferOutcome Section::ChamferByValues(CElement* first, CElement* second, double x1, double y1, double x2,
                                                double y2, const ChamferValues& values, UndoTransaction* tx)
{
    const std::optional<Corner> c = FindCorner(*this, first, second, {x1, y1}, {x2, y2}, Geom::FilletKeepsStart);
    if (!c)
        return ChamferOutcome::Ignored;
    const die::coord to1 = c->kept1() - c->p;
    const die::coord to2 = c->kept2() - c->p;
    const double gamma = Geom::Ceil1000(
        Geom::AngleBetween(Geom::VectorAngle(to1.y, to1.x), Geom::VectorAngle(to2.y, to2.x)));
    for (const auto& [along1, along2] : ChamferAttempts(values, gamma)) {
        if (DoChampfer(first, second, x1, y1, x2, y2, along1, along2, tx))
            return ChamferOutcome::Made;
    }
    return ChamferOutcome::NoCombination;
}
