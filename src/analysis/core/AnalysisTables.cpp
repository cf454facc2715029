#include "analysis/core/AnalysisTables.h"

#include <algorithm>
#include <cmath>

#include "analysis/core/ProgressTrend.h"
#include "data/core/CsvField.h"

namespace krovel {

namespace {

constexpr const char* NoValueText = "-";

// Undefined (not a number, infinite) as NoValueText, which CSV leaves empty.
std::string Number(double value, int decimals, char decimalPoint, int significant = 0) {
    if (!std::isfinite(value)) return NoValueText;
    std::string text = PointText(value, decimals, significant);
    std::replace(text.begin(), text.end(), '.', decimalPoint);
    return text;
}

std::string Number(const std::optional<double>& value, int decimals, char decimalPoint) {
    return value ? Number(*value, decimals, decimalPoint) : NoValueText;
}

const char* ThresholdOrigin(ThresholdSource source) {
    switch (source) {
    case ThresholdSource::Exercise:
        return "for the exercise";
    case ThresholdSource::Default:
        return "default";
    case ThresholdSource::Option:
        return "set by the user";
    case ThresholdSource::Athlete:
        return "the athlete's own";
    }
    return "";
}

// A load to put on the bar: tenths, or hundredths for plate steps finer than 0.1 kg.
std::string LoadText(double load, char decimalPoint) {
    const double tenths = load * 10;
    return Number(load, std::fabs(tenths - std::round(tenths)) < 1e-6 ? 1 : 2, decimalPoint);
}

bool LooksNumeric(const std::string& cell) {
    return !cell.empty() && (std::isdigit(static_cast<unsigned char>(cell[0])) || cell[0] == '-');
}

template <typename Separate>
std::string Joined(const TextTable& table, const char* separator, const char* lineEnd,
                   Separate field) {
    std::string out;
    auto line = [&](const std::vector<std::string>& cells) {
        for (size_t c = 0; c < cells.size(); ++c) {
            if (c > 0) out += separator;
            out += field(cells[c]);
        }
        out += lineEnd;
    };
    line(table.Columns);
    for (const auto& row : table.Rows) line(row);
    return out;
}

} // namespace

TextTable ProfileLoadTable(const LoadVelocityProfile& profile, char p) {
    TextTable table{{"Load (kg)", "Mean v (m/s)", "Repetitions"}, {}};
    for (const ProfileLoad& load : profile.Loads) {
        table.Rows.push_back({Number(load.Mass, 1, p), Number(load.Velocity, 3, p),
                              std::to_string(load.Repetitions)});
    }
    return table;
}

std::vector<std::string> ProfileSummaryLines(const LoadVelocityProfile& profile, char p) {
    std::vector<std::string> lines;
    lines.push_back("Exercise: " + profile.Exercise);
    lines.push_back("Minimum velocity threshold: " + Number(profile.Threshold.Value, 2, p) +
                    " m/s (" + ThresholdOrigin(profile.Threshold.Source) + ")");
    lines.push_back("Best repetitions per load: " + std::to_string(profile.BestCount));
    lines.push_back("Loads: " + std::to_string(profile.Loads.size()));
    if (profile.Fit) {
        const LinearFit& fit = *profile.Fit;
        lines.push_back("Line: v = " + Number(fit.Intercept, 3, p) +
                        (fit.Slope < 0 ? " - " : " + ") +
                        Number(std::fabs(fit.Slope), 5, p, SlopeDigits) + " x m");
        lines.push_back("r2: " + Number(fit.R2, 4, p));
        lines.push_back("Standard error: " + Number(fit.StandardError, 3, p) + " m/s");
    } else {
        lines.push_back("Line: none");
    }
    lines.push_back(std::string("Quality: ") + ProfileQualityText(profile.Quality));
    lines.push_back("e1RM: " + Number(profile.E1rm, 1, p) + " kg");
    lines.push_back("Velocity at zero load: " + Number(profile.V0, 3, p) + " m/s");
    lines.push_back("Load at zero velocity: " + Number(profile.L0, 1, p) + " kg");
    for (const std::string& w : profile.Warnings) lines.push_back("Warning: " + w);
    return lines;
}

TextTable VelocityLossTable(const std::vector<SeriesVelocityLoss>& losses, char p) {
    TextTable table{{"Series", "Load (kg)", "Repetitions", "Best v (m/s)", "Last v (m/s)",
                     "Loss (%)", "Max loss (%)"},
                    {}};
    for (const SeriesVelocityLoss& l : losses) {
        table.Rows.push_back({std::to_string(l.Series), Number(l.Mass, 1, p),
                              std::to_string(l.Repetitions), Number(l.Best, 2, p),
                              Number(l.Last, 2, p), Number(l.LossPct, 1, p),
                              Number(l.MaxLossPct, 1, p)});
    }
    return table;
}

TextTable ProgressTable(const ProgressReport& report, char p) {
    TextTable table{{"Exercise", "Date", "File", "e1RM (kg)", "r2", "Quality", "Loads",
                     "Repetitions", "Volume (kg)", "Best v (m/s)"},
                    {}};
    for (const ExerciseProgress& e : report.Exercises) {
        for (const SessionSummary& s : e.Sessions) {
            table.Rows.push_back({e.Exercise, s.Date.empty() ? NoValueText : s.Date, s.File,
                                  Number(s.E1rm, 1, p), Number(s.R2, 3, p),
                                  ProfileQualityText(s.Quality), std::to_string(s.Loads),
                                  std::to_string(s.Repetitions), Number(s.VolumeKg, 1, p),
                                  Number(s.BestVelocity, 2, p)});
        }
    }
    return table;
}

TextTable ProgressSummaryTable(const ProgressReport& report, char p) {
    TextTable table{{"Exercise", "Sessions", "First date", "Last date", "Best e1RM (kg)",
                     "Best date", "Last e1RM (kg)", "Change (kg)", "Change (%)", "Trend (kg/week)"},
                    {}};
    auto date = [](const std::string& d) { return d.empty() ? std::string(NoValueText) : d; };
    for (const ExerciseProgress& e : report.Exercises) {
        const ProgressSummary s = SummariseProgress(e.Sessions);
        table.Rows.push_back({e.Exercise, std::to_string(s.Sessions), date(s.FirstDate),
                              date(s.LastDate), Number(s.BestE1rm, 1, p),
                              s.BestE1rm ? date(s.BestDate) : NoValueText, Number(s.LastE1rm, 1, p),
                              Number(s.ChangeKg, 1, p), Number(s.ChangePct, 1, p),
                              Number(s.TrendKgPerWeek, 2, p)});
    }
    return table;
}

TextTable PrescriptionTable(const std::vector<PrescribedLoad>& rows, char p) {
    TextTable table{{"% e1RM", "Load (kg)", "Mean v (m/s)"}, {}};
    for (const PrescribedLoad& row : rows) {
        table.Rows.push_back(
            {std::to_string(row.Percent), LoadText(row.Load, p), Number(row.Velocity, 2, p)});
    }
    return table;
}

void AddStopColumn(TextTable& table, const std::vector<std::optional<int32_t>>& stops) {
    table.Columns.push_back("Stop at rep");
    for (size_t r = 0; r < table.Rows.size() && r < stops.size(); ++r)
        table.Rows[r].push_back(stops[r] ? std::to_string(*stops[r]) : NoValueText);
}

std::string CsvText(const TextTable& table) {
    return Joined(table, ",", "\r\n", [](const std::string& text) {
        // A value that is not defined is an empty field, which spreadsheets leave blank.
        return text == NoValueText ? std::string() : CsvField(text);
    });
}

std::string TabText(const TextTable& table) {
    return Joined(table, "\t", "\n", [](const std::string& text) {
        std::string plain = text;
        std::replace_if(
            plain.begin(), plain.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; },
            ' ');
        return plain;
    });
}

std::string AlignedText(const TextTable& table) {
    std::vector<size_t> widths(table.Columns.size());
    auto measure = [&](const std::vector<std::string>& cells) {
        for (size_t c = 0; c < cells.size() && c < widths.size(); ++c)
            widths[c] = std::max(widths[c], cells[c].size());
    };
    measure(table.Columns);
    for (const auto& row : table.Rows) measure(row);
    std::string out;
    auto line = [&](const std::vector<std::string>& cells, bool titles) {
        std::string text;
        for (size_t c = 0; c < cells.size() && c < widths.size(); ++c) {
            if (c > 0) text += "  ";
            const size_t pad = widths[c] - cells[c].size();
            if (!titles && LooksNumeric(cells[c]))
                text.append(pad, ' ').append(cells[c]);
            else
                text.append(cells[c]).append(pad, ' ');
        }
        while (!text.empty() && text.back() == ' ') text.pop_back();
        out += text + '\n';
    };
    line(table.Columns, true);
    for (const auto& row : table.Rows) line(row, false);
    return out;
}

} // namespace krovel
