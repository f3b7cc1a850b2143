#include "element/OldTextRecord.h"

#include "platform/CFormat.h"

namespace {
bool IsSeparator(QChar c)
{
    const char16_t u = c.unicode();
    return u == u']' || u == u'\r' || u == u'\n' || u == u'\f' || u == u'\t' || u == 0;
}
} // namespace

std::vector<QStringView> OldTextRecord::Pieces(QStringView text)
{
    std::vector<QStringView> pieces;
    qsizetype begin = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!IsSeparator(text[i]))
            continue;
        pieces.push_back(text.mid(begin, i - begin));
        begin = i + 1;
    }
    return pieces;
}

std::vector<double> OldTextRecord::Fields(QStringView text)
{
    std::vector<double> fields;
    for (QStringView piece : Pieces(text)) {
        if (fields.size() == static_cast<std::size_t>(MaxFields))
            break;
        fields.push_back(platform::wtof(piece));
    }
    return fields;
}
