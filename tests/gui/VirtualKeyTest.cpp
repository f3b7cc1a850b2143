#include "gui/VirtualKey.h"

#include <Qt>

#include <gtest/gtest.h>

TEST(VirtualKey, QtKeysBecomeTheStoredCodes)
{
    const struct {
        int qt;
        int vk;
    } cases[] = {{Qt::Key_A, 'A'},        {Qt::Key_Z, 'Z'},       {Qt::Key_0, '0'},        {Qt::Key_F1, 0x70},
                 {Qt::Key_F12, 0x7B},     {Qt::Key_Shift, 16},    {Qt::Key_Control, 17},   {Qt::Key_Alt, 18},
                 {Qt::Key_Escape, 27},    {Qt::Key_Space, 32},    {Qt::Key_Delete, 46},    {Qt::Key_Left, 37},
                 {Qt::Key_Enter, 13},     {Qt::Key_Return, 13},   {Qt::Key_Exclam, 0},     {Qt::Key_unknown, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(gui::VirtualKeyOf(c.qt), c.vk) << c.qt;
}
