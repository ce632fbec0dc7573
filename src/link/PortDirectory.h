#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

// Serial ports are offered as "COM" followed by a number on every platform. On Linux a
// device path gets its number once and keeps it: the numbers live in section "ports" of
// mysetup.ini (COM1=/dev/ttyS0, COM2=/dev/serial/by-id/usb-..., ...), where the user may
// read and edit them, so any device path, a pseudo-terminal included, can carry a number.
struct PortEntry {
    int number = 0;
    QString device;
    QString name() const { return QStringLiteral("COM") + QString::number(number); }
};

inline const QString kPortSection = QStringLiteral("ports");
constexpr int kHighestPortNumber = 999; // three digits, as a port entry holds

using DeviceScanner = std::function<QStringList()>;
// The serial devices of the machine; USB adapters by their /dev/serial/by-id name where one exists,
// so that a re-plugged adapter keeps its number.
QStringList ScanSerialDevices();

class PortDirectory {
public:
    explicit PortDirectory(QString settingsFile, DeviceScanner scanner = ScanSerialDevices);
    // Scans the devices, gives each new one the lowest free number (written to the settings
    // file) and returns the ports present now, ordered by number.
    QList<PortEntry> refresh();
    // The device of a port number, from the file; empty when the number is not mapped.
    QString deviceFor(int number) const;
    QList<PortEntry> mapping() const; // every entry of the file, present or not

private:
    QString settingsFile_;
    DeviceScanner scanner_;
};

// Port enumeration for the port window: fills `list` with "COMn" entries of the ports present
// and returns the number of the first one, 0 when there is none.
int16_t EnumeratePorts(QStringList& list, PortDirectory& directory);
// Port number of an entry such as "COM3"; 0 when it is not of that form.
int PortNumberOf(const QString& entry);
// A port argument: "COMn" (any case) is looked up in the file, anything else is a device path used as is.
QString ResolvePortArgument(const QString& argument, PortDirectory& directory);
