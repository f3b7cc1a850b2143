#pragma once
// The common start of a request-based command (the calling order of
// CInputRequest.h, steps 1 to 5) and the two kinds of steps most editing
// commands fill: a typed value and a picked element of given types.
#include "command/CInputRequest.h"

#include <initializer_list>

class Section;

namespace requestsetup {

// Steps 1 to 4 on the view's document's request: step count, code, view,
// finish callback, title (−1 opens no undo step), restart step. Null
// without a document; the caller fills the steps and calls Start.
CInputRequest* Begin(ViewInput& view, int stepCount, int code, InputCallback finish, int title, int restart);

// A value step: the prompt, the value dialog's label and the value it
// offers.
void ValueStep(InputStep& step, int prompt, int label, double defaultValue);
// An element step accepting the type ids listed (none listed: any type).
void ElementStep(InputStep& step, int prompt, std::initializer_list<int> types);
// A point step snapping to the crossings of the element of the linked step.
void CrossingStep(InputStep& step, int prompt, int linkedStep);

// The current section of the request's document; null without one.
Section* CurrentSection(const CInputRequest* request);

} // namespace requestsetup
