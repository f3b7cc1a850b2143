#pragma once
// A DXF file's bytes as the reader walks them: lines as views into the
// bytes (LF, CRLF or CR ends), group codes and blanks tested in place, and
// only the strings the reader keeps decoded, in the file's encoding. The
// encoding is found as platform::decodeText finds it: a UTF-16 mark decides
// (such a file is converted to UTF-8 once), otherwise valid UTF-8 is UTF-8
// and any other bytes are Windows-1252; a UTF-8 mark is dropped.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace dxf {

class Bytes {
public:
    explicit Bytes(QByteArrayView bytes);

    // The text after any byte-order mark, narrow.
    QByteArrayView Body() const { return body_; }
    // A part of Body() as text.
    QString Decode(QByteArrayView part) const;

private:
    enum class Narrow { Ascii, Utf8, Windows1252 };
    QByteArray converted_; // a UTF-16 file's text as UTF-8
    QByteArrayView body_;
    Narrow narrow_ = Narrow::Ascii;
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
        // Most bytes lie above both line ends: one test for them.
        while (end < n && (static_cast<unsigned char>(data[end]) > '\r' || (data[end] != '\n' && data[end] != '\r')))
            ++end;
        at_ = end;
        if (end < n)
            at_ += (data[end] == '\r' && end + 1 < n && data[end + 1] == '\n') ? 2 : 1;
        return QByteArrayView(data + from, end - from);
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
