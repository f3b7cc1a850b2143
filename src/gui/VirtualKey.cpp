#include "gui/VirtualKey.h"

#include <Qt>

#include <array>
#include <utility>

namespace gui {

int VirtualKeyOf(int qtKey)
{
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return qtKey; // the same codes as upper-case ASCII
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return 0x70 + (qtKey - Qt::Key_F1);
    static constexpr std::array<std::pair<int, int>, 21> kKeys{{
        {Qt::Key_Backspace, 0x08}, {Qt::Key_Tab, 0x09},    {Qt::Key_Return, 0x0D}, {Qt::Key_Enter, 0x0D},
        {Qt::Key_Shift, 0x10},     {Qt::Key_Control, 0x11}, {Qt::Key_Alt, 0x12},   {Qt::Key_Pause, 0x13},
        {Qt::Key_Escape, 0x1B},    {Qt::Key_Space, 0x20},  {Qt::Key_PageUp, 0x21}, {Qt::Key_PageDown, 0x22},
        {Qt::Key_End, 0x23},       {Qt::Key_Home, 0x24},   {Qt::Key_Left, 0x25},   {Qt::Key_Up, 0x26},
        {Qt::Key_Right, 0x27},     {Qt::Key_Down, 0x28},   {Qt::Key_Insert, 0x2D}, {Qt::Key_Delete, 0x2E},
        {Qt::Key_Menu, 0x5D},
    }};
    for (const auto& [qt, vk] : kKeys)
        if (qt == qtKey)
            return vk;
    return 0;
}

} // namespace gui
