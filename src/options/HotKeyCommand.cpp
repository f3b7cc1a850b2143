#include "options/HotKeyCommand.h"

void FillHotKeyCommands(HotKeyCommandTable& table)
{
    struct Row {
        int level, captionId, descriptionId, parentIndex, slot;
    };
    // slot -1: a group, which has no value name.
    static constexpr Row rows[kHotKeyCommandCount] = {
        {0, 1003, 1005, -1, -1},
        {0, 1006, 1005, -1, -1},
        {1, 1000, 1002, 0, SHOW_PAN},
        {1, 1004, 1001, 0, SHOW_POINT},
        {1, 1007, 1001, 1, DEF_FREEPOINT},
        {1, 1008, 1001, 1, DEF_INDIRECT},
        {1, 1009, 1001, 1, DEF_MID},
        {1, 1010, 1001, 1, DEF_HORPROJ},
        {1, 1011, 1001, 1, DEF_VERTPROJ},
        {1, 1057, 1057, 1, DEF_INDLAST},
        {1, 1059, 1059, 1, DEF_TANGENT},
        {1, 1058, 1058, 1, DEF_LINECONT},
        {1, 1060, 1060, 1, DEF_EXITFUNC},
        {1, 1061, 1061, 1, DEF_ENDPOINT},
        {1, 1062, 1062, 1, DEF_PERPEND},
    };
    for (int i = 0; i < kHotKeyCommandCount; ++i) {
        const Row& r = rows[i];
        table[static_cast<std::size_t>(i)] =
            HotKeyCommand{r.level, r.captionId, r.descriptionId, r.parentIndex, 0, KeyBinding{},
                          KeyBindingName(r.slot)};
    }
}
