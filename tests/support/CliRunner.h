#pragma once

// Runs the staged command-line tool and keeps its exit code and what it wrote.

#include <QProcess>
#include <QString>
#include <QStringList>

#include <csignal>
#include <sys/resource.h>

struct CliRun {
    int code = -1; // -1 when the tool did not finish in time
    QString out;
    QString err;
};

// fileSizeLimit > 0 runs the tool as on a disk that is full after that many bytes of a file.
inline CliRun runCli(const QStringList& args, const QString& workingDirectory = QString(), rlim_t fileSizeLimit = 0)
{
    QProcess p;
    p.setWorkingDirectory(workingDirectory);
    if (fileSizeLimit > 0) {
        p.setChildProcessModifier([fileSizeLimit] {
            // Ignored, a write past the limit fails with EFBIG instead of ending the process.
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{fileSizeLimit, fileSizeLimit};
            setrlimit(RLIMIT_FSIZE, &limit);
        });
    }
    p.start(qEnvironmentVariable("TRK_STAGE") + "/V200/trk5120-cli", args);
    if (!p.waitForFinished(30000))
        return {};
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}
