#include "shell/SizingBarState.h"

#include "platform/Registry.h"

#include <algorithm>
#include <array>

namespace shell {
namespace {

struct Keys {
    SizingBarState::Placement placement;
    const char* cx;
    const char* cy;
};

constexpr std::array kKeys{
    Keys{SizingBarState::Placement::Horizontal, "sizeHorzCX", "sizeHorzCY"},
    Keys{SizingBarState::Placement::Vertical, "sizeVertCX", "sizeVertCY"},
    Keys{SizingBarState::Placement::Floating, "sizeFloatCX", "sizeFloatCY"},
};

BarSize AtLeast(BarSize size, BarSize minimum)
{
    return BarSize{std::max(size.cx, minimum.cx), std::max(size.cy, minimum.cy)};
}

} // namespace

QString SizingBarState::Section(const QString& prefix, int barId)
{
    return QStringLiteral("%1-SCBar-%2").arg(prefix).arg(barId).left(255);
}

BarSize SizingBarState::Minimum(Placement placement)
{
    switch (placement) {
    case Placement::Horizontal:
        return kMinHorizontal;
    case Placement::Vertical:
        return kMinVertical;
    case Placement::Floating:
        break;
    }
    return kMinFloating;
}

BarSize SizingBarState::Size(Placement placement) const
{
    switch (placement) {
    case Placement::Horizontal:
        return horizontal_;
    case Placement::Vertical:
        return vertical_;
    case Placement::Floating:
        break;
    }
    return floating_;
}

void SizingBarState::SetSize(Placement placement, BarSize size)
{
    const BarSize kept = AtLeast(size, Minimum(placement));
    switch (placement) {
    case Placement::Horizontal:
        horizontal_ = kept;
        break;
    case Placement::Vertical:
        vertical_ = kept;
        break;
    case Placement::Floating:
        floating_ = kept;
        break;
    }
}

void SizingBarState::LoadState(const QString& prefix, int barId)
{
    const QString section = Section(prefix, barId);
    for (const Keys& keys : kKeys) {
        const BarSize current = Size(keys.placement);
        SetSize(keys.placement, BarSize{platform::Registry::getInt(section, QLatin1String(keys.cx), current.cx),
                                        platform::Registry::getInt(section, QLatin1String(keys.cy), current.cy)});
    }
}

bool SizingBarState::SaveState(const QString& prefix, int barId) const
{
    const QString section = Section(prefix, barId);
    platform::RegistryBatch batch;
    for (const Keys& keys : kKeys) {
        const BarSize size = Size(keys.placement);
        (void)platform::Registry::writeInt(section, QLatin1String(keys.cx), size.cx); // the batch reports
        (void)platform::Registry::writeInt(section, QLatin1String(keys.cy), size.cy); // the batch reports
    }
    return batch.commit();
}

} // namespace shell
