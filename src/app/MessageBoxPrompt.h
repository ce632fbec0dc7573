#pragma once

#include "session/UserPrompt.h"

class QWidget;
struct AppSettings;

// The desktop program's questions: one modal message box per question, titled with the
// program name, its buttons captioned in the language current when it is shown.
class MessageBoxPrompt final : public UserPrompt {
public:
    explicit MessageBoxPrompt(const AppSettings& settings, QWidget* parent = nullptr)
        : settings_(settings), parent_(parent)
    {
    }
    void setParent(QWidget* parent) { parent_ = parent; }
    PromptAnswer ask(PromptId id, const QString& text, PromptButtons buttons, PromptIcon icon) override;

private:
    const AppSettings& settings_;
    QWidget* parent_;
};
