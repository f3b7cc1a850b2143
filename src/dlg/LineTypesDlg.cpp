#include "dlg/LineTypesDlg.h"

#include "dlg/LineTypePropDlg.h"
#include "options/LanguageTable.h"
#include "platform/Prompt.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace dlg {
namespace {

constexpr int kCaption = 635;
constexpr int kTextAskDelete = 500;
constexpr int kTextReferenced = 501;
constexpr int kTextUsedByElement = 502;
// The kinds a pattern's subtype may not have: display, wave, tear, mixed.
constexpr int kSubtypeMask = LinetypeKind::Display | LinetypeKind::Wave | LinetypeKind::Tear | LinetypeKind::Mixed;

void ShowError(int text)
{
    (void)platform::ask(Translate(text), QString(), platform::PromptButtons::Ok,
                        platform::PromptIcon::Error); // Ok only
}

} // namespace

CLineTypesDlg::CLineTypesDlg(QWidget* parent, LinetypeTable& table, std::set<int> usedIds,
                             platform::ColorRef background)
    : QDialog(parent), table_(table), changes_(table, std::move(usedIds)), background_(background),
      runProperties_([](CLineTypePropDlg& dialog) { return dialog.exec(); }), list_(new QTreeWidget(this)),
      add_(new QPushButton(Translate(601), this)), modify_(new QPushButton(Translate(603), this)),
      delete_(new QPushButton(Translate(604), this))
{
    setObjectName(QStringLiteral("LineTypesDlg"));
    setWindowTitle(Translate(kCaption));
    list_->setRootIsDecorated(false);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setHeaderLabels({Translate(497), Translate(496), TranslateKey(QStringLiteral("Type"))});
    const int widths[] = {60, 160, 80};
    for (int c = 0; c < 3; ++c)
        list_->setColumnWidth(c, widths[c]);
    list_->setMinimumSize(330, 260);
    auto* ok = new QPushButton(Translate(132), this);
    auto* cancel = new QPushButton(Translate(133), this);
    ok->setDefault(true);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {add_, modify_, delete_})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(list_);
    layout->addLayout(buttons);
    connect(add_, &QPushButton::clicked, this, &CLineTypesDlg::OnAdd);
    connect(modify_, &QPushButton::clicked, this, &CLineTypesDlg::OnModify);
    connect(delete_, &QPushButton::clicked, this, &CLineTypesDlg::OnDelete);
    connect(ok, &QPushButton::clicked, this, &CLineTypesDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CLineTypesDlg::reject);
    FillList();
}

void CLineTypesDlg::FillList()
{
    list_->clear();
    for (const LineTypeChanges::Row& row : changes_.Rows()) {
        auto* item = new QTreeWidgetItem(list_, {QString::number(row.id), row.name, row.kind});
        item->setData(0, Qt::UserRole, row.id);
    }
}

int CLineTypesDlg::SelectedId() const
{
    const QList<QTreeWidgetItem*> selected = list_->selectedItems();
    return selected.isEmpty() ? -1 : selected.first()->data(0, Qt::UserRole).toInt();
}

bool CLineTypesDlg::EditRecord(Linetype& record, std::optional<std::set<int>> takenIds, int& id)
{
    CLineTypePropDlg properties(this, changes_.Names(kSubtypeMask), background_);
    properties.SetLineType(&record, std::move(takenIds), &id);
    return runProperties_(properties) == QDialog::Accepted;
}

void CLineTypesDlg::OnAdd()
{
    Linetype record = LineTypeChanges::NewRecord(background_);
    int id = -1;
    if (EditRecord(record, changes_.TakenIds(), id)) {
        changes_.Store(id, record);
        FillList();
    }
}

void CLineTypesDlg::OnModify()
{
    const int oldId = SelectedId();
    if (oldId < 0)
        return;
    std::optional<Linetype> record = changes_.RecordOf(oldId);
    if (!record)
        return;
    std::optional<std::set<int>> taken;
    if (changes_.InUse(oldId) == LineTypeChanges::Use::Free)
        taken = changes_.TakenIds();
    int id = oldId;
    if (EditRecord(*record, std::move(taken), id))
        changes_.Store(id, *record, oldId);
    FillList();
}

void CLineTypesDlg::OnDelete()
{
    const int id = SelectedId();
    if (id < 0)
        return;
    switch (changes_.CheckDelete(id)) {
    case LineTypeChanges::DeleteCheck::Nothing:
        return;
    case LineTypeChanges::DeleteCheck::UsedByElement:
        ShowError(kTextUsedByElement);
        return;
    case LineTypeChanges::DeleteCheck::Referenced:
        ShowError(kTextReferenced);
        return;
    case LineTypeChanges::DeleteCheck::Allowed:
        break;
    }
    if (platform::ask(Translate(kTextAskDelete), QString(), platform::PromptButtons::YesNo,
                      platform::PromptIcon::Question)
        != platform::PromptResult::Yes)
        return;
    changes_.MarkDeleted(id);
    FillList();
}

void CLineTypesDlg::accept()
{
    (void)changes_.Apply(table_); // a failed save has told the user; the table holds the edits
    QDialog::accept();
}

} // namespace dlg
