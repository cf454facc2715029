// krovel-cli exercise FILE [TEXT]
// Prints the exercise a measurement file names, or names it: the file is written anew by
// the program's own encoder with the exercise replaced, through the atomic save, so a
// coach can name old sessions in bulk.
#include <memory>
#include <string>

#include "CliCommand.h"
#include "MeasurementInput.h"
#include "base/core/AtomicFile.h"
#include "data/core/MeasurementFile.h"

namespace krovel::cli {

namespace {

constexpr const char* ExerciseName = "exercise";
constexpr const char* ExerciseUsage = "exercise FILE [TEXT]";

int RunExercise(int argc, char** argv) {
    const CommandHelp help = SubcommandHelp(
        ExerciseName, ExerciseUsage,
        "Prints the exercise of a measurement file, or sets it to TEXT and saves the file.");
    ArgumentParser parser;
    parser.addPositionalArgument("FILE", "a .krvx file");
    parser.addPositionalArgument("TEXT", "the new exercise", "[TEXT]");
    if (auto exit = ParseCommandLine(parser, ArgumentList(argc, argv), help)) return *exit;
    const std::vector<std::string>& words = parser.positionalArguments();
    if (words.empty()) return Refuse(help.command, "no FILE given");
    if (words.size() > 2) return Refuse(help.command, "more than one TEXT given");

    auto scratch = std::make_unique<MeasurementScratch>();
    if (auto exit = LoadMeasurementArgument(help.command, words.front(), *scratch)) return *exit;
    if (words.size() == 1)
        return WriteStandardOutput(ExerciseName, scratch->Header.Exercise + '\n');

    scratch->Header.Exercise = words[1];
    const std::string& path = words.front();
    const Status written =
        WriteFileAtomically(path, EncodeMeasurementFile(scratch->Header, scratch->Series));
    if (!written) return Refuse(help.command, path + ": " + written.message());
    return 0;
}

const bool registered = RegisterCliCommand({ExerciseName, ExerciseUsage, RunExercise});

} // namespace

} // namespace krovel::cli
