#pragma once
// An ordered list of (name, value) text pairs that rewrites formula texts:
// every whole word equal to a listed name is replaced by that name's value.
// As a rename table it makes formulas follow renamed variables; holding
// (name, name) pairs its found flag tells whether a text mentions a name.
// It works on the raw text, without parsing.
//
// A word is a maximal run of characters that are not delimiters; the
// delimiters are ^ + - * / ( ) . , < > = and the blank (so "_", "!" and digits
// belong to words, and a tab or line break is no delimiter).
#include <QHash>
#include <QString>
#include <QStringView>

#include <vector>

class VariableList {
public:
    VariableList() = default;

    // Appends a pair; of two pairs with the same name the first one is used.
    void Add(const QString& name, const QString& value);
    void Clear();

    int Count() const { return static_cast<int>(entries_.size()); }
    const QString& Name(int i) const { return entries_[i].name; }
    const QString& Value(int i) const { return entries_[i].value; }

    // True for a text of exactly one character that is a delimiter.
    static bool IsDelimiter(QStringView text);
    static bool IsDelimiterChar(QChar c);

    // The text with each word that is a listed name replaced by its value;
    // Found() then tells whether anything was replaced.
    QString Substitute(QStringView text);
    bool Found() const { return found_; }

    // Calls f(word) for each word of the text, in order.
    template <class F>
    static void ForEachWord(QStringView text, F&& f)
    {
        qsizetype start = 0;
        for (qsizetype i = 0; i <= text.size(); ++i) {
            if (i == text.size() || IsDelimiterChar(text[i])) {
                if (i > start)
                    f(text.mid(start, i - start));
                start = i + 1;
            }
        }
    }

private:
    struct VariableListEntry {
        QString name;
        QString value;
    };

    std::vector<VariableListEntry> entries_;
    QHash<QString, int> firstOfName_;
    bool found_ = false;
};
