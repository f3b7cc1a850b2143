// The HP-GL reader on any bytes, alone and into a document: every figure it
// reads has finite points and sizes within the plotter's range, a refused
// file says why and keeps nothing; the document opens the file with a layer
// named after it, or refuses it as after any failed load.
#include "common/FuzzSupport.h"

#include "document/MorvekDoc.h"
#include "exchange/hpgl/HpglReader.h"
#include "platform/Prompt.h"
#include "section/Section.h"

#include <cmath>

namespace {

bool Fine(const die::coord& p)
{
    constexpr double kMaxMm = hpgl::kMaxUnits / hpgl::kUnitsPerMm;
    return std::isfinite(p.x) && std::isfinite(p.y) && std::abs(p.x) <= kMaxMm && std::abs(p.y) <= kMaxMm;
}

// Answers every message without a word: the import report is not what is
// tried here.
class QuietPrompt : public platform::Prompt {
public:
    platform::PromptResult ask(const QString&, const QString&, platform::PromptButtons buttons,
                               platform::PromptIcon) override
    {
        return platform::safeAnswer(buttons);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(data, static_cast<qsizetype>(size));
    hpgl::Drawing drawing;
    QString error;
    if (hpgl::HpglReader::Read(bytes, drawing, &error)) {
        for (const hpgl::Line& l : drawing.lines)
            fuzz::Check(Fine(l.start) && Fine(l.end), "a line with an end beyond the plotter's range");
        for (const hpgl::Arc& a : drawing.arcs)
            fuzz::Check(Fine(a.centre) && Fine(a.start) && Fine(a.end), "an arc beyond the plotter's range");
        for (const hpgl::Label& t : drawing.labels)
            fuzz::Check(Fine(t.position) && std::isfinite(t.angle) && std::isfinite(t.size.x)
                            && std::isfinite(t.size.y) && !t.text.isEmpty(),
                        "a label beyond the plotter's range or without text");
    } else {
        fuzz::Check(!error.isEmpty() && drawing.lines.empty() && drawing.arcs.empty() && drawing.labels.empty(),
                    "a refused file without a reason or with figures", error);
    }

    QuietPrompt quiet;
    const auto prompt = platform::installPrompt(quiet);
    CMorvekDoc doc;
    if (!doc.LoadFile(QStringLiteral("fuzz.plt"), bytes, &error))
        fuzz::Check(doc.IsLoadRefused() && doc.GetSectionCount() == 1, "a failed load left more than an empty drawing",
                    error);
    else
        fuzz::Check(doc.GetCurrentSection()->getName() == QStringLiteral("fuzz"), "the layer is not named after the file");
    return 0;
}
