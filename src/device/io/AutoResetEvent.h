// An auto-reset event: Signal wakes one wait (or the next one, if nobody waits yet);
// a successful wait resets it.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace krovel {

class AutoResetEvent {
public:
    void Signal() {
        {
            std::lock_guard lock(mutex_);
            signalled_ = true;
        }
        cv_.notify_one();
    }

    // True when signalled within the timeout.
    bool WaitFor(std::chrono::milliseconds timeout) {
        std::unique_lock lock(mutex_);
        if (!cv_.wait_for(lock, timeout, [this] { return signalled_; })) return false;
        signalled_ = false;
        return true;
    }

private:
    std::mutex mutex_;
    std::condition_variable cv_;
    bool signalled_ = false;
};

} // namespace krovel
