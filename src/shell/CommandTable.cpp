#include "shell/CommandTable.h"

#include <algorithm>

namespace shell {
namespace {

constexpr CommandScope App = CommandScope::Application;
constexpr CommandScope Doc = CommandScope::Document;
constexpr CommandRun Handler = CommandRun::Handler;
constexpr CommandRun Toggle = CommandRun::Toggle;
constexpr CommandRun NotAvailable = CommandRun::NotAvailable;

// id, name text, tooltip text, image, scope, how it runs, catalogued, keys.
constexpr CommandRow kRows[] = {
    {CommandId::PopupSelectItem, 261, 261, -1, Doc, Handler, false, {}},
    {CommandId::PopupExitFunction, 266, 266, -1, Doc, Handler, false, {}},
    {CommandId::PopupProperties, 264, 264, -1, Doc, Handler, false, {}},
    {CommandId::Arc, 43, 43, 4, Doc, Handler, true, {}},
    {CommandId::LineTypes, 25, 25, 13, App, Handler, true, {}},
    {CommandId::Variables, 26, 26, 12, Doc, Handler, true, {}},
    {CommandId::OptionsLanguage, 2802, 2806, -1, App, Handler, true, {}},
    {CommandId::MeasureLineLength, 92, 92, 65, Doc, Handler, true, {}},
    {CommandId::DimensionLinear, 48, 48, 22, Doc, Handler, true, {}},
    {CommandId::DimensionAngular, 49, 49, 21, Doc, Handler, true, {}},
    {CommandId::DimensionRadius, 192, 192, 23, Doc, Handler, true, {}},
    {CommandId::Rectangle, 59, 59, 66, Doc, Handler, true, {}},
    {CommandId::Polygon, 60, 60, 67, Doc, Handler, true, {}},
    {CommandId::Holders, 61, 61, 60, Doc, Handler, true, {}},
    {CommandId::EuroHole, 62, 62, 26, App, Handler, true, {}},
    {CommandId::MeasureElement, 93, 93, 48, Doc, Handler, true, {}},
    {CommandId::SectorLineType, 71, 71, 29, Doc, Handler, true, {}},
    {CommandId::Move, 72, 72, 47, Doc, Handler, true, {}},
    {CommandId::Copy, 87, 87, 39, Doc, Handler, true, {}},
    {CommandId::Rotate, 73, 73, 17, Doc, Handler, true, {}},
    {CommandId::Mirror, 74, 74, 46, Doc, Handler, true, {}},
    {CommandId::Scale, 75, 75, -1, Doc, Handler, true, {}},
    {CommandId::StandardEcma, 65, 65, 41, App, Handler, true, {}},
    {CommandId::Fillet, 77, 77, 28, Doc, Handler, true, {}},
    {CommandId::Chamfer, 78, 78, 71, Doc, Handler, true, {}},
    {CommandId::Length, 80, 80, 80, Doc, Handler, true, {}},
    {CommandId::Extend, 81, 81, 27, Doc, Handler, true, {}},
    {CommandId::DeleteSpecified, 83, 83, 74, Doc, Handler, true, {}},
    {CommandId::DeleteElement, 84, 84, 8, Doc, Handler, true, {}},
    {CommandId::DeleteSector, 85, 85, 16, Doc, Handler, true, {}},
    {CommandId::DebugSetting, 96, 96, -1, Doc, NotAvailable, true, {}},
    {CommandId::PopupNodeProperties, 265, 265, -1, Doc, Handler, false, {}},
    {CommandId::OriginalZoom, 38, 38, -1, Doc, Handler, true, {"Ctrl+K"}},
    {CommandId::StandardFefco, 64, 64, 33, App, Handler, true, {}},
    {CommandId::DeleteIdleNodes, 86, 86, 75, Doc, Handler, true, {"I"}},
    {CommandId::PopupModifyBridges, 263, 263, -1, Doc, Handler, false, {}},
    {CommandId::SpecialSelection, 70, 70, -1, Doc, Handler, true, {}},
    {CommandId::SelectAll, 68, 68, -1, Doc, Handler, true, {}},
    {CommandId::InvertSelection, 69, 69, -1, Doc, Handler, true, {}},
    {CommandId::SpecialLineTypes, 31, 31, 13, Doc, Toggle, true, {}},
    {CommandId::Intersection, 79, 79, 42, Doc, Handler, true, {}},
    {CommandId::CopyToLayer, 88, 88, 78, Doc, Handler, true, {}},
    {CommandId::StandardCollections, 27, 27, -1, App, Handler, true, {}},
    {CommandId::ConstructToolbar, 19, 19, -1, App, Toggle, true, {}},
    {CommandId::PositionBar, 14, 14, -1, App, Toggle, true, {}},
    {CommandId::StateBar, 13, 13, -1, App, Toggle, true, {}},
    {CommandId::LineTypeBar, 16, 16, -1, App, Toggle, true, {}},
    {UserToolbarCommand(1), 0, 0, -1, App, Toggle, false, {}},
    {UserToolbarCommand(2), 0, 0, -1, App, Toggle, false, {}},
    {UserToolbarCommand(3), 0, 0, -1, App, Toggle, false, {}},
    {UserToolbarCommand(4), 0, 0, -1, App, Toggle, false, {}},
    {UserToolbarCommand(5), 0, 0, -1, App, Toggle, false, {}},
    {UserToolbarCommand(6), 0, 0, -1, App, Toggle, false, {}},
    {UserToolbarCommand(7), 0, 0, -1, App, Toggle, false, {}},
    {UserToolbarCommand(8), 0, 0, -1, App, Toggle, false, {}},
    {UserToolbarCommand(9), 0, 0, -1, App, Toggle, false, {}},
    {UserToolbarCommand(10), 0, 0, -1, App, Toggle, false, {}},
    {CommandId::EditToolbars, 114, 114, -1, Doc, Handler, true, {}},
    {CommandId::UseSecondaryRelativity, 115, 115, -1, App, Toggle, true, {}},
    {CommandId::ConvertNodes, 116, 116, -1, Doc, Handler, true, {}},
    {CommandId::Wood, 143, 143, 73, Doc, Handler, true, {}},
    {CommandId::Split, 160, 160, 15, Doc, Handler, true, {}},
    {CommandId::Undo, 168, 168, 32, Doc, Handler, true, {"Ctrl+X", "Ctrl+Z"}},
    {CommandId::Redo, 169, 169, 31, Doc, Handler, true, {"Ctrl+Y"}},
    {CommandId::MeasureRadius, 342, 342, 49, Doc, Handler, true, {}},
    {CommandId::DebugArea, 202, 202, -1, Doc, NotAvailable, true, {}},
    {CommandId::PopupUnselectItem, 262, 262, -1, Doc, Handler, false, {}},
    {CommandId::QuickText, 46, 46, 34, Doc, Handler, true, {}},
    {CommandId::QuickRadialDimension, 313, 313, 35, Doc, Handler, true, {}},
    {CommandId::QuickParallelDimension, 314, 314, 38, Doc, Handler, true, {}},
    {CommandId::QuickMove, 316, 316, 36, Doc, Handler, true, {}},
    {CommandId::QuickRotate, 317, 317, 37, Doc, Handler, true, {}},
    {CommandId::QuickCopy, 318, 318, 40, Doc, Handler, true, {}},
    {CommandId::ClearCommonBlock, 2311, 2312, -1, Doc, Handler, false, {}},
    {CommandId::SetZoom, 718, 718, -1, Doc, Handler, true, {}},
    {CommandId::ExtendedSelection, 769, 769, -1, Doc, Toggle, true, {}},
    {CommandId::Nodes, 870, 870, 59, Doc, Toggle, true, {}},
    {CommandId::Spline, 785, 785, 50, Doc, Handler, true, {}},
    {CommandId::DebugDebug, 789, 789, 70, Doc, NotAvailable, true, {}},
    {CommandId::Cuir, 792, 792, 61, Doc, Handler, true, {}},
    {CommandId::AutomaticLayout, 815, 815, 77, Doc, Handler, true, {}},
    {CommandId::DebugManualInstances, 825, 825, -1, Doc, NotAvailable, true, {}},
    {CommandId::FileSaveCopyAs, 828, 828, 53, Doc, Handler, true, {}},
    {CommandId::FileCloseAll, 829, 829, -1, Doc, Handler, true, {}},
    {CommandId::QuickDeleteSector, 831, 831, 16, Doc, Handler, true, {}},
    {CommandId::StripperOutlineByClick, 833, 833, -1, Doc, Handler, true, {}},
    {CommandId::FileImport, 902, 902, -1, App, Handler, false, {}},
    {CommandId::FileMerge, 586, 586, 62, Doc, Handler, true, {}},
    {CommandId::StorageSpacer, 848, 848, 68, Doc, Handler, true, {}},
    {CommandId::DebugBobstWood, 863, 863, -1, Doc, Handler, true, {}},
    {CommandId::FirstStandard, 0, 0, -1, App, Handler, false, {}},
    {CommandId::FirstExporter, 0, 0, -1, Doc, Handler, false, {}},
    {CommandId::Center, 35, 35, 11, Doc, Handler, true, {"Ctrl+C", "Space"}},
    {CommandId::Bridges, 32, 32, 9, Doc, Toggle, true, {}},
    {CommandId::LineContinuousToolbar, 42, 42, 1, Doc, Handler, false, {}},
    {CommandId::LineToolbar, 41, 41, 2, Doc, Handler, false, {}},
    {CommandId::CircleToolbar, 44, 44, 3, Doc, Handler, false, {}},
    {CommandId::MirrorView, 33, 33, 10, Doc, Toggle, true, {}},
    {CommandId::OutputOptions, 692, 692, -1, App, Handler, true, {}},
    {CommandId::Line, 41, 41, 2, Doc, Handler, true, {}},
    {CommandId::LineContinuous, 42, 42, 1, Doc, Handler, true, {}},
    {CommandId::Circle, 44, 44, 3, Doc, Handler, true, {}},
    {CommandId::Text, 46, 46, 14, Doc, Handler, true, {}},
    {CommandId::Ellipse, 45, 45, 25, Doc, Handler, true, {}},
    {CommandId::ClearCommonLayout, 2313, 2314, -1, Doc, Handler, false, {}},
    {CommandId::Edge, 188, 188, 24, Doc, Handler, true, {}},
    {CommandId::Parallel, 53, 53, 7, Doc, Handler, true, {}},
    {CommandId::ParallelX, 54, 54, 5, Doc, Handler, true, {}},
    {CommandId::ParallelY, 55, 55, 6, Doc, Handler, true, {}},
    {CommandId::AngleBisector, 57, 57, 19, Doc, Handler, true, {}},
    {CommandId::SaveZoom, 36, 36, -1, Doc, Handler, true, {}},
    {CommandId::LoadZoom, 37, 37, -1, Doc, Handler, true, {"Ctrl+L"}},
    {CommandId::MeasureAngle, 91, 91, 76, Doc, Handler, true, {}},
    {CommandId::Layer, 24, 24, 44, Doc, Handler, true, {}},
    {CommandId::MeasureDistance, 302, 302, 45, Doc, Handler, true, {}},
    {CommandId::OptionsDisplay, 2801, 2805, -1, App, Handler, true, {}},
    {CommandId::OptionsPath, 2803, 2807, -1, App, Handler, true, {}},
    {CommandId::OptionsHotKey, 2804, 2808, -1, App, Handler, true, {}},
    {CommandId::ParallelXToolbar, 54, 54, 5, Doc, Handler, false, {}},
    {CommandId::ParallelYToolbar, 55, 55, 6, Doc, Handler, false, {}},
    {CommandId::ParallelToolbar, 53, 53, 7, Doc, Handler, false, {}},
    {CommandId::ClearCommonLayoutAndBlock, 2315, 2316, -1, Doc, Handler, false, {}},
    {CommandId::CutElement, 881, 881, 79, Doc, Handler, true, {}},
    {CommandId::AvoidLayout, 720, 720, -1, Doc, Toggle, true, {}},
    {CommandId::BridgeFormula, 878, 878, -1, App, Handler, true, {}},
    {CommandId::Background, 879, 879, -1, Doc, Handler, true, {}},
    {CommandId::Unload, 880, 880, -1, Doc, Handler, true, {}},
    {CommandId::ClipboardCopy, 883, 883, -1, Doc, Handler, true, {"Ctrl+Ins"}},
    {CommandId::ClipboardPaste, 884, 884, -1, Doc, Handler, true, {"Shift+Ins"}},
    {CommandId::EllipseArc, 45, 45, 69, Doc, NotAvailable, true, {}},
    {CommandId::Properties, 264, 264, -1, App, Toggle, true, {}},
    {CommandId::StandardTop, 885, 885, 72, App, Handler, true, {}},
    {CommandId::StandardInstall, 887, 887, -1, App, Handler, true, {}},
    {CommandId::PosiLock, 2305, 2306, -1, Doc, Handler, false, {}},
    {CommandId::EasySetSPO, 2303, 2304, -1, Doc, Handler, false, {}},
    {CommandId::SplitUp, 903, 903, -1, Doc, Handler, false, {}},
    {CommandId::StripperSeparatingRule, 2307, 2308, -1, Doc, Handler, false, {}},
    {CommandId::EasySetSP, 2301, 2302, -1, Doc, Handler, false, {}},
    {CommandId::StripperWood, 2309, 2310, -1, Doc, Handler, false, {}},
    {CommandId::PopupSelectSymmetrical, 904, 904, -1, Doc, Handler, false, {}},
    {CommandId::PopupChangeBridgeLength, 905, 905, -1, Doc, Handler, false, {}},
    {CommandId::LayoutCalculation, 590, 590, -1, Doc, Handler, false, {}},
    {CommandId::RelativeLine, 2102, 2103, -1, Doc, Handler, false, {}},
    {CommandId::FileNew, 1, 1, 51, App, Handler, true, {"Ctrl+N"}},
    {CommandId::FileOpen, 2, 2, 52, App, Handler, true, {"Ctrl+O"}},
    {CommandId::FileClose, 3, 3, 0, Doc, Handler, true, {}},
    {CommandId::FileSave, 4, 4, 53, Doc, Handler, true, {"Ctrl+S"}},
    {CommandId::FileSaveAs, 5, 5, 53, Doc, Handler, true, {}},
    {CommandId::FilePrintSetup, 8, 8, -1, App, Handler, true, {}},
    {CommandId::FilePrint, 6, 6, 57, Doc, Handler, true, {"Ctrl+P"}},
    {CommandId::FilePrintDirect, 882, 882, -1, Doc, Handler, true, {}},
    {CommandId::FilePrintPreview, 7, 7, -1, Doc, Handler, true, {}},
    {CommandId::WindowArrangeIcons, 107, 107, -1, App, Handler, true, {}},
    {CommandId::WindowCascade, 105, 105, -1, App, Handler, true, {}},
    {CommandId::WindowTile, 106, 106, -1, App, Handler, true, {}},
    {CommandId::About, 901, 901, -1, App, Handler, false, {}},
    {CommandId::Exit, 10, 10, -1, App, Handler, true, {}},
    {CommandId::MainToolbar, 0, 0, -1, App, Toggle, false, {}},
    {CommandId::StatusBar, 23, 23, -1, App, Toggle, true, {}},
};

constexpr bool Ascending()
{
    for (std::size_t i = 1; i < std::size(kRows); ++i)
        if (ToInt(kRows[i - 1].id) >= ToInt(kRows[i].id))
            return false;
    return true;
}
static_assert(Ascending(), "command rows are kept in ascending id, each once");

} // namespace

std::span<const CommandRow> CommandRows()
{
    return kRows;
}

const CommandRow* FindCommand(int commandId)
{
    if (commandId >= kFirstStandardCommand && commandId <= kLastStandardCommand)
        commandId = kFirstStandardCommand;
    else if (commandId >= kFirstExporterCommand && commandId <= kLastExporterCommand)
        commandId = kFirstExporterCommand;
    const auto it = std::lower_bound(std::begin(kRows), std::end(kRows), commandId,
                                     [](const CommandRow& row, int id) { return ToInt(row.id) < id; });
    return it != std::end(kRows) && ToInt(it->id) == commandId ? &*it : nullptr;
}

} // namespace shell
