// Reading the header of a RIFF WAVE image held in memory: the PCM format and
// where the samples are. The signal sounds are such images.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace krovel {

struct WaveClip {
    uint16_t channels = 0;
    uint32_t sampleRate = 0;
    uint16_t bitsPerSample = 0;
    size_t dataOffset = 0; // byte offset of the samples in the image
    size_t dataSize = 0;   // bytes of samples (cut to what the image holds)

    double seconds() const;
};

// The format of an uncompressed PCM image; nothing when the image is not one.
std::optional<WaveClip> ParseWaveClip(const uint8_t* bytes, size_t size);

// A RIFF WAVE image of a sine tone: 16-bit mono PCM at `sampleRate`, `hz` for `seconds`,
// faded in and out over 5 ms so that it starts and ends without a click.
std::vector<uint8_t> ToneWaveImage(uint32_t sampleRate, double hz, double seconds);

} // namespace krovel
