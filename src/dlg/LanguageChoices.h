#pragma once
// What the language dialog offers, without its widgets: the nine languages
// in list order, each with its label (a language text by key, or a fixed
// word), the order text it stores and its flag; and the choice OK stores.
#include <QString>

#include <optional>

namespace dlg {

inline constexpr int kLanguageCount = 9;

// The label of the language at index (0 to 8): "GER", "ENG", "SPA", "ITA",
// "HUN", "POR" and "RUS" through TranslateKey (the key itself when the
// language files have no text), "French" and "Serbian" as they are.
QString LanguageLabel(int index);
// The order list stored for it: the language first, then "ENG" ("ENG"
// alone for English); empty outside 0 to 8.
QString LanguageOrder(int index);
// The language's code ("GER" ... "SRB").
QString LanguageCode(int index);

class LanguageChoice {
public:
    // A list item became selected: the order text follows it (an index
    // outside the list leaves it as it was).
    void Select(int index);
    const QString& OrderText() const { return order_; }
    // OK stores a language only once one was chosen: an empty order would
    // leave every text showing as its number.
    bool CanAccept() const { return !order_.isEmpty(); }

private:
    QString order_;
};

} // namespace dlg
