#include "dlg/SpecStandardDlg.h"
#include "dlg/NamedWidgets.h"

#include "dlg/NumberFields.h"
#include "dlg/SpecStandardEditor.h"
#include "dlg/SpecStdPropDlg.h"
#include "dlg/StandardFileAsker.h"
#include "options/LanguageTable.h"
#include "platform/CFormat.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace dlg {

namespace {

QLineEdit* DimensionEdit(QWidget* parent, const char* name)
{
    QLineEdit* e = NamedEdit(parent, name);
    MakeDoubleField(e);
    return e;
}

} // namespace

CSpecStandardDlg::CSpecStandardDlg(QWidget* parent, SpecStandardEditor& editor)
    : QDialog(parent), editor_(editor), name_(NamedEdit(this, "Name")), file_(NamedEdit(this, "File")),
      bitmap_(NamedEdit(this, "Bitmap")), a_(DimensionEdit(this, "A")), b_(DimensionEdit(this, "B")),
      h_(DimensionEdit(this, "H")), matThick_(DimensionEdit(this, "MatThick")), list_(new QTreeWidget(this)),
      add_(NamedButton(this, Translate(kTextAdd), "Add")), modify_(NamedButton(this, Translate(kTextModify), "Modify")),
      delete_(NamedButton(this, Translate(kTextDelete), "Delete")), up_(NamedButton(this, QStringLiteral("^"), "Up")),
      down_(NamedButton(this, QStringLiteral("v"), "Down"))
{
    setObjectName(QStringLiteral("SpecStandardDlg"));
    setWindowTitle(Translate(kTextCaption));
    // The file changes through Save As and Load, which write or read it.
    file_->setReadOnly(true);
    auto* browseBitmap = NamedButton(this, QStringLiteral("..."), "BrowseBitmap");
    browseBitmap->setFixedWidth(browseBitmap->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 24);
    auto* bitmapRow = new QHBoxLayout;
    bitmapRow->addWidget(bitmap_, 1);
    bitmapRow->addWidget(browseBitmap);
    auto* form = new QFormLayout;
    form->addRow(Translate(kTextName), name_);
    form->addRow(Translate(kTextFile), file_);
    form->addRow(Translate(kTextBitmap), bitmapRow);

    auto* dims = new QHBoxLayout;
    const std::pair<int, QLineEdit*> dimensions[] = {{kTextA, a_}, {kTextB, b_}, {kTextH, h_}, {kTextMatThick, matThick_}};
    for (const auto& [text, edit] : dimensions) {
        dims->addWidget(new QLabel(Translate(text), this));
        dims->addWidget(edit);
        connect(edit, &QLineEdit::editingFinished, this, &CSpecStandardDlg::ReadControls);
    }

    list_->setObjectName(QStringLiteral("Components"));
    list_->setRootIsDecorated(false);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setHeaderLabels({Translate(kTextColumnName), Translate(kTextColumnFile), QStringLiteral("X"),
                            QStringLiteral("Y"), Translate(kTextColumnRotation)});
    const int widths[] = {90, 160, 70, 70, 70};
    for (int i = 0; i < 5; ++i)
        list_->header()->resizeSection(i, widths[i]);

    auto* side = new QVBoxLayout;
    for (QPushButton* b : {add_, modify_, delete_, up_, down_})
        side->addWidget(b);
    side->addStretch();
    auto* middle = new QHBoxLayout;
    middle->addWidget(list_, 1);
    middle->addLayout(side);

    auto* save = NamedButton(this, Translate(kTextSave), "Save");
    save->setDefault(true);
    auto* saveAs = NamedButton(this, Translate(kTextSaveAs), "SaveAs");
    auto* load = NamedButton(this, Translate(kTextLoad), "Load");
    auto* cancel = NamedButton(this, Translate(kTextCancel), "Cancel");
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(load);
    bottom->addStretch();
    bottom->addWidget(save);
    bottom->addWidget(saveAs);
    bottom->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(dims);
    layout->addLayout(middle, 1);
    layout->addLayout(bottom);

    connect(save, &QPushButton::clicked, this, &CSpecStandardDlg::OnSave);
    connect(saveAs, &QPushButton::clicked, this, &CSpecStandardDlg::OnSaveAs);
    connect(load, &QPushButton::clicked, this, &CSpecStandardDlg::OnLoad);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(add_, &QPushButton::clicked, this, &CSpecStandardDlg::OnAdd);
    connect(modify_, &QPushButton::clicked, this, &CSpecStandardDlg::OnModify);
    connect(delete_, &QPushButton::clicked, this, &CSpecStandardDlg::OnDelete);
    connect(up_, &QPushButton::clicked, this, &CSpecStandardDlg::OnMoveUp);
    connect(down_, &QPushButton::clicked, this, &CSpecStandardDlg::OnMoveDown);
    connect(browseBitmap, &QPushButton::clicked, this, &CSpecStandardDlg::OnBrowseBitmap);
    connect(list_, &QTreeWidget::itemSelectionChanged, this, [this] {
        const QList<QTreeWidgetItem*> selected = list_->selectedItems();
        editor_.Select(selected.isEmpty() ? -1 : list_->indexOfTopLevelItem(selected.constFirst()));
        EnableButtons();
    });
    connect(list_, &QTreeWidget::itemDoubleClicked, this, &CSpecStandardDlg::OnModify);

    FillControls();
    FillList();
    resize(620, 460);
}

void CSpecStandardDlg::ReadControls()
{
    editor_.Entry().name = name_->text();
    editor_.Entry().bitmap = bitmap_->text();
    editor_.SetDimensions(NumberOrZero(a_), NumberOrZero(b_), NumberOrZero(h_), NumberOrZero(matThick_));
}

void CSpecStandardDlg::FillControls()
{
    const ExtendedEntryEdit& entry = editor_.Entry();
    name_->setText(entry.name);
    file_->setText(entry.file);
    bitmap_->setText(entry.bitmap);
    const SpecStandardTable& table = editor_.Table();
    a_->setText(NumberText(table.A));
    b_->setText(NumberText(table.B));
    h_->setText(NumberText(table.H));
    matThick_->setText(NumberText(table.MatThick));
}

void CSpecStandardDlg::FillList()
{
    const QSignalBlocker quiet(list_);
    list_->clear();
    const SpecStandardTable& table = editor_.Table();
    for (int i = 0; i < table.GetCount(); ++i) {
        const SpecStandardComponent& c = table.Component(i);
        auto* item = new QTreeWidgetItem(list_);
        item->setText(0, c.name);
        item->setText(1, c.file);
        item->setText(2, c.x);
        item->setText(3, c.y);
        item->setText(4, c.rotation);
    }
    if (QTreeWidgetItem* item = list_->topLevelItem(editor_.Selected()))
        list_->setCurrentItem(item);
    EnableButtons();
}

void CSpecStandardDlg::EnableButtons()
{
    const int selected = editor_.Selected();
    const int count = editor_.Table().GetCount();
    add_->setEnabled(editor_.CanAdd());
    add_->setToolTip(editor_.CanAdd() ? QString()
                                      : platform::cformat(Translate(SpecStandardEditor::kTextFullTable).toUtf8().constData(),
                                                          SpecStandardTable::kMaxComponents));
    modify_->setEnabled(selected >= 0);
    delete_->setEnabled(selected >= 0);
    up_->setEnabled(selected > 0);
    down_->setEnabled(selected >= 0 && selected + 1 < count);
}

void CSpecStandardDlg::OnSave()
{
    ReadControls();
    if (editor_.Save())
        accept();
}

void CSpecStandardDlg::OnSaveAs()
{
    ReadControls();
    editor_.SaveAs();
    FillControls();
}

void CSpecStandardDlg::OnLoad()
{
    ReadControls();
    editor_.Load();
    FillControls();
    FillList();
}

void CSpecStandardDlg::OnAdd()
{
    ReadControls();
    if (editor_.Add())
        FillList();
}

void CSpecStandardDlg::OnModify()
{
    ReadControls();
    if (editor_.Modify())
        FillList();
}

void CSpecStandardDlg::OnDelete()
{
    ReadControls();
    if (editor_.Delete())
        FillList();
}

void CSpecStandardDlg::OnMoveUp()
{
    if (editor_.MoveUp())
        FillList();
}

void CSpecStandardDlg::OnMoveDown()
{
    if (editor_.MoveDown())
        FillList();
}

void CSpecStandardDlg::OnBrowseBitmap()
{
    ReadControls();
    if (editor_.BrowseBitmap())
        FillControls();
}

bool EditExtendedStandard(QWidget* parent, const QString& startFolder, ExtendedEntryEdit& entry, bool isNew)
{
    QtStandardFileAsker files(parent);
    DialogComponentEditing components(parent, files, startFolder);
    SpecStandardEditor editor(entry, isNew, startFolder, files, components);
    if (!editor.Open())
        return false;
    CSpecStandardDlg dialog(parent, editor);
    files.SetParent(&dialog);
    components.SetParent(&dialog);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    entry.name = editor.Entry().name;
    entry.file = editor.Entry().file;
    entry.bitmap = editor.Entry().bitmap;
    return true;
}

} // namespace dlg
