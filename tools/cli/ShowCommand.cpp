// krovel-cli show FILE: the contents of a measurement file as JSON on standard output.
// A file the program would refuse gives its message on standard error and status 2.
#include <cstdio>
#include <memory>

#include "CliCommand.h"
#include "TableJson.h"
#include "data/core/MeasurementFile.h"

namespace krovel::cli {

namespace {

int RunShow(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: krovel-cli show FILE\n");
        return ExitRefused;
    }
    auto scratch = std::make_unique<MeasurementScratch>();
    FileLoadError error = LoadMeasurementFile(argv[1], *scratch);
    if (error != FileLoadError::None) {
        std::fprintf(stderr, "%s\n", FileLoadErrorText(error));
        return ExitRefused;
    }
    std::string json = TableJson(VersionText(scratch->Version), scratch->Header, scratch->Series);
    return WriteStandardOutput("show", json);
}

const bool registered = RegisterCliCommand({"show", "show FILE", RunShow});

} // namespace

} // namespace krovel::cli
