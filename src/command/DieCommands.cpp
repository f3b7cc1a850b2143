#include "command/DieCommands.h"

#include "command/RequestSetup.h"
#include "command/ViewInput.h"
#include "section/Section.h"

namespace diecommands {

namespace {

class DiePartCommand : public InteractiveCommand {
public:
    explicit DiePartCommand(DiePart part) : part_(part) {}

    int Finish(CInputRequest& request) override
    {
        Section* section = requestsetup::CurrentSection(request);
        if (!section)
            return 0;
        const InputStep& p = request.Step(0);
        return !Place(*section, p.x, p.y).AtEnd();
    }

private:
    ElementIterator Place(Section& section, double x, double y) const
    {
        // Every part goes on the side 0 and shares a node already at the
        // point.
        switch (part_) {
        case DiePart::EasySetSP: return section.AddBobstSPHole(x, y, kEasySetCountX, kEasySetCountY, true);
        case DiePart::EasySetSPO: return section.AddBobstHole(x, y, kEasySetCountX, kEasySetCountY, true);
        case DiePart::PosiLock: return section.AddMartinHole(x, y, kPosiLockCountX, kPosiLockCountY, true);
        case DiePart::SeparatingRule: return section.AddSeperatingRule(x, y, false, true);
        case DiePart::StripperWood: return section.AddStripperWood(x, y, false, true);
        }
        return section.end();
    }

    DiePart part_;
};

} // namespace

int TitleOf(DiePart part)
{
    switch (part) {
    case DiePart::EasySetSP: return kTextEasySetSP;
    case DiePart::EasySetSPO: return kTextEasySetSPO;
    case DiePart::PosiLock: return kTextPosiLock;
    case DiePart::SeparatingRule: return kTextSeparatingRule;
    case DiePart::StripperWood: return kTextStripperWood;
    }
    return -1;
}

void StartDiePart(ViewInput& view, DiePart part)
{
    CInputRequest* request = view.Request();
    if (!request)
        return;
    RequestDescription d = requestsetup::Describe(kCodeDiePart, TitleOf(part), 0);
    d.Add(requestsetup::PointStep(kTextPlacePrompt));
    request->Start(view, d, std::make_unique<DiePartCommand>(part));
}

void StartEasySetSP(ViewInput& view)
{
    StartDiePart(view, DiePart::EasySetSP);
}
void StartEasySetSPO(ViewInput& view)
{
    StartDiePart(view, DiePart::EasySetSPO);
}
void StartPosiLock(ViewInput& view)
{
    StartDiePart(view, DiePart::PosiLock);
}
void StartSeparatingRule(ViewInput& view)
{
    StartDiePart(view, DiePart::SeparatingRule);
}
void StartStripperWood(ViewInput& view)
{
    StartDiePart(view, DiePart::StripperWood);
}

} // namespace diecommands
