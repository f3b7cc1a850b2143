#include "app/DocumentCommands.h"

#include "app/DocumentView.h"
#include "app/ExportCommand.h"
#include "app/HandlerRows.h"
#include "app/LayerCommands.h"
#include "app/MainWindow.h"
#include "app/MeasureDialogs.h"
#include "app/NodeDialog.h"
#include "app/PrintCommands.h"
#include "command/BridgeMoveCommand.h"
#include "command/ConstructCommands.h"
#include "command/DieCommands.h"
#include "command/LineCommands.h"
#include "command/ManipulationCommands.h"
#include "command/MeasureCommands.h"
#include "command/OutlineCommands.h"
#include "command/QuickDimensionCommands.h"
#include "command/SectorCommands.h"
#include "command/SelectionBridges.h"
#include "dlg/ChamferDlg.h"
#include "dlg/OneValue.h"
#include "dlg/SelectionCriteria.h"
#include "dlg/VariableDlg.h"
#include "document/MorvekDoc.h"
#include "options/LanguageTable.h"
#include "options/Options.h"
#include "platform/Prompt.h"
#include "shell/CommandTable.h"

#include <QApplication>
#include <QMdiSubWindow>


namespace app {

using shell::CommandId;

// The handlers reach into the view; they are this class's members so that
// the view can keep its parts private.
class DocumentCommandHandlers {
public:
    using Run = void (*)(DocumentView&, int commandId);
    using Checked = bool (*)(const DocumentView&, int commandId);

    struct Row {
        CommandId id;
        Run run;
        Checked checked = nullptr;
    };

    static MainWindow* Main(DocumentView& view) { return qobject_cast<MainWindow*>(view.window()); }

    // --- file ----------------------------------------------------------------
    static void Merge(DocumentView& view, int)
    {
        if (MainWindow* main = Main(view))
            main->OnFileMerge();
    }
    template <PrintKind kind>
    static void Print(DocumentView& view, int)
    {
        if (MainWindow* main = Main(view))
            (void)PrintView(view, main->Printer(), kind); // failures were shown
    }
    static void Close(DocumentView& view, int)
    {
        for (QWidget* w = view.parentWidget(); w; w = w->parentWidget())
            if (auto* child = qobject_cast<QMdiSubWindow*>(w)) {
                child->close();
                return;
            }
        view.close();
    }
    static void EditToolbars(DocumentView& view, int)
    {
        if (MainWindow* main = Main(view))
            main->EditToolbars();
    }
    static void CloseAll(DocumentView& view, int)
    {
        if (MainWindow* main = Main(view))
            main->OnFileCloseAll();
    }
    static void Save(DocumentView& view, int)
    {
        // A save's cleanup opens an undo step of its own: a running
        // command ends first, as for Undo.
        view.input_.CancelCommand();
        (void)view.Save(); // a failure has been shown
    }
    static void SaveAs(DocumentView& view, int)
    {
        view.input_.CancelCommand();
        (void)view.SaveAs(); // a failure has been shown
    }
    static void SaveCopyAs(DocumentView& view, int)
    {
        view.input_.CancelCommand();
        view.OnFileSaveCopyAs();
    }
    static void Export(DocumentView& view, int commandId)
    {
        // The export reads the figures in its own display mode; the view
        // sets its own again when it paints.
        view.input_.CancelCommand();
        AutosaveTimer::Pause pause(view.autosave_);
        (void)RunExportCommand(&view, *view.doc_, commandId); // a failure has been shown
        view.update();
    }

    // --- edit ----------------------------------------------------------------
    // A change of the drawing from the menu: a running command ends first,
    // then what lies under the cursor is picked again and the view redrawn.
    template <typename Change>
    static void EditDrawing(DocumentView& view, Change change)
    {
        view.input_.CancelCommand();
        change(*view.doc_);
        view.RefreshCursor();
        view.update();
    }
    static void Undo(DocumentView& view, int) { EditDrawing(view, UndoOneStep); }
    static void Redo(DocumentView& view, int) { EditDrawing(view, RedoOneStep); }
    static void SelectAll(DocumentView& view, int)
    {
        SelectAllElements(*view.doc_);
        view.update();
    }
    static void InvertSelection(DocumentView& view, int)
    {
        InvertElementSelection(*view.doc_);
        view.update();
    }
    // Null-length lines and the nodes nothing uses go, in one undo step.
    static void DeleteIdleNodes(DocumentView& view, int)
    {
        EditDrawing(view, [](CMorvekDoc& doc) { doc.DeleteIdleNodes(-1); });
    }
    static void ClearCommonLines(DocumentView& view, int commandId)
    {
        using What = CMorvekDoc::CommonLines;
        const What what = commandId == shell::ToInt(CommandId::ClearCommonBlock)    ? What::Block
                        : commandId == shell::ToInt(CommandId::ClearCommonLayout) ? What::Layout
                                                                                   : What::LayoutAndBlock;
        EditDrawing(view, [what](CMorvekDoc& doc) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            doc.ClearCommonLines(what);
            QApplication::restoreOverrideCursor();
        });
    }
    // View > Layer: a running command and any element edit end first; the
    // dialog's changes are not undoable.
    static void Layers(DocumentView& view, int)
    {
        view.input_.CancelCommand();
        view.doc_->EndModifyState();
        RunLayerDialog(&view, *view.doc_, [&view] { view.update(); });
        view.RefreshCursor();
        view.update();
    }
    static void CopyToLayer(DocumentView& view, int)
    {
        view.input_.CancelCommand();
        (void)RunCopyToLayer(&view, *view.doc_); // Cancel copies nothing
        view.update();
    }
    static void ConvertNodes(DocumentView& view, int)
    {
        view.input_.CancelCommand();
        RunConvertNodes(&view, *view.doc_);
        view.update();
    }
    // The selection wizard: Special Selection offers to select only, All
    // Specified to delete.
    static void SelectionWizard(DocumentView& view, int commandId)
    {
        view.input_.CancelCommand();
        const int preset = commandId == shell::ToInt(CommandId::DeleteSpecified) ? dlg::SelectionCriteria::Delete
                                                                                : dlg::SelectionCriteria::SelectOnly;
        RunSelectionWizard(&view, *view.doc_, view.modify_, preset, [&view] { view.update(); });
        view.RefreshCursor();
        view.update();
    }
    static void ClipboardCopy(DocumentView& view, int) { view.OnClipboardCopy(); }
    static void ClipboardPaste(DocumentView& view, int) { view.OnClipboardPaste(); }

    // --- view ----------------------------------------------------------------
    static void Center(DocumentView& view, int)
    {
        view.view_.OnViewCenter(view.width(), view.height());
        view.keepFitted_ = true;
        view.update();
    }
    static void OriginalZoom(DocumentView& view, int)
    {
        view.view_.OnViewOriginalZoom();
        view.keepFitted_ = false;
        view.update();
    }
    static void SaveZoom(DocumentView& view, int)
    {
        if (COptions* options = COptions::Current())
            view.view_.OnViewSaveZoom(*options);
    }
    static void LoadZoom(DocumentView& view, int)
    {
        view.view_.OnViewLoadZoom();
        view.keepFitted_ = false;
        view.update();
    }
    static void SetZoom(DocumentView& view, int) { view.OnViewSetZoom(); }
    static void Nodes(DocumentView& view, int)
    {
        view.view_.OnViewNodes();
        view.update();
    }
    static bool NodesShown(const DocumentView& view, int) { return view.view_.ShowsNodes(); }
    static void Bridges(DocumentView& view, int)
    {
        view.view_.OnViewBridges();
        view.update();
    }
    static bool BridgesShown(const DocumentView& view, int) { return view.view_.ShowsBridges(); }
    static void SpecialLineTypes(DocumentView& view, int)
    {
        view.view_.OnViewSpecialLineTypes();
        view.update();
    }
    static bool SpecialLineTypesShown(const DocumentView& view, int) { return view.view_.ShowsSpecialLineTypes(); }
    static void Mirror(DocumentView& view, int)
    {
        view.view_.OnViewMirror(view.width(), view.height());
        view.keepFitted_ = true;
        // The mirror is the same for every view.
        if (QWidget* top = view.window())
            for (DocumentView* other : top->findChildren<DocumentView*>())
                other->update();
        view.update();
    }
    static bool Mirrored(const DocumentView&, int) { return ViewCore::IsMirrored(); }
    // A box selects what lies with every node inside it, or (extended)
    // what has any node inside it.
    static void ExtendedSelection(DocumentView& view, int)
    {
        view.input_.boxSelectMode = view.input_.boxSelectMode == kBoxAllNodes ? kBoxAnyNode : kBoxAllNodes;
        view.update();
    }
    static bool ExtendedSelectionOn(const DocumentView& view, int) { return view.input_.boxSelectMode == kBoxAnyNode; }
    // Elements made while it is on are not repeated in the placements.
    static void AvoidLayout(DocumentView& view, int) { view.doc_->avoidLayout = !view.doc_->avoidLayout; }
    static bool AvoidLayoutOn(const DocumentView& view, int) { return view.doc_->avoidLayout; }
    static void Background(DocumentView& view, int) { view.ChooseBackground(); }
    static void Unload(DocumentView& view, int) { view.view_.OnViewUnload(); }

    // --- dialogs ---------------------------------------------------------------
    static void MeasureDialog(DocumentView& view, int commandId)
    {
        (void)RunMeasureDialog(commandId, &view, *view.doc_); // the row names one of its commands
        view.update();
    }
    static void Shape(DocumentView& view, int commandId)
    {
        (void)view.RunShapeCommand(commandId); // the row names one of its commands
        view.update();
    }
    static void Modify(DocumentView& view, int commandId)
    {
        (void)view.modify_.RunCommand(commandId); // the row names one of its commands
        view.update();
    }
    static void QuickModify(DocumentView& view, int commandId)
    {
        (void)view.modify_.StartQuick(commandId); // the row names one of its commands
        view.update();
    }

    // View > Variables: every change of one showing is one undo step, kept
    // however the dialog is closed; the elements follow the variables.
    static void Variables(DocumentView& view, int)
    {
        view.input_.CancelCommand();
        dlg::VariableEdits edits(*view.doc_);
        {
            dlg::CVariableDlg dialog(&view, edits);
            (void)dialog.exec(); // OK and Escape alike keep the changes
        }
        edits.Finish();
        view.RefreshCursor();
        view.update();
    }

    static void Construct(DocumentView& view, int commandId)
    {
        (void)view.construct_.RunCommand(commandId); // the row names one of its commands
        view.update();
    }
    static void RelativeLine(DocumentView& view, int) { view.ShowRelativeLine(); }

    // --- interactive commands ----------------------------------------------------
    template <void (*Start)(ViewInput&)>
    static void Interactive(DocumentView& view, int)
    {
        Start(view.input_);
        view.update();
    }
    template <constructcommands::ParallelKind Kind>
    static void Parallel(DocumentView& view, int)
    {
        constructcommands::StartParallel(view.input_, Kind);
        view.update();
    }
    static void Chamfer(DocumentView& view, int)
    {
        manipcommands::StartChamfer(view.input_, [&view](double (&values)[5]) {
            return dlg::CChamferDlg::Ask(&view, values);
        });
        view.update();
    }
    static void Sector(DocumentView& view, int commandId)
    {
        sectorcommands::StartSector(view.input_, commandId == shell::ToInt(CommandId::SectorLineType));
        view.update();
    }

    // Construct > Geometry > Edge: a running command ends first.
    static void Edge(DocumentView& view, int)
    {
        view.input_.CancelCommand();
        (void)outlinecommands::RunEdge(view.input_, [&view](bool restricted) { return view.AskEdge(restricted); });
        view.RefreshCursor();
        view.update();
    }
    static void OutlineByClick(DocumentView& view, int)
    {
        outlinecommands::StartOutlineByClick(view.input_,
                                             [&view](bool restricted) { return view.AskEdge(restricted); });
        view.update();
    }

    static void Wood(DocumentView& view, int) { (void)view.EditDieBoard(); } // the dialog did what it did
    // Die > Automatic Layout: a running command (a pending distance pick
    // too) ends first.
    static void AutomaticLayout(DocumentView& view, int)
    {
        view.input_.CancelCommand();
        (void)view.autoLayout_.Run(); // whether a pick runs shows in the drawing
    }
    static void LayoutCalculation(DocumentView& view, int)
    {
        view.input_.CancelCommand();
        RunLayoutOptimisation(&view, *view.doc_, view.PaperSizes());
    }

    // --- the popup ---------------------------------------------------------------
    static void PopupItem(DocumentView& view, int commandId)
    {
        (void)view.input_.OnPopupCommand(commandId); // true for each of its rows
        view.update();
    }
    static void ModifyBridges(DocumentView& view, int)
    {
        bridgemove::StartBridgeMove(view.input_, view.input_.popupElement);
        view.update();
    }
    // The element under the context menu (none: the selection).
    static void Properties(DocumentView& view, int)
    {
        CElement* element = view.input_.popupElement;
        view.input_.popupActive = false;
        view.properties_.OnPopupProperties(element);
    }
    // Construct > Basic > Text: the text page for a new text.
    static void NewText(DocumentView& view, int) { view.newText_.Start(); }
    static void NodeProperties(DocumentView& view, int)
    {
        (void)RunNodeProperties(&view, view.input_, view.input_.popupNode, view.view_.GetZoom());
        view.input_.popupActive = false;
        view.RefreshCursor();
        view.update();
    }
    // Every selected element of the layer gets the typed bridge width, in
    // one undo step; a width that is not a number above 0 changes nothing.
    static void ChangeBridgeLength(DocumentView& view, int)
    {
        const std::optional<QString> typed =
            dlg::AskOneValue({Translate(kTextLengthOfBridges), QStringLiteral("1.0"), false});
        if (!typed)
            return;
        const std::optional<double> width = selectionbridges::ReadBridgeWidth(*typed);
        if (!width) {
            (void)platform::ask(Translate(selectionbridges::kTextWidthRefused), QString(), platform::PromptButtons::Ok,
                                platform::PromptIcon::Warning); // only told
            return;
        }
        EditDrawing(view, [&width](CMorvekDoc& doc) {
            (void)selectionbridges::SetBridgeWidth(doc, COptions::Current(), *width); // the step tells
        });
    }

    static constexpr int kTextLengthOfBridges = 906;
    static constexpr int kBoxAllNodes = 2;
    static constexpr int kBoxAnyNode = 1;

    static const Row kRows[];
};

namespace {

using H = DocumentCommandHandlers;

} // namespace

// One row per command the drawing runs.
const DocumentCommandHandlers::Row DocumentCommandHandlers::kRows[] = {
    {CommandId::FileMerge, &H::Merge},
    {CommandId::FileClose, &H::Close},
    {CommandId::FilePrint, &H::Print<PrintKind::Dialog>},
    {CommandId::FilePrintDirect, &H::Print<PrintKind::Direct>},
    {CommandId::FilePrintPreview, &H::Print<PrintKind::Preview>},
    {CommandId::FileCloseAll, &H::CloseAll},
    {CommandId::EditToolbars, &H::EditToolbars},
    {CommandId::FileSave, &H::Save},
    {CommandId::FileSaveAs, &H::SaveAs},
    {CommandId::FileSaveCopyAs, &H::SaveCopyAs},
    {CommandId::FirstExporter, &H::Export},
    {CommandId::Undo, &H::Undo},
    {CommandId::Redo, &H::Redo},
    {CommandId::SelectAll, &H::SelectAll},
    {CommandId::InvertSelection, &H::InvertSelection},
    {CommandId::DeleteIdleNodes, &H::DeleteIdleNodes},
    {CommandId::ClearCommonBlock, &H::ClearCommonLines},
    {CommandId::ClearCommonLayout, &H::ClearCommonLines},
    {CommandId::ClearCommonLayoutAndBlock, &H::ClearCommonLines},
    {CommandId::Layer, &H::Layers},
    {CommandId::CopyToLayer, &H::CopyToLayer},
    {CommandId::ConvertNodes, &H::ConvertNodes},
    {CommandId::SpecialSelection, &H::SelectionWizard},
    {CommandId::DeleteSpecified, &H::SelectionWizard},
    {CommandId::ClipboardCopy, &H::ClipboardCopy},
    {CommandId::ClipboardPaste, &H::ClipboardPaste},
    {CommandId::Center, &H::Center},
    {CommandId::OriginalZoom, &H::OriginalZoom},
    {CommandId::SaveZoom, &H::SaveZoom},
    {CommandId::LoadZoom, &H::LoadZoom},
    {CommandId::SetZoom, &H::SetZoom},
    {CommandId::Nodes, &H::Nodes, &H::NodesShown},
    {CommandId::Bridges, &H::Bridges, &H::BridgesShown},
    {CommandId::SpecialLineTypes, &H::SpecialLineTypes, &H::SpecialLineTypesShown},
    {CommandId::MirrorView, &H::Mirror, &H::Mirrored},
    {CommandId::ExtendedSelection, &H::ExtendedSelection, &H::ExtendedSelectionOn},
    {CommandId::AvoidLayout, &H::AvoidLayout, &H::AvoidLayoutOn},
    {CommandId::Background, &H::Background},
    {CommandId::Unload, &H::Unload},
    {CommandId::MeasureLineLength, &H::MeasureDialog},
    {CommandId::Variables, &H::Variables},
    {CommandId::DebugBobstWood, &H::MeasureDialog},
    {CommandId::Polygon, &H::Shape},
    {CommandId::Rectangle, &H::Shape},
    {CommandId::Move, &H::Modify},
    {CommandId::Copy, &H::Modify},
    {CommandId::Rotate, &H::Modify},
    {CommandId::Mirror, &H::Modify},
    {CommandId::Scale, &H::Modify},
    {CommandId::QuickMove, &H::QuickModify},
    {CommandId::QuickRotate, &H::QuickModify},
    {CommandId::QuickCopy, &H::QuickModify},
    {CommandId::Arc, &H::Construct},
    {CommandId::Ellipse, &H::Construct},
    {CommandId::DimensionLinear, &H::Construct},
    {CommandId::DimensionAngular, &H::Construct},
    {CommandId::DimensionRadius, &H::Construct},
    {CommandId::RelativeLine, &H::RelativeLine},
    {CommandId::Line, &H::Interactive<&linecommands::StartLine>},
    {CommandId::LineToolbar, &H::Interactive<&linecommands::StartLine>},
    {CommandId::LineContinuous, &H::Interactive<&linecommands::StartLineContinuous>},
    {CommandId::LineContinuousToolbar, &H::Interactive<&linecommands::StartLineContinuous>},
    {CommandId::Circle, &H::Interactive<&constructcommands::StartCircle>},
    {CommandId::CircleToolbar, &H::Interactive<&constructcommands::StartCircle>},
    {CommandId::Spline, &H::Interactive<&constructcommands::StartSpline>},
    {CommandId::Parallel, &H::Parallel<constructcommands::ParallelAlong>},
    {CommandId::ParallelToolbar, &H::Parallel<constructcommands::ParallelAlong>},
    {CommandId::ParallelX, &H::Parallel<constructcommands::ParallelX>},
    {CommandId::ParallelXToolbar, &H::Parallel<constructcommands::ParallelX>},
    {CommandId::ParallelY, &H::Parallel<constructcommands::ParallelY>},
    {CommandId::ParallelYToolbar, &H::Parallel<constructcommands::ParallelY>},
    {CommandId::AngleBisector, &H::Interactive<&constructcommands::StartAngleBisector>},
    {CommandId::Holders, &H::Interactive<&constructcommands::StartHolders>},
    {CommandId::Cuir, &H::Interactive<&constructcommands::StartCuir>},
    {CommandId::StorageSpacer, &H::Interactive<&constructcommands::StartStorageSpacer>},
    {CommandId::QuickText, &H::Interactive<&constructcommands::StartQuickText>},
    {CommandId::EasySetSP, &H::Interactive<&diecommands::StartEasySetSP>},
    {CommandId::EasySetSPO, &H::Interactive<&diecommands::StartEasySetSPO>},
    {CommandId::PosiLock, &H::Interactive<&diecommands::StartPosiLock>},
    {CommandId::StripperSeparatingRule, &H::Interactive<&diecommands::StartSeparatingRule>},
    {CommandId::StripperWood, &H::Interactive<&diecommands::StartStripperWood>},
    {CommandId::QuickRadialDimension, &H::Interactive<&quickdimensions::StartRadial>},
    {CommandId::QuickParallelDimension, &H::Interactive<&quickdimensions::StartParallel>},
    {CommandId::Fillet, &H::Interactive<&manipcommands::StartFillet>},
    {CommandId::Chamfer, &H::Chamfer},
    {CommandId::Length, &H::Interactive<&manipcommands::StartLength>},
    {CommandId::Intersection, &H::Interactive<&manipcommands::StartIntersection>},
    {CommandId::Extend, &H::Interactive<&manipcommands::StartExtend>},
    {CommandId::Split, &H::Interactive<&manipcommands::StartSplit>},
    {CommandId::CutElement, &H::Interactive<&sectorcommands::StartCutElement>},
    {CommandId::DeleteSector, &H::Sector},
    {CommandId::SectorLineType, &H::Sector},
    {CommandId::QuickDeleteSector, &H::Interactive<&sectorcommands::StartQuickDeleteSector>},
    {CommandId::DeleteElement, &H::Interactive<&sectorcommands::StartDeleteElement>},
    {CommandId::SplitUp, &H::Interactive<&sectorcommands::StartSplitUp>},
    {CommandId::Edge, &H::Edge},
    {CommandId::Wood, &H::Wood},
    {CommandId::AutomaticLayout, &H::AutomaticLayout},
    {CommandId::LayoutCalculation, &H::LayoutCalculation},
    {CommandId::StripperOutlineByClick, &H::OutlineByClick},
    {CommandId::MeasureDistance, &H::Interactive<&measurecommands::StartDistance>},
    {CommandId::MeasureAngle, &H::Interactive<&measurecommands::StartAngle>},
    {CommandId::MeasureRadius, &H::Interactive<&measurecommands::StartRadius>},
    {CommandId::MeasureElement, &H::Interactive<&measurecommands::StartElement>},
    {CommandId::PopupSelectItem, &H::PopupItem},
    {CommandId::PopupUnselectItem, &H::PopupItem},
    {CommandId::PopupExitFunction, &H::PopupItem},
    {CommandId::PopupSelectSymmetrical, &H::PopupItem},
    {CommandId::PopupModifyBridges, &H::ModifyBridges},
    {CommandId::PopupChangeBridgeLength, &H::ChangeBridgeLength},
    {CommandId::PopupProperties, &H::Properties},
    {CommandId::PopupNodeProperties, &H::NodeProperties},
    {CommandId::Text, &H::NewText},
};

bool DocumentCommands::Run(DocumentView& view, int commandId)
{
    return RunHandlerRow(DocumentCommandHandlers::kRows, view, commandId);
}

bool DocumentCommands::IsChecked(const DocumentView& view, int commandId)
{
    return HandlerRowChecked(DocumentCommandHandlers::kRows, view, commandId);
}

bool DocumentCommands::Has(int commandId)
{
    return FindHandlerRow(DocumentCommandHandlers::kRows, commandId) != nullptr;
}

} // namespace app
