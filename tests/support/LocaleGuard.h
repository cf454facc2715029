// Switches LC_NUMERIC for one test and puts the previous locale back afterwards.
#pragma once

#include <clocale>
#include <string>

namespace krovel::testing {

class LocaleGuard {
public:
    explicit LocaleGuard(const char* name) {
        const char* old = std::setlocale(LC_NUMERIC, nullptr);
        previous_ = old ? old : "C";
        ok_ = std::setlocale(LC_NUMERIC, name) != nullptr;
    }
    ~LocaleGuard() { std::setlocale(LC_NUMERIC, previous_.c_str()); }
    bool ok() const { return ok_; }

private:
    std::string previous_;
    bool ok_ = false;
};

} // namespace krovel::testing
