// The HP-GL reader on any bytes, alone and into a document: every line it
// reads has finite ends; the document opens the file with a layer named
// after it, or refuses it as after any failed load.
#include "common/FuzzSupport.h"

#include "document/MorvekDoc.h"
#include "exchange/hpgl/HpglReader.h"
#include "section/Section.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(data, static_cast<qsizetype>(size));
    std::vector<hpgl::Line> lines;
    QString error;
    if (hpgl::HpglReader::Read(bytes, lines, &error)) {
        for (const hpgl::Line& l : lines)
            fuzz::Check(std::isfinite(l.start.x) && std::isfinite(l.start.y) && std::isfinite(l.end.x)
                            && std::isfinite(l.end.y),
                        "a line with an end that is not finite");
    } else {
        fuzz::Check(!error.isEmpty() && lines.empty(), "a refused file without a reason or with lines", error);
    }

    CMorvekDoc doc;
    if (!doc.LoadFile(QStringLiteral("fuzz.plt"), bytes, &error))
        fuzz::Check(doc.IsLoadRefused() && doc.GetSectionCount() == 1, "a failed load left more than an empty drawing",
                    error);
    else
        fuzz::Check(doc.GetCurrentSection()->getName() == QStringLiteral("fuzz"), "the layer is not named after the file");
    return 0;
}
