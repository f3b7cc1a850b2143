#include "dlg/KeySettingDlg.h"

#include "options/LanguageTable.h"
#include "options/Options.h"
#include "platform/Prompt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace dlg {
namespace {

constexpr int kTextOk = 132;

void TellNotStored(bool stored)
{
    if (!stored)
        (void)platform::ask(QStringLiteral("The key could not be stored."), QString(), platform::PromptButtons::Ok,
                            platform::PromptIcon::Warning); // told; nothing else to do
}

} // namespace

CKeySettingDlg::CKeySettingDlg(QWidget* parent, const COptions& options)
    : QDialog(parent), settings_(options), tree_(new QTreeWidget(this)), keys_(new QComboBox(this)),
      ctrl_(new QCheckBox(Translate(kTextKeyCtrl), this)), alt_(new QCheckBox(Translate(kTextKeyAlt), this)),
      shift_(new QCheckBox(Translate(kTextKeyShift), this)), set_(new QPushButton(Translate(kTextKeySet), this)),
      delete_(new QPushButton(Translate(kTextKeyDelete), this)),
      description_(new QLabel(Translate(kTextKeyDescription), this))
{
    setObjectName(QStringLiteral("KeySettingDlg"));
    setWindowTitle(Translate(kCaptionKeySettings));
    tree_->setHeaderHidden(true);
    tree_->setObjectName(QStringLiteral("Commands"));
    const QIcon groupIcon = style()->standardIcon(QStyle::SP_DirIcon);
    const QIcon commandIcon = style()->standardIcon(QStyle::SP_FileIcon);
    std::vector<QTreeWidgetItem*> items;
    for (int i = 0; i < kHotKeyCommandCount; ++i) {
        const HotKeyCommand& command = settings_.Commands()[std::size_t(i)];
        QTreeWidgetItem* parentItem =
            command.parentIndex >= 0 ? items[std::size_t(command.parentIndex)] : tree_->invisibleRootItem();
        auto* item = new QTreeWidgetItem(parentItem, {Translate(command.captionId)});
        item->setIcon(0, command.level == 0 ? groupIcon : commandIcon);
        item->setData(0, Qt::UserRole, i);
        items.push_back(item);
    }
    tree_->expandAll();
    for (const KeyListEntry& entry : KeyList())
        keys_->addItem(QString::fromUtf16(entry.name));
    keys_->setObjectName(QStringLiteral("Keys"));
    keys_->setMaxVisibleItems(20);
    description_->setWordWrap(true);
    description_->setFrameShape(QFrame::StyledPanel);
    description_->setMinimumHeight(60);
    description_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* keyRow = new QGridLayout;
    keyRow->addWidget(new QLabel(Translate(kTextShortcutKey), this), 0, 0);
    keyRow->addWidget(keys_, 0, 1);
    keyRow->addWidget(ctrl_, 1, 0);
    keyRow->addWidget(alt_, 1, 1);
    keyRow->addWidget(shift_, 2, 0);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(set_);
    buttons->addWidget(delete_);
    buttons->addStretch();
    auto* ok = new QPushButton(Translate(kTextOk), this);
    ok->setDefault(true);
    buttons->addWidget(ok);
    auto* right = new QVBoxLayout;
    right->addLayout(keyRow);
    right->addWidget(description_, 1);
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(tree_, 1);
    layout->addLayout(right, 1);
    resize(560, 330);

    connect(tree_, &QTreeWidget::currentItemChanged, this, &CKeySettingDlg::OnSelChanged);
    connect(set_, &QPushButton::clicked, this, &CKeySettingDlg::OnSet);
    connect(delete_, &QPushButton::clicked, this, &CKeySettingDlg::OnDelete);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    ShowSettings();
}

void CKeySettingDlg::SelectRow(int row)
{
    QTreeWidgetItemIterator it(tree_);
    for (; *it; ++it) {
        if ((*it)->data(0, Qt::UserRole).toInt() == row) {
            tree_->setCurrentItem(*it);
            return;
        }
    }
}

void CKeySettingDlg::OnSelChanged()
{
    if (QTreeWidgetItem* item = tree_->currentItem())
        settings_.Select(item->data(0, Qt::UserRole).toInt());
    ShowSettings();
}

void CKeySettingDlg::TakeControls()
{
    settings_.ctrl = ctrl_->isChecked();
    settings_.alt = alt_->isChecked();
    settings_.shift = shift_->isChecked();
    settings_.keyIndex = keys_->currentIndex();
}

void CKeySettingDlg::OnSet()
{
    TakeControls();
    TellNotStored(settings_.Set());
    ShowSettings();
}

void CKeySettingDlg::OnDelete()
{
    TellNotStored(settings_.Delete());
    ShowSettings();
}

void CKeySettingDlg::ShowSettings()
{
    const int description = settings_.DescriptionId();
    description_->setText(Translate(description ? description : kTextKeyDescription));
    ctrl_->setChecked(settings_.ctrl);
    alt_->setChecked(settings_.alt);
    shift_->setChecked(settings_.shift);
    keys_->setCurrentIndex(settings_.keyIndex);
    const bool editable = settings_.CanEdit();
    for (QWidget* control : {static_cast<QWidget*>(set_), static_cast<QWidget*>(delete_)})
        control->setEnabled(editable);
}

void RunKeySettings(QWidget* parent, COptions& options)
{
    CKeySettingDlg dialog(parent, options);
    const bool ok = dialog.exec() == QDialog::Accepted;
    if (ok || dialog.Settings().Written())
        options.LoadKeyboard();
}

} // namespace dlg
