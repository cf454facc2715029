// "Progress": the sessions stored in the current subject's folder, one line per
// exercise for the estimated 1RM and one for the best velocity over time, and the
// sessions as a table. Files the program would refuse are listed, not shown. Choosing
// one exercise shows its e1RM alone with the best session marked, the least-squares
// trend (with at least TrendSessionCount sessions) and what the sessions say together.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "analysis/core/ProgressTrend.h"
#include "analysis/core/SessionProgress.h"
#include "analysis/gui/AnalysisWindow.h"

class QComboBox;
class QSpinBox;

namespace krovel {

class ProgressWindow : public AnalysisWindow {
    Q_OBJECT
public:
    explicit ProgressWindow(QWidget* parent);

    const ProgressReport& report() const { return report_; }
    const std::string& folder() const { return folder_; }
    std::string csvText() const override;
    // Which exercise the chart and summary show: "All exercises" first, then each
    // exercise of the folder (the base class's exercise box names the session's own).
    QComboBox* shownExerciseBox() const { return exercise_; }
    // The chosen exercise's summary; none while all exercises are shown.
    const std::optional<ProgressSummary>& exerciseSummary() const { return chosen_; }
    // True while the folder is being read; readDone follows when it has been.
    bool reading() const { return reading_; }

signals:
    void readDone();

protected:
    void rebuild() override;
    TextTable tableText(char decimalPoint) const override;
    // Also changes when a file is saved or another subject becomes current.
    uint64_t dataFingerprint() const override;
    // The subject's name, the first and last session's dates and the folder.
    QString subjectLine() const override;

private:
    void drawChart();
    void addTrendAndBest(Chart& chart, const ExerciseProgress& chosen) const;
    // Summary, table and chart from report_ and readText_.
    void present();
    void fillExerciseBox();
    // The chosen exercise, or nullptr for all of them.
    const ExerciseProgress* chosenExercise() const;

    QSpinBox* bestCount_ = nullptr;
    QComboBox* exercise_ = nullptr;
    std::optional<ProgressSummary> chosen_;
    QString readText_; // what the read said: folder and files read, or why none were
    bool reading_ = false;
    uint64_t generation_ = 0; // of the latest read asked for
    std::string folder_;
    ProgressReport report_;
};

// The time axis for sessions from `first` to `last` (seconds since 1970): a tick with
// its date at each local midnight (milliseconds since 1970), every day or, over a long span, every
// week or weeks.
ChartAxis SessionDateAxis(int32_t first, int32_t last);

// The summary of one exercise as the Progress window shows it, one line each for the
// sessions, the best and the last e1RM and the trend.
QString ProgressSummaryText(const ProgressSummary& summary);

// The folder of the current subject, empty when none is current.
std::string CurrentSubjectFolder();

} // namespace krovel
