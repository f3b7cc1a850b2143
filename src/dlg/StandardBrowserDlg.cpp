#include "dlg/StandardBrowserDlg.h"

#include "dlg/NumberFields.h"
#include "dlg/SpecStandardDlg.h"
#include "dlg/StandardEntryDlg.h"
#include "options/LanguageTable.h"
#include "standards/PreviewFit.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace dlg {

using standards::StandardChoice;

// The preview frame: the picture stretched into it, proportions kept.
class StandardPreview : public QWidget {
public:
    explicit StandardPreview(QWidget* parent) : QWidget(parent)
    {
        setFixedSize(CStandardDlg::kFrameWidth, CStandardDlg::kFrameHeight);
    }
    void SetPicture(const QString& file, bool shown)
    {
        picture_ = file.isEmpty() ? QPixmap() : QPixmap(file);
        shown_ = shown;
        update();
    }
    void SetShown(bool shown)
    {
        shown_ = shown;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().base());
        painter.setPen(palette().mid().color());
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        if (!shown_ || picture_.isNull())
            return;
        if (const auto place = standards::FitPreview(width(), height(), picture_.width(), picture_.height()))
            painter.drawPixmap(QRect(place->x, place->y, place->width, place->height), picture_);
    }

private:
    QPixmap picture_;
    bool shown_ = true;
};

namespace {

QPushButton* Button(const QString& text, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setAutoDefault(false);
    return button;
}

} // namespace

CStandardDlg::CStandardDlg(StandardBrowser& browser, QWidget* parent) : QDialog(parent), browser_(browser)
{
    setWindowTitle(Translate(kTextTitle));
    tree_ = new QTreeWidget(this);
    tree_->setHeaderHidden(true);
    tree_->setColumnCount(1);
    tree_->setMinimumSize(260, 300);
    tree_->setContextMenuPolicy(Qt::CustomContextMenu);
    tree_->viewport()->installEventFilter(this);
    preview_ = new StandardPreview(this);

    const int labels[] = {kTextA, kTextB, kTextH, kTextMatThick};
    auto* values = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        auto* edit = new QLineEdit(this);
        MakeDoubleField(edit);
        fields_.push_back(edit);
        values->addWidget(new QLabel(Translate(labels[i]), this), i / 2, (i % 2) * 2);
        values->addWidget(edit, i / 2, (i % 2) * 2 + 1);
        connect(edit, &QLineEdit::editingFinished, this, &CStandardDlg::ReadFields);
    }
    previewBox_ = new QCheckBox(Translate(kTextPreview), this);
    values->addWidget(previewBox_, 2, 0, 1, 4);

    auto* group = new QGroupBox(this);
    secondaryBox_ = new QCheckBox(Translate(kTextSecondary), group);
    auto* origin = new QGridLayout(group);
    origin->addWidget(secondaryBox_, 0, 0, 1, 4);
    origin->addWidget(new QLabel(Translate(kTextOrigin), group), 1, 0);
    for (int i = 0; i < 3; ++i) {
        auto* edit = new QLineEdit(group); // formula texts
        fields_.push_back(edit);
        connect(edit, &QLineEdit::editingFinished, this, &CStandardDlg::ReadFields);
    }
    pick_ = Button(QStringLiteral("..."), group);
    origin->addWidget(fields_[4], 1, 1);
    origin->addWidget(fields_[5], 1, 2);
    origin->addWidget(pick_, 1, 3);
    origin->addWidget(new QLabel(Translate(kTextRotation), group), 2, 0);
    origin->addWidget(fields_[6], 2, 1);

    auto* load = Button(Translate(kTextLoad), this);
    load->setDefault(true);
    merge_ = Button(Translate(kTextMerge), this);
    auto* cancel = Button(Translate(kTextCancel), this);
    auto* add = Button(Translate(kTextAdd), this);
    auto* special = Button(Translate(kTextSpecial), this);
    auto* modify = Button(Translate(kTextModify), this);
    auto* remove = Button(Translate(kTextDelete), this);
    auto* up = Button(QStringLiteral("^"), this);
    auto* down = Button(QStringLiteral("v"), this);

    auto* edits = new QHBoxLayout;
    for (QPushButton* b : {add, special, modify, remove, up, down})
        edits->addWidget(b);
    auto* left = new QVBoxLayout;
    left->addWidget(tree_, 1);
    left->addLayout(edits);
    auto* right = new QVBoxLayout;
    right->addWidget(preview_, 0, Qt::AlignHCenter);
    right->addLayout(values);
    right->addWidget(group);
    right->addStretch(1);
    auto* closing = new QHBoxLayout;
    closing->addStretch(1);
    for (QPushButton* b : {load, merge_, cancel})
        closing->addWidget(b);
    right->addLayout(closing);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(right);

    connect(load, &QPushButton::clicked, this, [this] { OnLoad(); });
    connect(merge_, &QPushButton::clicked, this, &CStandardDlg::OnMerge);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(add, &QPushButton::clicked, this, &CStandardDlg::OnAdd);
    connect(special, &QPushButton::clicked, this, &CStandardDlg::OnSpecial);
    connect(modify, &QPushButton::clicked, this, &CStandardDlg::OnModify);
    connect(remove, &QPushButton::clicked, this, &CStandardDlg::OnDelete);
    connect(up, &QPushButton::clicked, this, [this] { OnMove(StandardCatalogue::Direction::Up); });
    connect(down, &QPushButton::clicked, this, [this] { OnMove(StandardCatalogue::Direction::Down); });
    connect(pick_, &QPushButton::clicked, this, &CStandardDlg::OnPickOrigin);
    connect(secondaryBox_, &QCheckBox::toggled, this, [this] { FollowSecondary(); });
    connect(previewBox_, &QCheckBox::toggled, this, [this](bool on) {
        browser_.preview = on;
        preview_->SetShown(on);
    });
    connect(tree_, &QTreeWidget::itemSelectionChanged, this, &CStandardDlg::OnSelectionChanged);
    connect(tree_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) { OnDoubleClicked(item); });
    connect(tree_, &QTreeWidget::customContextMenuRequested, this, &CStandardDlg::ShowPopup);

    BuildTree();
    ShowFields();
}

CStandardDlg::~CStandardDlg() = default;

QTreeWidgetItem* CStandardDlg::ItemOf(int n) const
{
    return n >= 0 && n < int(items_.size()) ? items_[std::size_t(n)] : nullptr;
}

bool CStandardDlg::eventFilter(QObject* watched, QEvent* event)
{
    // A click on the selected item deselects it, so that Add then adds at
    // the top level.
    const bool press = event->type() == QEvent::MouseButtonPress;
    const bool doubleClick = event->type() == QEvent::MouseButtonDblClick;
    if (watched != tree_->viewport() || (!press && !doubleClick))
        return QDialog::eventFilter(watched, event);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    QTreeWidgetItem* item = tree_->itemAt(mouse->position().toPoint());
    if (mouse->button() != Qt::LeftButton || !item)
        return QDialog::eventFilter(watched, event);
    if (press) {
        pressedSelected_ = item == ItemOf(browser_.Selected()) ? item : nullptr;
        if (pressedSelected_) {
            tree_->clearSelection();
            tree_->setCurrentItem(nullptr, 0, QItemSelectionModel::NoUpdate);
            return true;
        }
    } else if (item == pressedSelected_) {
        // The press before deselected it: the tree would take this for a
        // press, so the double click is handled here.
        pressedSelected_ = nullptr;
        if (browser_.Catalogue().Entry(item->data(0, Qt::UserRole).toInt()).type == CatalogueEntry::Folder)
            item->setExpanded(!item->isExpanded());
        OnDoubleClicked(item);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void CStandardDlg::BuildTree()
{
    filling_ = true;
    tree_->clear();
    items_.clear();
    const QIcon folderIcon = style()->standardIcon(QStyle::SP_DirIcon);
    const QIcon standardIcon = style()->standardIcon(QStyle::SP_FileIcon);
    const StandardCatalogue& catalogue = browser_.Catalogue();
    for (int n = 0; n < catalogue.GetCount(); ++n) {
        const CatalogueEntry& entry = catalogue.Entry(n);
        QTreeWidgetItem* parent = ItemOf(entry.parent);
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree_);
        item->setText(0, entry.name);
        item->setIcon(0, entry.type == CatalogueEntry::Folder ? folderIcon : standardIcon);
        item->setData(0, Qt::UserRole, n);
        items_.push_back(item);
    }
    filling_ = false;
}

void CStandardDlg::Reselect(int n)
{
    if (QTreeWidgetItem* item = ItemOf(n)) {
        tree_->setCurrentItem(item);
        tree_->scrollToItem(item);
    } else {
        tree_->clearSelection();
        browser_.Select(-1);
        ShowFields();
    }
}

void CStandardDlg::OnSelectionChanged()
{
    if (filling_)
        return;
    const QList<QTreeWidgetItem*> selected = tree_->selectedItems();
    browser_.Select(selected.isEmpty() ? -1 : selected.front()->data(0, Qt::UserRole).toInt());
    ShowFields();
}

void CStandardDlg::OnDoubleClicked(QTreeWidgetItem* item)
{
    if (!item)
        return;
    const int n = item->data(0, Qt::UserRole).toInt();
    if (browser_.Selected() != n) {
        tree_->setCurrentItem(item);
        browser_.Select(n);
        ShowFields();
    }
    // A folder opens or closes (the tree does that); a standard loads.
    if (browser_.StandardSelected())
        OnLoad(true);
}

void CStandardDlg::ShowFields()
{
    filling_ = true;
    const double numbers[] = {browser_.dimensions.a, browser_.dimensions.b, browser_.dimensions.h,
                              browser_.dimensions.matThick};
    for (int i = 0; i < 4; ++i)
        fields_[std::size_t(i)]->setText(NumberText(numbers[i]));
    fields_[4]->setText(browser_.OriginX());
    fields_[5]->setText(browser_.OriginY());
    fields_[6]->setText(browser_.Rotation());
    previewBox_->setChecked(browser_.preview);
    secondaryBox_->setChecked(browser_.secondary);
    secondaryBox_->setEnabled(browser_.SecondaryBoxEnabled());
    merge_->setEnabled(browser_.MergeEnabled());
    for (int i = 4; i < 7; ++i)
        fields_[std::size_t(i)]->setEnabled(browser_.OriginFieldsEnabled());
    pick_->setEnabled(browser_.OriginFieldsEnabled() && browser_.WithDocument());
    preview_->SetPicture(browser_.PreviewFile(), browser_.preview);
    filling_ = false;
}

void CStandardDlg::ReadFields()
{
    if (filling_)
        return;
    browser_.dimensions = {NumberOrZero(fields_[0]), NumberOrZero(fields_[1]), NumberOrZero(fields_[2]),
                           NumberOrZero(fields_[3])};
    browser_.OriginX() = fields_[4]->text();
    browser_.OriginY() = fields_[5]->text();
    browser_.Rotation() = fields_[6]->text();
}

void CStandardDlg::FollowSecondary()
{
    if (filling_)
        return;
    ReadFields();
    browser_.SetSecondary(secondaryBox_->isChecked());
    ShowFields();
}

void CStandardDlg::Close(const std::optional<StandardChoice>& choice)
{
    if (!choice)
        return;
    choice_ = *choice;
    accept();
}

void CStandardDlg::OnLoad(bool doubleClick)
{
    ReadFields();
    Close(browser_.Load(doubleClick));
}

void CStandardDlg::OnMerge()
{
    ReadFields();
    Close(browser_.Merge());
}

void CStandardDlg::OnPickOrigin()
{
    ReadFields();
    Close(browser_.PickOrigin());
}

void CStandardDlg::OnAdd()
{
    CStdPropDlg entry(browser_, EntryFields{}, true, this);
    if (entry.exec() != QDialog::Accepted)
        return;
    const int n = browser_.Add(entry.Fields());
    BuildTree();
    Reselect(n);
}

void CStandardDlg::OnSpecial()
{
    ExtendedEntryEdit entry{browser_.CataloguePath(), Translate(kTextNewExtended), QString(), QString()};
    int n = browser_.Selected();
    if (EditExtendedStandard(this, browser_.StartFolder(), entry, true)) {
        n = browser_.AddExtended(entry.name, entry.file, entry.bitmap);
        BuildTree();
    }
    Reselect(n);
}

void CStandardDlg::OnModify()
{
    const CatalogueEntry* selected = browser_.SelectedEntry();
    if (!selected)
        return;
    const int n = browser_.Selected();
    if (selected->type == CatalogueEntry::ExtendedStandard) {
        ExtendedEntryEdit entry{browser_.CataloguePath(), selected->name, selected->file, selected->bitmap};
        if (EditExtendedStandard(this, browser_.StartFolder(), entry, false))
            (void)browser_.ModifySelected(entry.name, entry.file, entry.bitmap);
    } else {
        CStdPropDlg dialog(browser_, {selected->type, selected->name, selected->file, selected->bitmap, {}}, false, this);
        if (dialog.exec() == QDialog::Accepted) {
            const EntryFields fields = dialog.Fields();
            (void)browser_.ModifySelected(fields.name, fields.file, fields.bitmap);
        }
    }
    if (QTreeWidgetItem* item = ItemOf(n))
        item->setText(0, browser_.Catalogue().Entry(n).name);
    browser_.Select(n);
    ShowFields();
}

void CStandardDlg::OnDelete()
{
    if (!browser_.DeleteSelected())
        return;
    BuildTree();
    Reselect(-1);
}

void CStandardDlg::OnMove(StandardCatalogue::Direction direction)
{
    if (!browser_.MoveSelected(direction))
        return;
    const int n = browser_.Selected();
    BuildTree();
    Reselect(n);
}

void CStandardDlg::ShowPopup(const QPoint& at)
{
    if (!tree_->itemAt(at))
        return;
    QMenu menu(this);
    menu.addAction(Translate(kTextPopupAdd), this, &CStandardDlg::OnAdd);
    menu.addAction(Translate(kTextPopupModify), this, &CStandardDlg::OnModify);
    menu.addAction(Translate(kTextPopupDelete), this, &CStandardDlg::OnDelete);
    menu.exec(tree_->viewport()->mapToGlobal(at));
}

StandardChoice RunStandardBrowser(QWidget* parent, StandardBrowser& browser)
{
    CStandardDlg dialog(browser, parent);
    dialog.exec();
    return dialog.Choice();
}

} // namespace dlg
