#pragma once
// All free geometry routines of namespace Geom, with die::coord and Angle.
#include "geometry/Angle.h"
#include "geometry/Coord.h"
#include "geometry/GeomBasics.h"
#include "geometry/GeomConstants.h"
#include "geometry/GeomEllipseIntersect.h"
#include "geometry/GeomEllipses.h"
#include "geometry/GeomIntersect.h"
#include "geometry/GeomLinesCircles.h"
#include "geometry/GeomPolylineIntersect.h"
#include "geometry/GeomSegmentTests.h"
