#pragma once
// What the standards browser hands to the insertion when it closes: the
// action, the chosen standard (absolute path, and the catalogue's own text
// of it, the key of its remembered dimensions), the four main dimensions
// and the secondary origin the standard is to be placed at.
#include <QString>

namespace standards {

struct BoxDimensions {
    double a = 0.0; // mm
    double b = 0.0;
    double h = 0.0;
    double matThick = 0.0;

    bool operator==(const BoxDimensions&) const = default;
};

struct StandardChoice {
    enum class Action { Cancel, Load, Merge, PickOrigin };

    Action action = Action::Cancel;
    QString file; // absolute; empty for Cancel and PickOrigin
    QString key;  // the entry's file text as the catalogue stores it
    bool extended = false; // an extended standard (".nst")
    BoxDimensions dimensions;
    // The standard's nodes are placed relative to this origin (formula
    // texts) when set.
    bool secondary = false;
    QString originX;
    QString originY;
    QString rotation;
};

} // namespace standards
