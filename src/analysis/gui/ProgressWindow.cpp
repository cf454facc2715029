#include "analysis/gui/ProgressWindow.h"

#include <QCategoryAxis>
#include <QChart>
#include <QDate>
#include <QDateTime>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QSpinBox>
#include <QValueAxis>

#include <algorithm>
#include <functional>
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
QColor SeriesColour(int index) {
    static const QColor colours[] = {QColor(0, 0, 255),   QColor(255, 0, 0),   QColor(0, 140, 0),
                                     QColor(160, 0, 160), QColor(200, 120, 0), QColor(0, 150, 150),
                                     QColor(120, 80, 40), QColor(255, 0, 200)};
    if (index < int(std::size(colours))) return colours[index];
    return QColor::fromHsv((index * 137) % 360, 255, 190);
}

qreal MidnightMs(QDate day) {
    return qreal(day.startOfDay().toMSecsSinceEpoch());
}

} // namespace

QCategoryAxis* SessionDateAxis(int32_t first, int32_t last) {
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
    auto* axis = new QCategoryAxis;
    axis->setTitleText(QStringLiteral("Session"));
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    // Each label sits on its category's end; the first one's category is a millisecond.
    axis->setStartValue(MidnightMs(from) - 1);
    QDate day = from;
    for (; day < to; day = day.addDays(step))
        axis->append(day.toString(Qt::ISODate), MidnightMs(day));
    axis->append(day.toString(Qt::ISODate), MidnightMs(day));
    axis->setRange(MidnightMs(from) - 1, MidnightMs(day));
    return axis;
}

std::string CurrentSubjectFolder() {
    std::string folder;
    if (QuorlIsValid()) QuorlSubjectFolder(folder);
    return folder;
}

ProgressWindow::ProgressWindow(QWidget* parent)
    : AnalysisWindow(QStringLiteral("Progress"), parent) {
    bestCount_ = addBestCountBox();
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
    QString text;
    if (folder_.empty()) {
        text = QStringLiteral("No subject is chosen: progress is read from a subject's folder.");
    } else {
        std::string error;
        if (auto report = BuildProgress({folder_, bestCount_->value(), std::nullopt}, error)) {
            report_ = std::move(*report);
            text = QStringLiteral("Folder: %1\nFiles read: %2")
                       .arg(PathToQt(folder_))
                       .arg(report_.FilesRead);
            for (const RefusedFile& r : report_.Refused)
                text += QStringLiteral("\nRefused: %1: %2").arg(ToQt(r.File), ToQt(r.Reason));
        } else {
            text = ToQt(error);
        }
    }
    summary()->setText(text);
    showTable();
    drawChart();
    const bool nothing = report_.Exercises.empty();
    setNothingToAnalyse(nothing, nothing && !folder_.empty()
                                     ? text + QStringLiteral("\nNo session to show.")
                                     : text);
}

std::string ProgressWindow::csvText() const {
    return ProgressCsv(FolderName(folder_), report_);
}

TextTable ProgressWindow::tableText(char decimalPoint) const {
    return ProgressTable(report_, decimalPoint);
}

void ProgressWindow::drawChart() {
    QChart* c = chart();
    c->removeAllSeries();
    for (QAbstractAxis* axis : c->axes()) c->removeAxis(axis);

    auto* kg = new QValueAxis;
    kg->setTitleText(QStringLiteral("e1RM (kg)"));
    kg->setLabelFormat(QStringLiteral("%.0f"));
    auto* velocity = new QValueAxis;
    velocity->setTitleText(QStringLiteral("Best mean velocity (m/s)"));
    velocity->setLabelFormat(QStringLiteral("%.2f"));

    std::optional<int32_t> first, last;
    double topKg = 10, topVelocity = 0.5;
    int colour = 0;
    std::vector<QLineSeries*> lines;
    for (const ExerciseProgress& e : report_.Exercises) {
        const QString name =
            e.Exercise.empty() ? QStringLiteral("(no exercise)") : ToQt(e.Exercise);
        auto* e1rm = new QLineSeries;
        e1rm->setName(ChartText(FromQt(name)) + QStringLiteral(" e1RM"));
        e1rm->setPen(QPen(SeriesColour(colour++), 2));
        e1rm->setPointsVisible(true);
        auto* best = new QLineSeries;
        best->setName(ChartText(FromQt(name)) + QStringLiteral(" best v"));
        best->setPen(QPen(SeriesColour(colour++), 1, Qt::DashLine));
        best->setPointsVisible(true);
        for (const SessionSummary& s : e.Sessions) {
            if (!s.StartTime) continue;
            first = std::min(first.value_or(*s.StartTime), *s.StartTime);
            last = std::max(last.value_or(*s.StartTime), *s.StartTime);
            const double ms = double(*s.StartTime) * 1000;
            if (s.E1rm) {
                e1rm->append(ms, *s.E1rm);
                topKg = std::max(topKg, *s.E1rm);
            }
            if (s.BestVelocity) {
                best->append(ms, *s.BestVelocity);
                topVelocity = std::max(topVelocity, *s.BestVelocity);
            }
        }
        for (QLineSeries* series : {e1rm, best}) {
            // The tooltip names the exercise in full; the legend only its beginning.
            const QString what = name + (series == e1rm ? " e1RM" : " best v");
            connect(series, &QXYSeries::hovered, series,
                    [what, kgAxis = series == e1rm](const QPointF& p, bool state) {
                        const QString when =
                            QDateTime::fromMSecsSinceEpoch(qint64(p.x())).toString("yyyy-MM-dd");
                        const QString value = kgAxis ? QString::number(p.y(), 'f', 1) + " kg"
                                                     : QString::number(p.y(), 'f', 2) + " m/s";
                        ShowPointTip(state, what + ", " + when + ": " + value);
                    });
            c->addSeries(series);
            lines.push_back(series);
        }
    }
    const int32_t now = int32_t(QDateTime::currentSecsSinceEpoch());
    QCategoryAxis* time = SessionDateAxis(first.value_or(now), last.value_or(now));
    c->addAxis(time, Qt::AlignBottom);
    c->addAxis(kg, Qt::AlignLeft);
    c->addAxis(velocity, Qt::AlignRight);
    for (size_t i = 0; i < lines.size(); ++i) {
        lines[i]->attachAxis(time);
        lines[i]->attachAxis(i % 2 == 0 ? kg : velocity);
    }
    kg->setRange(0, topKg * 1.1);
    kg->applyNiceNumbers();
    velocity->setRange(0, topVelocity * 1.1);
    velocity->applyNiceNumbers();
}

} // namespace krovel
