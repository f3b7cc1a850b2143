#pragma once
// The coordinate entry dialog: a point typed relative to a base point while
// a command waits for one, as dX, dY or as distance and angle. The edits
// mirror a CoordinateFields, which keeps the two forms in step.
#include "dlg/CoordinateFields.h"

#include <QDialog>

#include <array>

class QLineEdit;

namespace dlg {

class CCoordinate : public QDialog {
    Q_OBJECT
public:
    // Language texts of the labels: base X, base Y, dX, dY, angle, distance.
    static constexpr int kTextBaseX = 520;
    static constexpr int kTextBaseY = 521;
    static constexpr int kTextDeltaX = 525;
    static constexpr int kTextDeltaY = 526;
    static constexpr int kTextAngle = 523;
    static constexpr int kTextDistance = 541;

    explicit CCoordinate(QWidget* parent = nullptr);

    // The caller's texts ("%4.4f"), shown as they stand; no rule runs.
    void SetTexts(const QString& baseX, const QString& baseY, const QString& dX, const QString& dY);
    // The texts as the user left them; Result() is the point after OK.
    const CoordinateFields& Fields() const { return fields_; }
    QLineEdit* Edit(CoordinateFields::Field f) const { return edits_[static_cast<size_t>(f)]; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Writes the fields' texts into the edits that show another text.
    void ShowFields();

    CoordinateFields fields_;
    std::array<QLineEdit*, CoordinateFields::kFieldCount> edits_{};
};

} // namespace dlg
