#pragma once
// The line-type box of the main window: every line type the user draws with
// (name shown, number kept), the chosen one being the current line type.
#include <QComboBox>

#include <map>

namespace gui {

class LineTypeBox : public QComboBox {
    Q_OBJECT
public:
    explicit LineTypeBox(QWidget* parent = nullptr);

    // Refills the box from `entries` (number to name) and selects the entry
    // shell::ChooseLineTypeEntry picks: `wanted`, or with -1 the selected
    // entry's line type, else `stored`, else the first. Reports the result.
    void Fill(const std::map<int, QString>& entries, int wanted, int stored);
    // The selected line type; -1 when the box is empty.
    int SelectedLineType() const;

signals:
    void lineTypeChosen(int number);
};

} // namespace gui
