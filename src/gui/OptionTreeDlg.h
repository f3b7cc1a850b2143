#pragma once
// A resizable dialog holding one property grid above OK and Cancel. It has
// no rows of its own: a derived dialog fills the grid in Fill() and reads it
// back when OK is pressed.
#include "gui/OptionTreeWidget.h"

#include <QDialog>

class QPushButton;

namespace gui {

class COptionTreeDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMinimumWidth = 200;
    static constexpr int kMinimumHeight = 300;

    explicit COptionTreeDlg(QWidget* parent = nullptr);

    COptionTree& Tree() { return grid_->Tree(); }
    OptionTreeWidget* Grid() const { return grid_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }

    // The size a requested size is held to.
    static QSize Bounded(QSize size);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QPushButton* ok_;
    QPushButton* cancel_;
    OptionTreeWidget* grid_;
};

} // namespace gui
