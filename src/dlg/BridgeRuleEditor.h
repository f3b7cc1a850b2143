#pragma once
// What the bridge rule table dialog decides, without widgets: its own copy
// of the rules keyed by rule id, the checks a new rule passes, the list's
// cells, and OK's exchange of the copy with the options' rules and the
// write-back of the two bridge defaults.
#include "options/BridgeRules.h"

#include <QString>
#include <qnamespace.h>

#include <map>
#include <optional>

namespace dlg {

class BridgeRuleEditor {
public:
    static constexpr const char* kInvalidData = "Invalid data.";

    struct Column {
        const char* title;
        int width; // pixels
        Qt::Alignment alignment;
    };
    static constexpr Column kColumns[] = {
        {"Element", 60, Qt::AlignLeft},
        {"Minimum length", 100, Qt::AlignRight},
        {"Maximum length", 100, Qt::AlignRight},
        {"Number of bridges", 110, Qt::AlignHCenter},
        {"Bridge length", 90, Qt::AlignHCenter},
    };

    // The fields of the dialog, as one rule without id.
    struct Fields {
        double minLength = 0.0;
        double maxLength = 0.0;
        int count = 0;
        double bridgeLength = 0.0;
        int kind = 0; // 0 all ... 4 spline
    };

    // The rules to edit (none: an empty table) and the two defaults.
    void SetRuleTable(BridgeRuleSet* rules);
    void SetDefaultValues(double* perLength, double* length);

    const std::map<int, BridgeRule>& Rules() const { return working_; }
    // The text of a rule's column (0 kind ... 4 bridge length).
    static QString Cell(const BridgeRule& rule, int column);
    // The fields of a listed rule; none for an unknown id.
    std::optional<Fields> FieldsOf(int id) const;

    // Adds the fields as a new rule under the lowest free positive id; false
    // (kInvalidData) when the maximum length is not above the minimum, or
    // bridges are asked for without a length. No bridges mean bridge length 0.
    [[nodiscard]] bool Add(const Fields& fields);
    void Delete(int id);

    // A default field's value: below zero (or not a number) it is 0.
    static double DefaultValue(double value);
    double perLength = 0.0; // the "1/length:" field
    double length = 0.0;    // the defaults' "Length of bridges:" field

    // OK: the copy goes to the options' rules and the defaults back to
    // theirs. False (kInvalidData), with nothing changed, when two rules
    // share kind and lengths: the options' table keeps only one of them.
    [[nodiscard]] bool Apply();

private:
    BridgeRuleSet* rules_ = nullptr;
    double* perLengthTarget_ = nullptr;
    double* lengthTarget_ = nullptr;
    std::map<int, BridgeRule> working_;
};

} // namespace dlg
