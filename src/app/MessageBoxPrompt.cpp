#include "app/MessageBoxPrompt.h"

#include "i18n/Texts.h"
#include "session/Settings.h"

#include <QAbstractButton>
#include <QMessageBox>

namespace {

QMessageBox::StandardButtons ButtonsOf(PromptButtons buttons)
{
    switch (buttons) {
    case PromptButtons::Ok:
        return QMessageBox::Ok;
    case PromptButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case PromptButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case PromptButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case PromptButtons::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon IconOf(PromptIcon icon)
{
    switch (icon) {
    case PromptIcon::None:
        return QMessageBox::NoIcon;
    case PromptIcon::Critical:
        return QMessageBox::Critical;
    case PromptIcon::Question:
        return QMessageBox::Question;
    case PromptIcon::Exclamation:
        return QMessageBox::Warning;
    }
    return QMessageBox::NoIcon;
}

// Closing the box with Escape or the title bar's close button counts as the
// most cautious answer the box offers.
PromptAnswer EscapeAnswerOf(PromptButtons buttons)
{
    switch (buttons) {
    case PromptButtons::Ok:
        return PromptAnswer::Ok;
    case PromptButtons::YesNo:
        return PromptAnswer::No;
    default:
        return PromptAnswer::Cancel;
    }
}

} // namespace

PromptAnswer MessageBoxPrompt::ask(PromptId, const QString& text, PromptButtons buttons, PromptIcon icon)
{
    const int language = settings_.LanguageIndex;
    QMessageBox box(IconOf(icon), Text(WindowText::ProgramTitle, language), text, ButtonsOf(buttons), parent_);
    const std::pair<QMessageBox::StandardButton, Cap> captions[] = {
        {QMessageBox::Ok, Cap::Ok}, {QMessageBox::Cancel, Cap::Cancel}, {QMessageBox::Yes, Cap::Yes},
        {QMessageBox::No, Cap::No}, {QMessageBox::Retry, Cap::Retry},
    };
    for (const auto& [button, caption] : captions) {
        if (QAbstractButton* shown = box.button(button))
            shown->setText(Text(caption, language));
    }
    switch (box.exec()) {
    case QMessageBox::Ok:
        return PromptAnswer::Ok;
    case QMessageBox::Cancel:
        return PromptAnswer::Cancel;
    case QMessageBox::Yes:
        return PromptAnswer::Yes;
    case QMessageBox::No:
        return PromptAnswer::No;
    case QMessageBox::Retry:
        return PromptAnswer::Retry;
    default:
        return EscapeAnswerOf(buttons);
    }
}
