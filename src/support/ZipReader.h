#pragma once
// The program's small extraction layer over minizip: opens a zip archive by
// path, reports an item's name, attributes and file times, creates the
// folders an item needs and writes an item to disk with the times stored in
// the archive. Every operation yields a result code; the code of the last
// operation is also kept for the whole process (ZipReader::LastResult).
//
// Extraction never writes outside the folder it is given: a target with a
// ".." component is refused, and a file is written under a temporary name
// and renamed only when all of it arrived, so a failure leaves no partial
// file (and an older file of that name stays as it was). An item is written
// only when its stated size is within the limit for a package item and the
// target's free space, and never beyond its stated size.
#include <QString>
#include <QtGlobal>

#include <vector>

enum ZipResult : int {
    ZipOk = 0,
    ZipCannotOpen = 0x200,        // the archive or an output file cannot be opened or created
    ZipWriteFailed = 0x400,       // writing an output file failed
    ZipBadHeader = 0x700,         // an item's local header cannot be read (corrupt archive)
    ZipBadExtraField = 0x800,     // an item's extra field cannot be positioned or read
    ZipTooLarge = 0x900,          // an item states a size beyond what a package item may have
    ZipNoSpace = 0xA00,           // the target has less free space than the item states it needs
    ZipPasswordError = 0x1000,    // the item is encrypted (no password is ever given)
    ZipBadArgument = 0x10000,     // no handle, an item index out of range, a target outside the folder
    ZipNotArchive = 0x80000,      // the handle is not an open archive handle
    ZipDataError = 0x5000000,     // the item's data ended in error, before its end or beyond it
};

// One item's description.
struct ZipEntry {
    // Windows file attribute bits.
    enum Attribute { ReadOnly = 0x1, Hidden = 0x2, System = 0x4, Folder = 0x10, Archive = 0x20 };

    int index = 0;          // for index -1: the number of items
    QString name;           // drive, root and parent references removed
    int attributes = 0;
    // Windows file times: UTC, 100-nanosecond units since 1601-01-01.
    quint64 accessTime = 0;
    quint64 creationTime = 0;
    quint64 writeTime = 0;
    qint64 compressedSize = 0;
    qint64 uncompressedSize = 0;
};

class ZipReader;

struct ZipHandle {
    enum { Archive = 1 };
    int kind = Archive;
    ZipReader* reader = nullptr;
};

class ZipReader {
public:
    // Opens the archive (a path as the model writes it, see
    // platform::localPath). Null on failure.
    static ZipHandle* OpenFile(const QString& path);
    // The folder relative targets are written below; a separator is
    // appended when missing. Initially the current folder.
    static int SetBaseFolder(ZipHandle* handle, const QString& folder);
    // Describes item index; index -1 gives the number of items in
    // entry.index and an empty name.
    static int GetItem(ZipHandle* handle, int index, ZipEntry& entry);
    // Extracts item index to target: a relative target goes below the base
    // folder, an absolute or drive target stands as it is.
    static int UnzipItem(ZipHandle* handle, int index, const QString& target);
    // Closes the archive and frees the reader and the handle.
    static int Close(ZipHandle* handle);
    // Creates, when missing, base and every folder of relative below it;
    // with an empty base, relative is a full path. False when a folder
    // could not be made.
    static bool EnsureFolder(const QString& base, const QString& relative);

    // The result of the latest operation of any reader.
    static int LastResult();

    ZipReader(const ZipReader&) = delete;
    ZipReader& operator=(const ZipReader&) = delete;
    ~ZipReader();

private:
    ZipReader() = default;
    int itemCount() const;
    // Where an item's entry is in the archive.
    struct ItemPosition {
        quint64 directoryOffset = 0; // of the item's entry in the central directory
        quint64 number = 0;
    };

    static bool goTo(void* archive, const ItemPosition& position);
    int moveTo(int index);
    [[nodiscard]] int readEntry(int index, ZipEntry& entry);
    int extract(int index, const QString& target);
    [[nodiscard]] int writeFile(const ZipEntry& entry, const QString& path);

    void* archive_ = nullptr; // the unzip library's archive
    int cursor_ = -1;         // the item the archive is positioned on, -1 when not known
    // Where the items seen so far are, by index: stepping back goes there
    // directly instead of walking again from the first item.
    std::vector<ItemPosition> positions_;
    ZipEntry cachedEntry_;
    int cachedIndex_ = -1;
    std::vector<char> buffer_;
    QString baseFolder_;
};
