#include "dlg/ElementValues.h"

#include "dlg/PropertyValues.h"
#include "element/Element.h"

namespace dlg {

namespace {
constexpr double kFirstBridgePosition = 0.001;
constexpr double kFirstBridgeWidth = 21.0;
constexpr double kBridgeGap = 0.001;
} // namespace

double NonNegative(double v)
{
    return v < 0.0 ? 0.0 : v;
}

void ElementValues::Fill(const CElement& element)
{
    lineType = element.GetLineType();
    ptg = element.GetPtg();
    selected = element.IsSelected() ? 1 : 0;
    avoidInstances = element.GetNotInstanced() ? 1 : 0;
    bridgeMode = element.GetBridgeMode();
    autoCount = element.GetAutoCount();
    bridgeLength = element.GetAutoWidth();
    bridges.assign(element.GetBridges().begin(), element.GetBridges().end());
    current = -1;
    several = false;
    changeBridges = false;
}

bool ElementValues::Same(const CElement& a, const CElement& b)
{
    ElementValues va;
    va.Fill(a);
    return !va.Differs(b);
}

bool ElementValues::Differs(const CElement& element) const
{
    ElementValues now;
    now.Fill(element);
    if (now.lineType != lineType || now.ptg != ptg || now.selected != selected || now.avoidInstances != avoidInstances
        || now.bridgeMode != bridgeMode)
        return true;
    if (textMode)
        return false;
    if (now.autoCount != autoCount || now.bridgeLength != bridgeLength || now.bridges.size() != bridges.size())
        return true;
    for (size_t i = 0; i < bridges.size(); ++i)
        if (now.bridges[i].position != bridges[i].position || now.bridges[i].width != bridges[i].width)
            return true;
    return false;
}

void ElementValues::ApplyTo(CElement& element) const
{
    element.SetSelection(selected == 1 ? 1 : 0);
    element.SetLineType(lineType);
    element.SetPtg(ptg);
    element.SetNotInstanced(avoidInstances);
    if (textMode)
        return;
    const bool sameBridges = [&] {
        const BridgeList& have = element.GetBridges();
        if (have.Count() != static_cast<int>(bridges.size()))
            return false;
        for (int i = 0; i < have.Count(); ++i)
            if (have[i].position != bridges[static_cast<size_t>(i)].position
                || have[i].width != bridges[static_cast<size_t>(i)].width)
                return false;
        return true;
    }();
    if (element.GetBridgeMode() == bridgeMode && element.GetAutoCount() == autoCount
        && element.GetAutoWidth() == bridgeLength && sameBridges)
        return; // the bridges as they are
    element.SetBridgeMode(bridgeMode);
    if (bridgeMode == BridgeMode::ByHand)
        element.SetBridges(bridges);
    else
        element.SetAutoBridges(autoCount, bridgeLength);
    element.SetBridgeMode(bridgeMode);
    element.RefreshBridges();
}

bool ElementValues::AddBridge()
{
    if (static_cast<int>(bridges.size()) >= BridgeList::MaxCount)
        return false;
    if (bridges.empty()) {
        bridges.push_back(Bridge{0, kFirstBridgePosition, kFirstBridgeWidth});
    } else {
        const Bridge& last = bridges.back();
        bridges.push_back(Bridge{0, last.position + last.width + kBridgeGap, last.width});
    }
    return true;
}

void ElementValues::DeleteBridge(int i)
{
    if (i < 0 || i >= static_cast<int>(bridges.size()))
        return;
    bridges.erase(bridges.begin() + i);
    current = -1;
}

void ElementValues::StoreCurrent(double distance, double length)
{
    if (current < 0 || current >= static_cast<int>(bridges.size()))
        return;
    Bridge& b = bridges[static_cast<size_t>(current)];
    // A value shown rounded and not edited keeps the bridge's own.
    if (distance != RoundUpThousandth(b.position))
        b.position = RoundUpThousandth(distance);
    if (length != RoundUpThousandth(b.width))
        b.width = RoundUpThousandth(length);
}

void ElementValues::Select(int i, double& distance, double& length)
{
    if (i < 0 || i >= static_cast<int>(bridges.size())) {
        current = -1;
        return;
    }
    current = i;
    distance = RoundUpThousandth(bridges[static_cast<size_t>(i)].position);
    length = RoundUpThousandth(bridges[static_cast<size_t>(i)].width);
}

void ElementValues::FillSeveral(const std::vector<CElement*>& elements)
{
    *this = ElementValues{};
    several = true;
    if (elements.empty())
        return;
    const CElement& first = *elements.front();
    lineType = first.GetLineType();
    ptg = first.GetPtg();
    avoidInstances = first.GetNotInstanced() ? 1 : 0;
    bridgeLength = first.GetAutoWidth();
    autoCount = first.GetAutoCount();
    bool allAutomatic = true, allHandOrRule = true, allCount = true;
    for (const CElement* e : elements) {
        if (e->GetLineType() != lineType)
            lineType = kDiffers;
        if (e->GetPtg() != ptg)
            ptg = kDiffers;
        if ((e->GetNotInstanced() ? 1 : 0) != avoidInstances)
            avoidInstances = kDiffersFlag;
        if (e->GetAutoWidth() != bridgeLength)
            bridgeLength = kDiffers;
        if (e->GetAutoCount() != autoCount)
            autoCount = kDiffers;
        const int mode = e->GetBridgeMode();
        allAutomatic = allAutomatic && (mode == BridgeMode::ByCount || mode == BridgeMode::ByRule);
        allHandOrRule = allHandOrRule && (mode == BridgeMode::ByHand || mode == BridgeMode::ByRule);
        allCount = allCount && mode == BridgeMode::ByCount;
    }
    autoState = allAutomatic ? 1 : 0;
    ruleState = allHandOrRule ? 1 : (allCount ? 0 : kDiffersFlag);
    // The page's several-elements form starts from these.
    selected = 1;
    bridgeMode = kDiffers;
    if (bridgeLength == kDiffers)
        bridgeLength = 0.0;
    if (autoCount == kDiffers)
        autoCount = 0;
}

void ElementValues::FillTexts(const std::vector<CElement*>& texts)
{
    FillSeveral(texts);
    textMode = true;
    bridgeLength = 0.0;
    autoCount = 0;
    autoState = 0;
    ruleState = 0;
}

void ElementValues::ApplySeveral(CElement& element) const
{
    element.SetSelection(selected ? 1 : 0);
    if (lineType != kDiffers)
        element.SetLineType(lineType);
    if (avoidInstances != kDiffersFlag)
        element.SetNotInstanced(avoidInstances);
    if (ptg > 0.0)
        element.SetPtg(ptg);
    if (textMode)
        return;
    bool refresh = false;
    if (changeBridges && element.GetBridgeMode() == BridgeMode::ByHand) {
        element.SetBridgeMode(BridgeMode::ByRule);
        refresh = true;
    }
    if (element.GetBridgeMode() != BridgeMode::ByHand) {
        if (ruleState == 0) {
            element.SetAutoBridges(autoCount, bridgeLength);
            element.SetBridgeMode(BridgeMode::ByCount);
            refresh = true;
        } else if (ruleState == 1) {
            element.SetBridgeMode(BridgeMode::ByRule);
            refresh = true;
        }
    }
    if (refresh)
        element.RefreshBridges();
}

} // namespace dlg
