#include "dlg/BridgeRuleEditor.h"

#include "platform/CFormat.h"

namespace dlg {

void BridgeRuleEditor::SetRuleTable(BridgeRuleSet* rules)
{
    rules_ = rules;
    working_.clear();
    if (!rules_)
        return;
    for (const BridgeRule& rule : *rules_)
        working_.emplace(rule.id, rule);
}

void BridgeRuleEditor::SetDefaultValues(double* perLengthValue, double* lengthValue)
{
    perLengthTarget_ = perLengthValue;
    lengthTarget_ = lengthValue;
    if (perLengthTarget_ && lengthTarget_) {
        perLength = *perLengthTarget_;
        length = *lengthTarget_;
    }
}

QString BridgeRuleEditor::Cell(const BridgeRule& rule, int column)
{
    switch (column) {
    case 0:
        return rule.kind >= 0 && rule.kind < int(kBridgeKindLabels.size())
                   ? kBridgeKindLabels[std::size_t(rule.kind)].toString()
                   : QString();
    case 1: return platform::cformat("%.2f", rule.minLength);
    case 2: return platform::cformat("%.2f", rule.maxLength);
    case 3: return platform::cformat("%d", rule.count);
    case 4: return platform::cformat("%.2f", rule.bridgeLength);
    default: return QString();
    }
}

std::optional<BridgeRuleEditor::Fields> BridgeRuleEditor::FieldsOf(int id) const
{
    const auto it = working_.find(id);
    if (it == working_.end())
        return std::nullopt;
    const BridgeRule& r = it->second;
    return Fields{r.minLength, r.maxLength, r.count, r.bridgeLength, r.kind};
}

bool BridgeRuleEditor::Add(const Fields& fields)
{
    if (!(fields.maxLength > fields.minLength))
        return false;
    BridgeRule rule{0, fields.kind, fields.count, fields.bridgeLength, fields.minLength, fields.maxLength};
    if (rule.count == 0)
        rule.bridgeLength = 0.0;
    else if (rule.count < 1 || !(rule.bridgeLength > 0.0))
        return false;
    int id = 1;
    for (auto it = working_.lower_bound(1); it != working_.end() && it->first == id; ++it)
        ++id;
    rule.id = id;
    working_.emplace(id, rule);
    return true;
}

void BridgeRuleEditor::Delete(int id)
{
    working_.erase(id);
}

double BridgeRuleEditor::DefaultValue(double value)
{
    return value > 0.0 ? value : 0.0;
}

bool BridgeRuleEditor::Apply()
{
    BridgeRuleSet rules;
    for (const auto& [id, rule] : working_)
        if (!rules.insert(rule).second)
            return false;
    if (rules_)
        rules_->swap(rules);
    if (perLengthTarget_ && lengthTarget_) {
        *perLengthTarget_ = DefaultValue(perLength);
        *lengthTarget_ = DefaultValue(length);
    }
    return true;
}

} // namespace dlg
