#pragma once
// The view's dialog commands of measuring: Measure > Line Length (the rule
// length report, shown modally over the view) and Debug > Bobst wood (the
// Bobst die-board form, whose result is ignored).
class CMorvekDoc;
class QWidget;

namespace app {

constexpr int kCmdLineLength = 208;

// Runs the command the id names; false for another id.
bool RunMeasureDialog(int commandId, QWidget* view, const CMorvekDoc& doc);

} // namespace app
