#pragma once
// What the automatic layout dialog does without its widgets: which record
// and value each field edits (the X group's vertical shifts live in the Y
// record, the Y group's horizontal shifts in the X record), which fields a
// direction without alternate turns disables, the repeat fields' floor,
// the pick buttons' codes with the row each one measures, and what a saved
// layout and an optimised result give the dialog back.
#include "geometry/AutoInstance.h"

#include <QString>

#include <optional>

class Section;
struct SavedLayout;
struct LayoutFit;

namespace dlg {

// The two step-and-repeat records of a layer: X (side by side, the
// section's rows record) and Y (one above the other, its columns record).
struct AutoLayoutParams {
    AutoInstance x;
    AutoInstance y;
};

// The dialog's number fields, group by group.
enum class AutoField {
    XAngle,
    XGap1,
    XGap2,
    XVerticalShift1,
    XVerticalShift2,
    YAngle,
    YGap1,
    YGap2,
    YHorizontalShift1,
    YHorizontalShift2,
    Count
};
inline constexpr int kAutoFieldCount = static_cast<int>(AutoField::Count);

// The value a field edits.
double& FieldValue(AutoLayoutParams& params, AutoField field);
double FieldValue(const AutoLayoutParams& params, AutoField field);

// Whether the field is editable with the given alternate-turn choices (the
// second radio of the group checked): the angle, the 2nd - 3rd distance and
// the 2nd - 3rd shift of a group need its alternate turns.
bool IsFieldEnabled(AutoField field, bool xAlternate, bool yAlternate);

// A repeat field's value as the dialog keeps it: 0 (or less) becomes 1, and
// no more copies than a layout can make.
int RepeatValue(int typed);

// The pick buttons' end codes.
inline constexpr int kPickNone = 0;
inline constexpr int kPickXFirst = 10;  // X 1st - 2nd
inline constexpr int kPickXSecond = 11; // X 2nd - 3rd
inline constexpr int kPickYFirst = 12;  // Y 1st - 2nd
inline constexpr int kPickYSecond = 13; // Y 2nd - 3rd
bool IsPickCode(int code);
// The distance and the shift field of a pick button's row.
struct PickRow {
    AutoField distance;
    AutoField shift;
    bool xRow;
};
PickRow PickRowOf(int pickCode);
// Whether the pick button is enabled (the 2nd - 3rd rows need the group's
// alternate turns).
bool IsPickEnabled(int pickCode, bool xAlternate, bool yAlternate);
// Adds the vector picked in the drawing (second point minus first) to the
// row of the button: an X row takes dx into its distance and dy into its
// (vertical) shift, a Y row dy into its distance and dx into its
// (horizontal) shift. Nothing for a code that is not a pick button's.
void AddPickedDistance(AutoLayoutParams& params, int pickCode, double dx, double dy);

// The name Save gives a layout: " Layout<counter>" (with its leading blank).
QString SavedLayoutName(int counter);

// A result chosen in the layout optimisation: its saved layout's records
// with the repeat counts of the best grid.
AutoLayoutParams ParamsOfResult(const SavedLayout& layout, const LayoutFit& fit);

// The layer's two records.
AutoLayoutParams LayerParams(const Section& section);
// Lays the records out on the layer and centres the copies. True when the
// layer's placements changed; a pair the layer refuses (a count out of
// range, a value not finite) changes nothing. Not recorded for undo.
bool ApplyLayout(Section& section, const AutoLayoutParams& params);

} // namespace dlg
