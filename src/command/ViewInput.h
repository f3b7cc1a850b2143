#pragma once
// The view's input rules without a window: mouse moves, clicks, drags, the
// wheel and keys turned into model coordinates, snapped, and fed to the
// running command, or used for the view's own drag actions when none runs
// (pan, node drag, box selection, zoom window; ViewDragActions.h). Also the
// point-definition hot keys, cancelling and the context menu.
//
// Shift, Ctrl and Alt come with every event (the window reads them from the
// event itself); nothing is remembered between key messages, so a key
// released in another window can never leave a modifier stuck.
#include "command/CommandUi.h"
#include "command/InteractiveCommand.h"
#include "platform/DrawingObjects.h"

#include <memory>

class CElement;
class CInputRequest;
class CMorvekDoc;
class COptions;
class ViewCore;

namespace platform {
class Device;
}

struct InputModifiers {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

// The rectangle of the last box selection (model mm) and whether there is one.
struct SelectionBox {
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
    bool valid = false;
};

class ViewInput {
public:
    // Language texts and command ids used here.
    static constexpr int kTextPosition = 252;   // the position bar: x, y, zoom
    static constexpr int kTextNodeDrag = 400;   // undo title of a node drag
    static constexpr int kTextFreePointHint = 920; // "(%1: free point)"
    static constexpr int kCmdSelectItem = 162;
    static constexpr int kCmdUnselectItem = 403;
    static constexpr int kCmdExitFunction = 163;
    static constexpr int kCmdProperties = 164;
    static constexpr int kCmdNodeProperties = 256;
    static constexpr int kCmdModifyBridges = 289;
    static constexpr int kCmdSelectSymmetrical = 33011;
    static constexpr int kCmdChangeBridgeLength = 33012;
    // Command codes of the view's own drag actions.
    static constexpr int kCodePan = 0;
    static constexpr int kCodeBoxSelect = 15;
    static constexpr int kCodeZoomWindow = 16;
    static constexpr int kCodeNodeDrag = 501;
    static constexpr double kWheelFactor = 1.125;
    // The wheel zooms out no further once the zoom is at or below this.
    static constexpr double kMinWheelZoom = 0.001;

    // The options give the hot keys and pens; they may be null (no hot key
    // matches).
    ViewInput(ViewCore& core, CommandUi& ui, const COptions* options);

    ViewCore& Core() const { return core_; }
    CommandUi& Ui() const { return ui_; }
    const COptions* Options() const { return options_; }
    CMorvekDoc* GetDocument() const;
    // The document's request; null without a document.
    CInputRequest* Request() const;
    // " (F2: free point)" with the free-point key's name, the suffix of the
    // first prompt of a point step; empty while no key is bound.
    QString FreePointHint() const;

    void SetClientSize(int width, int height);
    int ClientWidth() const { return clientWidth_; }
    int ClientHeight() const { return clientHeight_; }

    // --- the rules; each returns true when the view should repaint ----------
    // Fills the document's cursor record for the pixel.
    void UpdateCursor(platform::DevicePoint pixel);
    bool OnMouseMove(platform::DevicePoint pixel, InputModifiers mods);
    bool OnLButtonDown(platform::DevicePoint pixel, InputModifiers mods);
    bool OnLButtonUp(platform::DevicePoint pixel, InputModifiers mods);
    bool OnRButtonDown(platform::DevicePoint pixel, InputModifiers mods);
    // True when the release may open the context menu: false after a zoom
    // window that zoomed, and while a left-button drag runs.
    bool OnRButtonUp(platform::DevicePoint pixel, InputModifiers mods);
    bool OnMButtonDown(platform::DevicePoint pixel, InputModifiers mods);
    // delta > 0 turned away from the user (zoom in), < 0 towards (zoom out).
    bool OnMouseWheel(int delta, InputModifiers mods);
    // virtualKey: the Windows virtual-key code of the key.
    bool OnKeyDown(int virtualKey, InputModifiers mods);
    bool OnKeyUp(int virtualKey, InputModifiers mods);
    // Builds the popup for the cursor and shows it through the UI; the
    // view's own items (select, unselect, exit function, select
    // symmetrical) are carried out here. Returns the chosen command when it
    // is one the caller carries out (properties, node properties, bridges),
    // else 0.
    int OnContextMenu(platform::DevicePoint screen);
    // The popup's items for the cursor as it stands (empty: no popup shows).
    std::vector<ContextMenuItem> ContextMenuItems();
    // Carries out one of the view's own popup commands; false for others.
    bool OnPopupCommand(int command);

    // The running command's marks on the overlay, after the view's paint:
    // the element snap a click would take (a line from the last point, and
    // a marker where no node is under the cursor), then the command's own
    // drawing with the null pen selected. Nothing while no command runs.
    void DrawOverlay(platform::Device& overlay);

    // Ends the running command: the command flag cleared, its object under
    // way rolled back, another open undo step closed, the measure line and
    // status pane 0 cleared.
    void CancelCommand();

    // --- view state the rules and the drag actions share ---------------------
    int boxSelectMode = 2;    // 2 every node inside the box, 1 any node
    SelectionBox lastSelection;
    CElement* popupElement = nullptr;
    int popupNode = -1;
    bool popupActive = false;

private:
    // Offers the click to the current step (the cursor record updated).
    void AcceptClick();
    // Starts one of the view's own one-step drag requests.
    void StartDrag(int code, int button, int title, std::unique_ptr<InteractiveCommand> command);
    void ShowPosition();
    // Action 1 or 2 of the point-definition keys on the current step.
    bool DefinePoint(int action, int mode);

    ViewCore& core_;
    CommandUi& ui_;
    const COptions* options_;
    int clientWidth_ = 0;
    int clientHeight_ = 0;
};
