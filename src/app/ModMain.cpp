#include "app/ModMain.h"

#include "session/AppState.h"
#include "session/SettingsLocation.h"

#include <clocale>

void DotDecimalPoint::force()
{
    if (saved_.isEmpty()) {
        const char* current = std::setlocale(LC_NUMERIC, nullptr);
        saved_ = current ? QByteArray(current) : QByteArray("C");
    }
    std::setlocale(LC_NUMERIC, "C");
}

void DotDecimalPoint::restore()
{
    if (saved_.isEmpty())
        return;
    std::setlocale(LC_NUMERIC, saved_.constData());
    saved_.clear();
}

void RunStartup(AppState& app, DotDecimalPoint& decimalPoint, const QString& programFolder, const QString& programName,
                const QString& systemLocaleName, const Clock& clock)
{
    app.Paths.programFolder = programFolder;
    app.Paths.programName = programName;
    app.Paths.settingsPath = LocateSettingsFile(app.Paths.installedSettingsFile());
    app.Versions = LoadVersionTable(app.Paths);
    decimalPoint.force();
    app.Settings = ReadSettings(app.Paths.settingsFile(), systemLocaleName);
    NewDocument(app, clock);
}
