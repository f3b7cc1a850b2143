#pragma once
// Options > Path: a sheet (caption text 845) with one page, "Paths": the
// four catalogue files, each a read-only field and a browse button. See
// CatalogPaths for what the page does.
#include "dlg/CatalogPaths.h"

#include <QDialog>

#include <array>

class QLineEdit;
class QPushButton;

namespace dlg {

inline constexpr int kCaptionPathSheet = 845;
inline constexpr int kTextPathsPage = 2812;
inline constexpr int kTextBrowse = 2813;

class CSettingsPathDlg : public QDialog {
    Q_OBJECT
public:
    CSettingsPathDlg(QWidget* parent, COptions& options);

    QLineEdit* Field(int row) const { return fields_[std::size_t(row)]; }
    QPushButton* BrowseButton(int row) const { return browse_[std::size_t(row)]; }

private:
    void ShowPaths();

    CatalogPaths paths_;
    std::array<QLineEdit*, kCatalogPathCount> fields_{};
    std::array<QPushButton*, kCatalogPathCount> browse_{};
};

} // namespace dlg
