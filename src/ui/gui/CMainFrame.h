// The main window: menu bar, toolbar, the place of the exchangeable ModeBar under
// the toolbar, the view in the middle and the status bar at the bottom.
#pragma once

#include <QMainWindow>

#include <functional>
#include <map>
#include <vector>

class QLabel;
class QToolBar;

namespace krovel {

class CKrovelDeviceDoc;
class CKrovelDeviceView;
class CommandRouter;
class LockKeyState;

// The application title part of the caption: "<document title> - Kinetrak Krovel".
inline constexpr const char* FrameTitle = "Kinetrak Krovel";

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    // Adds menus of subsystems that sit above the frame (the shell passes them in, so
    // the frame needs to know none of them); each runs once the main menu is built.
    using MenuExtension = std::function<void(CMainFrame&)>;

    // Sets the window size (900 x 780) and the subject's default sex before the
    // window is built.
    CMainFrame(CommandRouter& router, CKrovelDeviceDoc& doc,
               std::vector<MenuExtension> menuExtensions = {}, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Builds the view, the toolbar, the menu, the accelerators and the status bar;
    // false when a part cannot be made (the frame must not be used then).
    bool Create();

    CKrovelDeviceView* view() const { return view_; }
    CommandRouter& router() const { return router_; }
    CKrovelDeviceDoc& document() const { return doc_; }

    // The ModeBar place: one bar docked along the top under the toolbar. DockModeBar
    // takes ownership of the bar and replaces any earlier one; HideModeBar hides the
    // bar and destroys it (deferred, so a bar may be replaced from its own controls'
    // handlers), and does nothing without one.
    void DockModeBar(QWidget* bar);
    void HideModeBar();
    QWidget* modeBar() const { return modeBar_; }

    // Adds a pane to the status bar, left of the CAP, NUM and SCRL indicators.
    void addStatusPane(QWidget* pane);

    // Invalidates the whole window, children included, and repaints it at once.
    void RepaintAll();

    QToolBar* mainToolBar() const { return toolBar_; }
    QToolBar* modeBarArea() const { return modeBarArea_; }
    QAction* menuAction(int id) const;    // the menu item of an id (nullptr if none)
    QAction* toolbarAction(int id) const; // the toolbar button of an id (nullptr if none)
    QLabel* indicator(int index) const { return indicators_[index]; } // 0 CAP, 1 NUM, 2 SCRL

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenu();
    bool buildToolBar();
    void buildAccelerators();
    void buildStatusBar();
    void updateCaption();
    void updateIndicators();

    CommandRouter& router_;
    CKrovelDeviceDoc& doc_;
    std::vector<MenuExtension> menuExtensions_;
    CKrovelDeviceView* view_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QToolBar* modeBarArea_ = nullptr;
    QWidget* modeBar_ = nullptr;
    QWidget* modeBarHolder_ = nullptr;
    QLabel* indicators_[3] = {};
    LockKeyState* locks_ = nullptr;
    std::map<int, QAction*> menuActions_;
    std::map<int, QAction*> toolbarActions_;
};

} // namespace krovel
