// File > Merge of any bytes into a drawing that holds a variable, a node
// and a line: a merge that fails leaves the drawing exactly as it was; one
// that succeeds leaves a drawing that saves and loads again.
#include "common/FuzzSupport.h"

#include "document/MorvekDoc.h"
#include "formula/FormulaTable.h"
#include "platform/Prompt.h"
#include "section/Section.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Environment& environment = fuzz::Environment::Get();
    environment.Reset();
    // Every question gets the answer that risks nothing; nothing is printed.
    platform::ScriptedPrompt prompt;
    const auto guard = platform::installPrompt(prompt);

    const QString path = environment.Write(QStringLiteral("merge/part.n"),
                                           QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    CMorvekDoc doc;
    Section* section = doc.GetCurrentSection();
    fuzz::Check(section != nullptr, "a new drawing has no layer");
    (void)doc.Variables().AddVariable(QStringLiteral("Flap"), QStringLiteral("9"), QString(), 0, true);
    (void)section->AddLine3(0.0, 0.0, 100.0, 50.0, false, 1);
    const QByteArray before = doc.WriteDrawing();
    const int sections = doc.GetSectionCount();

    for (const int mode : {FormulaTable::MergeOverwrite, FormulaTable::MergeRename}) {
        if (!doc.MergeFile(path, mode, QString())) {
            fuzz::Check(doc.WriteDrawing() == before && doc.GetSectionCount() == sections,
                        "a failed merge changed the drawing");
            continue;
        }
        const QByteArray merged = doc.WriteDrawing();
        CMorvekDoc again;
        QString error;
        fuzz::Check(again.LoadFile(QStringLiteral("merged.n"), merged, &error), "a merged drawing does not load again",
                    error);
        return 0;
    }
    return 0;
}
