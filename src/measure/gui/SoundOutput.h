// What the sound plugin (krovel-sound) does: plays PCM samples on the default audio
// output through Qt Multimedia, which the window therefore loads only when a live set
// starts. Header only: the plugin links Qt alone.
#pragma once

#include <QByteArray>
#include <QString>

namespace krovel {

// The samples of a WAVE clip and their format.
struct PcmClip {
    QByteArray samples;
    int sampleRate = 0;
    int channels = 0;
    int bitsPerSample = 0; // 8, 16 or 32
};

class SoundOutput {
public:
    enum class Started { Playing, NoOutput, CannotPlay };
    virtual ~SoundOutput() = default;
    // Starts the clip asynchronously, cutting off the one still playing; `device` names
    // the output it went to (or would have).
    virtual Started Play(const PcmClip& clip, QString& device) = 0;
    virtual void Stop() = 0;
};

// The plugin's file name and its entry point, which makes one SoundOutput.
inline constexpr char SoundPluginName[] = "krovel-sound";
inline constexpr char SoundPluginEntry[] = "krovel_make_sound_output";
using MakeSoundOutput = SoundOutput* (*)();

} // namespace krovel
