// Standard catalogues (".sif"): the reader on any bytes. A catalogue that
// reads writes back to the very bytes; then edits picked by the input's
// first bytes (add, modify, remove, move up or down) each leave every entry
// after a folder it lies in, and a catalogue that reads back the same.
#include "common/FuzzSupport.h"

#include "standards/StandardCatalogue.h"

namespace {

void CheckTree(const StandardCatalogue& cat)
{
    for (int i = 0; i < cat.GetCount(); ++i) {
        const int parent = cat.Entry(i).parent;
        fuzz::Check(parent >= -1 && parent < i, "an entry comes before its folder");
        fuzz::Check(parent < 0 || cat.Entry(parent).type == CatalogueEntry::Folder, "an entry lies in no folder");
    }
    StandardCatalogue again;
    QString error;
    fuzz::Check(again.Read(cat.Write(), &error), "a written catalogue does not read again", error);
    fuzz::Check(again.Entries() == cat.Entries(), "a catalogue read again holds other entries");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    StandardCatalogue cat;
    QString error;
    if (!cat.Read(bytes, &error))
        return 0;
    fuzz::Check(cat.Write() == bytes, "a catalogue writes back other bytes");
    for (size_t i = 0; i < size && i < 24; ++i) {
        const int pick = data[i];
        const int n = cat.GetCount() == 0 ? 0 : (pick >> 3) % (cat.GetCount() + 1) - (pick & 1);
        switch (pick % 5) {
        case 0: (void)cat.AddEntry(QStringLiteral("new"), QStringLiteral("n.n"), QString(), n, pick % 3); break;
        case 1: (void)cat.ModifyEntry(n, QStringLiteral("renamed"), QString(), QStringLiteral("b.bmp")); break;
        case 2: cat.RemoveEntry(n); break;
        case 3: (void)cat.MoveEntry(n, StandardCatalogue::Direction::Up); break;
        default: (void)cat.MoveEntry(n, StandardCatalogue::Direction::Down); break;
        }
        CheckTree(cat);
    }
    return 0;
}
