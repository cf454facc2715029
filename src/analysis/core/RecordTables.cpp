#include "analysis/core/RecordTables.h"

#include <algorithm>
#include <optional>

namespace krovel {

namespace {

constexpr const char* TextNone = "";

struct Cells {
    char point;
    const char* none;

    std::string operator()(const std::optional<double>& value, int decimals) const {
        if (!value) return none;
        std::string text = PointText(*value, decimals);
        std::replace(text.begin(), text.end(), '.', point);
        return text;
    }
};

void AddFit(TextTable& summary, const std::optional<LinearFit>& fit, const Cells& number) {
    auto part = [&](auto field) -> std::optional<double> {
        return fit ? std::optional<double>(field(*fit)) : std::nullopt;
    };
    summary.Rows.push_back(
        {"Intercept (m/s)", number(part([](const LinearFit& f) { return f.Intercept; }), 4)});
    summary.Rows.push_back(
        {"Slope (m/s per kg)", number(part([](const LinearFit& f) { return f.Slope; }), 6)});
    summary.Rows.push_back({"r2", number(fit ? fit->R2 : std::nullopt, 4)});
    summary.Rows.push_back(
        {"Standard error (m/s)", number(fit ? fit->StandardError : std::nullopt, 4)});
}

} // namespace

TextTable RecordSummary(const AthleteRecord& r, char decimalPoint, const char* noValue) {
    const Cells number{decimalPoint, noValue};
    TextTable summary{{"Quantity", "Value"}, {}};
    summary.Rows.push_back({"Exercise", r.Exercise});
    summary.Rows.push_back({"Weeks", std::to_string(r.Weeks)});
    for (const RecordSession& s : r.Sessions) summary.Rows.push_back({"Session", s.File});
    summary.Rows.push_back({"MVT (m/s)", number(r.Threshold.Value, 2)});
    summary.Rows.push_back({"MVT source", ThresholdSourceText(r.Threshold.Source)});
    summary.Rows.push_back({"Best repetitions per load", std::to_string(r.BestCount)});
    AddFit(summary, r.Fit, number);
    summary.Rows.push_back({"e1RM (kg)", number(r.E1rm, 1)});
    summary.Rows.push_back({"V0 (m/s)", number(r.V0, 3)});
    summary.Rows.push_back({"L0 (kg)", number(r.L0, 1)});
    summary.Rows.push_back({"Quality", ProfileQualityText(r.Quality)});
    for (const std::string& w : r.Warnings) summary.Rows.push_back({"Warning", w});
    return summary;
}

TextTable RecordLoadTable(const AthleteRecord& r, char decimalPoint, const char* noValue) {
    const Cells number{decimalPoint, noValue};
    TextTable table{{"Session", "Load (kg)", "Velocity (m/s)"}, {}};
    for (const RecordLoad& l : r.Loads)
        table.Rows.push_back({l.Session, number(l.Mass, 1), number(l.Velocity, 3)});
    return table;
}

std::string RecordCsv(const AthleteRecord& record) {
    return CsvText(RecordSummary(record, '.', TextNone)) + "\r\n" +
           CsvText(RecordLoadTable(record, '.', TextNone));
}

TextTable ReadinessSummary(const Readiness& r, char decimalPoint, const char* noValue) {
    const Cells number{decimalPoint, noValue};
    TextTable summary{{"Quantity", "Value"}, {}};
    summary.Rows.push_back({"Exercise", r.Exercise});
    summary.Rows.push_back({"Weeks", std::to_string(r.Reference.Weeks)});
    for (const RecordSession& s : r.Reference.Sessions)
        summary.Rows.push_back({"Reference session", s.File});
    AddFit(summary, r.Reference.Fit, number);
    summary.Rows.push_back({"Reference e1RM (kg)", number(r.Reference.E1rm, 1)});
    summary.Rows.push_back({"Mean difference (m/s)", number(r.MeanDifference, 3)});
    summary.Rows.push_back({"Band (m/s)", number(r.Band, 3)});
    summary.Rows.push_back({"Verdict", ReadinessVerdictText(r.Verdict)});
    summary.Rows.push_back({"e1RM (kg)", number(r.E1rm, 1)});
    summary.Rows.push_back({"e1RM change (%)", number(r.E1rmChangePct, 1)});
    for (const std::string& w : r.Reference.Warnings) summary.Rows.push_back({"Warning", w});
    for (const std::string& w : r.Warnings) summary.Rows.push_back({"Warning", w});
    return summary;
}

TextTable ReadinessLoadTable(const Readiness& r, char decimalPoint, const char* noValue) {
    const Cells number{decimalPoint, noValue};
    TextTable table{
        {"Load (kg)", "Velocity (m/s)", "Record (m/s)", "Difference (m/s)", "Difference (%)"}, {}};
    for (const ReadinessLoad& l : r.Loads) {
        table.Rows.push_back({number(l.Mass, 1), number(l.Velocity, 3), number(l.Predicted, 3),
                              number(l.Difference, 3), number(l.DifferencePct, 1)});
    }
    return table;
}

std::string ReadinessCsv(const Readiness& readiness) {
    return CsvText(ReadinessSummary(readiness, '.', TextNone)) + "\r\n" +
           CsvText(ReadinessLoadTable(readiness, '.', TextNone));
}

} // namespace krovel
