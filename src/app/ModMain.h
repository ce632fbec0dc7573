#pragma once

#include <QByteArray>
#include <QString>

struct AppState;
class Clock;

// Keeps "." as the C library's decimal point while the program runs and gives the
// numeric locale found at start back afterwards. The application object adopts the
// environment's locale when it is created, so force() must come after it.
class DotDecimalPoint {
public:
    DotDecimalPoint() = default;
    DotDecimalPoint(const DotDecimalPoint&) = delete;
    DotDecimalPoint& operator=(const DotDecimalPoint&) = delete;
    ~DotDecimalPoint() { restore(); }
    void force();
    void restore();

private:
    QByteArray saved_;
};

// Start-up before the main window: the version table, "." as the decimal point,
// the settings of mysetup.ini and the start-up document.
void RunStartup(AppState& app, DotDecimalPoint& decimalPoint, const QString& programFolder, const QString& programName,
                const QString& systemLocaleName, const Clock& clock);
