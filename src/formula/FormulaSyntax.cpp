// The token and character classes of the formula language.
#include "formula/FormulaVariable.h"
#include "formula/FunctionTable.h"

#include <algorithm>

namespace {

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool IsAsciiLetter(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

} // namespace

bool FormulaVariable::IsOperatorToken(QStringView text)
{
    return text == u"/" || text == u"-" || text == u"*" || text == u"+" || text == u"^";
}

bool FormulaVariable::IsParenthesisToken(QStringView text)
{
    return text == u"(" || text == u")";
}

bool FormulaVariable::IsComparisonOperator(QStringView text)
{
    return text == u"<" || text == u">" || text == u"=" || text == u"<=" || text == u">="
        || text == u"!=";
}

int FormulaVariable::KeywordCode(QStringView text)
{
    if (text == u"then")
        return 1;
    if (text == u"else")
        return 2;
    return 0;
}

int FormulaVariable::FindKeyword(QStringView text)
{
    for (const char16_t* keyword : {u"then", u"else", u"if"}) {
        const qsizetype at = text.indexOf(QStringView(keyword));
        if (at >= 0)
            return static_cast<int>(at);
    }
    return -1;
}

QString FormulaVariable::RemoveCommentsAndBlanks(const QString& text)
{
    QString out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (text[i] == u'/' && i + 1 < n && text[i + 1] == u'/') {
            // The comment becomes one blank, which the removal below deletes.
            while (i + 1 < n && text[i + 1] != u'\n')
                ++i;
            continue;
        }
        if (!text[i].isSpace())
            out.append(text[i]);
    }
    return out;
}

bool FormulaVariable::IsPlainNumber(const QString& text)
{
    return IsNumberText(RemoveCommentsAndBlanks(text));
}

bool FormulaVariable::IsNumberText(QStringView text)
{
    qsizetype i = text.startsWith(u'-') ? 1 : 0;
    for (; i < text.size(); ++i) {
        if (!IsNumberChar(text[i]))
            return false;
    }
    return true;
}

bool FormulaVariable::IsVariableName(QStringView text)
{
    return !IsOperatorToken(text) && !IsParenthesisToken(text) && KeywordCode(text) == 0
        && !IsPlainNumber(text.toString());
}

int FormulaVariable::FunctionId(QStringView text) const
{
    return functions_ ? functions_->IdOf(text) : 0;
}

int FormulaVariable::LeadingKeywordLength(QStringView text) const
{
    const int longest = std::max(4, functions_ ? functions_->LongestName() : 0);
    QString read;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isSpace())
            continue;
        read.append(text[i]);
        if (KeywordCode(read) != 0 || FunctionId(read) != 0)
            return static_cast<int>(i + 1);
        if (read.size() >= longest)
            break;
    }
    return 0;
}

bool FormulaVariable::IsParenthesis(QChar c)
{
    return c == u'(' || c == u')';
}

bool FormulaVariable::IsOperatorChar(QChar c)
{
    return c == u'*' || c == u'+' || c == u'-' || c == u'/' || c == u'^';
}

bool FormulaVariable::IsNumberChar(QChar c)
{
    return IsDigit(c) || c == u'.';
}

bool FormulaVariable::IsComparisonChar(QChar c)
{
    return c == u'<' || c == u'=' || c == u'>';
}

bool FormulaVariable::IsNameStartChar(QChar c)
{
    return c.isSpace() || IsAsciiLetter(c) || c == u'_';
}
