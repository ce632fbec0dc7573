#pragma once

#include <QString>

// Modal questions and messages. The GUI shows message boxes; tests and the
// command-line tool script the answers.
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class PromptIcon { None, Critical, Question, Exclamation };
enum class PromptAnswer { Ok, Cancel, Yes, No, Retry };

class UserPrompt {
public:
    virtual ~UserPrompt() = default;
    virtual PromptAnswer ask(const QString& text, PromptButtons buttons, PromptIcon icon) = 0;
    void tell(const QString& text, PromptIcon icon = PromptIcon::None) { ask(text, PromptButtons::Ok, icon); }
};
