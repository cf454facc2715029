// krovel-cli-print: `krovel-cli print` as a program of its own, the one part of
// krovel-cli that needs Qt Gui; krovel-cli runs it with the same arguments.
#include <clocale>

#include "PrintCommand.h"
#include "base/io/LogCategories.h"

int main(int argc, char** argv) {
    // Numbers follow the user's locale, as in the program.
    std::setlocale(LC_NUMERIC, "");
    krovel::LogFileWarnings();
    return krovel::cli::RunPrint(argc, argv);
}
