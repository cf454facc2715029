#include "device/io/SerialTransport.h"

#include <QSerialPort>
#include <QSettings>
#include <QThread>
#include <atomic>
#include <cstdlib>
#include <future>
#include <memory>
#include <optional>

#include "base/io/LogCategories.h"
#include "device/core/PortNames.h"
#include "device/core/StreamDecoder.h"

namespace krovel {

namespace {

// How long one wait for input lasts: the delay with which the reader sees its stop flag.
constexpr int ReaderWaitMs = 10;
constexpr qint64 ReceiveBufferSize = 512;

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

// What the reader thread tells OpenSerial: nothing when the port opened, else why not.
using OpenOutcome = std::optional<QString>;

// The reader thread, its stop flag and why the last open failed. The port itself
// belongs to the reader thread from open to close.
class SerialTransport final : public Transport {
public:
    const char* Name() const override { return "the serial port"; }
    // The port the request names is always tried: nothing tells beforehand whether the
    // device is on the line.
    bool Probe() override { return true; }
    bool Open(const LinkRequestRecord& req) override { return OpenPort(req.PortIndex); }
    void Close() override;
    bool ReaderRunning() const override { return reader_ && !reader_->isFinished(); }
    std::string FailureText() const override { return lastFailure_; }

    int32_t OpenPort(int32_t index);

private:
    void ReaderLoop(const QString& path, std::promise<OpenOutcome>& opened);

    std::atomic<int32_t> SerialStop{0};
    std::unique_ptr<QThread> reader_;
    std::string lastFailure_; // written and read on the UI thread only
};

SerialTransport& Serial() {
    static SerialTransport serial;
    return serial;
}

// Runs on the reader thread, which owns the port from open to close.
void SerialTransport::ReaderLoop(const QString& path, std::promise<OpenOutcome>& opened) {
    QSerialPort port;
    port.setPortName(path);
    if (!port.open(QIODevice::ReadOnly)) {
        opened.set_value(port.errorString());
        return;
    }
    ConfigureLine(port);
    port.clear(QSerialPort::AllDirections);
    port.clearError();
    opened.set_value(std::nullopt); // only after the purge: whatever arrives is read

    char buffer[ReceiveBufferSize];
    while (!SerialStop.load()) {
        if (port.bytesAvailable() == 0 && !port.waitForReadyRead(ReaderWaitMs)) {
            const QSerialPort::SerialPortError error = port.error();
            if (error != QSerialPort::NoError && error != QSerialPort::TimeoutError) {
                // The port failed or vanished: no more bytes until the link reopens.
                qCInfo(LinkLog) << "serial port" << path << "lost:" << port.errorString();
                break;
            }
            port.clearError();
            continue;
        }
        qint64 n;
        while ((n = port.read(buffer, ReceiveBufferSize)) > 0) {
            for (qint64 i = 0; i < n; ++i) DecodeByte(static_cast<uint8_t>(buffer[i]));
        }
        if (n < 0) {
            qCInfo(LinkLog) << "serial port" << path << "lost:" << port.errorString();
            break;
        }
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

int32_t SerialTransport::OpenPort(int32_t index) {
    if (reader_) return 0;
    const std::string path = PortDevicePath(index);
    if (path.empty()) {
        lastFailure_ = "port setting " + std::to_string(index) + " names no port";
        return 0;
    }

    SerialStop.store(0);
    auto opened = std::make_shared<std::promise<OpenOutcome>>();
    std::future<OpenOutcome> result = opened->get_future();
    std::unique_ptr<QThread> reader(QThread::create(
        [this, path = QString::fromStdString(path), opened] { ReaderLoop(path, *opened); }));
    reader->start();
    if (const OpenOutcome failure = result.get()) {
        reader->wait();
        lastFailure_ = std::string(PortNames[index]) + " (" + path + "): " + failure->toStdString();
        qCInfo(LinkLog).noquote() << "cannot open serial port"
                                  << QString::fromStdString(lastFailure_);
        return 0;
    }
    lastFailure_.clear();
    qCInfo(LinkLog) << "serial port opened:" << PortNames[index] << path.c_str();
    reader_ = std::move(reader);
    return 1;
}

void SerialTransport::Close() {
    if (!reader_) return;
    SerialStop.store(1);
    reader_->wait();
    reader_.reset();
}

Transport& SerialLink() {
    return Serial();
}

int32_t OpenSerial(int32_t index) {
    return Serial().OpenPort(index);
}

std::string SerialOpenFailure() {
    return Serial().FailureText();
}

void CloseSerial() {
    Serial().Close();
}

bool SerialReaderRunning() {
    return Serial().ReaderRunning();
}

} // namespace krovel
