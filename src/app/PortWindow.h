#pragma once

#include <QDialog>
#include <QStringList>

#include <functional>

class QComboBox;
class QTimer;
struct AppSettings;

// The "Communication Port" window: picks the serial port the radio is programmed through.
class PortWindow final : public QDialog {
    Q_OBJECT
public:
    // listPorts gives the entries "COM<n>" in enumeration order.
    PortWindow(AppSettings& settings, QString settingsFile, std::function<QStringList()> listPorts,
               QWidget* parent = nullptr);
    QComboBox* portList() const { return portList_; }
    int windowPort() const { return windowPort_; }
    void refreshPorts(); // ReShowComPortTimer tick
    // OK: takes the chosen port, stores it in the settings file and closes.
    void acceptPort();

private:
    void fillList();
    void selectPort(int port);
    void takePortFromSelection();

    AppSettings& settings_;
    QString settingsFile_;
    std::function<QStringList()> listPorts_;
    QComboBox* portList_ = nullptr;
    QTimer* ReShowComPortTimer_ = nullptr;
    int windowPort_ = 0;
};
