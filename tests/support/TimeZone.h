// Puts this process's local time on UTC, so dates and times in the output do not
// depend on the machine running the tests.
#pragma once

#include <cstdlib>
#include <ctime>

namespace krovel::testing {

inline void UseUtcAsLocalTime() {
#ifdef _WIN32
    _putenv_s("TZ", "UTC");
    _tzset();
#else
    setenv("TZ", "UTC", 1);
    tzset();
#endif
}

} // namespace krovel::testing
