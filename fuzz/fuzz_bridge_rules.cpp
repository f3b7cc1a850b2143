// The bridge rules: a factory file and a user file read, saved and read
// again. The values are saved with four decimals, so the first reload agrees
// within that; after it, saving and reading again changes nothing.
#include "common/FuzzSupport.h"

#include "options/BridgeRules.h"
#include "platform/CFormat.h"
#include "settings/ProfileStore.h"

#include <cmath>

namespace {

const QString kDefaults = QStringLiteral("\\Defaults\\bridges.ini");
const QString kUser = QStringLiteral("\\Config\\bridges.cfg");

void LoadTable(BridgeRuleTable& table)
{
    ProfileStore store;
    (void)store.AddFile(kDefaults);
    (void)store.AddFile(kUser);
    (void)store.Load();
    table.Load(store);
}

void SaveTable(const BridgeRuleTable& table)
{
    ProfileStore store;
    (void)store.AddFile(kDefaults);
    (void)store.AddFile(kUser);
    (void)store.Load();
    fuzz::Check(table.Save(store), "cannot save the bridge rules");
}

QString Describe(const BridgeRuleTable& t)
{
    QString out = platform::cformat("per_len %.17g len %.17g\n", t.perLength, t.defaultLength);
    for (const BridgeRule& r : t.rules)
        out += platform::cformat("id %d kind %d count %d bridge %.17g range %.17g .. %.17g\n", r.id, r.kind, r.count,
                                 r.bridgeLength, r.minLength, r.maxLength);
    return out;
}

bool Near(double a, double b)
{
    return std::fabs(a - b) <= 1.0001e-4 + std::fabs(a) * 1e-12;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Environment& env = fuzz::Environment::Get();
    env.Reset();
    const std::vector<QByteArray> parts = fuzz::Split(data, size, 2);
    env.Write(QStringLiteral("app/Defaults/bridges.ini"), parts[0]);
    env.Write(QStringLiteral("app/Config/bridges.cfg"), parts[1]);

    BridgeRuleTable table;
    LoadTable(table);
    for (const double length : {-1.0, 0.0, 0.5, 10.0, 250.0, 1e9})
        for (const int type : {1, 2, 3, 7, 0})
            (void)table.Count(length, type);
    SaveTable(table);

    BridgeRuleTable reloaded;
    LoadTable(reloaded);
    const QString detail = QStringLiteral("read:\n") + Describe(table) + QStringLiteral("saved and read:\n")
                           + Describe(reloaded);
    fuzz::Check(Near(table.perLength, reloaded.perLength) && Near(table.defaultLength, reloaded.defaultLength),
                "the default bridge values read back differently", detail);
    fuzz::Check(table.rules.size() == reloaded.rules.size(), "the saved rules read back as another number", detail);
    for (auto a = table.rules.begin(), b = reloaded.rules.begin(); a != table.rules.end(); ++a, ++b)
        fuzz::Check(a->kind == b->kind && a->count == b->count && Near(a->bridgeLength, b->bridgeLength)
                        && Near(a->minLength, b->minLength) && Near(a->maxLength, b->maxLength),
                    "a saved rule reads back differently", detail);

    SaveTable(reloaded);
    BridgeRuleTable third;
    LoadTable(third);
    fuzz::Check(Describe(third) == Describe(reloaded), "saving the rules again changed them",
                QStringLiteral("once:\n") + Describe(reloaded) + QStringLiteral("twice:\n") + Describe(third));
    return 0;
}
