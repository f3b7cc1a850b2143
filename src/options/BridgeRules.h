#pragma once
// The automatic-bridge rules: how many bridges (gaps) an element in rule mode
// gets and how long they are, by element kind and element length. The rules
// come from the bridge file pair ("\Defaults\bridges.ini" under
// "\Config\bridges.cfg"):
//   [d1] [d2] ... and [1] [2] ...  one rule each, numbered from 1 without gaps
//     min_len, max_len   the element lengths L with min_len <= L < max_len
//     bridge_len         the length of each bridge (mm)
//     bridge_num         the number of bridges
//     type               "all", "line", "arc", "ellipse" or "spline"
//     deleted            non-zero: a default rule the user removed
//   [defaults]  per_len (element length per bridge when no rule applies, 0:
//               none) and len (the bridge length then)
#include <QString>
#include <QStringView>

#include <array>
#include <set>

// The labels of the bridge-rule element kinds 0 to 4, as lists show them.
inline constexpr std::array<QStringView, 5> kBridgeKindLabels{u"All", u"Line", u"Arc", u"Ellipse", u"Spline"};

class ProfileStore;

// kind: 0 all, 1 line, 2 arc, 3 ellipse, 4 spline.
struct BridgeRule {
    int id = 0;   // n for section "n", -n for section "dn"; new rules are positive
    int kind = 0;
    int count = 0;
    double bridgeLength = 0.0;
    double minLength = 0.0;
    double maxLength = 0.0;
};

// Kind 1 to 4 in that order, kind 0 ("all") last; within a kind by minimum,
// then maximum length. The id plays no part.
struct BridgeRuleLess {
    bool operator()(const BridgeRule& a, const BridgeRule& b) const;
};

using BridgeRuleSet = std::set<BridgeRule, BridgeRuleLess>;

// "all" ... "spline" (any letter case) to 0 ... 4; anything else is 0.
int BridgeKindFromText(const QString& text);
// 0 ... 4 to "all" ... "spline"; any other kind is "all".
QString BridgeKindText(int kind);
// The rule kind of an element type id: arc (1) 2, line (2) 1, ellipse (3) 3,
// spline (7) 4, anything else 0.
int BridgeKindOfElementType(int elementType);

struct BridgeCount {
    int count = 0;
    double bridgeLength = 0.0;
};

class BridgeRuleTable {
public:
    // Reads the rules from a loaded store (the previous ones are dropped).
    // A section missing any of its five keys, or marked deleted, gives no
    // rule; of two equal rules the first read stays. Bridge counts and
    // lengths below zero read as zero.
    void Load(ProfileStore& store);
    // Rewrites the store's user level: every default rule starts out deleted,
    // the rules still there go back to their own sections, new ones follow
    // the defaults' last plain number; then the store is saved, so that the
    // next Load reads exactly these rules. False when the user file could not
    // be written.
    [[nodiscard]] bool Save(ProfileStore& store) const;

    // The first rule of the element's kind, else of kind "all", whose range
    // holds the length; without one, length / perLength bridges of
    // defaultLength. Never more than 99 bridges.
    BridgeCount Count(double length, int elementType) const;

    BridgeRuleSet rules;
    double perLength = 0.0;     // "per_len"
    double defaultLength = 0.0; // "len"
    // The highest n of the defaults' sections "dn" (index 0) and "n" (index 1).
    std::array<int, 2> defaultSections{0, 0};
};
