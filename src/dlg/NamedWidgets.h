#pragma once
// Small makers for dialog controls that tests find by object name.
#include <QString>

class QLineEdit;
class QPushButton;
class QWidget;

namespace dlg {

// A push button that is never the dialog's default (Return stays with OK).
QPushButton* NamedButton(QWidget* parent, const QString& text, const char* name);
QLineEdit* NamedEdit(QWidget* parent, const char* name);

} // namespace dlg
