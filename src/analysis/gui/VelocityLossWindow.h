// "Velocity loss": a bar per series with its loss from the best repetition to the last
// and to the slowest, and the same as a table.
#pragma once

#include <vector>

#include "analysis/core/AnalysisSubject.h"
#include "analysis/core/VelocityLoss.h"
#include "analysis/gui/AnalysisWindow.h"

namespace krovel {

class VelocityLossWindow : public AnalysisWindow {
    Q_OBJECT
public:
    explicit VelocityLossWindow(QWidget* parent);

    const std::vector<SeriesVelocityLoss>& losses() const { return losses_; }
    std::string csvText() const override;

protected:
    void rebuild() override;
    TextTable tableText(char decimalPoint) const override;

private:
    // A pair of bars a series: its loss and its max loss.
    void drawChart();

    std::vector<SeriesVelocityLoss> losses_;
    AnalysisSubject subject_;
};

} // namespace krovel
