// krovel-cli decode: raw device bytes from standard input through the program's own
// stream decoder, printed as the JSON table of `krovel-cli show`.
//   --live [--skip-first-marker]  live frames, as a measurement records them; the entry
//                                 being filled counts as a series, as STOP counts it
//   --bulk [--start-time T]       one bulk transfer, parsed as the import does; every
//                                 series gets T as its start time
// Live series keep start time 0 (the live view stamps them with the clock).
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <span>

#include "CliCommand.h"
#include "TableJson.h"
#include "data/core/DataModel.h"
#include "data/core/MeasurementFile.h"
#include "device/core/HandOver.h"
#include "device/core/StreamDecoder.h"

namespace krovel::cli {

namespace {

constexpr const char* DecodeUsage = "decode --live [--skip-first-marker] | --bulk [--start-time T]";

struct DecodeOptions {
    bool bulk = false;
    bool skipFirstMarker = false;
    int32_t startTime = 0;
};

// A whole decimal number, with an optional sign and blanks around it.
bool ParseInt32(const std::string& text, int32_t& value) {
    const char* start = text.c_str();
    while (std::isspace(static_cast<unsigned char>(*start))) ++start;
    if (!*start || std::isspace(static_cast<unsigned char>(*start))) return false;
    char* end = nullptr;
    errno = 0;
    const long long parsed = std::strtoll(start, &end, 10);
    if (end == start || errno == ERANGE) return false;
    while (std::isspace(static_cast<unsigned char>(*end))) ++end;
    if (*end || parsed < INT32_MIN || parsed > INT32_MAX) return false;
    value = static_cast<int32_t>(parsed);
    return true;
}

// Fills options from the arguments; an error message when they are wrong.
std::optional<std::string> ParseOptions(int argc, char** argv, const CommandHelp& help,
                                        DecodeOptions& options, std::optional<int>& exit) {
    ArgumentParser parser;
    const CommandOption live{{"live"}, "live frames", {}, {}};
    const CommandOption skip{
        {"skip-first-marker"}, "live: the first series-start marker opens no new series", {}, {}};
    const CommandOption bulk{{"bulk"}, "one bulk transfer", {}, {}};
    const CommandOption startTime{{"start-time"}, "bulk: the start time of every series", "T", "0"};
    parser.addOptions({live, skip, bulk, startTime});
    exit = ParseCommandLine(parser, ArgumentList(argc, argv), help);
    if (exit) return std::nullopt;
    if (!parser.positionalArguments().empty())
        return "unexpected argument '" + parser.positionalArguments().front() +
               "': the bytes come on standard input";
    if (parser.isSet(live) == parser.isSet(bulk)) return "give one of --live and --bulk";
    options.bulk = parser.isSet(bulk);
    if (options.bulk && parser.isSet(skip)) return "--skip-first-marker goes with --live";
    if (!options.bulk && parser.isSet(startTime)) return "--start-time goes with --bulk";
    options.skipFirstMarker = parser.isSet(skip);
    if (parser.isSet(startTime) && !ParseInt32(parser.value(startTime), options.startTime))
        return "--start-time needs a whole number of seconds, not '" + parser.value(startTime) +
               "'";
    return std::nullopt;
}

// Every byte of standard input to DecodeByte for `request`, in the transports' 1024-byte
// reads.
bool FeedStandardInput(LinkRequestRecord& request) {
    AttachLinkRequest(&request);
    unsigned char buffer[1024];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, stdin)) > 0) {
        for (size_t i = 0; i < n; ++i) DecodeByte(buffer[i]);
    }
    AttachLinkRequest(nullptr);
    return !std::ferror(stdin);
}

// The table as a live measurement leaves it: the decoder fills entry SeriesCount, and
// stopping counts that entry as a series, also when it holds no repetition.
int32_t DecodeLive(const DecodeOptions& options, LinkRequestRecord& request) {
    // Entry 0 as start-up prepares it for the first live series.
    Series[0].Mass = TestHeader.BarbellWeight;
    Series[0].SignalBelowPct = TestHeader.SignalBelowPct;
    Series[0].SignalAbovePct = TestHeader.SignalAbovePct;
    request.SkipFirstMarker = options.skipFirstMarker;
    LiveDecoder.Reset();
    if (!FeedStandardInput(request)) return -1;
    return SeriesCount < MaxSeries ? SeriesCount + 1 : SeriesCount;
}

// The table as the import leaves it: parsed only from a complete transfer of at least
// 5 bytes; anything else is refused with a message, as the import dialog keeps the table.
int32_t DecodeBulk(const DecodeOptions& options, LinkRequestRecord& request) {
    request.BulkMode = 1;
    BulkCollector.Reset();
    if (!FeedStandardInput(request)) return -1;
    if (!LoadFinished(request)) {
        std::fprintf(stderr, "incomplete transfer: %d of %d bytes\n", LoadBulkCount(),
                     LoadBulkLength());
        return -1;
    }
    if (LoadBulkLength() < 5) {
        std::fprintf(stderr, "transfer too short: %d bytes declared\n", LoadBulkLength());
        return -1;
    }
    return ParseBulkTransfer(options.startTime);
}

int RunDecode(int argc, char** argv) {
    const CommandHelp help = SubcommandHelp(
        "decode", DecodeUsage,
        "Decodes raw device bytes from standard input with the program's stream decoder\n"
        "and prints the table as JSON, as krovel-cli show does.");
    DecodeOptions options;
    std::optional<int> exit;
    if (auto error = ParseOptions(argc, argv, help, options, exit))
        return Refuse(help.command, *error);
    if (exit) return *exit;
    ResetDataModel();
    LinkRequestRecord request{};
    const int32_t count =
        options.bulk ? DecodeBulk(options, request) : DecodeLive(options, request);
    if (count < 0) {
        if (std::ferror(stdin)) std::fprintf(stderr, "cannot read standard input\n");
        return ExitRefused;
    }
    const std::string json = TableJson(VersionText(MeasurementFileVersion::V12), TestHeader,
                                       std::span<const SeriesRecord>(Series, count));
    return WriteStandardOutput("decode", json);
}

const bool registered = RegisterCliCommand({"decode", DecodeUsage, RunDecode});

} // namespace

} // namespace krovel::cli
