#include "app/ExportCommand.h"

#include "app/FileChooser.h"
#include "app/MorvekXPApp.h"
#include "document/MorvekDoc.h"
#include "exchange/export/ExportRun.h"
#include "platform/Prompt.h"

#include <QFileInfo>
#include <QStringList>

namespace app {
namespace {

class ExportDialogs : public Export::ExportRunUi {
public:
    explicit ExportDialogs(QWidget* parent) : parent_(parent) {}

    QString ChooseFile(const QString& proposedPath, const QString& defaultExtension, const QString& filter) override
    {
        QString chosen = ChooseFileToSave(parent_, proposedPath, QtFileFilter(filter));
        if (!chosen.isEmpty() && QFileInfo(chosen).suffix().isEmpty())
            chosen += QLatin1Char('.') + defaultExtension;
        return chosen;
    }

    void Warn(const QString& message) override
    {
        (void)platform::ask(message, QString(), platform::PromptButtons::Ok, platform::PromptIcon::Warning); // Ok only
    }

private:
    QWidget* parent_;
};

} // namespace

QString QtFileFilter(const QString& windowsFilter)
{
    // Names and patterns alternate; the patterns are in the names already.
    const QStringList parts = windowsFilter.split(QLatin1Char('|'), Qt::SkipEmptyParts);
    QStringList names;
    for (qsizetype i = 0; i < parts.size(); i += 2)
        names.append(parts[i]);
    return names.join(QStringLiteral(";;"));
}

bool RunExportCommand(QWidget* parent, CMorvekDoc& doc, int commandId)
{
    CMorvekXPApp* application = CMorvekXPApp::Current();
    Export::exporter* exporter = application ? application->ExporterForCommand(commandId) : nullptr;
    if (!exporter)
        return false;
    Export::ExportJob job;
    job.title = doc.GetTitle();
    job.pathName = doc.GetPathName();
    job.tempFolder = CMorvekXPApp::GetTempFolder();
    for (int i = 0; i < doc.GetSectionCount(); ++i)
        job.source.sections.push_back(doc.GetSection(i));
    job.source.current = doc.GetCurrentSection();
    job.setDisplayMode = [&doc](int mode) {
        doc.RebuildAllDisplayLists();
        doc.SetDisplayMode(mode);
    };
    ExportDialogs dialogs(parent);
    return Export::RunExport(*exporter, job, dialogs);
}

} // namespace app
