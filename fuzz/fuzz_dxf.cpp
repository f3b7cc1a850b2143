// The DXF reader on any bytes: a file is read or refused with a reason and
// no blocks; every block of a file read inserts, alone and laid out with
// the others after model space, within the expansion limit or is refused
// with a reason; a small one opens as a drawing through the document,
// chosen whole, unless it makes no figure.
#include "common/FuzzSupport.h"

#include "document/MorvekDoc.h"
#include "exchange/dxf/DxfImportChooser.h"
#include "exchange/dxf/DxfReader.h"
#include "options/LanguageTable.h"
#include "platform/CFormat.h"
#include "platform/Prompt.h"

namespace {

class CountingSink : public DxfSink {
public:
    void AddLine(const die::coord&, const die::coord&, int) override { ++count; }
    void AddArc(const die::coord&, const die::coord&, const die::coord&, int) override { ++count; }
    void AddEllipse(const die::coord&, const die::coord&, const die::coord&, const die::coord&, const die::coord&,
                    int) override
    {
        ++count;
    }
    void AddText(const die::coord&, double, double, double, const QString&, int) override { ++count; }
    // One spline element, as the document makes it (not its chords).
    void AddSpline(const std::vector<die::coord>&, int) override { ++count; }
    qint64 count = 0;
};

class ChooseAll : public DxfImportChooser {
public:
    DxfImportChoice Choose(const DxfBlock* modelSpace, const std::vector<DxfBlock>& blocks) override
    {
        DxfImportChoice c{{}, 900.0, 900.0, true, modelSpace != nullptr};
        for (int i = 0; i < static_cast<int>(blocks.size()); ++i)
            c.chosen.insert(i);
        return c;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(data, static_cast<qsizetype>(size));
    DxfReader reader;
    if (!reader.Read(bytes)) {
        fuzz::Check(!reader.Error().isEmpty() && reader.Blocks().empty() && reader.ModelSpace().IsEmpty(),
                    "a refused file has no reason or keeps blocks");
        return 0;
    }
    bool allInsert = true;
    std::vector<const DxfBlock*> each;
    for (const DxfBlock& block : reader.Blocks())
        each.push_back(&block);
    each.push_back(&reader.ModelSpace());
    for (const DxfBlock* one : each) {
        const DxfBlock& block = *one;
        CountingSink sink;
        const bool ok = reader.InsertBlock(block, die::coord(1.0, 2.0), 0.5, sink);
        // A point makes two lines and a polyline segment one: each counted once.
        fuzz::Check(sink.count <= 2 * DxfReader::kMaxExpansion, "an insertion passed the expansion limit");
        fuzz::Check(ok || !reader.Error().isEmpty(), "a refused insertion has no reason");
        allInsert = allInsert && ok;
    }
    reader.SetPageSize(900.0, 900.0);
    std::set<int> all;
    std::vector<const DxfBlock*> roots;
    for (int i = 0; i < static_cast<int>(reader.Blocks().size()); ++i) {
        all.insert(i);
        roots.push_back(&reader.Blocks()[static_cast<size_t>(i)]);
    }
    if (!reader.ModelSpace().IsEmpty())
        roots.push_back(&reader.ModelSpace());
    // The element budget: what the count refuses makes nothing at all.
    qint64 counted = 0;
    const bool withinBudget = reader.CountExpansion(roots, &counted);
    CountingSink layout;
    const bool laidOut = reader.ImportDrawing(true, all, true, layout);
    fuzz::Check(withinBudget || (!laidOut && layout.count == 0), "an import over the element budget made elements");
    fuzz::Check(!withinBudget || counted <= DxfReader::kMaxExpansion, "a counted import passed the budget");
    // Each counted element or insertion makes at most two (a point's
    // cross), and each block its label.
    fuzz::Check(layout.count <= 2 * counted + static_cast<qint64>(all.size()), "an import made more than it counted");
    fuzz::Check(laidOut || !reader.Error().isEmpty(), "a refused layout has no reason");
    fuzz::Check(!allInsert || !withinBudget || laidOut, "blocks that insert alone fail laid out");

    if (laidOut && layout.count <= 2000) {
        fuzz::Environment::Get().Reset();
        platform::ScriptedPrompt prompt;
        const auto promptGuard = platform::installPrompt(prompt);
        ChooseAll chooser;
        const auto chooserGuard = installDxfImportChooser(chooser);
        CMorvekDoc doc;
        QString error;
        // Unless nothing it holds makes an element (lines of no length...).
        const QString noFigures = platform::cformat(Translate(CMorvekDoc::kTextNoFigures).toUtf8().constData(),
                                                    QStringLiteral("input.dxf"));
        fuzz::Check(doc.LoadFile(QStringLiteral("input.dxf"), bytes, &error) || error.startsWith(noFigures),
                    "a DXF that lays out does not open", error);
        fuzz::Check(doc.GetCurrentSection() != nullptr, "an opened DXF has no layer");
    }
    return 0;
}
