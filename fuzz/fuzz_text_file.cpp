// Text decoding: Windows-1252 is a one-to-one map of bytes, splitting lines
// loses nothing but the line ends, and text written in a codec reads back as
// the same lines.
#include "common/FuzzSupport.h"

#include "platform/TextFile.h"

#include <QStringList>

namespace {

QString Join(const QStringList& lines)
{
    return lines.join(QLatin1String("\n---\n"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Environment& env = fuzz::Environment::Get();
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    const QString decoded = platform::decodeWindows1252(bytes);
    fuzz::Check(decoded.size() == bytes.size(), "Windows-1252 text has another length");
    fuzz::Check(platform::encodeWindows1252(decoded) == bytes, "Windows-1252 does not encode back to its bytes");

    const QStringList split = platform::splitLines(decoded);
    QString withoutEnds = decoded;
    withoutEnds.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
    fuzz::Check(split.join(QString()) == withoutEnds, "splitting lines lost text");
    for (const QString& line : split)
        fuzz::Check(!line.contains(QLatin1Char('\n')) && !line.contains(QLatin1Char('\r')), "a line holds a line end");

    const QString path = env.Write(QStringLiteral("user/text.txt"), bytes);
    for (const platform::TextCodec codec : {platform::TextCodec::Windows1252, platform::TextCodec::Utf8}) {
        QStringList lines;
        fuzz::Check(platform::readTextLines(path, lines, codec), "cannot read the text file");
        const QString text = lines.isEmpty() ? QString() : lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
        // A file that came as UTF-16 may hold what the narrow code page cannot.
        const bool holdable = codec == platform::TextCodec::Utf8
                              || platform::decodeWindows1252(platform::encodeWindows1252(text)) == text;
        // Lone surrogates of a UTF-16 file have no UTF-8 form.
        const bool wellFormed = QString::fromUtf8(text.toUtf8()) == text;
        // Text that starts with the bytes of a byte-order mark is read as
        // what the mark says: the marks are not told from text.
        const QByteArray head = codec == platform::TextCodec::Utf8 ? text.left(1).toUtf8()
                                                                   : platform::encodeWindows1252(text.left(3));
        const bool marked = head.startsWith("\xEF\xBB\xBF") || head.startsWith("\xFF\xFE") || head.startsWith("\xFE\xFF");
        if (!holdable || !wellFormed || marked)
            continue;
        const QString saved = env.Path(QStringLiteral("user/saved.txt"));
        fuzz::Check(platform::writeTextFile(saved, text, codec), "cannot write the text file");
        QStringList again;
        fuzz::Check(platform::readTextLines(saved, again, codec), "cannot read the saved text file");
        fuzz::Check(again == lines, "saved text reads back differently",
                    QStringLiteral("before:\n") + Join(lines) + QStringLiteral("\nafter:\n") + Join(again));
    }
    return 0;
}
