#include "dlg/PrintSetupFields.h"

#include "options/Options.h"

#include <algorithm>

namespace dlg {

PrintSetupFields PrintSetupFields::Read(const COptions& options)
{
    PrintSetupFields fields;
    fields.overlap = std::clamp(options.GetPrintOverlap(), 0, kMaxOverlap);
    fields.storedMode = options.GetPrintMode();
    fields.selectedMode = fields.storedMode >= 1 && fields.storedMode <= 3 ? fields.storedMode : 0;
    fields.centerX = options.GetNamedInt("print_center_x", 0) != 0;
    fields.centerY = options.GetNamedInt("print_center_y", 0) != 0;
    return fields;
}

void PrintSetupFields::ChooseMode(int mode)
{
    if (mode < 1 || mode > 3)
        return;
    selectedMode = mode;
    overlapEnabled = mode == 1;
    centerEnabled = mode != 1;
}

void PrintSetupFields::Store(COptions& options) const
{
    options.SetPrintOverlap(std::clamp(overlap, 0, kMaxOverlap));
    options.SetPrintMode(selectedMode != 0 ? selectedMode : storedMode);
    options.SetNamedInt("print_center_x", centerX ? 1 : 0);
    options.SetNamedInt("print_center_y", centerY ? 1 : 0);
}

} // namespace dlg
