#include "analysis/core/AthleteThresholds.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "base/core/AtomicFile.h"

namespace krovel {

namespace {

namespace fs = std::filesystem;

constexpr const char* Header =
    "# Krovel minimum velocity thresholds, one exercise a line: exercise<TAB>m/s\n";

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::string ThresholdsPath(const std::string& folder) {
    return (fs::path(folder) / AthleteThresholdsFileName).string();
}

} // namespace

std::string ExerciseKey(std::string_view exercise) {
    std::string key(Trimmed(exercise));
    for (char& c : key)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return key;
}

bool SameExercise(std::string_view a, std::string_view b) {
    return ExerciseKey(a) == ExerciseKey(b);
}

Status ParseAthleteThresholds(std::string_view text, std::vector<AthleteThreshold>& thresholds) {
    thresholds.clear();
    std::vector<size_t> lineOf; // where each threshold was set
    size_t lineNumber = 0;
    while (!text.empty()) {
        const size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        ++lineNumber;
        const std::string_view content = Trimmed(line);
        if (content.empty() || content.front() == '#') continue;
        const std::string where = "line " + std::to_string(lineNumber) + ": ";
        const size_t tab = line.find('\t');
        if (tab == std::string_view::npos || line.find('\t', tab + 1) != std::string_view::npos) {
            return Status::Fail(where + "expected an exercise, a tab and a velocity");
        }
        const std::string_view name = Trimmed(line.substr(0, tab));
        const std::string_view number = Trimmed(line.substr(tab + 1));
        double value = 0;
        auto [stop, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
        if (name.empty()) {
            return Status::Fail(where + "no exercise before the tab");
        }
        if (ec != std::errc() || stop != number.data() + number.size() || !std::isfinite(value) ||
            value < 0 || value > MaxVelocityThreshold) {
            return Status::Fail(where + "'" + std::string(number) +
                                "' is not a velocity from 0 to 5.1 m/s");
        }
        for (size_t i = 0; i < thresholds.size(); ++i) {
            if (SameExercise(thresholds[i].Exercise, name)) {
                return Status::Fail(where + "\"" + std::string(name) +
                                    "\" is already set on line " + std::to_string(lineOf[i]));
            }
        }
        thresholds.push_back({std::string(name), value});
        lineOf.push_back(lineNumber);
    }
    return Status::Ok();
}

std::string AthleteThresholdsText(std::span<const AthleteThreshold> thresholds) {
    std::string text = Header;
    for (const AthleteThreshold& t : thresholds) {
        char number[32];
        const auto result = std::to_chars(number, number + sizeof number, t.Value);
        text += t.Exercise + '\t' + std::string(number, result.ptr) + '\n';
    }
    return text;
}

Status ReadAthleteThresholds(const std::string& folder, std::vector<AthleteThreshold>& thresholds) {
    thresholds.clear();
    const std::string path = ThresholdsPath(folder);
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(path, ec))) return Status::Ok();
    if (fs::is_directory(path, ec)) {
        return Status::Fail(path + ": a folder");
    }
    std::ifstream in(path, std::ios::binary);
    std::string bytes;
    if (in) bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!in || in.bad()) {
        return Status::Fail(path + ": cannot be read");
    }
    const Status parsed = ParseAthleteThresholds(bytes, thresholds);
    if (!parsed) return Status::Fail(path + ": " + parsed.message());
    return Status::Ok();
}

Status SetAthleteThreshold(const std::string& folder, std::string_view exercise, double value) {
    const std::string_view name = Trimmed(exercise);
    if (name.empty()) {
        return Status::Fail("an empty exercise cannot have a threshold");
    }
    if (name.find_first_of("\t\n\r") != std::string_view::npos) {
        return Status::Fail("an exercise with a tab or a line break cannot be kept in " +
                            std::string(AthleteThresholdsFileName));
    }
    if (!std::isfinite(value) || value < 0 || value > MaxVelocityThreshold) {
        return Status::Fail("the threshold must be a velocity from 0 to 5.1 m/s");
    }
    std::vector<AthleteThreshold> thresholds;
    if (Status read = ReadAthleteThresholds(folder, thresholds); !read) return read;
    auto same = std::find_if(thresholds.begin(), thresholds.end(), [&](const AthleteThreshold& t) {
        return SameExercise(t.Exercise, name);
    });
    if (same != thresholds.end())
        same->Value = value;
    else
        thresholds.push_back({std::string(name), value});
    const std::string path = ThresholdsPath(folder);
    if (const Status written = WriteFileAtomically(path, AthleteThresholdsText(thresholds));
        !written) {
        return Status::Fail(path + ": " + written.message());
    }
    return Status::Ok();
}

std::optional<double> FindAthleteThreshold(std::span<const AthleteThreshold> thresholds,
                                           std::string_view exercise) {
    for (const AthleteThreshold& t : thresholds)
        if (SameExercise(t.Exercise, exercise)) return t.Value;
    return std::nullopt;
}

VelocityThreshold ChooseThreshold(std::optional<double> option,
                                  std::span<const AthleteThreshold> athlete,
                                  std::string_view exercise) {
    if (option) return {*option, ThresholdSource::Option};
    if (auto own = FindAthleteThreshold(athlete, exercise)) return {*own, ThresholdSource::Athlete};
    return ExerciseThreshold(exercise);
}

} // namespace krovel
