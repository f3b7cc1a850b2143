#include "command/CInputRequest.h"

#include "command/ViewInput.h"
#include "options/LanguageTable.h"
#include "platform/CFormat.h"
#include "section/UndoManager.h"
#include "view/ViewCore.h"

#include <algorithm>

InputStep& RequestDescription::Add(const InputStep& step)
{
    Q_ASSERT(stepCount < kMaxSteps);
    InputStep& added = steps[static_cast<std::size_t>(std::min(stepCount, kMaxSteps - 1))];
    added = step;
    stepCount = std::min(stepCount + 1, kMaxSteps);
    return added;
}

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

void CInputRequest::Start(ViewInput& view, const RequestDescription& description,
                          std::unique_ptr<InteractiveCommand> command)
{
    view_ = &view;
    doc_ = view.GetDocument();
    description_ = description;
    command_ = std::move(command);
    currentStep_ = 0;
    firstPrompt_ = true;
    // The last command's object is settled by opening the next step (Open
    // closes what is open); an untitled command leaves it alone.
    if (description_.title != -1)
        OpenObject();
    else
        transaction_ = UndoTransaction();
    SetRunning(true);
    if (!description_.silentStart)
        Advance(true);
}

void CInputRequest::OpenObject()
{
    if (doc_)
        transaction_ = UndoTransaction(doc_->Undo(), description_.title, doc_->GetCurrentSection());
}

InputStep* CInputRequest::GetStep(int i)
{
    return i >= 0 && i < std::min(description_.stepCount, kMaxSteps) ? &description_.steps[static_cast<std::size_t>(i)]
                                                                     : nullptr;
}

const InputStep* CInputRequest::GetStep(int i) const
{
    return i >= 0 && i < std::min(description_.stepCount, kMaxSteps) ? &description_.steps[static_cast<std::size_t>(i)]
                                                                     : nullptr;
}

InputStep& CInputRequest::Step(int i)
{
    Q_ASSERT(i >= 0 && i < kMaxSteps);
    return description_.steps[static_cast<std::size_t>(std::clamp(i, 0, kMaxSteps - 1))];
}

InputStep* CInputRequest::Current()
{
    return GetStep(std::max(currentStep_, 0));
}

int CInputRequest::CallDraw(platform::Device* dc)
{
    std::shared_ptr<InteractiveCommand> command = command_;
    return command ? command->Draw(*this, dc) : 0;
}

int CInputRequest::CallMove()
{
    std::shared_ptr<InteractiveCommand> command = command_;
    return command ? command->Move(*this) : 0;
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
    for (int i = std::min({currentStep_, description_.stepCount, kMaxSteps}) - 1; i >= 0; --i)
        if (description_.steps[static_cast<std::size_t>(i)].resultKind == InputPoint)
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
    const int index = i == -2 ? std::max(currentStep_, 0) : i;
    const InputStep* step = GetStep(index);
    QString text = step && step->prompt != -1 ? Translate(step->prompt) : QString();
    // The first prompt of a point step that takes the point keys names the
    // free-point key, so that a new user finds how to give a point.
    if (step && index == 0 && firstPrompt_ && step->Accepts(InputPoint) && step->Snaps(SnapKeys) && !text.isEmpty())
        text += view_->FreePointHint();
    view_->Ui().SetStatusText(text);
    view_->Ui().SetStateText(text);
}

int CInputRequest::Prompt()
{
    if (!IsRunning())
        return 0;
    if (!description_.keepResult || firstPrompt_)
        ShowPrompt(-2);
    InputStep* step = Current();
    if (!step || !step->Accepts(InputValue) || !view_)
        return 0;
    QString text = platform::cformat("%f", step->defaultValue);
    if (!view_->Ui().AskValue(Translate(step->valuePrompt), text, true)) {
        // The command stops; its undo step stays open until the next one is
        // opened or the command is cancelled.
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
        currentStep_ = 0;
        Prompt();
        return 1;
    }
    ++currentStep_;
    if (currentStep_ >= description_.stepCount)
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
    // Held here: the after-finish may start another command on this request.
    std::shared_ptr<InteractiveCommand> command = command_;
    const int result = command ? command->Finish(*this) : 0;
    const bool titled = description_.title != -1;
    // Only a finish that did its work keeps its step (and, when the step
    // changed the drawing, marks it modified).
    if (titled) {
        if (result != 0)
            (void)transaction_.commit(); // whether it changed anything: the step says
        else
            transaction_.rollback();
    }
    // Prompts after the first finish are those of the next object.
    firstPrompt_ = false;
    currentStep_ = description_.restartStep;
    if (description_.restartStep < 0) {
        ShowPrompt(-1);
    } else {
        if (titled)
            OpenObject();
        SetRunning(true);
        Prompt();
    }
    if (command)
        command->AfterFinish(*this);
    return result;
}

void CInputRequest::Cancel()
{
    SetRunning(false);
    transaction_.rollback();
}
