#pragma once
// The dialogs of Construct > Shapes > Polygon and Rectangle. Each shows its
// values, and OK stores them in the options' named values for the command
// that then asks the centre point (dlg/ShapeSizes.h).
#include "dlg/ShapeSizes.h"

#include <QDialog>

class COptions;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace dlg {

class CPolygonDlg : public QDialog {
    Q_OBJECT
public:
    CPolygonDlg(COptions& options, const PolygonValues& values, QWidget* parent = nullptr);

    // The values the fields hold (the edge count clamped).
    PolygonValues Values() const;
    QSpinBox* Edges() const { return edges_; }
    QLineEdit* Angle() const { return angle_; }
    QLineEdit* Side() const { return side_; }
    QLineEdit* ShorterDiagonal() const { return shorter_; }
    QLineEdit* LongerDiagonal() const { return longer_; }
    QLineEdit* Rotation() const { return rotation_; }
    QCheckBox* Select() const { return select_; }
    QPushButton* OkButton() const { return ok_; }

    // Stores the values and closes; stays open while no size is given.
    void accept() override;

private:
    void OnEdgesChanged();
    void OnSizeChanged();

    COptions& options_;
    QSpinBox* edges_;
    QLineEdit* angle_;
    QLineEdit* side_;
    QLineEdit* shorter_;
    QLineEdit* longer_;
    QLineEdit* rotation_;
    QCheckBox* select_;
    QPushButton* ok_;
};

class CRectangleDlg : public QDialog {
    Q_OBJECT
public:
    // Shows the values of the last OK.
    explicit CRectangleDlg(COptions& options, QWidget* parent = nullptr);

    QLineEdit* Width() const { return width_; }
    QLineEdit* Height() const { return height_; }
    QLineEdit* Radius() const { return radius_; }
    QLineEdit* Angle() const { return angle_; }
    RectangleValues Values() const;
    QPushButton* OkButton() const { return ok_; }

    // Stores the values and closes; stays open while the width or the
    // height is not above 0.
    void accept() override;

protected:
    // The sketch of a rectangle with one rounded corner and its centre.
    void paintEvent(QPaintEvent* event) override;

private:
    COptions& options_;
    QLineEdit* width_;
    QLineEdit* height_;
    QLineEdit* radius_;
    QLineEdit* angle_;
    QPushButton* ok_ = nullptr;
};

} // namespace dlg
