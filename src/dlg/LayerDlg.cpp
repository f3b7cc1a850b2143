#include "dlg/LayerDlg.h"
#include "dlg/NamedWidgets.h"

#include "options/LanguageTable.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace dlg {

namespace {

QPushButton* Button(QWidget* parent, int text, const char* name)
{
    return NamedButton(parent, Translate(text), name);
}

// Only the name column is edited in place; the other cells are toggled by
// a click.
class NameOnlyDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        if (index.column() != LayerTable::kColumnName)
            return nullptr;
        return QStyledItemDelegate::createEditor(parent, option, index);
    }
};

} // namespace

void SetUpLayerList(QTreeWidget* list, const QStringList& headers, const int* widths, bool severalRows)
{
    list->setRootIsDecorated(false);
    list->setSelectionMode(severalRows ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setHeaderLabels(headers);
    int width = 2 * list->frameWidth() + 4;
    for (int column = 0; column < headers.size(); ++column) {
        list->setColumnWidth(column, widths[column]);
        list->headerItem()->setTextAlignment(column, Qt::AlignCenter);
        width += widths[column];
    }
    list->setMinimumWidth(width);
}

QTreeWidgetItem* AddLayerRow(QTreeWidget* list, const QStringList& cells)
{
    auto* item = new QTreeWidgetItem(list, cells);
    for (int column = 0; column < cells.size(); ++column)
        item->setTextAlignment(column, Qt::AlignCenter);
    return item;
}

CLayerDlg::CLayerDlg(QWidget* parent, CMorvekDoc& doc)
    : QDialog(parent), table_(doc), list_(new QTreeWidget(this)),
      new_(Button(this, LayerTable::kTextNew, "New1134")), delete_(Button(this, LayerTable::kTextDelete, "Delete1135")),
      merge_(Button(this, LayerTable::kTextMerge, "Merge1094")),
      duplicate_(Button(this, LayerTable::kTextDuplicate, "Duplicate1096")),
      ok_(Button(this, LayerTable::kTextOk, "Ok1"))
{
    setObjectName(QStringLiteral("LayerDlg"));
    setWindowTitle(Translate(LayerTable::kTextCaption));
    ok_->setDefault(true);

    list_->setObjectName(QStringLiteral("List1136"));
    SetUpLayerList(list_,
                   {Translate(LayerTable::kTextColumnName), Translate(LayerTable::kTextColumnVisible),
                    Translate(LayerTable::kTextActive), Translate(LayerTable::kTextColumnLocked)},
                   LayerTable::kColumnWidths, true);
    // Only a click on a selected row's name (or F2) starts the rename.
    list_->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    list_->setItemDelegate(new NameOnlyDelegate(list_));

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok_);
    buttons->addSpacing(12);
    buttons->addWidget(new_);
    buttons->addWidget(delete_);
    buttons->addWidget(merge_);
    buttons->addWidget(duplicate_);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(list_);
    layout->addLayout(buttons);

    connect(list_, &QTreeWidget::itemClicked, this, &CLayerDlg::OnItemClicked);
    connect(list_, &QTreeWidget::itemChanged, this, &CLayerDlg::OnItemChanged);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(new_, &QPushButton::clicked, this, [this] { AfterOperation(table_.New()); });
    connect(delete_, &QPushButton::clicked, this, [this] { AfterOperation(table_.Delete(SelectedRows()) > 0); });
    connect(merge_, &QPushButton::clicked, this, [this] { AfterOperation(table_.Merge(SelectedRows())); });
    connect(duplicate_, &QPushButton::clicked, this, [this] { AfterOperation(table_.Duplicate(SelectedRows())); });
    Refill();
}

std::vector<int> CLayerDlg::SelectedRows() const
{
    std::vector<int> rows;
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
        if (list_->topLevelItem(i)->isSelected())
            rows.push_back(i);
    }
    return rows;
}

void CLayerDlg::Refill()
{
    const QSignalBlocker quiet(list_);
    // The same rows are written in place (a click's own item stays alive);
    // an operation that added or removed layers builds them anew.
    if (list_->topLevelItemCount() != table_.RowCount()) {
        list_->clear();
        for (int i = 0; i < table_.RowCount(); ++i) {
            QTreeWidgetItem* item = AddLayerRow(list_, QStringList(4, QString()));
            item->setFlags(item->flags() | Qt::ItemIsEditable);
        }
    }
    for (int i = 0; i < table_.RowCount(); ++i) {
        const LayerTable::Row row = table_.RowAt(i);
        QTreeWidgetItem* item = list_->topLevelItem(i);
        item->setText(LayerTable::kColumnName, row.name);
        item->setText(LayerTable::kColumnVisible, row.visible);
        item->setText(LayerTable::kColumnActive, row.active);
        item->setText(LayerTable::kColumnLocked, row.locked);
    }
    const bool room = table_.CanAdd();
    new_->setEnabled(room);
    merge_->setEnabled(room);
    duplicate_->setEnabled(room);
}

void CLayerDlg::OnItemClicked(QTreeWidgetItem* item, int column)
{
    if (column == LayerTable::kColumnName)
        return;
    if (table_.Click(list_->indexOfTopLevelItem(item), column)) {
        Refill();
        emit drawingChanged();
    }
}

void CLayerDlg::OnItemChanged(QTreeWidgetItem* item, int column)
{
    if (column != LayerTable::kColumnName)
        return;
    // Only a rename that was taken changes the text: Escape abandons it.
    if (table_.Rename(list_->indexOfTopLevelItem(item), item->text(column)))
        emit drawingChanged();
}

void CLayerDlg::AfterOperation(bool changed)
{
    if (!changed)
        return;
    // The rows moved: a selection kept would name other layers.
    list_->clearSelection();
    list_->clear();
    Refill();
    emit drawingChanged();
}

} // namespace dlg
