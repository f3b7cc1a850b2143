#include "command/CInputRequest.h"

#include "command/ViewInput.h"
#include "options/LanguageTable.h"
#include "platform/CFormat.h"
#include "section/UndoManager.h"
#include "view/ViewCore.h"

#include <algorithm>

CInputRequest& CInputRequest::Of(CMorvekDoc& doc)
{
    std::unique_ptr<DocumentSlot>& slot = doc.CommandSlot();
    if (auto* request = dynamic_cast<CInputRequest*>(slot.get()))
        return *request;
    auto request = std::make_unique<CInputRequest>();
    CInputRequest& result = *request;
    result.doc_ = &doc;
    slot = std::move(request);
    return result;
}

InputStep* CInputRequest::GetStep(int i)
{
    return i >= 0 && i < std::min(stepCount, kMaxSteps) ? &steps[static_cast<std::size_t>(i)] : nullptr;
}

const InputStep* CInputRequest::GetStep(int i) const
{
    return i >= 0 && i < std::min(stepCount, kMaxSteps) ? &steps[static_cast<std::size_t>(i)] : nullptr;
}

InputStep* CInputRequest::Current()
{
    return GetStep(std::max(currentStep, 0));
}

void CInputRequest::Attach(ViewInput* view)
{
    view_ = view;
    if (view)
        doc_ = view->GetDocument();
    finish_ = nullptr;
    afterFinish_ = nullptr;
    draw_ = nullptr;
    move_ = nullptr;
    restartStep = -1;
    keepResult = false;
    firstPrompt = true;
    steps.fill(InputStep{});
    iterator = ElementIterator();
}

void CInputRequest::SetDrawMoveCallbacks(DrawCallback draw, InputCallback move)
{
    draw_ = std::move(draw);
    move_ = std::move(move);
}

void CInputRequest::SetTitle(int id)
{
    title = id;
    if (id != -1 && doc_)
        doc_->Undo().Open(id, doc_->GetCurrentSection());
}

int CInputRequest::CallDraw(platform::Device* dc)
{
    return draw_ ? draw_(this, dc) : 0;
}

int CInputRequest::CallMove()
{
    return move_ ? move_(this) : 0;
}

bool CInputRequest::IsTypeAllowed(int i, int type) const
{
    const InputStep* step = GetStep(i);
    if (!step)
        return false;
    if (step->allowedTypeCount == -1)
        return true;
    const int n = std::clamp(step->allowedTypeCount, 0, InputStep::kMaxTypes);
    return std::find(step->allowedTypes.begin(), step->allowedTypes.begin() + n, type) !=
           step->allowedTypes.begin() + n;
}

int CInputRequest::GetLastPointStep() const
{
    for (int i = std::min({currentStep, stepCount, kMaxSteps}) - 1; i >= 0; --i)
        if (steps[static_cast<std::size_t>(i)].resultKind == InputPoint)
            return i;
    return -1;
}

bool CInputRequest::FindLastPointStep(int& i) const
{
    i = GetLastPointStep();
    return i >= 0;
}

bool CInputRequest::IsRunning() const
{
    return doc_ && doc_->commandActive == 1;
}

void CInputRequest::SetRunning(bool running)
{
    if (doc_)
        doc_->commandActive = running ? 1 : 0;
}

void CInputRequest::ShowPrompt(int i)
{
    if (!view_)
        return;
    view_->Core().SetRubberLine(false);
    if (i == -1) {
        view_->Ui().SetStatusText(QString());
        return;
    }
    const InputStep* step = GetStep(i == -2 ? std::max(currentStep, 0) : i);
    const QString text = step && step->prompt != -1 ? Translate(step->prompt) : QString();
    view_->Ui().SetStatusText(text);
    view_->Ui().SetStateText(text);
}

int CInputRequest::Prompt()
{
    if (!IsRunning())
        return 0;
    if (!keepResult || firstPrompt)
        ShowPrompt(-2);
    InputStep* step = Current();
    if (!step || !step->Accepts(InputValue) || !view_)
        return 0;
    QString text = platform::cformat("%f", step->defaultValue);
    if (!view_->Ui().AskValue(Translate(step->valuePrompt), text, true)) {
        // The command stops; its undo step stays open until the next one is
        // opened or closed.
        SetRunning(false);
        return 1;
    }
    step->value = platform::wtof(text);
    step->resultKind = InputValue;
    Advance(false);
    return 1;
}

int CInputRequest::Advance(bool reset)
{
    if (reset) {
        currentStep = 0;
        Prompt();
        return 1;
    }
    ++currentStep;
    if (currentStep >= stepCount)
        return Finish();
    InputStep* step = Current();
    if (step && step->Accepts(InputDrag) && doc_) {
        step->x = doc_->Cursor().modelX;
        step->y = doc_->Cursor().modelY;
    }
    Prompt();
    return 1;
}

int CInputRequest::Finish()
{
    SetRunning(false);
    const int result = finish_ ? finish_(this) : 0;
    const bool titled = title != -1;
    // Only a finish that did its work changed the drawing.
    if (titled && doc_ && result != 0)
        doc_->SetModifiedFlag(true);
    // Prompts after the first finish are those of the next object.
    firstPrompt = false;
    currentStep = restartStep;
    if (restartStep < 0) {
        if (titled && doc_)
            doc_->Undo().Close();
        ShowPrompt(-1);
    } else {
        if (titled && doc_) {
            CUndoManager& undo = doc_->Undo();
            if (undo.HasOpenStep())
                undo.ReOpen();
            else
                undo.Open(title, doc_->GetCurrentSection());
        }
        SetRunning(true);
        Prompt();
    }
    if (afterFinish_) {
        // The callback may attach a new command to this request.
        InputCallback after = afterFinish_;
        after(this);
    }
    return result;
}

void CInputRequest::SetupSingleStep(ViewInput* view, InputCallback finish, InputCallback afterFinish, int titleId,
                                    int prompt, int snapFlags, int code)
{
    stepCount = 1;
    currentStep = 0;
    commandCode = code;
    Attach(view);
    SetFinishCallback(std::move(finish));
    SetAfterFinishCallback(std::move(afterFinish));
    SetTitle(titleId);
    restartStep = -1;
    InputStep& step = steps[0];
    step.accepted = InputPoint;
    step.prompt = prompt;
    step.snapFlags = snapFlags;
    SetRunning(true);
}

void CInputRequest::Start()
{
    SetRunning(true);
    Advance(true);
}
