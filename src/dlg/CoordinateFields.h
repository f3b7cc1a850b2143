#pragma once
// What the coordinate entry dialog computes, without its widgets: a point
// typed relative to a base point, as the offset dX, dY or as a distance
// and an angle (degrees). All six values are texts, as the edits hold them.
// Editing one form rewrites the other; of the two values of the form being
// edited, the one the user left last stays fixed (dY at the start).
//
// Only the user's edit runs a rule: the values a rule writes run none, so
// the field being typed in is never rewritten and nothing drifts.
#include "geometry/Coord.h"

#include <QString>

#include <array>

namespace dlg {

class CoordinateFields {
public:
    enum Field : int { DeltaX = 0, DeltaY = 1, Angle = 2, Distance = 3, BaseX = 4, BaseY = 5 };
    static constexpr int kFieldCount = 6;

    // All texts empty; dY counts as left last.
    CoordinateFields() = default;

    // Sets a text as the caller fills the dialog: no rule runs.
    void Set(Field f, const QString& text) { texts_[static_cast<size_t>(f)] = text; }
    const QString& Text(Field f) const { return texts_[static_cast<size_t>(f)]; }
    // The field that lost the focus last (DeltaX to Distance).
    Field LastLeft() const { return lastLeft_; }

    // The user's edit of a field; the offset and polar fields then rewrite
    // the other form.
    void Edit(Field f, const QString& text);
    // A field lost the focus: of the offset and polar fields, it becomes the
    // one kept fixed.
    void Leave(Field f);

    // The base point plus the offset, the texts read as numbers (0 where a
    // text holds none).
    die::coord Result() const;

private:
    double Value(Field f) const;
    void Write(Field f, const char* format, double value);
    // The polar form from the offset.
    void PolarFromOffset(double dx, double dy, const char* format);
    // The rules of the four fields.
    void OffsetEdited(Field edited);
    void PolarEdited();

    std::array<QString, kFieldCount> texts_;
    Field lastLeft_ = DeltaY;
};

} // namespace dlg
