#pragma once
// The handlers of the commands the application runs with or without a
// drawing (the Application rows of shell::CommandTable), one row each in
// ApplicationCommands.cpp: File > New, Open, Import and Exit, the bars'
// show and hide, View > Line Types, Construct > Bridge formula and Use
// Secondary Relativity, Construct > Standard > Install, the Window commands
// and Help > About.
namespace app {

class MainWindow;

class ApplicationCommands {
public:
    // Runs the command's handler; false when no row has one.
    static bool Run(MainWindow& window, int commandId);
    // A toggle's check mark; false for any other command.
    static bool IsChecked(const MainWindow& window, int commandId);
    // Whether a row runs the command.
    static bool Has(int commandId);
};

} // namespace app
