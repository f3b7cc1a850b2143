// The page protocol's base (the moc of PropertyPage.h builds with this file).
#include "dlg/PropertyPage.h"
