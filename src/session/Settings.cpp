#include "session/Settings.h"

#include "document/Conversions.h"
#include "session/IniFile.h"

#include <QLocale>

namespace {

const QString kSection = QStringLiteral("language");

std::optional<bool> booleanOf(const QString& text)
{
    if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    if (const auto number = ParseNumber(text))
        return *number != 0.0;
    return std::nullopt;
}

} // namespace

int16_t LanguageOfLocale(const QString& localeName)
{
    const QLocale locale(localeName);
    const bool prc = locale.language() == QLocale::Chinese &&
                     (locale.territory() == QLocale::China || localeName.startsWith(QLatin1String("zh_CN")));
    return prc ? 2 : 1;
}

AppSettings ReadSettings(const QString& settingsFile, const QString& systemLocaleName)
{
    AppSettings s;
    s.comPort = 1;
    s.LanguageIndex = s.SystemLanguage = s.AppliedLanguage = LanguageOfLocale(systemLocaleName);

    // A missing or unreadable first-run flag counts as a first run: the settings are
    // then adopted from this machine, which is what a fresh installation wants.
    const bool firstRun = booleanOf(ReadIniValue(settingsFile, kSection, QStringLiteral("IsFirstRun"))).value_or(true);
    const int16_t port = ToIntOr(ReadIniValue(settingsFile, kSection, QStringLiteral("comPort")), 1);
    s.comPort = port >= 0 ? port : 1;
    s.Handshaking = ToIntOr(ReadIniValue(settingsFile, kSection, QStringLiteral("Handshaking")), 0);
    s.StopBit = ToIntOr(ReadIniValue(settingsFile, kSection, QStringLiteral("StopBit")), 1);
    // Written only when the user changes it; anything but 1 leaves writes unverified.
    const int16_t verify = ToIntOr(ReadIniValue(settingsFile, kSection, QStringLiteral("VerifyWrite")), 0);
    s.VerifyWrite = verify == 1 ? 1 : 0;

    if (firstRun) {
        WriteSetting(settingsFile, QStringLiteral("IsFirstRun"), QStringLiteral("0"));
    } else {
        const int16_t stored = ToIntOr(ReadIniValue(settingsFile, kSection, QStringLiteral("CurrentLanguage")), 0);
        if (stored == 1 || stored == 2)
            s.LanguageIndex = stored;
    }
    WriteSetting(settingsFile, QStringLiteral("comPort"), QString::number(s.comPort));
    WriteSetting(settingsFile, QStringLiteral("CurrentLanguage"), QString::number(s.LanguageIndex));
    return s;
}

bool WriteSetting(const QString& settingsFile, const QString& key, const QString& value)
{
    return WriteIniValue(settingsFile, kSection, key, value);
}
