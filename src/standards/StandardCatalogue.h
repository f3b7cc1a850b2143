#pragma once
// A standard catalogue (".sif"): a tree of folders, standard drawings (".n")
// and extended standards (".nst"), kept as entries in catalogue order, where
// every entry comes after its folder. The standards browser reads one, edits
// it and writes it back whole after every change.
//
// File, little-endian, no header: int32 entry count, then per entry int32
// parent (its folder's position, -1 at the top), the name, file and bitmap
// texts (int32 byte count, UTF-16LE without terminator; the paths relative
// to the catalogue) and int32 type. Nothing follows the last entry.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <vector>

struct CatalogueEntry {
    enum Type : int { Standard = 0, Folder = 1, ExtendedStandard = 2 };

    int parent = -1; // position of the folder; -1 at the top
    QString name;
    QString file;   // ".n" or ".nst", relative to the catalogue; empty for a folder
    QString bitmap; // the preview picture, relative to the catalogue; may be empty
    int type = Standard;

    bool operator==(const CatalogueEntry&) const = default;
};

class StandardCatalogue {
public:
    // The browser shows at most this many entries; a longer file is refused
    // and a further entry is not added.
    static constexpr int kMaxEntries = 1000;
    enum class Direction { Up, Down };

    int GetCount() const { return static_cast<int>(entries_.size()); }
    // No range check: the caller passes 0 <= n < GetCount().
    const CatalogueEntry& Entry(int n) const { return entries_[static_cast<size_t>(n)]; }
    const std::vector<CatalogueEntry>& Entries() const { return entries_; }

    // Replaces every entry by those of the file's bytes. False, with the
    // reason and the entries unchanged, for a truncated or malformed file:
    // a count that is negative, above kMaxEntries or more than the bytes
    // hold; a damaged text (negative, odd or too long); a parent that is not
    // an earlier folder; an unknown type; bytes after the last entry.
    [[nodiscard]] bool Read(QByteArrayView bytes, QString* error);
    QByteArray Write() const;
    // The file read whole (false, the entries unchanged, when it cannot be
    // read); the file written through a temporary file, so a failed save
    // leaves the old one.
    [[nodiscard]] bool LoadSif(const QString& path, QString* error);
    [[nodiscard]] bool SaveSif(const QString& path, QString* error) const;

    // Appends an entry under parent (-1 or a folder) and returns its
    // position; -1, nothing added, for another parent, an unknown type or a
    // full catalogue.
    [[nodiscard]] int AddEntry(const QString& name, const QString& file, const QString& bitmap, int parent, int type);
    // The entry's name, file and bitmap (its kind stays); false for no entry.
    [[nodiscard]] bool ModifyEntry(int n, const QString& name, const QString& file, const QString& bitmap);
    // Removes entry n with everything below it; the parents of the others
    // keep naming the same folders. Nothing for another index.
    void RemoveEntry(int n);
    // Moves entry n before its previous sibling or after its next one, its
    // subtree with it, then re-sorts; returns its new position (n when it
    // has no such sibling or is no entry).
    int MoveEntry(int n, Direction direction);
    // Breadth-first order: the top-level entries, then the children of each
    // entry of the new order in turn, siblings in their present order.
    // Returns, for every old position, the new one.
    std::vector<int> SortEntries();

private:
    std::vector<CatalogueEntry> entries_;
};
