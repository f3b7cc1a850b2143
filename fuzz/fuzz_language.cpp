// The language table: two language files in an order of languages (the
// input's first line). Every entry a header names looks up, and the table
// read twice gives the same texts.
#include "common/FuzzSupport.h"

#include "options/LanguageTable.h"
#include "platform/CFormat.h"
#include "settings/ProfileStore.h"

#include <set>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Environment& env = fuzz::Environment::Get();
    env.Reset();
    const std::vector<QByteArray> parts = fuzz::Split(data, size, 3);
    QByteArray order = parts[0].left(parts[0].indexOf('\n'));
    order.replace('\r', ' ');
    env.Write(QStringLiteral("app/Defaults/settings.ini"),
              "[language]\nset0=Defaults\\first.lng\nset1=Defaults\\second.lng\norder=" + order + "\n");
    env.Write(QStringLiteral("app/Defaults/first.lng"), parts[1]);
    env.Write(QStringLiteral("app/Defaults/second.lng"), parts[2]);

    ProfileStore settings;
    (void)settings.AddFile(QStringLiteral("\\Defaults\\settings.ini"));
    LanguageTable table(settings);

    std::set<QString> names;
    for (int i = 1; i <= 2; ++i) {
        for (const QString& line : fuzz::Lines(QString::fromUtf8(parts[static_cast<size_t>(i)]))) {
            const QString trimmed = line.trimmed();
            if (trimmed.startsWith(QLatin1Char('[')) && names.size() < 64)
                names.insert(trimmed.mid(1, trimmed.size() - 2));
        }
    }
    std::vector<QString> first;
    for (const QString& name : names) {
        first.push_back(table.TranslateKey(name));
        first.push_back(table.Translate(platform::wtoi(name)));
    }
    table.Load();
    size_t i = 0;
    for (const QString& name : names) {
        fuzz::Check(table.TranslateKey(name) == first[i++], "a key reads another text the second time", name);
        fuzz::Check(table.Translate(platform::wtoi(name)) == first[i++], "an id reads another text the second time",
                    name);
    }
    (void)Translate(1);
    return 0;
}
