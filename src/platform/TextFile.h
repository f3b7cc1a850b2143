#pragma once
// Text files as the model reads and writes them. Settings files are narrow
// text in the system code page (Windows-1252, so files copied from a Windows
// installation read the same); language files are UTF-8. Line ends (LF, CRLF
// or CR) are removed on reading. Writing replaces the file atomically: a
// crash or a full disk leaves the old file whole.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace platform {

enum class TextCodec {
    Windows1252,   // the system code page of a Windows installation
    Utf8,
};

QString decodeWindows1252(const QByteArray& bytes);
// Characters that Windows-1252 cannot hold become '?'.
QByteArray encodeWindows1252(const QString& text);

// Splits text into lines, removing LF, CRLF and CR line ends. A final line
// end does not start another line.
QStringList splitLines(const QString& text);

// Reads every line of a text file; a UTF-8 byte-order mark at the start is
// skipped whatever the codec, and a file that starts with a UTF-16 mark is
// read as UTF-16. False when the file cannot be opened.
[[nodiscard]] bool readTextLines(const QString& path, QStringList& lines, TextCodec codec = TextCodec::Windows1252);

// Writes text ('\n' line ends) to the file through a temporary file that
// replaces it only when everything was written. False, with a reason in
// *error when given, when the file could not be written; the old file is
// then unchanged.
[[nodiscard]] bool writeTextFile(const QString& path, const QString& text, TextCodec codec = TextCodec::Windows1252,
                   QString* error = nullptr);

// The same for bytes.
[[nodiscard]] bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr);

} // namespace platform
