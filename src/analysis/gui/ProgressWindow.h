// "Progress": the sessions stored in the current subject's folder, one line per
// exercise for the estimated 1RM and one for the best velocity over time, and the
// sessions as a table. Files the program would refuse are listed, not shown.
#pragma once

#include <string>

#include "analysis/core/SessionProgress.h"
#include "analysis/gui/AnalysisWindow.h"

class QSpinBox;

namespace krovel {

class ProgressWindow : public AnalysisWindow {
    Q_OBJECT
public:
    explicit ProgressWindow(QWidget* parent);

    const ProgressReport& report() const { return report_; }
    const std::string& folder() const { return folder_; }
    std::string csvText() const override;

protected:
    void rebuild() override;
    TextTable tableText(char decimalPoint) const override;
    // Also changes when a file is saved or another subject becomes current.
    uint64_t dataFingerprint() const override;

private:
    void drawChart();

    QSpinBox* bestCount_ = nullptr;
    std::string folder_;
    ProgressReport report_;
};

// The folder of the current subject, empty when none is current.
std::string CurrentSubjectFolder();

} // namespace krovel
