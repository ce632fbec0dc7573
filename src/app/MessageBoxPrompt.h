#pragma once

#include "session/UserPrompt.h"

class QWidget;

// The desktop program's questions: one modal message box per question, titled with the program name.
class MessageBoxPrompt final : public UserPrompt {
public:
    explicit MessageBoxPrompt(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    PromptAnswer ask(PromptId id, const QString& text, PromptButtons buttons, PromptIcon icon) override;

private:
    QWidget* parent_;
};
