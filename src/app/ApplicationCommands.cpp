#include "app/ApplicationCommands.h"

#include "app/AboutDialog.h"
#include "app/FileChooser.h"
#include "app/MainWindow.h"
#include "app/MorvekXPApp.h"
#include "shell/CommandTable.h"

#include <QMdiArea>

#include <algorithm>

namespace app {

using shell::CommandId;

class ApplicationCommandHandlers {
public:
    using Run = void (*)(MainWindow&, int commandId);
    using Checked = bool (*)(const MainWindow&, int commandId);

    struct Row {
        CommandId id;
        Run run;
        Checked checked = nullptr;
    };

    static void New(MainWindow& window, int) { window.NewDocument(); }
    static void Open(MainWindow& window, int) { window.OnFileOpen(DrawingFilter()); }
    static void Import(MainWindow& window, int) { window.OnFileOpen(ImportFilter()); }
    static void Exit(MainWindow& window, int) { window.close(); }
    static void LineTypes(MainWindow& window, int) { window.OnLineTypes(); }
    static void BridgeFormula(MainWindow& window, int) { window.OnBridgeFormula(); }
    static void Bar(MainWindow& window, int commandId)
    {
        if (QWidget* bar = window.BarForCommand(commandId))
            bar->setVisible(!bar->isVisible());
    }
    static bool BarShown(const MainWindow& window, int commandId)
    {
        const QWidget* bar = window.BarForCommand(commandId);
        return bar && bar->isVisible();
    }
    static void SecondaryRelativity(MainWindow&, int)
    {
        if (CMorvekXPApp* morvek = CMorvekXPApp::Current())
            morvek->SetUseSecondaryRelativity(!morvek->UseSecondaryRelativity());
    }
    static bool SecondaryRelativityOn(const MainWindow&, int)
    {
        const CMorvekXPApp* morvek = CMorvekXPApp::Current();
        return morvek && morvek->UseSecondaryRelativity();
    }
    static void Cascade(MainWindow& window, int) { window.ArrangeDocuments(MainWindow::Arrangement::Cascade); }
    static void Tile(MainWindow& window, int) { window.ArrangeDocuments(MainWindow::Arrangement::Tile); }
    static void ArrangeIcons(MainWindow& window, int) { window.ArrangeDocuments(MainWindow::Arrangement::Icons); }
    static void About(MainWindow& window, int)
    {
        AboutDialog dialog(&window);
        dialog.exec();
    }

    static const Row kRows[];
};

namespace {

using H = ApplicationCommandHandlers;

} // namespace

// One row per command the application runs.
const ApplicationCommandHandlers::Row ApplicationCommandHandlers::kRows[] = {
    {CommandId::FileNew, &H::New},
    {CommandId::FileOpen, &H::Open},
    {CommandId::FileImport, &H::Import},
    {CommandId::Exit, &H::Exit},
    {CommandId::LineTypes, &H::LineTypes},
    {CommandId::BridgeFormula, &H::BridgeFormula},
    {CommandId::UseSecondaryRelativity, &H::SecondaryRelativity, &H::SecondaryRelativityOn},
    {CommandId::MainToolbar, &H::Bar, &H::BarShown},
    {CommandId::ConstructToolbar, &H::Bar, &H::BarShown},
    {CommandId::PositionBar, &H::Bar, &H::BarShown},
    {CommandId::StateBar, &H::Bar, &H::BarShown},
    {CommandId::LineTypeBar, &H::Bar, &H::BarShown},
    {CommandId::StatusBar, &H::Bar, &H::BarShown},
    {CommandId::Properties, &H::Bar, &H::BarShown},
    {static_cast<CommandId>(346), &H::Bar, &H::BarShown},
    {static_cast<CommandId>(347), &H::Bar, &H::BarShown},
    {static_cast<CommandId>(348), &H::Bar, &H::BarShown},
    {static_cast<CommandId>(349), &H::Bar, &H::BarShown},
    {static_cast<CommandId>(350), &H::Bar, &H::BarShown},
    {static_cast<CommandId>(351), &H::Bar, &H::BarShown},
    {static_cast<CommandId>(352), &H::Bar, &H::BarShown},
    {static_cast<CommandId>(353), &H::Bar, &H::BarShown},
    {static_cast<CommandId>(354), &H::Bar, &H::BarShown},
    {static_cast<CommandId>(355), &H::Bar, &H::BarShown},
    {CommandId::WindowCascade, &H::Cascade},
    {CommandId::WindowTile, &H::Tile},
    {CommandId::WindowArrangeIcons, &H::ArrangeIcons},
    {CommandId::About, &H::About},
};

namespace {

const ApplicationCommandHandlers::Row* FindRow(int commandId)
{
    const shell::CommandRow* command = shell::FindCommand(commandId);
    if (!command)
        return nullptr;
    const auto& rows = ApplicationCommandHandlers::kRows;
    const auto* it = std::find_if(std::begin(rows), std::end(rows),
                                  [command](const auto& row) { return row.id == command->id; });
    return it == std::end(rows) ? nullptr : it;
}

} // namespace

bool ApplicationCommands::Run(MainWindow& window, int commandId)
{
    const ApplicationCommandHandlers::Row* row = FindRow(commandId);
    if (!row)
        return false;
    row->run(window, commandId);
    return true;
}

bool ApplicationCommands::IsChecked(const MainWindow& window, int commandId)
{
    const ApplicationCommandHandlers::Row* row = FindRow(commandId);
    return row && row->checked && row->checked(window, commandId);
}

bool ApplicationCommands::Has(int commandId)
{
    return FindRow(commandId) != nullptr;
}

} // namespace app
