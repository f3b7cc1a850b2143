#include "shell/CommandCatalogue.h"

namespace shell {
namespace {

struct CommandRow {
    int id;
    int nameId;
    int image;
};

// Command id, name text, toolbar image (-1: none).
constexpr CommandRow kCommands[] = {
    {176, 43, 4},        // Construct > Basic > Arc
    {183, 25, 13},       // View > Line Types
    {186, 26, 12},       // View > Variables
    {208, 92, 65},       // Mesaure > Line Length
    {210, 48, 22},       // Construct > Dimension > Linear
    {211, 49, 21},       // Construct > Dimension > Angular
    {212, 192, 23},      // Construct > Dimension > Radius
    {214, 59, 66},       // Construct > Shapes > Rectangle
    {215, 60, 67},       // Construct > Shapes > Polygon
    {216, 61, 60},       // Construct > Shapes > Holders
    {217, 62, 26},       // Construct > Shapes > Euro hole
    {218, 93, 48},       // Mesaure > Element
    {219, 71, 29},       // Modify > Sector Line Type
    {224, 72, 47},       // Modify > Move
    {225, 87, 39},       // Manipulation > Copy
    {226, 73, 17},       // Modify > Rotate
    {227, 74, 46},       // Modify > Mirror
    {228, 75, -1},       // Modify > Scale
    {230, 65, 41},       // Construct > Standard > ECMA
    {237, 77, 28},       // Manipulation > Fillet
    {238, 78, 71},       // Manipulation > Chamfer
    {239, 80, 80},       // Manipulation > Length
    {240, 81, 27},       // Manipulation > Extend
    {242, 83, 74},       // Manipulation > Delete > All Specified
    {243, 84, 8},        // Manipulation > Delete > Element
    {244, 85, 16},       // Manipulation > Delete > Sector
    {248, 96, -1},       // Debug > Setting
    {257, 38, -1},       // View > Original Zoom
    {285, 64, 33},       // Construct > Standard > FEFCO
    {288, 86, 75},       // Manipulation > Delete > Idle Nodes
    {292, 70, -1},       // Modify > Special Selection
    {293, 68, -1},       // Modify > Select All
    {294, 69, -1},       // Modify > Invert Selection
    {299, 31, 13},       // View > Special Line Types
    {301, 79, 42},       // Manipulation > Intersection
    {303, 88, 78},       // Manipulation > Copy to Layer...
    {304, 27, -1},       // View > Standard Collections
    {313, 19, -1},       // View > Toolbars > Construct Bar
    {316, 14, -1},       // View > Toolbars > Position Bar
    {317, 13, -1},       // View > Toolbars > State Bar
    {318, 16, -1},       // View > Toolbars > Linetype Bar
    {358, 114, -1},      // View > Edit Toolbars
    {362, 115, -1},      // Construct > Standard > Use Secondary Relativity
    {363, 116, -1},      // Manipulation > Convert Nodes...
    {368, 143, 73},      // Die > Wood
    {369, 160, 15},      // Manipulation > Split
    {370, 168, 32},      // Construct > Undo
    {371, 169, 31},      // Construct > Redo
    {384, 342, 49},      // Mesaure > Radius
    {387, 202, -1},      // Debug > Area
    {405, 46, 34},       // Construct > QuickConstruct > Text
    {406, 313, 35},      // Construct > QuickConstruct > Radial Dimension
    {407, 314, 38},      // Construct > QuickConstruct > Parallel Dimension
    {409, 316, 36},      // Modify > Quick > Quick Move
    {410, 317, 37},      // Modify > Quick > Quick Rotate
    {411, 318, 40},      // Manipulation > Quick > Quick Copy
    {441, 718, -1},      // View > Set Zoom
    {448, 769, -1},      // Modify > Extended Selection
    {449, 870, 59},      // View > Nodes
    {453, 785, 50},      // Construct > Basic > Spline
    {455, 789, 70},      // Debug > Debug
    {459, 792, 61},      // Construct > Shapes > Cuir
    {465, 815, 77},      // Die > Automatic Layout
    {466, 825, -1},      // Debug > Manual Instances
    {469, 828, 53},      // File > Save Copy As ...
    {470, 829, -1},      // File > Close All
    {472, 831, 16},      // Manipulation > Quick > Quick Delete Sector
    {474, 833, -1},      // Die > Stripper > Outline by Click
    {476, 586, 62},      // File > Merge...
    {482, 848, 68},      // Construct > Bobst > Storage Spacer
    {486, 863, -1},      // Debug > Bobst wood
    {32771, 35, 11},     // View > Center
    {32777, 32, 9},      // View > Bridges
    {32794, 33, 10},     // View > Mirror
    {32796, 692, -1},    // Output > Options
    {32797, 41, 2},      // Construct > Basic > Line
    {32798, 42, 1},      // Construct > Basic > Line continuous
    {32799, 44, 3},      // Construct > Basic > Circle
    {32801, 46, 14},     // Construct > Basic > Text
    {32802, 45, 25},     // Construct > Basic > Ellipse
    {32805, 188, 24},    // Construct > Geometry > Edge
    {32806, 53, 7},      // Construct > Geometry > Parallel
    {32807, 54, 5},      // Construct > Geometry > Parallel X
    {32808, 55, 6},      // Construct > Geometry > Parallel Y
    {32810, 57, 19},     // Construct > Geometry > Angle bisector
    {32813, 36, -1},     // View > Save Zoom
    {32814, 37, -1},     // View > Load Zoom
    {32816, 91, 76},     // Mesaure > Angle between 3 points
    {32823, 24, 44},     // View > Layer
    {32825, 302, 45},    // Mesaure > Distance
    {32957, 881, 79},    // Manipulation > Cut element
    {32958, 720, -1},    // Construct > Avoid layout
    {32959, 878, -1},    // Construct > Bridge formula
    {32961, 879, -1},    // View > Background
    {32962, 880, -1},    // View > Unload
    {32963, 883, -1},    // Manipulation > Clipboard Copy
    {32964, 884, -1},    // Manipulation > Clipboard Paste
    {32968, 45, 69},     // Construct > Basic > Ellipse Arc
    {32975, 264, -1},    // View > Properties
    {33003, 885, 72},    // Construct > Standard > TOP
    {33004, 887, -1},    // Construct > Standard > Install
    {57600, 1, 51},      // File > New
    {57601, 2, 52},      // File > Open...
    {57602, 3, 0},       // File > Close
    {57603, 4, 53},      // File > Save
    {57604, 5, 53},      // File > Save As...
    {57606, 8, -1},      // File > Print Setup...
    {57607, 6, 57},      // File > Print...
    {57608, 882, -1},    // File > Print Direct
    {57609, 7, -1},      // File > Print preview
    {57649, 107, -1},    // Window > Arrange Icons
    {57650, 105, -1},    // Window > Cascade
    {57651, 106, -1},    // Window > Tile
    {57665, 10, -1},     // File > Exit
    {59393, 23, -1},     // View > Status Bar
};

struct CategoryRow {
    const char16_t* name;
    int nameId;
};

// The popup titles of the main menu (without '&') that have a text of their
// own; "Mesaure" is the title's spelling.
constexpr CategoryRow kCategories[] = {
    {u"File", 877},         {u"Help", 28},           {u"Basic", 40},
    {u"QuickConstruct", 311}, {u"Dimension", 47},    {u"Geometry", 51},
    {u"Shapes", 58},        {u"Construct", 39},      {u"View", 11},
    {u"Modify", 67},        {u"Die", 94},            {u"Manipulation", 76},
    {u"Mesaure", 89},       {u"Stripper", 832},      {u"Window", 103},
    {u"Output", 97},        {u"ManipulationQuick", 311}, {u"Clear Common Lines", 710},
    {u"ManipulationDelete", 82}, {u"ModifyQuick", 311}, {u"Toolbars", 198},
    {u"Custom Toolbars", 110}, {u"Debug", 789},      {u"Quick", 315},
};

} // namespace

void CommandCatalogue::Build()
{
    for (const CommandRow& row : kCommands)
        commands_[row.id] = CommandEntry{row.nameId, row.image};
    for (const CategoryRow& row : kCategories)
        categories_[QString::fromUtf16(row.name)] = row.nameId;
}

std::optional<CommandEntry> CommandCatalogue::Find(int commandId) const
{
    const auto it = commands_.find(commandId);
    if (it == commands_.end())
        return std::nullopt;
    return it->second;
}

int CommandCatalogue::GetImage(int commandId) const
{
    const auto entry = Find(commandId);
    return entry ? entry->imageIndex : 0;
}

int CommandCatalogue::GetNameId(int commandId) const
{
    const auto entry = Find(commandId);
    return entry ? entry->nameId : 0;
}

int CommandCatalogue::GetCategoryNameId(const QString& name) const
{
    const auto it = categories_.find(name);
    return it == categories_.end() ? 0 : it->second;
}

} // namespace shell
