#include "app/WindowSteps.h"

#include "app/DefaultMenu.h"
#include "app/MainWindow.h"
#include "app/MorvekXPApp.h"
#include "options/LanguageTable.h"
#include "shell/ToolbarButtons.h"

namespace app {
namespace {

// Line types of this mask are the ones the user draws with (the display
// line types are left out).
constexpr int kDrawingLineTypes = 4;

} // namespace

bool WindowSteps::Perform(StartupStep step)
{
    if (step == StartupStep::CreateMainWindow)
        CreateMainWindow();
    if (step == StartupStep::ShowMainWindow)
        window_.showMaximized();
    return true;
}

void WindowSteps::CreateMainWindow()
{
    const shell::CommandCatalogue& catalogue = morvek_.GetCommandCatalogue();
    // The bars first: the menus are then built once, with the commands'
    // pictures and the bars' check marks.
    shell::ToolbarButtons all;
    morvek_.AddCommandButtons(&all);
    window_.CreateBars(catalogue, all);
    BuildMenus(window_, morvek_);

    COptions* options = morvek_.GetOptions();
    QObject::connect(&window_, &MainWindow::lineTypeChosen, &window_, [options](int number) {
        if (options)
            options->SetLineType(number);
    });
    RefillLineTypeBar(window_, morvek_);
}

void BuildMenus(MainWindow& window, CMorvekXPApp& morvek)
{
    const auto translate = [](int id) { return Translate(id); };
    const shell::CommandCatalogue& catalogue = morvek.GetCommandCatalogue();
    window.TranslateActions();
    window.SetMenus(shell::MenuTree(DefaultMenu()).Build(catalogue, translate));

    shell::MenuTree document(DocumentMenu());
    std::vector<QString> exporters;
    for (const Export::exporter* exporter : morvek.GetEnabledExporters())
        exporters.push_back(exporter->GetName());
    document.SetExporters(exporters);
    std::vector<QString> standards;
    if (const COptions* options = morvek.GetOptions()) {
        for (int i = 0; i < options->GetStandards().Count(); ++i)
            standards.push_back(options->GetStandards().At(i).name);
    }
    document.SetStandards(standards);
    window.SetDocumentMenus(document.Build(catalogue, translate));
}

void RefillLineTypeBar(MainWindow& window, CMorvekXPApp& morvek)
{
    const COptions* options = morvek.GetOptions();
    std::map<int, QString> lineTypes;
    morvek.GetLinetypeTable().ListNames(lineTypes, kDrawingLineTypes);
    window.FillLineTypeCombo(lineTypes, -1, options ? options->GetLineType() : -1);
}

} // namespace app
