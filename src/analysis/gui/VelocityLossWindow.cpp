#include "analysis/gui/VelocityLossWindow.h"

#include <QLabel>

#include <algorithm>

#include "analysis/core/AnalysisCsv.h"
#include "analysis/core/TableSnapshot.h"
#include "base/gui/QtText.h"

namespace krovel {

VelocityLossWindow::VelocityLossWindow(QWidget* parent)
    : AnalysisWindow(QStringLiteral("Velocity loss"), parent) {}

void VelocityLossWindow::rebuild() {
    const TableSnapshot snapshot = TakeTableSnapshot();
    subject_ = CurrentAnalysisSubject();
    losses_ = VelocityLosses(snapshot.Series);
    summary()->setText(
        QStringLiteral("Loss: from the fastest repetition of a series to its last one.\n"
                       "Max loss: from the fastest to the slowest one.\n"
                       "Series with fewer than two moving repetitions are not listed."));
    showTable();

    drawChart();
    setNothingToAnalyse(losses_.empty(),
                        QStringLiteral("Nothing to analyse: no series holds two or more moving "
                                       "repetitions."));
}

void VelocityLossWindow::drawChart() {
    Chart c;
    ChartSeries loss, maxLoss;
    loss.name = "Loss (%)";
    maxLoss.name = "Max loss (%)";
    loss.colour = RgbBlue;
    maxLoss.colour = RgbRed;
    c.x.title = "Series";
    double top = 10;
    for (size_t i = 0; i < losses_.size(); ++i) {
        const SeriesVelocityLoss& l = losses_[i];
        loss.points.push_back({double(i), l.LossPct});
        maxLoss.points.push_back({double(i), l.MaxLossPct});
        c.x.ticks.push_back({double(i), std::to_string(l.Series)});
        top = std::max(top, l.MaxLossPct);
    }
    for (ChartSeries* bars : {&loss, &maxLoss}) {
        bars->kind = ChartSeriesKind::Bars;
        for (size_t i = 0; i < losses_.size(); ++i)
            bars->tips.push_back(FromQt(QStringLiteral("Series %1, %2 kg: %3 %4 %")
                                            .arg(losses_[i].Series)
                                            .arg(double(losses_[i].Mass), 0, 'f', 1)
                                            .arg(ToQt(bars->name))
                                            .arg(bars->points[i].y, 0, 'f', 1)));
    }
    // A category for each series, the bars in its middle.
    c.x.min = -0.5;
    c.x.max = std::max(0.5, double(losses_.size()) - 0.5);
    c.y = NiceAxis("Velocity loss (%)", 0, std::min(100.0, top * 1.1), 0);
    c.series.push_back(std::move(loss));
    c.series.push_back(std::move(maxLoss));
    showChart(std::move(c));
}

std::string VelocityLossWindow::csvText() const {
    return VelocityLossCsv(subject_, losses_);
}

TextTable VelocityLossWindow::tableText(char decimalPoint) const {
    return VelocityLossTable(losses_, decimalPoint);
}

} // namespace krovel
