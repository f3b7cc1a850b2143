#include "options/BridgeRules.h"

#include "platform/CFormat.h"
#include "settings/ProfileStore.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>

namespace {

constexpr int kMaxBridges = 99;
constexpr std::array<const char*, 5> kKindTexts = {"all", "line", "arc", "ellipse", "spline"};
// The two series of rule sections: index 0 the defaults' "dn", 1 the plain "n".
constexpr std::array<const char*, 2> kSeries = {"d%d", "%d"};

QString SectionName(int series, int n)
{
    return platform::cformat(kSeries[static_cast<std::size_t>(series)], n);
}

// A length from the file: below zero (or not a number) it is none.
double NotNegative(double value)
{
    return value > 0.0 ? value : 0.0;
}

// The rule of the selected section, or false when a key is missing.
bool ReadRule(ProfileStore& store, BridgeRule& rule)
{
    QString type;
    if (!store.GetDouble(QStringLiteral("min_len"), rule.minLength)
        || !store.GetDouble(QStringLiteral("max_len"), rule.maxLength)
        || !store.GetDouble(QStringLiteral("bridge_len"), rule.bridgeLength)
        || !store.GetInt(QStringLiteral("bridge_num"), rule.count) || !store.GetString(QStringLiteral("type"), type))
        return false;
    rule.kind = BridgeKindFromText(type);
    rule.count = std::max(rule.count, 0);
    rule.bridgeLength = NotNegative(rule.bridgeLength);
    return true;
}

// The selected section holds a rule: no "deleted" mark of the user's, and a
// zero one where the defaults mark the section deleted.
void KeepUndeleted(ProfileStore& store)
{
    store.RemoveKey(QStringLiteral("deleted"));
    QString inDefaults;
    if (store.Lookup(QStringLiteral("deleted"), inDefaults, 1))
        store.SetInt(QStringLiteral("deleted"), 0);
}

void WriteRule(ProfileStore& store, const BridgeRule& rule)
{
    store.SetDouble(QStringLiteral("min_len"), rule.minLength);
    store.SetDouble(QStringLiteral("max_len"), rule.maxLength);
    store.SetDouble(QStringLiteral("bridge_len"), rule.bridgeLength);
    store.SetInt(QStringLiteral("bridge_num"), rule.count);
    store.SetString(QStringLiteral("type"), BridgeKindText(rule.kind));
}

// The whole number of bridges for length / perLength, truncated towards zero
// and kept within what an int holds.
int BridgesPerLength(double length, double perLength)
{
    if (!(perLength > 0.0))
        return 0;
    const double n = std::trunc(length / perLength);
    if (std::isnan(n))
        return 0;
    return static_cast<int>(std::clamp(n, double(std::numeric_limits<int>::min()), double(kMaxBridges)));
}

} // namespace

bool BridgeRuleLess::operator()(const BridgeRule& a, const BridgeRule& b) const
{
    if (a.kind > 0 && (a.kind < b.kind || b.kind == 0))
        return true;
    if (a.kind != b.kind)
        return false;
    return a.minLength < b.minLength || (a.minLength == b.minLength && a.maxLength < b.maxLength);
}

int BridgeKindFromText(const QString& text)
{
    const QString lower = text.toLower();
    for (std::size_t kind = 0; kind < kKindTexts.size(); ++kind) {
        if (lower == QLatin1String(kKindTexts[kind]))
            return static_cast<int>(kind);
    }
    return 0;
}

QString BridgeKindText(int kind)
{
    return QLatin1String(kind >= 0 && kind < int(kKindTexts.size()) ? kKindTexts[std::size_t(kind)] : kKindTexts[0]);
}

int BridgeKindOfElementType(int elementType)
{
    switch (elementType) {
    case 1: return 2; // arc
    case 2: return 1; // line
    case 3: return 3; // ellipse
    case 7: return 4; // spline
    default: return 0;
    }
}

void BridgeRuleTable::Load(ProfileStore& store)
{
    rules.clear();
    defaultSections = {0, 0};
    std::array<bool, 2> going = {true, true};
    for (int n = 1; going[0] || going[1]; ++n) {
        for (int s = 0; s < 2; ++s) {
            if (!going[std::size_t(s)])
                continue;
            const QString name = SectionName(s, n);
            if (store.SelectSection(name, 1))
                defaultSections[std::size_t(s)] = n;
            if (!store.SelectSection(name)) {
                going[std::size_t(s)] = false;
                continue;
            }
            int deleted = 0;
            if (store.GetInt(QStringLiteral("deleted"), deleted) && deleted != 0)
                continue;
            BridgeRule rule;
            if (!ReadRule(store, rule))
                continue;
            rule.id = s == 0 ? -n : n;
            rules.insert(rule);
        }
    }
    perLength = defaultLength = 0.0;
    if (store.SelectSection(QStringLiteral("defaults"))) {
        store.GetDouble(QStringLiteral("per_len"), perLength);
        store.GetDouble(QStringLiteral("len"), defaultLength);
        defaultLength = NotNegative(defaultLength);
    }
}

bool BridgeRuleTable::Save(ProfileStore& store) const
{
    store.ClearTop();
    for (int s = 0; s < 2; ++s) {
        for (int n = 1; n <= defaultSections[std::size_t(s)]; ++n) {
            store.SelectSection(SectionName(s, n));
            store.SetInt(QStringLiteral("deleted"), 1);
        }
    }
    // A rule goes back to its own default section; new rules (and any whose
    // section is taken already) follow the defaults' last plain number. The
    // defaults may hold sections beyond a gap there that were never read:
    // new rules fill the gap, so the sections after the last one written are
    // marked deleted as far as the defaults go on, or the next start would
    // read them.
    std::set<int> written;
    int next = defaultSections[1] + 1;
    for (const BridgeRule& rule : rules) {
        const bool ownDefault = (rule.id > 0 && rule.id <= defaultSections[1])
                                || (rule.id < 0 && -rule.id <= defaultSections[0]);
        const int id = ownDefault && written.insert(rule.id).second ? rule.id : next++;
        store.SelectSection(id > 0 ? SectionName(1, id) : SectionName(0, -id));
        KeepUndeleted(store);
        WriteRule(store, rule);
    }
    for (int n = next; store.SelectSection(SectionName(1, n), 1); ++n)
        store.SetInt(QStringLiteral("deleted"), 1);
    store.SelectSection(QStringLiteral("defaults"));
    store.SetDouble(QStringLiteral("per_len"), perLength);
    store.SetDouble(QStringLiteral("len"), defaultLength);
    return store.Save();
}

BridgeCount BridgeRuleTable::Count(double length, int elementType) const
{
    BridgeCount result{BridgesPerLength(length, perLength), defaultLength};
    const int kind = BridgeKindOfElementType(elementType);
    for (const BridgeRule& rule : rules) {
        if (rule.kind != kind && rule.kind != 0)
            continue;
        if (rule.minLength <= length && length < rule.maxLength) {
            result = {rule.count, rule.bridgeLength};
            break;
        }
    }
    result.count = std::min(result.count, kMaxBridges);
    return result;
}
