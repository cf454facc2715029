#include "analysis/gui/VelocityLossWindow.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QLabel>
#include <QValueAxis>

#include <algorithm>

#include "analysis/core/AnalysisCsv.h"
#include "analysis/core/TableSnapshot.h"

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

    QChart* c = chart();
    c->removeAllSeries();
    for (QAbstractAxis* axis : c->axes()) c->removeAxis(axis);
    auto* loss = new QBarSet(QStringLiteral("Loss (%)"));
    auto* maxLoss = new QBarSet(QStringLiteral("Max loss (%)"));
    loss->setColor(QColor(0, 0, 255));
    maxLoss->setColor(QColor(255, 0, 0));
    QStringList categories;
    double top = 10;
    for (const SeriesVelocityLoss& l : losses_) {
        *loss << l.LossPct;
        *maxLoss << l.MaxLossPct;
        categories << QString::number(l.Series);
        top = std::max(top, l.MaxLossPct);
    }
    auto* bars = new QBarSeries;
    bars->append(loss);
    bars->append(maxLoss);
    connect(bars, &QBarSeries::hovered, bars, [this](bool state, int index, QBarSet* set) {
        if (index < 0 || index >= int(losses_.size())) return;
        const SeriesVelocityLoss& l = losses_[size_t(index)];
        ShowPointTip(state, QStringLiteral("Series %1, %2 kg: %3 %4 %")
                                .arg(l.Series)
                                .arg(double(l.Mass), 0, 'f', 1)
                                .arg(set->label())
                                .arg(set->at(index), 0, 'f', 1));
    });
    c->addSeries(bars);
    auto* x = new QBarCategoryAxis;
    x->setTitleText(QStringLiteral("Series"));
    x->append(categories);
    auto* y = new QValueAxis;
    y->setTitleText(QStringLiteral("Velocity loss (%)"));
    y->setRange(0, std::min(100.0, top * 1.1));
    y->setLabelFormat(QStringLiteral("%.0f"));
    y->applyNiceNumbers();
    c->addAxis(x, Qt::AlignBottom);
    c->addAxis(y, Qt::AlignLeft);
    bars->attachAxis(x);
    bars->attachAxis(y);
    setNothingToAnalyse(losses_.empty(),
                        QStringLiteral("Nothing to analyse: no series holds two or more moving "
                                       "repetitions."));
}

std::string VelocityLossWindow::csvText() const {
    return VelocityLossCsv(subject_, losses_);
}

TextTable VelocityLossWindow::tableText(char decimalPoint) const {
    return VelocityLossTable(losses_, decimalPoint);
}

} // namespace krovel
