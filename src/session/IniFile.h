#pragma once

#include <QString>

// Private-profile INI access: sections in brackets, key=value lines; names compare
// without regard to case; a missing file, section or key reads as empty text; a write
// replaces or adds one line and keeps every other line as it was.
QString ReadIniValue(const QString& path, const QString& section, const QString& key);
bool WriteIniValue(const QString& path, const QString& section, const QString& key, const QString& value);
