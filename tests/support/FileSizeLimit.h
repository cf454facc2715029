// Caps the size of files this process may write, for one test: writes beyond the cap
// fail as on a full disk (works for root too, unlike folder permissions). Windows has
// no such cap: there ok() is false, and the tests that need one skip (PosixOnly.h).
#pragma once

#include <csignal>
#include <cstdint>
#ifndef _WIN32
#include <sys/resource.h>
#endif

namespace krovel::testing {

#ifdef _WIN32
class FileSizeLimit {
public:
    explicit FileSizeLimit(std::uintmax_t) {}
    bool ok() const { return false; }
};
#else
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limited = previous_;
        limited.rlim_cur = bytes;
        ok_ = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool ok() const { return ok_; }

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
    bool ok_ = false;
};
#endif

} // namespace krovel::testing
