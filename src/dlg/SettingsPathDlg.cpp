#include "dlg/SettingsPathDlg.h"

#include "dlg/DialogButtons.h"
#include "options/LanguageTable.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace dlg {

CSettingsPathDlg::CSettingsPathDlg(QWidget* parent, COptions& options) : QDialog(parent), paths_(options)
{
    setObjectName(QStringLiteral("SettingsPathDlg"));
    setWindowTitle(Translate(kCaptionPathSheet));
    auto* tabs = new QTabWidget(this);
    auto* page = new QWidget(tabs);
    auto* grid = new QGridLayout(page);
    for (int row = 0; row < kCatalogPathCount; ++row) {
        auto* field = new QLineEdit(page);
        field->setReadOnly(true);
        field->setObjectName(CatalogPaths::Key(row));
        field->setMinimumWidth(320);
        auto* browse = new QPushButton(Translate(kTextBrowse), page);
        grid->addWidget(new QLabel(CatalogPaths::Key(row), page), row, 0);
        grid->addWidget(field, row, 1);
        grid->addWidget(browse, row, 2);
        fields_[std::size_t(row)] = field;
        browse_[std::size_t(row)] = browse;
        connect(browse, &QPushButton::clicked, this, [this, row] {
            if (paths_.Browse(row))
                ShowPaths();
        });
    }
    grid->setRowStretch(kCatalogPathCount, 1);
    tabs->addTab(page, Translate(kTextPathsPage));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(OkCancelButtons(this));
    ShowPaths();
}

void CSettingsPathDlg::ShowPaths()
{
    for (int row = 0; row < kCatalogPathCount; ++row) {
        fields_[std::size_t(row)]->setText(paths_.Path(row));
        fields_[std::size_t(row)]->setCursorPosition(0);
    }
}

} // namespace dlg
