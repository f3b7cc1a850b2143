#pragma once
// The program's main window: the menus (one set while no document is open,
// one while documents are), the main, construct and user toolbars with
// their layout file, the line-type, state and position bars, the four-pane
// status bar, the property bar, and the documents' child windows, which
// show maximised until the user arranges them (Window > Cascade, Tile).
// It holds one QAction per command of shell::CommandTable, shared by the
// menus, the toolbars, the view's popup and the keys, and runs a chosen
// command by one lookup in the table: the application's rows through
// ApplicationCommands, a drawing's rows through the active view's
// DocumentCommands. What the bars hold comes from the shell models.
#include "shell/MenuTree.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <vector>

class QPrinter;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QAction;
class QMenu;
class QStyle;
class CMorvekDoc;

namespace shell {
struct CommandRow;
class CommandCatalogue;
class ToolbarButtons;
} // namespace shell

namespace gui {
class CommandToolbar;
class LineTypeBox;
class MenuStyle;
class PropertyBar;
class ToolbarEditor;
} // namespace gui

namespace app {

class DocumentView;

inline constexpr int kPositionBar = 316;
inline constexpr int kStateBar = 317;
inline constexpr int kLineTypeBar = 318;
inline constexpr int kConstructToolbar = 313;
inline constexpr int kAllCommandsToolbar = 345;
inline constexpr int kStatusBar = 59393;
inline constexpr int kPropertiesCommand = 32975;
inline constexpr int kOpenCommand = 57601;
inline constexpr int kLineTypesCommand = 183;
inline constexpr int kBridgeFormulaCommand = 32959;
// The message after a file that could not be opened.
inline constexpr int kTextOpenFailed = 669;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // The printer of File > Print Setup, Print, Print Direct and Print
    // Preview: made on first use, its printer, paper and orientation kept
    // for the rest of the run.
    QPrinter& Printer();

    // The menus while no document is open; shown now when none is.
    void SetMenus(const std::vector<shell::BuiltMenuItem>& menus);
    // The menus while documents are open; shown now when one is.
    void SetDocumentMenus(const std::vector<shell::BuiltMenuItem>& menus);

    // Creates the bars: the status bar, the line-type, state and position
    // bars, the toolbars filled from the layout file (shell::ToolbarLayout),
    // the hidden toolbar of every command (`allCommands`) and the hidden
    // property bar with its sizes from the profile.
    void CreateBars(const shell::CommandCatalogue& catalogue, const shell::ToolbarButtons& allCommands);
    // Refills the line-type box (see gui::LineTypeBox::Fill).
    void FillLineTypeCombo(const std::map<int, QString>& entries, int wanted, int stored);

    // Opens an empty document window, maximised.
    QMdiSubWindow* NewDocument();
    // Reads the drawing file into a new document window, maximised; null,
    // after the document's own message and text 669, when it cannot be read.
    // prepare, when given, sets up the new document before the reading.
    QMdiSubWindow* OpenDocument(const QString& path, const std::function<void(CMorvekDoc&)>& prepare = {});
    // Writes the bar state to the profile and every toolbar's buttons to the
    // user's layout file; tells the user what could not be saved. False
    // when something was not saved.
    bool SaveToolbarLayouts();

    QMdiArea* Documents() const { return documents_; }
    gui::CommandToolbar* Toolbar(int barId) const;
    gui::LineTypeBox* LineTypes() const { return lineTypes_; }
    gui::PropertyBar* Properties() const { return properties_; }
    QLabel* PositionText() const { return position_; }
    // Status pane 0: the command prompt, "Ready" while there is none.
    QLabel* MessageText() const { return message_; }
    QLabel* StateText() const { return state_; }
    // The bar or window a View menu command shows and hides; null for
    // another command.
    QWidget* BarForCommand(int commandId) const;

    // The one action of a command of the table (made on first use for the
    // ids of a counted range); null for an id the table does not know.
    QAction* CommandAction(int commandId);
    // Sets every action's enabled state, check mark and text (Undo, Redo)
    // for the active drawing: a command that is not available, and a
    // drawing's command while none is open, are disabled.
    void RefreshActions();
    // The texts of the actions (and so of the menu items, toolbar buttons
    // and keys) in the current language.
    void TranslateActions();
    // Opens the toolbar editor beside the window (View > Edit Toolbars);
    // when it is open already it comes to the front.
    void EditToolbars();
    // The toolbar editor while it is open; null otherwise.
    gui::ToolbarEditor* OpenToolbarEditor() const;
    // While the view's popup menu is open its chosen item is run by the
    // view's input rules, not by the action's own trigger.
    void SetPopupOpen(bool open) { popupOpen_ = open; }
    // The menus' skin, for the view's popup too.
    QStyle* MenuSkin() const;

    enum class Arrangement { Cascade, Tile, Icons };
    // Window > Cascade and Tile leave every drawing a usable window (from
    // then on a drawing is not maximised when activated); Arrange Icons
    // lines the minimised drawings up along the bottom of the work area.
    void ArrangeDocuments(Arrangement arrangement);
    // The smallest drawing area a window arrangement leaves a view.
    static constexpr int kMinimumViewWidth = 200;
    static constexpr int kMinimumViewHeight = 150;

signals:
    // A menu command or toolbar button was chosen.
    void commandChosen(int commandId);
    // A command's handler has run (a chosen command that is not available,
    // or a drawing's command while none is open, runs nothing).
    void commandRan(int commandId);
    // The user's line type was chosen in the line-type box.
    void lineTypeChosen(int number);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    friend class ApplicationCommandHandlers;
    friend class DocumentCommandHandlers;

    // Runs a command by its table row; tells the user when it is not
    // available.
    void RunCommand(int commandId);
    void CreateActions();
    static void TranslateAction(QAction& action, const shell::CommandRow& row);
    void ShowNotAvailable();
    // File > Open and File > Import: the file dialog (with the file types
    // given), then OpenDocument; the active view's autosave waits meanwhile.
    void OnFileOpen(const QString& filter);
    // File > Merge: only with a document open.
    void OnFileMerge();
    // File > Close All: asks for every modified drawing first; closes them
    // all only when none was cancelled and every save asked for succeeded.
    void OnFileCloseAll();
    // View > Line Types and Construct > Bridge formula (MainWindowDialogs.cpp).
    void OnLineTypes();
    void OnBridgeFormula();
    std::vector<DocumentView*> OpenViews() const;
    std::set<int> UsedLineTypes() const;
    QMdiSubWindow* ShowDocument(QWidget* view);
    DocumentView* ActiveView() const;
    // Shows the menu set for the documents open, building it only when it
    // is not the one shown already or has changed since.
    void RebuildMenu();
    void Decorate(QMenu& menu);
    QToolBar* ControlBar(int barId, const QString& title, QWidget* control);
    gui::CommandToolbar* AddToolbar(int barId, const QString& title, const QString& text);

    std::unique_ptr<QPrinter> printer_;
    const shell::CommandCatalogue* catalogue_ = nullptr;
    gui::MenuStyle* menuStyle_;
    std::vector<shell::BuiltMenuItem> defaultMenus_;
    std::vector<shell::BuiltMenuItem> documentMenus_;
    enum class MenuSet { None, Default, Document };
    MenuSet shownMenus_ = MenuSet::None;
    QMdiArea* documents_;
    int untitled_ = 0;
    // Drawings built from extended standards so far: their "_std<n>.n" names.
    int standardsBuilt_ = 0;
    bool firstShow_ = true;
    // Set once the user arranged the drawings: activation no longer
    // maximises them.
    bool arranged_ = false;
    bool popupOpen_ = false;
    std::map<int, QAction*> actions_;
    std::map<int, QWidget*> bars_;
    std::map<int, gui::CommandToolbar*> toolbars_;
    gui::LineTypeBox* lineTypes_ = nullptr;
    gui::PropertyBar* properties_ = nullptr;
    QPointer<gui::ToolbarEditor> toolbarEditor_;
    QLabel* position_ = nullptr;
    QLabel* state_ = nullptr;
    QLabel* message_ = nullptr;
};

} // namespace app
