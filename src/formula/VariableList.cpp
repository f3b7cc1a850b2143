#include "formula/VariableList.h"

void VariableList::Add(const QString& name, const QString& value)
{
    if (!firstOfName_.contains(name))
        firstOfName_.insert(name, static_cast<int>(entries_.size()));
    entries_.push_back({name, value});
}

void VariableList::Clear()
{
    entries_.clear();
    firstOfName_.clear();
}

bool VariableList::IsDelimiterChar(QChar c)
{
    switch (c.unicode()) {
    case u'^': case u'+': case u'-': case u'*': case u'/': case u'(': case u')':
    case u'.': case u',': case u'<': case u'>': case u'=': case u' ':
        return true;
    default:
        return false;
    }
}

bool VariableList::IsDelimiter(QStringView text)
{
    return text.size() == 1 && IsDelimiterChar(text[0]);
}

QString VariableList::Substitute(QStringView text)
{
    found_ = false;
    QString result;
    result.reserve(text.size());
    qsizetype copied = 0; // text before this position is in the result
    ForEachWord(text, [&](QStringView word) {
        const auto it = firstOfName_.constFind(word.toString());
        if (it == firstOfName_.constEnd())
            return;
        const qsizetype at = word.data() - text.data();
        result.append(text.mid(copied, at - copied));
        result.append(entries_[it.value()].value);
        copied = at + word.size();
        found_ = true;
    });
    result.append(text.mid(copied));
    return result;
}
