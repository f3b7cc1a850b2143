#pragma once
// The dialogs of Construct > Basic > Arc and Ellipse and Construct >
// Dimension: each edits the state its driver keeps between showings, and
// a pick button ends it with the button's code so that the driver can take
// a point from the drawing and show it again. OK adds the element itself
// (dlg/ArcConstruction.h, EllipseFields.h, DimensionFields.h) and keeps the
// dialog open when nothing was added.
#include "dlg/ArcConstruction.h"
#include "dlg/DimensionFields.h"
#include "dlg/EllipseFields.h"

#include <QDialog>

#include <array>

class CMorvekDoc;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace dlg {

class CArcDlg : public QDialog {
    Q_OBJECT
public:
    // End codes of the pick buttons.
    static constexpr int kPickStart = 100;
    static constexpr int kPickEnd = 102;
    static constexpr int kPickCentre = 103;
    static constexpr int kPickThrough = 104;

    CArcDlg(ArcInputs& inputs, CMorvekDoc& doc, QWidget* parent = nullptr);

    // The edit of a value: 0 start angle, 1 end angle, 2/3 centre, 4
    // radius, 5/6 end, 7/8 start, 9/10 through point.
    enum Field { StartAngleEdit, EndAngleEdit, CentreX, CentreY, RadiusEdit, EndX, EndY, StartX, StartY, ThroughX,
                 ThroughY, kFieldCount };
    QLineEdit* Edit(Field field) const { return edits_[field]; }
    QPushButton* PickButton(int code) const;
    QPushButton* OkButton() const { return ok_; }

    // OK: an arc added ends the dialog; otherwise the values are shown again
    // and the dialog stays.
    void accept() override;
    // A pick button and Cancel keep what was typed for the next showing.
    void done(int code) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void ReadEdits();
    void FillEdits();
    void UpdateOk();

    ArcInputs& inputs_;
    CMorvekDoc& doc_;
    std::array<QLineEdit*, kFieldCount> edits_{};
    std::array<QPushButton*, 4> picks_{};
    QPushButton* ok_ = nullptr;
};

class CAddEllipseDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kPickAxis = 120;
    static constexpr int kPickSide = 121;
    static constexpr int kPickCentre = 122;

    // Opens the state (EllipseState::Open) and shows it.
    CAddEllipseDlg(EllipseState& state, CMorvekDoc& doc, QWidget* parent = nullptr);

    enum Field { AxisX, AxisY, Second, CentreX, CentreY, First, SideX, SideY, Rotation, kFieldCount };
    QLineEdit* Edit(Field field) const { return edits_[field]; }
    QPushButton* PickButton(int code) const;
    QPushButton* OkButton() const { return ok_; }

    // OK: stays open while a semi-axis is not above 0 (Enter included).
    void accept() override;
    // A pick button keeps what was typed for the next showing.
    void done(int code) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void ReadEdits();
    void FillEdits();
    void UpdateOk();

    EllipseState& state_;
    CMorvekDoc& doc_;
    std::array<QLineEdit*, kFieldCount> edits_{};
    std::array<QPushButton*, 3> picks_{};
    QPushButton* ok_ = nullptr;
};

class CAddMeasureDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kPickFirst = 130;
    static constexpr int kPickSecond = 131;
    static constexpr int kPickCentre = 132;
    static constexpr int kPickPosition = 133;
    static constexpr int kPickCircle = 134;

    // Opens the state (DimensionState::Open) and shows it.
    CAddMeasureDlg(DimensionState& state, CMorvekDoc& doc, QWidget* parent = nullptr);

    QComboBox* Kind() const { return kind_; }
    QPushButton* PickButton(int code) const;
    QLineEdit* FirstX() const { return coords_[0]; }
    QLineEdit* CentreX() const { return coords_[4]; }
    QLineEdit* PositionX() const { return coords_[6]; }
    QLineEdit* CircleText() const { return circle_; }
    QPushButton* OkButton() const { return ok_; }

    void accept() override;
    void done(int code) override;

private:
    void ReadEdits();
    void OnKindChanged();

    DimensionState& state_;
    CMorvekDoc& doc_;
    QComboBox* kind_ = nullptr;
    // first x, y, second x, y, centre x, y, position x, y
    std::array<QLineEdit*, 8> coords_{};
    // the first, second and centre node's names
    std::array<QLineEdit*, 3> names_{};
    QLineEdit* circle_ = nullptr;
    std::array<QPushButton*, 5> picks_{};
    QPushButton* ok_ = nullptr;
};

} // namespace dlg
