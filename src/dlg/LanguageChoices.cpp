#include "dlg/LanguageChoices.h"

#include "options/LanguageTable.h"

#include <array>

namespace dlg {
namespace {

struct LanguageRow {
    const char16_t* code;
    const char16_t* fixedLabel; // null: the language text of the code's key
    const char16_t* order;
};

constexpr std::array<LanguageRow, kLanguageCount> kLanguages = {{
    {u"GER", nullptr, u"GER,ENG"},
    {u"ENG", nullptr, u"ENG"},
    {u"SPA", nullptr, u"SPA,ENG"},
    {u"FRA", u"French", u"FRA,ENG"},
    {u"ITA", nullptr, u"ITA,ENG"},
    {u"HUN", nullptr, u"HUN,ENG"},
    {u"POR", nullptr, u"POR,ENG"},
    {u"RUS", nullptr, u"RUS,ENG"},
    {u"SRB", u"Serbian", u"SRB,ENG"},
}};

bool InList(int index)
{
    return index >= 0 && index < kLanguageCount;
}

} // namespace

QString LanguageLabel(int index)
{
    if (!InList(index))
        return QString();
    const LanguageRow& row = kLanguages[std::size_t(index)];
    return row.fixedLabel ? QString::fromUtf16(row.fixedLabel) : TranslateKey(QString::fromUtf16(row.code));
}

QString LanguageOrder(int index)
{
    return InList(index) ? QString::fromUtf16(kLanguages[std::size_t(index)].order) : QString();
}

QString LanguageCode(int index)
{
    return InList(index) ? QString::fromUtf16(kLanguages[std::size_t(index)].code) : QString();
}

void LanguageChoice::Select(int index)
{
    if (InList(index))
        order_ = LanguageOrder(index);
}

} // namespace dlg
