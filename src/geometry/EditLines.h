#pragma once
// The conventions the editing operations (fillet, chamfer, extend,
// intersection, angle bisector) share for two picked lines: their slopes,
// when they count as parallel, and which end of a picked line stays.
//
// Which end stays is decided from the corner (where the two infinite lines
// meet): the directions from the corner to the ends are compared with the
// direction to the pick point, angles rounded up to 1/1000 rad. The
// directions to the ends are taken from the corner rounded toward zero to
// whole micrometres, as a node there would stand.
#include "geometry/Coord.h"

namespace Geom {

// Δy / Δx from s to e, a Δx of exactly 0 counting as 0.001.
double EditSlope(const die::coord& s, const die::coord& e);

// The lines count as parallel when their slopes differ by at most 0.003, or
// when their slopes against the y axis (Δx / Δy, a Δy of exactly 0 counting
// as 0.001) do, so steep lines are judged like flat ones.
bool EditLinesParallel(const die::coord& s1, const die::coord& e1, const die::coord& s2, const die::coord& e2);

// ceil(a · 1000) / 1000.
double Ceil1000(double a);

// The fillet's rule: the end that lies towards the pick point, seen from the
// corner, stays. With the distances dS, dE from the corner to the start and
// the end and aS, aE the rounded angles between the pick direction and the
// directions to them: when dS ≥ dE the start stays if aS ≤ π/4, else the end
// if aE ≤ π/4, else the start; when dS < dE the end stays if aE ≤ π/4, else
// the start. True when the start stays.
bool FilletKeepsStart(const die::coord& corner, const die::coord& s, const die::coord& e, const die::coord& pick);

// The chamfer's rule: the end whose direction is nearer to the pick
// direction stays; on a tie the farther one (the start when both are as far).
// True when the start stays.
bool ChamferKeepsStart(const die::coord& corner, const die::coord& s, const die::coord& e, const die::coord& pick);

} // namespace Geom
