#include "platform/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

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

QString decodeWindows1252(QByteArrayView bytes)
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

namespace {

// The Windows-1252 byte of a character, or -1 when the code page has none.
int windows1252Byte(char16_t u)
{
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (std::size_t i = 0; i < kHighTable.size(); ++i)
        if (kHighTable[i] == u)
            return static_cast<int>(0x80 + i);
    return -1;
}

const QByteArray kUtf8Mark("\xEF\xBB\xBF");
const QByteArray kUtf16LEMark("\xFF\xFE");
const QByteArray kUtf16BEMark("\xFE\xFF");

} // namespace

QByteArray encodeWindows1252(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar c : text) {
        const int b = windows1252Byte(c.unicode());
        bytes.append(b < 0 ? '?' : static_cast<char>(b));
    }
    return bytes;
}

bool fitsWindows1252(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return windows1252Byte(c.unicode()) >= 0; });
}

namespace {

// Plain ASCII reads the same in every narrow encoding and widens fastest.
bool isAscii(QByteArrayView bytes)
{
    unsigned char any = 0;
    for (const char c : bytes)
        any |= static_cast<unsigned char>(c);
    return any < 0x80;
}

} // namespace

QString decodeText(QByteArrayView bytes, TextEncoding assumed, TextEncoding* found)
{
    TextEncoding encoding = TextEncoding::Windows1252;
    QString text;
    if (bytes.startsWith(kUtf16LEMark) || bytes.startsWith(kUtf16BEMark)) {
        encoding = bytes.startsWith(kUtf16LEMark) ? TextEncoding::Utf16LE : TextEncoding::Utf16BE;
        auto decode = QStringDecoder(encoding == TextEncoding::Utf16LE ? QStringConverter::Utf16LE
                                                                       : QStringConverter::Utf16BE,
                                     QStringConverter::Flag::Stateless);
        text = decode(bytes.sliced(2));
    } else {
        // Windows-1252 text with letters beyond ASCII is practically never
        // valid UTF-8, so valid UTF-8 is taken for what it looks like.
        const bool marked = bytes.startsWith(kUtf8Mark);
        const QByteArrayView body = bytes.sliced(marked ? kUtf8Mark.size() : 0);
        const TextEncoding plain = assumed == TextEncoding::Windows1252 ? TextEncoding::Windows1252
                                                                        : TextEncoding::Utf8;
        if (isAscii(body)) {
            text = QString::fromLatin1(body);
            encoding = marked ? TextEncoding::Utf8Bom : plain;
        } else {
            auto decode = QStringDecoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
            text = decode(body);
            if (decode.hasError())
                text = decodeWindows1252(body);
            else
                encoding = marked ? TextEncoding::Utf8Bom : TextEncoding::Utf8;
        }
    }
    if (found)
        *found = encoding;
    return text;
}

QByteArray encodeText(const QString& text, TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Windows1252: return encodeWindows1252(text);
    case TextEncoding::Utf8: return text.toUtf8();
    case TextEncoding::Utf8Bom: return kUtf8Mark + text.toUtf8();
    case TextEncoding::Utf16LE:
    case TextEncoding::Utf16BE: {
        const bool le = encoding == TextEncoding::Utf16LE;
        auto encode = QStringEncoder(le ? QStringConverter::Utf16LE : QStringConverter::Utf16BE,
                                     QStringConverter::Flag::Stateless);
        return (le ? kUtf16LEMark : kUtf16BEMark) + QByteArray(encode(text));
    }
    }
    return encodeWindows1252(text);
}

namespace {

// Windows-1252 bytes beyond ASCII that happen to be valid UTF-8 ("Ê‰" is
// the bytes of "ʉ") would read back as other text.
bool readsBackAsWindows1252(QStringView text)
{
    const QByteArray bytes = encodeWindows1252(text.toString());
    if (isAscii(bytes))
        return true;
    auto decode = QStringDecoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString decoded = decode(bytes); // the decoder runs when its result is taken
    (void)decoded;
    return decode.hasError();
}

} // namespace

TextEncoding encodingThatHolds(QStringView text, TextEncoding preferred)
{
    if (preferred == TextEncoding::Windows1252 && (!fitsWindows1252(text) || !readsBackAsWindows1252(text)))
        return TextEncoding::Utf8Bom;
    return preferred;
}

namespace {

bool isLineEnd(QChar c)
{
    return c == QLatin1Char('\n') || c == QLatin1Char('\r');
}

} // namespace

TextLines::const_iterator::const_iterator(QStringView text, qsizetype at) : text_(text)
{
    take(at);
}

void TextLines::const_iterator::take(qsizetype at)
{
    const qsizetype n = text_.size();
    if (at >= n) {
        start_ = -1;
        line_ = QStringView();
        return;
    }
    const QChar* data = text_.data();
    qsizetype end = at;
    while (end < n && !isLineEnd(data[end]))
        ++end;
    start_ = at;
    line_ = text_.sliced(at, end - at);
    next_ = end;
    if (end < n)
        next_ += (data[end] == QLatin1Char('\r') && end + 1 < n && data[end + 1] == QLatin1Char('\n')) ? 2 : 1;
}

TextLines::const_iterator& TextLines::const_iterator::operator++()
{
    take(next_);
    return *this;
}

namespace {

// How many bytes at the end of a chunk begin a UTF-8 sequence that the next
// chunk finishes (0 to 3).
qsizetype unfinishedTail(QByteArrayView bytes)
{
    for (qsizetype k = 1; k <= 3 && k <= bytes.size(); ++k) {
        const auto b = static_cast<unsigned char>(bytes[bytes.size() - k]);
        if (b < 0x80)
            return 0;
        if (b >= 0xC0) {
            const qsizetype length = b >= 0xF0 ? 4 : (b >= 0xE0 ? 3 : 2);
            return length > k ? k : 0;
        }
    }
    return 0;
}

// Reads a file of ASCII or UTF-8 straight into one string, a chunk at a
// time, so that a file of tens of megabytes is never held as bytes as well.
// False for a file that is neither (UTF-16, Windows-1252): decodeText then
// reads it whole.
bool readUtf8InChunks(QFile& file, TextEncoding assumed, QString& text, TextEncoding& found)
{
    constexpr qint64 kChunk = 1 << 20;
    const qint64 size = file.size();
    text = QString(static_cast<qsizetype>(size), Qt::Uninitialized); // no more characters than bytes
    QChar* const begin = text.data();
    QChar* out = begin;
    QByteArray chunk(kChunk + 3, Qt::Uninitialized);
    auto utf8 = QStringDecoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    auto latin1 = QStringDecoder(QStringConverter::Latin1);
    qint64 total = 0;
    qsizetype carried = 0;
    bool marked = false, ascii = true;
    for (bool first = true;; first = false) {
        // The file may grow while it is read: take the size it had.
        const qint64 got = file.read(chunk.data() + carried, std::min(kChunk, size - total));
        if (got < 0)
            return false;
        total += got;
        QByteArrayView bytes(chunk.constData(), carried + got);
        if (first) {
            if (bytes.startsWith(kUtf16LEMark) || bytes.startsWith(kUtf16BEMark))
                return false;
            marked = bytes.startsWith(kUtf8Mark);
            bytes = bytes.sliced(marked ? kUtf8Mark.size() : 0);
        }
        if (got == 0) {
            if (!bytes.isEmpty())
                return false; // the file ends inside a sequence
            break;
        }
        const qsizetype keep = unfinishedTail(bytes);
        const QByteArrayView whole = bytes.first(bytes.size() - keep);
        if (isAscii(whole)) {
            out = latin1.appendToBuffer(out, whole);
        } else {
            ascii = false;
            out = utf8.appendToBuffer(out, whole);
            if (utf8.hasError())
                return false;
        }
        std::memmove(chunk.data(), whole.data() + whole.size(), static_cast<std::size_t>(keep));
        carried = keep;
    }
    text.truncate(out - begin);
    if (marked)
        found = TextEncoding::Utf8Bom;
    else if (!ascii)
        found = TextEncoding::Utf8;
    else
        found = assumed == TextEncoding::Windows1252 ? TextEncoding::Windows1252 : TextEncoding::Utf8;
    return true;
}

} // namespace

bool TextLines::read(const QString& path, TextEncoding assumed)
{
    text_.clear();
    encoding_ = assumed;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    if (!readUtf8InChunks(file, assumed, text_, encoding_)) {
        text_.clear();
        if (!file.seek(0))
            return false;
        text_ = decodeText(file.readAll(), assumed, &encoding_);
    }
    return true;
}

QStringList splitLines(const QString& text)
{
    QStringList lines;
    for (QStringView line : TextLines(text, TextEncoding::Utf8))
        lines.append(line.toString());
    return lines;
}

bool readTextLines(const QString& path, QStringList& lines, TextEncoding assumed, TextEncoding* found)
{
    TextLines text;
    if (!text.read(path, assumed))
        return false;
    lines.clear();
    for (QStringView line : text)
        lines.append(line.toString());
    if (found)
        *found = text.encoding();
    return true;
}

namespace {

constinit Current<std::optional<qint64>> g_simulatedSpace;

bool failSave(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

// The reason of a failed call: the system's error number where it left one,
// else Qt's text for it.
QString reasonOf(int errorNumber, const QFileDevice& file)
{
    return errorNumber != 0 ? saveFailureReason(errorNumber) : file.errorString();
}

// Drops what was written: the temporary file goes, the old file stays.
void abandon(QSaveFile& file)
{
    file.cancelWriting();
    (void)file.commit(); // false by design: it removes the temporary file
}

// The rename is an entry of the folder: a crash before the folder reaches
// the disk could bring the old entry back. A file system that cannot sync
// a folder (EINVAL) keeps its entries by other means.
void syncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    (void)::fsync(fd); // the file holds the new bytes already; nothing is left to undo
    ::close(fd);
}

} // namespace

QString saveFailureReason(int errorNumber)
{
    switch (errorNumber) {
    case ENOSPC:
    case EDQUOT: return QStringLiteral("no space left on the disk");
    case EACCES:
    case EPERM:
    case EROFS: return QStringLiteral("the folder is read-only");
    case ENOENT: return QStringLiteral("the folder does not exist");
    case ENOTDIR: return QStringLiteral("a part of the folder's path is a file");
    case EFBIG: return QStringLiteral("the file is larger than the disk allows");
    case EIO: return QStringLiteral("the disk reported an error while writing");
    case ENAMETOOLONG: return QStringLiteral("the file name is too long");
    case EMFILE:
    case ENFILE: return QStringLiteral("too many files are open");
    case ENOMEM: return QStringLiteral("not enough memory");
    default: return QStringLiteral("the system refused the write (error %1)").arg(errorNumber);
    }
}

ScopedOverride<std::optional<qint64>> SimulateFullDiskAfter(qint64 bytes)
{
    return g_simulatedSpace.Override(bytes);
}

bool openForSaving(QSaveFile& file, QString* error)
{
    const QFileInfo info(file.fileName());
    (void)QDir().mkpath(info.absolutePath()); // a folder that cannot be made shows below
    errno = 0;
    if (file.open(QIODevice::WriteOnly))
        return true;
    const int openError = errno;
    // Qt's texts for these are "Unknown error" or name a temporary file.
    if (::access(QFile::encodeName(info.absolutePath()).constData(), W_OK) != 0)
        return failSave(error, saveFailureReason(errno));
    if (info.exists() && !info.isWritable())
        return failSave(error, QStringLiteral("the file is read-only"));
    return failSave(error, reasonOf(openError, file));
}

bool commitSaveFile(QSaveFile& file, QString* error)
{
    const std::optional<qint64> space = g_simulatedSpace.Get();
    if (space && file.pos() > *space) {
        abandon(file);
        return failSave(error, saveFailureReason(ENOSPC));
    }
    // QSaveFile::commit flushes its buffer too, but loses the flush's
    // error: a small file on a full disk would be committed empty.
    errno = 0;
    if (!file.flush()) {
        const int flushError = errno;
        const QString reason = reasonOf(flushError, file);
        abandon(file);
        return failSave(error, reason);
    }
    if (::fsync(file.handle()) != 0 && errno != EINVAL) {
        const QString reason = saveFailureReason(errno);
        abandon(file);
        return failSave(error, reason);
    }
    errno = 0;
    if (!file.commit())
        return failSave(error, reasonOf(errno, file));
    syncFolder(QFileInfo(file.fileName()).absolutePath());
    return true;
}

bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error)
{
    QSaveFile file(path);
    if (!openForSaving(file, error))
        return false;
    errno = 0;
    if (file.write(bytes) != bytes.size()) {
        const QString reason = reasonOf(errno, file);
        abandon(file);
        return failSave(error, reason);
    }
    return commitSaveFile(file, error);
}

bool writeTextFile(const QString& path, const QString& text, TextEncoding encoding, QString* error)
{
    return writeFileAtomically(path, encodeText(text, encoding), error);
}

} // namespace platform
