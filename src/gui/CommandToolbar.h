#pragma once
// A toolbar of command buttons: it shows a shell::ToolbarButtons list, one
// button per entry, and reports the command of a clicked button. While the
// toolbar editor is open (installToolbarEditing), buttons are not clicked
// but dragged: within the toolbar to move them, onto another toolbar to copy
// them, off every toolbar to remove them. A drop is taken only when its
// payload passes shell::ToolbarDragItem::Read; the list does the edit and
// the buttons are shown again from it.
#include "platform/ScopedOverride.h"
#include "shell/ToolbarButtons.h"

#include <QToolBar>

#include <functional>

namespace shell {
class CommandCatalogue;
}

namespace gui {

// Whether the toolbar editor is open; false (buttons run their commands)
// unless set for a scope.
bool ToolbarEditing();
platform::ScopedOverride<bool> installToolbarEditing(bool editing);

class CommandToolbar : public QToolBar {
    Q_OBJECT
public:
    CommandToolbar(int barId, const QString& title, const shell::CommandCatalogue& catalogue,
                   QWidget* parent = nullptr);

    int BarId() const { return barId_; }
    const shell::ToolbarButtons& Buttons() const { return buttons_; }
    // The window's one action per command: a button of a command it has
    // shows that action (text, picture, enabled state, running it); any
    // other button is the toolbar's own. Shown again at once.
    using ActionSource = std::function<QAction*(int commandId)>;
    void SetActionSource(ActionSource source);
    // Replaces the list and shows it.
    void SetButtons(const shell::ToolbarButtons& buttons);
    void SetButtonsFromText(QStringView text);
    QString GetButtonsText() const { return buttons_.GetButtonsText(); }
    bool IsEmpty() const { return buttons_.IsEmpty(); }

    // The position of the button at `pos` (widened by one pixel right and
    // down); 0 where there is none.
    int ButtonIndexAt(QPoint pos) const;

signals:
    // A button of the toolbar's own was clicked (a shared action reports
    // through its owner).
    void commandChosen(int commandId);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowButtons();
    void StartDrag(int index);
    Qt::DropAction Answer(const QDropEvent& event) const;
    // Entering and moving over the bar answer alike.
    void AnswerDrag(QDragMoveEvent& event);

    int barId_;
    const shell::CommandCatalogue& catalogue_;
    shell::ToolbarButtons buttons_;
    ActionSource actionSource_;
    bool inside_ = true;
};

} // namespace gui
