#include "link/PortDirectory.h"

#include "document/Conversions.h"
#include "session/IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSerialPortInfo>

#include <algorithm>
#include <map>

QStringList ScanSerialDevices()
{
    QStringList devices;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        devices.append(info.systemLocation());
    std::sort(devices.begin(), devices.end());

    const QDir byId(QStringLiteral("/dev/serial/by-id"));
    const QFileInfoList links = byId.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& link : links) {
        const QString target = link.canonicalFilePath();
        if (target.isEmpty())
            continue;
        const qsizetype at = devices.indexOf(target);
        if (at >= 0)
            devices[at] = link.absoluteFilePath();
        else
            devices.append(link.absoluteFilePath());
    }
    return devices;
}

namespace {

// Reads the whole port section at once; the port window refreshes every second and one
// key lookup per possible number would read the file hundreds of times.
std::map<int, QString> ReadPortSection(const QString& settingsFile)
{
    std::map<int, QString> ports;
    QFile file(settingsFile);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return ports;
    bool inSection = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            inSection = line.mid(1, line.size() - 2).trimmed().compare(kPortSection, Qt::CaseInsensitive) == 0;
            continue;
        }
        if (!inSection)
            continue;
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals <= 0)
            continue;
        const int number = PortNumberOf(line.left(equals).trimmed());
        const QString device = line.mid(equals + 1).trimmed();
        if (number > 0 && !device.isEmpty() && ports.find(number) == ports.end())
            ports[number] = device;
    }
    return ports;
}

QString SameDeviceKey(const QString& device)
{
    const QString canonical = QFileInfo(device).canonicalFilePath();
    return canonical.isEmpty() ? device : canonical;
}

} // namespace

PortDirectory::PortDirectory(QString settingsFile, DeviceScanner scanner)
    : settingsFile_(std::move(settingsFile)), scanner_(std::move(scanner))
{
}

QList<PortEntry> PortDirectory::mapping() const
{
    QList<PortEntry> entries;
    for (const auto& [number, device] : ReadPortSection(settingsFile_))
        entries.append({number, device});
    return entries;
}

QString PortDirectory::deviceFor(int number) const
{
    const auto ports = ReadPortSection(settingsFile_);
    const auto found = ports.find(number);
    return found == ports.end() ? QString() : found->second;
}

QList<PortEntry> PortDirectory::refresh()
{
    std::map<int, QString> ports = ReadPortSection(settingsFile_);
    QStringList knownKeys;
    for (const auto& entry : ports)
        knownKeys.append(SameDeviceKey(entry.second));

    for (const QString& device : scanner_()) {
        if (device.isEmpty())
            continue;
        const QString key = SameDeviceKey(device);
        if (knownKeys.contains(key))
            continue;
        int number = 1;
        while (number <= kHighestPortNumber && ports.find(number) != ports.end())
            ++number;
        if (number > kHighestPortNumber)
            break;
        ports[number] = device;
        knownKeys.append(key);
        // A file we cannot write still gives this run its numbers; they are simply not kept.
        WriteIniValue(settingsFile_, kPortSection, QStringLiteral("COM") + QString::number(number), device);
    }

    QList<PortEntry> present;
    for (const auto& [number, device] : ports) {
        if (QFileInfo::exists(device))
            present.append({number, device});
    }
    return present;
}

int16_t EnumeratePorts(QStringList& list, PortDirectory& directory)
{
    list.clear();
    const QList<PortEntry> ports = directory.refresh();
    for (const PortEntry& port : ports)
        list.append(port.name());
    return ports.isEmpty() ? 0 : int16_t(ports.first().number);
}

int PortNumberOf(const QString& entry)
{
    if (entry.size() < 4 || !entry.startsWith(QStringLiteral("COM"), Qt::CaseInsensitive))
        return 0;
    const QString digits = entry.mid(3);
    if (!IsDigitsOnly(digits) || digits.size() > 3)
        return 0;
    const int number = digits.toInt();
    return number >= 1 && number <= kHighestPortNumber ? number : 0;
}

QString ResolvePortArgument(const QString& argument, PortDirectory& directory)
{
    const int number = PortNumberOf(argument.trimmed());
    if (number == 0)
        return argument;
    QString device = directory.deviceFor(number);
    if (device.isEmpty()) {
        directory.refresh();
        device = directory.deviceFor(number);
    }
    return device;
}
