// Shared pieces of the link tests: a clean model, decoder and link per test, a simulated
// FTDI bus installed as the USB backend, serial ports pointed away from real hardware,
// a pseudo-terminal standing in for a serial line, and waiting for the reader thread.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <stdlib.h>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "data/core/DataModel.h"
#include "device/core/DeviceSession.h"
#include "device/core/HandOver.h"
#include "device/core/PortNames.h"
#include "device/core/StreamDecoder.h"
#include "device/io/DeviceLink.h"
#include "device/io/FtdiBackend.h"
#include "device/io/SimulatedFtdiBus.h"
#include "support/TempFolder.h"

namespace krovel::testing {

// Polls cond until it holds; false after the timeout (a reader that never delivers).
template <class Cond>
bool WaitUntil(Cond cond, std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!cond()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// The master side of a pseudo-terminal; the code under test opens SlavePath() as its port.
class PseudoTerminal {
public:
    PseudoTerminal() {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ >= 0 && grantpt(master_) == 0 && unlockpt(master_) == 0 && ptsname(master_))
            slavePath_ = ptsname(master_);
    }
    ~PseudoTerminal() { CloseMaster(); }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool ok() const { return !slavePath_.empty(); }
    const std::string& SlavePath() const { return slavePath_; }
    bool Write(std::span<const uint8_t> bytes) {
        return write(master_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    }
    // The line goes away as when the device is unplugged.
    void CloseMaster() {
        if (master_ >= 0) close(master_);
        master_ = -1;
    }

private:
    int master_ = -1;
    std::string slavePath_;
};

inline void PointPort(int index, const std::string& path) {
    setenv(("KROVEL_PORT_" + std::string(PortNames[index])).c_str(), path.c_str(), 1);
}

// Frames of a set, as the device sends them live.
inline std::vector<uint8_t> SetFrames(const SessionSet& set) {
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i < set.Reps.size(); ++i) {
        const LiveFrameBytesArray frame = EncodeLiveFrame(set, set.Reps[i], i == 0);
        bytes.insert(bytes.end(), frame.begin(), frame.end());
    }
    return bytes;
}

inline SessionSet MakeSet(uint8_t mass, int reps) {
    SessionSet set{mass, 90, 100, {}};
    for (int i = 0; i < reps; ++i) set.Reps.push_back({1.0 - 0.02 * i, 1.5 - 0.03 * i, 200.0 + i});
    return set;
}

class LinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Settings of the person running the tests stay out of the way, and no test
        // opens a real serial port.
        static const TempFolder config; // removed when the test binary ends
        setenv("XDG_CONFIG_HOME", config.ok() ? config.path().c_str() : "/tmp", 1);
        for (int i = 0; i < PortCount; ++i)
            PointPort(i, "/nonexistent/krovel-tty" + std::to_string(i));
        ResetDataModel();
        LiveDecoder.Reset();
        BulkCollector.Reset();
        UseFtdiApi(&bus);
    }
    void TearDown() override {
        DeviceLink.Reset();
        AttachLinkRequest(nullptr);
        UseFtdiApi(nullptr);
    }

    // A live request as the measurement fills it before it opens the link.
    static LinkRequestRecord LiveRequest(int32_t port = 0) { return {port, 0, 0, 0, 1}; }

    SimulatedFtdiBus bus;
};

} // namespace krovel::testing
