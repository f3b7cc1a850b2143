#pragma once
// Asking the user for one value: a label, a preset text and, unless it is
// switched off, the check that the text is made of number characters only.
// The command engine asks its typed values through AskOneValue, as do the
// commands that want one number or one text; the program shows the
// one-value dialog (COneParamDlg), tests install an asker of their own.
#include "platform/ScopedOverride.h"

#include <QString>
#include <QStringView>

#include <optional>

namespace dlg {

// The message when the value holds a character no number has.
inline constexpr int kTextNotANumber = 344;

struct OneValueRequest {
    QString label;
    QString value;
    // Any text is taken (a text, not a number, is asked for).
    bool skipValidation = false;
};

// The dialog's check: every character lies between ',' and '9' in code
// (',' '-' '.' '/' and the digits); an empty value passes. The index of the
// first character outside, or -1 when all pass.
qsizetype FirstRefusedCharacter(QStringView value);
inline bool IsValueAccepted(QStringView value) { return FirstRefusedCharacter(value) < 0; }

class OneValueAsker {
public:
    virtual ~OneValueAsker() = default;
    // The text the user confirmed; nothing when the dialog was cancelled.
    virtual std::optional<QString> Ask(const OneValueRequest& request) = 0;
};

// Asks through the installed asker, else through the modal one-value
// dialog over the active window.
std::optional<QString> AskOneValue(const OneValueRequest& request);
// Installs an asker until the guard goes.
platform::ScopedOverride<OneValueAsker*> InstallOneValueAsker(OneValueAsker& asker);

} // namespace dlg
