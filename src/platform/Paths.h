#pragma once
// Where the program's files live, and how the Windows-style names the model
// uses ("\Defaults\settings.ini", "config\settings.cfg", "C:\Standards.ini")
// become local paths.
#include <QString>

namespace platform {

// The application folder holds Defaults/ and Config/. It is the program's own
// folder unless set (from the registry value "Paths"/"Application", a command
// line override or a test). Always ends in '/'.
QString appFolder();
void setAppFolder(const QString& folder);   // empty: back to the program's folder

// The user's configuration folder: the registry stand-in and the files that
// Windows kept at fixed drive paths live here. $XDG_CONFIG_HOME/Pelkam/MorvekXP/
// unless set. Always ends in '/'.
QString userConfigFolder();
void setUserConfigFolder(const QString& folder); // empty: back to the default

// Turns a path as the model writes it into a local path:
// - '\' and '/' both separate; repeated separators collapse; "." parts are
//   dropped and ".." takes away the part before it, never going above the
//   folder the path is mapped into ("C:\..\x" is userConfigFolder() + "x");
// - a drive path ("C:\Standards.ini", "c:/dir/x") maps into userConfigFolder();
// - an absolute local path ("/home/...") stays where it is;
// - anything else ("\Defaults\x.ini", "config\x.cfg") is below appFolder().
// Each component that exists on disk under another letter case is matched
// without regard to case, so "\Config\Settings.cfg" finds "config/settings.cfg".
QString localPath(const QString& modelPath);

// True for "X:" followed by anything, X a letter: a Windows drive path.
bool isDrivePath(const QString& path);

} // namespace platform
