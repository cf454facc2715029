#include "analysis/gui/ProgressWindow.h"

#include <QComboBox>
#include <QDate>
#include <QDateTime>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QThread>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "analysis/core/AnalysisCsv.h"
#include "analysis/core/TableSnapshot.h"
#include "base/gui/QtText.h"
#include "data/core/DataModel.h"
#include "quorl/gui/Quorl.h"

namespace krovel {

namespace {

// Most date ticks the axis shows; more would run their labels into each other.
constexpr int MaxDateTicks = 6;

// A colour of its own for each line: a fixed set first, then hues spread around the
// circle.
Rgb SeriesColour(int index) {
    static const Rgb colours[] = {{0, 0, 255},   {255, 0, 0},   {0, 140, 0},   {160, 0, 160},
                                  {200, 120, 0}, {0, 150, 150}, {120, 80, 40}, {255, 0, 200}};
    if (index < int(std::size(colours))) return colours[index];
    const QColor hue = QColor::fromHsv((index * 137) % 360, 255, 190);
    return {uint8_t(hue.red()), uint8_t(hue.green()), uint8_t(hue.blue())};
}

double MidnightMs(QDate day) {
    return double(day.startOfDay().toMSecsSinceEpoch());
}

ChartSeries SessionLine(const QString& name, Rgb colour, int32_t width, PenStyle style) {
    ChartSeries s;
    s.name = FromQt(name);
    s.colour = colour;
    s.kind = ChartSeriesKind::Line;
    s.lineWidth = width;
    s.lineStyle = style;
    s.markerSize = 5;
    return s;
}

// A tooltip for every point: the line's name in full, the session's day and the value.
void TipSessions(ChartSeries& series, const QString& what, bool kg) {
    for (const ChartPoint& p : series.points) {
        const QString when = QDateTime::fromMSecsSinceEpoch(qint64(p.x)).toString("yyyy-MM-dd");
        const QString value =
            kg ? QString::number(p.y, 'f', 1) + " kg" : QString::number(p.y, 'f', 2) + " m/s";
        series.tips.push_back(FromQt(what + ", " + when + ": " + value));
    }
}

} // namespace

ChartAxis SessionDateAxis(int32_t first, int32_t last) {
    const QDate firstDay = QDateTime::fromSecsSinceEpoch(first).date();
    const QDate lastDay = QDateTime::fromSecsSinceEpoch(last).date();
    // A day either side, so a single session is not squeezed against the frame; a tick
    // every day, or every week (or several) when that would be too many.
    QDate from = firstDay.addDays(-1);
    const QDate to = lastDay.addDays(2);
    qint64 step = 1;
    if (from.daysTo(to) > MaxDateTicks - 1) {
        from = from.addDays(1 - from.dayOfWeek()); // the Monday before
        step = 7;
        while (from.daysTo(to) > step * (MaxDateTicks - 1)) step *= 2;
    }
    ChartAxis axis;
    axis.title = "Session";
    QDate day = from;
    for (; day < to; day = day.addDays(step))
        axis.ticks.push_back({MidnightMs(day), FromQt(day.toString(Qt::ISODate))});
    axis.ticks.push_back({MidnightMs(day), FromQt(day.toString(Qt::ISODate))});
    axis.min = MidnightMs(from);
    axis.max = MidnightMs(day);
    return axis;
}

QString ProgressSummaryText(const ProgressSummary& summary) {
    const auto kg = [](double v) { return QString::number(v, 'f', 1) + QStringLiteral(" kg"); };
    const auto signedNumber = [](double v, int decimals) {
        return (v > 0 ? QStringLiteral("+") : QString()) + QString::number(v, 'f', decimals);
    };
    QString text = QStringLiteral("Sessions: %1").arg(summary.Sessions);
    if (!summary.FirstDate.empty())
        text += QStringLiteral(", first %1, last %2")
                    .arg(ToQt(summary.FirstDate), ToQt(summary.LastDate));
    if (summary.BestE1rm) {
        text += QStringLiteral("\nBest e1RM: ") + kg(*summary.BestE1rm);
        if (!summary.BestDate.empty()) text += QStringLiteral(" on ") + ToQt(summary.BestDate);
    }
    if (summary.LastE1rm) {
        text += QStringLiteral("\nLast e1RM: ") + kg(*summary.LastE1rm);
        if (summary.ChangeKg)
            text += QStringLiteral(", change %1 kg").arg(signedNumber(*summary.ChangeKg, 1));
        if (summary.ChangePct)
            text += QStringLiteral(" (%1 %)").arg(signedNumber(*summary.ChangePct, 1));
    }
    text +=
        summary.TrendKgPerWeek
            ? QStringLiteral("\nTrend: %1 kg/week").arg(signedNumber(*summary.TrendKgPerWeek, 2))
            : QStringLiteral("\nTrend: needs %1 dated sessions with an e1RM")
                  .arg(TrendSessionCount);
    return text;
}

std::string CurrentSubjectFolder() {
    std::string folder;
    if (QuorlIsValid()) QuorlSubjectFolder(folder);
    return folder;
}

ProgressWindow::ProgressWindow(QWidget* parent)
    : AnalysisWindow(QStringLiteral("Progress"), parent) {
    bestCount_ = addBestCountBox();
    exercise_ = new QComboBox(this);
    exercise_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    exercise_->addItem(QStringLiteral("All exercises"));
    controls()->addWidget(exercise_);
    connect(exercise_, &QComboBox::currentIndexChanged, this, [this] {
        if (!reading_) present();
    });
    auto* refresh = new QPushButton(QStringLiteral("Refresh"), this);
    controls()->addWidget(refresh);
    controls()->addStretch(1);
    connect(refresh, &QPushButton::clicked, this, [this] { refreshNow(); });
}

QString ProgressWindow::subjectLine() const {
    std::string first, last; // "YYYY-MM-DD" sorts as the days do
    for (const ExerciseProgress& e : report_.Exercises) {
        for (const SessionSummary& s : e.Sessions) {
            if (s.Date.empty()) continue;
            if (first.empty() || s.Date < first) first = s.Date;
            last = std::max(last, s.Date);
        }
    }
    const std::string sessions = first == last ? first : first + " to " + last;
    return SubjectLineText(
        {{"Athlete", TestHeader.Subject.SubjectName}, {"Sessions", sessions}, {"Folder", folder_}});
}

uint64_t ProgressWindow::dataFingerprint() const {
    const std::hash<std::string> hash;
    return TableFingerprint() ^ hash(CurrentSubjectFolder() + '\n' + FileName + FileTimeText);
}

void ProgressWindow::rebuild() {
    folder_ = CurrentSubjectFolder();
    report_ = {};
    ++generation_; // a read still running for an earlier request is forgotten
    if (folder_.empty()) {
        reading_ = false;
        readText_ =
            QStringLiteral("No subject is chosen: progress is read from a subject's folder.");
        present();
        return;
    }
    // A folder of thousands of sessions takes a second or more to read: the read runs
    // on a thread of its own and the window stays usable meanwhile. The worker holds no
    // pointer to the window; its result comes back through a queued connection that
    // ends with the window, so closing the window mid-read is safe.
    reading_ = true;
    setNothingToAnalyse(true, QStringLiteral("Reading\u2026"));
    struct Result {
        Status built = Status::Ok();
        ProgressReport report;
    };
    auto result = std::make_shared<Result>();
    const ProgressRequest request{folder_, bestCount_->value(), std::nullopt, std::nullopt};
    QThread* worker = QThread::create(
        [result, request] { result->built = BuildProgress(request, result->report); });
    connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    connect(worker, &QThread::finished, this, [this, result, generation = generation_] {
        if (generation != generation_) return;
        reading_ = false;
        if (result->built) {
            report_ = std::move(result->report);
            readText_ = QStringLiteral("Folder: %1\nFiles read: %2")
                            .arg(PathToQt(folder_))
                            .arg(report_.FilesRead);
            for (const RefusedFile& r : report_.Refused)
                readText_ += QStringLiteral("\nRefused: %1: %2").arg(ToQt(r.File), ToQt(r.Reason));
        } else {
            readText_ = ToQt(result->built.message());
        }
        present();
        emit readDone();
    });
    worker->start();
}

void ProgressWindow::present() {
    QString text = readText_;
    fillExerciseBox();
    chosen_.reset();
    if (const ExerciseProgress* e = chosenExercise()) {
        chosen_ = SummariseProgress(e->Sessions);
        text += QLatin1Char('\n') + ProgressSummaryText(*chosen_);
    }
    summary()->setText(text);
    showTable();
    drawChart();
    const bool nothing = report_.Exercises.empty();
    setNothingToAnalyse(nothing, nothing && !folder_.empty()
                                     ? text + QStringLiteral("\nNo session to show.")
                                     : text);
}

void ProgressWindow::fillExerciseBox() {
    // The choice stays with its exercise while the folder changes around it.
    const QString current = exercise_->currentIndex() > 0 ? exercise_->currentText() : QString();
    const QSignalBlocker quiet(exercise_);
    exercise_->clear();
    exercise_->addItem(QStringLiteral("All exercises"));
    for (const ExerciseProgress& e : report_.Exercises)
        exercise_->addItem(e.Exercise.empty() ? QStringLiteral("(no exercise)")
                                              : ChartText(e.Exercise));
    exercise_->setCurrentIndex(current.isEmpty() ? 0 : std::max(0, exercise_->findText(current)));
}

const ExerciseProgress* ProgressWindow::chosenExercise() const {
    const int index = exercise_->currentIndex() - 1;
    if (index < 0 || index >= int(report_.Exercises.size())) return nullptr;
    return &report_.Exercises[size_t(index)];
}

std::string ProgressWindow::csvText() const {
    return ProgressCsv(FolderName(folder_), report_);
}

TextTable ProgressWindow::tableText(char decimalPoint) const {
    return ProgressTable(report_, decimalPoint);
}

void ProgressWindow::drawChart() {
    Chart c;
    std::optional<int32_t> first, last;
    double topKg = 10, topVelocity = 0.5;
    int colour = 0;
    const ExerciseProgress* chosen = chosenExercise();
    for (const ExerciseProgress& e : report_.Exercises) {
        if (chosen && &e != chosen) continue;
        const QString name =
            e.Exercise.empty() ? QStringLiteral("(no exercise)") : ToQt(e.Exercise);
        ChartSeries e1rm = SessionLine(ChartText(FromQt(name)) + QStringLiteral(" e1RM"),
                                       SeriesColour(colour++), 2, PenStyle::Solid);
        ChartSeries best = SessionLine(ChartText(FromQt(name)) + QStringLiteral(" best v"),
                                       SeriesColour(colour++), 1, PenStyle::Dash);
        best.rightAxis = true;
        for (const SessionSummary& s : e.Sessions) {
            if (!s.StartTime) continue;
            first = std::min(first.value_or(*s.StartTime), *s.StartTime);
            last = std::max(last.value_or(*s.StartTime), *s.StartTime);
            const double ms = double(*s.StartTime) * 1000;
            if (s.E1rm) {
                e1rm.points.push_back({ms, *s.E1rm});
                topKg = std::max(topKg, *s.E1rm);
            }
            if (s.BestVelocity) {
                best.points.push_back({ms, *s.BestVelocity});
                topVelocity = std::max(topVelocity, *s.BestVelocity);
            }
        }
        // The tooltip names the exercise in full; the legend only its beginning.
        TipSessions(e1rm, name + " e1RM", true);
        TipSessions(best, name + " best v", false);
        c.series.push_back(std::move(e1rm));
        c.series.push_back(std::move(best));
    }
    if (chosen && chosen_) addTrendAndBest(c, *chosen);
    const int32_t now = int32_t(QDateTime::currentSecsSinceEpoch());
    c.x = SessionDateAxis(first.value_or(now), last.value_or(now));
    c.y = NiceAxis("e1RM (kg)", 0, topKg * 1.1, 0);
    c.right = NiceAxis("Best mean velocity (m/s)", 0, topVelocity * 1.1, 2);
    showChart(std::move(c));
}

// The chosen exercise's least-squares trend and its best session.
void ProgressWindow::addTrendAndBest(Chart& c, const ExerciseProgress& chosen) const {
    const QString name = ChartText(chosen.Exercise);
    std::vector<std::pair<double, double>> points; // weeks since 1970, kg
    std::optional<ChartSeries> best;
    for (const SessionSummary& s : chosen.Sessions) {
        if (!s.E1rm || !s.StartTime) continue;
        points.emplace_back(*s.StartTime / (7 * 86400.0), *s.E1rm);
        if (!best && chosen_->BestE1rm && *s.E1rm == *chosen_->BestE1rm) {
            best =
                SessionLine(name + QStringLiteral(" best e1RM"), {255, 170, 0}, 1, PenStyle::Solid);
            best->kind = ChartSeriesKind::Points;
            best->markerSize = 14;
            best->points.push_back({double(*s.StartTime) * 1000, *s.E1rm});
        }
    }
    if (chosen_->TrendKgPerWeek && points.size() >= 2) {
        // The least-squares line passes through the mean of its points.
        double meanX = 0, meanY = 0;
        for (const auto& [x, y] : points) {
            meanX += x / double(points.size());
            meanY += y / double(points.size());
        }
        ChartSeries trend =
            SessionLine(name + QStringLiteral(" trend"), {90, 90, 90}, 2, PenStyle::Dot);
        trend.marker = ChartMarker::None;
        for (const double x : {points.front().first, points.back().first})
            trend.points.push_back(
                {x * 7 * 86400000.0, meanY + *chosen_->TrendKgPerWeek * (x - meanX)});
        c.series.push_back(std::move(trend));
    }
    if (best) c.series.push_back(std::move(*best));
}

} // namespace krovel
