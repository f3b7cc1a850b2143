#pragma once
// The Output menu's commands (10301 upward, one per enabled exporter in
// name order): the exporter runs on the document, its save dialog and
// messages shown here.
#include <QString>

class CMorvekDoc;
class QWidget;

namespace app {

// Qt's filter text for a filter of the Windows form "Name (*.x)|*.x|...||".
QString QtFileFilter(const QString& windowsFilter);

// Runs the exporter behind the command on the document; an id that stands
// for no enabled exporter does nothing. False when nothing was written.
bool RunExportCommand(QWidget* parent, CMorvekDoc& doc, int commandId);

} // namespace app
