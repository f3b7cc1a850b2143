#include "settings/UserFile.h"

#include "platform/Prompt.h"

#include <QFile>
#include <QFileInfo>

namespace settings {

bool IsTextLine(QStringView line)
{
    if (line.size() > kMaxLineLength)
        return false;
    for (QChar c : line) {
        const char16_t u = c.unicode();
        if ((u < 0x20 && u != u'\t') || u == 0x7F)
            return false;
    }
    return true;
}

QString DamagedCopyName(const QString& localPath)
{
    const QString first = localPath + QStringLiteral(".damaged");
    QString name = first;
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = first + QLatin1Char('-') + QString::number(n);
    return name;
}

namespace {

bool Fail(QString* error, const QString& path, const QString& reason)
{
    if (error)
        *error = path + QStringLiteral(": ") + reason;
    return false;
}

} // namespace

bool WriteUserFile(const QString& localPath, const QString& text, FileOrigin& origin, QString* error)
{
    const platform::TextEncoding encoding = platform::encodingThatHolds(text, origin.encoding);
    const QByteArray bytes = platform::encodeText(text, encoding);

    QFile file(localPath);
    const bool exists = file.open(QIODevice::ReadOnly);
    const QByteArray old = exists ? file.readAll() : QByteArray();
    if (!exists && QFileInfo::exists(localPath))
        return Fail(error, localPath, file.errorString());   // a file that was never read is not replaced
    file.close();
    if (exists ? old == bytes : bytes.isEmpty())
        return true;

    QString reason;
    if (exists && !origin.understood) {
        const QString copy = DamagedCopyName(localPath);
        if (!platform::writeFileAtomically(copy, old, &reason))
            return Fail(error, copy, reason);
        origin.understood = true;
        platform::ask(QStringLiteral("The settings file\n%1\ncould not be read completely. It has been kept as\n%2\n"
                                     "and is replaced by the settings in use.")
                          .arg(localPath, copy),
                      QString(), platform::PromptButtons::Ok, platform::PromptIcon::Warning);
    }
    if (!platform::writeFileAtomically(localPath, bytes, &reason))
        return Fail(error, localPath, reason);
    origin.encoding = encoding;
    return true;
}

} // namespace settings
