#include "platform/Prompt.h"

#include <cstdio>

namespace platform {
namespace {

class DefaultPrompt : public Prompt {
public:
    PromptResult ask(const QString& text, const QString& caption, PromptButtons buttons, PromptIcon) override
    {
        const QByteArray line = (caption.isEmpty() ? text : caption + QLatin1String(": ") + text).toLocal8Bit();
        std::fprintf(stderr, "%s\n", line.constData());
        return safeAnswer(buttons);
    }
};

DefaultPrompt g_default;
constinit Current<Prompt*> g_current{nullptr};

} // namespace

PromptResult safeAnswer(PromptButtons buttons)
{
    switch (buttons) {
    case PromptButtons::Ok: return PromptResult::Ok;
    case PromptButtons::YesNo: return PromptResult::No;
    case PromptButtons::AbortRetryIgnore: return PromptResult::Abort;
    case PromptButtons::OkCancel:
    case PromptButtons::YesNoCancel:
    case PromptButtons::RetryCancel: return PromptResult::Cancel;
    }
    return PromptResult::Cancel;
}

Prompt& prompt()
{
    Prompt* current = g_current.Get();
    return current ? *current : g_default;
}

PromptResult ask(const QString& text, const QString& caption, PromptButtons buttons, PromptIcon icon)
{
    return prompt().ask(text, caption, buttons, icon);
}

PromptResult ScriptedPrompt::ask(const QString& text, const QString& caption, PromptButtons buttons, PromptIcon)
{
    texts_.append(text);
    captions_.append(caption);
    if (answers_.empty()) {
        ++unexpected_;
        return safeAnswer(buttons);
    }
    const PromptResult answer = answers_.front();
    answers_.pop_front();
    return answer;
}

ScopedOverride<Prompt*> installPrompt(Prompt& p)
{
    return g_current.Override(&p);
}

} // namespace platform
