// krovel-cli show FILE: the contents of a measurement file as JSON on standard output.
// A file the program would refuse gives its message on standard error and status 2.
#include <cstdio>
#include <memory>

#include "CliCommand.h"
#include "MeasurementInput.h"
#include "TableJson.h"

namespace krovel::cli {

namespace {

int RunShow(int argc, char** argv) {
    const CommandHelp help =
        SubcommandHelp("show", "show FILE", "Prints a measurement file as JSON.");
    ArgumentParser parser;
    parser.addPositionalArgument("FILE", "a .krvx file");
    if (auto exit = ParseCommandLine(parser, ArgumentList(argc, argv), help)) return *exit;
    const std::vector<std::string>& files = parser.positionalArguments();
    if (auto problem = OneFileProblem(files)) return Refuse(help.command, *problem);

    auto scratch = std::make_unique<MeasurementScratch>();
    if (auto exit = LoadMeasurementArgument(help.command, files.front(), *scratch)) return *exit;
    std::string json = TableJson(VersionText(scratch->Version), scratch->Header, scratch->Series);
    return WriteStandardOutput("show", json);
}

const bool registered = RegisterCliCommand({"show", "show FILE", RunShow});

} // namespace

} // namespace krovel::cli
