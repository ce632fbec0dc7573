#pragma once

#include "app/UserPrompt.h"
#include "files/VersionTable.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>

// Records every message and answers questions with a fixed answer.
class ScriptedPrompt final : public UserPrompt {
public:
    struct Shown {
        QString text;
        PromptButtons buttons;
    };
    PromptAnswer ask(const QString& text, PromptButtons buttons, PromptIcon) override
    {
        shown.append({text, buttons});
        if (buttons == PromptButtons::Ok)
            return PromptAnswer::Ok;
        return questionAnswer;
    }
    QStringList texts() const
    {
        QStringList list;
        for (const Shown& s : shown)
            list.append(s.text);
        return list;
    }
    PromptAnswer questionAnswer = PromptAnswer::No;
    QList<Shown> shown;
};

class RecordingLauncher final : public ProgramLauncher {
public:
    bool start(const QString& path) override
    {
        started.append(path);
        return startSucceeds;
    }
    void exitNow() override { ++exits; }
    bool startSucceeds = true;
    QStringList started;
    int exits = 0;
};

inline QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

inline bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

inline void putInt16(QByteArray& bytes, int offset, int value)
{
    bytes[offset] = static_cast<char>(value & 0xFF);
    bytes[offset + 1] = static_cast<char>((value >> 8) & 0xFF);
}
