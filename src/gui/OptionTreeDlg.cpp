#include "gui/OptionTreeDlg.h"

#include "options/LanguageTable.h"

#include <QPushButton>

namespace gui {

namespace {
constexpr int kTextCancel = 133;
}

COptionTreeDlg::COptionTreeDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("COptionTreeDlg"));
    setSizeGripEnabled(true);
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setObjectName(QStringLiteral("OK"));
    ok_->setDefault(false);
    ok_->setAutoDefault(false);
    cancel_ = new QPushButton(Translate(kTextCancel), this);
    cancel_->setObjectName(QStringLiteral("Cancel"));
    cancel_->setAutoDefault(false);
    grid_ = new OptionTreeWidget(kOptionTreeHostOptions, this);
    grid_->Tree().SetNotify(true);
    connect(ok_, &QPushButton::clicked, this, [this] {
        grid_->List()->CloseEditor();
        accept();
    });
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    resize(372, 300); // the dialog's 186 x 90 units
}

QSize COptionTreeDlg::Bounded(QSize size)
{
    return size.expandedTo(QSize(kMinimumWidth, kMinimumHeight));
}

void COptionTreeDlg::resizeEvent(QResizeEvent*)
{
    const int w = width();
    const int h = height();
    ok_->setGeometry(10, h - 33, 75, 23);
    cancel_->setGeometry(w - 85, h - 33, 75, 23);
    grid_->setGeometry(0, 0, w, h - 50);
}

} // namespace gui
