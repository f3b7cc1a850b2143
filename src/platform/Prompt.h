#pragma once
// The message boxes that model code shows. The model asks through this
// interface; the program installs a QMessageBox prompt, tests a scripted one.
// Results keep the Windows button ids, which some callers compare against.
#include "platform/ScopedOverride.h"

#include <QString>
#include <QStringList>

#include <deque>

namespace platform {

enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
enum class PromptIcon { None, Information, Warning, Error, Question };
enum class PromptResult { Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

class Prompt {
public:
    virtual ~Prompt() = default;
    virtual PromptResult ask(const QString& text, const QString& caption, PromptButtons buttons,
                             PromptIcon icon) = 0;
};

// The prompt in use: the one installed last, or one that writes the text to
// standard error and answers Cancel (or No, or Ok when that is the only
// choice), so that nothing is deleted or overwritten without a person.
Prompt& prompt();

// Convenience: prompt().ask(...).
PromptResult ask(const QString& text, const QString& caption = QString(),
                 PromptButtons buttons = PromptButtons::Ok, PromptIcon icon = PromptIcon::None);

// Answers from a script, in order, and records every question. When the
// script runs out it answers like the default prompt and counts the question
// as unexpected.
class ScriptedPrompt : public Prompt {
public:
    ScriptedPrompt() = default;
    explicit ScriptedPrompt(std::initializer_list<PromptResult> answers) : answers_(answers) {}
    void push(PromptResult answer) { answers_.push_back(answer); }
    PromptResult ask(const QString& text, const QString& caption, PromptButtons buttons, PromptIcon icon) override;

    const QStringList& texts() const { return texts_; }
    const QStringList& captions() const { return captions_; }
    int unexpected() const { return unexpected_; }
    bool exhausted() const { return answers_.empty(); }

private:
    std::deque<PromptResult> answers_;
    QStringList texts_;
    QStringList captions_;
    int unexpected_ = 0;
};

// Installs a prompt until the guard goes; the previous one comes back then.
ScopedOverride<Prompt*> installPrompt(Prompt& prompt);

// The answer that risks nothing for the given buttons.
PromptResult safeAnswer(PromptButtons buttons);

} // namespace platform
