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
#include "app/core/AppPaths.h"
#include "app/core/FileRead.h"
#include "app/core/Settings.h"
#include "app/gui/CKrovelDeviceApp.h"
#include "data/core/DataModel.h"
#include "data/core/MeasurementFile.h"
#include "measure/core/RepTableText.h"
#include "measure/core/RepetitionValues.h"
#include "measure/core/ViewState.h"
#include "ui/gui/PrintedPageRender.h"

namespace krovel::cli {

namespace {

constexpr const char* PrintUsage =
    "print FILE --mode digital|exercise|diagnostic [--series N] [--interval K] "
    "[--param-y P] [--data H] [--settings FILE] -o OUT.pdf";

struct PrintOptions {
    const char* file = nullptr;
    const char* output = nullptr;
    const char* settings = nullptr; // nullptr: the program's own settings file
    int32_t viewMode = 0;           // 0: no --mode given
    int series = 1;                 // 1-based, as "Set No" shows it
    int interval = 1;               // group size
    int paramY = 0;                 // ValueKind of the exercise graph
    int best = 1;                   // repetitions averaged per load in the diagnostic graph
};

int Refuse(const std::string& message) {
    std::fprintf(stderr, "krovel-cli print: %s\n", message.c_str());
    return ExitRefused;
}

std::optional<int> WholeNumber(std::string_view text) {
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<int32_t> ViewModeNamed(std::string_view name) {
    if (name == "digital") return 2;
    if (name == "exercise") return 4;
    if (name == "diagnostic") return 5;
    return std::nullopt;
}

// Fills options from the arguments after "print"; an error message when they are wrong.
std::optional<std::string> ParsePrintArgs(int argc, char** argv, PrintOptions& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (!arg.starts_with("-")) {
            if (options.file) return "more than one FILE given";
            options.file = argv[i];
            continue;
        }
        if (i + 1 >= argc) return std::string(arg) + " needs a value";
        const std::string_view value = argv[++i];
        if (arg == "-o") {
            options.output = argv[i];
        } else if (arg == "--settings") {
            options.settings = argv[i];
        } else if (arg == "--mode") {
            const std::optional<int32_t> mode = ViewModeNamed(value);
            if (!mode)
                return "unknown mode '" + std::string(value) +
                       "' (digital, exercise or diagnostic)";
            options.viewMode = *mode;
        } else if (arg == "--series" || arg == "--interval" || arg == "--param-y" ||
                   arg == "--data") {
            const std::optional<int> number = WholeNumber(value);
            if (!number)
                return std::string(arg) + " needs a whole number, not '" + std::string(value) + "'";
            (arg == "--series"     ? options.series
             : arg == "--interval" ? options.interval
             : arg == "--param-y"  ? options.paramY
                                   : options.best) = *number;
        } else {
            return "unknown option " + std::string(arg);
        }
    }
    if (!options.file) return "no FILE given";
    if (!options.viewMode) return "no --mode given";
    if (!options.output) return "no output file given (-o OUT.pdf)";
    return std::nullopt;
}

// The ranges hold for the loaded table; a message when an option lies outside.
std::optional<std::string> CheckRanges(const PrintOptions& options) {
    if (SeriesCount == 0) return std::string(options.file) + " holds no series";
    if (options.series < 1 || options.series > SeriesCount)
        return "series " + std::to_string(options.series) + " is out of range: " + options.file +
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
    std::string path = options.settings ? options.settings : "";
    if (path.empty()) {
        SetApplicationIdentity();
        FormAppPaths(ResolveProgramFolder());
        path = SettingsPath;
    }
    FileReadFailure failure = FileReadFailure::CannotOpen;
    const std::optional<FileHead> head = ReadFileHead(path, SettingsFileSize, &failure);
    const char* problem = nullptr;
    SettingsValues values;
    if (!head) {
        if (options.settings || failure == FileReadFailure::NotRegularFile)
            problem = "Error opening file";
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
    if (options.settings) return message;
    std::fprintf(stderr, "krovel-cli print: %s; printing with the default settings\n",
                 message.c_str());
    return std::nullopt;
}

int RunPrint(int argc, char** argv) {
    PrintOptions options;
    if (auto error = ParsePrintArgs(argc, argv, options))
        return Refuse(*error + "\nusage: krovel-cli " + PrintUsage);

    // The application object first: the program folder and per-user folders need it.
    const std::unique_ptr<QGuiApplication> app = EnsureGuiApplication();
    if (auto error = LoadSettings(options)) return Refuse(*error);

    auto scratch = std::make_unique<MeasurementScratch>();
    const FileLoadError loadError = LoadMeasurementFile(options.file, *scratch);
    if (loadError != FileLoadError::None)
        return Refuse(std::string(options.file) + ": " + FileLoadErrorText(loadError));
    CommitMeasurementScratch(*scratch);
    if (auto error = CheckRanges(options)) return Refuse(*error);

    // The view state the program would have after choosing these on the ModeBar.
    ResetViewState();
    CurrentSeries = options.series - 1;
    IntervalIndex = options.interval - 1;
    ParamYIndex = options.paramY;
    DiagSelection.DataIndex = options.best - 1;
    std::vector<RepRowText> rows;
    if (options.viewMode == 2) rows = DigitalReportRows(CurrentSeries, IntervalIndex);
    if (options.viewMode == 4)
        GroupMeans(CurrentSeries, IntervalIndex, ParamYIndex, GroupMeanValues);
    std::string cause;
    if (!WritePrintedPagePdf(options.output, options.viewMode, rows, &cause)) {
        std::fprintf(stderr, "krovel-cli print: cannot write %s: %s\n", options.output,
                     cause.c_str());
        return ExitWriteFailed;
    }
    return 0;
}

const bool registered = RegisterCliCommand({"print", PrintUsage, RunPrint});

} // namespace

} // namespace krovel::cli
