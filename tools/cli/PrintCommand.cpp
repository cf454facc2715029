// krovel-cli print FILE --mode digital|exercise|diagnostic [--series N] [--interval K]
//                       [--param-y P] [--data H] [--settings FILE] -o OUT.pdf
// The printed report of a measurement file as an A4 PDF, drawn by the code that
// prints from the program: the header of series N, then the digital report table
// (groups of K repetitions), the exercise graph of value kind P, or the diagnostic graph
// averaging the best H repetitions of each load. The graphs use the axis ranges of the
// program's settings file (in the program folder, or KROVEL_HOME), or of --settings FILE,
// so a file prints the same page here as in the program.
#include <QGuiApplication>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "CliCommand.h"
#include "MeasurementInput.h"
#include "PrintCommand.h"
#include "app/gui/CKrovelDeviceApp.h"
#include "base/core/AppPaths.h"
#include "base/core/FileRead.h"
#include "data/core/DataModel.h"
#include "data/core/MeasurementFile.h"
#include "data/core/Settings.h"
#include "measure/core/RepTableText.h"
#include "measure/core/RepetitionValues.h"
#include "ui/core/ViewState.h"
#include "ui/gui/PrintedPageRender.h"

namespace krovel::cli {

namespace {

struct PrintOptions {
    std::string file;
    std::string output;
    std::string settings; // empty: the program's own settings file
    int32_t viewMode = 0; // 0: no --mode given
    int series = 1;       // 1-based, as "Set No" shows it
    int interval = 1;     // group size
    int paramY = 0;       // ValueKind of the exercise graph
    int best = 1;         // repetitions averaged per load in the diagnostic graph
};

std::optional<int> WholeNumber(std::string_view text) {
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<int32_t> ViewModeNamed(const std::string& name) {
    if (name == "digital") return 2;
    if (name == "exercise") return 4;
    if (name == "diagnostic") return 5;
    return std::nullopt;
}

// The command's options, with the parser that reads them.
struct PrintParser {
    ArgumentParser parser;
    CommandOption mode{{"mode"}, "digital, exercise or diagnostic", "MODE", {}};
    CommandOption output{{"o", "output"}, "the PDF file to write", "OUT.pdf", {}};
    CommandOption series{{"series"}, "the series, 1 for the first", "N", "1"};
    CommandOption interval{{"interval"}, "repetitions per group", "K", "1"};
    CommandOption paramY{
        {"param-y"}, "exercise graph: 0 mean v, 1 max v, 2 mean P, 3 max P", "P", "0"};
    CommandOption data{{"data"}, "diagnostic graph: best repetitions averaged per load", "H", "1"};
    CommandOption settings{
        {"settings"}, "the settings file whose axis ranges the graphs use", "FILE", {}};

    PrintParser() {
        parser.addPositionalArgument("FILE", "a .krvx file");
        parser.addOptions({mode, series, interval, paramY, data, settings, output});
    }

    // Fills options from the parsed arguments; an error message when they are wrong.
    std::optional<std::string> Read(PrintOptions& options) const {
        if (auto problem = OneFileProblem(parser.positionalArguments())) return problem;
        options.file = parser.positionalArguments().front();
        if (parser.isSet(mode)) {
            const std::optional<int32_t> named = ViewModeNamed(parser.value(mode));
            if (!named)
                return "unknown mode '" + parser.value(mode) +
                       "' (digital, exercise or diagnostic)";
            options.viewMode = *named;
        }
        for (const auto& [option, into] :
             {std::pair{&series, &options.series}, std::pair{&interval, &options.interval},
              std::pair{&paramY, &options.paramY}, std::pair{&data, &options.best}}) {
            if (!parser.isSet(*option)) continue;
            const std::string value = parser.value(*option);
            const std::optional<int> number = WholeNumber(value);
            if (!number)
                return "--" + option->names.front() + " needs a whole number, not '" + value + "'";
            *into = *number;
        }
        options.output = parser.value(output);
        options.settings = parser.value(settings);
        if (!options.viewMode) return "no --mode given";
        if (options.output.empty()) return "no output file given (-o OUT.pdf)";
        return std::nullopt;
    }
};

// The ranges hold for the loaded table; a message when an option lies outside.
std::optional<std::string> CheckRanges(const PrintOptions& options) {
    const std::string& file = options.file;
    if (SeriesCount == 0) return file + " holds no series";
    if (options.series < 1 || options.series > SeriesCount)
        return "series " + std::to_string(options.series) + " is out of range: " + file +
               " holds series 1 to " + std::to_string(SeriesCount);
    const int largest = IntervalChoiceCount();
    if (options.interval < 1 || options.interval > largest)
        return "interval " + std::to_string(options.interval) +
               " is out of range: the file allows intervals 1 to " + std::to_string(largest);
    if (options.paramY < 0 || options.paramY > 3)
        return "--param-y " + std::to_string(options.paramY) +
               " is out of range: 0 mean v, 1 max v, 2 mean P, 3 max P";
    const int mostBest = std::min(largest, MaxRepetitions);
    if (options.best < 1 || options.best > mostBest)
        return "--data " + std::to_string(options.best) + " is out of range: 1 to " +
               std::to_string(mostBest);
    return std::nullopt;
}

// Fonts and painting need a GUI application; without a display the offscreen platform
// serves.
std::unique_ptr<QGuiApplication> EnsureGuiApplication() {
    if (QCoreApplication::instance()) return nullptr;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "krovel-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

// The settings the program starts with, from --settings FILE or the program's own
// settings file; a message when a file named by --settings cannot be used. The program's
// own file is taken as the program takes it: a missing one gives the defaults, a bad one
// is reported on standard error and gives the defaults too.
std::optional<std::string> LoadSettings(const PrintOptions& options) {
    const bool named = !options.settings.empty();
    std::string path = options.settings;
    if (!named) {
        SetApplicationIdentity();
        FormAppPaths(ResolveProgramFolder());
        path = AppPaths.SettingsPath;
    }
    FileReadFailure failure = FileReadFailure::CannotOpen;
    const std::optional<FileHead> head = ReadFileHead(path, SettingsFileSize, &failure);
    const char* problem = nullptr;
    SettingsValues values;
    if (!head) {
        if (named || failure == FileReadFailure::NotRegularFile) problem = "Error opening file";
    } else {
        switch (DecodeSettings(reinterpret_cast<const uint8_t*>(head->bytes.data()),
                               head->bytes.size(), values)) {
        case SettingsLoadError::Incompatible:
            problem = "Incompatible data";
            break;
        case SettingsLoadError::Short:
            problem = "Error opening file";
            break;
        case SettingsLoadError::None:
            ApplySettings(values);
            break;
        }
    }
    if (!problem) return std::nullopt;
    const std::string message = path + ": " + problem;
    if (named) return message;
    std::fprintf(stderr, "krovel-cli print: %s; printing with the default settings\n",
                 message.c_str());
    return std::nullopt;
}

} // namespace

int RunPrint(int argc, char** argv) {
    const CommandHelp help =
        SubcommandHelp("print", PrintUsage,
                       "Writes the printed report of a measurement file as an A4 PDF: the\n"
                       "digital report, the exercise graph or the diagnostic graph of series N.");
    PrintParser arguments;
    if (auto exit = ParseCommandLine(arguments.parser, ArgumentList(argc, argv), help))
        return *exit;
    PrintOptions options;
    if (auto error = arguments.Read(options)) return Refuse(help.command, *error);

    // The file is read before the application object exists: creating it switches the
    // messages to the user's language, and refusals read the same from every command.
    auto scratch = std::make_unique<MeasurementScratch>();
    if (auto exit = LoadMeasurementArgument(help.command, options.file, *scratch)) return *exit;

    // The program folder and per-user folders need the application object.
    const std::unique_ptr<QGuiApplication> app = EnsureGuiApplication();
    if (auto error = LoadSettings(options)) return Refuse(help.command, *error);
    CommitMeasurementScratch(*scratch);
    if (auto error = CheckRanges(options)) return Refuse(help.command, *error);

    // The view state the program would have after choosing these on the ModeBar.
    GraphView.Reset();
    LiveMeasurement.Reset();
    CurrentSeries = options.series - 1;
    GraphView.IntervalIndex = options.interval - 1;
    GraphView.ParamYIndex = options.paramY;
    GraphView.DiagSelection.DataIndex = options.best - 1;
    std::vector<RepRowText> rows;
    if (options.viewMode == 2) rows = DigitalReportRows(CurrentSeries, GraphView.IntervalIndex);
    if (options.viewMode == 4)
        GroupMeans(CurrentSeries, GraphView.IntervalIndex, GraphView.ParamYIndex,
                   GraphView.GroupMeanValues);
    if (const Status written = WritePrintedPagePdf(options.output, options.viewMode, rows);
        !written) {
        std::fprintf(stderr, "krovel-cli print: cannot write %s: %s\n", options.output.c_str(),
                     written.message().c_str());
        return ExitWriteFailed;
    }
    return 0;
}

} // namespace krovel::cli
