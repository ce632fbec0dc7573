#pragma once

#include "files/VersionTable.h"

#include <QStringList>

// Records the programs the code under test would start, and its requests to end the process.
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
