#pragma once
// The command engine: one small state machine per document that runs every
// interactive command of the view as a list of input steps. A command fills
// the steps, gives callbacks and an undo title and starts the request; the
// view's input rules (ViewInput) feed the user's clicks, drags, keys and
// typed values into the current step; when the last step is filled the
// finish callback does the work and the request ends or restarts at a
// chosen step for the next object.
//
// Calling order of a command handler:
//   1. stepCount and commandCode;
//   2. Attach(view), SetFinishCallback, optionally SetAfterFinishCallback
//      and SetDrawMoveCallbacks;
//   3. SetTitle(id or −1) (opens the undo step);
//   4. restartStep;
//   5. fill the steps;
//   6. the document's command flag to 1 (Start does 6 and 7);
//   7. Advance(true).
#include "command/InputStep.h"
#include "document/MorvekDoc.h"
#include "section/ElementIterator.h"

#include <array>
#include <functional>

class CInputRequest;
class ViewInput;

namespace platform {
class Device;
}

// A finish, after-finish or move callback: non-zero when it did its work.
using InputCallback = std::function<int(CInputRequest*)>;
// A draw callback, given the overlay device (the null pen selected).
using DrawCallback = std::function<int(CInputRequest*, platform::Device*)>;

class CInputRequest : public DocumentSlot {
public:
    static constexpr int kMaxSteps = 16;

    CInputRequest() = default;

    // The document's request, made on first use and owned by the document.
    static CInputRequest& Of(CMorvekDoc& doc);

    // Step i, or null outside 0 .. stepCount − 1.
    InputStep* GetStep(int i);
    const InputStep* GetStep(int i) const;
    // The current step (step 0 while the index is negative); null when the
    // index lies beyond the steps in use.
    InputStep* Current();

    // Takes the view and its document; clears the four callbacks, restart
    // −1, keep-result clear, first-prompt set. Every step is reset (set-up
    // and results), so a new command starts with nothing left from the last
    // one: fill the steps after Attach. The step count and the command code
    // stay.
    void Attach(ViewInput* view);
    void SetFinishCallback(InputCallback f) { finish_ = std::move(f); }
    void SetAfterFinishCallback(InputCallback f) { afterFinish_ = std::move(f); }
    void SetDrawMoveCallbacks(DrawCallback draw, InputCallback move);
    // Stores the title; unless it is −1 opens an undo step named with its
    // language text on the document's current section.
    void SetTitle(int id);

    int CallDraw(platform::Device* dc);
    int CallMove();

    // True when step i's allowed type count is −1 or its list holds the type.
    bool IsTypeAllowed(int i, int type) const;
    // The last step before the current one whose result is a point, or −1.
    int GetLastPointStep() const;
    bool FindLastPointStep(int& i) const;

    // −1 clears status pane 0, −2 shows the current step's prompt, else step
    // i's prompt goes to status pane 0 and the state bar. Also clears the
    // view's measure line.
    void ShowPrompt(int i);
    // Shows the current step's prompt; a value step asks its value at once
    // (one-value dialog) and advances on OK; Cancel stops the command and
    // leaves the undo step open. 1 when a value dialog ran.
    int Prompt();
    // reset: step 0 becomes current and is prompted (returns 1). Otherwise
    // the next step; past the last the request finishes. 0 only when a
    // finish callback returned 0.
    int Advance(bool reset);
    // Runs the finish callback and ends (restart −1) or restarts the request.
    // A titled request marks the document modified only when the callback
    // reports that it did its work.
    int Finish();

    // A one-step point request for a dialog's pick button, started at once.
    void SetupSingleStep(ViewInput* view, InputCallback finish, InputCallback afterFinish, int title, int prompt,
                         int snapFlags, int code);
    // Steps 6 and 7 of the calling order: the command flag set, Advance(true).
    void Start();

    // Whether the document's command runs (its command flag is 1).
    bool IsRunning() const;
    void SetRunning(bool running);

    ViewInput* GetView() const { return view_; }
    CMorvekDoc* GetDocument() const { return doc_; }

    // --- the request's fields, set by the command handlers -------------------
    std::array<InputStep, kMaxSteps> steps{};
    int currentStep = 0;
    int stepCount = 0;
    int restartStep = -1;
    int commandCode = 0;
    int title = -1;
    double commandData[2] = {0.0, 0.0};
    bool keepResult = false;
    bool firstPrompt = true;
    ElementIterator iterator;

private:
    ViewInput* view_ = nullptr;
    CMorvekDoc* doc_ = nullptr;
    InputCallback finish_;
    InputCallback afterFinish_;
    DrawCallback draw_;
    InputCallback move_;
};
