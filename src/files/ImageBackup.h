#pragma once

#include "image/MemoryImage.h"

#include <QDateTime>
#include <QString>

// Every image read from a radio is kept as a raw 16,384-byte file, so the radio's contents
// from before any change can be recovered (trk5120-cli decode turns one back into a pair).

// <user data folder>/TRK5120/backups (~/.local/share/TRK5120/backups); the program and the
// command-line tool find the same folder whatever their application names. Empty when the
// system names no data folder.
QString BackupFolder();

// YYYYMMDD-HHMMSS_<model>_<firmware>.img. The radio's texts are reduced to [A-Za-z0-9._-]
// (anything else becomes "_", nothing at all "unknown"), so no byte from the radio can
// reach the file system as a path.
QString BackupFileName(const QDateTime& when, const QString& model, const QString& firmware);

struct BackupResult {
    bool written = false;
    QString path; // the file written, or where it was meant to go
};

// Writes the image into folder (made when missing) under BackupFileName; a name already
// taken gets "-2", "-3", ... before ".img". The file appears complete or not at all.
BackupResult WriteImageBackup(const QString& folder, const MemoryImage& image, const QString& model,
                              const QString& firmware, const QDateTime& when);
