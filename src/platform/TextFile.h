#pragma once
// Text files as the model reads and writes them. Settings files are narrow
// text in the system code page (Windows-1252, so files copied from a Windows
// installation read the same); language files are UTF-8. A file an editor
// saved otherwise says so (a byte-order mark, or bytes that are valid UTF-8
// and not plain ASCII); the reader reports the encoding it found so that a
// save can write the file back the same way. Line ends (LF, CRLF or CR) are
// removed on reading. Writing replaces the file atomically: a crash or a full
// disk leaves the old file whole.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

#include "platform/ScopedOverride.h"

#include <iterator>
#include <optional>

class QSaveFile;
#include <utility>

namespace platform {

enum class TextEncoding {
    Windows1252,   // the system code page of a Windows installation
    Utf8,          // without a byte-order mark
    Utf8Bom,       // with the mark EF BB BF
    Utf16LE,       // with the mark FF FE
    Utf16BE,       // with the mark FE FF
};
// The older name, for callers that only choose how an unmarked file reads.
using TextCodec = TextEncoding;

QString decodeWindows1252(QByteArrayView bytes);
// Characters that Windows-1252 cannot hold become '?'.
QByteArray encodeWindows1252(const QString& text);
bool fitsWindows1252(QStringView text);

// The text of a file's bytes. A UTF-16 mark decides alone. Otherwise bytes
// that are valid UTF-8 are UTF-8 (with or without its mark); any other bytes
// are Windows-1252 (a stray UTF-8 mark is dropped). Plain ASCII without a
// mark reads the same either way and is reported as `assumed`.
QString decodeText(QByteArrayView bytes, TextEncoding assumed, TextEncoding* found = nullptr);
// The bytes of text in an encoding, with the encoding's byte-order mark.
// Only Windows-1252 loses characters (they become '?').
QByteArray encodeText(const QString& text, TextEncoding encoding);
// The encoding to write text in when the file was `preferred`: that one,
// unless it is Windows-1252 and cannot hold the text, or its bytes would read
// back as other text (they are valid UTF-8); then UTF-8 with its mark, which
// the readers recognise.
TextEncoding encodingThatHolds(QStringView text, TextEncoding preferred);

// Splits text into lines, removing LF, CRLF and CR line ends. A final line
// end does not start another line.
QStringList splitLines(const QString& text);

// A whole text file decoded once, walked line by line as views into the
// decoded text: no string per line. A view stays valid while the TextLines
// object lives and is not reassigned.
class TextLines {
public:
    TextLines() = default;
    TextLines(QString text, TextEncoding encoding) : text_(std::move(text)), encoding_(encoding) {}

    // Reads the file (see decodeText). False when it cannot be opened; the
    // object is then empty.
    [[nodiscard]] bool read(const QString& path, TextEncoding assumed = TextEncoding::Windows1252);

    const QString& text() const { return text_; }
    TextEncoding encoding() const { return encoding_; }

    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = QStringView;
        using difference_type = std::ptrdiff_t;
        using pointer = const QStringView*;
        using reference = QStringView;

        const_iterator() = default;
        QStringView operator*() const { return line_; }
        const_iterator& operator++();
        const_iterator operator++(int)
        {
            const_iterator before = *this;
            ++*this;
            return before;
        }
        bool operator==(const const_iterator& other) const { return start_ == other.start_; }

    private:
        friend class TextLines;
        const_iterator(QStringView text, qsizetype at);
        void take(qsizetype at);
        QStringView text_;
        QStringView line_;
        qsizetype start_ = -1; // where line_ starts; -1 at the end
        qsizetype next_ = 0;   // where the line after it starts
    };

    const_iterator begin() const { return const_iterator(text_, 0); }
    const_iterator end() const { return const_iterator(); }

private:
    QString text_;
    TextEncoding encoding_ = TextEncoding::Windows1252;
};

// Reads every line of a text file (see decodeText; `assumed` says how a
// plain ASCII file counts) and, when asked, the encoding it was in. False
// when the file cannot be opened.
[[nodiscard]] bool readTextLines(const QString& path, QStringList& lines,
                                 TextEncoding assumed = TextEncoding::Windows1252, TextEncoding* found = nullptr);

// Writes text ('\n' line ends) in the encoding to the file through a
// temporary file that replaces it only when everything was written. False,
// with a reason in *error when given, when the file could not be written; the
// old file is then unchanged.
[[nodiscard]] bool writeTextFile(const QString& path, const QString& text,
                                 TextEncoding encoding = TextEncoding::Windows1252, QString* error = nullptr);

// The same for bytes. The bytes are flushed and synced to the disk before
// the temporary file takes the file's name, and the folder is synced after,
// so neither a full disk nor a crash right after the save loses the file.
[[nodiscard]] bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// Opens `file` (its name set) for writing; false, with the reason in words in
// *error when given, when the folder or the file does not take it.
[[nodiscard]] bool openForSaving(QSaveFile& file, QString* error = nullptr);
// Finishes a save written into `file`: flushes what is buffered and checks
// it, syncs the bytes to the disk, commits (the rename) and syncs the folder.
// False, with the reason in words, when any of it failed; the old file is
// then unchanged (the temporary file is removed).
[[nodiscard]] bool commitSaveFile(QSaveFile& file, QString* error = nullptr);

// What an operating-system error code means for a save, in words: "no space
// left on the disk", "the folder is read-only"... never "Unknown error".
QString saveFailureReason(int errorNumber);

// For tests of a full disk where no small file system can be mounted: while
// the guard lives, a save through commitSaveFile whose file grows beyond
// `bytes` fails as a full disk does (ENOSPC) when it is flushed.
ScopedOverride<std::optional<qint64>> SimulateFullDiskAfter(qint64 bytes);

} // namespace platform
