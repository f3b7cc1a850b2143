// Extended standards (".nst"): the table's reader on any bytes; a table that
// reads writes back to bytes that read to the same table. Then a drawing is
// built from it with every component pointed at one small drawing (with a
// variable and a node over the standard's dimensions): it either builds or
// is left empty with the load refused, and a built drawing saves to a file
// that loads again.
#include "common/FuzzSupport.h"

#include "document/MorvekDoc.h"
#include "element/NodePoint.h"
#include "exchange/native/NativeDrawing.h"
#include "exchange/native/StandardTable.h"
#include "platform/Prompt.h"
#include "section/Section.h"

namespace {

QByteArray ComponentDrawing()
{
    CMorvekDoc part;
    (void)part.Variables().AddVariable(QStringLiteral("Flap"), QStringLiteral("A/4"), QString(), 2, true);
    NodeTable& nodes = part.Nodes();
    CNodePoint corner(&part.Variables(), &nodes);
    corner.MakeOffset(nodes.GetNode(part.GetOriginNode()), QStringLiteral("A"), QStringLiteral("Flap"));
    const int end = nodes.AddNode(corner, false);
    (void)part.GetSection(0)->AddLine0(part.GetOriginNode(), end);
    part.GetSection(0)->NewInstance(0.0, 50.0, 0.0);
    return part.WriteFile();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Environment& environment = fuzz::Environment::Get();
    environment.Reset();
    platform::ScriptedPrompt prompt; // a component that fails is told here
    const auto guard = platform::installPrompt(prompt);

    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    SpecStandardTable table;
    QString error;
    if (!table.Read(bytes, &error)) {
        if (native::ReadTag(bytes) != native::kStandardTag)
            return 0; // another kind of file: opened by its own reader
        CMorvekDoc doc;
        fuzz::Check(!doc.LoadFile(environment.Write(QStringLiteral("std/bad.nst"), bytes), bytes, &error)
                        && doc.IsLoadRefused() && doc.GetSectionCount() == 1,
                    "a standard the table refuses was built");
        return 0;
    }
    const QByteArray written = table.Write();
    SpecStandardTable again;
    fuzz::Check(again.Read(written, &error), "a written standard does not read again", error);
    fuzz::Check(again.Write() == written, "a standard read again writes other bytes");

    static const QByteArray component = ComponentDrawing();
    environment.Write(QStringLiteral("std/part.n"), component);
    for (int i = 0; i < table.GetCount(); ++i)
        table.Component(i).file = QStringLiteral("part.n");
    const QByteArray standard = table.Write();
    CMorvekDoc doc;
    fuzz::Check(doc.LoadFile(environment.Write(QStringLiteral("std/s.nst"), standard), standard, &error),
                "a standard that reads is not built", error);
    fuzz::Check(doc.GetSectionCount() == 1, "a built standard has more than one layer");
    CMorvekDoc reread;
    fuzz::Check(reread.LoadFile(QStringLiteral("built.n"), doc.WriteDrawing(), &error),
                "a drawing built from a standard does not load again", error);
    return 0;
}
