// The native drawing file: the checked reader on any bytes, then the
// document built from them. A file that reads writes back to records that
// read the same; a document either loads it or is left empty with the
// load refused; a loaded drawing saves to a file that loads again and saves
// to the same bytes; its display lists build from what was read.
#include "common/FuzzSupport.h"

#include "document/MorvekDoc.h"
#include "exchange/native/NativeDrawing.h"
#include "section/Section.h"

namespace {

bool SameRecords(const native::Drawing& a, const native::Drawing& b)
{
    if (a.identification != b.identification || a.variableBlock != b.variableBlock || a.nodeBlock != b.nodeBlock
        || a.sections.size() != b.sections.size())
        return false;
    for (size_t i = 0; i < a.sections.size(); ++i) {
        const native::SectionRecord& x = a.sections[i];
        const native::SectionRecord& y = b.sections[i];
        if (x.name != y.name || x.visible != y.visible || x.current != y.current || x.locked != y.locked
            || x.instances.size() != y.instances.size() || x.elements.size() != y.elements.size())
            return false;
        for (size_t e = 0; e < x.elements.size(); ++e) {
            if (x.elements[e].bytes != y.elements[e].bytes)
                return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(data, static_cast<qsizetype>(size));
    native::Drawing drawing;
    QString error;
    if (native::ReadDrawing(bytes, drawing, &error)) {
        fuzz::Check(drawing.sections.size() <= size_t(native::kMaxSections), "more sections than a drawing holds");
        // Only a current-version file writes back in its own layout.
        if (drawing.version == native::kFormatVersion) {
            native::Drawing again;
            fuzz::Check(native::ReadDrawing(native::WriteDrawing(drawing), again, &error),
                        "a written drawing does not read back", error);
            fuzz::Check(SameRecords(drawing, again), "a written drawing reads back to other records");
        }
    } else {
        fuzz::Check(!error.isEmpty(), "a refused file without a reason");
    }

    qint64 records = 0;
    for (const native::SectionRecord& s : drawing.sections)
        records += static_cast<qint64>(s.elements.size());
    CMorvekDoc doc;
    if (!doc.LoadFile(QStringLiteral("fuzz.n"), bytes, &error)) {
        fuzz::Check(doc.IsLoadRefused() && doc.GetSectionCount() == 1 && doc.GetCurrentSection() == doc.GetSection(0)
                        && !doc.GetSection(0)->begin().NotEqual(doc.GetSection(0)->end()),
                    "a failed load left more than an empty drawing", error);
        return 0;
    }
    // The element budget: a drawing over it is refused (above), with no element made.
    fuzz::Check(records <= CMorvekDoc::kMaxLoadElements, "a drawing over the element budget opened");
    // Every element's figures from what was read (the die board's outline
    // among them: its sizes, counts and spacings come from the file).
    doc.RebuildAllDisplayLists();
    const QByteArray saved = doc.WriteFile();
    CMorvekDoc reread;
    fuzz::Check(reread.LoadFile(QStringLiteral("fuzz.n"), saved, &error), "a saved drawing does not load", error);
    fuzz::Check(reread.WriteFile() == saved, "a saved drawing saves to other bytes");
    return 0;
}
