// The signal sounds of the live measurement, played asynchronously from their
// WAVE images in memory. One clip plays at a time: a new one cuts off the one still
// playing. Without an audio device nothing plays and nothing else happens. They play
// through the sound plugin (measure/gui/SoundOutput.h), loaded when a live set starts;
// without it nothing plays either.
#pragma once

#include <QObject>

#include <memory>

#include "measure/core/RepetitionValues.h"
#include "measure/gui/SoundOutput.h"

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
    // makes the stop cue. Prepare and Play do it when it was not done, so the program
    // leaves it to the first live set instead of its start-up.
    void Load();
    bool loaded(int kind) const;

    // Loads the clips and the sound plugin, once; true when it is there to play. When it cannot be
    // loaded the reason goes to krovel.sound, once, and nothing plays.
    bool Prepare();
    bool prepared() const { return prepared_; }

    // Starts the clip of the kind; true when playback started.
    bool Play(int kind);
    void Stop();

private:
    struct Clip {
        PcmClip pcm;
        bool valid = false;
    };
    Clip* clipOf(int kind);

    void loadOnce();

    Clip upper_, lower_, stop_;
    bool clipsLoaded_ = false;
    bool prepared_ = false;
    std::unique_ptr<SoundOutput> output_;
};

// Plays through the sounds the running application loaded (false when none are).
bool SignalSound(int kind);
// Readies the installed sounds to play (SignalSounds::Prepare) before a live set runs.
void PrepareSignalSounds();
void InstallSignalSounds(SignalSounds* sounds); // nullptr: none

} // namespace krovel
