// `krovel-cli print`: the printed report of a measurement file as an A4 PDF. It draws
// with Qt Gui, so it lives in its own program, krovel-cli-print, which krovel-cli runs.
#pragma once

namespace krovel::cli {

inline constexpr const char* PrintUsage =
    "print FILE --mode digital|exercise|diagnostic [--series N] [--interval K] "
    "[--param-y P] [--data H] [--settings FILE] -o OUT.pdf";

// argv[0] is the command's name; the rest are its arguments.
int RunPrint(int argc, char** argv);

} // namespace krovel::cli
