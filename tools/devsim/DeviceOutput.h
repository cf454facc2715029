// Where krovel-devsim sends the device's bytes: a pseudo-terminal it creates (a program
// opens its slave side like a serial port) or an existing serial port or file.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "base/core/Status.h"

namespace krovel::devsim {

class DeviceOutput {
public:
    ~DeviceOutput();

    // Creates a pseudo-terminal in raw mode; its slave path is then SlavePath().
    Status OpenPseudoTerminal();
    // Opens an existing port (57600 8N1 raw when it is a terminal) or file for writing.
    Status OpenPath(const std::string& path);

    const std::string& SlavePath() const { return slavePath_; }
    bool IsPseudoTerminal() const { return pty_; }

    // Pseudo-terminal only: wait until a program has the slave side open / has closed it.
    void WaitForReader();
    bool ReaderGone() const;
    void WaitUntilReaderGone();

    // Waits ms; false when a pseudo-terminal's reader went away meanwhile.
    bool Pause(int ms);
    bool Write(std::span<const uint8_t> bytes);

private:
    int fd_ = -1;
    bool pty_ = false;
    std::string slavePath_;
};

} // namespace krovel::devsim
