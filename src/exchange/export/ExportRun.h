#pragma once
// Running one exporter on a drawing: the target (the serial port, a file in
// a folder chosen by the output policy, or a file in the temporary folder
// handed to a program), the preparation in the export's display mode, the
// writer, and the hand-over.
#include "exchange/export/ExportPreparer.h"
#include "exchange/export/Exporter.h"

#include <QString>

#include <functional>

namespace Export {

// What a run needs from the user: the save dialog and messages.
class ExportRunUi {
public:
    virtual ~ExportRunUi() = default;
    // The save dialog (prompting before an overwrite); empty when cancelled.
    virtual QString ChooseFile(const QString& proposedPath, const QString& defaultExtension, const QString& filter) = 0;
    // A message with the exclamation icon.
    virtual void Warn(const QString& message) = 0;
};

// The drawing side of a run.
struct ExportJob {
    QString title;         // the document's title, its file name
    QString pathName;      // the document's file, empty when it has none
    QString tempFolder;    // where policy 3 writes, ending in a separator
    ExportSource source;
    std::function<void(int)> setDisplayMode; // regenerates every display list
};

struct ExportTarget {
    enum Kind { Cancelled, SerialPort, File };
    Kind kind = Cancelled;
    QString path;
    bool handOver = false; // policy 3: the file goes to the send-to program
};

// The target by the settings: the serial port when serial is 1, whatever
// the policy; else the file the policy names (policy 3: the title with
// blanks as "_", the default extension, in the temporary folder, no dialog)
// or the user chooses (policies 0 to 2). Policy 0 keeps the chosen folder in
// settings.dir.
ExportTarget ChooseExportTarget(ExportSettings& settings, const exporter& type, const ExportJob& job, ExportRunUi& ui);

// The display mode an export mode reads the figures in: 0 normal, 1 and 2
// with bridges, 3 special line types; any other value normal.
int DisplayModeForExport(int mode);

// The whole run; failures are told through ui. True when the output was
// written (and, for policy 3, the program started).
bool RunExport(exporter& type, const ExportJob& job, ExportRunUi& ui);

// The bytes of a writer's text: one byte of Windows-1252 a character ("?"
// for one it lacks), every "\n" as CR LF.
QByteArray ExportBytes(const QString& text);

} // namespace Export
