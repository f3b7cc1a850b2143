#pragma once
// Every command id the program uses: menu items of both menu sets, toolbar
// buttons (the toolbar-only ids among them), the view's popup items and the
// bars. The numbers are stored in toolbar layout files and never change.
namespace shell {

// Commands counted from a base: the user standards of Construct > Standard
// and the exporters of the Output menu, one id per entry of their lists.
inline constexpr int kFirstStandardCommand = 10201;
inline constexpr int kLastStandardCommand = 10300;
inline constexpr int kFirstExporterCommand = 10301;
inline constexpr int kLastExporterCommand = 10400;

enum class CommandId : int {
    // File
    FileNew = 57600,
    FileOpen = 57601,
    FileClose = 57602,
    FileSave = 57603,
    FileSaveAs = 57604,
    FilePrintSetup = 57606,
    FilePrint = 57607,
    FilePrintDirect = 57608,
    FilePrintPreview = 57609,
    FileImport = 475,
    FileMerge = 476,
    FileCloseAll = 470,
    FileSaveCopyAs = 469,
    Exit = 57665,
    // Construct
    Undo = 370,
    Redo = 371,
    Line = 32797,
    LineToolbar = 32779,
    LineContinuous = 32798,
    LineContinuousToolbar = 32778,
    RelativeLine = 33100,
    Arc = 176,
    Circle = 32799,
    CircleToolbar = 32780,
    Ellipse = 32802,
    EllipseArc = 32968,
    Spline = 453,
    Text = 32801,
    QuickText = 405,
    QuickRadialDimension = 406,
    QuickParallelDimension = 407,
    DimensionLinear = 210,
    DimensionAngular = 211,
    DimensionRadius = 212,
    Parallel = 32806,
    ParallelToolbar = 32853,
    ParallelX = 32807,
    ParallelXToolbar = 32851,
    ParallelY = 32808,
    ParallelYToolbar = 32852,
    AngleBisector = 32810,
    Edge = 32805,
    Rectangle = 214,
    Polygon = 215,
    Holders = 216,
    EuroHole = 217,
    Cuir = 459,
    StandardFefco = 285,
    StandardEcma = 230,
    StandardTop = 33003,
    UseSecondaryRelativity = 362,
    StandardInstall = 33004,
    StorageSpacer = 482,
    AvoidLayout = 32958,
    BridgeFormula = 32959,
    // Modify
    Move = 224,
    Rotate = 226,
    Mirror = 227,
    Scale = 228,
    QuickMove = 409,
    QuickRotate = 410,
    SectorLineType = 219,
    SplitUp = 33007,
    SelectAll = 293,
    InvertSelection = 294,
    SpecialSelection = 292,
    ExtendedSelection = 448,
    // Manipulation
    Copy = 225,
    CopyToLayer = 303,
    ClipboardCopy = 32963,
    ClipboardPaste = 32964,
    Fillet = 237,
    Chamfer = 238,
    Length = 239,
    Extend = 240,
    Intersection = 301,
    Split = 369,
    CutElement = 32957,
    ConvertNodes = 363,
    DeleteElement = 243,
    DeleteSector = 244,
    DeleteSpecified = 242,
    DeleteIdleNodes = 288,
    ClearCommonBlock = 439,
    ClearCommonLayout = 32803,
    ClearCommonLayoutAndBlock = 32956,
    QuickCopy = 411,
    QuickDeleteSector = 472,
    // Measure
    MeasureDistance = 32825,
    MeasureLineLength = 208,
    MeasureRadius = 384,
    MeasureAngle = 32816,
    MeasureElement = 218,
    // Die
    Wood = 368,
    AutomaticLayout = 465,
    StripperOutlineByClick = 474,
    PosiLock = 33005,
    EasySetSPO = 33006,
    StripperSeparatingRule = 33008,
    EasySetSP = 33009,
    StripperWood = 33010,
    // View
    MainToolbar = 59392,
    ConstructToolbar = 313,
    PositionBar = 316,
    StateBar = 317,
    LineTypeBar = 318,
    AllCommandsToolbar = 345,
    FirstUserToolbar = 346, // Custom Toolbars > Toolbar 1 .. 10: 346 to 355
    LastUserToolbar = 355,
    StatusBar = 59393,
    Properties = 32975,
    EditToolbars = 358,
    Center = 32771,
    OriginalZoom = 257,
    SetZoom = 441,
    SaveZoom = 32813,
    LoadZoom = 32814,
    Nodes = 449,
    Bridges = 32777,
    MirrorView = 32794,
    SpecialLineTypes = 299,
    Layer = 32823,
    LineTypes = 183,
    Variables = 186,
    StandardCollections = 304,
    Background = 32961,
    Unload = 32962,
    // Output
    OutputOptions = 32796,
    // Options
    OptionsDisplay = 32841,
    // Window
    WindowCascade = 57650,
    WindowTile = 57651,
    WindowArrangeIcons = 57649,
    // Debug
    DebugSetting = 248,
    DebugArea = 387,
    DebugDebug = 455,
    DebugManualInstances = 466,
    DebugBobstWood = 486,
    // Help
    About = 57664,
    // The view's popup menu
    PopupSelectItem = 162,
    PopupUnselectItem = 403,
    PopupExitFunction = 163,
    PopupProperties = 164,
    PopupNodeProperties = 256,
    PopupModifyBridges = 289,
    PopupSelectSymmetrical = 33011,
    PopupChangeBridgeLength = 33012,
    // The first id of each counted range; the range's row stands for all of it.
    FirstStandard = kFirstStandardCommand,
    FirstExporter = kFirstExporterCommand,
};


constexpr int ToInt(CommandId id)
{
    return static_cast<int>(id);
}

// View > Custom Toolbars > Toolbar n (1 to 10).
constexpr CommandId UserToolbarCommand(int n)
{
    return static_cast<CommandId>(ToInt(CommandId::FirstUserToolbar) + n - 1);
}

} // namespace shell
