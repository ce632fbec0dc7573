#pragma once

// The radio simulator of the staging tree on a pseudo-terminal, never a real port of the
// machine, and the image files it keeps the radio's memory in.

#include "image/MemoryImage.h"

#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

inline QString radioSimulatorProgram()
{
    return qEnvironmentVariable("TRK_STAGE") + QStringLiteral("/V200/trk5120-radio-sim");
}

// Starts the simulator on imageFile (its memory, saved back when standard input closes) with
// further options. The pseudo-terminal it serves, "" when it did not start or named none.
inline QString startRadioSimulator(QProcess& sim, const QString& imageFile, const QStringList& options = {})
{
    sim.start(radioSimulatorProgram(),
              QStringList{QStringLiteral("--image"), imageFile, QStringLiteral("--exit-on-stdin-eof")} + options);
    if (!sim.waitForStarted(5000))
        return {};
    while (!sim.canReadLine()) {
        if (!sim.waitForReadyRead(5000))
            return {};
    }
    return QString::fromLocal8Bit(sim.readLine()).trimmed();
}

// The whole image, nothing else; false when the file could not be written.
inline bool writeImageFile(const QString& path, const MemoryImage& image)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(reinterpret_cast<const char*>(image.data()), kImageSize) == kImageSize;
}
