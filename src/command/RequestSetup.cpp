#include "command/RequestSetup.h"

#include "command/ViewInput.h"

namespace requestsetup {

RequestDescription Describe(int code, int title, int restart)
{
    RequestDescription d;
    d.commandCode = code;
    d.title = title;
    d.restartStep = restart;
    return d;
}

InputStep PointStep(int prompt, int snapFlags)
{
    InputStep step;
    step.prompt = prompt;
    step.accepted = InputPoint;
    step.snapFlags = snapFlags;
    return step;
}

InputStep ValueStep(int prompt, int label, double defaultValue)
{
    InputStep step;
    step.prompt = prompt;
    step.accepted = InputValue;
    step.valuePrompt = label;
    step.defaultValue = defaultValue;
    return step;
}

InputStep ElementStep(int prompt, std::initializer_list<int> types)
{
    InputStep step;
    step.prompt = prompt;
    step.accepted = InputElement;
    if (types.size() != 0)
        step.SetAllowedTypes(types);
    else
        step.allowedTypeCount = -1;
    return step;
}

InputStep CrossingStep(int prompt, int linkedStep)
{
    InputStep step = PointStep(prompt, SnapCrossing);
    step.linkedStep = linkedStep;
    return step;
}

RequestDescription SilentPick(int accepted, int snapFlags)
{
    RequestDescription d;
    d.silentStart = true;
    InputStep& step = d.Add();
    step.accepted = accepted;
    step.snapFlags = snapFlags;
    return d;
}

Section* CurrentSection(const CInputRequest& request)
{
    CMorvekDoc* doc = request.GetDocument();
    return doc ? doc->GetCurrentSection() : nullptr;
}

} // namespace requestsetup
