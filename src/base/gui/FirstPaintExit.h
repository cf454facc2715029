// A hidden switch for timing the start-up: with KROVEL_EXIT_AFTER_FIRST_PAINT=1 in the
// environment, the program quits as soon as its main window has painted for the first
// time. The start-up benchmark (bench/startup_bench.cpp) starts the program that way.
// Header only, so the bare Qt window it is compared with uses it without linking the
// program's libraries.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

namespace krovel {

class FirstPaintExit : public QObject {
public:
    explicit FirstPaintExit(QWidget& window) : QObject(&window), window_(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // The first paint of the window or of any widget in it: the painting of that
        // frame finishes before the event loop runs the quit.
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->window() == &window_) {
            QCoreApplication::instance()->removeEventFilter(this);
            QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
        }
        return false;
    }

private:
    QWidget& window_;
};

// Arms the switch for `window` when the environment asks for it; does nothing otherwise.
inline void QuitAfterFirstPaintWhenAsked(QWidget& window) {
    if (qEnvironmentVariableIntValue("KROVEL_EXIT_AFTER_FIRST_PAINT") != 1) return;
    QCoreApplication::instance()->installEventFilter(new FirstPaintExit(window));
}

} // namespace krovel
