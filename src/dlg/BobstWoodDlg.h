#pragma once
// The form for setting up a die board for a Bobst machine: machine and
// chase type, client size, horizontal and vertical position, corner
// fillet, centre-line position, equalizing rules and the board's own
// dimensions. It is a layout only: it reads and writes nothing of the
// drawing or the settings ("Delete wood" does nothing); the die board
// itself is set up by the die-board dialog.
#include <QDialog>

namespace dlg {

class CBobstWoodDlg : public QDialog {
    Q_OBJECT
public:
    explicit CBobstWoodDlg(QWidget* parent = nullptr);
    // Debug > Bobst wood.
    static constexpr int kCommand = 486;
};

} // namespace dlg
