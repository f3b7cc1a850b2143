#pragma once
// An interactive command of the view: one small class holding what the
// command needs between the user's inputs as typed members, run by the
// document's CInputRequest. The request calls Finish when the last step
// is filled, then AfterFinish (which may start another command on the same
// request), Draw after the view's paint and Move when the cursor moves
// during a drag step; each returns non-zero when it did its work.
//
// Adding a command: derive a class, give it a Finish (and whatever else it
// needs), and a start entry point that fills a RequestDescription and calls
// CInputRequest::Start with a new object of the class.
class CInputRequest;

namespace platform {
class Device;
}

class InteractiveCommand {
public:
    virtual ~InteractiveCommand() = default;

    // The last step was filled: do the work. Non-zero when the drawing
    // changed (a titled request then commits its undo step).
    virtual int Finish(CInputRequest&) { return 0; }
    virtual int AfterFinish(CInputRequest&) { return 0; }
    // The overlay device, the null pen selected.
    virtual int Draw(CInputRequest&, platform::Device*) { return 0; }
    virtual int Move(CInputRequest&) { return 0; }
};
