#include "app/DefaultMenu.h"

namespace {

shell::MenuItemSource Command(int id, const char16_t* text)
{
    return shell::MenuItemSource{id, QString::fromUtf16(text), false, {}};
}

shell::MenuItemSource Separator()
{
    return shell::MenuItemSource{};
}

shell::MenuItemSource Popup(const char16_t* text, std::vector<shell::MenuItemSource> items)
{
    return shell::MenuItemSource{-1, QString::fromUtf16(text), true, std::move(items)};
}

} // namespace

std::vector<shell::MenuItemSource> DefaultMenu()
{
    return {
        Popup(u"&File", {Command(57600, u"&New"), Command(57601, u"&Open..."), Separator(),
                         Command(57606, u"Print Set&up..."), Separator(), Command(kExitCommand, u"E&xit")}),
        Popup(u"&View", {Command(59393, u"&Status Bar")}),
        Popup(u"&Help", {Command(kAboutCommand, u"&About MorvekXP...")}),
    };
}
