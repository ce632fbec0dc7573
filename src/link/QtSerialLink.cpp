#include "link/QtSerialLink.h"

#include <QFileInfo>

QtSerialLink::QtSerialLink(QObject* parent) : SerialLink(parent)
{
    connect(&m_port, &QSerialPort::readyRead, this, &QtSerialLink::onReadyRead);
    connect(&m_port, &QSerialPort::errorOccurred, this, &QtSerialLink::onError);
}

QtSerialLink::~QtSerialLink()
{
    m_port.close();
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
    m_threshold = 1;
    m_port.setPortName(device);
    m_port.setBaudRate(QSerialPort::Baud9600);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    // No reply is longer than a few dozen bytes. A bounded buffer keeps QSerialPort from
    // setting aside a fresh 32 KiB for every byte that trickles in at 9600 baud.
    m_port.setReadBufferSize(kReadBufferBytes);
    if (!m_port.open(QIODevice::ReadWrite)) {
        const LinkOpenResult result = FailureOf(m_port.error(), device);
        m_port.clearError();
        return result;
    }
    // A pseudo-terminal refuses some line ioctls; the line itself works, so that is not a failure.
    m_port.clearError();
    m_port.clear(QSerialPort::AllDirections);
    return {};
}

bool QtSerialLink::isOpen() const
{
    return m_port.isOpen();
}

void QtSerialLink::close()
{
    if (m_port.isOpen())
        m_port.close();
}

void QtSerialLink::discardBuffers()
{
    if (!m_port.isOpen())
        return;
    // Reading first matters: a full buffer stops QSerialPort from reading the device, and
    // only a read, not a clear, lets it start again.
    m_port.readAll();
    m_port.clear(QSerialPort::AllDirections);
}

void QtSerialLink::setReceiveThreshold(int bytes)
{
    m_threshold = bytes < 1 ? 1 : bytes;
}

bool QtSerialLink::write(const QByteArray& bytes)
{
    if (!m_port.isOpen())
        return false;
    if (m_port.write(bytes) != bytes.size())
        return false;
    // QSerialPort would otherwise hand the frame to the device only on the next pass of the
    // event loop; the radio's answer cannot start before the frame has gone.
    m_port.flush();
    return true;
}

QByteArray QtSerialLink::readAll()
{
    return m_port.isOpen() ? m_port.readAll() : QByteArray();
}

void QtSerialLink::onReadyRead()
{
    if (m_port.isOpen() && m_port.bytesAvailable() >= m_threshold)
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
    if (!m_port.isOpen())
        return;
    // A dead peer makes the port report these errors endlessly while it stays open.
    m_port.close();
    m_port.clearError();
    emit linkLost();
}
