#include "link/PortDirectory.h"
#include "session/IniFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Devices are made up files in a temporary folder: no real port is ever touched.
class TestPortDirectory : public QObject {
    Q_OBJECT
private slots:
    void init();
    void newDevicesGetStableNumbers();
    void resolveArguments_data();
    void resolveArguments();

private:
    QString makeDevice(const QString& name);
    std::unique_ptr<QTemporaryDir> dir_;
    QString ini_;
};

void TestPortDirectory::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    qputenv("HOME", dir_->path().toUtf8());
    ini_ = dir_->filePath(QStringLiteral("mysetup.ini"));
    QFile file(ini_);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[language]\ncomPort=1\n");
}

QString TestPortDirectory::makeDevice(const QString& name)
{
    const QString path = dir_->filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    return path;
}

void TestPortDirectory::newDevicesGetStableNumbers()
{
    const QString a = makeDevice(QStringLiteral("ttyS0"));
    const QString b = makeDevice(QStringLiteral("usb-adapter"));
    QStringList scanned{a, b};
    PortDirectory directory(ini_, [&] { return scanned; });

    QStringList entries;
    QCOMPARE(EnumeratePorts(entries, directory), int16_t(1));
    QCOMPARE(entries, (QStringList{QStringLiteral("COM1"), QStringLiteral("COM2")}));
    QCOMPARE(ReadIniValue(ini_, QStringLiteral("ports"), QStringLiteral("COM2")), b);
    QCOMPARE(ReadIniValue(ini_, QStringLiteral("language"), QStringLiteral("comPort")), QStringLiteral("1"));

    // Unplugged: COM1 disappears from the list but keeps its number for when it returns.
    QFile::remove(a);
    scanned = {b};
    QCOMPARE(EnumeratePorts(entries, directory), int16_t(2));
    QCOMPARE(entries, QStringList{QStringLiteral("COM2")});
    const QString c = makeDevice(QStringLiteral("ttyACM0"));
    scanned = {b, c};
    directory.refresh();
    QCOMPARE(directory.deviceFor(3), c); // COM1 stays reserved for the unplugged device
    makeDevice(QStringLiteral("ttyS0"));
    scanned = {a, b, c};
    QCOMPARE(EnumeratePorts(entries, directory), int16_t(1));
    QCOMPARE(entries.size(), 3);

    // A number the user gave by hand in the file is honoured.
    const QString pty = makeDevice(QStringLiteral("pts-7"));
    QVERIFY(WriteIniValue(ini_, QStringLiteral("ports"), QStringLiteral("COM9"), pty));
    directory.refresh();
    QCOMPARE(directory.deviceFor(9), pty);
    QCOMPARE(directory.mapping().size(), 4);
}

void TestPortDirectory::resolveArguments_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("device");
    QTest::newRow("mapped number") << "COM5"
                                   << "/dev/pts/42";
    QTest::newRow("lower case") << "com5"
                                << "/dev/pts/42";
    QTest::newRow("unmapped number") << "COM6"
                                     << "";
    QTest::newRow("path as is") << "/dev/pts/3"
                                << "/dev/pts/3";
    QTest::newRow("not a number") << "COM5x"
                                  << "COM5x";
}

void TestPortDirectory::resolveArguments()
{
    QFETCH(QString, argument);
    QFETCH(QString, device);
    QVERIFY(WriteIniValue(ini_, QStringLiteral("ports"), QStringLiteral("COM5"), QStringLiteral("/dev/pts/42")));
    PortDirectory directory(ini_, [] { return QStringList(); });
    QCOMPARE(ResolvePortArgument(argument, directory), device);
}

QTEST_GUILESS_MAIN(TestPortDirectory)
#include "tst_PortDirectory.moc"
