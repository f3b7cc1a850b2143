#include "element/OldTextRecord.h"

#include "platform/CFormat.h"

namespace {
bool IsSeparator(QChar c)
{
    const char16_t u = c.unicode();
    return u == u']' || u == u'\r' || u == u'\n' || u == u'\f' || u == u'\t' || u == 0;
}
} // namespace

std::vector<double> OldTextRecord::Fields(QStringView text)
{
    std::vector<double> fields;
    qsizetype begin = 0;
    for (qsizetype i = 0; i < text.size() && fields.size() < static_cast<std::size_t>(MaxFields); ++i) {
        if (!IsSeparator(text[i]))
            continue;
        fields.push_back(platform::wtof(text.mid(begin, i - begin)));
        begin = i + 1;
    }
    return fields;
}
