#pragma once

#include "app/UserPrompt.h"
#include "files/VersionTable.h"
#include "link/LinkProgress.h"

#include <QList>
#include <QString>

#include <functional>

struct AskedPrompt {
    QString text;
    PromptButtons buttons;
    PromptIcon icon;
};

// Answers questions from a script; records every one.
class ScriptedPrompt final : public UserPrompt {
public:
    QList<PromptAnswer> answers; // taken in order for questions with more than an OK button
    QList<AskedPrompt> asked;
    PromptAnswer ask(const QString& text, PromptButtons buttons, PromptIcon icon) override
    {
        asked.append({text, buttons, icon});
        if (buttons == PromptButtons::Ok)
            return PromptAnswer::Ok;
        return answers.isEmpty() ? PromptAnswer::Cancel : answers.takeFirst();
    }
    int count(const QString& text) const
    {
        int n = 0;
        for (const AskedPrompt& prompt : asked)
            n += prompt.text == text ? 1 : 0;
        return n;
    }
};

class RecordingProgress final : public LinkProgress {
public:
    QList<int> values;
    bool visible = false;
    std::function<void(int)> onValue;
    void showProgress(int) override
    {
        visible = true;
        values.append(0);
    }
    void hideProgress() override { visible = false; }
    bool isProgressVisible() const override { return visible; }
    void setProgressValue(int percent) override
    {
        values.append(percent);
        if (onValue)
            onValue(percent);
    }
};

class RecordingLauncher final : public ProgramLauncher {
public:
    QStringList started;
    bool start(const QString& path) override
    {
        started.append(path);
        return true;
    }
    void exitNow() override {}
};
