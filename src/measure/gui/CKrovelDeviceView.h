// The main view: the SubjectBar along its top and, below it, whatever the view mode
// shows (live graph, digital report table, exercise or diagnostic graph).
#pragma once

#include <QWidget>

#include <cstdint>

namespace krovel {

class CKrovelDeviceDoc;
class CMainFrame;
class CommandRouter;
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

class CKrovelDeviceView : public QWidget {
    Q_OBJECT
public:
    // Creates the SubjectBar and registers the view's commands with the frame's router.
    explicit CKrovelDeviceView(CMainFrame& frame);

    int32_t ViewMode = ViewModeNone;

    SubjectBar& subjectBar() const { return *subjectBar_; }
    CMainFrame& frame() const { return frame_; }
    CKrovelDeviceDoc& document() const;
    CommandRouter& router() const;

    // Command 32782: the last series becomes current, any report or graph is left.
    void ShowOverview();

    // Invalidates the whole view and repaints it at once.
    void Repaint();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void PaintView(class QPainter& painter);

    CMainFrame& frame_;
    SubjectBar* subjectBar_;
};

} // namespace krovel
