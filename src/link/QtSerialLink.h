#pragma once

#include "link/SerialLink.h"

#include <QSerialPort>

class QtSerialLink final : public SerialLink {
    Q_OBJECT
public:
    explicit QtSerialLink(QObject* parent = nullptr);
    ~QtSerialLink() override;

    LinkOpenResult open(const QString& device) override;
    bool isOpen() const override;
    void close() override;
    void discardBuffers() override;
    void setReceiveThreshold(int bytes) override;
    bool write(const QByteArray& bytes) override;
    QByteArray readAll() override;

private:
    void onReadyRead();
    void onError(QSerialPort::SerialPortError error);

    QSerialPort port_;
    int threshold_ = 1;
    static constexpr qint64 kReadBufferBytes = 8192;
};
