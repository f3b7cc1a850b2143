#pragma once
// Options > Display: the settings dialog, a property grid that holds no rows
// yet, over OK and Cancel. Nothing is read back when it closes.
#include "gui/OptionTreeDlg.h"

namespace dlg {

class GeneralSetup : public gui::COptionTreeDlg {
    Q_OBJECT
public:
    static constexpr int kCaption = 2751;
    explicit GeneralSetup(QWidget* parent = nullptr);
};

} // namespace dlg
