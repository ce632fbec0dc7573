#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

// Why a port could not be opened, so the message can say what to do about it.
enum class LinkOpenFailure { None, NoDevice, NotFound, Permission, InUse, Other };

struct LinkOpenResult {
    LinkOpenFailure failure = LinkOpenFailure::None;
    QString deviceGroup; // owning group of the device when permission was refused
    bool opened() const { return failure == LinkOpenFailure::None; }
};

// One serial line at 9600 baud, 8 data bits, no parity, 1 stop bit, no flow control.
// Receiving is event driven: thresholdReached() fires once at least the threshold of
// bytes is buffered, and readAll() then takes everything buffered at once.
class SerialLink : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~SerialLink() override = default;

    virtual LinkOpenResult open(const QString& device) = 0;
    virtual bool isOpen() const = 0;
    virtual void close() = 0;
    virtual void discardBuffers() = 0; // output first, then input
    virtual void setReceiveThreshold(int bytes) = 0;
    virtual bool write(const QByteArray& bytes) = 0;
    virtual QByteArray readAll() = 0;

signals:
    void thresholdReached();
    // The port failed while open (device gone, peer of a pseudo-terminal dead); it is closed already.
    void linkLost();
};
