#include "link/QtSerialLink.h"

#include <QFileInfo>

QtSerialLink::QtSerialLink(QObject* parent) : SerialLink(parent)
{
    connect(&port_, &QSerialPort::readyRead, this, &QtSerialLink::onReadyRead);
    connect(&port_, &QSerialPort::errorOccurred, this, &QtSerialLink::onError);
}

QtSerialLink::~QtSerialLink()
{
    port_.close();
}

namespace {

LinkOpenResult FailureOf(QSerialPort::SerialPortError error, const QString& device)
{
    LinkOpenResult result;
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        result.failure = LinkOpenFailure::NotFound;
        break;
    case QSerialPort::PermissionError: {
        // QSerialPort reports a port locked by another program as a permission error too;
        // only a device we may not read and write is a matter of group membership.
        const QFileInfo info(QFileInfo(device).canonicalFilePath());
        if (info.exists() && !(info.isReadable() && info.isWritable())) {
            result.failure = LinkOpenFailure::Permission;
            result.deviceGroup = info.group();
        } else {
            result.failure = LinkOpenFailure::InUse;
        }
        break;
    }
    default:
        result.failure = LinkOpenFailure::Other;
        break;
    }
    return result;
}

} // namespace

LinkOpenResult QtSerialLink::open(const QString& device)
{
    close();
    if (device.isEmpty())
        return {LinkOpenFailure::NoDevice, {}};
    threshold_ = 1;
    port_.setPortName(device);
    port_.setBaudRate(QSerialPort::Baud9600);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    // No reply is longer than a few dozen bytes. A bounded buffer keeps QSerialPort from
    // setting aside a fresh 32 KiB for every byte that trickles in at 9600 baud.
    port_.setReadBufferSize(kReadBufferBytes);
    if (!port_.open(QIODevice::ReadWrite)) {
        const LinkOpenResult result = FailureOf(port_.error(), device);
        port_.clearError();
        return result;
    }
    // A pseudo-terminal refuses some line ioctls; the line itself works, so that is not a failure.
    port_.clearError();
    port_.clear(QSerialPort::AllDirections);
    return {};
}

bool QtSerialLink::isOpen() const
{
    return port_.isOpen();
}

void QtSerialLink::close()
{
    if (port_.isOpen())
        port_.close();
}

void QtSerialLink::discardBuffers()
{
    if (!port_.isOpen())
        return;
    // Reading first matters: a full buffer stops QSerialPort from reading the device, and
    // only a read, not a clear, lets it start again.
    port_.readAll();
    port_.clear(QSerialPort::AllDirections);
}

void QtSerialLink::setReceiveThreshold(int bytes)
{
    threshold_ = bytes < 1 ? 1 : bytes;
}

bool QtSerialLink::write(const QByteArray& bytes)
{
    if (!port_.isOpen())
        return false;
    if (port_.write(bytes) != bytes.size())
        return false;
    // QSerialPort would otherwise hand the frame to the device only on the next pass of the
    // event loop; the radio's answer cannot start before the frame has gone.
    port_.flush();
    return true;
}

QByteArray QtSerialLink::readAll()
{
    return port_.isOpen() ? port_.readAll() : QByteArray();
}

void QtSerialLink::onReadyRead()
{
    if (port_.isOpen() && port_.bytesAvailable() >= threshold_)
        emit thresholdReached();
}

void QtSerialLink::onError(QSerialPort::SerialPortError error)
{
    switch (error) {
    case QSerialPort::ReadError:
    case QSerialPort::WriteError:
    case QSerialPort::ResourceError:
        break;
    default:
        return;
    }
    if (!port_.isOpen())
        return;
    // A dead peer makes the port report these errors endlessly while it stays open.
    port_.close();
    port_.clearError();
    emit linkLost();
}
