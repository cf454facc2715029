#include "measure/gui/SignalSounds.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QFile>
#include <QMediaDevices>

#include "base/gui/SvgImages.h"
#include "base/io/LogCategories.h"
#include "measure/core/WaveClip.h"

namespace krovel {

namespace {

SignalSounds* installed = nullptr;

bool ClipOf(const QByteArray& image, QAudioFormat& format, QByteArray& samples) {
    auto clip = ParseWaveClip(reinterpret_cast<const uint8_t*>(image.constData()),
                              static_cast<size_t>(image.size()));
    if (!clip) return false;
    QAudioFormat::SampleFormat sample = QAudioFormat::Unknown;
    switch (clip->bitsPerSample) {
    case 8:
        sample = QAudioFormat::UInt8;
        break;
    case 16:
        sample = QAudioFormat::Int16;
        break;
    case 32:
        sample = QAudioFormat::Int32;
        break;
    default:
        return false;
    }
    format.setSampleFormat(sample);
    format.setChannelCount(clip->channels);
    format.setSampleRate(static_cast<int>(clip->sampleRate));
    samples =
        image.mid(static_cast<qsizetype>(clip->dataOffset), static_cast<qsizetype>(clip->dataSize));
    return true;
}

bool ReadClip(const QString& resource, QAudioFormat& format, QByteArray& samples) {
    QFile f(resource);
    if (!f.open(QIODevice::ReadOnly)) return false;
    return ClipOf(f.readAll(), format, samples);
}

} // namespace

SignalSounds::SignalSounds(QObject* parent) : QObject(parent) {}

SignalSounds::~SignalSounds() {
    Stop();
    if (installed == this) installed = nullptr;
}

void SignalSounds::Load() {
    InitKrovelResources();
    upper_.valid = ReadClip(QStringLiteral(":/sounds/zvukMaxp.wav"), upper_.format, upper_.samples);
    lower_.valid = ReadClip(QStringLiteral(":/sounds/zvukKrit.wav"), lower_.format, lower_.samples);
    // Two short high beeps would be heard as one of the design's clips; one long low
    // tone is not.
    const std::vector<uint8_t> tone = ToneWaveImage(22050, 440.0, 0.6);
    stop_.valid = ClipOf(
        QByteArray(reinterpret_cast<const char*>(tone.data()), static_cast<qsizetype>(tone.size())),
        stop_.format, stop_.samples);
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

void SignalSounds::Stop() {
    if (sink_) {
        sink_->stop();
        sink_.reset();
    }
    buffer_.close();
}

bool SignalSounds::Play(int kind) {
    Clip* clip = clipOf(kind);
    if (!clip || !clip->valid) return false;
    Stop(); // a new clip cuts off the one still playing
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull() || !device.isFormatSupported(clip->format)) {
        qCInfo(SoundLog) << "signal sound" << kind << "not played: no audio output for it";
        return false;
    }
    buffer_.setData(clip->samples);
    if (!buffer_.open(QIODevice::ReadOnly)) return false;
    sink_ = std::make_unique<QAudioSink>(device, clip->format);
    sink_->start(&buffer_);
    if (sink_->error() != QAudio::NoError || sink_->state() == QAudio::StoppedState) {
        qCInfo(SoundLog) << "signal sound" << kind << "cannot play on" << device.description();
        Stop();
        return false;
    }
    qCInfo(SoundLog) << "signal sound" << kind << "playing on" << device.description();
    return true;
}

bool SignalSound(int kind) {
    return installed ? installed->Play(kind) : false;
}

void InstallSignalSounds(SignalSounds* sounds) {
    installed = sounds;
}

} // namespace krovel
