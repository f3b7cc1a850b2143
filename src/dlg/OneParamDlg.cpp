#include "dlg/OneParamDlg.h"

#include "options/LanguageTable.h"
#include "platform/Prompt.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace dlg {

COneParamDlg::COneParamDlg(QWidget* parent)
    : QDialog(parent), label_(new QLabel(this)), edit_(new QLineEdit(this)), ok_(new QPushButton(QStringLiteral("OK"), this))
{
    setObjectName(QStringLiteral("OneParamDlg"));
    label_->setObjectName(QStringLiteral("Label1099"));
    edit_->setObjectName(QStringLiteral("Edit1100"));
    ok_->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(edit_);
    layout->addWidget(ok_, 0, Qt::AlignRight);
    connect(ok_, &QPushButton::clicked, this, &COneParamDlg::accept);
}

void COneParamDlg::SetRequest(const OneValueRequest& request)
{
    label_->setText(request.label);
    edit_->setText(request.value);
    edit_->selectAll();
    skipValidation_ = request.skipValidation;
}

QString COneParamDlg::Label() const
{
    return label_->text();
}

QString COneParamDlg::Value() const
{
    return edit_->text();
}

void COneParamDlg::accept()
{
    if (!skipValidation_ && !IsValueAccepted(edit_->text())) {
        (void)platform::ask(Translate(kTextNotANumber), QString(), platform::PromptButtons::Ok,
                            platform::PromptIcon::Error); // Ok only
        edit_->setFocus();
        return;
    }
    QDialog::accept();
}

} // namespace dlg
