// Switches LC_NUMERIC for one test and puts the previous locale back afterwards.
#pragma once

#include <algorithm>
#include <clocale>
#include <string>

namespace krovel::testing {

// Sets LC_NUMERIC by its POSIX name ("de_DE.UTF-8"). The Windows C runtime knows the
// locale without the encoding suffix: "de_DE" or, in newer runtimes, "de-DE".
inline bool SetNumericLocale(const char* name) {
    if (std::setlocale(LC_NUMERIC, name)) return true;
#ifdef _WIN32
    std::string windowsName = name;
    windowsName = windowsName.substr(0, windowsName.find('.'));
    if (std::setlocale(LC_NUMERIC, windowsName.c_str())) return true;
    std::replace(windowsName.begin(), windowsName.end(), '_', '-');
    if (std::setlocale(LC_NUMERIC, windowsName.c_str())) return true;
#endif
    return false;
}

class LocaleGuard {
public:
    explicit LocaleGuard(const char* name) {
        const char* old = std::setlocale(LC_NUMERIC, nullptr);
        previous_ = old ? old : "C";
        ok_ = SetNumericLocale(name);
    }
    ~LocaleGuard() { std::setlocale(LC_NUMERIC, previous_.c_str()); }
    bool ok() const { return ok_; }

private:
    std::string previous_;
    bool ok_ = false;
};

} // namespace krovel::testing
