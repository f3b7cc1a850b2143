#include "platform/ExportPorts.h"

#include "platform/Registry.h"

#include <QFileInfo>
#include <QProcess>

namespace platform {
namespace {

const QString kShell = QStringLiteral("/bin/sh");

} // namespace

QString serialDevicePath()
{
    return Registry::getString(QStringLiteral("Export"), QStringLiteral("SerialDevice"), QStringLiteral("/dev/ttyS1"));
}

QString startCommand(const QString& commandLine, const QString& filePath, const QString& folder)
{
    // Without a command the shell would run the file itself.
    if (commandLine.trimmed().isEmpty())
        return QStringLiteral("No program is set to take the exported file.");
    const QFileInfo shell(kShell);
    if (!shell.exists())
        return QStringLiteral("Command interpreter cannot be found.");
    if (!shell.isExecutable())
        return QStringLiteral("Command-interpreter file has invalid format and is not executable.");
    QProcess process;
    process.setProgram(kShell);
    // "$1" keeps the path one argument, whatever it holds.
    process.setArguments({QStringLiteral("-c"), commandLine + QStringLiteral(" \"$1\""), QStringLiteral("sh"), filePath});
    process.setWorkingDirectory(folder);
    process.setStandardInputFile(QProcess::nullDevice());
    if (!process.startDetached())
        return process.errorString();
    return QString();
}

} // namespace platform
