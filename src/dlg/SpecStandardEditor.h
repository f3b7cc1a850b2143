#pragma once
// What the extended standard editor does, without its window: the ".nst"
// file being edited (its dimensions and components), the catalogue entry's
// name, file and bitmap texts, the list rows and the selected row. Every
// action works on the selected row, so two components of one name are told
// apart. File dialogs go through a StandardFileAsker, the component dialog
// through a ComponentEditing, questions through platform::ask.
#include "dlg/SpecStandardDlg.h"
#include "exchange/native/StandardTable.h"

#include <QString>

namespace dlg {

class StandardFileAsker;

// Edits one component (the component dialog); false when cancelled.
class ComponentEditing {
public:
    virtual ~ComponentEditing() = default;
    // `standardFile` is the extended standard's absolute path.
    virtual bool Edit(SpecStandardComponent& component, const QString& standardFile) = 0;
};

class SpecStandardEditor {
public:
    static constexpr int kTextCannotWrite = 387;
    static constexpr int kTextFilterBitmap = 439;
    static constexpr int kTextDeleteComponent = 440;
    static constexpr int kTextLoadOther = 441;
    static constexpr int kTextFilterStandard = 442;
    static constexpr int kTextNewComponent = 443;
    static constexpr int kTextZeroDimension = 810;
    static constexpr int kTextFullTable = 3001;
    static constexpr int kTextCannotRead = 3002;

    SpecStandardEditor(const ExtendedEntryEdit& entry, bool isNew, const QString& startFolder,
                       StandardFileAsker& files, ComponentEditing& components);

    // The opening: loads the entry's file; a new standard, or one whose file
    // cannot be read, is saved at once where the user says. False when the
    // editor closes at once (the user cancelled that, or the save failed).
    bool Open();

    ExtendedEntryEdit& Entry() { return entry_; }
    const SpecStandardTable& Table() const { return table_; }
    // The dimension edits' values.
    void SetDimensions(double a, double b, double h, double matThick);

    int Selected() const { return selected_; }
    // -1 clears the selection; another index outside the list is ignored.
    void Select(int row);

    bool CanAdd() const { return table_.GetCount() < SpecStandardTable::kMaxComponents; }
    bool Add();
    bool Modify();
    bool Delete();
    bool MoveUp() { return Move(-1); }
    bool MoveDown() { return Move(+1); }

    // Save: refuses A, B or H of 0 (810); true when saved (the editor
    // closes with OK).
    bool Save();
    bool SaveAs();
    bool Load();
    bool BrowseBitmap();

    // The entry's file made absolute against the catalogue.
    QString StandardPath() const;

private:
    bool Move(int step);
    bool SaveTo(const QString& path);
    QString AskSavePath();
    QString Relative(const QString& path) const;

    ExtendedEntryEdit entry_;
    bool isNew_;
    QString startFolder_;
    StandardFileAsker& files_;
    ComponentEditing& components_;
    SpecStandardTable table_;
    int selected_ = -1;
};

} // namespace dlg
