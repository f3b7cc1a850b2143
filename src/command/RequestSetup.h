#pragma once
// The kinds of steps most commands fill (a point, a typed value, a picked
// element of given types, a crossing) and the description every command
// starts from.
#include "command/CInputRequest.h"

#include <initializer_list>

class Section;

namespace requestsetup {

// The snaps of an ordinary point step: nodes, the point keys, elements.
constexpr int kPointSnap = SnapNode | SnapKeys | SnapElement;

// A description with its command code, undo title (−1 none) and restart
// step (−1 ends after one finish); the steps are added by the caller.
RequestDescription Describe(int code, int title, int restart);

InputStep PointStep(int prompt, int snapFlags = kPointSnap);
// A value step: the prompt, the value dialog's label and the value it
// offers.
InputStep ValueStep(int prompt, int label, double defaultValue);
// An element step accepting the type ids listed (none listed: any type).
InputStep ElementStep(int prompt, std::initializer_list<int> types);
// A point step snapping to the crossings of the element of the linked step.
InputStep CrossingStep(int prompt, int linkedStep);

// A dialog's pick: one step of the accepted kind with the snaps, started at
// once without a prompt, no command code, no undo step.
RequestDescription SilentPick(int accepted, int snapFlags = kPointSnap);

// The current section of the request's document; null without one.
Section* CurrentSection(const CInputRequest& request);

} // namespace requestsetup
