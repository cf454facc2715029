#include "device/core/DeviceSession.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace krovel {

namespace {

uint8_t ClampToByte(double units, int lowest) {
    const double rounded = std::round(units);
    if (!(rounded >= lowest)) return static_cast<uint8_t>(lowest); // also NaN
    if (rounded > 255.0) return 255;
    return static_cast<uint8_t>(rounded);
}

} // namespace

uint8_t MeanVelocityByte(double metresPerSecond) {
    return ClampToByte(metresPerSecond / 0.02, 1);
}

uint8_t MaxVelocityByte(double metresPerSecond) {
    return ClampToByte(metresPerSecond / 0.03, 0);
}

PowerBytes EncodePower(double watts) {
    // In half watts the decoding reads h = (hi - 128) * 256 + (lo - 1), lo - 1 in -1..254.
    constexpr long MaxHalfWatts = 127L * 256 + 254;
    long h =
        std::isnan(watts) ? 0 : std::lround(std::clamp(watts * 2.0, 0.0, double(MaxHalfWatts)));
    long q = h / 256;
    long r = h % 256;
    if (r == 255) { // lo cannot be 256: borrow from the next high step instead
        q += 1;
        r = -1;
    }
    return {static_cast<uint8_t>(r + 1), static_cast<uint8_t>(q + 128)};
}

LiveFrameBytesArray EncodeLiveFrame(const SessionSet& set, const SessionRep& rep, bool firstOfSet) {
    const PowerBytes power = EncodePower(rep.MaxPower);
    return {0x00,
            static_cast<uint8_t>(firstOfSet ? 1 : 0),
            set.Mass,
            set.SignalBelowPct,
            set.SignalAbovePct,
            MeanVelocityByte(rep.MeanVelocity),
            MaxVelocityByte(rep.MaxVelocity),
            power.Lo,
            power.Hi,
            0x00};
}

namespace {

constexpr size_t MaxTransferLength = 65535;
constexpr size_t TrailingBlock = 4; // mass, thresholds and terminator, no repetition

size_t BlockLength(const SessionSet& set) {
    return 3 + 4 * std::min(set.Reps.size(), MaxSessionReps) + 1;
}

} // namespace

size_t SetsInOneTransfer(std::span<const SessionSet> sets) {
    size_t length = 2 + TrailingBlock;
    size_t n = 0;
    for (const SessionSet& set : sets) {
        length += BlockLength(set);
        if (length > MaxTransferLength) break;
        ++n;
    }
    return n;
}

std::vector<uint8_t> EncodeBulkTransfer(std::span<const SessionSet> sets) {
    std::vector<uint8_t> out{0, 0};
    for (const SessionSet& set : sets.first(SetsInOneTransfer(sets))) {
        const size_t reps = std::min(set.Reps.size(), MaxSessionReps);
        out.insert(out.end(), {set.Mass, set.SignalBelowPct, set.SignalAbovePct});
        for (size_t i = 0; i < reps; ++i) {
            const SessionRep& rep = set.Reps[i];
            const PowerBytes power = EncodePower(rep.MaxPower);
            out.insert(out.end(), {MeanVelocityByte(rep.MeanVelocity),
                                   MaxVelocityByte(rep.MaxVelocity), power.Lo, power.Hi});
        }
        out.push_back(0x00);
    }
    out.insert(out.end(), {0x00, 0x00, 0x00, 0x00});
    out[0] = static_cast<uint8_t>(out.size() & 0xFF);
    out[1] = static_cast<uint8_t>(out.size() >> 8);
    return out;
}

std::vector<TimedFrame> LiveTimeline(std::span<const SessionSet> sets, int32_t repIntervalMs,
                                     int32_t setPauseMs) {
    std::vector<TimedFrame> frames;
    for (const SessionSet& set : sets) {
        for (size_t i = 0; i < set.Reps.size(); ++i) {
            const bool first = i == 0;
            frames.push_back(
                {first ? setPauseMs : repIntervalMs, EncodeLiveFrame(set, set.Reps[i], first)});
        }
    }
    return frames;
}

std::vector<SessionSet> BuiltInSession() {
    // A squat session of an athlete with a 100 kg one-repetition maximum. Mean velocity
    // follows the usual near-linear load-velocity profile; inside a set it drops a few
    // percent per repetition after the second, with a small fixed wobble so that no two
    // repetitions look alike.
    constexpr double Gravity = 9.81;
    constexpr double OneRepMax = 100.0;
    struct Plan {
        uint8_t mass;
        int reps;
    };
    constexpr Plan plans[] = {{20, 6}, {40, 6}, {60, 5}, {70, 4}, {80, 3}};
    constexpr double wobble[] = {0.0, 0.012, -0.008, 0.005, -0.011, 0.007, -0.004};

    std::vector<SessionSet> sets;
    int n = 0;
    for (const Plan& plan : plans) {
        SessionSet set{plan.mass, 90, 100, {}};
        const double fresh = 1.75 - 1.5 * (plan.mass / OneRepMax);
        for (int i = 0; i < plan.reps; ++i, ++n) {
            const double fatigue = 1.0 - 0.035 * std::max(0, i - 1);
            const double mean = fresh * fatigue * (1.0 + wobble[n % 7]);
            const double max = mean * 1.45 + 0.05;
            // Peak power comes with the peak velocity and some acceleration above g.
            const double power = plan.mass * Gravity * max * 1.1;
            set.Reps.push_back({mean, max, power});
        }
        sets.push_back(std::move(set));
    }
    return sets;
}

namespace {

std::vector<std::string_view> SplitWords(std::string_view line) {
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
        size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') ++i;
        if (i > start) words.push_back(line.substr(start, i - start));
    }
    return words;
}

bool ParseNumber(std::string_view word, double& value) {
    const char* end = word.data() + word.size();
    auto [ptr, ec] = std::from_chars(word.data(), end, value);
    return ec == std::errc() && ptr == end && std::isfinite(value);
}

bool ParseByte(std::string_view word, uint8_t& value) {
    const char* end = word.data() + word.size();
    unsigned v = 0;
    auto [ptr, ec] = std::from_chars(word.data(), end, v);
    if (ec != std::errc() || ptr != end || v > 255) return false;
    value = static_cast<uint8_t>(v);
    return true;
}

// The line as it may be shown on a terminal: printable ASCII kept, every other byte as
// \xNN, cut after ExcerptLength characters of the line.
std::string PrintableExcerpt(std::string_view line) {
    constexpr size_t ExcerptLength = 40;
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.remove_suffix(1);
    std::string out;
    for (size_t i = 0; i < std::min(line.size(), ExcerptLength); ++i) {
        const auto c = static_cast<unsigned char>(line[i]);
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            static const char hex[] = "0123456789ABCDEF";
            out += {'\\', 'x', hex[c >> 4], hex[c & 0xF]};
        }
    }
    if (line.size() > ExcerptLength) out += "...";
    return out;
}

} // namespace

Status ParseSessionScript(std::string_view text, std::vector<SessionSet>& sets) {
    std::vector<SessionSet> parsed;
    int lineNumber = 0;
    std::string_view fullLine;
    auto fail = [&](const std::string& what) {
        return Status::Fail("line " + std::to_string(lineNumber) + ": " + what + ": \"" +
                            PrintableExcerpt(fullLine) + "\"");
    };
    while (!text.empty()) {
        ++lineNumber;
        const size_t eol = text.find('\n');
        std::string_view line = text.substr(0, eol);
        fullLine = line;
        text = eol == std::string_view::npos ? std::string_view{} : text.substr(eol + 1);
        if (size_t hash = line.find('#'); hash != std::string_view::npos)
            line = line.substr(0, hash);
        const std::vector<std::string_view> words = SplitWords(line);
        if (words.empty()) continue;
        if (words[0] == "set") {
            SessionSet set{};
            if (words.size() != 4 || !ParseByte(words[1], set.Mass) ||
                !ParseByte(words[2], set.SignalBelowPct) ||
                !ParseByte(words[3], set.SignalAbovePct))
                return fail("expected \"set MASS_KG BELOW_PCT ABOVE_PCT\" (whole numbers 0..255)");
            parsed.push_back(std::move(set));
        } else if (words[0] == "rep") {
            SessionRep rep{};
            if (words.size() != 4 || !ParseNumber(words[1], rep.MeanVelocity) ||
                !ParseNumber(words[2], rep.MaxVelocity) || !ParseNumber(words[3], rep.MaxPower))
                return fail("expected \"rep MEAN_M_S MAX_M_S POWER_W\"");
            if (parsed.empty()) return fail("\"rep\" before the first \"set\"");
            if (parsed.back().Reps.size() == MaxSessionReps)
                return fail("a set holds at most 100 repetitions");
            parsed.back().Reps.push_back(rep);
        } else {
            return fail("unknown statement");
        }
    }
    sets = std::move(parsed);
    return Status::Ok();
}

namespace {

// value in `decimals` places with a decimal point, whatever the locale.
std::string Fixed(double value, int decimals) {
    char text[32];
    const auto [end, ec] =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    return ec == std::errc() ? std::string(text, end) : std::string("0");
}

} // namespace

std::string SessionScript(std::span<const SessionSet> sets) {
    std::string out;
    for (const SessionSet& set : sets) {
        out += "set " + std::to_string(set.Mass) + ' ' + std::to_string(set.SignalBelowPct) + ' ' +
               std::to_string(set.SignalAbovePct) + '\n';
        for (const SessionRep& rep : set.Reps) {
            // The steps the unit sends, so that reading the script back rounds to them.
            const PowerBytes power = EncodePower(rep.MaxPower);
            const double watts = (power.Hi - 128) * 128.0 + (power.Lo - 1) * 0.5;
            out += "rep " + Fixed(MeanVelocityByte(rep.MeanVelocity) * 0.02, 2) + ' ' +
                   Fixed(MaxVelocityByte(rep.MaxVelocity) * 0.03, 2) + ' ' + Fixed(watts, 1) + '\n';
        }
    }
    return out;
}

} // namespace krovel
