#include "app/MainWindow.h"

#include "app/ApplicationCommands.h"
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
#include "gui/ToolbarEditor.h"
#include "gui/ToolbarImages.h"
#include "options/LanguageTable.h"
#include "platform/Prompt.h"
#include "platform/Registry.h"
#include "shell/CommandCatalogue.h"
#include "shell/CommandTable.h"
#include "shell/ToolbarEditorTree.h"
#include "shell/ToolbarLayout.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QPrinter>
#include <QStatusBar>

#include <algorithm>

#include <optional>

namespace app {
namespace {

const QString kBarStateSection = QStringLiteral("Toolbars");
const QString kBarStateKey = QStringLiteral("State");

// The control bars' widths.
constexpr int kLineTypeBarWidth = 200;
constexpr int kStateBarWidth = 500;
constexpr int kPositionBarWidth = 220;
// File > New's picture stands for a document.
constexpr int kDocumentPicture = 51;
// How long the status bar says that a command is not available.
constexpr int kNotAvailableMilliseconds = 5000;

// A key without Ctrl, Alt or Shift (Space, a letter): it belongs to the
// drawing, so that typing into a field of a bar never runs a command.
bool IsBareKey(const QKeySequence& key)
{
    return !key.isEmpty() && (key[0].keyboardModifiers() & (Qt::ControlModifier | Qt::AltModifier)) == 0
           && key[0].key() != Qt::Key_Insert;
}

QList<QKeySequence> KeysOf(const shell::CommandRow& row)
{
    QList<QKeySequence> keys;
    for (const char* key : row.keys)
        if (key)
            keys.append(QKeySequence(QString::fromLatin1(key), QKeySequence::PortableText));
    return keys;
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
        if (child && !arranged_)
            child->showMaximized();
        RebuildMenu();
        RefreshActions();
    });
    connect(this, &MainWindow::commandChosen, this, &MainWindow::RunCommand);
    CreateActions();
}

void MainWindow::CreateActions()
{
    for (const shell::CommandRow& row : shell::CommandRows())
        (void)CommandAction(shell::ToInt(row.id)); // made and kept in actions_
    RefreshActions();
}

QAction* MainWindow::CommandAction(int commandId)
{
    if (const auto it = actions_.find(commandId); it != actions_.end())
        return it->second;
    const shell::CommandRow* row = shell::FindCommand(commandId);
    if (!row)
        return nullptr;
    auto* action = new QAction(this);
    action->setData(commandId);
    action->setCheckable(row->run == shell::CommandRun::Toggle);
    const QList<QKeySequence> keys = KeysOf(*row);
    const bool bare = std::any_of(keys.begin(), keys.end(), IsBareKey);
    if (row->run == shell::CommandRun::NotAvailable) {
        // A disabled action's keys do nothing: the keys say why instead.
        for (const QKeySequence& key : keys) {
            auto* shortcut = new QShortcut(key, bare ? static_cast<QWidget*>(documents_) : this);
            shortcut->setContext(bare ? Qt::WidgetWithChildrenShortcut : Qt::WindowShortcut);
            connect(shortcut, &QShortcut::activated, this, &MainWindow::ShowNotAvailable);
        }
    }
    action->setShortcuts(keys);
    action->setShortcutContext(bare ? Qt::WidgetWithChildrenShortcut : Qt::WindowShortcut);
    // The keys work whichever menus are shown.
    if (bare)
        documents_->addAction(action);
    else
        addAction(action);
    connect(action, &QAction::triggered, this, [this, commandId] {
        if (!popupOpen_)
            emit commandChosen(commandId);
    });
    actions_[commandId] = action;
    TranslateAction(*action, *row);
    return action;
}

void MainWindow::TranslateAction(QAction& action, const shell::CommandRow& row)
{
    // Without a text of its own the command keeps its menu label.
    if (row.nameId)
        action.setText(Translate(row.nameId));
    const QString name = action.text().remove(QLatin1Char('&'));
    const QString tip = row.tooltipId ? Translate(row.tooltipId) : name;
    action.setToolTip(tip);
    action.setStatusTip(row.run == shell::CommandRun::NotAvailable ? Translate(shell::kTextNotAvailable) : tip);
    if (row.image >= 0)
        action.setIcon(gui::ToolbarImage(row.image, name));
}

void MainWindow::TranslateActions()
{
    for (const auto& [id, action] : actions_)
        TranslateAction(*action, *shell::FindCommand(id));
}

void MainWindow::RefreshActions()
{
    const DocumentView* view = ActiveView();
    for (const auto& [id, action] : actions_) {
        const shell::CommandRow* row = shell::FindCommand(id);
        bool enabled = row->run != shell::CommandRun::NotAvailable;
        if (row->scope == shell::CommandScope::Document)
            enabled = enabled && view != nullptr;
        if (const std::optional<MenuItemState> item = view ? view->MenuItem(id) : std::nullopt) {
            action->setText(item->text);
            enabled = enabled && item->enabled;
        }
        action->setEnabled(enabled);
        if (row->run == shell::CommandRun::Toggle)
            action->setChecked(row->scope == shell::CommandScope::Document
                                   ? view && view->IsChecked(id)
                                   : ApplicationCommands::IsChecked(*this, id));
    }
}

void MainWindow::ShowNotAvailable()
{
    statusBar()->showMessage(Translate(shell::kTextNotAvailable), kNotAvailableMilliseconds);
}

QPrinter& MainWindow::Printer()
{
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

MainWindow::~MainWindow()
{
    // The document windows close while the QWidget part tears down; their
    // activation signals must not reach this half-destroyed window.
    disconnect(documents_, nullptr, this, nullptr);
    if (toolbarEditor_) {
        disconnect(toolbarEditor_, nullptr, this, nullptr);
        delete toolbarEditor_;
    }
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
    gui::FillMenuBar(*menuBar(), document ? documentMenus_ : defaultMenus_,
                     [this](int id) { return CommandAction(id); });
    for (QAction* top : menuBar()->actions()) {
        if (QMenu* menu = top->menu())
            Decorate(*menu);
    }
}

// The skin; the items' state is set each time a menu opens, and a
// hovered item's status text shows also when the item is disabled.
void MainWindow::Decorate(QMenu& menu)
{
    menu.setStyle(menuStyle_);
    for (QAction* action : menu.actions()) {
        if (QMenu* sub = action->menu())
            Decorate(*sub);
    }
    connect(&menu, &QMenu::aboutToShow, this, &MainWindow::RefreshActions);
    connect(&menu, &QMenu::hovered, this, [this](QAction* action) {
        if (!action->menu())
            statusBar()->showMessage(action->statusTip());
    });
}

QStyle* MainWindow::MenuSkin() const
{
    return menuStyle_;
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
    bar->SetActionSource([this](int id) { return CommandAction(id); });
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
    all->SetActionSource([this](int id) { return CommandAction(id); });
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
    // The language is loaded by now.
    TranslateActions();
    shownMenus_ = MenuSet::None;
    RebuildMenu();
    RefreshActions();
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

QMdiSubWindow* MainWindow::OpenDocument(const QString& path, const std::function<void(CMorvekDoc&)>& prepare)
{
    auto doc = std::make_unique<CMorvekDoc>();
    if (prepare)
        prepare(*doc);
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
    if (arranged_) {
        child->resize(documents_->size() * 2 / 3);
        child->show();
    } else {
        child->showMaximized();
    }
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
    const shell::CommandRow* row = shell::FindCommand(commandId);
    if (!row || row->run == shell::CommandRun::NotAvailable) {
        ShowNotAvailable();
        return;
    }
    bool ran = false;
    if (row->scope == shell::CommandScope::Document) {
        if (DocumentView* view = ActiveView())
            ran = view->RunCommand(commandId);
    } else {
        ran = ApplicationCommands::Run(*this, commandId);
    }
    if (ran)
        emit commandRan(commandId);
    RefreshActions();
}

void MainWindow::ArrangeDocuments(Arrangement arrangement)
{
    const QList<QMdiSubWindow*> children = documents_->subWindowList();
    if (arrangement == Arrangement::Icons) {
        // The minimised drawings side by side along the bottom, in the
        // order they were opened.
        int x = 0;
        for (QMdiSubWindow* child : children) {
            if (!child->isMinimized())
                continue;
            child->move(x, documents_->viewport()->height() - child->height());
            x += child->width();
        }
        return;
    }
    arranged_ = true;
    // A maximised drawing has no size of its own to go back to: each gets
    // one that leaves its view a usable drawing area.
    for (QMdiSubWindow* child : children) {
        if (child->isMaximized() || child->isMinimized())
            child->showNormal();
        if (QWidget* view = child->widget())
            view->setMinimumSize(kMinimumViewWidth, kMinimumViewHeight);
        child->resize(child->size().expandedTo(child->minimumSizeHint()));
    }
    if (arrangement == Arrangement::Cascade)
        documents_->cascadeSubWindows();
    else
        documents_->tileSubWindows();
    for (QMdiSubWindow* child : children)
        child->resize(child->size().expandedTo(child->minimumSizeHint()));
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

gui::ToolbarEditor* MainWindow::OpenToolbarEditor() const
{
    return toolbarEditor_;
}

void MainWindow::EditToolbars()
{
    if (toolbarEditor_) {
        toolbarEditor_->raise();
        toolbarEditor_->activateWindow();
        return;
    }
    // The tree shows the menus as they stand, in the user's language.
    std::vector<shell::BuiltMenuItem> bar;
    const auto walk = [](const auto& self, const QList<QAction*>& actions, std::vector<shell::BuiltMenuItem>& into) -> void {
        for (const QAction* action : actions) {
            if (action->isSeparator()) {
                into.push_back({shell::BuiltMenuItem::Kind::Separator, 0, QString(), {}});
            } else if (const QMenu* menu = action->menu()) {
                shell::BuiltMenuItem popup{shell::BuiltMenuItem::Kind::Popup, -1, action->text(), {}};
                self(self, menu->actions(), popup.children);
                into.push_back(std::move(popup));
            } else {
                into.push_back({shell::BuiltMenuItem::Kind::Command, action->data().toInt(), action->text(), {}});
            }
        }
    };
    walk(walk, menuBar()->actions(), bar);
    toolbarEditor_ = new gui::ToolbarEditor(shell::EditorTree(bar), this);
    toolbarEditor_->setAttribute(Qt::WA_DeleteOnClose);
    connect(toolbarEditor_, &gui::ToolbarEditor::editorClosed, this, [this] {
        (void)SaveToolbarLayouts(); // a failure has been told
    });
    toolbarEditor_->show();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // An open toolbar editor ends first and keeps what it changed.
    if (toolbarEditor_)
        toolbarEditor_->reject();
    documents_->closeAllSubWindows();
    if (!documents_->subWindowList().isEmpty()) {
        event->ignore();
        return;
    }
    (void)SaveToolbarLayouts(); // a failure has been told; the window closes all the same
    QMainWindow::closeEvent(event);
}

} // namespace app
