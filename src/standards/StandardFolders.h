#pragma once
// Where the installed standard families and the downloaded packages live.
// The settings name them "..\standards" and "..\packages" beside the
// application folder; the program's path rule keeps every relative path
// inside the application folder, so they land in <appFolder>/standards/ and
// <appFolder>/packages/. Tests move them by setting the application folder.
#include <QString>

namespace standards {

// Both end in '/'.
QString StandardsFolder();
QString PackagesFolder();

} // namespace standards
