#include "dlg/StandardEntryDlg.h"

#include "dlg/DialogButtons.h"
#include "gui/FolderChooser.h"
#include "options/LanguageTable.h"
#include "platform/Prompt.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace dlg {

CStdPropDlg::CStdPropDlg(const StandardBrowser& browser, const EntryFields& fields, bool isNew, QWidget* parent)
    : QDialog(parent), browser_(browser), type_(isNew ? CatalogueEntry::Standard : fields.type)
{
    setWindowTitle(Translate(kTextTitle));
    simple_ = new QRadioButton(Translate(kTextSimple), this);
    folder_ = new QRadioButton(Translate(kTextFolder), this);
    name_ = new QLineEdit(isNew ? QString() : fields.name, this);
    file_ = new QLineEdit(isNew ? QString() : fields.file, this);
    bitmap_ = new QLineEdit(isNew ? QString() : fields.bitmap, this);
    fileButton_ = new QPushButton(QStringLiteral("..."), this);
    bitmapButton_ = new QPushButton(QStringLiteral("..."), this);
    for (QPushButton* button : {fileButton_, bitmapButton_})
        button->setAutoDefault(false);
    file_->setMinimumWidth(260);

    simple_->setChecked(type_ == CatalogueEntry::Standard);
    folder_->setChecked(type_ == CatalogueEntry::Folder);
    simple_->setEnabled(isNew);
    folder_->setEnabled(isNew);

    auto* grid = new QGridLayout;
    grid->addWidget(simple_, 0, 0);
    grid->addWidget(folder_, 0, 1);
    grid->addWidget(new QLabel(Translate(kTextName), this), 1, 0);
    grid->addWidget(name_, 1, 1, 1, 2);
    grid->addWidget(new QLabel(Translate(kTextFile), this), 2, 0);
    grid->addWidget(file_, 2, 1);
    grid->addWidget(fileButton_, 2, 2);
    grid->addWidget(new QLabel(Translate(kTextBitmap), this), 3, 0);
    grid->addWidget(bitmap_, 3, 1);
    grid->addWidget(bitmapButton_, 3, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(OkCancelButtons(this));

    connect(simple_, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            type_ = CatalogueEntry::Standard;
        FollowType();
    });
    connect(folder_, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            type_ = CatalogueEntry::Folder;
        FollowType();
    });
    connect(fileButton_, &QPushButton::clicked, this, &CStdPropDlg::BrowseFile);
    connect(bitmapButton_, &QPushButton::clicked, this, &CStdPropDlg::BrowseBitmap);
    FollowType();
}

void CStdPropDlg::FollowType()
{
    const bool files = type_ != CatalogueEntry::Folder;
    for (QWidget* w : std::initializer_list<QWidget*>{file_, fileButton_, bitmap_, bitmapButton_})
        w->setEnabled(files);
}

EntryFields CStdPropDlg::Fields() const
{
    return {type_, name_->text(), file_->text(), bitmap_->text(), pickedExtension_};
}

void CStdPropDlg::TakePickedFile(const QString& path)
{
    pickedExtension_ = QFileInfo(path).suffix();
    file_->setText(browser_.StoredPath(path));
}

void CStdPropDlg::TakePickedBitmap(const QString& path)
{
    bitmap_->setText(browser_.StoredPath(path));
}

void CStdPropDlg::BrowseFile()
{
    const int filter = type_ == CatalogueEntry::Standard ? kTextDrawingFilter : kTextExtendedFilter;
    const QString path = QFileDialog::getOpenFileName(this, QString(), browser_.StartFolder(),
                                                      gui::QtFilter(Translate(filter)));
    if (!path.isEmpty())
        TakePickedFile(path);
}

void CStdPropDlg::BrowseBitmap()
{
    const QString path = QFileDialog::getOpenFileName(this, QString(), browser_.StartFolder(),
                                                      gui::QtFilter(Translate(kTextBitmapFilter)));
    if (!path.isEmpty())
        TakePickedBitmap(path);
}

void CStdPropDlg::accept()
{
    if (const std::optional<int> refused = RefuseEntry(Fields())) {
        (void)platform::ask(Translate(*refused), QString(), platform::PromptButtons::Ok, platform::PromptIcon::Warning);
        return;
    }
    QDialog::accept();
}

} // namespace dlg
