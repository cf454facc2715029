// A hidden switch for timing the start-up: with KROVEL_EXIT_AFTER_FIRST_PAINT=1 in the
// environment, the program quits as soon as its main window has painted for the first
// time. The start-up benchmark (bench/startup_bench.cpp) starts the program that way.
// With KROVEL_MAPS_AFTER_PAINT=<file> it also writes what it has mapped (its
// /proc/self/maps) into the file before it quits: the start-up test reads which
// libraries the window needed to come up.
// Header only, so the bare Qt window it is compared with uses it without linking the
// program's libraries.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <utility>

namespace krovel {

class FirstPaintExit : public QObject {
public:
    FirstPaintExit(QWidget& window, QString mapsFile)
        : QObject(&window), window_(window), mapsFile_(std::move(mapsFile)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // The first paint of the window or of any widget in it: the painting of that
        // frame finishes before the event loop runs the quit.
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->window() == &window_) {
            QCoreApplication::instance()->removeEventFilter(this);
            QTimer::singleShot(0, QCoreApplication::instance(), [this] {
                writeMaps();
                QCoreApplication::quit();
            });
        }
        return false;
    }

private:
    void writeMaps() const {
        if (mapsFile_.isEmpty()) return;
        QFile maps(QStringLiteral("/proc/self/maps"));
        QFile out(mapsFile_);
        if (maps.open(QIODevice::ReadOnly) && out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            out.write(maps.readAll());
    }

    QWidget& window_;
    QString mapsFile_;
};

// Arms the switch for `window` when the environment asks for it; does nothing otherwise.
inline void QuitAfterFirstPaintWhenAsked(QWidget& window) {
    QString mapsFile = qEnvironmentVariable("KROVEL_MAPS_AFTER_PAINT");
    if (qEnvironmentVariableIntValue("KROVEL_EXIT_AFTER_FIRST_PAINT") != 1 && mapsFile.isEmpty())
        return;
    QCoreApplication::instance()->installEventFilter(
        new FirstPaintExit(window, std::move(mapsFile)));
}

} // namespace krovel
