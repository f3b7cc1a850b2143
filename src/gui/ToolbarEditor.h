#pragma once
// The "Edit toolbars" window: the menus as a tree from which commands and
// the separator are dragged onto the toolbars, and an Exit button. It is
// not modal: while it is open the rest of the program keeps working and the
// toolbars are in editing mode (their buttons are dragged, not run); the
// mode ends with the window, and the window tells when it has closed.
#include "platform/ScopedOverride.h"
#include "shell/ToolbarEditorTree.h"

#include <QDialog>
#include <QTreeWidget>

#include <optional>

namespace gui {

inline constexpr int kCaptionToolbarEditor = 2815;
inline constexpr int kTextToolbarEditorExit = 2814;

// The tree: a drag of a command or of "Separator" carries its record under
// the toolbar MIME type; a popup starts no drag.
class EditorTreeWidget : public QTreeWidget {
    Q_OBJECT
public:
    using QTreeWidget::QTreeWidget;
    // The payload a drag of the item would carry; none for a popup.
    static std::optional<QByteArray> DragPayload(const QTreeWidgetItem& item);

protected:
    void startDrag(Qt::DropActions supportedActions) override;
};

class ToolbarEditor : public QDialog {
    Q_OBJECT
public:
    ToolbarEditor(const std::vector<shell::EditorTreeEntry>& tree, QWidget* parent);
    ~ToolbarEditor() override;

    EditorTreeWidget* Tree() const { return tree_; }

signals:
    // The window has closed (Exit, its close box, or the program closing).
    void editorClosed();

protected:
    void done(int result) override;

private:
    void EndEditing();

    EditorTreeWidget* tree_;
    std::optional<platform::ScopedOverride<bool>> editing_;
};

} // namespace gui
