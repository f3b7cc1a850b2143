#pragma once
// The layers dialog (View > Layer): one row per layer with its name,
// visible, active and locked cells; a click on a cell toggles it, a click
// on a selected row's name edits it in place (Enter takes the name, Escape
// abandons it); New, Delete, Merge and Duplicate work on the selected rows.
// Everything it does is LayerTable's; the dialog maps it onto the controls.
// OK and Escape both end it; every change made stays.
#include "dlg/LayerTable.h"

#include <QDialog>
#include <QStringList>

#include <vector>

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace dlg {

// A list of layers as both layer dialogs show it: one row selectable or
// several, whole rows selected, the headers and cells centred in columns
// of the given widths.
void SetUpLayerList(QTreeWidget* list, const QStringList& headers, const int* widths, bool severalRows);
// Appends a row of centred cells.
QTreeWidgetItem* AddLayerRow(QTreeWidget* list, const QStringList& cells);

class CLayerDlg : public QDialog {
    Q_OBJECT
public:
    CLayerDlg(QWidget* parent, CMorvekDoc& doc);

    LayerTable& Table() { return table_; }
    QTreeWidget* List() const { return list_; }
    QPushButton* NewButton() const { return new_; }
    QPushButton* DeleteButton() const { return delete_; }
    QPushButton* MergeButton() const { return merge_; }
    QPushButton* DuplicateButton() const { return duplicate_; }
    QPushButton* OkButton() const { return ok_; }

    // The selected rows, in row order.
    std::vector<int> SelectedRows() const;
    // Shows the table's rows again and enables the buttons that may add a
    // layer only while there is room for one.
    void Refill();

signals:
    // The drawing changed and the view should show it again.
    void drawingChanged();

private:
    void OnItemClicked(QTreeWidgetItem* item, int column);
    void OnItemChanged(QTreeWidgetItem* item, int column);
    void AfterOperation(bool changed);

    LayerTable table_;
    QTreeWidget* list_;
    QPushButton* new_;
    QPushButton* delete_;
    QPushButton* merge_;
    QPushButton* duplicate_;
    QPushButton* ok_;
};

} // namespace dlg
