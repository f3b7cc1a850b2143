#pragma once
// A DXF file's bytes as the reader walks them: lines as views into the
// bytes (LF, CRLF or CR ends), group codes and blanks tested in place, and
// only the strings the reader keeps decoded, in the file's encoding. The
// encoding (looked for only once a kept string is not ASCII) is found as
// platform::decodeText finds it: a UTF-16 mark decides
// (such a file is converted to UTF-8 once), otherwise valid UTF-8 is UTF-8
// and any other bytes are Windows-1252; a UTF-8 mark is dropped.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <bit>
#include <cstdint>
#include <cstring>

namespace dxf {

class Bytes {
public:
    explicit Bytes(QByteArrayView bytes);

    // The text after any byte-order mark, narrow.
    QByteArrayView Body() const { return body_; }
    // A part of Body() as text.
    QString Decode(QByteArrayView part) const;

private:
    enum class Narrow { Unknown, Utf8, Windows1252 };
    QByteArray converted_; // a UTF-16 file's text as UTF-8
    QByteArrayView body_;
    mutable Narrow narrow_ = Narrow::Unknown; // found on the first string that is not ASCII
};

// Walks the lines of narrow text without copying them.
class LineWalker {
public:
    explicit LineWalker(QByteArrayView text) : text_(text) {}
    bool AtEnd() const { return at_ >= text_.size(); }
    // The next line without its end; call only when !AtEnd().
    QByteArrayView Next()
    {
        const char* const data = text_.data();
        const qsizetype n = text_.size();
        const qsizetype from = at_;
        qsizetype end = from;
        // Eight bytes at a time while no byte among them lies below '\r' + 1
        // (the markers flag the first such byte exactly; a tab or another
        // control byte before the line's end is stepped over).
        constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
        constexpr std::uint64_t kHighs = 0x8080808080808080ULL;
        static_assert(std::endian::native == std::endian::little);
        while (end + 8 <= n) {
            std::uint64_t word = 0;
            std::memcpy(&word, data + end, 8);
            const std::uint64_t low = (word - kOnes * ('\r' + 1)) & ~word & kHighs;
            if (low != 0) {
                end += std::countr_zero(low) / 8;
                break;
            }
            end += 8;
        }
        while (end < n && (static_cast<unsigned char>(data[end]) > '\r' || (data[end] != '\n' && data[end] != '\r')))
            ++end;
        at_ = end;
        if (end < n)
            at_ += (data[end] == '\r' && end + 1 < n && data[end + 1] == '\n') ? 2 : 1;
        return QByteArrayView(data + from, end - from);
    }
    // The next line when it is a plain group code (spaces, then one to nine
    // digits, then the line's end), into code; false, the walker unmoved,
    // for any other line (or the last one), which Next() and ParseCode read.
    bool NextPlainCode(int& code)
    {
        const char* const data = text_.data();
        const qsizetype n = text_.size();
        qsizetype i = at_;
        while (i < n && data[i] == ' ')
            ++i;
        const qsizetype first = i;
        int value = 0;
        while (i < n && i - first < 9 && static_cast<unsigned char>(data[i] - '0') <= 9)
            value = value * 10 + (data[i++] - '0');
        if (i == first || i + 1 >= n)
            return false;
        if (data[i] == '\n')
            at_ = i + 1;
        else if (data[i] == '\r')
            at_ = data[i + 1] == '\n' ? i + 2 : i + 1;
        else
            return false;
        code = value;
        return true;
    }

private:
    QByteArrayView text_;
    qsizetype at_ = 0;
};

inline bool IsSpace(char c)
{
    return c == ' ' || (c >= 0x09 && c <= 0x0D);
}

// Only blanks (the C run-time's white space), or nothing.
bool IsBlank(QByteArrayView text);
// A group code: an optionally signed decimal integer of at most nine digits
// between blanks.
bool ParseCode(QByteArrayView line, int& code);
// Whether the bytes are valid UTF-8 (no overlong forms, no surrogates,
// nothing beyond U+10FFFF, no sequence cut off at the end).
bool IsValidUtf8(QByteArrayView bytes);

} // namespace dxf
