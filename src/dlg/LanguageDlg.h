#pragma once
// Options > Language: the nine languages with their flags in an icon list,
// the order text of the selected one, OK (enabled once a language is
// chosen) and Cancel. OK stores the order in the settings and has the
// language table read it again; the caller then relabels the menus.
#include "dlg/LanguageChoices.h"

#include <QDialog>
#include <QPixmap>

class COptions;
class QLabel;
class QListWidget;
class QPushButton;

namespace dlg {

inline constexpr int kCaptionLanguage = 2810;
inline constexpr int kTextLanguageGroup = 2811;

// The flag of the language at index (0 to 8), drawn at the size given.
QPixmap LanguageFlag(int index, QSize size);

class CLanguageDlg : public QDialog {
    Q_OBJECT
public:
    CLanguageDlg(QWidget* parent, COptions& options);

    QListWidget* List() const { return list_; }
    QLabel* OrderLabel() const { return order_; }
    QPushButton* OkButton() const { return ok_; }
    const LanguageChoice& Choice() const { return choice_; }

    void accept() override;

private:
    void OnItemChanged();

    COptions& options_;
    LanguageChoice choice_;
    QListWidget* list_;
    QLabel* order_;
    QPushButton* ok_;
};

// Shows the dialog; true when a language was stored with OK.
bool RunLanguageDialog(QWidget* parent, COptions& options);

} // namespace dlg
