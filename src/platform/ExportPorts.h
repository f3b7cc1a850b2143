#pragma once
// Where an export goes besides a file: the serial port (the Windows program's
// "COM2") and the program an exported file is handed to.
//
// The serial port is the device named by the profile value
// "Export"/"SerialDevice", /dev/ttyS1 (the second port) when none is set; it
// is written as a file. The hand-over runs the configured command line
// through /bin/sh with the file's path as one further argument (blanks in
// the path stay within it), in the given folder, without waiting for the
// program to end.
#include <QString>

namespace platform {

QString serialDevicePath();

// Empty when the command was started; otherwise the reason: the command
// interpreter's texts of the Windows program where they apply. A blank
// command line starts nothing.
[[nodiscard]] QString startCommand(const QString& commandLine, const QString& filePath, const QString& folder);

} // namespace platform
