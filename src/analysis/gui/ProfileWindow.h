// "Load-velocity profile": every repetition's load and mean velocity, the load points,
// the fitted line down to the minimum velocity threshold, the threshold and the
// estimated 1RM; beside the chart the equation, r2, quality, warnings and the loads.
#pragma once

#include <optional>

#include "analysis/core/AnalysisSubject.h"
#include "analysis/core/LoadVelocityProfile.h"
#include "analysis/gui/AnalysisWindow.h"

class QDoubleSpinBox;
class QPushButton;
class QSpinBox;

namespace krovel {

class ProfileWindow : public AnalysisWindow {
    Q_OBJECT
public:
    explicit ProfileWindow(QWidget* parent);

    QDoubleSpinBox* thresholdBox() const { return threshold_; }
    QSpinBox* bestCountBox() const { return bestCount_; }
    const LoadVelocityProfile& profile() const { return profile_; }
    std::string csvText() const override;

protected:
    void rebuild() override;
    TextTable tableText(char decimalPoint) const override;

private:
    void drawChart(const std::vector<SeriesRecord>& series);

    QSpinBox* bestCount_ = nullptr;
    QDoubleSpinBox* threshold_ = nullptr;
    QPushButton* exerciseThreshold_ = nullptr;
    std::optional<double> ownThreshold_; // set once the user edits the threshold
    LoadVelocityProfile profile_;
    AnalysisSubject subject_;
};

} // namespace krovel
