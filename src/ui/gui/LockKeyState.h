// The states of Caps Lock, Num Lock and Scroll Lock, as far as the toolkit reveals
// them. Qt has no query for lock keys; on X11 every key event carries the server's
// modifier state, in which Caps Lock and Num Lock are bits, so the state is brought up
// to date by each key the program sees. Scroll Lock has no modifier bit and follows
// the presses of its key. Before the first key event all three read as off.
#pragma once

#include <QObject>

namespace krovel {

class LockKeyState : public QObject {
    Q_OBJECT
public:
    explicit LockKeyState(QObject* parent = nullptr);

    bool caps() const { return caps_; }
    bool num() const { return num_; }
    bool scroll() const { return scroll_; }

    // Takes the X11 modifier state of a key event (Lock = bit 1, Mod2 = Num Lock).
    void takeX11State(quint32 state);

signals:
    void changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void set(bool caps, bool num, bool scroll);
    bool caps_ = false, num_ = false, scroll_ = false;
    bool x11_ = false;
};

} // namespace krovel
