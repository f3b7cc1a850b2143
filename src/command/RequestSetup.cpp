#include "command/RequestSetup.h"

#include "command/ViewInput.h"

namespace requestsetup {

CInputRequest* Begin(ViewInput& view, int stepCount, int code, InputCallback finish, int title, int restart)
{
    CInputRequest* request = view.Request();
    if (!request)
        return nullptr;
    request->stepCount = stepCount;
    request->commandCode = code;
    request->Attach(&view);
    request->SetFinishCallback(std::move(finish));
    request->SetTitle(title);
    request->restartStep = restart;
    return request;
}

void ValueStep(InputStep& step, int prompt, int label, double defaultValue)
{
    step.prompt = prompt;
    step.accepted = InputValue;
    step.valuePrompt = label;
    step.defaultValue = defaultValue;
}

void ElementStep(InputStep& step, int prompt, std::initializer_list<int> types)
{
    step.prompt = prompt;
    step.accepted = InputElement;
    if (types.size() != 0)
        step.SetAllowedTypes(types);
    else
        step.allowedTypeCount = -1;
}

void CrossingStep(InputStep& step, int prompt, int linkedStep)
{
    step.prompt = prompt;
    step.accepted = InputPoint;
    step.snapFlags = SnapCrossing;
    step.linkedStep = linkedStep;
}

Section* CurrentSection(const CInputRequest* request)
{
    CMorvekDoc* doc = request ? request->GetDocument() : nullptr;
    return doc ? doc->GetCurrentSection() : nullptr;
}

} // namespace requestsetup
