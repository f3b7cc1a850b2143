#pragma once
// The application's rule for data paths named in settings and code.
#include <QString>

// Removes leading white space; a text of more than two characters that starts
// with a drive letter and ':' ("D:\x.ini", "d:x") is returned as it is, any
// other text ("\x.ini", "Defaults\output.ini", "C:", "") with the application
// folder (platform::appFolder(), ending in '/') put directly in front. The
// result is a model path: open it through platform::localPath, which also maps
// drive paths into the user's configuration folder.
QString ResolvePath(const QString& name);
