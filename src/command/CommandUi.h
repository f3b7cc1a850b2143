#pragma once
// What the command engine and the view's input rules ask of the window
// around them: the prompt and position texts, the one-value dialog, the
// coordinate dialog and the context menu. The application implements it
// with widgets; tests with a script.
#include "platform/DrawingObjects.h"

#include <QString>

#include <vector>

// The coordinate dialog's four texts: the caller fills them ("%4.4f"), the
// dialog lets the user change them and the caller reads them back after OK
// as numbers (base + offset).
struct CoordinateEntry {
    QString baseX;
    QString baseY;
    QString dX;
    QString dY;
};

// One item of the view's context menu: the command it sends and its label.
struct ContextMenuItem {
    int command = 0;
    QString text;
    friend bool operator==(const ContextMenuItem&, const ContextMenuItem&) = default;
};

class CommandUi {
public:
    virtual ~CommandUi() = default;

    // Status pane 0 (the empty text clears it).
    virtual void SetStatusText(const QString& text) = 0;
    // The state bar's text (kept when the status pane is cleared).
    virtual void SetStateText(const QString& text) = 0;
    // The position bar: the cursor's model point and the zoom.
    virtual void SetPositionText(const QString& text) = 0;
    // The one-value dialog, modal: label and value text in, the typed text
    // out. False on Cancel. With validate, only a number's characters pass.
    virtual bool AskValue(const QString& label, QString& value, bool validate) = 0;
    // The coordinate dialog, modal. False on Cancel.
    virtual bool AskCoordinate(CoordinateEntry& entry) = 0;
    // Shows the popup menu at the screen point and returns the command of
    // the chosen item, 0 when none was chosen.
    virtual int ShowContextMenu(const std::vector<ContextMenuItem>& items, platform::DevicePoint screen) = 0;
    // The element properties of the document's remembered element (Measure
    // > Element hands its pick over); nothing where no sheet can open.
    virtual void EditProperties() {}
};
