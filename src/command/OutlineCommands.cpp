#include "command/OutlineCommands.h"

#include "command/CInputRequest.h"
#include "command/InteractiveCommand.h"
#include "command/RequestSetup.h"
#include "command/ViewInput.h"
#include "document/MorvekDoc.h"
#include "options/LanguageTable.h"
#include "platform/Prompt.h"
#include "section/Section.h"
#include "section/UndoTransaction.h"

namespace outlinecommands {

namespace {

void ShowError(int text)
{
    (void)platform::ask(Translate(text), QString(), platform::PromptButtons::Ok,
                        platform::PromptIcon::Error); // Ok only
}

class OutlineByClickCommand : public InteractiveCommand {
public:
    explicit OutlineByClickCommand(EdgeAsker ask) : ask_(std::move(ask)) {}

    int Finish(CInputRequest& request) override
    {
        Section* section = requestsetup::CurrentSection(request);
        const InputStep& point = request.Step(0);
        if (!section || !ask_)
            return 0;
        const std::optional<OutlineSettings> s = ask_(true);
        if (!s)
            return 0;
        const double result =
            section->DoOutlineByPoint(s->distance, s->lineTypeFilter, s->newLineType, s->filletRadius,
                                      s->resolveCrossings, true, s->usePlacements, point.x, point.y,
                                      request.Transaction());
        if (result != 0.0) {
            // What a failed outline made part-way goes with the step.
            ShowError(kTextNoOutline);
            return 0;
        }
        return 1;
    }

private:
    EdgeAsker ask_;
};

} // namespace

bool RunEdge(ViewInput& view, const EdgeAsker& ask)
{
    CMorvekDoc* doc = view.GetDocument();
    Section* section = doc ? doc->GetCurrentSection() : nullptr;
    if (!section)
        return false;
    // The die board is never selected, so it never counts.
    if (section->GetSelectedCount() == 0) {
        ShowError(kTextNothingSelected);
        return false;
    }
    const std::optional<OutlineSettings> s = ask ? ask(false) : std::nullopt;
    if (!s)
        return false;
    OutlineClipWindow window;
    const SelectionBox& box = view.lastSelection;
    window.valid = box.valid;
    window.box.Extend(box.left, box.bottom);
    window.box.Extend(box.right, box.top);
    // One step: what a build that failed part-way made goes again, since
    // the user is told that no outline was made.
    UndoTransaction step(doc->Undo(), kTextOutline, section);
    const double result = section->DoOutline(s->distance, s->lineTypeFilter, s->newLineType, s->filletRadius,
                                             s->resolveCrossings, true, s->usePlacements, window, &step);
    if (result <= -1.0) {
        step.rollback();
        ShowError(kTextNoOutline);
        return false;
    }
    step.commit(); // marks the drawing modified
    return true;
}

void StartOutlineByClick(ViewInput& view, EdgeAsker ask)
{
    CInputRequest* request = view.Request();
    if (!request)
        return;
    RequestDescription d = requestsetup::Describe(kCodeOutlineByClick, kTextOutlineByClickTitle, 0);
    d.Add(requestsetup::PointStep(kTextOutlineByClickPrompt, SnapKeys));
    request->Start(view, d, std::make_unique<OutlineByClickCommand>(std::move(ask)));
}

} // namespace outlinecommands
