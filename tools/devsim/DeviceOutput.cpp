#include "DeviceOutput.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace krovel::devsim {

namespace {

void MakeRaw(int fd) {
    termios t{};
    if (tcgetattr(fd, &t) != 0) return;
    cfmakeraw(&t);
    cfsetispeed(&t, B57600);
    cfsetospeed(&t, B57600);
    tcsetattr(fd, TCSANOW, &t);
}

} // namespace

DeviceOutput::~DeviceOutput() {
    if (fd_ >= 0) close(fd_);
}

Status DeviceOutput::OpenPseudoTerminal() {
    fd_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (fd_ < 0 || grantpt(fd_) != 0 || unlockpt(fd_) != 0 || !ptsname(fd_)) {
        return Status::Fail(std::string("cannot create a pseudo-terminal: ") +
                            std::strerror(errno));
    }
    pty_ = true;
    slavePath_ = ptsname(fd_);
    // Raw mode on the slave side, so that no byte is translated before a reader sets
    // its own mode. Closing it again also makes the master report a hang-up until a
    // reader opens the slave: that is how the start of a reader is seen.
    const int slave = open(slavePath_.c_str(), O_RDWR | O_NOCTTY);
    if (slave < 0) return Status::Fail("cannot open " + slavePath_ + ": " + std::strerror(errno));
    MakeRaw(slave);
    close(slave);
    return Status::Ok();
}

Status DeviceOutput::OpenPath(const std::string& path) {
    // A serial port, or a file that is created when missing.
    fd_ = open(path.c_str(), O_WRONLY | O_NOCTTY | O_CREAT, 0666);
    if (fd_ < 0) return Status::Fail("cannot open " + path + ": " + std::strerror(errno));
    struct stat st {};
    // A file holds exactly the bytes of this run, not the tail of an earlier, longer one.
    if (fstat(fd_, &st) == 0 && S_ISREG(st.st_mode) && ftruncate(fd_, 0) != 0)
        return Status::Fail("cannot empty " + path + ": " + std::strerror(errno));
    if (isatty(fd_)) MakeRaw(fd_);
    return Status::Ok();
}

bool DeviceOutput::ReaderGone() const {
    if (!pty_) return false;
    pollfd p{fd_, 0, 0};
    return poll(&p, 1, 0) == 1 && (p.revents & POLLHUP);
}

void DeviceOutput::WaitForReader() {
    while (ReaderGone()) std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

void DeviceOutput::WaitUntilReaderGone() {
    while (pty_ && !ReaderGone()) std::this_thread::sleep_for(std::chrono::milliseconds(50));
}

bool DeviceOutput::Pause(int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
        if (ReaderGone()) return false;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            end - std::chrono::steady_clock::now());
        std::this_thread::sleep_for(std::min(left, std::chrono::milliseconds(20)));
    }
    return !ReaderGone();
}

bool DeviceOutput::Write(std::span<const uint8_t> bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd_, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

} // namespace krovel::devsim
