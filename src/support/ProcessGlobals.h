#pragma once
// The process-wide tables that exist before the application starts: constant
// texts that several parts of the program read, the bridge-kind labels and the
// hot-key command table. C++ gives no order between globals of different
// files, so they are members of one object, built in the order they are
// declared here and destroyed in the reverse order.
//
// The program builds one at the start of main(), before the application
// object; tests may build their own. The one built last and still alive is
// current; when none is alive, the first use builds one for the rest of the
// process. Tables of higher layers (the application object, the export work
// vector, the spline polynomial, the accelerator set) are built by those
// layers after this object.
#include <QString>

#include <array>

#include "support/HotKeyCommand.h"
#include "support/Log.h"

class ProcessGlobals {
public:
    ProcessGlobals();
    ~ProcessGlobals();
    ProcessGlobals(const ProcessGlobals&) = delete;
    ProcessGlobals& operator=(const ProcessGlobals&) = delete;

    static ProcessGlobals& Current();

    // The upper-case hexadecimal digits of colour texts; a digit's value is
    // its position.
    const QString& hexDigits;
    // The stroke font's 100 characters, in the order of its glyph table.
    const QString strokeFontCharset;
    // The characters of a numeric language-file header.
    const QString languageIdDigits;
    // The trace log (Log::TheLog()), closed with an empty mask.
    Log::CLog& traceLog;
    // The pole of the cubic spline filter: sqrt(3) - 2.
    const double splinePole;
    // Labels of the bridge-rule element kinds 0 to 4.
    const std::array<QString, 5> bridgeKindLabels;
    // The Keyboard Shortcuts dialog's rows; empty until the dialog fills them.
    HotKeyCommandTable hotKeyCommands;

private:
    ProcessGlobals* previous_;
};
