#include "analysis/gui/ProfileWindow.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFutureWatcher>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPromise>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>
#include <QThreadPool>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <limits>
#include <memory>
#include <set>
#include <utility>

#include "analysis/core/AnalysisCsv.h"
#include "analysis/core/AthleteRecord.h"
#include "analysis/core/AthleteThresholds.h"
#include "analysis/core/TableSnapshot.h"
#include "analysis/gui/ProgressWindow.h"
#include "base/core/Prompts.h"
#include "base/gui/QtText.h"
#include "data/core/DataModel.h"
#include "measure/core/RepetitionValues.h"

namespace krovel {

namespace {

QString Kilograms(double v) {
    return QString::number(v, 'f', 1) + QStringLiteral(" kg");
}

QString Velocity(double v) {
    return QString::number(v, 'f', 2) + QStringLiteral(" m/s");
}

// A tooltip for every point with its load and velocity.
void TipLoadAndVelocity(ChartSeries& series, const QString& what) {
    series.tips.clear();
    for (const ChartPoint& p : series.points)
        series.tips.push_back(FromQt(what + QStringLiteral(": ") + Kilograms(p.x) +
                                     QStringLiteral(", ") + Velocity(p.y)));
}

ChartSeries PointSeries(const char* name, Rgb colour, int32_t size) {
    ChartSeries s;
    s.name = name;
    s.colour = colour;
    s.markerSize = size;
    return s;
}

ChartSeries LineSeries(const char* name, Rgb colour, int32_t width, PenStyle style,
                       std::vector<ChartPoint> points) {
    ChartSeries s;
    s.name = name;
    s.colour = colour;
    s.kind = ChartSeriesKind::Line;
    s.marker = ChartMarker::None;
    s.lineWidth = width;
    s.lineStyle = style;
    s.points = std::move(points);
    return s;
}

// A signed number with its unit: "+0.05 m/s", "-3.1 %".
QString Signed(double v, int decimals, const QString& unit) {
    return (v >= 0 ? QStringLiteral("+") : QString()) + QString::number(v, 'f', decimals) +
           QLatin1Char(' ') + unit;
}

// A load as the plate step can make it: one decimal, two for steps finer than 0.1 kg
// or between tenths (1.25 kg).
QString PlateLoad(double load, double plate) {
    const bool tenths = std::abs(plate * 10 - std::round(plate * 10)) < 1e-9;
    return QString::number(load, 'f', tenths ? 1 : 2) + QStringLiteral(" kg");
}

QString VerdictText(const Readiness& r) {
    switch (r.Verdict) {
    case ReadinessVerdict::Above:
        return QStringLiteral("above usual");
    case ReadinessVerdict::Usual:
        return QStringLiteral("usual");
    case ReadinessVerdict::Below:
        return QStringLiteral("below usual");
    case ReadinessVerdict::Unknown:
        break;
    }
    return QStringLiteral("unknown") +
           (r.Warnings.empty() ? QString() : QStringLiteral(": ") + ToQt(r.Warnings.front()));
}

// What reading the record gives: the record, or why there is none.
struct RecordResult {
    Status Built = Status::Ok();
    AthleteRecord Record;
};

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
    athleteThreshold_ = new QPushButton(QStringLiteral("Use as this athlete's threshold"), this);
    controls()->addWidget(athleteThreshold_);
    controls()->addStretch(1);
    buildLoadsPanel();

    connect(threshold_, &QDoubleSpinBox::valueChanged, this, [this](double v) {
        ownThreshold_ = v;
        refreshNow();
    });
    connect(exerciseThreshold_, &QPushButton::clicked, this, [this] {
        ownThreshold_.reset();
        refreshNow();
    });
    connect(athleteThreshold_, &QPushButton::clicked, this, [this] { storeAthleteThreshold(); });
}

// Below the chart: the verdict against the record and the loads for today.
void ProfileWindow::buildLoadsPanel() {
    readinessLabel_ = new QLabel(this);
    readinessLabel_->setWordWrap(true);
    readinessLabel_->setTextFormat(Qt::PlainText);
    readinessLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    readinessLabel_->setAlignment(Qt::AlignTop | Qt::AlignLeft);

    auto* box = new QGroupBox(QStringLiteral("Loads for today"), this);
    auto* boxLayout = new QVBoxLayout(box);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Plate step (kg):"), box));
    plate_ = new QComboBox(box);
    for (double step : {0.5, 1.0, 1.25, 2.5, 5.0}) plate_->addItem(QString::number(step), step);
    plate_->setCurrentIndex(plate_->findData(DefaultPlateStep));
    row->addWidget(plate_);
    row->addSpacing(20);
    row->addWidget(new QLabel(QStringLiteral("Target:"), box));
    target_ = new QDoubleSpinBox(box);
    target_->setRange(0.0, 200.0);
    target_->setDecimals(2);
    target_->setSingleStep(0.05);
    target_->setValue(0.5);
    row->addWidget(target_);
    targetKind_ = new QComboBox(box);
    targetKind_->addItems({QStringLiteral("m/s"), QStringLiteral("% of e1RM")});
    row->addWidget(targetKind_);
    targetLoad_ = new QLabel(box);
    row->addWidget(targetLoad_, 1);
    boxLayout->addLayout(row);
    loadsSource_ = new QLabel(box);
    loadsSource_->setWordWrap(true);
    boxLayout->addWidget(loadsSource_);
    loadsTable_ = new QTableWidget(0, 3, box);
    loadsTable_->setHorizontalHeaderLabels(
        {QStringLiteral("% of e1RM"), QStringLiteral("Load"), QStringLiteral("Velocity (m/s)")});
    loadsTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    loadsTable_->verticalHeader()->setVisible(false);
    loadsTable_->setMaximumHeight(150);
    boxLayout->addWidget(loadsTable_);

    auto* panel = new QHBoxLayout;
    panel->addWidget(readinessLabel_, 1);
    panel->addWidget(box, 2);
    static_cast<QVBoxLayout*>(layout())->addLayout(panel);

    connect(plate_, &QComboBox::currentIndexChanged, this, [this] { showLoads(); });
    connect(target_, &QDoubleSpinBox::valueChanged, this, [this] { showLoads(); });
    connect(targetKind_, &QComboBox::currentIndexChanged, this, [this] { showLoads(); });
}

void ProfileWindow::storeAthleteThreshold() {
    if (const Status stored = SetAthleteThreshold(folder_, profile_.Exercise, threshold_->value());
        !stored) {
        ShowNotice("The athlete's threshold was not stored: " + stored.message());
        return;
    }
    ownThreshold_.reset(); // the athlete's own now decides
    refreshNow();
}

uint64_t ProfileWindow::dataFingerprint() const {
    // The record and the athlete's thresholds come from the subject's folder.
    return AnalysisWindow::dataFingerprint() ^
           std::hash<std::string>()(CurrentSubjectFolder() + '\n' + FileName);
}

void ProfileWindow::rebuild() {
    const TableSnapshot snapshot = TakeTableSnapshot();
    subject_ = CurrentAnalysisSubject();
    folder_ = CurrentSubjectFolder();
    readiness_.reset();
    readinessError_.clear();
    std::vector<AthleteThreshold> athlete;
    if (!folder_.empty()) {
        std::vector<AthleteThreshold> own;
        if (const Status read = ReadAthleteThresholds(folder_, own); read)
            athlete = std::move(own);
        else
            readinessError_ = read.message();
    }
    const VelocityThreshold threshold = ChooseThreshold(ownThreshold_, athlete, snapshot.Exercise);
    profile_ =
        BuildProfile(snapshot.Series, {snapshot.Exercise, bestCount_->value(), threshold.Value});
    profile_.Threshold = threshold;
    if (!folder_.empty() && readinessError_.empty()) {
        // The weeks just before the session, never the session itself; an undated
        // session has no weeks before it.
        const std::optional<int32_t> day = EarliestStartTime(snapshot.Series);
        RecordRequest request;
        request.Folder = folder_;
        request.Exercise = snapshot.Exercise;
        request.Window = {DefaultRecordWeeks, day.value_or(std::numeric_limits<int32_t>::min())};
        request.BestCount = bestCount_->value();
        request.ThresholdValue = ownThreshold_;
        if (!FileName.empty())
            request.ExcludeFile = (std::filesystem::path(folder_) / (FileName + ".krvx")).string();
        readRecord(request);
    }
    athleteThreshold_->setEnabled(!folder_.empty() && !ExerciseKey(snapshot.Exercise).empty());
    {
        // The box shows the threshold in use, the exercise's until the user sets one.
        QSignalBlocker quiet(threshold_);
        threshold_->setValue(profile_.Threshold.Value);
    }
    exerciseThreshold_->setEnabled(ownThreshold_.has_value());

    QStringList lines;
    // The exercise line shows the beginning of a long text, as the chart's title does;
    // laid out whole it would push the table out of the window.
    const std::string exerciseLine = "Exercise: " + profile_.Exercise;
    for (const std::string& line : ProfileSummaryLines(profile_, UserDecimalPoint())) {
        lines << (line == exerciseLine ? QStringLiteral("Exercise: ") + ChartText(profile_.Exercise)
                                       : ToQt(line));
    }
    summary()->setText(lines.join(QLatin1Char('\n')));
    showTable();
    drawChart(snapshot.Series);
    showReadiness();
    showLoads();
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
    Chart c;
    c.title = FromQt(ChartText(profile_.Exercise));
    // Every repetition once per distinct load and velocity step: a full table has
    // 100 000 repetitions but only a few thousand different points to draw.
    std::set<std::pair<float, int>> seen;
    ChartSeries reps = PointSeries("Repetitions", {150, 150, 150}, 6);
    double maxMass = 0, maxVelocity = 0;
    for (const SeriesRecord& s : series) {
        if (!std::isfinite(s.Mass)) continue;
        for (int32_t r = 0; r < UsableRepCount(s); ++r) {
            if (!seen.insert({s.Mass, s.MeanVelocity[r]}).second) continue;
            const double v = RepetitionValue(s, r, ValueKind::MeanVelocity);
            reps.points.push_back({s.Mass, v});
            maxMass = std::max(maxMass, double(s.Mass));
            maxVelocity = std::max(maxVelocity, v);
        }
    }
    TipLoadAndVelocity(reps, QStringLiteral("Repetition"));
    c.series.push_back(std::move(reps));

    ChartSeries loads = PointSeries("Loads", RgbBlue, 11);
    for (const ProfileLoad& l : profile_.Loads) loads.points.push_back({l.Mass, l.Velocity});
    TipLoadAndVelocity(loads, QStringLiteral("Load"));
    c.series.push_back(std::move(loads));

    const double mvt = profile_.Threshold.Value;
    const double right = std::max(maxMass, profile_.E1rm.value_or(0)) * 1.1;
    const double top = std::max({maxVelocity, profile_.V0.value_or(0), mvt}) * 1.1;
    c.x = NiceAxis("Load (kg)", 0, right > 0 ? right : 100, 0);
    c.y = NiceAxis("Mean velocity (m/s)", 0, top > 0 ? top : 1, 2);
    if (profile_.Fit) {
        // Drawn from zero load down to the threshold when there is an estimate, else
        // over the measured loads.
        const LinearFit& fit = *profile_.Fit;
        const double from = profile_.E1rm ? 0.0 : profile_.Loads.front().Mass;
        const double to = profile_.E1rm ? *profile_.E1rm : profile_.Loads.back().Mass;
        c.series.push_back(LineSeries(
            "Fitted line", {0, 140, 0}, 2, PenStyle::Solid,
            {{from, fit.Intercept + fit.Slope * from}, {to, fit.Intercept + fit.Slope * to}}));
    }
    // Across the whole plot.
    c.series.push_back(LineSeries("Minimum velocity threshold", RgbRed, 1, PenStyle::Dash,
                                  {{0, mvt}, {c.x.max, mvt}}));
    if (profile_.E1rm) {
        ChartSeries e1rm = PointSeries("Estimated 1RM", {160, 0, 160}, 13);
        e1rm.marker = ChartMarker::Square;
        e1rm.points.push_back({*profile_.E1rm, mvt});
        e1rm.pointLabel = FromQt(QStringLiteral("e1RM ") + Kilograms(*profile_.E1rm));
        TipLoadAndVelocity(e1rm, QStringLiteral("Estimated 1RM"));
        c.series.push_back(std::move(e1rm));
    }
    showChart(std::move(c));
}

// A folder of ten thousand sessions takes most of a second to read: the record is read
// on a pool thread and the window shows it when it arrives, unless the window has
// started another reading since.
void ProfileWindow::readRecord(const RecordRequest& request) {
    const uint64_t job = ++recordJob_;
    auto promise = std::make_shared<QPromise<RecordResult>>();
    auto* watcher = new QFutureWatcher<RecordResult>(this);
    connect(watcher, &QFutureWatcher<RecordResult>::finished, this, [this, watcher, job] {
        watcher->deleteLater();
        if (job != recordJob_ || watcher->future().resultCount() == 0) return;
        RecordResult result = watcher->future().result();
        readinessError_ = result.Built.message();
        if (result.Built) {
            readiness_ = CompareWithRecord(profile_, std::move(result.Record));
            drawRecord();
        }
        showReadiness();
        showLoads();
    });
    watcher->setFuture(promise->future());
    promise->start();
    QThreadPool::globalInstance()->start([promise, request] {
        RecordResult result;
        result.Built = BuildAthleteRecord(request, result.Record);
        promise->addResult(std::move(result));
        promise->finish();
    });
}

// The record's points and line under today's, in colours of their own.
void ProfileWindow::drawRecord() {
    if (!readiness_) return;
    const AthleteRecord& record = readiness_->Reference;
    if (record.Loads.empty()) return;
    Chart c = chart();
    ChartSeries points = PointSeries("Record loads", {240, 170, 90}, 7);
    for (const RecordLoad& l : record.Loads) points.points.push_back({l.Mass, l.Velocity});
    TipLoadAndVelocity(points, QStringLiteral("Record"));
    c.series.push_back(std::move(points));
    if (record.Fit) {
        const double to = record.E1rm ? *record.E1rm : c.x.max;
        c.series.push_back(LineSeries(
            "Record line", {200, 100, 0}, 2, PenStyle::Dash,
            {{0, record.Fit->Intercept}, {to, record.Fit->Intercept + record.Fit->Slope * to}}));
    }
    showChart(std::move(c));
}

void ProfileWindow::showReadiness() {
    QStringList lines;
    if (folder_.empty()) {
        lines << QStringLiteral("Readiness: no subject is chosen; the record is read from a "
                                "subject's folder.");
    } else if (!readiness_) {
        lines << QStringLiteral("Readiness: ") +
                     (readinessError_.empty() ? QStringLiteral("reading the athlete's record…")
                                              : ToQt(readinessError_));
    } else {
        const Readiness& r = *readiness_;
        const AthleteRecord& record = r.Reference;
        lines << QStringLiteral("Readiness: ") + VerdictText(r);
        lines << QStringLiteral("Record: %1 session(s) from the %2 weeks before the session")
                     .arg(record.Sessions.size())
                     .arg(record.Weeks);
        if (r.MeanDifference) {
            double pct = 0;
            int n = 0;
            for (const ReadinessLoad& l : r.Loads) {
                if (!l.DifferencePct) continue;
                pct += *l.DifferencePct;
                ++n;
            }
            QString text = QStringLiteral("Mean difference: ") +
                           Signed(*r.MeanDifference, 3, QStringLiteral("m/s"));
            if (n > 0) text += QStringLiteral(" (") + Signed(pct / n, 1, QStringLiteral("%)"));
            lines << text;
            lines << QStringLiteral("Usual band: ±%1 m/s").arg(r.Band, 0, 'f', 3);
        }
        if (r.E1rmChangePct && r.E1rm && record.E1rm)
            lines << QStringLiteral("e1RM change: ") +
                         Signed(*r.E1rm - *record.E1rm, 1, QStringLiteral("kg")) +
                         QStringLiteral(" (") + Signed(*r.E1rmChangePct, 1, QStringLiteral("%)"));
    }
    readinessLabel_->setText(lines.join(QLatin1Char('\n')));
}

void ProfileWindow::showLoads() {
    loadsLine_.reset();
    QString source;
    if (readiness_) {
        const AthleteRecord& record = readiness_->Reference;
        loadsLine_ = LineOf(record.Fit, record.Threshold.Value, record.E1rm);
        if (loadsLine_) source = QStringLiteral("From the athlete's record.");
    }
    if (!loadsLine_) {
        loadsLine_ = LineOf(profile_.Fit, profile_.Threshold.Value, profile_.E1rm);
        source = loadsLine_ ? QStringLiteral("No record: from this session's own profile.")
                            : QStringLiteral("No line that estimates a 1RM: no loads.");
    }
    loadsSource_->setText(source);
    const double plate = plate_->currentData().toDouble();
    const std::vector<PrescribedLoad> rows =
        loadsLine_ ? LoadTable(*loadsLine_, plate) : std::vector<PrescribedLoad>{};
    loadsTable_->setRowCount(int(rows.size()));
    for (int i = 0; i < int(rows.size()); ++i) {
        loadsTable_->setItem(i, 0, new QTableWidgetItem(QString::number(rows[i].Percent)));
        loadsTable_->setItem(i, 1, new QTableWidgetItem(PlateLoad(rows[i].Load, plate)));
        loadsTable_->setItem(i, 2, new QTableWidgetItem(QString::number(rows[i].Velocity, 'f', 2)));
    }
    if (!loadsLine_) {
        targetLoad_->clear();
        return;
    }
    const PrescriptionResult result = targetKind_->currentIndex() == 0
                                          ? LoadForVelocity(*loadsLine_, target_->value(), plate)
                                          : LoadForPercent(*loadsLine_, target_->value(), plate);
    targetLoad_->setText(result.Load ? QStringLiteral("Load: %1 (%2 m/s, %3 %)")
                                           .arg(PlateLoad(result.Load->Load, plate))
                                           .arg(result.Load->Velocity, 0, 'f', 2)
                                           .arg(result.Load->Percent)
                                     : ToQt(result.Refusal));
}

} // namespace krovel
