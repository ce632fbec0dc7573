#pragma once

#include <QString>
#include <QStringList>

class UserPrompt;

// Version.ini: which software version handles which firmware or data-file version.
struct VersionTable {
    QString CurrentVersion;
    QStringList SoftVersions;
    QStringList FirmPairs; // 2m entries: software, other, software, other, ...
};

// Starts another program; the GUI and CLI use QProcess, tests record the call.
class ProgramLauncher {
public:
    virtual ~ProgramLauncher() = default;
    virtual bool start(const QString& path) = 0;
    virtual void exitNow() = 0; // end this program at once, exit code 0
};

struct ProgramPaths {
    QString programFolder; // the folder of the executable, e.g. DIR/V200
    QString programName;   // the executable's file name without extension
    QString settingsPath;  // the mysetup.ini in use, chosen at start-up; empty: the installed one
    QString installRoot() const;
    QString versionFile() const;           // installRoot/Version.ini
    QString settingsFile() const;          // settingsPath, else installedSettingsFile()
    QString installedSettingsFile() const; // installRoot/language/mysetup.ini
    QString initFolder() const;            // programFolder/Init
};

// Reads installRoot/Version.ini; a missing file or key leaves the table empty (nothing is compatible).
VersionTable LoadVersionTable(const ProgramPaths& paths);
bool IsValidVersionCode(const QString& text);
bool IsCompatibleVersion(const VersionTable& table, const QString& software, const QString& other);
QString SoftVersionFor(const VersionTable& table, const QString& other);
QString VersionShown(const QString& code); // "V200" -> "V2.00"
// kind: 0 firmware, 1 data file
QString BuildVersionMessage(const QString& software, const QString& other, int kind, int language);
// Returns false when the target could not be started (caller reports it); shows
// MsgFailToStart itself when no version handles `other` (and returns true: handled).
bool LaunchVersion(const VersionTable& table, const ProgramPaths& paths, const QString& other, UserPrompt& prompt,
                   int language, ProgramLauncher& launcher);
