#include "measure/gui/SignalSounds.h"

#include <QFile>

#include "base/gui/SvgImages.h"
#include "base/io/LogCategories.h"
#include "base/io/PluginLibrary.h"
#include "measure/core/WaveClip.h"

namespace krovel {

namespace {

SignalSounds* installed = nullptr;

bool ClipOf(const QByteArray& image, PcmClip& pcm) {
    auto clip = ParseWaveClip(reinterpret_cast<const uint8_t*>(image.constData()),
                              static_cast<size_t>(image.size()));
    if (!clip) return false;
    if (clip->bitsPerSample != 8 && clip->bitsPerSample != 16 && clip->bitsPerSample != 32)
        return false;
    pcm.bitsPerSample = clip->bitsPerSample;
    pcm.channels = clip->channels;
    pcm.sampleRate = static_cast<int>(clip->sampleRate);
    pcm.samples =
        image.mid(static_cast<qsizetype>(clip->dataOffset), static_cast<qsizetype>(clip->dataSize));
    return true;
}

bool ReadClip(const QString& resource, PcmClip& pcm) {
    QFile f(resource);
    if (!f.open(QIODevice::ReadOnly)) return false;
    return ClipOf(f.readAll(), pcm);
}

} // namespace

SignalSounds::SignalSounds(QObject* parent) : QObject(parent) {}

SignalSounds::~SignalSounds() {
    Stop();
    if (installed == this) installed = nullptr;
}

void SignalSounds::Load() {
    clipsLoaded_ = true;
    InitKrovelResources();
    upper_.valid = ReadClip(QStringLiteral(":/sounds/zvukMaxp.wav"), upper_.pcm);
    lower_.valid = ReadClip(QStringLiteral(":/sounds/zvukKrit.wav"), lower_.pcm);
    // Two short high beeps would be heard as one of the design's clips; one long low
    // tone is not.
    const std::vector<uint8_t> tone = ToneWaveImage(22050, 440.0, 0.6);
    stop_.valid = ClipOf(
        QByteArray(reinterpret_cast<const char*>(tone.data()), static_cast<qsizetype>(tone.size())),
        stop_.pcm);
}

void SignalSounds::loadOnce() {
    if (!clipsLoaded_) Load();
}

SignalSounds::Clip* SignalSounds::clipOf(int kind) {
    if (kind == UpperSignalSound) return &upper_;
    if (kind == LowerSignalSound) return &lower_;
    if (kind == StopSignalSound) return &stop_;
    return nullptr;
}

bool SignalSounds::loaded(int kind) const {
    if (kind == UpperSignalSound) return upper_.valid;
    if (kind == LowerSignalSound) return lower_.valid;
    if (kind == StopSignalSound) return stop_.valid;
    return false;
}

bool SignalSounds::Prepare() {
    loadOnce();
    if (prepared_) return output_ != nullptr;
    prepared_ = true;
    QFunctionPointer entry = nullptr;
    if (const Status loaded = PluginEntry(SoundPluginName, SoundPluginEntry, entry); loaded)
        output_.reset(reinterpret_cast<MakeSoundOutput>(entry)());
    else
        qCWarning(SoundLog) << "signal sounds are off, the sound plugin cannot be loaded:"
                            << QString::fromStdString(loaded.message());
    return output_ != nullptr;
}

void SignalSounds::Stop() {
    if (output_) output_->Stop();
}

bool SignalSounds::Play(int kind) {
    loadOnce();
    Clip* clip = clipOf(kind);
    if (!clip || !clip->valid || !Prepare()) return false;
    QString device;
    switch (output_->Play(clip->pcm, device)) {
    case SoundOutput::Started::NoOutput:
        qCInfo(SoundLog) << "signal sound" << kind << "not played: no audio output for it";
        return false;
    case SoundOutput::Started::CannotPlay:
        qCInfo(SoundLog) << "signal sound" << kind << "cannot play on" << device;
        return false;
    case SoundOutput::Started::Playing:
        break;
    }
    qCInfo(SoundLog) << "signal sound" << kind << "playing on" << device;
    return true;
}

bool SignalSound(int kind) {
    return installed ? installed->Play(kind) : false;
}

void PrepareSignalSounds() {
    if (installed) installed->Prepare();
}

void InstallSignalSounds(SignalSounds* sounds) {
    installed = sounds;
}

} // namespace krovel
