// The DDES3 reader on any bytes, alone and into a document: a refused file
// says why and hands nothing over; a read one hands at most the figure limit;
// the document opens it or is left as after any failed load.
#include "common/FuzzSupport.h"

#include "document/MorvekDoc.h"
#include "exchange/dd3/Dd3Reader.h"
#include "section/Section.h"

namespace {

class CountingImporter : public Import::Importer {
public:
    void AddLine(const die::coord&, const die::coord&, const ImportAttributes& a) override
    {
        fuzz::Check(static_cast<int>(a.bridges.size()) <= dd3::kMaxBridges, "more bridges than the limit");
        ++count;
    }
    void AddArc(const die::coord&, const die::coord&, const die::coord&, int32_t, const ImportAttributes&) override
    {
        ++count;
    }
    void AddText(const die::coord&, double, const die::coord&, const QString&, const ImportAttributes& a,
                 int32_t) override
    {
        fuzz::Check(a.bridgeCount == 0 && a.bridges.empty(), "a text with bridges");
        ++count;
    }
    int64_t count = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(data, static_cast<qsizetype>(size));
    CountingImporter importer;
    QString error;
    if (dd3::Dd3Reader::Read(bytes, importer, &error))
        fuzz::Check(importer.count <= dd3::kMaxFigures, "more figures than the limit");
    else
        fuzz::Check(!error.isEmpty() && importer.count == 0, "a refused file without a reason or with figures", error);

    CMorvekDoc doc;
    if (!doc.LoadFile(QStringLiteral("fuzz.dd3"), bytes, &error))
        fuzz::Check(doc.IsLoadRefused() && doc.GetSectionCount() == 1, "a failed load left more than an empty drawing",
                    error);
    else
        fuzz::Check(doc.GetCurrentSection()->getName() == QStringLiteral("fuzz"), "the layer is not named after the file");
    return 0;
}
