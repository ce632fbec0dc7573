#pragma once

#include "files/VersionTable.h"

// Starts the other program as a process of its own and ends this one at once.
class SystemProgramLauncher final : public ProgramLauncher {
public:
    bool start(const QString& path) override;
    void exitNow() override;
};
