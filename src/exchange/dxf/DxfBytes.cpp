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
    // Four words a time over long ASCII runs, then word by word.
    for (; i + 32 <= n; i += 32) {
        std::uint64_t words[4];
        std::memcpy(words, data + i, sizeof words);
        if (((words[0] | words[1] | words[2] | words[3]) & 0x8080808080808080ULL) != 0)
            break;
    }
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
}

QString Bytes::Decode(QByteArrayView part) const
{
    // ASCII reads alike in every encoding: the file's is found only when
    // a kept string needs it.
    if (FirstNonAscii(part, 0) == part.size())
        return QString::fromLatin1(part);
    if (narrow_ == Narrow::Unknown)
        narrow_ = IsValidUtf8(body_) ? Narrow::Utf8 : Narrow::Windows1252;
    if (narrow_ == Narrow::Utf8)
        return QString::fromUtf8(part);
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
