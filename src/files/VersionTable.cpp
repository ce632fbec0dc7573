#include "files/VersionTable.h"

#include "document/Conversions.h"
#include "i18n/Texts.h"
#include "session/IniFile.h"
#include "session/UserPrompt.h"

#include <algorithm>

namespace {

// Version.ini is installation data that anyone can edit; a count this large is a
// typing error, not a real installation, and must not make start-up crawl.
constexpr int kMaxVersionEntries = 1000;

QString readVersionValue(const QString& file, const QString& section, const QString& key)
{
    return TrimFixed(ReadIniValue(file, section, key).trimmed());
}

// A usable count: a plain decimal number of at least 1, capped; 0 otherwise.
int readCount(const QString& file, const QString& key)
{
    const QString text = readVersionValue(file, QStringLiteral("Version"), key);
    if (!IsDigitsOnly(text))
        return 0;
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    if (!ok)
        return kMaxVersionEntries;
    return static_cast<int>(std::min<qlonglong>(value, kMaxVersionEntries));
}

} // namespace

QString ProgramPaths::installRoot() const
{
    return InstallRoot(programFolder);
}

QString ProgramPaths::versionFile() const
{
    return installRoot() + QStringLiteral("/Version.ini");
}

QString ProgramPaths::settingsFile() const
{
    return settingsPath.isEmpty() ? installedSettingsFile() : settingsPath;
}

QString ProgramPaths::installedSettingsFile() const
{
    return installRoot() + QStringLiteral("/language/mysetup.ini");
}

QString ProgramPaths::initFolder() const
{
    return programFolder + QStringLiteral("/Init");
}

VersionTable LoadVersionTable(const ProgramPaths& paths)
{
    VersionTable table;
    const QString file = paths.versionFile();
    const int softCount = readCount(file, QStringLiteral("SoftVersionCount"));
    const int firmCount = readCount(file, QStringLiteral("FirmVersionCount"));
    if (softCount == 0 || firmCount == 0)
        return table;

    table.CurrentVersion = readVersionValue(file, QStringLiteral("Version"), QStringLiteral("CurrentVersion"));
    for (int i = 0; i < softCount; ++i)
        table.SoftVersions.append(readVersionValue(file, QStringLiteral("Soft"), QStringLiteral("Version%1").arg(i)));
    for (int j = 0; j < firmCount; ++j) {
        const QString pair = readVersionValue(file, QStringLiteral("Firm"), QStringLiteral("Firm%1").arg(j));
        table.FirmPairs.append(pair.left(4));
        table.FirmPairs.append(pair.right(4));
    }
    return table;
}

bool IsValidVersionCode(const QString& text)
{
    const QString code = TrimFixed(text);
    if (code.size() != 4 || code[0] != QLatin1Char('V'))
        return false;
    for (int i = 1; i < 4; ++i) {
        if (code[i] < QLatin1Char('0') || code[i] > QLatin1Char('9'))
            return false;
    }
    return true;
}

bool IsCompatibleVersion(const VersionTable& table, const QString& software, const QString& other)
{
    for (qsizetype j = 0; j + 1 < table.FirmPairs.size(); j += 2) {
        if (table.FirmPairs[j] == software && table.FirmPairs[j + 1] == other)
            return true;
    }
    return false;
}

QString SoftVersionFor(const VersionTable& table, const QString& other)
{
    for (qsizetype j = 0; j + 1 < table.FirmPairs.size(); j += 2) {
        if (table.FirmPairs[j + 1] == other)
            return table.FirmPairs[j];
    }
    return QString();
}

QString VersionShown(const QString& code)
{
    return code.left(2) + QLatin1Char('.') + code.right(2);
}

QString BuildVersionMessage(const QString& software, const QString& other, int kind, int language)
{
    const QString crlf = QStringLiteral("\r\n");
    const QString lineA = crlf + Text(Msg::SoftwareIs, language) + QLatin1Char(' ') + VersionShown(software);
    const Msg otherLabel = kind == 0 ? Msg::FirmwareVersionIs : Msg::DataFileVersionIs;
    const QString lineB = crlf + Text(otherLabel, language) + QLatin1Char(' ') + VersionShown(other);
    return Text(Msg::Incompatible, language) + lineB + lineA;
}

bool LaunchVersion(const VersionTable& table, const ProgramPaths& paths, const QString& other, UserPrompt& prompt,
                   int language, ProgramLauncher& launcher)
{
    const QString software = SoftVersionFor(table, other);
    // The software version becomes a folder name: anything but a clean version code
    // (say "../x" typed into Version.ini) would start a program from somewhere else.
    if (software.size() != 4 || !IsValidVersionCode(software)) {
        prompt.tell(PromptId::StartFailed, Text(Msg::FailToStart, language));
        return true;
    }
    QString target =
        ParentFolder(paths.programFolder) + QLatin1Char('/') + software + QLatin1Char('/') + paths.programName;
#ifdef Q_OS_WIN
    target += QStringLiteral(".exe");
#endif
    if (!launcher.start(target))
        return false;
    launcher.exitNow();
    return true;
}
