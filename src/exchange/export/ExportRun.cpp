#include "exchange/export/ExportRun.h"

#include "platform/ExportPorts.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace Export {
namespace {

const QString kOpenPort = QStringLiteral("Open Port");
const QString kCannotCreate = QStringLiteral("Cannot create file");

QString WithSeparator(const QString& folder)
{
    if (folder.isEmpty() || folder.endsWith(QLatin1Char('/')))
        return folder;
    return folder + QLatin1Char('/');
}

// The text written, then the device or file closed; false when any of it failed.
bool WriteAll(QIODevice& device, const QByteArray& bytes)
{
    return device.write(bytes) == bytes.size();
}

void TellNotes(const ExportText& out, ExportRunUi& ui)
{
    for (const QString& note : out.notes)
        ui.Warn(note);
}

} // namespace

int DisplayModeForExport(int mode)
{
    switch (mode) {
    case 1:
    case 2:
        return 1;
    case 3:
        return 2;
    default:
        return 0;
    }
}

QByteArray ExportBytes(const QString& text)
{
    QString lines = text;
    lines.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return platform::encodeWindows1252(lines);
}

ExportTarget ChooseExportTarget(ExportSettings& settings, const exporter& type, const ExportJob& job, ExportRunUi& ui)
{
    if (settings.serial == 1)
        return {ExportTarget::SerialPort, platform::serialDevicePath(), false};

    QString fileName = job.title + QLatin1Char('.') + type.DefaultExtension();
    const QString documentFolder =
        job.pathName.isEmpty() ? QString() : WithSeparator(QFileInfo(job.pathName).absolutePath());
    if (settings.dir_policy == 3) {
        fileName.replace(QLatin1Char(' '), QLatin1Char('_'));
        return {ExportTarget::File, WithSeparator(job.tempFolder) + fileName, true};
    }
    QString base;
    if (settings.dir_policy == 0 || settings.dir_policy == 1)
        base = settings.dir;
    else if (settings.dir_policy == 2)
        base = documentFolder;
    // Without a folder the dialog proposes the name alone, in its own folder.
    const QString proposed = base.isEmpty() ? fileName : QDir::cleanPath(WithSeparator(base) + fileName);
    const QString chosen = ui.ChooseFile(proposed, type.DefaultExtension(), type.FileDialogFilter());
    if (chosen.isEmpty())
        return {};
    if (settings.dir_policy == 0)
        settings.dir = WithSeparator(QFileInfo(chosen).absolutePath());
    return {ExportTarget::File, chosen, false};
}

bool RunExport(exporter& type, const ExportJob& job, ExportRunUi& ui)
{
    ExportSettings settings = type.GetSettings();
    const ExportTarget target = ChooseExportTarget(settings, type, job, ui);
    if (target.kind == ExportTarget::Cancelled)
        return false;
    if (settings.dir != type.GetSettings().dir) {
        ExportSettings kept = type.GetSettings();
        kept.dir = settings.dir;
        type.SetSettings(kept);
    }

    // The target is opened before anything is prepared, as the user sees a
    // port or file fault at once.
    QFile port;
    QSaveFile file;
    if (target.kind == ExportTarget::SerialPort) {
        port.setFileName(target.path);
        if (!port.open(QIODevice::WriteOnly)) {
            ui.Warn(kOpenPort);
            return false;
        }
    } else {
        if (target.handOver)
            (void)QDir().mkpath(QFileInfo(target.path).absolutePath()); // a failure shows when the file opens
        file.setFileName(target.path);
        if (!file.open(QIODevice::WriteOnly)) {
            ui.Warn(kCannotCreate);
            return false;
        }
    }

    ExportPreparer preparer(job.source);
    preparer.SetSettings(type.GetSettings());
    if (job.setDisplayMode)
        job.setDisplayMode(DisplayModeForExport(type.GetSettings().mode));
    preparer.Run();
    ExportText out;
    out.name = target.kind == ExportTarget::SerialPort ? QStringLiteral("COM2") : QFileInfo(target.path).fileName();
    type.Write(out, preparer);

    const QByteArray bytes = ExportBytes(out.text);
    if (target.kind == ExportTarget::SerialPort) {
        const bool written = WriteAll(port, bytes) && port.flush();
        port.close();
        if (!written) {
            ui.Warn(kOpenPort);
            return false;
        }
        TellNotes(out, ui);
        return true;
    }
    // A file that could not be written whole leaves an earlier one as it was.
    if (!WriteAll(file, bytes) || !platform::commitSaveFile(file)) {
        file.cancelWriting(); // after a failed write; a failed commit has removed its file already
        ui.Warn(kCannotCreate);
        return false;
    }
    if (target.handOver) {
        const QString failure = platform::startCommand(settings.send_to, target.path, job.tempFolder);
        if (!failure.isNull()) {
            ui.Warn(failure);
            return false;
        }
    }
    TellNotes(out, ui);
    return true;
}

} // namespace Export
