#include "gui/MessageBoxPrompt.h"

#include <QApplication>
#include <QMessageBox>

namespace gui {
namespace {

QMessageBox::StandardButtons buttonsFor(platform::PromptButtons buttons)
{
    using B = platform::PromptButtons;
    switch (buttons) {
    case B::Ok: return QMessageBox::Ok;
    case B::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case B::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case B::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case B::RetryCancel: return QMessageBox::Retry | QMessageBox::Cancel;
    case B::AbortRetryIgnore: return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon iconFor(platform::PromptIcon icon)
{
    using I = platform::PromptIcon;
    switch (icon) {
    case I::None: return QMessageBox::NoIcon;
    case I::Information: return QMessageBox::Information;
    case I::Warning: return QMessageBox::Warning;
    case I::Error: return QMessageBox::Critical;
    case I::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

platform::PromptResult resultFor(int button)
{
    using R = platform::PromptResult;
    switch (button) {
    case QMessageBox::Ok: return R::Ok;
    case QMessageBox::Yes: return R::Yes;
    case QMessageBox::No: return R::No;
    case QMessageBox::Retry: return R::Retry;
    case QMessageBox::Abort: return R::Abort;
    case QMessageBox::Ignore: return R::Ignore;
    default: return R::Cancel;
    }
}

} // namespace

platform::PromptResult MessageBoxPrompt::ask(const QString& text, const QString& caption,
                                             platform::PromptButtons buttons, platform::PromptIcon icon)
{
    QMessageBox box(iconFor(icon), caption.isEmpty() ? QApplication::applicationName() : caption, text,
                    buttonsFor(buttons), parent_);
    return resultFor(box.exec());
}

} // namespace gui
