// The signal sounds of the live measurement, played asynchronously from their
// WAVE images in memory. One clip plays at a time: a new one cuts off the one still
// playing. Without an audio device nothing plays and nothing else happens.
#pragma once

#include <QAudioFormat>
#include <QBuffer>
#include <QByteArray>
#include <QObject>

#include <memory>

#include "measure/core/RepetitionValues.h"

class QAudioSink;

namespace krovel {

// Sound kinds of SignalSound: UpperSignalSound ("zvukMaxp") and LowerSignalSound
// ("zvukKrit"), defined with the live signals that choose them, and the velocity-loss
// stop's cue, a generated tone unlike either.
constexpr int32_t StopSignalSound = 4;

class SignalSounds : public QObject {
    Q_OBJECT
public:
    explicit SignalSounds(QObject* parent = nullptr);
    ~SignalSounds() override;

    // Loads the two resources (a missing or unreadable one stays empty, silently) and
    // makes the stop cue.
    void Load();
    bool loaded(int kind) const;

    // Starts the clip of the kind; true when playback started.
    bool Play(int kind);
    void Stop();

private:
    struct Clip {
        QAudioFormat format;
        QByteArray samples;
        bool valid = false;
    };
    Clip* clipOf(int kind);

    Clip upper_, lower_, stop_;
    QBuffer buffer_;
    std::unique_ptr<QAudioSink> sink_;
};

// Plays through the sounds the running application loaded (false when none are).
bool SignalSound(int kind);
void InstallSignalSounds(SignalSounds* sounds); // nullptr: none

} // namespace krovel
