#include "gui/ToolbarEditor.h"

#include "gui/CommandToolbar.h"
#include "options/LanguageTable.h"
#include "shell/ToolbarDragItem.h"

#include <QDrag>
#include <QMimeData>
#include <QPushButton>
#include <QVBoxLayout>

namespace gui {
namespace {

void AddItems(const std::vector<shell::EditorTreeEntry>& entries, QTreeWidgetItem* parent)
{
    for (const shell::EditorTreeEntry& entry : entries) {
        auto* item = new QTreeWidgetItem(parent, {entry.text});
        item->setData(0, Qt::UserRole, entry.data);
        AddItems(entry.children, item);
    }
}

} // namespace

std::optional<QByteArray> EditorTreeWidget::DragPayload(const QTreeWidgetItem& item)
{
    return shell::EditorDragPayload(item.data(0, Qt::UserRole).toInt());
}

void EditorTreeWidget::startDrag(Qt::DropActions)
{
    const QTreeWidgetItem* item = currentItem();
    const std::optional<QByteArray> payload = item ? DragPayload(*item) : std::nullopt;
    if (!payload)
        return;
    auto* mime = new QMimeData;
    mime->setData(QString::fromLatin1(shell::kToolbarMimeType), *payload);
    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    drag->exec(Qt::CopyAction);
}

ToolbarEditor::ToolbarEditor(const std::vector<shell::EditorTreeEntry>& tree, QWidget* parent)
    : QDialog(parent), tree_(new EditorTreeWidget(this)), editing_(std::in_place, installToolbarEditing(true))
{
    setObjectName(QStringLiteral("ToolbarEditor"));
    setWindowTitle(Translate(kCaptionToolbarEditor));
    setModal(false);
    tree_->setHeaderHidden(true);
    tree_->setDragEnabled(true);
    tree_->setDragDropMode(QAbstractItemView::DragOnly);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    AddItems(tree, tree_->invisibleRootItem());
    auto* exit = new QPushButton(Translate(kTextToolbarEditorExit), this);
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tree_);
    layout->addWidget(exit, 0, Qt::AlignRight);
    resize(300, 480);
}

ToolbarEditor::~ToolbarEditor()
{
    EndEditing();
}

void ToolbarEditor::done(int result)
{
    QDialog::done(result);
    EndEditing();
}

void ToolbarEditor::EndEditing()
{
    if (!editing_)
        return;
    editing_.reset(); // the toolbars run their commands again
    emit editorClosed();
}

} // namespace gui
