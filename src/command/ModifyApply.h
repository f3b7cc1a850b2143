#pragma once
// The model side of the modify commands: the transformations one run
// applies to the current section's selection, checked as a whole and then
// applied in one undo step (rotate, scale, mirror, move), detached or
// connected, on copies when asked.
class CElement;
class CMorvekDoc;

namespace modifyapply {

// Language texts: the undo title and the question about rotated nodes.
constexpr int kTextUndoTitle = 405;
constexpr int kTextConvertRotated = 167;

struct ModifyPlan {
    bool rotate = false;
    double cx = 0.0, cy = 0.0, angle = 0.0;
    bool scale = false;
    double sx = 0.0, sy = 0.0, fx = 1.0, fy = 1.0;
    bool mirror = false;
    double x1 = 0.0, y1 = 0.0, x2 = 0.0, y2 = 0.0;
    bool move = false;
    double dx = 0.0, dy = 0.0;

    // Every transformation of the plan takes its values, so that a run
    // applies all of them or changes nothing.
    bool IsValid() const;
};

// Applies the plan to the current section's selection in one undo step
// (text 405): nodes with rotation formulas are first made plain after
// text 167 is answered Yes; with copy an unselected copy of each selected
// element stays in place; detached when the document's move-elements flag
// or copy is set. False, nothing changed and no undo step, for a plan that
// is not valid, No to the question, or no current section.
bool Apply(CMorvekDoc& doc, const ModifyPlan& plan, bool copy);

// The current section's selected elements (the die board not counted); 0
// without a section.
int SelectedCount(const CMorvekDoc& doc);
void Select(CElement& element);
// Clears the current section's selection.
void Deselect(CMorvekDoc& doc);

} // namespace modifyapply
