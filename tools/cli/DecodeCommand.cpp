// krovel-cli decode: raw device bytes from standard input through the program's own
// stream decoder, printed as the JSON table of `krovel-cli show`.
//   --live [--skip-first-marker]  live frames, as a measurement records them; the entry
//                                 being filled counts as a series, as STOP counts it
//   --bulk [--start-time T]       one bulk transfer, parsed as the import does; every
//                                 series gets T as its start time
// Live series keep start time 0 (the live view stamps them with the clock).
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

bool ParseInt32(const char* text, int32_t& value) {
    errno = 0;
    char* end = nullptr;
    const long parsed = std::strtol(text, &end, 10);
    if (errno || end == text || *end || parsed < INT32_MIN || parsed > INT32_MAX) return false;
    value = static_cast<int32_t>(parsed);
    return true;
}

bool ParseOptions(int argc, char** argv, DecodeOptions& options) {
    if (argc < 2) return false;
    if (!std::strcmp(argv[1], "--bulk")) {
        options.bulk = true;
        if (argc == 2) return true;
        return argc == 4 && !std::strcmp(argv[2], "--start-time") &&
               ParseInt32(argv[3], options.startTime);
    }
    if (!std::strcmp(argv[1], "--live")) {
        if (argc == 2) return true;
        options.skipFirstMarker = argc == 3 && !std::strcmp(argv[2], "--skip-first-marker");
        return options.skipFirstMarker;
    }
    return false;
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
    ResetLiveDecoder();
    if (!FeedStandardInput(request)) return -1;
    return SeriesCount < MaxSeries ? SeriesCount + 1 : SeriesCount;
}

// The table as the import leaves it: parsed only from a complete transfer of at least
// 5 bytes; anything else is refused with a message, as the import dialog keeps the table.
int32_t DecodeBulk(const DecodeOptions& options, LinkRequestRecord& request) {
    request.BulkMode = 1;
    ResetBulkCollector();
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
    DecodeOptions options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: krovel-cli %s\n", DecodeUsage);
        return ExitRefused;
    }
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
