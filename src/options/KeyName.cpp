#include "options/KeyName.h"

#include <array>
#include <utility>

QString VirtualKeyName(int virtualKey)
{
    if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9'))
        return QString(QChar(virtualKey));
    if (virtualKey >= 0x70 && virtualKey <= 0x87)
        return QStringLiteral("F%1").arg(virtualKey - 0x70 + 1);
    static constexpr std::array<std::pair<int, const char*>, 20> kNames{{
        {0x08, "Backspace"}, {0x09, "Tab"},     {0x0D, "Enter"},     {0x10, "Shift"}, {0x11, "Ctrl"},
        {0x12, "Alt"},       {0x13, "Pause"},   {0x1B, "Esc"},       {0x20, "Space"}, {0x21, "Page Up"},
        {0x22, "Page Down"}, {0x23, "End"},     {0x24, "Home"},      {0x25, "Left"},  {0x26, "Up"},
        {0x27, "Right"},     {0x28, "Down"},    {0x2D, "Ins"},       {0x2E, "Del"},   {0x5D, "Menu"},
    }};
    for (const auto& [code, name] : kNames)
        if (code == virtualKey)
            return QString::fromLatin1(name);
    return QString();
}

QString KeyBindingText(const KeyBinding& binding)
{
    const QString key = VirtualKeyName(binding.virtualKey);
    if (key.isEmpty())
        return QString();
    QString text;
    if (binding.ctrl)
        text += QStringLiteral("Ctrl+");
    if (binding.shift)
        text += QStringLiteral("Shift+");
    if (binding.alt)
        text += QStringLiteral("Alt+");
    return text + key;
}
