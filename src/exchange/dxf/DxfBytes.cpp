#include "exchange/dxf/DxfBytes.h"

#include "platform/TextFile.h"

#include <QStringDecoder>

#include <cstdint>
#include <cstring>

namespace dxf {

namespace {

const QByteArrayView kUtf8Mark("\xEF\xBB\xBF");
const QByteArrayView kUtf16LEMark("\xFF\xFE");
const QByteArrayView kUtf16BEMark("\xFE\xFF");

// The first byte at or after `from` that is not ASCII, or the size.
qsizetype FirstNonAscii(QByteArrayView bytes, qsizetype from)
{
    const char* const data = bytes.data();
    const qsizetype n = bytes.size();
    qsizetype i = from;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, data + i, 8);
        if ((word & 0x8080808080808080ULL) != 0)
            break;
    }
    while (i < n && static_cast<unsigned char>(data[i]) < 0x80)
        ++i;
    return i;
}

} // namespace

bool IsValidUtf8(QByteArrayView bytes)
{
    const auto* const data = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype n = bytes.size();
    qsizetype i = FirstNonAscii(bytes, 0);
    while (i < n) {
        const unsigned char b = data[i];
        if (b < 0x80) {
            i = FirstNonAscii(bytes, i);
            continue;
        }
        int length = 0;
        unsigned char low = 0x80, high = 0xBF; // the range of the second byte
        if (b >= 0xC2 && b <= 0xDF) {
            length = 2;
        } else if (b >= 0xE0 && b <= 0xEF) {
            length = 3;
            if (b == 0xE0)
                low = 0xA0; // overlong below
            else if (b == 0xED)
                high = 0x9F; // surrogates above
        } else if (b >= 0xF0 && b <= 0xF4) {
            length = 4;
            if (b == 0xF0)
                low = 0x90;
            else if (b == 0xF4)
                high = 0x8F; // beyond U+10FFFF above
        } else {
            return false;
        }
        if (i + length > n)
            return false;
        if (data[i + 1] < low || data[i + 1] > high)
            return false;
        for (int k = 2; k < length; ++k) {
            if ((data[i + k] & 0xC0) != 0x80)
                return false;
        }
        i += length;
    }
    return true;
}

Bytes::Bytes(QByteArrayView bytes)
{
    if (bytes.startsWith(kUtf16LEMark) || bytes.startsWith(kUtf16BEMark)) {
        auto decode = QStringDecoder(bytes.startsWith(kUtf16LEMark) ? QStringConverter::Utf16LE
                                                                      : QStringConverter::Utf16BE,
                                     QStringConverter::Flag::Stateless);
        const QString text = decode(bytes.sliced(2));
        converted_ = text.toUtf8();
        body_ = converted_;
        narrow_ = Narrow::Utf8;
        return;
    }
    body_ = bytes.startsWith(kUtf8Mark) ? bytes.sliced(kUtf8Mark.size()) : bytes;
    if (FirstNonAscii(body_, 0) == body_.size())
        narrow_ = Narrow::Ascii;
    else
        narrow_ = IsValidUtf8(body_) ? Narrow::Utf8 : Narrow::Windows1252;
}

QString Bytes::Decode(QByteArrayView part) const
{
    switch (narrow_) {
    case Narrow::Ascii: return QString::fromLatin1(part);
    case Narrow::Utf8: return QString::fromUtf8(part);
    case Narrow::Windows1252: break;
    }
    return platform::decodeWindows1252(part);
}

bool IsBlank(QByteArrayView text)
{
    for (const char c : text) {
        if (!IsSpace(c))
            return false;
    }
    return true;
}

bool ParseCode(QByteArrayView line, int& code)
{
    qsizetype from = 0, to = line.size();
    while (from < to && IsSpace(line[from]))
        ++from;
    while (to > from && IsSpace(line[to - 1]))
        --to;
    const bool negative = from < to && line[from] == '-';
    if (negative || (from < to && line[from] == '+'))
        ++from;
    if (from == to || to - from > 9)
        return false;
    int value = 0;
    for (; from < to; ++from) {
        const char c = line[from];
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    code = negative ? -value : value;
    return true;
}

} // namespace dxf
