#include "app/StandardCommands.h"

#include "app/DocumentView.h"
#include "app/MainWindow.h"
#include "app/MorvekXPApp.h"
#include "app/WindowSteps.h"
#include "command/CInputRequest.h"
#include "command/RequestSetup.h"
#include "dlg/StandardBrowserDlg.h"
#include "dlg/StdCollectionDlg.h"
#include "options/Options.h"
#include "shell/CommandId.h"
#include "view/StandardInsertion.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

namespace app {
namespace {

using shell::CommandId;
using standards::CatalogueSource;
using standards::Family;
using standards::StandardChoice;

// The origin texts and the catalogue of a pending origin pick, kept between
// the browser's openings for the whole run.
dlg::BrowserMemory& Memory()
{
    static dlg::BrowserMemory memory;
    return memory;
}

QString Setting(const char16_t* key)
{
    const COptions* options = COptions::Current();
    return options ? options->ReadRegistryString(QStringLiteral("Standards"), QString::fromUtf16(key)) : QString();
}

bool UseSecondaryRelativity()
{
    const CMorvekXPApp* morvek = CMorvekXPApp::Current();
    return morvek == nullptr || morvek->UseSecondaryRelativity();
}

void InsertStandard(MainWindow& window, DocumentView* view, const CatalogueSource& source, int& standardsBuilt);

// Waits for a point in the view's drawing, then reopens the browser with it
// as the origin.
void PickOrigin(MainWindow& window, DocumentView& view, int& standardsBuilt)
{
    CInputRequest* request = view.Input().Request();
    if (!request)
        return;
    constexpr int kOriginSnap = SnapNode | SnapKeys | SnapElement;
    QPointer<DocumentView> target(&view);
    request->Start(view.Input(), requestsetup::SilentPick(InputPoint, kOriginSnap),
                   std::make_unique<CallbackCommand>(
                       [](CInputRequest& r) {
                           dlg::TakePickedOrigin(Memory(), r.Step(0).x, r.Step(0).y);
                           return 1;
                       },
                       [&window, &standardsBuilt, target](CInputRequest&) {
                           if (target)
                               InsertStandard(window, target, Memory().pickCatalogue, standardsBuilt);
                           return 1;
                       }));
}

void InsertStandard(MainWindow& window, DocumentView* view, const CatalogueSource& source, int& standardsBuilt)
{
    CMorvekDoc* doc = view ? &view->Document() : nullptr;
    dlg::BrowserMemory& memory = Memory();
    StandardChoice choice;
    {
        dlg::StandardBrowser browser(COptions::Current(), memory, UseSecondaryRelativity());
        browser.Open(source, doc != nullptr);
        choice = dlg::RunStandardBrowser(&window, browser);
    }
    if (choice.action == StandardChoice::Action::PickOrigin && view) {
        PickOrigin(window, *view, standardsBuilt);
        return;
    }
    view::StandardInsertion insertion(doc);
    const auto open = [&window, &standardsBuilt](const QString& path, const SpecStandardComponent* place) -> CMorvekDoc* {
        // The file's nodes are read relative to the secondary origin.
        QMdiSubWindow* child = window.OpenDocument(path, [place](CMorvekDoc& fresh) { fresh.SetReadingPlace(place); });
        auto* opened = child ? qobject_cast<DocumentView*>(child->widget()) : nullptr;
        if (!opened)
            return nullptr;
        CMorvekDoc& made = opened->Document();
        made.SetReadingPlace(nullptr);
        if (made.GetPathName() == path) {
            // A new drawing made from the standard (an extended one is
            // renamed by the opening already).
            made.RenameLoadedStandard(standardsBuilt);
            opened->setWindowTitle(made.GetTitle());
        }
        return &made;
    };
    (void)insertion.CarryOut(choice, open);
    for (QMdiSubWindow* child : window.Documents()->subWindowList())
        child->widget()->update();
}

} // namespace

bool RunStandardCommand(MainWindow& window, DocumentView* view, int commandId, int& standardsBuilt)
{
    CatalogueSource source;
    switch (commandId) {
    case int(CommandId::StandardFefco): source = standards::SourceFor(Family::Fefco, Setting(u"FEFCO")); break;
    case int(CommandId::StandardEcma): source = standards::SourceFor(Family::Ecma, Setting(u"ECMA")); break;
    case int(CommandId::StandardTop): source = standards::SourceFor(Family::Top, QString()); break;
    case int(CommandId::EuroHole): source = standards::SourceFor(Family::EuroHole, Setting(u"EUROHOLE")); break;
    default: {
        const COptions* options = COptions::Current();
        const int i = commandId - shell::kFirstStandardCommand;
        if (commandId < shell::kFirstStandardCommand || commandId > shell::kLastStandardCommand || !options
            || i >= options->GetStandards().Count())
            return false;
        source = standards::SourceFor(Family::Collection, options->GetStandards().At(i).file);
        break;
    }
    }
    InsertStandard(window, view, source, standardsBuilt);
    return true;
}

void EditStandardCollections(MainWindow& window)
{
    CMorvekXPApp* morvek = CMorvekXPApp::Current();
    if (!morvek || !morvek->GetOptions())
        return;
    {
        dlg::CStdCollectionDlg dialog(*morvek->GetOptions(), &window);
        dialog.exec();
    }
    // OK and Cancel alike: the changes are saved already.
    BuildMenus(window, *morvek);
}

} // namespace app
