#include "app/MainWindow.h"

#include "app/DefaultMenu.h"
#include "app/DocumentView.h"
#include "app/FileChooser.h"
#include "document/MorvekDoc.h"
#include "options/Options.h"
#include "gui/CommandToolbar.h"
#include "gui/LineTypeBox.h"
#include "gui/MenuBarBuilder.h"
#include "gui/MenuStyle.h"
#include "gui/PropertyBar.h"
#include "gui/ToolbarImages.h"
#include "options/LanguageTable.h"
#include "platform/Prompt.h"
#include "platform/Registry.h"
#include "shell/CommandCatalogue.h"
#include "shell/ToolbarLayout.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

#include <optional>

namespace app {
namespace {

const QString kBarStateSection = QStringLiteral("Toolbars");
const QString kBarStateKey = QStringLiteral("State");

// The control bars' widths, and the two shortcuts every program has.
constexpr int kLineTypeBarWidth = 200;
constexpr int kStateBarWidth = 500;
constexpr int kPositionBarWidth = 220;
// File > New's picture stands for a document.
constexpr int kDocumentPicture = 51;

QKeySequence ShortcutFor(int commandId)
{
    switch (commandId) {
    case kNewCommand:
        return QKeySequence::New;
    case kOpenCommand:
        return QKeySequence::Open;
    case 57603:
        return QKeySequence::Save;
    default:
        return {};
    }
}

} // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), menuStyle_(new gui::MenuStyle)
{
    menuStyle_->setParent(this);
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QStringLiteral("MorvekXP - %1").arg(QCoreApplication::applicationVersion()));
    resize(1024, 720);
    documents_ = new QMdiArea(this);
    documents_->setObjectName(QStringLiteral("Documents"));
    setCentralWidget(documents_);
    connect(documents_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* child) {
        if (child)
            child->showMaximized();
        RebuildMenu();
    });
    connect(menuBar(), &QMenuBar::triggered, this, [this](QAction* action) {
        if (action->data().isValid())
            emit commandChosen(action->data().toInt());
    });
    connect(this, &MainWindow::commandChosen, this, &MainWindow::RunCommand);
}

MainWindow::~MainWindow()
{
    // The document windows close while the QWidget part tears down; their
    // activation signals must not reach this half-destroyed window.
    disconnect(documents_, nullptr, this, nullptr);
}

void MainWindow::SetMenus(const std::vector<shell::BuiltMenuItem>& menus)
{
    defaultMenus_ = menus;
    if (shownMenus_ == MenuSet::Default)
        shownMenus_ = MenuSet::None;
    RebuildMenu();
}

void MainWindow::SetDocumentMenus(const std::vector<shell::BuiltMenuItem>& menus)
{
    documentMenus_ = menus;
    if (shownMenus_ == MenuSet::Document)
        shownMenus_ = MenuSet::None;
    RebuildMenu();
}

void MainWindow::RebuildMenu()
{
    const bool document = !documents_->subWindowList().isEmpty() && !documentMenus_.empty();
    const MenuSet wanted = document ? MenuSet::Document : MenuSet::Default;
    if (wanted == shownMenus_ || (defaultMenus_.empty() && documentMenus_.empty()))
        return;
    shownMenus_ = wanted;
    gui::FillMenuBar(*menuBar(), document ? documentMenus_ : defaultMenus_);
    for (QAction* top : menuBar()->actions()) {
        if (QMenu* menu = top->menu())
            Decorate(*menu);
    }
}

// The skin, the commands' pictures and shortcuts, and the check marks of
// the bars, kept up to date each time the menu opens.
void MainWindow::Decorate(QMenu& menu)
{
    menu.setStyle(menuStyle_);
    for (QAction* action : menu.actions()) {
        if (QMenu* sub = action->menu()) {
            Decorate(*sub);
            continue;
        }
        if (!action->data().isValid())
            continue;
        const int id = action->data().toInt();
        if (catalogue_ && catalogue_->GetImage(id) >= 0 && catalogue_->Contains(id))
            action->setIcon(gui::ToolbarImage(catalogue_->GetImage(id), action->text().remove(QLatin1Char('&'))));
        action->setShortcut(ShortcutFor(id));
        if (BarForCommand(id) || DocumentView::IsSwitch(id))
            action->setCheckable(true);
    }
    connect(&menu, &QMenu::aboutToShow, this, [this, &menu] {
        const DocumentView* view = ActiveView();
        for (QAction* action : menu.actions()) {
            if (!action->data().isValid())
                continue;
            const int id = action->data().toInt();
            if (QWidget* bar = BarForCommand(id))
                action->setChecked(bar->isVisible());
            if (const std::optional<MenuItemState> item = view ? view->MenuItem(id) : std::nullopt) {
                action->setText(item->text);
                action->setEnabled(item->enabled);
            }
            if (DocumentView::IsSwitch(id))
                action->setChecked(view && view->IsChecked(id));
        }
    });
}

QWidget* MainWindow::BarForCommand(int commandId) const
{
    const auto it = bars_.find(commandId);
    return it == bars_.end() ? nullptr : it->second;
}

gui::CommandToolbar* MainWindow::Toolbar(int barId) const
{
    const auto it = toolbars_.find(barId);
    return it == toolbars_.end() ? nullptr : it->second;
}

QToolBar* MainWindow::ControlBar(int barId, const QString& title, QWidget* control)
{
    auto* bar = new QToolBar(title, this);
    bar->setObjectName(QStringLiteral("Bar%1").arg(barId));
    bar->addWidget(control);
    addToolBar(Qt::TopToolBarArea, bar);
    bars_[barId] = bar;
    return bar;
}

gui::CommandToolbar* MainWindow::AddToolbar(int barId, const QString& title, const QString& text)
{
    auto* bar = new gui::CommandToolbar(barId, title, *catalogue_, this);
    bar->SetButtonsFromText(text);
    connect(bar, &gui::CommandToolbar::commandChosen, this, &MainWindow::commandChosen);
    addToolBar(Qt::TopToolBarArea, bar);
    toolbars_[barId] = bar;
    bars_[barId] = bar;
    return bar;
}

void MainWindow::CreateBars(const shell::CommandCatalogue& catalogue, const shell::ToolbarButtons& allCommands)
{
    catalogue_ = &catalogue;

    QStatusBar* status = statusBar();
    status->setObjectName(QStringLiteral("StatusBar"));
    message_ = new QLabel(QStringLiteral("Ready"), status);
    message_->setObjectName(QStringLiteral("MessagePane"));
    status->addWidget(message_, 1);
    for (const char* indicator : {"CAP", "NUM", "SCRL"}) {
        auto* pane = new QLabel(QString::fromLatin1(indicator), status);
        pane->setObjectName(QStringLiteral("Indicator%1").arg(QString::fromLatin1(indicator)));
        pane->setEnabled(false); // the lock keys' state is not known here
        pane->setFrameShape(QFrame::Panel);
        pane->setFrameShadow(QFrame::Sunken);
        status->addPermanentWidget(pane);
    }
    bars_[kStatusBar] = status;

    lineTypes_ = new gui::LineTypeBox;
    lineTypes_->setFixedWidth(kLineTypeBarWidth);
    connect(lineTypes_, &gui::LineTypeBox::lineTypeChosen, this, [this](int number) {
        emit lineTypeChosen(number);
        if (QMdiSubWindow* child = documents_->activeSubWindow())
            child->widget()->setFocus();
    });
    ControlBar(kLineTypeBar, Translate(catalogue.GetNameId(kLineTypeBar)), lineTypes_);
    state_ = new QLabel;
    state_->setObjectName(QStringLiteral("StateText"));
    state_->setAlignment(Qt::AlignCenter);
    state_->setFrameShape(QFrame::StyledPanel);
    state_->setFrameShadow(QFrame::Sunken);
    state_->setFixedWidth(kStateBarWidth - 10);
    ControlBar(kStateBar, Translate(catalogue.GetNameId(kStateBar)), state_);
    position_ = new QLabel;
    position_->setObjectName(QStringLiteral("PositionText"));
    position_->setAlignment(Qt::AlignCenter);
    position_->setFrameShape(QFrame::StyledPanel);
    position_->setFrameShadow(QFrame::Sunken);
    position_->setFixedWidth(kPositionBarWidth - 10);
    ControlBar(kPositionBar, Translate(catalogue.GetNameId(kPositionBar)), position_);
    addToolBarBreak(Qt::TopToolBarArea);

    const shell::ToolbarLayout layout = shell::ToolbarLayout::Read();
    AddToolbar(kMainToolbar, QStringLiteral("Toolbar"), layout.Get(QStringLiteral("Main")));
    AddToolbar(kConstructToolbar, Translate(catalogue.GetNameId(kConstructToolbar)),
               layout.Get(QStringLiteral("Construct")));
    auto* all = new gui::CommandToolbar(kAllCommandsToolbar, QStringLiteral("All Commands"), catalogue, this);
    all->SetButtons(allCommands);
    addToolBar(Qt::TopToolBarArea, all);
    all->hide();
    toolbars_[kAllCommandsToolbar] = all;
    for (int i = 1; i <= shell::kUserToolbarCount; ++i)
        AddToolbar(kFirstUserToolbar + i - 1, QStringLiteral("Toolbar %1").arg(i),
                   layout.Get(QStringLiteral("Toolbar_%1").arg(i)));

    properties_ = new gui::PropertyBar(this);
    addDockWidget(Qt::RightDockWidgetArea, properties_);
    properties_->LoadState(kBarStateSection);
    properties_->hide();
    bars_[kPropertiesCommand] = properties_;
    // Menus given before the bars lack the pictures and check marks.
    shownMenus_ = MenuSet::None;
    RebuildMenu();
}

void MainWindow::FillLineTypeCombo(const std::map<int, QString>& entries, int wanted, int stored)
{
    lineTypes_->Fill(entries, wanted, stored);
}

QMdiSubWindow* MainWindow::NewDocument()
{
    auto* view = new DocumentView(std::make_unique<CMorvekDoc>(), COptions::Current());
    view->setWindowTitle(QStringLiteral("Untitled%1").arg(++untitled_));
    return ShowDocument(view);
}

QMdiSubWindow* MainWindow::OpenDocument(const QString& path)
{
    auto doc = std::make_unique<CMorvekDoc>();
    if (!doc->OnOpenDocument(path) || doc->IsLoadRefused()) {
        platform::ask(Translate(kTextOpenFailed), QString(), platform::PromptButtons::Ok, platform::PromptIcon::Error);
        return nullptr;
    }
    if (doc->IsLoadedFromExtendedStandard()) {
        // A save must write a drawing, never over the standard.
        doc->RenameLoadedStandard(standardsBuilt_);
        doc->ClearLoadedFromExtendedStandard();
    }
    const QString title = doc->GetTitle();
    auto* view = new DocumentView(std::move(doc), COptions::Current());
    view->setWindowTitle(title);
    return ShowDocument(view);
}

void MainWindow::OnFileOpen(const QString& filter)
{
    std::optional<AutosaveTimer::Pause> pause;
    if (DocumentView* view = ActiveView())
        pause.emplace(view->Autosave());
    const COptions* options = COptions::Current();
    const QString path = ChooseFileToOpen(this, options ? options->GetNPath() : QString(), filter);
    if (!path.isEmpty())
        OpenDocument(path);
}

void MainWindow::OnFileMerge()
{
    DocumentView* view = ActiveView();
    if (!view)
        return;
    AutosaveTimer::Pause pause(view->Autosave());
    const COptions* options = COptions::Current();
    const QString path = ChooseFileToOpen(this, options ? options->GetNPath() : QString(), DrawingFilter());
    if (!path.isEmpty() && MergeDrawing(view->Document(), path)) {
        view->RefreshCursor();
        view->update();
    }
}

void MainWindow::OnFileCloseAll()
{
    const QList<QMdiSubWindow*> children = documents_->subWindowList();
    for (QMdiSubWindow* child : children) {
        auto* view = qobject_cast<DocumentView*>(child->widget());
        if (view && !view->SaveModified())
            return; // cancelled, or a save failed: every drawing stays open
    }
    for (QMdiSubWindow* child : children) {
        if (auto* view = qobject_cast<DocumentView*>(child->widget()))
            view->AgreeToClose();
    }
    documents_->closeAllSubWindows();
}

QMdiSubWindow* MainWindow::ShowDocument(QWidget* view)
{
    QMdiSubWindow* child = documents_->addSubWindow(view);
    child->setAttribute(Qt::WA_DeleteOnClose);
    child->setWindowIcon(gui::ToolbarImage(kDocumentPicture, QString()));
    child->showMaximized();
    documents_->setActiveSubWindow(child);
    RebuildMenu(); // when activating it did not already
    return child;
}

DocumentView* MainWindow::ActiveView() const
{
    QMdiSubWindow* child = documents_->activeSubWindow();
    return child ? qobject_cast<DocumentView*>(child->widget()) : nullptr;
}

void MainWindow::RunCommand(int commandId)
{
    // The active view takes its own commands first.
    if (DocumentView* view = ActiveView(); view && view->RunCommand(commandId))
        return;
    if (commandId == kNewCommand) {
        NewDocument();
    } else if (commandId == kOpenCommand) {
        OnFileOpen(DrawingFilter());
    } else if (commandId == 475) {
        OnFileOpen(ImportFilter());
    } else if (commandId == 476) {
        OnFileMerge();
    } else if (commandId == kCloseCommand) {
        if (QMdiSubWindow* child = documents_->activeSubWindow())
            child->close();
    } else if (commandId == 470) {
        OnFileCloseAll();
    } else if (commandId == kLineTypesCommand) {
        OnLineTypes();
    } else if (commandId == kBridgeFormulaCommand) {
        OnBridgeFormula();
    } else if (commandId == kExitCommand) {
        close();
    } else if (commandId == 57650) {
        documents_->cascadeSubWindows();
    } else if (commandId == 57651) {
        documents_->tileSubWindows();
    } else if (QWidget* bar = BarForCommand(commandId)) {
        bar->setVisible(!bar->isVisible());
    }
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!firstShow_)
        return;
    firstShow_ = false;
    QByteArray state;
    if (platform::Registry::getBinary(kBarStateSection, kBarStateKey, state))
        restoreState(state);
    for (int i = 0; i < shell::kUserToolbarCount; ++i) {
        if (gui::CommandToolbar* bar = Toolbar(kFirstUserToolbar + i); bar && bar->IsEmpty())
            bar->hide();
    }
}

bool MainWindow::SaveToolbarLayouts()
{
    if (!catalogue_)
        return true; // no bars, nothing to keep
    bool saved = platform::Registry::writeBinary(kBarStateSection, kBarStateKey, saveState());
    saved = properties_->SaveState(kBarStateSection) && saved;
    shell::ToolbarLayout layout;
    layout.Set(QStringLiteral("Main"), Toolbar(kMainToolbar)->GetButtonsText());
    layout.Set(QStringLiteral("Construct"), Toolbar(kConstructToolbar)->GetButtonsText());
    for (int i = 1; i <= shell::kUserToolbarCount; ++i)
        layout.Set(QStringLiteral("Toolbar_%1").arg(i), Toolbar(kFirstUserToolbar + i - 1)->GetButtonsText());
    if (!layout.Write()) {
        platform::ask(QStringLiteral("The toolbar layout could not be saved to %1.").arg(shell::ToolbarLayout::UserFile()),
                      QString(), platform::PromptButtons::Ok, platform::PromptIcon::Warning);
        return false;
    }
    return saved;
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    documents_->closeAllSubWindows();
    if (!documents_->subWindowList().isEmpty()) {
        event->ignore();
        return;
    }
    (void)SaveToolbarLayouts(); // a failure has been told; the window closes all the same
    QMainWindow::closeEvent(event);
}

} // namespace app
