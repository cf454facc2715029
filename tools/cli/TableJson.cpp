#include "TableJson.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "data/core/JsonText.h"
#include "data/core/Unicode.h"

namespace krovel::cli {

namespace {

// Writes a finite number in its shortest round-trip form, kept a float for readers
// that tell 60 from 60.0.
template <typename Number> void AppendNumber(std::string& out, Number value) {
    if (!std::isfinite(value)) {
        out += "null";
        return;
    }
    char text[32];
    auto end = std::to_chars(text, text + sizeof text, value).ptr;
    std::string_view written(text, static_cast<size_t>(end - text));
    out += written;
    if (written.find_first_of(".e") == std::string_view::npos) out += ".0";
}

} // namespace

void AppendFileName(std::string& out, std::string_view name) {
    out += "\"file\": ";
    AppendJsonString(out, name);
    if (ValidUtf8(name) == name) return;
    static constexpr char Hex[] = "0123456789abcdef";
    out += ", \"file_bytes\": \"";
    for (char ch : name) {
        const unsigned char c = static_cast<unsigned char>(ch);
        out += Hex[c >> 4];
        out += Hex[c & 0xF];
    }
    out += '"';
}

void AppendFloat(std::string& out, float value) {
    AppendNumber(out, value);
}

void AppendDouble(std::string& out, double value) {
    AppendNumber(out, value);
}

namespace {

void AppendInt(std::string& out, long long value) {
    out += std::to_string(value);
}

void AppendSubject(std::string& out, const TestHeaderRecord& header) {
    const SubjectRecord& s = header.Subject;
    out += "  \"subject\": {\"name\": ";
    AppendJsonString(out, s.SubjectName);
    out += ", \"sex\": ";
    AppendInt(out, s.Sex);
    out += ", \"height\": ";
    AppendInt(out, s.Height);
    out += ", \"body_weight\": ";
    AppendInt(out, s.BodyWeight);
    out += ", \"exercise\": ";
    AppendJsonString(out, header.Exercise);
    out += ", \"sport\": ";
    AppendJsonString(out, header.Sport);
    out += ", \"comment\": ";
    AppendJsonString(out, s.Comment);
    out += "},\n";
}

void AppendSeries(std::string& out, const SeriesRecord& s) {
    int reps = std::clamp(s.RepCount, 0, MaxRepetitions);
    out += "    {\"rep_count\": ";
    AppendInt(out, s.RepCount);
    out += ", \"mass\": ";
    AppendFloat(out, s.Mass);
    out += ", \"signal_below\": ";
    AppendInt(out, s.SignalBelowPct);
    out += ", \"signal_above\": ";
    AppendInt(out, s.SignalAbovePct);
    out += ", \"start_time\": ";
    AppendInt(out, s.StartTime);
    out += ", \"reps\": [";
    for (int r = 0; r < reps; ++r) {
        out += r ? ",\n" : "\n";
        out += "      {\"mean_velocity_raw\": ";
        AppendInt(out, s.MeanVelocity[r]);
        out += ", \"max_velocity_raw\": ";
        AppendInt(out, s.MaxVelocity[r]);
        out += ", \"max_power\": ";
        AppendFloat(out, s.MaxPower[r]);
        out += "}";
    }
    out += reps ? "\n    ]}" : "]}";
}

} // namespace

std::string TableJson(std::string_view version, const TestHeaderRecord& header,
                      std::span<const SeriesRecord> series) {
    std::string out = "{\n  \"version\": ";
    AppendJsonString(out, version);
    out += ",\n";
    AppendSubject(out, header);
    out += "  \"series\": [";
    for (size_t i = 0; i < series.size(); ++i) {
        out += i ? ",\n" : "\n";
        AppendSeries(out, series[i]);
    }
    out += series.empty() ? "]\n}\n" : "\n  ]\n}\n";
    return out;
}

} // namespace krovel::cli
