// The older text layout's reader on any bytes, alone and into a document: a
// refused file says why and gives no figure; a read one gives at most the
// figure limit, each with its fields in range; the document opens it or is
// left as after any failed load.
#include "common/FuzzSupport.h"

#include "document/MorvekDoc.h"
#include "element/Bridge.h"
#include "exchange/native/NativeDrawing.h"
#include "exchange/oldn/OldnReader.h"
#include "section/Section.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(data, static_cast<qsizetype>(size));
    oldn::Drawing drawing;
    QString error;
    // The element budget: a file refused for what it would place gives no
    // figure (checked below with every refusal).
    if (oldn::OldnReader::Read(bytes, drawing, &error)) {
        fuzz::Check(static_cast<int64_t>(drawing.figures.size()) <= oldn::kMaxFigures, "more figures than the limit");
        for (const oldn::Figure& f : drawing.figures)
            fuzz::Check(f.bridgeCount >= 0 && f.bridgeCount <= BridgeList::MaxCount, "a bridge count out of range");
    } else {
        fuzz::Check(!error.isEmpty() && drawing.figures.empty(), "a refused file without a reason or with figures",
                    error);
    }

    CMorvekDoc doc;
    if (!doc.LoadFile(QStringLiteral("fuzz.n"), bytes, &error))
        fuzz::Check(doc.IsLoadRefused() && doc.GetSectionCount() == 1
                        && !doc.GetSection(0)->begin().NotEqual(doc.GetSection(0)->end()),
                    "a failed load left more than an empty drawing", error);
    else if (const auto tag = native::ReadTag(bytes); tag != native::kDrawingTag && tag != native::kStandardTag)
        fuzz::Check(doc.GetCurrentSection()->getName() == QStringLiteral("fuzz"), "the layer is not named after the file");
    return 0;
}
