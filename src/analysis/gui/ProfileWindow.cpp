#include "analysis/gui/ProfileWindow.h"

#include <QChart>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>

#include "analysis/core/AnalysisCsv.h"
#include "analysis/core/TableSnapshot.h"
#include "base/gui/QtText.h"
#include "measure/core/RepetitionValues.h"

namespace krovel {

namespace {

QString Kilograms(double v) {
    return QString::number(v, 'f', 1) + QStringLiteral(" kg");
}

QString Velocity(double v) {
    return QString::number(v, 'f', 2) + QStringLiteral(" m/s");
}

// A tooltip with the load and velocity of the point under the mouse.
void TipLoadAndVelocity(QXYSeries* series, const QString& what) {
    QObject::connect(series, &QXYSeries::hovered, series, [what](const QPointF& p, bool state) {
        ShowPointTip(state, what + QStringLiteral(": ") + Kilograms(p.x()) + QStringLiteral(", ") +
                                Velocity(p.y()));
    });
}

} // namespace

ProfileWindow::ProfileWindow(QWidget* parent)
    : AnalysisWindow(QStringLiteral("Load-velocity profile"), parent) {
    bestCount_ = addBestCountBox();
    controls()->addSpacing(20);
    controls()->addWidget(new QLabel(QStringLiteral("Minimum velocity threshold (m/s):"), this));
    threshold_ = new QDoubleSpinBox(this);
    threshold_->setRange(0.0, 5.1);
    threshold_->setDecimals(2);
    threshold_->setSingleStep(0.01);
    controls()->addWidget(threshold_);
    exerciseThreshold_ = new QPushButton(QStringLiteral("Exercise's threshold"), this);
    controls()->addWidget(exerciseThreshold_);
    controls()->addStretch(1);

    connect(threshold_, &QDoubleSpinBox::valueChanged, this, [this](double v) {
        ownThreshold_ = v;
        refreshNow();
    });
    connect(exerciseThreshold_, &QPushButton::clicked, this, [this] {
        ownThreshold_.reset();
        refreshNow();
    });
}

void ProfileWindow::rebuild() {
    const TableSnapshot snapshot = TakeTableSnapshot();
    subject_ = CurrentAnalysisSubject();
    profile_ =
        BuildProfile(snapshot.Series, {snapshot.Exercise, bestCount_->value(), ownThreshold_});
    {
        // The box shows the threshold in use, the exercise's until the user sets one.
        QSignalBlocker quiet(threshold_);
        threshold_->setValue(profile_.Threshold.Value);
    }
    exerciseThreshold_->setEnabled(ownThreshold_.has_value());

    QStringList lines;
    for (const std::string& line : ProfileSummaryLines(profile_, UserDecimalPoint()))
        lines << ToQt(line);
    summary()->setText(lines.join(QLatin1Char('\n')));
    showTable();
    drawChart(snapshot.Series);
    setNothingToAnalyse(snapshot.Series.empty(),
                        QStringLiteral("Nothing to analyse: the table holds no series."));
}

TextTable ProfileWindow::tableText(char decimalPoint) const {
    return ProfileLoadTable(profile_, decimalPoint);
}

std::string ProfileWindow::csvText() const {
    return ProfileCsv(subject_, profile_);
}

void ProfileWindow::drawChart(const std::vector<SeriesRecord>& series) {
    QChart* c = chart();
    c->removeAllSeries();
    for (QAbstractAxis* axis : c->axes()) c->removeAxis(axis);
    c->setTitle(ToQt(profile_.Exercise));

    // Every repetition once per distinct load and velocity step: a full table has
    // 100 000 repetitions but only a few thousand different points to draw.
    std::set<std::pair<float, int>> seen;
    auto* reps = new QScatterSeries;
    reps->setName(QStringLiteral("Repetitions"));
    reps->setMarkerSize(6);
    reps->setColor(QColor(150, 150, 150));
    reps->setBorderColor(QColor(150, 150, 150));
    double maxMass = 0, maxVelocity = 0;
    for (const SeriesRecord& s : series) {
        if (!std::isfinite(s.Mass)) continue;
        for (int32_t r = 0; r < UsableRepCount(s); ++r) {
            if (!seen.insert({s.Mass, s.MeanVelocity[r]}).second) continue;
            const double v = RepetitionValue(s, r, ValueKind::MeanVelocity);
            reps->append(s.Mass, v);
            maxMass = std::max(maxMass, double(s.Mass));
            maxVelocity = std::max(maxVelocity, v);
        }
    }
    TipLoadAndVelocity(reps, QStringLiteral("Repetition"));

    auto* loads = new QScatterSeries;
    loads->setName(QStringLiteral("Loads"));
    loads->setMarkerSize(11);
    loads->setColor(QColor(0, 0, 255));
    for (const ProfileLoad& l : profile_.Loads) loads->append(l.Mass, l.Velocity);
    TipLoadAndVelocity(loads, QStringLiteral("Load"));

    const double mvt = profile_.Threshold.Value;
    double right = std::max(maxMass, profile_.E1rm.value_or(0)) * 1.1;
    if (right <= 0) right = 100;
    double top = std::max({maxVelocity, profile_.V0.value_or(0), mvt}) * 1.1;
    if (top <= 0) top = 1;

    c->addSeries(reps);
    c->addSeries(loads);
    if (profile_.Fit) {
        // Drawn from zero load down to the threshold when there is an estimate, else
        // over the measured loads.
        const LinearFit& fit = *profile_.Fit;
        const double from = profile_.E1rm ? 0.0 : profile_.Loads.front().Mass;
        const double to = profile_.E1rm ? *profile_.E1rm : profile_.Loads.back().Mass;
        auto* line = new QLineSeries;
        line->setName(QStringLiteral("Fitted line"));
        line->append(from, fit.Intercept + fit.Slope * from);
        line->append(to, fit.Intercept + fit.Slope * to);
        line->setPen(QPen(QColor(0, 0, 255), 2));
        c->addSeries(line);
    }
    auto* threshold = new QLineSeries;
    threshold->setName(QStringLiteral("Minimum velocity threshold"));
    threshold->append(0, mvt);
    threshold->append(right, mvt);
    threshold->setPen(QPen(QColor(255, 0, 0), 1, Qt::DashLine));
    c->addSeries(threshold);
    if (profile_.E1rm) {
        auto* e1rm = new QScatterSeries;
        e1rm->setName(QStringLiteral("Estimated 1RM"));
        e1rm->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
        e1rm->setMarkerSize(13);
        e1rm->setColor(QColor(255, 0, 0));
        e1rm->append(*profile_.E1rm, mvt);
        e1rm->setPointLabelsVisible(true);
        e1rm->setPointLabelsFormat(QStringLiteral("e1RM ") + Kilograms(*profile_.E1rm));
        TipLoadAndVelocity(e1rm, QStringLiteral("Estimated 1RM"));
        c->addSeries(e1rm);
    }

    auto* x = new QValueAxis;
    x->setTitleText(QStringLiteral("Load (kg)"));
    x->setRange(0, right);
    x->setLabelFormat(QStringLiteral("%.0f"));
    auto* y = new QValueAxis;
    y->setTitleText(QStringLiteral("Mean velocity (m/s)"));
    y->setRange(0, top);
    y->setLabelFormat(QStringLiteral("%.2f"));
    x->applyNiceNumbers();
    y->applyNiceNumbers();
    threshold->replace(1, QPointF(x->max(), mvt)); // across the whole plot
    c->addAxis(x, Qt::AlignBottom);
    c->addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries* s : c->series()) {
        s->attachAxis(x);
        s->attachAxis(y);
    }
}

} // namespace krovel
