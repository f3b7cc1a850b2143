#pragma once
// CMorvekDoc: one die drawing without any window. It owns the sections (the
// layers, room for kMaxSections), the node table they share with the origin
// node at (0, 0), the variables, the undo manager, the values commands
// remember per drawing, the saved automatic layouts and the cursor record
// the view fills. Files are read and written through it (DocumentFile.cpp)
// and its life cycle of open, save, close and autosave
// (DocumentLifecycle.cpp) asks its questions through platform::prompt().
#include "document/CursorInfo.h"
#include "element/NodeTable.h"
#include "section/LayoutStore.h"
#include "section/UndoManager.h"
#include "section/UndoTransaction.h"
#include "formula/FormulaTable.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>
#include <memory>
#include <vector>

class CElement;
class CInstance;
class CNodePoint;
class COptions;
class general_loader;
class Section;
struct SpecStandardComponent;

namespace exchange {
struct Format;
}
namespace native {
struct Drawing;
} // namespace native

// The last values typed for construction commands; they live as long as the
// document and are not written to the file.
struct CommandMemory {
    double penX = 0.0; // start of the next line of the relative-line dialog
    double penY = 0.0;
    double parallelX = 100.0;
    double parallelY = 100.0;
    double parallel = 100.0;
    double circleRadius = 100.0;
    double filletRadius = 0.0;
    double chamfer[5] = {0.0, 0.0, 0.0, 0.0, 0.0};
    double bisectorLength = 100.0;
    double length = 0.0;
    double quickRotateAngle = 90.0;
    double cuirRadius = 21.0; // the first value of the cuir radius series
    int splitParts = 2;
    QString quickText;
};

using CursorRecord = CursorInfo;

// Something a higher layer keeps per document (the command engine keeps its
// input request here); the document owns it without knowing what it is.
class DocumentSlot {
public:
    virtual ~DocumentSlot() = default;
};

class CMorvekDoc {
public:
    static constexpr int kMaxSections = 102;
    static constexpr int kFileVersion = 15;
    // Language texts: a new layer's name, the origin node's name, the first
    // layer's name after a failed load, the undo title of saving.
    static constexpr int kTextNewSection = 249;
    static constexpr int kTextOriginNode = 389;
    static constexpr int kTextEmptySection = 390;
    static constexpr int kTextSaveCleanup = 410;
    // Undo titles of the edits below when they open their own step: a node
    // drag's re-mapping ("Move node"), a selection transform ("Modify"),
    // the idle-node sweep ("Idle Nodes").
    static constexpr int kTextNodeRemap = 400;
    static constexpr int kTextTransformSelection = 405;
    static constexpr int kTextIdleNodes = 410;
    // The modify state of the rotate dialog's pick mode.
    static constexpr int kModifyRotatePick = 211;

    CMorvekDoc();
    ~CMorvekDoc();
    CMorvekDoc(const CMorvekDoc&) = delete;
    CMorvekDoc& operator=(const CMorvekDoc&) = delete;

    // --- sections ------------------------------------------------------------
    int GetSectionCount() const { return static_cast<int>(sections_.size()); }
    Section* GetSection(int n) const;
    Section* GetCurrentSection() const { return current_; }
    // No range check: the caller passes a valid index.
    void SetCurrentSection(int n);
    // The index of the current section, −1 when it is not in the array.
    int GetCurrentSectionIndex() const;
    // A new empty section after the last one; null, adding nothing, when the
    // document already holds kMaxSections.
    [[nodiscard]] Section* AppendSection(const QString& name);
    // Destroys section n and closes the gap; the current section is left for
    // the caller to choose (it is cleared when it was this one).
    void DeleteSection(int n);

    // --- nodes, variables, undo ----------------------------------------------
    NodeTable& Nodes() { return nodes_; }
    FormulaTable& Variables() { return variables_; }
    CUndoManager& Undo() { return *undo_; }
    int GetOriginNode() const { return originNode_; }
    int GetFileVersion() const { return fileVersion_; }

    // --- node re-mapping after a node drag (DocumentNodes.cpp) ---------------
    // Who uses the node: 0 no element (references of other nodes do not
    // count), 1 elements of unlocked sections only, 2 of locked sections
    // only, 3 both.
    int GetNodeUsage(int node) const;
    // Node from dropped onto node to: the elements of every section and the
    // nodes that referred to from refer to to, from is removed and the node
    // caches are cleared. The changes go to tx, or to a step of their own
    // (kTextNodeRemap) when none is passed. False, nothing changed and no
    // step, when either is no node, they are one node, from is the origin
    // node, or to is built on from (it would refer to itself).
    [[nodiscard]] bool MergeNode(int from, int to, UndoTransaction* tx = nullptr);
    // Re-points elements (selected ones too) from node from to node to:
    // with lockedOnly those of the locked sections, otherwise those of the
    // unlocked sections and the nodes that referred to from. The node
    // caches are cleared; undo as MergeNode. False, nothing changed, for the
    // same reasons as MergeNode except the origin (which stays in the table).
    [[nodiscard]] bool ReplaceNodeInSections(int from, int to, bool lockedOnly, UndoTransaction* tx = nullptr);

    // --- transforms of the current section's selection (DocumentTransforms.cpp)
    // Move by (dx, dy), rotate about (cx, cy) by degrees, scale about (cx, cy)
    // by fx and fy, mirror about the line through (x1, y1) and (x2, y2), all
    // in mm. Detached: the selection leaves its neighbours behind (a move or
    // rotation gives the selected elements nodes of their own; a scale or
    // mirror moves in place the nodes only the selection uses). Connected:
    // the nodes move in place and every element of an unlocked section that
    // shares them follows; nodes of locked sections and the origin node are
    // copied and stay. Nodes the selection shares keep being shared. A node
    // another node is built on counts as used by the users of that node.
    // Undo: with tx passed the changes go to its step, and the caller keeps
    // the selected elements (Section::PrepareSelElements before,
    // AddSelElementsToUndo after), so that a series of transforms is one
    // step. With none passed the transform is a step of its own
    // (kTextTransformSelection) that keeps the selected elements itself.
    // Bridges and displays are the caller's. False, nothing changed and no
    // step, for a value that is not finite, a scale factor of 0 or a mirror
    // axis of one point.
    [[nodiscard]] bool MoveSelectionDetached(double dx, double dy, UndoTransaction* tx = nullptr);
    [[nodiscard]] bool MoveSelectionConnected(double dx, double dy, UndoTransaction* tx = nullptr);
    [[nodiscard]] bool RotateSelectionDetached(double cx, double cy, double angle, UndoTransaction* tx = nullptr);
    [[nodiscard]] bool RotateSelectionConnected(double cx, double cy, double angle, UndoTransaction* tx = nullptr);
    [[nodiscard]] bool ScaleSelectionDetached(double cx, double cy, double fx, double fy,
                                              UndoTransaction* tx = nullptr);
    [[nodiscard]] bool ScaleSelectionConnected(double cx, double cy, double fx, double fy,
                                               UndoTransaction* tx = nullptr);
    [[nodiscard]] bool MirrorSelectionDetached(double x1, double y1, double x2, double y2,
                                               UndoTransaction* tx = nullptr);
    [[nodiscard]] bool MirrorSelectionConnected(double x1, double y1, double x2, double y2,
                                                UndoTransaction* tx = nullptr);
    // Whether the transforms above take the values (all finite; a scale
    // factor other than 0; an axis of two points), so that a caller can
    // check a series before changing anything.
    static bool CanMoveOrRotate(double a, double b, double c = 0.0);
    static bool CanScale(double cx, double cy, double fx, double fy);
    static bool CanMirror(double x1, double y1, double x2, double y2);

    // --- common-line cleaning (DocumentCleaning.cpp) ---------------------------
    // Manipulation > Clear Common Lines: every layer in turn, in its own undo
    // step (text 711), loses the rules that run over each other: within its
    // block (Section::DoClearCommonElements), between the copies of its step
    // and repeat (Section::clean_instances), or the layout first and then the
    // block. A layer with nothing to clean leaves no step; a cleaned one marks
    // the drawing modified.
    enum class CommonLines { Block, Layout, LayoutAndBlock };
    static constexpr int kTextClearCommonLines = 711;
    void ClearCommonLines(CommonLines what);

    // --- layer operations (DocumentLayers.cpp) --------------------------------
    // A new empty section at position index (−1: after the last); the
    // current section stays. Returns the position; −1, nothing added, when
    // the document holds kMaxSections or the index lies outside 0 … count.
    [[nodiscard]] int InsertSection(const QString& name, int index);
    // Appends a copy of section n (named by text 391 with the section
    // count): its elements once where they are (not-instanced ones too) and
    // its further placements, and makes it current. Null, nothing added, for no such section or when the
    // document holds kMaxSections.
    [[nodiscard]] Section* DuplicateSection(int n);
    // Copies src's elements into dst once per placement of src from
    // firstInstance on (a section without placements stands once where it
    // is); an element not instanced only for placement 0. Each copy lands
    // where that placement shows the element (turned about the placement's
    // own centre). Only the elements there at the start are copied (dst may
    // be src). Opens no undo step.
    void CopySectionElements(Section* dst, const Section* src, int firstInstance);
    // Copies from's selected elements into to, once per placement (an
    // element not instanced once), in one undo step titled text 394 (which
    // marks the drawing modified when it copied anything); the copies are
    // selected when selectCopies is set.
    void CopySelectionToLayer(Section* from, Section* to, bool selectCopies);
    static constexpr int kTextCopySectionName = 391;
    static constexpr int kTextCopyToLayer = 394;

    // --- the drawing as a whole ----------------------------------------------
    // The union of the borders of the visible sections; all 0 when none is
    // visible or they hold no element.
    void GetExtents(double& left, double& top, double& right, double& bottom, bool allInstances,
                    bool boardMargins) const;
    // n = −1: removes null-length lines, then every node no element and no
    // other node uses; n ≥ 0: removes node n when nothing uses it. The
    // origin node always stays. Removals go to tx, or to a step of their own
    // (kTextIdleNodes) when none is passed; a node that stays opens none.
    void DeleteIdleNodes(int n, UndoTransaction* tx = nullptr);
    void ValidateAllElements();
    void RefreshAllBridges();
    void UpdateAllElements();
    void RebuildAllDisplayLists();
    // The script lines of the current section's selected elements, in
    // element-table order (the clipboard copy); empty without a selection.
    QString GetSelectionAsText() const;
    void SetDisplayMode(int mode);
    int GetDisplayMode() const { return displayMode_; }

    // --- edit modes ----------------------------------------------------------
    bool BeginModifyState(int state, bool closeOther);
    // Closes the open undo step; the state becomes 0.
    void EndModifyState();
    int GetModifyState() const { return modifyState_; }

    CursorRecord& Cursor() { return cursor_; }
    void ResetCursor();
    CommandMemory& Remembered() { return remembered_; }
    // The element the properties edit (the context menu's Properties and
    // Measure > Element set it); null when none is set or the element has
    // left the current section since (deleted, replaced by an edit, undone).
    void SetEditElement(CElement* element) { editElement_ = element; }
    CElement* GetEditElement() const;
    // The saved automatic layouts and their sheets, and the running number
    // in the names of saved layouts (the automatic-layout dialog raises it).
    LayoutStore* GetLayoutStore() { return &layouts_; }
    int* GetLayoutCounter() { return &layoutCounter_; }
    // The chamfer of two lines picked on the current section, from the
    // remembered chamfer values (distance 1, distance 2, chamfer length,
    // angle 1, angle 2; 0 not given) (DocumentChamfer.cpp). Silent when the
    // elements are not two lines of the section that meet; text 250 when no
    // combination of the values makes a chamfer.
    void ChamferLines(CElement* first, CElement* second, double x1, double y1, double x2, double y2);
    // The command engine's slot (see DocumentSlot); empty until it is used.
    std::unique_ptr<DocumentSlot>& CommandSlot() { return commandSlot_; }

    // --- flags of the document -----------------------------------------------
    // The drawing is marked modified in two ways: a committed
    // UndoTransaction whose step changed it (through the undo manager's
    // commit listener), and MarkChangedWithoutUndo for the few changes made
    // without an undo step (the layers dialog, the automatic layout, Bobst
    // wood, File > Merge). SetModifiedFlag is for the file's life cycle
    // (cleared after a save, set again by a failed one).
    bool IsModified() const { return modified_; }
    void MarkChangedWithoutUndo() { modified_ = true; }
    void SetModifiedFlag(bool modified = true) { modified_ = modified; }
    bool IsLoadRefused() const { return loadRefused_; }
    bool IsAutosaved() const { return autosaved_; }
    bool IsAutosaving() const { return autosaving_; }
    bool IsLoadedFromExtendedStandard() const { return loadedFromStandard_; }
    void ClearLoadedFromExtendedStandard() { loadedFromStandard_ = false; }
    bool moveDetached = true;
    bool sectorMode = false;
    bool avoidLayout = false;
    // 1 while an interactive command runs (its undo step is open).
    int commandActive = 0;

    // --- the drawing file (DocumentFile.cpp) --------------------------------
    // The whole ".n" file of the drawing. Removes idle nodes and null-length
    // lines first, inside an undo step of its own.
    QByteArray WriteFile();
    // The file of the drawing as it stands, without that cleanup: what an
    // autosave writes, so that it changes nothing of the drawing.
    QByteArray WriteDrawing();
    // Reads a file's bytes into this document, which is new; the format
    // table (exchange/FormatTable.h) says which format the file is, by its
    // content and its name. On failure the document is reset (one empty
    // section, default variables, the origin node), the load-refused flag is
    // set and *error says why. Another program's file that yields no figure
    // is refused ("no figures found in <file>"), unless the user chose to
    // insert nothing of a DXF file. What an import left out or changed is
    // told once at its end (ImportNotes). Every load ends with the bridges
    // and elements brought up to date.
    [[nodiscard]] bool LoadFile(const QString& fileName, QByteArrayView bytes, QString* error);
    // What the last load's import left out or changed, one line each; empty
    // when nothing.
    const QStringList& ImportNotes() const { return importNotes_; }
    // A ".dxf" file (DocumentDxf.cpp): the current section takes the file's
    // title, its model space and blocks are read, the
    // installed DxfImportChooser asked which to insert, model space placed
    // at its own coordinates and the blocks inserted into the current
    // section side by side in rows that wrap at the chosen page width, above
    // model space; lengths in millimetres after the header's $INSUNITS; the
    // current line type is left as the last entity's. Nothing is inserted
    // after Cancel, which still loads. False, with the reason, when the file
    // is damaged, binary, holds no figure or its blocks expand without end.
    [[nodiscard]] bool ImportDxf(const QString& fileName, QByteArrayView bytes, QString* error);
    // File > Merge of a drawing in the older text layout: a new section
    // named after the file's title up to its first ".", made current, takes
    // the file's figures. Tells why and changes nothing when the file cannot
    // be read or yields no figure.
    bool LoadFileByName(const QString& path);
    // File > Merge (DocumentMerge.cpp): adds a drawing file's variables,
    // nodes and sections to this document. The sections are named after
    // the prefix (the file's name up to its first dot when empty) and "_";
    // the last one becomes current. mergeMode as FormulaTable::Import has
    // it; MergeNothing (7604) asks text 406 whether variables of the same
    // name are replaced (yes) or the incoming ones renamed (no). A file that
    // cannot be read or is no drawing, would take the document beyond
    // kMaxSections, or holds a record that cannot be read, is told and
    // changes nothing (variables, nodes and layers stay as they were). Opens no undo step; the
    // caller brings bridges and elements up to date.
    [[nodiscard]] bool MergeFile(const QString& path, int mergeMode, QString prefix);
    // MergeFile with the file's nodes placed relative to a secondary origin:
    // the place's x, y and rotation formulas (its variable pairs are not
    // used). Null places the nodes where the file has them.
    [[nodiscard]] bool MergeFileAt(const QString& path, int mergeMode, QString prefix, const SpecStandardComponent* place);
    // The next reading of a drawing file into this document places its
    // nodes relative to the place's x, y and rotation formulas; null ends
    // that (a standard loaded at a secondary origin).
    void SetReadingPlace(const SpecStandardComponent* place);
    // An inserted standard's main dimensions: the variables A, B, H and
    // MatThick take the numbers as "%f" formulas (no description), and
    // every value is evaluated again.
    void SetStandardDimensions(double a, double b, double h, double matThick);
    // Extended standards (DocumentStandard.cpp). Builds this document, which
    // is new, from the ".nst" file's bytes: the variables A, B, H and
    // MatThick take the standard's dimensions (which the components' own
    // never replace), then each component's drawing, found beside the
    // standard, is merged with its pairs overriding its variables and its
    // nodes turned about its place, and its layers are copied into the
    // first layer once per placement. A component that cannot be merged is
    // told and left out. False, with the reason, when the standard itself
    // cannot be read.
    [[nodiscard]] bool LoadExtendedStandard(const QString& fileName, QByteArrayView bytes, QString* error);
    // Gives a document built from an extended standard the path
    // "<standard without extension>_std<n>.n", n the caller's counter raised
    // by one, so that a save never writes over the standard; marks it
    // modified.
    void RenameLoadedStandard(int& counter);
    // Other programs' files (DocumentImport.cpp), read into this document,
    // which is new: the current section takes the file's title (its name
    // without the extension) and the file's figures become its elements.
    // False, the document unchanged and *error saying why, when the file
    // cannot be read. CF2 die files:
    [[nodiscard]] bool ImportCf2(const QString& fileName, QByteArrayView bytes, QString* error);
    // DDES3 die files: the first block defined with the blocks it includes.
    [[nodiscard]] bool ImportDd3(const QString& fileName, QByteArrayView bytes, QString* error);
    // HP-GL plot files: lines, arcs, circles, rectangles and labels, each
    // with the pen selected before it as line type, else the current line
    // type (which stays current). Commands not read and values beyond the
    // plotter's range are told in one message after the figures.
    [[nodiscard]] bool ImportHpgl(const QString& fileName, QByteArrayView bytes, QString* error);
    // Drawings in the older text layout (DocumentOldFormat.cpp): each placed
    // figure an element of the current section, with the line type, ptg
    // and bridges by count that the file gives.
    [[nodiscard]] bool ReadOldFormat(const QString& fileName, QByteArrayView bytes, QString* error);
    static constexpr int kTextCannotOpen = 386;
    static constexpr int kTextHpglSkipped = 2400;
    static constexpr int kTextHpglOutOfRange = 2401;
    static constexpr int kTextUnknownNodeKinds = 2402;
    static constexpr int kTextNoFigures = 2351;
    static constexpr int kTextBinaryDxf = 2352;
    static constexpr int kTextUnitsNotLength = 2356;
    static constexpr int kTextValuesOutOfRange = 2357;
    static constexpr int kTextLineTypesClamped = 2358;
    static constexpr int kTextNotADrawing = 392;
    static constexpr int kTextMergeVariables = 406;

    // --- open, save, close, autosave (DocumentLifecycle.cpp) -----------------
    // A document opened from another program's file (CF2, DDES3, HP-GL) has
    // no path, so that no save ever writes a drawing over that file, and no
    // autosave copy; its title is the file's name.
    const QString& GetPathName() const { return pathName_; }
    QString GetTitle() const;
    const QString& GetTempFileName() const { return tempFileName_; }
    // Derives the autosave copy's name ("<name>_tmp<ext>" beside the file)
    // and deletes the previous copy; false for an empty path.
    bool SetTempFileName(const QString& path);
    // Offers the autosave copy when there is one, then reads the file. False
    // when it cannot be read (the user is told why). A ".dxf" file is
    // imported into a drawing without a name and without an autosave copy.
    [[nodiscard]] bool OnOpenDocument(const QString& path);
    // Writes the drawing to the path (".n" added when it has no extension);
    // an ".nst" path is refused. False when nothing was written; the old
    // file then stays as it was.
    [[nodiscard]] bool OnSaveDocument(const QString& path);
    // File > Save (to the document's path) and File > Save As: the document
    // takes the path written to. False when nothing was written.
    [[nodiscard]] bool Save() { return DoSave(pathName_, true); }
    [[nodiscard]] bool SaveAs(const QString& path) { return DoSave(path, true); }
    // File > Save Copy As: writes the drawing to the path (".n" added when it
    // has none; an ".nst" path refused) and nothing else changes: the
    // document keeps its path, its modified flag and its autosave copy.
    [[nodiscard]] bool SaveCopyAs(const QString& path);
    // Deletes the autosave copy; after an autosave first asks whether to
    // save (Yes/No/Cancel). False when the document stays open: Cancel, or
    // the save failed; the copy is kept then.
    [[nodiscard]] bool OnCloseDocument();
    // Writes the autosave copy. The drawing stays as it is: its path, its
    // modified flag, its nodes and its undo steps (the copy is written
    // without the cleanup of a save). Nothing for an untitled drawing or an
    // extended-standard path.
    void AutoSave();

    // Language texts of the life cycle: the recovery question, the question
    // on closing after an autosave, the refusal to save an extended standard.
    static constexpr int kTextRecoverAutosave = 791;
    static constexpr int kTextSaveAfterAutosave = 790;
    static constexpr int kTextNoExtendedStandard = 809;
    // A file larger than this is not a drawing; it is refused unread.
    static constexpr qint64 kMaxFileBytes = qint64(1) << 30;
    // The most elements a drawing file may bring; the DXF and older-layout
    // readers count against their own limits before they make any.
    static constexpr qint64 kMaxLoadElements = 5'000'000;

private:
    // The whole file, refused unread when larger than kMaxFileBytes.
    [[nodiscard]] static bool ReadWhole(const QString& path, QByteArray& bytes, QString& error);
    // Both are nodes, two of them, and (when references move) to is not
    // built on from.
    bool CanRepoint(int from, int to, bool withReferences);
    // How a transform of the selection treats the nodes it uses: all copied
    // (detached move and rotate), copied where anything else uses them
    // (detached scale and mirror), or moved in place unless a locked section
    // uses them, the others following (connected).
    enum class NodeRule { CopyAll, CopyShared, Connected };
    // Builds the node remap by the rule, runs apply on every element of the
    // current section in table order, and re-points followers (connected).
    void TransformSelection(NodeRule rule, const std::function<void(CElement&, std::vector<int>&)>& apply,
                            UndoTransaction* tx);
    void CreateFirstSection(int nameText);
    void AddOriginNode();
    void ResetAfterFailedLoad();
    // What an opened drawing's reference loops are, in words, for the one
    // message after opening: the first variable of a loop of variables and
    // the first node of a loop of nodes; empty without loops.
    QString ReferenceLoopText();
    // LoadFile's reading by the format the table chose; foreign is set for
    // another program's format.
    [[nodiscard]] bool LoadByFormat(const exchange::Format& format, const QString& fileName, QByteArrayView bytes,
                                    QString* error, bool& foreign);
    static bool HasFigures(Section& section);
    // "no figures found in <file>".
    static QString NoFiguresText(const QString& fileName);
    // Adds what the loader left out or clamped to the import notes.
    void NoteImport(const general_loader& loader);
    [[nodiscard]] bool ReadFormatFFFF(const native::Drawing& drawing, QString* error);
    // One message when nodes of a kind this program does not know were read
    // (they stand at the origin).
    void TellUnknownNodeKinds();
    // MergeFile, with the component of an extended standard being built
    // (null for a plain merge).
    [[nodiscard]] bool MergeDrawing(const QString& path, int mergeMode, QString prefix,
                                    const SpecStandardComponent* component);
    // Appends the drawing's sections, their names after the prefix and
    // their node indices counted from nodeBase.
    [[nodiscard]] bool ReadSections(const native::Drawing& drawing, const QString& prefix, int nodeBase,
                                    QString* error);
    // The framework's save: writes the file and clears the modified flag;
    // with replace the document takes the path.
    [[nodiscard]] bool DoSave(const QString& path, bool replace);
    // Writes the bytes through a temporary file; false, the user told and
    // the old file unchanged, when they cannot be written.
    [[nodiscard]] static bool WriteTo(const QString& path, const QByteArray& bytes);

    CommandMemory remembered_;
    CElement* editElement_ = nullptr;
    LayoutStore layouts_;
    int layoutCounter_ = 1;
    int originNode_ = -1;
    int fileVersion_ = kFileVersion;
    int modifyState_ = 0;
    int displayMode_ = 0;
    bool loadRefused_ = false;
    // How many elements the load under way said it would make (0: not known).
    qint64 expectedElements_ = 0;
    bool importChoseNothing_ = false; // the user chose to insert nothing of the file
    QStringList importNotes_;
    bool imported_ = false; // the last load read another program's file
    QString importedTitle_;  // that file's name, the title of a document opened from it
    bool loadedFromStandard_ = false;
    bool autosaving_ = false;
    bool autosaved_ = false;
    bool modified_ = false;
    QString pathName_;
    QString tempFileName_;
    NodeTable nodes_;
    FormulaTable variables_;
    std::unique_ptr<CUndoManager> undo_;
    COptions* options_;
    std::vector<std::unique_ptr<Section>> sections_;
    Section* current_ = nullptr;
    CursorRecord cursor_;
    std::unique_ptr<DocumentSlot> commandSlot_;
};
