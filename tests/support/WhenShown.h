// Acts on a modal dialog of type T as soon as it is showing (the caller then runs the
// code that opens it, e.g. exec()).
#pragma once

#include <QApplication>
#include <QTimer>

#include <functional>

namespace krovel::testing {

template <class T> void WhenShown(std::function<void(T*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto* w = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(w);
        }
    });
    timer->start();
}

} // namespace krovel::testing
