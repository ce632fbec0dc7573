#pragma once

#include <QString>

#include <cstdint>

// The settings kept in mysetup.ini and the language state derived at start-up.
struct AppSettings {
    int16_t LanguageIndex = 1;
    int16_t SystemLanguage = 1;
    int16_t AppliedLanguage = 1;
    int16_t comPort = 1;
    int16_t Handshaking = 0;
    int16_t StopBit = 1;
    int16_t VerifyWrite = 0; // 1: every write is read back and compared
};

// Language of a locale name such as "zh_CN": 2 for Chinese (PRC), else 1.
int16_t LanguageOfLocale(const QString& localeName);
// Steps 4 to 7 of start-up: reads and rewrites the settings file.
AppSettings ReadSettings(const QString& settingsFile, const QString& systemLocaleName);
// Writes one key of section "language", keeping every other line.
bool WriteSetting(const QString& settingsFile, const QString& key, const QString& value);
