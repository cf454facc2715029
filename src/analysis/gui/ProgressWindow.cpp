#include "analysis/gui/ProgressWindow.h"

#include <QChart>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QSpinBox>
#include <QValueAxis>

#include <algorithm>
#include <functional>

#include "analysis/core/AnalysisCsv.h"
#include "analysis/core/TableSnapshot.h"
#include "base/gui/QtText.h"
#include "data/core/DataModel.h"
#include "quorl/gui/Quorl.h"

namespace krovel {

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

    auto* time = new QDateTimeAxis;
    time->setTitleText(QStringLiteral("Session"));
    time->setFormat(QStringLiteral("yyyy-MM-dd"));
    auto* kg = new QValueAxis;
    kg->setTitleText(QStringLiteral("e1RM (kg)"));
    kg->setLabelFormat(QStringLiteral("%.0f"));
    auto* velocity = new QValueAxis;
    velocity->setTitleText(QStringLiteral("Best mean velocity (m/s)"));
    velocity->setLabelFormat(QStringLiteral("%.2f"));
    c->addAxis(time, Qt::AlignBottom);
    c->addAxis(kg, Qt::AlignLeft);
    c->addAxis(velocity, Qt::AlignRight);

    qint64 first = 0, last = 0;
    double topKg = 10, topVelocity = 0.5;
    bool any = false;
    int colour = 0;
    static const QColor colours[] = {QColor(0, 0, 255), QColor(255, 0, 0), QColor(0, 140, 0),
                                     QColor(160, 0, 160), QColor(200, 120, 0)};
    for (const ExerciseProgress& e : report_.Exercises) {
        const QColor pen = colours[colour++ % std::size(colours)];
        const QString name =
            e.Exercise.empty() ? QStringLiteral("(no exercise)") : ToQt(e.Exercise);
        auto* e1rm = new QLineSeries;
        e1rm->setName(name + QStringLiteral(" e1RM"));
        e1rm->setPen(QPen(pen, 2));
        e1rm->setPointsVisible(true);
        auto* best = new QLineSeries;
        best->setName(name + QStringLiteral(" best v"));
        best->setPen(QPen(pen, 1, Qt::DashLine));
        best->setPointsVisible(true);
        for (const SessionSummary& s : e.Sessions) {
            if (!s.StartTime) continue;
            const qint64 ms = qint64(*s.StartTime) * 1000;
            if (!any) first = last = ms;
            first = std::min(first, ms);
            last = std::max(last, ms);
            any = true;
            if (s.E1rm) {
                e1rm->append(double(ms), *s.E1rm);
                topKg = std::max(topKg, *s.E1rm);
            }
            if (s.BestVelocity) {
                best->append(double(ms), *s.BestVelocity);
                topVelocity = std::max(topVelocity, *s.BestVelocity);
            }
        }
        for (QLineSeries* series : {e1rm, best}) {
            connect(series, &QXYSeries::hovered, series,
                    [series, kgAxis = series == e1rm](const QPointF& p, bool state) {
                        const QString when =
                            QDateTime::fromMSecsSinceEpoch(qint64(p.x())).toString("yyyy-MM-dd");
                        const QString value = kgAxis ? QString::number(p.y(), 'f', 1) + " kg"
                                                     : QString::number(p.y(), 'f', 2) + " m/s";
                        ShowPointTip(state, series->name() + ", " + when + ": " + value);
                    });
            c->addSeries(series);
            series->attachAxis(time);
        }
        e1rm->attachAxis(kg);
        best->attachAxis(velocity);
    }
    // A day either side, so a single session is not squeezed against the frame.
    const qint64 day = 86400000;
    if (!any) first = last = QDateTime::currentMSecsSinceEpoch();
    time->setRange(QDateTime::fromMSecsSinceEpoch(first - day),
                   QDateTime::fromMSecsSinceEpoch(last + day));
    time->setTickCount(4);
    kg->setRange(0, topKg * 1.1);
    kg->applyNiceNumbers();
    velocity->setRange(0, topVelocity * 1.1);
    velocity->applyNiceNumbers();
}

} // namespace krovel
