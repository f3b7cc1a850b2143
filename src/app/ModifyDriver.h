#pragma once
// The modify commands of the view: Modify > Move, Rotate, Mirror, Scale and
// Manipulation > Copy go through one driver. It shows the modify sheet (the
// Move, Rotate and Scale/Mirror pages) and on OK applies every
// transformation the pages hold to the current section's selection in one
// undo step: rotate, then scale, then mirror, then move. With nothing
// selected it asks for an element first. The sheet's pick buttons hand the
// sheet over to a one-point request of the command engine, whose
// after-finish callback writes the point into the page and reopens the
// sheet. A direct run applies one kind from the scratch points without the
// sheet (the quick commands).
#include "dlg/ModifyPages.h"

#include <QString>

class CElement;
class CInputRequest;
class ViewInput;

namespace app {

// A point of a direct run (mm).
struct ModifyPoint {
    double x = 0.0;
    double y = 0.0;
};

// How the driver shows its sheet; the view implements it with the widget,
// tests with a script.
class ModifySheetUi {
public:
    virtual ~ModifySheetUi() = default;
    // The sheet, modal, on the kind's page (ModifyDriver::kKind...) with
    // the caption. Returns kSheetOk, kSheetCancel or the end code of a
    // page's button (a pick, or the interactive rotation).
    virtual int ShowModifySheet(dlg::ModifyPages& pages, int kind, const QString& caption) = 0;
    virtual void Repaint() {}
};

class ModifyDriver {
public:
    // The kinds of a run.
    static constexpr int kKindMove = 111;
    static constexpr int kKindRotate = 112;
    static constexpr int kKindScale = 113;
    static constexpr int kKindMirror = 114;
    // Menu command ids.
    static constexpr int kCmdMove = 224;
    static constexpr int kCmdCopy = 225;
    static constexpr int kCmdRotate = 226;
    static constexpr int kCmdMirror = 227;
    static constexpr int kCmdScale = 228;
    // The sheet's results: OK, Cancel, the pick buttons' end codes and the
    // interactive rotation.
    static constexpr int kSheetCancel = 0;
    static constexpr int kSheetOk = 1;
    static constexpr int kEndMoveStart = 207;
    static constexpr int kEndMoveEnd = 208;
    static constexpr int kEndRotateCentre = 215;
    static constexpr int kEndFlipAxis = 221;
    static constexpr int kEndFlipAxisEnd = 222;
    static constexpr int kEndScaleCentre = 224;
    static constexpr int kEndRotateInteractive = 211;
    // Command code of the element pick when nothing is selected.
    static constexpr int kCodeElementPick = 1301;
    // Language texts: the sheet's captions (copy, modify), the element
    // prompt and the prompt of the interactive rotation.
    static constexpr int kTextCaptionCopy = 403;
    static constexpr int kTextCaptionModify = 404;
    static constexpr int kTextPickElement = 260;
    static constexpr int kTextRotateInteractive = 365;
    // The quick commands: their ids, request codes and prompts (start and
    // end of a quick move or copy; the angle, its label and the centre of
    // a quick rotation).
    static constexpr int kCmdQuickMove = 409;
    static constexpr int kCmdQuickRotate = 410;
    static constexpr int kCmdQuickCopy = 411;
    static constexpr int kCodeQuickMove = 10004;
    static constexpr int kCodeQuickRotate = 10003;
    static constexpr int kCodeQuickCopy = 10001;
    static constexpr int kTextQuickMoveStart = 325;
    static constexpr int kTextQuickMoveEnd = 328;
    static constexpr int kTextQuickCopyStart = 331;
    static constexpr int kTextQuickCopyEnd = 332;
    static constexpr int kTextQuickRotateAngle = 2317;
    static constexpr int kTextAngleLabel = 330;
    static constexpr int kTextQuickRotateCentre = 326;

    ModifyDriver(ViewInput& input, ModifySheetUi& sheet) : input_(input), sheet_(sheet) {}

    // The five menu commands; false for another id.
    bool RunCommand(int commandId);
    // Quick Move and Quick Copy (two points), Quick Rotate (an angle,
    // offered as the document's last one, and a centre): then every
    // clicked element is moved, copied or turned the same way until the
    // command is cancelled. With a selection each click transforms the
    // selection. False for another id.
    bool StartQuick(int commandId);
    // kind: kKind...; reset clears the other pages before showing; element:
    // one picked by the user or null; direct: apply only the kind's
    // transformation from the scratch points, without the sheet.
    void DoModifyDlg(int kind, bool reset, CElement* element, bool direct);

    dlg::ModifyPages& Pages() { return pages_; }
    int Kind() const { return kind_; }
    bool IsSheetOpen() const { return sheetOpen_; }

    // Whether the transformations work on copies (Manipulation > Copy and
    // Quick Copy set it, the other commands clear it).
    bool copy = false;
    // Scratch points of a direct run: the centre of a quick rotation
    // (start), the start and end of a quick move or copy.
    ModifyPoint quickStart{};
    ModifyPoint quickEnd{};

private:
    // Step 7: the selection transformed in one undo step. False when
    // nothing changed (No to the rotated-node question, a value the
    // transformations refuse).
    bool Apply(int kind, bool direct);
    // A page's pick button: a one-point request whose after-finish
    // callback stores the point and reopens the sheet.
    void ArmPointPick(int endCode);
    void ArmElementPick(bool direct);

    ViewInput& input_;
    ModifySheetUi& sheet_;
    dlg::ModifyPages pages_;
    int kind_ = kKindMove;
    bool sheetOpen_ = false;
};

} // namespace app
