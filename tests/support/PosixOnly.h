// Tests that need what only a POSIX system offers (named pipes, permission bits,
// symbolic links that any user may make, a cap on file size, a POSIX shell) skip on
// Windows and say why in the test report.
#pragma once

#include <gtest/gtest.h>

#include <string>
#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#endif

#ifdef _WIN32
#define SKIP_ON_WINDOWS(why) GTEST_SKIP() << "skipped on Windows: " << why
#else
#define SKIP_ON_WINDOWS(why) static_cast<void>(0)
#endif

namespace krovel::testing {

// Makes a named pipe with no writer at path; false where that fails (always on Windows).
inline bool MakeNamedPipe(const std::string& path) {
#ifdef _WIN32
    (void)path;
    return false;
#else
    return mkfifo(path.c_str(), 0600) == 0;
#endif
}

// The exit status of a command that std::system ran, or -1 when it did not exit.
inline int ExitStatusOf(int raw) {
#ifdef _WIN32
    return raw;
#else
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
}

} // namespace krovel::testing
