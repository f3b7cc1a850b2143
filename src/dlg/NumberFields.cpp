#include "dlg/NumberFields.h"

#include <QDoubleValidator>
#include <QIntValidator>
#include <QLineEdit>
#include <QLocale>

#include <cmath>

namespace dlg {

void MakeIntField(QLineEdit* edit)
{
    auto* validator = new QIntValidator(edit);
    validator->setLocale(QLocale::c());
    edit->setValidator(validator);
}

void MakeDoubleField(QLineEdit* edit)
{
    auto* validator = new QDoubleValidator(edit);
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    validator->setLocale(c);
    edit->setValidator(validator);
}

QString NumberText(double value)
{
    return QLocale::c().toString(value, 'g', 12);
}

bool ReadNumber(const QString& text, double& value)
{
    bool ok = false;
    const double read = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(read))
        return false;
    value = read;
    return true;
}

bool ReadNumber(const QLineEdit* edit, double& value)
{
    return ReadNumber(edit->text(), value);
}

bool ReadNumber(const QLineEdit* edit, int& value)
{
    bool ok = false;
    const int read = QLocale::c().toInt(edit->text().trimmed(), &ok);
    if (!ok)
        return false;
    value = read;
    return true;
}

double NumberOrZero(const QLineEdit* edit)
{
    double value = 0.0;
    return ReadNumber(edit, value) ? value : 0.0;
}

} // namespace dlg
