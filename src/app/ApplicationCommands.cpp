#include "app/ApplicationCommands.h"

#include "app/AboutDialog.h"
#include "app/FileChooser.h"
#include "app/MainWindow.h"
#include "app/HandlerRows.h"
#include "app/PrintCommands.h"
#include "app/StandardCommands.h"
#include "app/MorvekXPApp.h"
#include "app/WindowSteps.h"
#include "dlg/KeySettingDlg.h"
#include "dlg/LanguageDlg.h"
#include "dlg/SettingsPathDlg.h"
#include "dlg/StdInstallDlg.h"
#include "dlg/ExportsEditor.h"
#include "dlg/GeneralSetup.h"
#include "shell/CommandTable.h"

#include <QMdiArea>


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
    // With a drawing open the standard goes into the active one; without,
    // the browser can only load it as a new drawing.
    static void Standard(MainWindow& window, int commandId)
    {
        (void)RunStandardCommand(window, window.ActiveView(), commandId, window.standardsBuilt_);
    }
    static void StandardCollections(MainWindow& window, int) { EditStandardCollections(window); }
    static void Cascade(MainWindow& window, int) { window.ArrangeDocuments(MainWindow::Arrangement::Cascade); }
    static void Tile(MainWindow& window, int) { window.ArrangeDocuments(MainWindow::Arrangement::Tile); }
    static void ArrangeIcons(MainWindow& window, int) { window.ArrangeDocuments(MainWindow::Arrangement::Icons); }
    // --- Options ----------------------------------------------------------------
    static void Language(MainWindow& window, int)
    {
        CMorvekXPApp* morvek = CMorvekXPApp::Current();
        if (morvek && morvek->GetOptions() && dlg::RunLanguageDialog(&window, *morvek->GetOptions()))
            BuildMenus(window, *morvek); // relabelled at once
    }
    static void Paths(MainWindow& window, int)
    {
        CMorvekXPApp* morvek = CMorvekXPApp::Current();
        if (!morvek || !morvek->GetOptions())
            return;
        // Each browse stores its path at once: nothing is read back.
        dlg::CSettingsPathDlg sheet(&window, *morvek->GetOptions());
        sheet.exec();
    }
    static void HotKeys(MainWindow& window, int)
    {
        CMorvekXPApp* morvek = CMorvekXPApp::Current();
        if (morvek && morvek->GetOptions())
            dlg::RunKeySettings(&window, *morvek->GetOptions());
    }
    static void PrintSetup(MainWindow& window, int) { app::PrintSetup(&window, window.Printer()); }
    static void About(MainWindow& window, int)
    {
        AboutDialog dialog(&window);
        dialog.exec();
    }

    static void OutputOptions(MainWindow& window, int)
    {
        CMorvekXPApp* morvek = CMorvekXPApp::Current();
        if (!morvek)
            return;
        dlg::ExportsEditor editor(morvek->GetExportManager(), &window);
        // The menus are built again, with the exporters as they are now, once
        // the command that opened the list has returned.
        editor.SetOnSaved([&window] {
            QMetaObject::invokeMethod(
                &window,
                [&window] {
                    if (CMorvekXPApp* app = CMorvekXPApp::Current())
                        BuildMenus(window, *app);
                },
                Qt::QueuedConnection);
        });
        editor.exec();
    }

    static void StandardInstall(MainWindow& window, int)
    {
        dlg::CDlgStdInstall dialog(&window);
        dialog.exec();
    }

    static void Display(MainWindow& window, int)
    {
        dlg::GeneralSetup dialog(&window);
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
    {CommandId::StandardInstall, &H::StandardInstall},
    {CommandId::UseSecondaryRelativity, &H::SecondaryRelativity, &H::SecondaryRelativityOn},
    {CommandId::MainToolbar, &H::Bar, &H::BarShown},
    {CommandId::ConstructToolbar, &H::Bar, &H::BarShown},
    {CommandId::PositionBar, &H::Bar, &H::BarShown},
    {CommandId::StateBar, &H::Bar, &H::BarShown},
    {CommandId::LineTypeBar, &H::Bar, &H::BarShown},
    {CommandId::StatusBar, &H::Bar, &H::BarShown},
    {CommandId::Properties, &H::Bar, &H::BarShown},
    {shell::UserToolbarCommand(1), &H::Bar, &H::BarShown},
    {shell::UserToolbarCommand(2), &H::Bar, &H::BarShown},
    {shell::UserToolbarCommand(3), &H::Bar, &H::BarShown},
    {shell::UserToolbarCommand(4), &H::Bar, &H::BarShown},
    {shell::UserToolbarCommand(5), &H::Bar, &H::BarShown},
    {shell::UserToolbarCommand(6), &H::Bar, &H::BarShown},
    {shell::UserToolbarCommand(7), &H::Bar, &H::BarShown},
    {shell::UserToolbarCommand(8), &H::Bar, &H::BarShown},
    {shell::UserToolbarCommand(9), &H::Bar, &H::BarShown},
    {shell::UserToolbarCommand(10), &H::Bar, &H::BarShown},
    {CommandId::StandardFefco, &H::Standard},
    {CommandId::StandardEcma, &H::Standard},
    {CommandId::StandardTop, &H::Standard},
    {CommandId::EuroHole, &H::Standard},
    {CommandId::FirstStandard, &H::Standard},
    {CommandId::StandardCollections, &H::StandardCollections},
    {CommandId::WindowCascade, &H::Cascade},
    {CommandId::WindowTile, &H::Tile},
    {CommandId::WindowArrangeIcons, &H::ArrangeIcons},
    {CommandId::OptionsLanguage, &H::Language},
    {CommandId::OptionsPath, &H::Paths},
    {CommandId::OptionsHotKey, &H::HotKeys},
    {CommandId::FilePrintSetup, &H::PrintSetup},
    {CommandId::About, &H::About},
    {CommandId::OutputOptions, &H::OutputOptions},
    {CommandId::OptionsDisplay, &H::Display},
};

bool ApplicationCommands::Run(MainWindow& window, int commandId)
{
    return RunHandlerRow(ApplicationCommandHandlers::kRows, window, commandId);
}

bool ApplicationCommands::IsChecked(const MainWindow& window, int commandId)
{
    return HandlerRowChecked(ApplicationCommandHandlers::kRows, window, commandId);
}

bool ApplicationCommands::Has(int commandId)
{
    return FindHandlerRow(ApplicationCommandHandlers::kRows, commandId) != nullptr;
}

} // namespace app
