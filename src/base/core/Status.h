// Whether an operation of the core or io layers succeeded and, when it did not, why:
// the one way those layers report a cause. The message is a short phrase ("Permission
// denied") that the caller puts after its own words.
#pragma once

#include <string>
#include <utility>

namespace krovel {

class Status {
public:
    static Status Ok() { return Status(true, std::string()); }
    static Status Fail(std::string message) { return Status(false, std::move(message)); }

    explicit operator bool() const { return ok_; }
    bool ok() const { return ok_; }
    // Why it failed; empty when it succeeded.
    const std::string& message() const { return message_; }

private:
    Status(bool ok, std::string message) : ok_(ok), message_(std::move(message)) {}

    bool ok_;
    std::string message_;
};

} // namespace krovel
