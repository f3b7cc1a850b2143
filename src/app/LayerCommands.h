#pragma once
// The view's commands around layers and the selection: View > Layer,
// Manipulation > Copy to Layer and Convert Nodes, and the selection wizard
// behind Modify > Special Selection and Manipulation > Delete > All
// Specified. Each shows its dialog modally over the view and carries out
// what it returns.
#include <functional>

class CMorvekDoc;
class QWidget;

namespace app {

class ModifyDriver;

// View > Layer: the layers dialog. Its changes mark the drawing modified
// (also when it is closed with Escape); OK marks it modified in any case.
// The undo history is dropped only when layers were added, deleted, merged
// or duplicated. repaint runs after every change the dialog makes.
void RunLayerDialog(QWidget* parent, CMorvekDoc& doc, const std::function<void()>& repaint);

// Manipulation > Copy to Layer: on OK the current layer's selection is
// copied into the chosen layer in one undo step. True when the dialog
// ended with OK.
bool RunCopyToLayer(QWidget* parent, CMorvekDoc& doc);

// Manipulation > Convert Nodes: on OK with an option set, the conversion in
// one undo step.
void RunConvertNodes(QWidget* parent, CMorvekDoc& doc);

// The selection wizard with the action preset (dlg::SelectionCriteria::
// SelectOnly or Delete); on Finish the chosen action: delete in one undo
// step, move or copy through the modify driver's sheet, or Copy to Layer.
void RunSelectionWizard(QWidget* parent, CMorvekDoc& doc, ModifyDriver& modify, int presetAction,
                        const std::function<void()>& repaint);

} // namespace app
