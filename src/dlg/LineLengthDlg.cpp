#include "dlg/LineLengthDlg.h"

#include "options/LanguageTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace dlg {

namespace {

QLineEdit* ReadOnlyEdit(QWidget* parent, const char* name)
{
    auto* edit = new QLineEdit(parent);
    edit->setReadOnly(true);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

} // namespace

CLineLength::CLineLength(QWidget* parent, const CMorvekDoc& doc, const LinetypeTable& linetypes)
    : QDialog(parent), report_(doc, linetypes), layers_(new QComboBox(this)), ptg_(new QComboBox(this)),
      showAll_(new QCheckBox(Translate(LineLengthReport::kTextShowAll), this)), list_(new QTreeWidget(this)),
      total_(ReadOnlyEdit(this, "Edit1026")), extentsOne_(ReadOnlyEdit(this, "Edit1027")),
      extentsAll_(ReadOnlyEdit(this, "Edit1093"))
{
    setObjectName(QStringLiteral("LineLengthDlg"));
    setWindowTitle(Translate(LineLengthReport::kTextTitle));

    layers_->addItems(report_.LayerItems());
    ptg_->setEditable(true);
    ptg_->addItems(LineLengthReport::PtgItems());

    list_->setRootIsDecorated(false);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setHeaderLabels({Translate(LineLengthReport::kTextColumnName), Translate(LineLengthReport::kTextColumnKind),
                            Translate(LineLengthReport::kTextColumnLength)});
    for (int column = 0; column < 3; ++column)
        list_->setColumnWidth(column, LineLengthReport::kColumnWidth);
    list_->setMinimumWidth(3 * LineLengthReport::kColumnWidth + 2 * list_->frameWidth() + 4);

    auto* filters = new QFormLayout;
    filters->addRow(Translate(LineLengthReport::kTextLayerLabel), layers_);
    filters->addRow(Translate(LineLengthReport::kTextPtgLabel), ptg_);
    filters->addRow(QString(), showAll_);
    auto* results = new QFormLayout;
    results->addRow(Translate(LineLengthReport::kTextTotalLabel), total_);
    results->addRow(Translate(LineLengthReport::kTextExtentsOne), extentsOne_);
    results->addRow(Translate(LineLengthReport::kTextExtentsAll), extentsAll_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(Translate(LineLengthReport::kTextOk));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(list_);
    layout->addLayout(results);
    layout->addWidget(buttons);

    connect(layers_, &QComboBox::currentIndexChanged, this, [this] { Recalculate(); });
    // A chosen item measures at once; typed text too, but the text being
    // typed is left as it stands.
    connect(ptg_, &QComboBox::activated, this, [this] { Recalculate(); });
    connect(ptg_->lineEdit(), &QLineEdit::textEdited, this, [this] { Recalculate(false); });
    connect(showAll_, &QCheckBox::toggled, this, [this] { Recalculate(); });
    Recalculate();
}

void CLineLength::Recalculate(bool showPtgChoice)
{
    report_.layer = std::max(layers_->currentIndex(), 0);
    report_.ptgText = ptg_->currentText();
    report_.showAll = showAll_->isChecked();
    report_.Recalculate();

    if (showPtgChoice && report_.ptgText != ptg_->currentText()) {
        const QSignalBlocker quiet(ptg_);
        ptg_->setCurrentIndex(0);
        ptg_->setEditText(report_.ptgText);
    }
    total_->setText(report_.total);
    extentsOne_->setText(report_.extentsOne);
    extentsAll_->setText(report_.extentsAll);
    list_->clear();
    for (const LineLengthReport::Row& row : report_.rows) {
        auto* item = new QTreeWidgetItem(list_, QStringList{row.name, row.kind, row.length});
        item->setData(0, Qt::UserRole, row.lineType);
    }
}

} // namespace dlg
