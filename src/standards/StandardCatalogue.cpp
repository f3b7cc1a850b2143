#include "standards/StandardCatalogue.h"

#include "platform/BinaryStream.h"
#include "platform/TextFile.h"

#include <QFile>

#include <utility>

namespace {

// A parent, three empty texts and a type.
constexpr qsizetype kMinEntryBytes = 5 * 4;

bool Fail(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

bool IsType(int type)
{
    return type >= CatalogueEntry::Standard && type <= CatalogueEntry::ExtendedStandard;
}

} // namespace

bool StandardCatalogue::Read(QByteArrayView bytes, QString* error)
{
    platform::BinaryReader in(bytes);
    const int32_t count = in.readCount(kMinEntryBytes, kMaxEntries);
    std::vector<CatalogueEntry> entries;
    entries.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count && in.ok(); ++i) {
        CatalogueEntry e;
        e.parent = in.readInt32();
        e.name = in.readWString();
        e.file = in.readWString();
        e.bitmap = in.readWString();
        e.type = in.readInt32();
        if (!in.ok())
            break;
        // The tree is built in file order: a folder must come before what
        // it holds.
        if (e.parent < -1 || e.parent >= i)
            in.fail(QStringLiteral("entry %1 names %2 as its folder, which is not an earlier entry").arg(i).arg(e.parent));
        else if (e.parent >= 0 && entries[static_cast<size_t>(e.parent)].type != CatalogueEntry::Folder)
            in.fail(QStringLiteral("entry %1 lies under entry %2, which is no folder").arg(i).arg(e.parent));
        else if (!IsType(e.type))
            in.fail(QStringLiteral("entry %1 has the unknown type %2").arg(i).arg(e.type));
        entries.push_back(std::move(e));
    }
    if (in.ok() && !in.atEnd())
        in.fail(QStringLiteral("%1 bytes after the last entry").arg(in.remaining()));
    if (!in.ok())
        return Fail(error, QStringLiteral("damaged standard catalogue: %1").arg(in.error()));
    entries_ = std::move(entries);
    return true;
}

QByteArray StandardCatalogue::Write() const
{
    platform::BinaryWriter out;
    out.writeInt32(GetCount());
    for (const CatalogueEntry& e : entries_) {
        out.writeInt32(e.parent);
        out.writeWString(e.name);
        out.writeWString(e.file);
        out.writeWString(e.bitmap);
        out.writeInt32(e.type);
    }
    return out.take();
}

bool StandardCatalogue::LoadSif(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Fail(error, file.errorString());
    // A thousand entries of three long paths stay far below this.
    constexpr qint64 kMaxBytes = qint64(64) << 20;
    if (file.size() > kMaxBytes)
        return Fail(error, QStringLiteral("the file is too large for a standard catalogue"));
    return Read(file.readAll(), error);
}

bool StandardCatalogue::SaveSif(const QString& path, QString* error) const
{
    return platform::writeFileAtomically(path, Write(), error);
}

int StandardCatalogue::AddEntry(const QString& name, const QString& file, const QString& bitmap, int parent, int type)
{
    if (GetCount() >= kMaxEntries || !IsType(type) || parent < -1 || parent >= GetCount()
        || (parent >= 0 && Entry(parent).type != CatalogueEntry::Folder))
        return -1;
    entries_.push_back({parent, name, file, bitmap, type});
    return GetCount() - 1;
}

bool StandardCatalogue::ModifyEntry(int n, const QString& name, const QString& file, const QString& bitmap)
{
    if (n < 0 || n >= GetCount())
        return false;
    CatalogueEntry& e = entries_[static_cast<size_t>(n)];
    e.name = name;
    e.file = file;
    e.bitmap = bitmap;
    return true;
}

void StandardCatalogue::RemoveEntry(int n)
{
    if (n < 0 || n >= GetCount())
        return;
    // Everything below n comes after it: one pass finds the subtree.
    std::vector<bool> removed(entries_.size(), false);
    removed[static_cast<size_t>(n)] = true;
    for (size_t i = static_cast<size_t>(n) + 1; i < entries_.size(); ++i) {
        const int parent = entries_[i].parent;
        removed[i] = parent >= 0 && removed[static_cast<size_t>(parent)];
    }
    std::vector<int> newPosition(entries_.size(), -1);
    std::vector<CatalogueEntry> kept;
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (removed[i])
            continue;
        newPosition[i] = static_cast<int>(kept.size());
        kept.push_back(std::move(entries_[i]));
    }
    for (CatalogueEntry& e : kept) {
        if (e.parent >= 0)
            e.parent = newPosition[static_cast<size_t>(e.parent)];
    }
    entries_ = std::move(kept);
}

int StandardCatalogue::MoveEntry(int n, Direction direction)
{
    if (n < 0 || n >= GetCount())
        return n;
    const int parent = Entry(n).parent;
    int sibling = -1;
    if (direction == Direction::Up) {
        for (int i = n - 1; i >= 0 && sibling < 0; --i) {
            if (Entry(i).parent == parent)
                sibling = i;
        }
    } else {
        for (int i = n + 1; i < GetCount() && sibling < 0; ++i) {
            if (Entry(i).parent == parent)
                sibling = i;
        }
    }
    if (sibling < 0)
        return SortEntries()[static_cast<size_t>(n)];
    std::swap(entries_[static_cast<size_t>(n)], entries_[static_cast<size_t>(sibling)]);
    // Children follow their folders to the folders' new positions.
    for (CatalogueEntry& e : entries_) {
        if (e.parent == n)
            e.parent = sibling;
        else if (e.parent == sibling)
            e.parent = n;
    }
    return SortEntries()[static_cast<size_t>(sibling)];
}

std::vector<int> StandardCatalogue::SortEntries()
{
    const size_t count = entries_.size();
    std::vector<std::vector<int>> children(count);
    std::vector<int> order;
    order.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        const int parent = entries_[i].parent;
        if (parent >= 0 && static_cast<size_t>(parent) < count)
            children[static_cast<size_t>(parent)].push_back(static_cast<int>(i));
        else
            order.push_back(static_cast<int>(i));
    }
    for (size_t k = 0; k < order.size(); ++k) {
        for (int child : children[static_cast<size_t>(order[k])])
            order.push_back(child);
    }
    Q_ASSERT(order.size() == count); // the parents form a tree
    std::vector<int> newPosition(count, -1);
    for (size_t k = 0; k < order.size(); ++k)
        newPosition[static_cast<size_t>(order[k])] = static_cast<int>(k);
    std::vector<CatalogueEntry> sorted;
    sorted.reserve(count);
    for (int old : order) {
        CatalogueEntry e = std::move(entries_[static_cast<size_t>(old)]);
        if (e.parent >= 0)
            e.parent = newPosition[static_cast<size_t>(e.parent)];
        sorted.push_back(std::move(e));
    }
    entries_ = std::move(sorted);
    return newPosition;
}
