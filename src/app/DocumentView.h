#pragma once
// The window of one document: it owns the document and shows it through a
// ViewCore, painting into two memory buffers of the screen's size (the
// drawing and the overlay) that are copied to the widget. The mouse position
// is tracked into the document's cursor record, so the element under the
// cursor shows highlighted.
#include "app/AutoLayoutDriver.h"
#include "app/ConstructDialogsWindow.h"
#include "app/ConstructDriver.h"
#include "app/ModifyDriver.h"
#include "app/ModifySheetWindow.h"
#include "app/PaperSizeTable.h"
#include "app/NewTextWindow.h"
#include "app/PropertiesWindow.h"
#include "app/ViewCommandUi.h"
#include "command/ViewInput.h"
#include "dlg/DieBoardForm.h"
#include "dlg/EdgeChoices.h"
#include "dlg/ShapeSizes.h"
#include "view/AutosaveTimer.h"
#include "view/EditCommands.h"
#include "view/ViewCore.h"

#include <QWidget>

#include <memory>
#include <optional>

class CMorvekDoc;
class COptions;
class QTimer;

namespace dlg {
class CLineCreateDlg;
}
namespace gui {
class QtDevice;
}

namespace app {

class DocumentView : public QWidget {
    Q_OBJECT
public:
    // Takes the document; the options may be null (see ViewCore).
    DocumentView(std::unique_ptr<CMorvekDoc> doc, const COptions* options, QWidget* parent = nullptr);
    ~DocumentView() override;

    CMorvekDoc& Document() const { return *doc_; }
    ViewCore& View() { return view_; }
    // The view's input rules, for a dialog's pick in the drawing.
    ViewInput& Input() { return input_; }
    // The modify commands (Move, Copy, Rotate, Mirror, Scale) and their sheet.
    ModifyDriver& Modify() { return modify_; }
    // The arc, ellipse and dimension dialogs with their picks.
    ConstructDriver& Construct() { return construct_; }
    // Die > Automatic Layout with its distance picks.
    AutoLayoutDriver& AutoLayout() { return autoLayout_; }
    // The paper sizes of the layout dialogs: the application's.
    PaperSizeTable& PaperSizes() { return PaperSizesOrFallback(fallbackPapers_); }
    // The element properties (the context menu's Properties, Measure >
    // Element and the pages' picks).
    PropertiesWindow& Properties() { return properties_; }
    // Construct > Basic > Relative Line's tool window; null until first shown.
    dlg::CLineCreateDlg* RelativeLineDialog() const { return relativeLine_; }

    // The drawing buffer of the last paint; null before the first.
    const gui::QtDevice* DrawingBuffer() const { return drawing_.get(); }
    // Runs a command of the drawing through its row of DocumentCommands
    // (the file, edit and view commands, the interactive commands, the
    // dialogs around the drawing, the exporters, the popup's items); false
    // when no row runs it.
    bool RunCommand(int commandId);
    // A toggle's check mark in this view (Nodes, Bridges, Special Line
    // Types, Mirror); false for another command.
    bool IsChecked(int commandId) const;
    // Picks what lies under the cursor's last pixel again: after a command
    // that took elements away or added some (Undo, Redo, Merge, Paste).
    void RefreshCursor();
    // The text and state of a command's menu item where the view decides
    // them (Undo and Redo); nothing for another command.
    std::optional<MenuItemState> MenuItem(int commandId) const;

    // The autosave timer (every COptions::GetAutosaveInterval seconds);
    // file dialogs and saves pause it.
    AutosaveTimer& Autosave() { return autosave_; }
    // File > Save: to the document's path, or to one asked for when it has
    // none. False when nothing was saved.
    bool Save();
    // File > Save As: asks a name and saves; on success the drawing (its
    // title and its autosave copy) takes the new name, otherwise it keeps
    // the old one and the failure has been shown. False when nothing was
    // saved.
    bool SaveAs();
    // Before closing: a modified drawing asks whether to save it (Yes saves,
    // No closes without, Cancel keeps the window). True when the window may
    // close.
    bool SaveModified();
    // The user has answered for this drawing already (File > Close All asks
    // for every drawing first): closing asks nothing more.
    void AgreeToClose() { closeAgreed_ = true; }
    // Die > Wood, and the properties of a die board: the die-board dialog on
    // the current layer's board (or none), unless an element is being
    // edited; a running command ends first. Returns the dialog's result
    // (QDialog::Accepted, Rejected or dlg::CWoodDlg::kDeleted), Rejected
    // when it did not open.
    int EditDieBoard();

protected:
    // A key that a hot key of the view's input binds stays with the view
    // instead of starting a command whose shortcut it is.
    bool event(QEvent* event) override;
    // Closing: SaveModified (unless answered already), then the document's
    // close, which removes its autosave copy; when that close is cancelled
    // or its save fails, the window stays open.
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // Mouse, wheel and keys go to the view's input rules (ViewInput), with
    // Shift, Ctrl and Alt read from each event; the popup menu opens when
    // the right button is released, unless that finished a zoom window.
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class DocumentCommandHandlers;

    void OnViewSetZoom();
    void OnFileSaveCopyAs();
    void OnClipboardCopy();
    void OnClipboardPaste();
    void OnAutosaveTimer();
    // View > Background: a picture file chosen in a file dialog.
    void ChooseBackground();
    // Construct > Shapes > Polygon and Rectangle: the dialog, then on OK the
    // centre point (DocumentViewShapes.cpp). False for another id.
    bool RunShapeCommand(int commandId);
    // The edge dialog over this view's kept choices (DocumentViewShapes.cpp).
    std::optional<OutlineSettings> AskEdge(bool restricted);
    // Construct > Basic > Relative Line: shows its tool window beside the
    // drawing (DocumentViewShapes.cpp).
    void ShowRelativeLine();

    std::unique_ptr<CMorvekDoc> doc_;
    ViewCore view_;
    AutosaveTimer autosave_;
    QTimer* autosaveTimer_;
    bool closeAgreed_ = false;
    ViewCommandUi commandUi_{this};
    ViewInput input_{view_, commandUi_, view_.Options()};
    ModifySheetWindow modifySheet_{this, *doc_};
    ModifyDriver modify_{input_, modifySheet_};
    ConstructDialogsWindow constructDialogs_{this};
    ConstructDriver construct_{input_, constructDialogs_};
    // Without an application object (the window tests) the standard sizes.
    PaperSizeTable fallbackPapers_;
    AutoLayoutDriver autoLayout_{
        input_, [this](dlg::AutoLayoutParams& params) { return ShowAutoLayoutDialog(this, *doc_, PaperSizes(), params); },
        [this] { update(); }};
    PropertiesWindow properties_{*this, input_};
    NewTextWindow newText_{*this, input_};
    // A child of the view: it goes with it.
    dlg::CLineCreateDlg* relativeLine_ = nullptr;
    std::unique_ptr<gui::QtDevice> drawing_;
    std::unique_ptr<gui::QtDevice> overlay_;
    // Set by every event but a mouse move: the next paint draws the die again.
    bool drawingStale_ = true;
    // While the drawing is shown fitted (on opening, after View > Center),
    // a new window size fits it again: the window takes its final size (the
    // property bar opening beside it) after the first paint. Any other zoom
    // keeps what the user chose.
    bool keepFitted_ = true;
    // The wheel's turn not yet used: one zoom step per kWheelNotch.
    static constexpr int kWheelNotch = 120;
    int wheelRest_ = 0;
    // The polygon dialog reopens with the values of its last OK.
    dlg::PolygonValues polygon_;
    // The edge dialog reopens with the results of its last OK.
    dlg::EdgeChoices edge_;
    // The die-board dialog's values for a layer without a board.
    dlg::DieBoardMemory dieBoard_;

    // After an input rule: a changed zoom or origin ends the fitted state;
    // repaints when asked.
    void AfterInput(bool repaint);
};

} // namespace app
