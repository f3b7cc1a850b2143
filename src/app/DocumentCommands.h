#pragma once
// The handlers of the commands the active drawing runs (the Document rows
// of shell::CommandTable), one row each in DocumentCommands.cpp: the file
// commands of a drawing, Undo and Redo, the view's zoom and display
// switches, the interactive commands (each starts its command class), the
// dialogs around a drawing, the exporters and the view's popup items.
namespace app {

class DocumentView;

class DocumentCommands {
public:
    // Runs the command's handler on the view; false when no row has one.
    static bool Run(DocumentView& view, int commandId);
    // A toggle's check mark in this view; false for any other command.
    static bool IsChecked(const DocumentView& view, int commandId);
    // Whether a row runs the command.
    static bool Has(int commandId);
};

} // namespace app
