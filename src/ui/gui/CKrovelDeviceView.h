// The main view: the SubjectBar along its top and, below it, whatever the view mode
// shows (live graph and table, digital report table, exercise or diagnostic graph).
//
// The view's work is split by job: CKrovelDeviceView.cpp creates it and paints it,
// ViewLive.cpp runs the live measurement, ViewReports.cpp switches the report modes and
// handles the ModeBar's selections, the deletions and the export.
#pragma once

#include <QTimer>
#include <QWidget>

#include <cstdint>

namespace krovel {

class CKrovelDeviceDoc;
class CMainFrame;
class CommandRouter;
class CTarnList;
class SubjectBar;

// What the view shows.
enum ViewModeValue : int32_t {
    ViewModeNone = 0,
    ViewModeLive = 1,
    ViewModeDigital = 2,
    ViewModeExercise = 4,
    ViewModeDiagnostic = 5,
};

// Title the view gives the document while data is present: this text, then the
// file's name and time text.
inline constexpr const char* DataTitlePrefix = "Marvolen    File: ";

// Period of the live measurement's timer, which posts the tick command.
inline constexpr int LiveTickMs = 100;

class CKrovelDeviceView : public QWidget {
    Q_OBJECT
public:
    // Creates the SubjectBar and the RepTable and registers the view's commands with
    // the frame's router.
    explicit CKrovelDeviceView(CMainFrame& frame);

    int32_t ViewMode = ViewModeNone;

    SubjectBar& subjectBar() const { return *subjectBar_; }
    CTarnList& repTable() const { return *repTable_; }
    CMainFrame& frame() const { return frame_; }
    CKrovelDeviceDoc& document() const;
    CommandRouter& router() const;
    bool liveTimerActive() const { return liveTimer_.isActive(); }
    // The large velocity-loss display under the live table (shown only while a live
    // measurement runs with the stop on).
    const class QLabel* lossLabel() const { return lossLabel_; }

    // Command 32782: the last series becomes current, any report or graph is left.
    void ShowOverview();

    // The live measurement (ViewLive.cpp).
    void NewMeasurement();  // 32775: empties the table and starts
    void emptyTable();      // the emptying part of NewMeasurement, while idle
    void AppendSet();       // 1041: starts a further series after the stored ones
    void TickCommand();     // 32783: takes over at most one received repetition
    void StopMeasurement(); // STOP button 1057 and Esc

    // The reports (ViewReports.cpp).
    void ShowDigitalReport();               // 32774
    void ShowExerciseGraph();               // 32790
    void ShowDiagnosticGraph();             // 32789
    void IntervalChanged();                 // 1030
    void SeriesChanged();                   // 1031
    void ParamYChanged();                   // 1032
    void DiagSelectionChanged(int comboId); // 32804..32807
    void DeleteAttempt();                   // 1039
    void DeleteSerie();                     // 1040
    void ExportTable();                     // 1017 "Export XML"

    // Shows the SubjectBar's test fields (weight, thresholds, set number).
    void showTestFields();
    // Moves the RepTable; an empty rectangle hides it.
    void placeRepTable(int x, int y, int w, int h);

    // Invalidates the whole view and repaints it at once.
    void Repaint();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void registerLiveCommands();
    void registerReportCommands();
    void paintView(class QPainter& painter);

    void startMeasurement();
    void takeOverRepetition();
    // Start times for the series opened since the start; stopping includes the entry
    // being filled even without a repetition.
    void stampStartTimes(bool stopping);
    void showLiveRepetition(int32_t series, int32_t rep);
    // The velocity-loss stop for one repetition taken over: the display and, once per
    // series, the cue.
    void followVelocityLoss(int32_t series, int32_t rep);
    void refillForSelection();

    CMainFrame& frame_;
    SubjectBar* subjectBar_;
    CTarnList* repTable_;
    QTimer liveTimer_;
    class QLabel* lossLabel_ = nullptr;
    int32_t stampedThrough_ = -1; // last series of this measurement with a start time
};

} // namespace krovel
