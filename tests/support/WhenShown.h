// Acts on a modal dialog of type T as soon as it is showing (the caller then runs the
// code that opens it, e.g. exec()).
#pragma once

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace krovel::testing {

// How long a dialog may take to appear, and to close after the action.
inline constexpr int WhenShownDeadlineMs = 10000;

// Closes whatever modal window blocks the test, so a failed wait ends the test instead
// of hanging it.
inline void CloseModalWindow() {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* dialog = qobject_cast<QDialog*>(modal))
        dialog->reject();
    else if (modal)
        modal->close();
}

// The action runs only inside the dialog's own event loop (a loop level above the one
// this is called from): acting while exec() is still showing the dialog, before its loop
// runs, would close it too early and leave exec() waiting forever. The dialog must
// appear, and be closed after the action, within the deadline; otherwise the test fails
// with a message naming the dialog, and the modal window is closed.
template <class T> void WhenShown(std::function<void(T*)> act) {
    struct Wait {
        QElapsedTimer clock;
        QPointer<T> dialog; // set once the action ran
        int callerLoopLevel = QThread::currentThread()->loopLevel();
    };
    auto wait = std::make_shared<Wait>();
    wait->clock.start();
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, wait, act] {
        const char* name = T::staticMetaObject.className();
        auto giveUp = [timer](const std::string& why) {
            ADD_FAILURE() << why;
            timer->stop();
            timer->deleteLater();
            CloseModalWindow();
        };
        const bool timedOut = wait->clock.elapsed() > WhenShownDeadlineMs;
        if (wait->dialog || timer->property("acted").toBool()) {
            if (!wait->dialog || !wait->dialog->isVisible()) {
                timer->stop();
                timer->deleteLater();
            } else if (timedOut) {
                giveUp(std::string(name) + " was still open " +
                       std::to_string(WhenShownDeadlineMs) + " ms after the test acted on it");
            }
            return;
        }
        auto* w = qobject_cast<T*>(QApplication::activeModalWidget());
        if (w && w->isVisible() && QThread::currentThread()->loopLevel() > wait->callerLoopLevel) {
            timer->setProperty("acted", true);
            wait->dialog = w;
            wait->clock.restart();
            act(w);
        } else if (timedOut) {
            giveUp(std::string("no ") + name + " was shown within " +
                   std::to_string(WhenShownDeadlineMs) + " ms");
        }
    });
    timer->start();
}

} // namespace krovel::testing
