#pragma once
// The three sizes of a sizable bar (docked in a row along the top or
// bottom, docked in a column at the left or right, floating), each kept at
// least at its minimum, and their place in the registry profile: section
// "<prefix>-SCBar-<id>", keys "sizeHorzCX" .. "sizeFloatCY".
#include <QString>

namespace shell {

struct BarSize {
    int cx = 200;
    int cy = 200;
};

class SizingBarState {
public:
    enum class Placement { Horizontal, Vertical, Floating };

    static constexpr BarSize kMinHorizontal{33, 32};
    static constexpr BarSize kMinVertical{33, 32};
    static constexpr BarSize kMinFloating{37, 32};

    static QString Section(const QString& prefix, int barId);
    static BarSize Minimum(Placement placement);

    BarSize Size(Placement placement) const;
    // Stores the size the bar has now, raised to the minimum.
    void SetSize(Placement placement, BarSize size);

    // Each value from the profile, the current one where it is missing; a
    // value below its minimum reads as the minimum.
    void LoadState(const QString& prefix, int barId);
    // False when the profile could not be written.
    [[nodiscard]] bool SaveState(const QString& prefix, int barId) const;

private:
    BarSize horizontal_;
    BarSize vertical_;
    BarSize floating_;
};

} // namespace shell
