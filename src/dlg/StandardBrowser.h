#pragma once
// What the standards browser does, without its widgets: the catalogue it
// shows and edits, the selected entry with the dimensions its file (or the
// values remembered for it) gives, the secondary origin, and the choice it
// closes with. Every edit of the catalogue is written at once. The file
// dialogs start in StartFolder(); the process's current folder is never
// changed.
#include "standards/CatalogueSource.h"
#include "standards/StandardCatalogue.h"
#include "standards/StandardChoice.h"

#include <QString>

#include <optional>

class COptions;

namespace dlg {

// The origin texts the browser keeps between its openings, and the
// catalogue of an insertion that went to pick its origin in the drawing.
struct BrowserMemory {
    QString originX = QStringLiteral("0");
    QString originY = QStringLiteral("0");
    QString rotation = QStringLiteral("0");
    standards::CatalogueSource pickCatalogue;
};

// The point picked in the drawing becomes the origin the browser shows when
// it comes back ("%f" each).
void TakePickedOrigin(BrowserMemory& memory, double x, double y);

// An entry as the entry dialog edits it.
struct EntryFields {
    int type = CatalogueEntry::Standard; // the radio buttons: Standard or Folder
    QString name;
    QString file;
    QString bitmap;
    // The extension of the last file picked with the file button (without
    // the dot); a typed file name leaves it.
    QString pickedExtension;
};

// The entry dialog's OK: the message that refuses it (422: a name, and for
// a standard a file, are needed), or nothing.
std::optional<int> RefuseEntry(const EntryFields& fields);
// The kind of a new entry on OK: a folder, an extended standard when the
// last picked file's extension is "nst" in any letter case, else a standard.
int NewEntryType(const EntryFields& fields);

class StandardBrowser {
public:
    static constexpr int kTextNoStandardChosen = 433;
    static constexpr int kTextConfirmDelete = 827;
    static constexpr int kTextCannotWrite = 2950;

    // options: where the remembered dimensions are read and written (null:
    // none). useSecondaryRelativity: Construct > Standard > Use Secondary
    // Relativity; off, the secondary origin can't be set.
    StandardBrowser(COptions* options, BrowserMemory& memory, bool useSecondaryRelativity);

    // Reads the catalogue (a catalogue that cannot be read gives an empty
    // tree, or the tree of the source's folder) and starts with nothing
    // selected. withDocument: the browser belongs to an open drawing; only
    // then can a standard be merged or an origin be picked.
    void Open(const standards::CatalogueSource& source, bool withDocument);

    const StandardCatalogue& Catalogue() const { return catalogue_; }
    const QString& CataloguePath() const { return source_.path; }
    // The catalogue's folder, where the file dialogs start.
    QString StartFolder() const;
    // A path stored in the catalogue, made absolute against it.
    QString AbsolutePath(const QString& stored) const;
    // A picked path as the catalogue stores it, relative to it.
    QString StoredPath(const QString& absolute) const;
    bool WithDocument() const { return withDocument_; }

    // Selects entry n (-1: none). A standard's dimensions are read from its
    // file; the values remembered for it replace them. When its file cannot
    // be read the dimensions shown stay as they were.
    void Select(int n);
    int Selected() const { return selected_; }
    const CatalogueEntry* SelectedEntry() const;
    bool StandardSelected() const;
    // The selected entry's preview picture (absolute), empty for none.
    QString PreviewFile() const;

    // The fields.
    standards::BoxDimensions dimensions;
    bool secondary = false;
    bool preview = true;
    QString& OriginX() { return memory_.originX; }
    QString& OriginY() { return memory_.originY; }
    QString& Rotation() { return memory_.rotation; }
    // The secondary check: forced off while Use Secondary Relativity is off
    // or the check box is disabled.
    void SetSecondary(bool on);
    // Whether the secondary check box, Merge, and the origin fields with
    // their "..." button are enabled.
    bool SecondaryBoxEnabled() const;
    bool MergeEnabled() const;
    bool OriginFieldsEnabled() const { return secondary; }

    // The ways out. Load (also the double click on a standard) writes the
    // dimensions shown to the remembered values under the entry's file
    // text; nothing selected or a folder gives message 433 (not for a
    // double click) and no choice. Merge works only on a standard (not an
    // extended one) with a drawing open, and remembers nothing. The origin
    // pick needs a drawing too.
    std::optional<standards::StandardChoice> Load(bool doubleClick = false);
    std::optional<standards::StandardChoice> Merge();
    std::optional<standards::StandardChoice> PickOrigin();

    // Editing. Each change writes the catalogue (the first one creates it)
    // and tells the user when that fails; the entries stay as edited. A
    // catalogue file that was there but could not be read is kept beside
    // the new one as "<name>.damaged" at the first write.
    // Add and Special put the new entry into the selected folder, beside the
    // selected standard, or at the top when nothing is selected.
    int ParentForAdd() const;
    // The new entry's position; -1 when it could not be added.
    int Add(const EntryFields& fields);
    int AddExtended(const QString& name, const QString& file, const QString& bitmap);
    bool ModifySelected(const QString& name, const QString& file, const QString& bitmap);
    // Asks 827 with the entry's name; on Yes removes it and everything
    // below it. Nothing selected: nothing happens.
    bool DeleteSelected();
    // Moves the selected entry before its previous or after its next
    // sibling and keeps it selected.
    bool MoveSelected(StandardCatalogue::Direction direction);

private:
    bool Save();
    void TakeOrigin(standards::StandardChoice& choice) const;

    COptions* options_;
    BrowserMemory& memory_;
    bool useSecondary_;
    standards::CatalogueSource source_;
    StandardCatalogue catalogue_;
    bool withDocument_ = false;
    int selected_ = -1;
    bool readable_ = false; // the selected standard's file gave its dimensions
    bool damaged_ = false;  // the catalogue file is there but did not read
};

} // namespace dlg
