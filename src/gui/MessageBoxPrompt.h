#pragma once
// The program's answer to the model's questions: a modal QMessageBox.
#include "platform/Prompt.h"

class QWidget;

namespace gui {

class MessageBoxPrompt : public platform::Prompt {
public:
    explicit MessageBoxPrompt(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    platform::PromptResult ask(const QString& text, const QString& caption, platform::PromptButtons buttons,
                               platform::PromptIcon icon) override;

private:
    QWidget* parent_;
};

} // namespace gui
