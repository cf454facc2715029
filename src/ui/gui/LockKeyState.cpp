#include "ui/gui/LockKeyState.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>

namespace krovel {

namespace {
constexpr quint32 X11LockMask = 1u << 1;
constexpr quint32 X11NumLockMask = 1u << 4; // Mod2, where X servers put Num Lock
} // namespace

LockKeyState::LockKeyState(QObject* parent)
    : QObject(parent), x11_(QGuiApplication::platformName() == QLatin1String("xcb")) {
    if (QCoreApplication::instance()) QCoreApplication::instance()->installEventFilter(this);
}

void LockKeyState::takeX11State(quint32 state) {
    set(state & X11LockMask, state & X11NumLockMask, scroll_);
}

void LockKeyState::set(bool caps, bool num, bool scroll) {
    if (caps == caps_ && num == num_ && scroll == scroll_) return;
    caps_ = caps;
    num_ = num;
    scroll_ = scroll;
    emit changed();
}

bool LockKeyState::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    // Each key event reaches the filter once per widget it is delivered to; the
    // window's own copy is enough.
    if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) && watched->isWindowType()) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (x11_) takeX11State(key->nativeModifiers());
        if (type == QEvent::KeyPress && key->key() == Qt::Key_ScrollLock && !key->isAutoRepeat())
            set(caps_, num_, !scroll_);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace krovel
