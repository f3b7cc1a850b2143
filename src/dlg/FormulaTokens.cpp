#include "dlg/FormulaTokens.h"

#include "formula/FormulaTable.h"
#include "formula/FormulaVariable.h"
#include "platform/CFormat.h"

#include <algorithm>
#include <map>
#include <memory>
#include <optional>

namespace dlg::formulatokens {

QString Placeholder()
{
    return QStringLiteral("<INSERT>");
}

namespace {

bool IsComparisonPair(const QString& text, int b)
{
    const QStringView two = QStringView(text).mid(b, 2);
    if (two == u"<=" || two == u">=" || two == u"!=")
        return true;
    // A single comparison character as the last character of the text.
    return b == text.size() - 1 && FormulaVariable::IsComparisonChar(text[b]);
}

template <typename Accept>
int RunLength(const QString& text, int b, Accept accept)
{
    int e = b;
    while (e < text.size() && accept(text[e]))
        ++e;
    return e - b;
}

// One token at b: its kind and length, or kind 0 when nothing is recorded.
Token ScanToken(const QString& text, int b, const FormulaTable* table, const FormulaVariable* probe)
{
    const QChar c = text[b];
    if (QStringView(text).mid(b, kPlaceholderLength) == Placeholder())
        return {kPlaceholder, b, b + kPlaceholderLength};
    if (FormulaVariable::IsParenthesis(c))
        return {kParenthesis, b, b + 1};
    if (QStringView(text).mid(b, 2) == u"**")
        return {kOperator, b, b + 2};
    if (FormulaVariable::IsOperatorChar(c))
        return {kOperator, b, b + 1};
    if (IsComparisonPair(text, b) || FormulaVariable::IsComparisonChar(c))
        return {kComparison, b, b + 1};
    if (FormulaVariable::IsNumberChar(c)) {
        const int n = RunLength(text, b, [](QChar ch) { return FormulaVariable::IsNumberChar(ch) || ch.isSpace(); });
        return {kNumber, b, b + n};
    }
    if (table == nullptr)
        return {0, b, b};
    if (FormulaVariable::IsNameStartChar(c)) {
        const int n = RunLength(text, b, &FormulaVariable::IsNameStartChar);
        const int keyword = probe->LeadingKeywordLength(QStringView(text).mid(b, n));
        if (keyword > 0)
            return {kFunction, b, b + keyword};
    }
    if (FormulaTable::IsNameChar(c)) {
        const int n = RunLength(text, b, &FormulaTable::IsNameChar);
        const int variable = table->LeadingVariableLength(text.mid(b, n));
        if (variable > 0)
            return {kVariable, b, b + variable};
    }
    return {0, b, b};
}

// The placeholder around p (p strictly inside it): its start, else none.
std::optional<int> PlaceholderAround(const QString& text, int p)
{
    if (p <= 0)
        return std::nullopt;
    const int i = static_cast<int>(text.lastIndexOf(u'<', p - 1));
    if (i < 0 || p >= i + kPlaceholderLength || QStringView(text).mid(i, kPlaceholderLength) != Placeholder())
        return std::nullopt;
    return i;
}

int SnapBoundary(const QString& text, int p, bool towardsEnd)
{
    const std::optional<int> i = PlaceholderAround(text, p);
    if (!i)
        return p;
    return towardsEnd ? *i + kPlaceholderLength : *i;
}

} // namespace

std::vector<Token> Scan(const QString& text, const FormulaTable* table)
{
    std::vector<Token> tokens;
    std::unique_ptr<FormulaVariable> probe;
    if (table != nullptr)
        probe = std::make_unique<FormulaVariable>(QString(), &table->Functions());
    int b = 0;
    while (b < text.size()) {
        const Token t = ScanToken(text, b, table, probe.get());
        if (t.kind != 0 && t.end > t.start) {
            tokens.push_back(t);
            b = t.end;
        } else {
            ++b;
        }
    }
    return tokens;
}

int CheckParentheses(const QString& text)
{
    if (text.isEmpty())
        return 0;
    int count = 0;
    for (QChar c : text) {
        if (c == u'(')
            ++count;
        else if (c == u')')
            --count;
        if (count < 0)
            return -1;
    }
    return count > 0 ? 1 : 0;
}

Selection Snap(const QString& text, const Selection& previous, int start, int end)
{
    if (start == end) {
        if (const std::optional<int> i = PlaceholderAround(text, start))
            return {*i, *i + kPlaceholderLength, false};
        return {start, end, false};
    }
    const bool startMoved = start != previous.start;
    Selection s;
    s.start = SnapBoundary(text, start, start > previous.start);
    s.end = SnapBoundary(text, end, end > previous.end);
    s.caretAtStart = startMoved && end == previous.end;
    return s;
}

QString FunctionTemplate(const QString& name)
{
    const QString p = Placeholder();
    if (name == u"sqr")
        return QStringLiteral("( ") + p + QStringLiteral(" )**( 2 )");
    if (name == u"sqrt")
        return QStringLiteral("( ") + p + QStringLiteral(" )**( 1/2 )");
    if (name == u"**")
        return QStringLiteral("( ") + p + QStringLiteral(" )**( ") + p + QStringLiteral(" )");
    if (name.toUpper() == u"IF")
        return name + QStringLiteral("( ") + p + QStringLiteral(" then ") + p + QStringLiteral(" else ") + p
             + QStringLiteral(" )");
    return name + QStringLiteral("( ") + p + QStringLiteral(" )");
}

std::vector<FunctionItem> FunctionEntries(const FormulaTable* table)
{
    std::vector<FunctionItem> entries;
    if (table == nullptr)
        return entries;
    static const char* const kGroups[][4] = {{"sin", "cos", "tg", "ctg"},
                                             {"asin", "acos", "atg", "actg"},
                                             {"abs", "round", "trunc", nullptr},
                                             {"rad", "deg", nullptr, nullptr},
                                             {"if", nullptr, nullptr, nullptr},
                                             {"**", nullptr, nullptr, nullptr}};
    const FunctionTable& functions = table->Functions();
    for (const auto& group : kGroups) {
        if (!entries.empty())
            entries.push_back({true, {}, {}});
        for (const char* wanted : group) {
            if (wanted == nullptr)
                break;
            for (int i = 0; i < functions.Count(); ++i) {
                const QString& name = functions.Entry(i).name;
                if (name.compare(QLatin1String(wanted), Qt::CaseInsensitive) == 0) {
                    entries.push_back({false, name, FunctionTemplate(name)});
                    break;
                }
            }
        }
    }
    for (const char* extra : {"sqr", "sqrt"}) {
        const QString name = QLatin1String(extra);
        entries.push_back({false, name, FunctionTemplate(name)});
    }
    return entries;
}

QString VariableLabel(const QString& name, double value, const QString& formula)
{
    const QString shown = formula.size() > 16 ? formula.left(13) + QStringLiteral(" ...") : formula;
    return name + QStringLiteral("\t(") + platform::cformat("%.2f", value) + QStringLiteral(" = ") + shown
         + QStringLiteral(")");
}

std::vector<VariableGroup> VariableEntries(FormulaTable* table)
{
    std::vector<VariableGroup> groups;
    if (table == nullptr)
        return groups;
    std::vector<VariableItem> all;
    for (int i = 0; i < table->GetCount(); ++i) {
        const QString name = table->GetName(i);
        all.push_back({name, VariableLabel(name, table->GetValue(i), table->GetFormula(i))});
    }
    std::stable_sort(all.begin(), all.end(),
                     [](const VariableItem& a, const VariableItem& b) { return a.name < b.name; });
    if (static_cast<int>(all.size()) <= kMaxFlatVariables) {
        groups.push_back({QString(), std::move(all)});
        return groups;
    }
    for (VariableItem& entry : all) {
        const QString initial = entry.name.left(1);
        if (groups.empty() || groups.back().title != initial)
            groups.push_back({initial, {}});
        groups.back().entries.push_back(std::move(entry));
    }
    return groups;
}

} // namespace dlg::formulatokens
