#include "dlg/CoordinateDialog.h"

#include "options/LanguageTable.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

namespace dlg {

CCoordinate::CCoordinate(QWidget* parent) : QDialog(parent)
{
    using F = CoordinateFields;
    struct Row {
        F::Field field;
        int label;
    };
    constexpr Row rows[] = {{F::BaseX, kTextBaseX},   {F::BaseY, kTextBaseY}, {F::DeltaX, kTextDeltaX},
                            {F::DeltaY, kTextDeltaY}, {F::Angle, kTextAngle}, {F::Distance, kTextDistance}};
    auto* form = new QFormLayout(this);
    for (const Row& row : rows) {
        auto* edit = new QLineEdit(this);
        edits_[static_cast<size_t>(row.field)] = edit;
        form->addRow(Translate(row.label), edit);
        const F::Field field = row.field;
        // textEdited: the user's typing only, never the texts written back.
        connect(edit, &QLineEdit::textEdited, this, [this, field](const QString& text) {
            fields_.Edit(field, text);
            ShowFields();
        });
        edit->installEventFilter(this);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    form->addRow(buttons);
}

void CCoordinate::SetTexts(const QString& baseX, const QString& baseY, const QString& dX, const QString& dY)
{
    fields_.Set(CoordinateFields::BaseX, baseX);
    fields_.Set(CoordinateFields::BaseY, baseY);
    fields_.Set(CoordinateFields::DeltaX, dX);
    fields_.Set(CoordinateFields::DeltaY, dY);
    ShowFields();
}

bool CCoordinate::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut) {
        for (int f = 0; f < CoordinateFields::kFieldCount; ++f) {
            if (watched == edits_[static_cast<size_t>(f)])
                fields_.Leave(static_cast<CoordinateFields::Field>(f));
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CCoordinate::ShowFields()
{
    for (int f = 0; f < CoordinateFields::kFieldCount; ++f) {
        QLineEdit* edit = edits_[static_cast<size_t>(f)];
        const QString& text = fields_.Text(static_cast<CoordinateFields::Field>(f));
        if (edit->text() != text)
            edit->setText(text);
    }
}

} // namespace dlg
