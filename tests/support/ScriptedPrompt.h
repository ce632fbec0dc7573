#pragma once

#include "session/UserPrompt.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

struct AskedPrompt {
    PromptId id;
    QString text;
    PromptButtons buttons;
    PromptIcon icon;
};

// Answers the program's questions from a script and records everything it was asked or told.
// A message with only an OK button is answered OK without taking from the script. A question
// takes the next scripted answer; with none left it gets standingAnswer when one is set,
// otherwise the most cautious answer its buttons offer, and is noted as unexpected.
class ScriptedPrompt final : public UserPrompt {
public:
    PromptAnswer ask(PromptId id, const QString& text, PromptButtons buttons, PromptIcon icon) override
    {
        asked.append({id, text, buttons, icon});
        if (onAsk)
            onAsk(asked.last());
        if (buttons == PromptButtons::Ok)
            return PromptAnswer::Ok;
        if (!answers.isEmpty())
            return answers.takeFirst();
        if (hasStandingAnswer)
            return standingAnswer;
        unexpected.append(text);
        return buttons == PromptButtons::YesNo ? PromptAnswer::No : PromptAnswer::Cancel;
    }
    void setStandingAnswer(PromptAnswer answer)
    {
        standingAnswer = answer;
        hasStandingAnswer = true;
    }
    QStringList texts() const
    {
        QStringList list;
        for (const AskedPrompt& prompt : asked)
            list.append(prompt.text);
        return list;
    }
    QList<PromptId> ids() const
    {
        QList<PromptId> list;
        for (const AskedPrompt& prompt : asked)
            list.append(prompt.id);
        return list;
    }
    int count(PromptId id) const { return int(ids().count(id)); }

    QList<PromptAnswer> answers;
    QList<AskedPrompt> asked;
    QStringList unexpected;
    std::function<void(const AskedPrompt&)> onAsk; // runs while the question is open

private:
    PromptAnswer standingAnswer = PromptAnswer::Cancel;
    bool hasStandingAnswer = false;
};
