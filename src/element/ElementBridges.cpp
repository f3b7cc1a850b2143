// The bridge algorithms every rule shares: even layout, validation of bridges
// placed by hand, the lazy refresh after geometry changes, moving and finding
// a bridge by hand, and scaling.
#include "element/Element.h"

#include "options/Options.h"
#include "support/Log.h"

#include <algorithm>

namespace {
// The closest a bridge moved by hand comes to its neighbours and the ends:
// 1000^-0.25 mm.
constexpr double kBridgeClearance = 0.1778279410038923;
} // namespace

void CElement::LayOutEvenBridges(int n, double width, double length, bool dropNegative)
{
    bridges.Clear();
    n = std::min(n, BridgeList::MaxCount);
    for (int i = 0; i < n; ++i) {
        const double position = EvenBridgePosition(i, n, width, length);
        if (dropNegative && position < 0.0)
            continue;
        (void)bridges.Append(Bridge{0, position, width}); // n is at most MaxCount
    }
    bridges.Normalize();
    displayDirty = true;
}

void CElement::ValidateCustomBridges(double shift)
{
    if (iAutoBridges != BridgeMode::ByHand)
        return;
    Log::TheLog().Write("CElement::ValidateCustomBridges( double )", Log::Section);
    for (int i = 0; i < bridges.Count();) {
        if (bridges[i].position < shift) {
            bridges.RemoveAt(i);
        } else {
            bridges[i].position -= shift;
            ++i;
        }
    }
    const double length = GetFullLength();
    for (int i = 0; i < bridges.Count();) {
        if (bridges[i].position + bridges[i].width > length)
            bridges.RemoveAt(i);
        else
            ++i;
    }
    displayDirty = true;
}

void CElement::RefreshBridges()
{
    geometryChanged = true;
    displayDirty = true;
    if (!bridgesStale)
        return;
    geometryChanged = false;
    bridgesStale = false;
    Log::TheLog().Write("CElement::RefreshBridges( )", Log::Element);
    switch (iAutoBridges) {
    case BridgeMode::ByCount:
        if (autoCount != 0)
            CountAutoBridges(autoCount, lBridges, true);
        else
            bridges.Clear();
        break;
    case BridgeMode::ByRule: {
        if (!options)
            break;
        const BridgeCount rule = options->GetAutoLengthNumBridges(GetFullLength(), GetTypeId());
        if (rule.count > 0 && rule.bridgeLength > 0.0)
            CountAutoBridges(rule.count, rule.bridgeLength, true);
        break;
    }
    case BridgeMode::ByHand:
        ValidateCustomBridges(0.0);
        break;
    default:
        break;
    }
}

void CElement::MoveBridgeTo(int i, double x, double y)
{
    const int type = GetTypeId();
    if (i < 0 || i >= bridges.Count()
        || (type != ElementTypeId::Arc && type != ElementTypeId::Line && type != ElementTypeId::Ellipse))
        return;
    iAutoBridges = BridgeMode::ByHand;
    const double half = bridges[i].width / 2;
    double lower = kBridgeClearance + half;
    if (i > 0)
        lower += bridges[i - 1].position + bridges[i - 1].width;
    const double upper = i + 1 < bridges.Count() ? bridges[i + 1].position - kBridgeClearance - half
                                                 : GetFullLength() - half - kBridgeClearance;
    double px = 0.0;
    double py = 0.0;
    const double d = ProjectPoint(x, y, &px, &py, lower, upper);
    bridges[i].position = d - half;
    bridges.Normalize(); // limits that cross (neighbours too close) must not let gaps overlap
    displayDirty = true;
}

int CElement::FindBridgeAt(double x, double y)
{
    double px = 0.0;
    double py = 0.0;
    const double d = ProjectPoint(x, y, &px, &py, 0.0, GetFullLength());
    for (int i = 0; i < bridges.Count(); ++i)
        if (bridges[i].position <= d && d <= bridges[i].position + bridges[i].width)
            return i;
    return -1;
}

void CElement::ScaleBridges(double factor)
{
    switch (iAutoBridges) {
    case BridgeMode::ByCount:
        lBridges *= factor;
        RefreshBridges();
        break;
    case BridgeMode::ByHand:
        for (Bridge& b : bridges) {
            b.position *= factor;
            b.width *= factor;
        }
        bridges.Normalize();
        displayDirty = true;
        break;
    case BridgeMode::ByRule:
        RefreshBridges();
        break;
    default:
        break;
    }
}
