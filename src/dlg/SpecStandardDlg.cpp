#include "dlg/SpecStandardDlg.h"

namespace dlg {

// Placeholder until the editor's window exists: nothing is edited.
bool EditExtendedStandard(QWidget*, const QString&, ExtendedEntryEdit&, bool)
{
    return false;
}

} // namespace dlg
