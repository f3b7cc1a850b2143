#include "gui/CommandToolbar.h"

#include "gui/ToolbarImages.h"
#include "options/LanguageTable.h"
#include "shell/CommandCatalogue.h"
#include "shell/ToolbarDragItem.h"

#include <QAction>
#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>

namespace gui {
namespace {

constinit platform::Current<bool> g_editing{false};

QString MimeType()
{
    return QString::fromLatin1(shell::kToolbarMimeType);
}

} // namespace

bool ToolbarEditing()
{
    return g_editing.Get();
}

platform::ScopedOverride<bool> installToolbarEditing(bool editing)
{
    return g_editing.Override(editing);
}

CommandToolbar::CommandToolbar(int barId, const QString& title, const shell::CommandCatalogue& catalogue,
                               QWidget* parent)
    : QToolBar(title, parent), barId_(barId), catalogue_(catalogue)
{
    setObjectName(QStringLiteral("Toolbar%1").arg(barId));
    setIconSize(QSize(16, 16));
    setAcceptDrops(true);
    connect(this, &QToolBar::actionTriggered, this, [this](QAction* action) {
        if (action->parent() == this && action->data().toInt() > 0)
            emit commandChosen(action->data().toInt());
    });
}

void CommandToolbar::SetButtons(const shell::ToolbarButtons& buttons)
{
    buttons_ = buttons;
    ShowButtons();
}

void CommandToolbar::SetButtonsFromText(QStringView text)
{
    buttons_.SetButtonsFromText(text);
    ShowButtons();
}

void CommandToolbar::SetActionSource(ActionSource source)
{
    actionSource_ = std::move(source);
    ShowButtons();
}

void CommandToolbar::ShowButtons()
{
    // The toolbar's own actions go with the buttons; shared ones stay.
    for (QAction* old : actions()) {
        removeAction(old);
        if (old->parent() == this)
            old->deleteLater();
    }
    for (int i = 0; i < buttons_.Count(); ++i) {
        const shell::ButtonFace face = buttons_.Face(i, catalogue_);
        if (face.separator) {
            addSeparator();
            continue;
        }
        QAction* shared = actionSource_ && face.commandId != shell::kPlaceholderId ? actionSource_(face.commandId)
                                                                                    : nullptr;
        if (shared) {
            addAction(shared);
            if (QWidget* button = widgetForAction(shared))
                button->installEventFilter(this);
            continue;
        }
        QAction* action = addAction(QString());
        action->setData(face.commandId);
        if (face.commandId == shell::kPlaceholderId) {
            action->setEnabled(false); // keeps an emptied toolbar in existence
        } else {
            const int nameId = catalogue_.GetNameId(face.commandId);
            const QString name = nameId ? Translate(nameId) : QString::number(face.commandId);
            action->setText(name);
            action->setToolTip(name);
            action->setIcon(ToolbarImage(face.imageIndex, name));
        }
        if (QWidget* button = widgetForAction(action))
            button->installEventFilter(this);
    }
}

int CommandToolbar::ButtonIndexAt(QPoint pos) const
{
    const QList<QAction*> list = actions();
    for (int i = 0; i < list.size(); ++i) {
        const QWidget* button = widgetForAction(list[i]);
        if (button && button->isVisible() && button->geometry().adjusted(0, 0, 1, 1).contains(pos))
            return i;
    }
    return 0;
}

Qt::DropAction CommandToolbar::Answer(const QDropEvent& event) const
{
    if (!ToolbarEditing() || !event.mimeData()->hasFormat(MimeType()))
        return Qt::IgnoreAction;
    return event.source() == this ? Qt::MoveAction : Qt::CopyAction;
}

void CommandToolbar::AnswerDrag(QDragMoveEvent& event)
{
    inside_ = true;
    const Qt::DropAction answer = Answer(event);
    if (answer == Qt::IgnoreAction) {
        event.ignore();
        return;
    }
    event.setDropAction(answer);
    event.accept();
}

void CommandToolbar::dragEnterEvent(QDragEnterEvent* event)
{
    AnswerDrag(*event);
}

void CommandToolbar::dragMoveEvent(QDragMoveEvent* event)
{
    AnswerDrag(*event);
}

void CommandToolbar::dragLeaveEvent(QDragLeaveEvent* event)
{
    inside_ = false;
    event->accept();
}

void CommandToolbar::dropEvent(QDropEvent* event)
{
    const Qt::DropAction answer = Answer(*event);
    const auto item =
        answer == Qt::IgnoreAction ? std::nullopt
                                   : shell::ToolbarDragItem::Read(event->mimeData()->data(MimeType()), catalogue_);
    if (!item) {
        event->ignore();
        return;
    }
    const int target = ButtonIndexAt(event->position().toPoint());
    if (answer == Qt::MoveAction) {
        if (buttons_.MoveButton(item->buttonIndex, target))
            ShowButtons();
    } else {
        (void)buttons_.CopyDropped(item->commandId, target); // shown again below, wherever it went
        ShowButtons();
    }
    event->setDropAction(answer);
    event->accept();
}

bool CommandToolbar::eventFilter(QObject* watched, QEvent* event)
{
    if (!ToolbarEditing())
        return QToolBar::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonDblClick)
        return true; // the editor is open: nothing runs
    if (event->type() == QEvent::MouseButtonPress
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        const QList<QAction*> list = actions();
        for (int i = 0; i < list.size(); ++i) {
            if (widgetForAction(list[i]) == watched) {
                StartDrag(i);
                return true;
            }
        }
    }
    return QToolBar::eventFilter(watched, event);
}

void CommandToolbar::StartDrag(int index)
{
    const int id = buttons_.Ids()[static_cast<std::size_t>(index)];
    if (id == shell::kPlaceholderId)
        return;
    auto* payload = new QMimeData;
    payload->setData(MimeType(), shell::ToolbarDragItem{id, index}.Serialize());
    auto* drag = new QDrag(this);
    drag->setMimeData(payload);
    inside_ = true;
    // Let go where no toolbar takes it: the button is dragged off.
    if (drag->exec(Qt::CopyAction | Qt::MoveAction) == Qt::IgnoreAction && !inside_) {
        if (buttons_.RemoveDragged(index))
            ShowButtons();
    }
}

} // namespace gui
