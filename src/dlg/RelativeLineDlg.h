#pragma once
// The relative line dialog ("Line Draw"), a tool window beside the drawing:
// lines from the document's pen position by direction and length (or its
// x or y extent along the direction) or by an offset, each Create moving
// the pen to the line's end. A dial shows and sets the direction.
#include <QDialog>

class CMorvekDoc;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace dlg {

// The dial: a circle with a radius in the direction; a click sets it.
class DirectionDial : public QWidget {
    Q_OBJECT
public:
    explicit DirectionDial(QWidget* parent = nullptr);
    void SetDirection(double degrees);
    QPoint Centre() const;

signals:
    void Clicked(double degrees);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    double degrees_ = 0.0;
};

class CLineCreateDlg : public QDialog {
    Q_OBJECT
public:
    CLineCreateDlg(CMorvekDoc& doc, QWidget* parent = nullptr);

    QLineEdit* Angle() const { return angle_; }
    QLineEdit* Length() const { return length_; }
    QLineEdit* DX() const { return dx_; }
    QLineEdit* DY() const { return dy_; }
    QLineEdit* OffsetX() const { return offsetX_; }
    QLineEdit* OffsetY() const { return offsetY_; }
    QLabel* PenX() const { return penX_; }
    QLabel* PenY() const { return penY_; }
    QSpinBox* Spin() const { return spin_; }
    DirectionDial* Dial() const { return dial_; }
    QPushButton* CreateByDirectionButton() const { return createDirection_; }
    QPushButton* CreateByOffsetButton() const { return createOffset_; }

    // The pen position shown again (after a change elsewhere).
    void ShowPen();

signals:
    // A Create added a line: the view repaints.
    void DrawingChanged();

protected:
    void showEvent(QShowEvent* event) override;

private:
    double Direction() const;
    void SetDirection(double degrees);
    void OnCreateByDirection();
    void OnCreateByOffset();

    CMorvekDoc& doc_;
    QLineEdit* angle_;
    QLineEdit* length_;
    QLineEdit* dx_;
    QLineEdit* dy_;
    QLineEdit* offsetX_;
    QLineEdit* offsetY_;
    QLabel* penX_;
    QLabel* penY_;
    QSpinBox* spin_;
    DirectionDial* dial_;
    QPushButton* createDirection_;
    QPushButton* createOffset_;
    int spinLast_ = 0;
};

} // namespace dlg
