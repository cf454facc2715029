// The live measurement: start, the 100 ms tick that takes over one received repetition
// at a time, the signal sounds, and STOP.
//
// The link's reader thread fills entry SeriesCount through the decoder and may open
// further series on its own; the tick reads SeriesCount, RepCount and Finished through
// the hand-over loads and reads a series' values only below the RepCount it loaded.
#include <QAbstractButton>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <ctime>

#include "base/core/CommandIds.h"
#include "base/core/Prompts.h"
#include "base/gui/CommandRouter.h"
#include "base/io/LogCategories.h"
#include "data/core/DataModel.h"
#include "data/core/Settings.h"
#include "data/core/SubjectBarSync.h"
#include "device/core/HandOver.h"
#include "device/io/DeviceLink.h"
#include "measure/core/LiveMeasurementState.h"
#include "measure/core/RepetitionValues.h"
#include "measure/gui/CTarnList.h"
#include "measure/gui/SignalSounds.h"
#include "measure/gui/VelocityLossStopSetting.h"
#include "ui/core/ViewState.h"
#include "ui/gui/CKrovelDeviceView.h"
#include "ui/gui/CMainFrame.h"
#include "ui/gui/SubjectBar.h"

namespace krovel {

void CKrovelDeviceView::registerLiveCommands() {
    liveTimer_.setInterval(LiveTickMs);
    connect(&liveTimer_, &QTimer::timeout, this, [this] { router().post(cmd::Tick); });

    router().setHandler(cmd::NewMeasurement, this, [this] { NewMeasurement(); });
    router().setHandler(cmd::AppendSetRequest, this, [this] { AppendSet(); });
    router().setHandler(cmd::Tick, this, [this] { TickCommand(); });
    router().setHandler(cmd::Stop, this, [this] { StopMeasurement(); });

    // Readable from the platform: large type under the live table.
    lossLabel_ = new QLabel(this);
    QFont big = lossLabel_->font();
    big.setPointSize(26);
    big.setBold(true);
    lossLabel_->setFont(big);
    lossLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lossLabel_->setGeometry(10, 545, 800, 150);
    lossLabel_->hide();
}

void CKrovelDeviceView::NewMeasurement() {
    // A request that arrives while a measurement runs must not empty its table.
    if (!MeasurementIdle) return;
    emptyTable();
    ViewMode = ViewModeLive;
    DataPresent = 1;
    startMeasurement();
}

void CKrovelDeviceView::emptyTable() {
    if (!MeasurementIdle) return;
    ClearSeriesTable(*subjectBar_);
    LiveMeasurement.LiveShownCount = 0;
}

void CKrovelDeviceView::AppendSet() {
    if (!MeasurementIdle || SeriesCount >= MaxSeries) return;
    LiveMeasurement.LiveShownCount = 0;
    CurrentSeries = SeriesCount - 1;
    ReadSubjectBar(*subjectBar_);
    ViewMode = ViewModeLive;
    Repaint();
    startMeasurement();
}

void CKrovelDeviceView::startMeasurement() {
    if (SeriesCount >= MaxSeries || SeriesCount < 0) return;
    showTestFields();

    LiveMeasurement.LiveRequest.PortIndex = PortSetting;
    LiveMeasurement.LiveRequest.RepIndex = 0;
    // The device marks the first frame of every set. The entry at SeriesCount is opened
    // empty here, so that marker fills it instead of closing it as an empty series.
    LiveMeasurement.LiveRequest.SkipFirstMarker = 1;
    StoreFinished(LiveMeasurement.LiveRequest, 0);
    // The entry the reader fills starts empty before the reader can write to it.
    StoreRepCount(SeriesCount, 0);
    LiveMeasurement.LivePeakPower = 0;
    LiveMeasurement.LossStop = VelocityLossStop(ReadVelocityLossStop());
    LiveMeasurement.StopFiredRep = 0;
    lossLabel_->clear();
    if (!OpenLiveLink(LiveMeasurement.LiveRequest)) {
        // Nothing runs. Behind the message the view shows what the table holds (empty
        // after Perform), as the overview shows it, not an empty live graph or the rows
        // of an earlier set; the report commands stay available.
        ShowOverview();
        ShowNotice("Error in communication");
        ShowStatusText(LinkFailureText());
        return;
    }
    // The sound plugin loads now, so the first repetition's sound is not late.
    PrepareSignalSounds();
    // The series stored before this start keep their start times.
    stampedThrough_ = SeriesCount - 1;

    if (QWidget* stop = subjectBar_->control(IdStop)) stop->setVisible(true);
    liveTimer_.start();
    repTable_->ResetRepTable();
    ViewMode = ViewModeLive;
    LiveMeasurement.NewSeriesPending = true;
    MeasurementIdle = 0;
    LiveMeasurement.LiveShownCount = 0;
    frame_.HideModeBar();
    placeRepTable(10, 360, 800, 180);
    lossLabel_->setVisible(LiveMeasurement.LossStop.percent() > 0);
    Repaint();
    setFocus(); // so that Esc reaches the view
}

void CKrovelDeviceView::TickCommand() {
    // A tick queued before STOP and delivered after it finds nothing to do.
    if (MeasurementIdle) return;
    takeOverRepetition();
    if (LoadFinished(LiveMeasurement.LiveRequest)) StopMeasurement();
}

void CKrovelDeviceView::stampStartTimes(bool stopping) {
    // Every series opened during the measurement gets the time the view first learns of
    // it: the entry being filled with its first repetition (or at STOP, when it stays
    // empty), an entry the reader has already closed at once. A burst of sets that the
    // tick follows only one per tick therefore still gets real times.
    const auto now = static_cast<int32_t>(static_cast<int64_t>(std::time(nullptr)));
    const int32_t filling = std::min(LoadSeriesCount(), MaxSeries - 1);
    for (int32_t s = std::max(stampedThrough_ + 1, 0); s <= filling; ++s) {
        if (s == filling && !stopping && LoadRepCount(s) == 0) break;
        Series[s].StartTime = now;
        stampedThrough_ = s;
    }
}

void CKrovelDeviceView::takeOverRepetition() {
    stampStartTimes(false);
    // The decoder has opened a new series: follow it at once, one series per tick.
    if (CurrentSeries < LoadSeriesCount() && CurrentSeries < MaxSeries - 1) {
        repTable_->ResetRepTable();
        ++CurrentSeries;
        LiveMeasurement.LiveShownCount = 0;
        LiveMeasurement.NewSeriesPending = true;
    }
    if (CurrentSeries < 0 || CurrentSeries >= MaxSeries) return;
    const int32_t received = std::min(LoadRepCount(CurrentSeries), MaxRepetitions);
    if (LiveMeasurement.LiveShownCount < 0 || LiveMeasurement.LiveShownCount >= received) return;

    if (LiveMeasurement.NewSeriesPending) {
        LiveMeasurement.LivePeakPower = 0;
        LiveMeasurement.LossStop.Reset();
        LiveMeasurement.StopFiredRep = 0;
        ReadSubjectBar(*subjectBar_);
        repTable_->InsertRepColumns();
        LiveMeasurement.NewSeriesPending = false;
    }
    showLiveRepetition(CurrentSeries, LiveMeasurement.LiveShownCount);
    ++LiveMeasurement.LiveShownCount;
    Repaint();
}

void CKrovelDeviceView::showLiveRepetition(int32_t series, int32_t rep) {
    const float meanPower = RepetitionValue(series, rep, ValueKind::MeanPower);
    // Judged with the thresholds the series' own frames carried: the SubjectBar may still
    // show the previous series until the repaint that follows.
    const SeriesLimits limits = LoadSeriesLimits(series);
    const int32_t sound =
        UpdateLiveSignals(meanPower, limits.SignalBelowPct, limits.SignalAbovePct);
    if (sound != NoSignalSound) SignalSound(sound);
    LiveMeasurement.LiveValues[rep] = meanPower;
    repTable_->AddLiveRow(rep, CurrentSeries);
    repTable_->scrollToItem(repTable_->item(rep, 0));
    followVelocityLoss(series, rep);
}

void CKrovelDeviceView::followVelocityLoss(int32_t series, int32_t rep) {
    VelocityLossStop& stop = LiveMeasurement.LossStop;
    if (stop.percent() <= 0) return;
    const int32_t step = Series[series].MeanVelocity[rep];
    const bool fires = stop.Add(step);
    LiveMeasurement.LastStep = step;
    LiveMeasurement.LossPercent = stop.LossPercent(step);
    QString text = QStringLiteral("%1 m/s\nLoss %2 %")
                       .arg(step * 0.02, 0, 'f', 2)
                       .arg(LiveMeasurement.LossPercent);
    if (fires) {
        LiveMeasurement.StopFiredRep = rep + 1;
        LiveMeasurement.StopFiredLoss = LiveMeasurement.LossPercent;
        const bool played = SignalSound(StopSignalSound);
        qCInfo(SoundLog) << "velocity-loss stop at repetition" << rep + 1 << "of series"
                         << series + 1 << "loss" << LiveMeasurement.LossPercent << "%"
                         << (played ? "cue played" : "cue not played");
    }
    if (LiveMeasurement.StopFiredRep > 0)
        text += QLatin1Char('\n') +
                QString::fromStdString(VelocityLossStopNote(LiveMeasurement.StopFiredLoss));
    lossLabel_->setText(text);
}

void CKrovelDeviceView::StopMeasurement() {
    // Only a running measurement stops: a second STOP or a late tick adds no series.
    if (MeasurementIdle) return;
    // The thresholds are read-only displays from here on.
    if (QWidget* below = subjectBar_->control(IdSignalBelow)) below->setEnabled(false);
    if (QWidget* above = subjectBar_->control(IdSignalAbove)) above->setEnabled(false);
    if (QWidget* stop = subjectBar_->control(IdStop)) stop->setVisible(false);

    StoreFinished(LiveMeasurement.LiveRequest, 1); // the decoder drops whatever still arrives
    CloseLink();                                   // the reader has ended: the table stays as it is
    liveTimer_.stop();
    MeasurementIdle = 1;

    // One last repetition is taken over, as part of the series it belongs to.
    if (ViewMode == ViewModeLive) takeOverRepetition();
    LiveMeasurement.NewSeriesPending = true;
    stampStartTimes(true);

    // The entry being filled becomes a complete series, even without repetitions.
    if (SeriesCount < MaxSeries) StoreSeriesCount(SeriesCount + 1);
    ViewMode = ViewModeNone;
    lossLabel_->hide();
    DataSaved = 0;
    Repaint();
}

void CKrovelDeviceView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && ViewMode == ViewModeLive && !MeasurementIdle) {
        StopMeasurement();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace krovel
