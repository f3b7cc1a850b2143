#pragma once
// The view's edit commands on its document that need no window: Undo and
// Redo with the texts and states of their menu items, and Set Zoom's
// reading of the typed value.
#include <QString>
#include <QStringView>

#include <optional>

class CMorvekDoc;
class CUndoManager;
struct SpecStandardComponent;

// Language texts: "Undo" and "Redo" before the step's title, and the items'
// texts when there is nothing to undo or redo.
inline constexpr int kTextUndoStep = 168;
inline constexpr int kTextRedoStep = 169;
inline constexpr int kTextNothingToUndo = 165;
inline constexpr int kTextNothingToRedo = 166;
// The label of Set Zoom's value dialog.
inline constexpr int kTextSetZoomLabel = 719;

struct MenuItemState {
    bool enabled = false;
    QString text;
};

// Undo: enabled and "<168> : <title of the step undo would apply>" when
// there is a step, else disabled with text 165. Redo likewise (169, 166).
MenuItemState UndoMenuItem(const CUndoManager& undo);
MenuItemState RedoMenuItem(const CUndoManager& undo);

// Ends a running command (its undo step is closed), undoes or redoes one
// step, then brings the elements and the bridges up to date.
void UndoOneStep(CMorvekDoc& doc);
void RedoOneStep(CMorvekDoc& doc);

// Modify > Select All and Invert Selection: every element of the current
// layer but the die board selected, or each one's selection turned over.
void SelectAllElements(CMorvekDoc& doc);
void InvertElementSelection(CMorvekDoc& doc);

// File > Merge of a chosen file: CMorvekDoc::MergeFile asking about the
// variables, then the document marked modified and its elements, node
// values and bridges brought up to date. False, nothing changed, when the
// file was not merged (the user has been told why).
bool MergeDrawing(CMorvekDoc& doc, const QString& path);
// The same with the file's nodes placed relative to the place's x, y and
// rotation formulas (null: where the file has them).
bool MergeDrawingAt(CMorvekDoc& doc, const QString& path, const SpecStandardComponent* place);
// Every layer's elements, the nodes' positions and the bridges brought up
// to date after the document's variables or nodes changed.
void BringUpToDate(CMorvekDoc& doc);

// The zoom as Set Zoom offers it ("%6.3f").
QString ZoomText(double zoom);
// The typed zoom: the leading number of the text ("12,5" reads 12, "1/2"
// reads 1); nothing when the text does not start with a number, which
// Set Zoom refuses rather than taking as the smallest zoom.
std::optional<double> ZoomFromText(QStringView text);
