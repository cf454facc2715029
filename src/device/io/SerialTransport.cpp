#include "device/io/SerialTransport.h"

#include <QSerialPort>
#include <QSettings>
#include <QThread>
#include <atomic>
#include <cstdlib>
#include <future>
#include <memory>

#include "device/core/PortNames.h"
#include "device/core/StreamDecoder.h"

namespace krovel {

namespace {

// How long one wait for input lasts: the delay with which the reader sees its stop flag.
constexpr int ReaderWaitMs = 10;
constexpr qint64 ReceiveBufferSize = 512;

std::atomic<int32_t> SerialStop{0};
std::unique_ptr<QThread> serialReader;

void ConfigureLine(QSerialPort& port) {
    port.setBaudRate(57600);
    port.setDataBits(QSerialPort::Data8);
    port.setParity(QSerialPort::NoParity);
    port.setStopBits(QSerialPort::OneStop);
    port.setFlowControl(QSerialPort::NoFlowControl);
    // Hold DTR and RTS on. A pseudo-terminal has no modem lines and refuses both, which
    // is harmless: the line works without them.
    port.setDataTerminalReady(true);
    port.setRequestToSend(true);
    port.clearError();
}

// Runs on the reader thread, which owns the port from open to close.
void SerialReaderLoop(const QString& path, std::promise<bool>& opened) {
    QSerialPort port;
    port.setPortName(path);
    if (!port.open(QIODevice::ReadOnly)) {
        opened.set_value(false);
        return;
    }
    ConfigureLine(port);
    port.clear(QSerialPort::AllDirections);
    port.clearError();
    opened.set_value(true); // only after the purge: whatever arrives from now on is read

    char buffer[ReceiveBufferSize];
    while (!SerialStop.load()) {
        if (port.bytesAvailable() == 0 && !port.waitForReadyRead(ReaderWaitMs)) {
            const QSerialPort::SerialPortError error = port.error();
            if (error != QSerialPort::NoError && error != QSerialPort::TimeoutError)
                break; // the port failed or vanished: no more bytes until the link reopens
            port.clearError();
            continue;
        }
        qint64 n;
        while ((n = port.read(buffer, ReceiveBufferSize)) > 0) {
            for (qint64 i = 0; i < n; ++i) DecodeByte(static_cast<uint8_t>(buffer[i]));
        }
        if (n < 0) break;
    }
    port.close();
}

} // namespace

std::string PortDevicePath(int32_t index) {
    if (!IsPortIndex(index)) return {};
    const std::string name = PortNames[index];
    if (const char* path = std::getenv(("KROVEL_PORT_" + name).c_str()); path && *path) return path;
    const QSettings settings("Marvolen Krovel", "Kelvane");
    const QString configured =
        settings.value(QStringLiteral("Ports/") + QString::fromLatin1(name.c_str())).toString();
    if (!configured.isEmpty()) return configured.toStdString();
    return "/dev/ttyS" + std::to_string(index);
}

int32_t OpenSerial(int32_t index) {
    if (serialReader) return 0;
    const std::string path = PortDevicePath(index);
    if (path.empty()) return 0;

    SerialStop.store(0);
    auto opened = std::make_shared<std::promise<bool>>();
    std::future<bool> result = opened->get_future();
    std::unique_ptr<QThread> reader(QThread::create(
        [path = QString::fromStdString(path), opened] { SerialReaderLoop(path, *opened); }));
    reader->start();
    if (!result.get()) {
        reader->wait();
        return 0;
    }
    serialReader = std::move(reader);
    return 1;
}

void CloseSerial() {
    if (!serialReader) return;
    SerialStop.store(1);
    serialReader->wait();
    serialReader.reset();
}

bool SerialReaderRunning() {
    return serialReader && !serialReader->isFinished();
}

} // namespace krovel
