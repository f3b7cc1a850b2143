// The main window's settings dialogs: the line types and the bridge rules.
#include "app/DocumentView.h"
#include "app/MainWindow.h"
#include "app/MorvekXPApp.h"
#include "app/WindowSteps.h"
#include "dlg/BridgeSettingDlg.h"
#include "dlg/LineTypesDlg.h"
#include "document/MorvekDoc.h"
#include "options/Options.h"
#include "platform/Paths.h"
#include "platform/Prompt.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace app {
std::vector<DocumentView*> MainWindow::OpenViews() const
{
    std::vector<DocumentView*> views;
    for (QMdiSubWindow* child : documents_->subWindowList())
        if (auto* view = qobject_cast<DocumentView*>(child->widget()))
            views.push_back(view);
    return views;
}

// The line types the elements of the open documents are drawn with.
std::set<int> MainWindow::UsedLineTypes() const
{
    std::vector<const CMorvekDoc*> documents;
    for (const DocumentView* view : OpenViews())
        documents.push_back(&view->Document());
    return dlg::LineTypeChanges::UsedBy(documents);
}

void MainWindow::OnLineTypes()
{
    CMorvekXPApp* morvek = CMorvekXPApp::Current();
    if (!morvek)
        return;
    const COptions* options = morvek->GetOptions();
    const auto background = static_cast<platform::ColorRef>(options ? options->GetBackgroundColour() : 0);
    dlg::CLineTypesDlg dialog(this, morvek->GetLinetypeTable(), UsedLineTypes(), background);
    if (dialog.exec() != QDialog::Accepted)
        return;
    RefillLineTypeBar(*this, *morvek);
    for (DocumentView* view : OpenViews())
        view->update();
}

void MainWindow::OnBridgeFormula()
{
    COptions* options = COptions::Current();
    if (!options)
        return;
    BridgeRuleSet* rules = nullptr;
    double* perLength = nullptr;
    double* length = nullptr;
    options->GetBridgeSettings(rules, perLength, length);
    dlg::CBridgeSettingDlg dialog(this);
    dialog.SetRuleTable(rules);
    dialog.SetDefaultValues(perLength, length);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!options->SaveBridges())
        (void)platform::ask(QStringLiteral("Cannot create file: \n")
                                + platform::localPath(QStringLiteral("\\Config\\bridges.cfg")),
                            QString(), platform::PromptButtons::Ok, platform::PromptIcon::Error); // Ok only
    // The documents' automatic bridges follow the new rules.
    for (DocumentView* view : OpenViews()) {
        view->Document().RefreshAllBridges();
        view->update();
    }
}

} // namespace app
