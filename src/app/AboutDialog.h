#pragma once
// Help > About: the program's picture (a die drawn in code), its name, its
// version and the date it was built, and OK.
#include <QDialog>

namespace app {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);

    // The picture: a die board with its cutting outline, the crease lines
    // of a folding box and the bridges left in the rules.
    static QPixmap Picture();
};

} // namespace app
