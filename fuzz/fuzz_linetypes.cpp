// The line-type files: a factory file and a user file read with the
// application's special line types registered. Saving the differences and
// reading both files again must give the same line types.
#include "common/FuzzSupport.h"

#include "linetype/LinetypeTable.h"
#include "platform/CFormat.h"

#include <QDir>
#include <QFile>

namespace {

void Register(LinetypeTable& table)
{
    for (const SpecialLinetype::Registration& r : SpecialLinetype::Registrations())
        table.RegisterSymbolicName(QLatin1String(r.name), r.number, r.kind);
}

QString Describe(const LinetypeTable& t)
{
    QString out;
    for (auto it = t.LinetypesBegin(); it != t.LinetypesEnd(); ++it) {
        const Linetype& l = it->second;
        out += platform::cformat("%d: kind %d sub %d %d data %.17g %.17g %.17g style %d width %d colour %06X '%s'\n",
                                 it->first, l.kind, l.subtype1, l.subtype2, l.data1, l.data2, l.data3, l.style,
                                 l.width, l.colour, l.name);
    }
    return out;
}

// The values the files hold for a line type: its kind's subtypes and data
// values, not the others (a section may give them, they are not saved).
bool SameInFile(const Linetype& a, const Linetype& b)
{
    if (a.kind != b.kind || a.style != b.style || a.width != b.width || a.colour != b.colour || a.name != b.name)
        return false;
    for (int i = 1; i <= 2; ++i) {
        if (LinetypeKind::UsesSubtype(a.kind, i) && (i == 1 ? a.subtype1 != b.subtype1 : a.subtype2 != b.subtype2))
            return false;
    }
    for (int i = 1; i <= 3; ++i) {
        if (LinetypeKind::UsesData(a.kind, i) && a.Data(i - 1) != b.Data(i - 1))
            return false;
    }
    return true;
}

bool Same(const LinetypeTable& a, const LinetypeTable& b)
{
    auto i = a.LinetypesBegin();
    auto j = b.LinetypesBegin();
    for (; i != a.LinetypesEnd() && j != b.LinetypesEnd(); ++i, ++j) {
        if (i->first != j->first || !SameInFile(i->second, j->second))
            return false;
    }
    return i == a.LinetypesEnd() && j == b.LinetypesEnd();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Environment& env = fuzz::Environment::Get();
    env.Reset();
    const std::vector<QByteArray> parts = fuzz::Split(data, size, 2);
    env.Write(QStringLiteral("app/Defaults/linetypes.ini"), parts[0]);
    env.Write(QStringLiteral("app/Config/linetypes.cfg"), parts[1]);
    env.Write(QStringLiteral("saved/Defaults/linetypes.ini"), parts[0]);
    QDir().mkpath(env.Path(QStringLiteral("saved/Config")));

    LinetypeTable table;
    Register(table);
    table.Load();
    table.SetPatternPens();

    // Save writes only when the differences changed since loading: add a
    // line type of an unused number, save it, remove it and save the real
    // differences.
    const QString saved = env.Path(QStringLiteral("saved"));
    int unused = 1;
    while (table.Find(unused) || table.FindDefault(unused))
        ++unused;
    table.AddLinetype(unused, 0, 1, 0);
    fuzz::Check(table.Save(saved), "cannot save the line types");
    table.Remove(unused);
    fuzz::Check(table.Save(saved), "cannot save the line types");

    LinetypeTable again;
    Register(again);
    again.Load(saved);
    fuzz::Check(Same(table, again), "the saved line types read back differently",
                QStringLiteral("before:\n") + Describe(table) + QStringLiteral("after:\n") + Describe(again)
                    + QStringLiteral("saved file:\n")
                    + QString::fromUtf8(env.Read(QStringLiteral("saved/Config/linetypes.cfg"))));
    return 0;
}
