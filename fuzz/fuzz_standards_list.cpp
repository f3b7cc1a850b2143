// The standards list in the registry stand-in (an ini file): read, saved,
// read again gives the same records.
#include "common/FuzzSupport.h"

#include "options/StandardsList.h"
#include "platform/Registry.h"

namespace {

QString Describe(const StandardsList& list)
{
    QString out;
    for (int i = 0; i < list.Count(); ++i)
        out += list.At(i).name + QStringLiteral(" | ") + list.At(i).file + QLatin1Char('\n');
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Environment& env = fuzz::Environment::Get();
    env.Reset();
    const QString registry = platform::Registry::filePath();
    env.Write(registry.mid(env.Path(QString()).size()),
              QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));

    // Each record is a registry read: thousands make a slow input, not a
    // finding.
    if (platform::Registry::getInt(QStringLiteral("Standards"), QStringLiteral("AMOUNT"), 0) > 200)
        return 0;
    StandardsList list;
    list.Load();
    list.Save();
    StandardsList again;
    again.Load();
    fuzz::Check(Describe(list) == Describe(again), "the saved standards list reads back differently",
                QStringLiteral("before:\n") + Describe(list) + QStringLiteral("after:\n") + Describe(again));
    if (list.Count() > 0) {
        again.Remove(0);
        again.Save();
    }
    return 0;
}
