// `krovel-cli print` runs krovel-cli-print, which sits beside krovel-cli (in the build
// tree and when installed), so the other commands start without loading Qt Gui.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "CliCommand.h"
#include "PrintCommand.h"

namespace krovel::cli {
namespace {

// krovel-cli-print beside the running krovel-cli; when the kernel cannot say where
// that is, the one on PATH.
std::string PrintProgram() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return "krovel-cli-print";
    return (self.parent_path() / "krovel-cli-print").string();
}

int RunPrintProgram(int argc, char** argv) {
    const std::string program = PrintProgram();
    std::vector<char*> args(argv, argv + argc);
    args[0] = const_cast<char*>(program.c_str());
    args.push_back(nullptr);
    std::fflush(nullptr);
    execvp(program.c_str(), args.data());
    // Only reached when the program could not be started; the statuses a shell gives.
    const int cause = errno;
    std::fprintf(stderr, "krovel-cli print: cannot run %s: %s\n", program.c_str(),
                 std::strerror(cause));
    return cause == ENOENT ? 127 : 126;
}

const bool registered = RegisterCliCommand({"print", PrintUsage, RunPrintProgram});

} // namespace
} // namespace krovel::cli
