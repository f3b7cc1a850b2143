#pragma once
// Number edit fields of the editing dialogs: numbers shown and read with a
// point as the decimal sign whatever the user's locale, so that what a
// dialog shows reads back the same.
#include <QString>

class QLineEdit;

namespace dlg {

// An edit that accepts only a number text (int or double).
void MakeIntField(QLineEdit* edit);
void MakeDoubleField(QLineEdit* edit);
// Up to 12 significant digits, no trailing zeros.
QString NumberText(double value);
// False when the text is not a whole number text.
[[nodiscard]] bool ReadNumber(const QString& text, double& value);
[[nodiscard]] bool ReadNumber(const QLineEdit* edit, double& value);
[[nodiscard]] bool ReadNumber(const QLineEdit* edit, int& value);
// The edit's number; 0 for a text that is no number.
double NumberOrZero(const QLineEdit* edit);

} // namespace dlg
