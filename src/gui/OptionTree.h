#pragma once
// The property grid's model: a tree of named rows with a label column and a
// value column. It holds the rows, the focus, the column width, the scroll
// offset and the client size, lays the shown rows out, hit-tests points and
// takes mouse and keyboard input as plain calls. The widget
// (OptionTreeWidget) paints from it and maps Qt events onto it; tests drive
// it without a display.
//
// Notifications go out through the signal notify(code, item, cancel) while
// the option Notify is set; for the codes that allow it a receiver sets
// *cancel to veto the action. Connect directly (the default for one thread).
#include <QObject>
#include <QRect>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace gui {

enum OptionTreeOption : std::uint32_t {
    kOptShowInfoPane = 0x01,
    kOptNotify = 0x02,
    kOptDefaultInfoText = 0x04,
    kOptShadeExpandColumn = 0x08,
    kOptShadeRootRows = 0x10,
};
// What every host of the grid uses: pane, shaded margin, shaded categories.
inline constexpr std::uint32_t kOptionTreeHostOptions = 25;

enum class OptionTreeNotify : int {
    ItemInserted = -1101,
    ItemDeleting = -1102,
    ItemChanged = -1105,
    SelectionChanged = -1107,
    ItemExpanding = -1108, // may be vetoed
    ColumnClick = -1109,   // may be vetoed
    PropertyClick = -1110, // may be vetoed
};

enum class OptionTreeHit : int { Label = 2024, ColumnDivider = 2025, ExpandBox = 2026, Value = 2027, Nowhere = 2028 };

inline constexpr int kOptionRowHeight = 21;
inline constexpr int kOptionMargin = 16;
inline constexpr int kOptionInfoPaneHeight = 50;
inline constexpr int kOptionMultiLineHeight = 75;

class COptionTree;

// One row. Used by itself it is a category; the kinds below add a value.
class COptionTreeItem {
public:
    enum class Kind { Category, Combo, Edit, Spinner, File };

    COptionTreeItem() = default;
    virtual ~COptionTreeItem() = default;
    COptionTreeItem(const COptionTreeItem&) = delete;
    COptionTreeItem& operator=(const COptionTreeItem&) = delete;

    virtual Kind GetKind() const { return Kind::Category; }
    // The value as the row shows it when it is not being edited.
    virtual QString ValueText() const { return {}; }

    void SetLabelText(const QString& text) { label_ = text; }
    QString GetLabelText() const { return label_; }
    void SetInfoText(const QString& text) { info_ = text; }
    QString GetInfoText() const { return info_; }

    int GetNumber() const { return number_; }
    COptionTreeItem* GetParent() const { return parent_; }
    COptionTree* GetTree() const { return tree_; }
    const std::vector<std::unique_ptr<COptionTreeItem>>& Children() const { return children_; }
    bool HasChildren() const { return !children_.empty(); }
    bool IsRootChild() const;

    bool IsSelected() const { return selected_; }
    void Select(bool flag) { selected_ = flag; }
    bool IsExpanded() const { return expanded_; }
    void Expand(bool flag);
    bool IsReadOnly() const { return readOnly_; }
    void SetReadOnly(bool flag) { readOnly_ = flag; }
    bool IsBeingEdited() const { return editing_; }
    bool IsTallLabel() const { return tallLabel_; }
    void SetTallLabel(bool flag) { tallLabel_ = flag; }

    int GetHeight() const { return height_; }
    void SetHeight(int height) { height_ = height; }
    int GetShownHeight() const;

    // Set by the last layout: top left in list coordinates without scrolling.
    int X() const { return x_; }
    int Y() const { return y_; }
    // The expand box in list coordinates without scrolling (empty without children).
    QRect ExpandBox() const;
    // Right edge of the label text as last laid out.
    int LabelTextRight() const { return labelRight_; }

    // Edits: BeginEdit opens the row's editor; EndEdit commits once
    // (CommitChanges) and tells ItemChanged.
    void BeginEdit();
    bool EndEdit();
    // What a kind does when its edit ends, before ItemChanged is told.
    virtual void CommitChanges() {}

private:
    friend class COptionTree;
    QString label_;
    QString info_;
    int number_ = 0;
    COptionTreeItem* parent_ = nullptr;
    COptionTree* tree_ = nullptr;
    std::vector<std::unique_ptr<COptionTreeItem>> children_;
    int x_ = 0;
    int y_ = 0;
    int labelRight_ = 0;
    int height_ = kOptionRowHeight;
    bool committed_ = false;
    bool selected_ = false;
    bool expanded_ = false;
    bool editing_ = false;
    bool readOnly_ = false;
    bool tallLabel_ = false;
};

// A drop-down list of entries, each with a stored number.
class COptionTreeItemComboBox : public COptionTreeItem {
public:
    Kind GetKind() const override { return Kind::Combo; }
    QString ValueText() const override;
    void AddEntry(const QString& text, int data);
    int Count() const { return static_cast<int>(entries_.size()); }
    QString EntryText(int index) const;
    int EntryData(int index) const;
    int CurrentIndex() const { return current_; }
    void SetCurrentIndex(int index) { current_ = index >= 0 && index < Count() ? index : -1; }
    // Selects the entry holding data; none (-1) when no entry holds it.
    bool SelectData(int data);

private:
    struct Entry {
        QString text;
        int data;
    };
    std::vector<Entry> entries_;
    int current_ = -1;
};

// A text field. Option bits: 0x200 digits only, 0x400 password, 0x40000 multi-line.
class COptionTreeItemEdit : public COptionTreeItem {
public:
    static constexpr std::uint32_t kDigits = 0x200;
    static constexpr std::uint32_t kPassword = 0x400;
    static constexpr std::uint32_t kMultiLine = 0x40000;
    Kind GetKind() const override { return Kind::Edit; }
    QString ValueText() const override;
    void SetOptions(std::uint32_t options);
    std::uint32_t Options() const { return options_; }
    void SetText(const QString& text) { text_ = text; }
    QString GetText() const { return text_; }

private:
    std::uint32_t options_ = 0;
    QString text_;
};

// A number with up and down arrows. Option bits: 0x400 typing allowed, 0x40000 wrap.
class COptionTreeItemSpinner : public COptionTreeItem {
public:
    static constexpr std::uint32_t kTyping = 0x400;
    static constexpr std::uint32_t kWrap = 0x40000;
    Kind GetKind() const override { return Kind::Spinner; }
    QString ValueText() const override { return text_; }
    void Setup(std::uint32_t options, double value, double minimum, double maximum);
    std::uint32_t Options() const { return options_; }
    double Minimum() const { return min_; }
    double Maximum() const { return max_; }
    // The field's text and its leading number (0 when it has none).
    void SetText(const QString& text) { text_ = text; }
    QString GetText() const { return text_; }
    double GetValue() const;
    void SetValue(double value);
    void StepUp();
    void StepDown();
    bool UpActive() const;
    bool DownActive() const;

private:
    std::uint32_t options_ = 0;
    double min_ = 0.0;
    double max_ = 100.0;
    QString text_;
};

// One or more chosen files or a folder. Option bits as the path row's:
// 0x8000 folder, 0x20000 open dialog, 0x40000 full path, 0x400 name,
// 0x200 title, 0x100 extension, 0x800 folder of the path, 0x1000 root.
class COptionTreeItemFile : public COptionTreeItem {
public:
    static constexpr std::uint32_t kFolder = 0x8000;
    static constexpr std::uint32_t kOpen = 0x20000;
    static constexpr std::uint32_t kFullPath = 0x40000;
    static constexpr std::uint32_t kFileName = 0x400;
    static constexpr std::uint32_t kFileTitle = 0x200;
    static constexpr std::uint32_t kExtension = 0x100;
    static constexpr std::uint32_t kDirectory = 0x800;
    static constexpr std::uint32_t kDrive = 0x1000;
    Kind GetKind() const override { return Kind::File; }
    QString ValueText() const override;
    void Setup(const QString& initialPath, const QString& filter, std::uint32_t options);
    std::uint32_t Options() const { return options_; }
    QString Filter() const { return filter_; }
    QString GetPath() const { return paths_.isEmpty() ? QString() : paths_.front(); }
    void SetPath(const QString& path) { paths_ = QStringList{path}; }
    const QStringList& Paths() const { return paths_; }
    // Takes the chosen paths and makes the row tall enough for one line each
    // (lineHeight = the font's height).
    void SetPaths(const QStringList& paths, int lineHeight);

private:
    std::uint32_t options_ = 0;
    int baseHeight_ = kOptionRowHeight;
    QStringList paths_;
    QString filter_;
};

// The text a path row shows for its paths by its display bit.
QString PathRowText(const QStringList& paths, std::uint32_t options);

// The label shortened to width with "..." after at least one character.
QString ShortenLabel(const QString& label, int width, const std::function<int(const QString&)>& measure);

// Held spinner arrows: a step at the press, another after the delay, then
// one per interval.
struct SpinnerRepeat {
    int delayMs = 500;
    int intervalMs = 200;
    // Steps made by the time elapsedMs has passed since the press.
    int StepsBy(int elapsedMs) const;
};

class COptionTree : public QObject {
    Q_OBJECT
public:
    explicit COptionTree(std::uint32_t options = kOptionTreeHostOptions, QObject* parent = nullptr);
    ~COptionTree() override;

    std::uint32_t Options() const { return options_; }
    bool HasOption(std::uint32_t bit) const { return (options_ & bit) != 0; }
    void SetNotify(bool on);

    // The tree owns the item from here on; a null parent is the root.
    COptionTreeItem* InsertItem(COptionTreeItem* item, COptionTreeItem* parent = nullptr);
    template <class T>
    T* Insert(T* item, COptionTreeItem* parent = nullptr)
    {
        InsertItem(item, parent);
        return item;
    }
    // Deletes the item and its subtree; null deletes every row.
    void DeleteItem(COptionTreeItem* item);
    void DeleteAllItems();
    void ExpandAllItems();

    COptionTreeItem* Root() { return &root_; }
    COptionTreeItem* GetFocusedItem() const { return focused_; }
    void SetFocusedItem(COptionTreeItem* item);
    void SelectAll(bool flag);

    int GetColumnWidth() const { return column_; }
    void SetColumnWidth(int width);
    int GetScrollOffset() const { return scroll_; }
    void SetScrollOffset(int offset);
    // The list's client size; 0 x 0 before the widget has a size.
    QSize ClientSize() const { return client_; }
    void SetClientSize(QSize size);

    // Width of a text in the list's font (the widget sets its font metrics).
    void SetMeasure(std::function<int(const QString&)> measure);
    const std::function<int(const QString&)>& Measure() const { return measure_; }

    // Rows whose ancestors are all expanded, in display order, laid out.
    const std::vector<COptionTreeItem*>& ShownRows() const { return shown_; }
    bool IsShown(const COptionTreeItem* item) const;
    int TotalHeight() const;
    void Relayout();

    COptionTreeItem* FindItem(QPoint point) const;
    OptionTreeHit HitTest(QPoint point) const;
    void EnsureVisible(COptionTreeItem* item);

    // Mouse and keyboard input in list client coordinates.
    void PressAt(QPoint point);
    void DragTo(int x);
    void ReleaseAt(int x);
    void DoubleClickAt(QPoint point);
    bool IsDragging() const { return dragging_; }
    int DragPosition() const { return dragX_; }
    enum class Key { Tab, BackTab, Return, Home, End, Left, Right, Up, Down };
    bool KeyPress(Key key); // true when the key was used
    void Wheel(int delta);
    void FitColumn();

    // Sends a notification; true when the receiver vetoed it.
    bool SendNotify(OptionTreeNotify code, COptionTreeItem* item);

    // Visits every row under item (null: every row) in pre-order; a false
    // from the visitor skips that row's children.
    void Walk(COptionTreeItem* item, const std::function<bool(COptionTreeItem*)>& visitor);

signals:
    void notify(gui::OptionTreeNotify code, gui::COptionTreeItem* item, bool* cancel);
    // The model changed in a way the view shows.
    void changed();
    // A row's editor opens (the view puts one over its value).
    void editRequested(gui::COptionTreeItem* item);

private:
    void LayoutRow(COptionTreeItem* item, int x, int& y);
    void ToggleExpand(COptionTreeItem* item);
    void DropHiddenFocus();
    void MoveFocus(COptionTreeItem* item);
    void BeginEditFocused();
    int IndexOfShown(const COptionTreeItem* item) const;

    std::uint32_t options_;
    COptionTreeItem root_;
    COptionTreeItem* focused_ = nullptr;
    int column_ = 150;
    int scroll_ = 0;
    QSize client_;
    int counter_ = 0;
    bool dragging_ = false;
    int dragX_ = -1;
    std::vector<COptionTreeItem*> shown_;
    std::function<int(const QString&)> measure_;
};

} // namespace gui
