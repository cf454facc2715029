// Output of krovel-cli's subcommands: every byte is checked, so output lost to a full
// disk or another write error is never reported as success. SIGPIPE keeps its default:
// a closed pipe ends the process silently, as the shell's tools end.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "CliCommand.h"
#include "data/core/Unicode.h"

namespace krovel::cli {

int WriteStandardOutput(const char* command, const std::string& text) {
    errno = 0;
    const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
    const bool ok = written && std::fflush(stdout) == 0 && !std::ferror(stdout);
    if (ok) return 0;
    const int cause = errno;
    std::fprintf(stderr, "krovel-cli %s: cannot write standard output: %s\n", command,
                 cause ? std::strerror(cause) : "write error");
    return ExitWriteFailed;
}

int WriteStandardText(const char* command, const std::string& text) {
    return WriteStandardOutput(command, WithoutNul(text));
}

} // namespace krovel::cli
