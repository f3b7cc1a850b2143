#pragma once
// The radius series of the cuir element, stepped by the construction dialog.

// The cuir radius series 21, 30, 40 mm: a member steps to the next (up) or
// previous (down) one, stopping at the ends; a negative radius gives 21; any
// other radius comes back unchanged.
double StepCuirRadius(double radius, bool up);
