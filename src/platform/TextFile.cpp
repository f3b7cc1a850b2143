#include "platform/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <array>

namespace platform {
namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F. Unassigned bytes
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the same value, as
// Windows' own conversion does.
constexpr std::array<char16_t, 32> kHighTable = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

QString decodeWindows1252(const QByteArray& bytes)
{
    QString text;
    text.resize(bytes.size());
    QChar* out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        out[i] = (b >= 0x80 && b <= 0x9F) ? QChar(kHighTable[b - 0x80]) : QChar(b);
    }
    return text;
}

QByteArray encodeWindows1252(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            bytes.append(static_cast<char>(u));
            continue;
        }
        char mapped = '?';
        for (std::size_t i = 0; i < kHighTable.size(); ++i) {
            if (kHighTable[i] == u) {
                mapped = static_cast<char>(0x80 + i);
                break;
            }
        }
        bytes.append(mapped);
    }
    return bytes;
}

QStringList splitLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
            lines.append(text.mid(start, i - start));
            if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n'))
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

bool readTextLines(const QString& path, QStringList& lines, TextCodec codec)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray bytes = file.readAll();
    // A UTF-8 byte-order mark is no text of either kind; in a narrow file it
    // would spoil the first line (an editor may have put it there). A file an
    // editor saved as UTF-16 says so by its mark and is read as such, rather
    // than as nothing (a save would then lose the user's values).
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        bytes.remove(0, 3);
    } else if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        auto decode = QStringDecoder(bytes.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE
                                                                  : QStringConverter::Utf16BE);
        lines = splitLines(decode(bytes.mid(2)));
        return true;
    }
    lines = splitLines(codec == TextCodec::Utf8 ? QString::fromUtf8(bytes) : decodeWindows1252(bytes));
    return true;
}

bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error)
{
    const QFileInfo info(path);
    QDir().mkpath(info.absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

bool writeTextFile(const QString& path, const QString& text, TextCodec codec, QString* error)
{
    const QByteArray bytes = codec == TextCodec::Utf8 ? text.toUtf8() : encodeWindows1252(text);
    return writeFileAtomically(path, bytes, error);
}

} // namespace platform
