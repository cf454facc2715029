// "Load-velocity profile": every repetition's load and mean velocity, the load points,
// the fitted line down to the minimum velocity threshold, the threshold and the
// estimated 1RM; beside the chart the equation, r2, quality, warnings and the loads.
// With a subject chosen, the session is also compared with the athlete's record of the
// weeks before it (readiness), and the loads for today are read off the record's line.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "analysis/core/AnalysisSubject.h"
#include "analysis/core/LoadPrescription.h"
#include "analysis/core/LoadVelocityProfile.h"
#include "analysis/core/Readiness.h"
#include "analysis/gui/AnalysisWindow.h"

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace krovel {

class ProfileWindow : public AnalysisWindow {
    Q_OBJECT
public:
    explicit ProfileWindow(QWidget* parent);

    QDoubleSpinBox* thresholdBox() const { return threshold_; }
    QSpinBox* bestCountBox() const { return bestCount_; }
    const LoadVelocityProfile& profile() const { return profile_; }
    std::string csvText() const override;

    // Stores the threshold box's value as the subject's own for the session's exercise.
    QPushButton* athleteThresholdButton() const { return athleteThreshold_; }
    // The session against the record of the weeks before it; none without a subject.
    const std::optional<Readiness>& readiness() const { return readiness_; }
    QLabel* readinessLabel() const { return readinessLabel_; }
    // "Loads for today": the percentage table, the plate step and a target's load.
    QTableWidget* loadsTable() const { return loadsTable_; }
    QComboBox* plateBox() const { return plate_; }
    QDoubleSpinBox* targetBox() const { return target_; }
    QComboBox* targetKindBox() const { return targetKind_; } // "m/s" or "% of e1RM"
    QLabel* targetLoadLabel() const { return targetLoad_; }
    QLabel* loadsSourceLabel() const { return loadsSource_; }

protected:
    void rebuild() override;
    TextTable tableText(char decimalPoint) const override;
    uint64_t dataFingerprint() const override;

private:
    void drawChart(const std::vector<SeriesRecord>& series);
    void drawRecord();
    void buildLoadsPanel();
    void showReadiness();
    void showLoads();
    void storeAthleteThreshold();
    void readRecord(const RecordRequest& request);

    QSpinBox* bestCount_ = nullptr;
    QDoubleSpinBox* threshold_ = nullptr;
    QPushButton* exerciseThreshold_ = nullptr;
    QPushButton* athleteThreshold_ = nullptr;
    QLabel* readinessLabel_ = nullptr;
    QLabel* loadsSource_ = nullptr;
    QTableWidget* loadsTable_ = nullptr;
    QComboBox* plate_ = nullptr;
    QDoubleSpinBox* target_ = nullptr;
    QComboBox* targetKind_ = nullptr;
    QLabel* targetLoad_ = nullptr;
    std::string folder_;         // the chosen subject's folder; empty without one
    std::string readinessError_; // why there is no readiness (a damaged file, ...)
    std::optional<Readiness> readiness_;
    std::optional<PrescriptionLine> loadsLine_;
    uint64_t recordJob_ = 0;             // the latest reading of the record; older ones are dropped
    std::optional<double> ownThreshold_; // set once the user edits the threshold
    LoadVelocityProfile profile_;
    AnalysisSubject subject_;
};

} // namespace krovel
