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

// Options stands between View and Output with or without a drawing: its
// windows need none.
shell::MenuItemSource OptionsMenu()
{
    return Popup(u"O&ptions", {Command(32841, u"&Display"), Command(207, u"&Language"), Command(32842, u"&Path"),
                               Command(32848, u"&Hot Key")});
}

} // namespace

std::vector<shell::MenuItemSource> DefaultMenu()
{
    return {
        Popup(u"&File", {Command(57600, u"&New"), Command(57601, u"&Open..."), Separator(),
                         Command(57606, u"Print Set&up..."), Separator(), Command(kExitCommand, u"E&xit")}),
        Popup(u"&View", {Command(59393, u"&Status Bar")}),
        OptionsMenu(),
        Popup(u"&Output", {Command(32796, u"&Options")}),
        Popup(u"&Help", {Command(kAboutCommand, u"&About MorvekXP...")}),
    };
}

std::vector<shell::MenuItemSource> DocumentMenu()
{
    std::vector<shell::MenuItemSource> customToolbars;
    for (int i = 1; i <= 10; ++i)
        customToolbars.push_back(shell::MenuItemSource{kFirstUserToolbar + i - 1, QStringLiteral("Toolbar %1").arg(i), false, {}});
    return {
        Popup(u"&File", {Command(57600, u"&New"), Command(57601, u"&Open..."), Command(475, u"&Import..."),
                         Command(476, u"&Merge..."),
                         Command(57602, u"&Close"), Command(470, u"Close A&ll"), Separator(),
                         Command(57603, u"&Save"), Command(57604, u"Save &As..."), Command(469, u"Save Cop&y As..."),
                         Separator(), Command(57607, u"&Print..."), Command(57608, u"Print &Direct"),
                         Command(57609, u"Print Pre&view"), Command(57606, u"Print Set&up..."), Separator(),
                         Command(kExitCommand, u"E&xit")}),
        Popup(u"&Construct",
              {Command(370, u"&Undo"), Command(371, u"&Redo"), Separator(),
               Popup(u"&Basic", {Command(32797, u"&Line"), Command(32798, u"Line &continuous"),
                                 Command(33100, u"Relative Li&ne"), Command(176, u"&Arc"), Command(32799, u"C&ircle"),
                                 Command(32802, u"&Ellipse"), Command(32968, u"Ellipse A&rc"), Command(453, u"&Spline"),
                                 Command(32801, u"&Text")}),
               Popup(u"&QuickConstruct", {Command(405, u"&Text"), Command(406, u"&Radial Dimension"),
                                          Command(407, u"&Parallel Dimension")}),
               Popup(u"&Dimension", {Command(210, u"&Linear"), Command(211, u"&Angular"), Command(212, u"&Radius")}),
               Popup(u"&Geometry", {Command(32806, u"&Parallel"), Command(32807, u"Parallel &X"),
                                    Command(32808, u"Parallel &Y"), Command(32810, u"&Angle bisector"),
                                    Command(32805, u"&Edge")}),
               Popup(u"&Shapes", {Command(214, u"&Rectangle"), Command(215, u"&Polygon"), Command(216, u"&Holders"),
                                  Command(217, u"&Euro hole"), Command(459, u"&Cuir")}),
               Popup(u"S&tandard", {Command(285, u"&FEFCO"), Command(230, u"&ECMA"), Command(33003, u"&TOP"),
                                    Separator(), Command(shell::kStandardsAnchorId, u"_DYNAMIC_"), Separator(),
                                    Command(362, u"Use Secondary &Relativity"), Command(33004, u"&Install")}),
               Popup(u"B&obst", {Command(482, u"&Storage Spacer")}), Separator(),
               Command(32958, u"A&void layout"), Command(32959, u"Bridge &formula")}),
        Popup(u"&Modify", {Command(224, u"&Move"), Command(226, u"&Rotate"), Command(227, u"M&irror"),
                           Command(228, u"&Scale"), Command(33007, u"Split &up"), Popup(u"&Quick", {Command(409, u"Quick &Move"), Command(410, u"Quick &Rotate")}),
                           Separator(), Command(219, u"Sector &Line Type"), Separator(), Command(293, u"Select &All"),
                           Command(294, u"&Invert Selection"), Command(292, u"S&pecial Selection"),
                           Command(448, u"&Extended Selection")}),
        Popup(u"M&anipulation",
              {Command(225, u"&Copy"), Command(303, u"Copy to &Layer..."), Command(32963, u"Clipboard C&opy"),
               Command(32964, u"Clipboard &Paste"), Separator(), Command(237, u"&Fillet"), Command(238, u"C&hamfer"),
               Command(239, u"Len&gth"), Command(240, u"&Extend"), Command(301, u"&Intersection"),
               Command(369, u"&Split"), Command(32957, u"C&ut element"), Command(363, u"Con&vert Nodes..."),
               Popup(u"Clear Common Lines", {Command(439, u"&Block"), Command(32803, u"&Layout"),
                                             Command(32956, u"Layout &and block")}),
               Popup(u"&Delete", {Command(243, u"&Element"), Command(244, u"&Sector"), Command(242, u"&All Specified"),
                                  Command(288, u"&Idle Nodes")}),
               Popup(u"&Quick", {Command(411, u"Quick &Copy"), Command(472, u"Quick &Delete Sector")})}),
        Popup(u"Mesaure", {Command(32825, u"&Distance"), Command(208, u"&Line Length"), Command(384, u"&Radius"),
                           Command(32816, u"&Angle between 3 points"), Command(218, u"&Element")}),
        Popup(u"&Die", {Command(368, u"&Wood"), Command(465, u"&Automatic Layout"), Separator(),
                        Command(33009, u"EasySet &SP"), Command(33006, u"EasySet SP&O"),
                        Command(33005, u"&PosiLock"),
                        Popup(u"S&tripper", {Command(474, u"&Outline by Click"), Command(33008, u"&Seperatingrule"),
                                             Command(33010, u"&Wood")})}),
        Popup(u"&View",
              {Popup(u"&Toolbars", {Command(kMainToolbar, u"&Toolbar"), Command(313, u"&Construct Bar"),
                                    Command(316, u"&Position Bar"), Command(317, u"&State Bar"),
                                    Command(318, u"&Linetype Bar")}),
               Popup(u"C&ustom Toolbars", std::move(customToolbars)), Command(59393, u"Status &Bar"),
               Command(32975, u"P&roperties"), Command(358, u"&Edit Toolbars"), Separator(),
               Command(32771, u"C&enter"), Command(257, u"&Original Zoom"), Command(441, u"Set &Zoom"),
               Command(32813, u"Sa&ve Zoom"), Command(32814, u"Lo&ad Zoom"), Separator(), Command(449, u"&Nodes"),
               Command(32777, u"&Bridges"), Command(32794, u"&Mirror"), Command(299, u"Special Line T&ypes"),
               Separator(), Command(32823, u"La&yer"), Command(183, u"&Line Types"), Command(186, u"&Variables"),
               Command(304, u"Standard &Collections"), Command(32961, u"Back&ground"), Command(32962, u"&Unload")}),
        OptionsMenu(),
        Popup(u"&Output", {Command(32796, u"&Options"), Separator(), Command(shell::kExporterAnchorId, u"__DLL__")}),
        Popup(u"&Window", {Command(57650, u"&Cascade"), Command(57651, u"&Tile"), Command(57649, u"&Arrange Icons")}),
        Popup(u"De&bug", {Command(248, u"&Setting"), Command(387, u"&Area"), Command(455, u"&Debug"),
                           Command(466, u"&Manual Instances"), Command(486, u"Bobst &wood")}),
        Popup(u"&Help", {Command(kAboutCommand, u"&About MorvekXP...")}),
    };
}
