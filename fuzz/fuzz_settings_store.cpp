// The layered settings store: factory file under user file. Every key the
// input names is read with a type (int, double or text, by the key), the
// store is saved, and a second store over the same factory file and the saved
// user file must find the same values and the same differences.
#include "common/FuzzSupport.h"

#include "platform/TextFile.h"
#include "settings/ConfigValue.h"
#include "settings/ProfileStore.h"

#include <set>

namespace {

const QString kDefaults = QStringLiteral("\\Defaults\\settings.ini");
const QString kUser = QStringLiteral("\\Config\\settings.cfg");

// The type a key is read with: the same for the same key in both stores.
int TypeOf(const QString& key)
{
    switch (qHash(key) % 3) {
    case 0: return ConfigInt;
    case 1: return ConfigDouble;
    default: return ConfigText;
    }
}

void ReadTyped(ProfileStore& store, const QString& key)
{
    int i = 0;
    double d = 0.0;
    QString s;
    switch (TypeOf(key)) {
    case ConfigInt: (void)store.GetInt(key, i); break;
    case ConfigDouble: (void)store.GetDouble(key, d); break;
    default: (void)store.GetString(key, s); break;
    }
}

void ReadAll(ProfileStore& store, const std::set<QString>& sections, const std::set<QString>& keys)
{
    for (const QString& section : sections) {
        store.SelectSection(section);
        for (const QString& key : keys)
            ReadTyped(store, key);
    }
}

QString Describe(const std::map<QString, std::set<QString>>& difference)
{
    QString out;
    for (const auto& [name, lines] : difference) {
        out += QLatin1Char('[') + name + QLatin1String("]\n");
        for (const QString& line : lines)
            out += line + QLatin1Char('\n');
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Environment& env = fuzz::Environment::Get();
    env.Reset();
    const std::vector<QByteArray> parts = fuzz::Split(data, size, 2);
    env.Write(QStringLiteral("app/Defaults/settings.ini"), parts[0]);
    env.Write(QStringLiteral("app/Config/settings.cfg"), parts[1]);

    // The keys any line of either file could name (the store lower-cases them).
    std::set<QString> keys;
    for (const QByteArray& part : parts) {
        for (const QString& line : fuzz::Lines(platform::decodeWindows1252(part))) {
            const QString trimmed = line.trimmed();
            const qsizetype eq = trimmed.indexOf(QLatin1Char('='));
            if (eq >= 1 && keys.size() < 64)
                keys.insert(trimmed.left(eq).toLower());
        }
    }

    ProfileStore store;
    (void)store.AddFile(kDefaults);
    (void)store.AddFile(kUser);
    const std::set<QString> sections = store.Load();
    ReadAll(store, sections, keys);
    store.BuildDiff();
    const auto difference = store.Difference();
    fuzz::Check(store.Save(), "cannot save the settings");

    ProfileStore again;
    (void)again.AddFile(kDefaults);
    (void)again.AddFile(kUser);
    (void)again.Load();
    ReadAll(again, sections, keys);
    again.BuildDiff();
    fuzz::Check(again.Difference() == difference, "the saved settings have other differences",
                QStringLiteral("before:\n") + Describe(difference) + QStringLiteral("after:\n")
                    + Describe(again.Difference()));
    for (const QString& section : sections) {
        store.SelectSection(section);
        again.SelectSection(section);
        for (const QString& key : keys) {
            QString before, after;
            const bool had = store.Lookup(key, before);
            const bool has = again.Lookup(key, after);
            fuzz::Check(had == has && (!had || ConfigValue::EqualsApprox(before, after, TypeOf(key))),
                        "a value reads back differently after saving",
                        QStringLiteral("[%1] %2: '%3' -> '%4'").arg(section, key, before, after));
        }
    }
    return 0;
}
