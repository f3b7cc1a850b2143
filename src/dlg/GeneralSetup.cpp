#include "dlg/GeneralSetup.h"

#include "options/LanguageTable.h"

namespace dlg {

GeneralSetup::GeneralSetup(QWidget* parent) : gui::COptionTreeDlg(parent)
{
    setObjectName(QStringLiteral("GeneralSetup"));
    setWindowTitle(Translate(kCaption));
}

} // namespace dlg
