// The sound plugin: SoundOutput on Qt Multimedia's default audio output.
#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>

#include <memory>

#include "measure/gui/SoundOutput.h"

namespace krovel {

namespace {

class QtSoundOutput final : public SoundOutput {
public:
    ~QtSoundOutput() override { Stop(); }

    Started Play(const PcmClip& clip, QString& device) override {
        Stop(); // a new clip cuts off the one still playing
        QAudioFormat format;
        format.setSampleFormat(clip.bitsPerSample == 8    ? QAudioFormat::UInt8
                               : clip.bitsPerSample == 16 ? QAudioFormat::Int16
                                                          : QAudioFormat::Int32);
        format.setChannelCount(clip.channels);
        format.setSampleRate(clip.sampleRate);
        const QAudioDevice output = QMediaDevices::defaultAudioOutput();
        device = output.description();
        if (output.isNull() || !output.isFormatSupported(format)) return Started::NoOutput;
        buffer_.setData(clip.samples);
        if (!buffer_.open(QIODevice::ReadOnly)) return Started::CannotPlay;
        sink_ = std::make_unique<QAudioSink>(output, format);
        sink_->start(&buffer_);
        if (sink_->error() != QAudio::NoError || sink_->state() == QAudio::StoppedState) {
            Stop();
            return Started::CannotPlay;
        }
        return Started::Playing;
    }

    void Stop() override {
        if (sink_) {
            sink_->stop();
            sink_.reset();
        }
        buffer_.close();
    }

private:
    QBuffer buffer_;
    std::unique_ptr<QAudioSink> sink_;
};

} // namespace

} // namespace krovel

extern "C" Q_DECL_EXPORT krovel::SoundOutput* krovel_make_sound_output() {
    return new krovel::QtSoundOutput;
}
