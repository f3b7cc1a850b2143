#pragma once
// The command engine: one small state machine per document that runs every
// interactive command of the view as a list of input steps. A command's
// start entry point fills a RequestDescription (the steps, the command
// code, the undo title, the restart step) and hands it whole to Start with
// the command object (InteractiveCommand.h), which the request then owns;
// the view's input rules (ViewInput) feed the user's clicks, drags, keys and
// typed values into the current step; when the last step is filled the
// command's Finish does the work and the request ends or restarts at the
// description's restart step for the next object.
//
// Undo: a titled request holds one UndoTransaction per object, opened at
// Start and at every restart. After a finish that did its work it is
// committed (a step that changed the drawing marks it modified); after a
// finish that did nothing it is rolled back. Cancelling the command rolls
// back the object under way; a value dialog's Cancel leaves it open until
// the next command or a cancel.
#include "command/InputStep.h"
#include "command/InteractiveCommand.h"
#include "document/MorvekDoc.h"

#include <array>
#include <functional>
#include <memory>

class CInputRequest;
class ViewInput;

namespace platform {
class Device;
}

// Everything a command gives the engine before it runs.
struct RequestDescription {
    static constexpr int kMaxSteps = 16;

    int commandCode = 0;
    // Language text of the undo step; −1 opens none.
    int title = -1;
    // The step the request goes back to after a finish; −1 ends it.
    int restartStep = -1;
    // The result a finish shows stays: no prompt after the first finish.
    bool keepResult = false;
    // No prompt and no value dialog at start (a pick button's or a popup's
    // request waits silently for its first input).
    bool silentStart = false;
    int stepCount = 0;
    std::array<InputStep, kMaxSteps> steps{};

    // Appends a step (at most kMaxSteps) and returns it for filling.
    InputStep& Add(const InputStep& step = InputStep{});
};

// A command given as functions (a dialog's pick, a test's command).
class CallbackCommand : public InteractiveCommand {
public:
    using Callback = std::function<int(CInputRequest&)>;
    using DrawCallback = std::function<int(CInputRequest&, platform::Device*)>;

    explicit CallbackCommand(Callback finish, Callback afterFinish = nullptr, DrawCallback draw = nullptr,
                             Callback move = nullptr)
        : finish_(std::move(finish)), afterFinish_(std::move(afterFinish)), draw_(std::move(draw)),
          move_(std::move(move))
    {
    }
    int Finish(CInputRequest& r) override { return finish_ ? finish_(r) : 0; }
    int AfterFinish(CInputRequest& r) override { return afterFinish_ ? afterFinish_(r) : 0; }
    int Draw(CInputRequest& r, platform::Device* dc) override { return draw_ ? draw_(r, dc) : 0; }
    int Move(CInputRequest& r) override { return move_ ? move_(r) : 0; }

private:
    Callback finish_;
    Callback afterFinish_;
    DrawCallback draw_;
    Callback move_;
};

class CInputRequest : public DocumentSlot {
public:
    static constexpr int kMaxSteps = RequestDescription::kMaxSteps;

    CInputRequest() = default;

    // The document's request, made on first use and owned by the document.
    static CInputRequest& Of(CMorvekDoc& doc);

    // Starts a command: the view and its document taken, the description's
    // steps put in place of everything the last command left, the undo step
    // opened for a titled request, the command flag set and step 0 prompted
    // (a value step asks at once) unless the start is silent.
    void Start(ViewInput& view, const RequestDescription& description, std::unique_ptr<InteractiveCommand> command);

    // Step i, or null outside 0 .. stepCount − 1.
    InputStep* GetStep(int i);
    const InputStep* GetStep(int i) const;
    // Step i, which must exist.
    InputStep& Step(int i);
    // The current step (step 0 while the index is negative); null when the
    // index lies beyond the steps in use.
    InputStep* Current();
    int CurrentIndex() const { return currentStep_; }

    // What the running command was started with. A command may change its
    // own description while it runs (the spline continues with one step).
    const RequestDescription& Description() const { return description_; }
    RequestDescription& Description() { return description_; }
    int CommandCode() const { return description_.commandCode; }
    InteractiveCommand* Command() const { return command_.get(); }
    // The transaction of the object under way (nothing for an untitled
    // request): a finish passes it to the editing operations it calls.
    UndoTransaction* Transaction() { return &transaction_; }

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
    // finish returned 0.
    int Advance(bool reset);
    // Runs the command's finish and ends (restart −1) or restarts the
    // request; then the after-finish.
    int Finish();
    // Ends the command: the flag cleared and the object under way rolled
    // back.
    void Cancel();

    // Whether the document's command runs (its command flag is 1).
    bool IsRunning() const;
    void SetRunning(bool running);

    ViewInput* GetView() const { return view_; }
    CMorvekDoc* GetDocument() const { return doc_; }

private:
    // Opens the undo step of the next object of a titled request.
    void OpenObject();

    RequestDescription description_;
    int currentStep_ = 0;
    bool firstPrompt_ = true;
    ViewInput* view_ = nullptr;
    CMorvekDoc* doc_ = nullptr;
    // Shared so that a command's AfterFinish may start the next command on
    // this request while it still runs.
    std::shared_ptr<InteractiveCommand> command_;
    UndoTransaction transaction_;
};
