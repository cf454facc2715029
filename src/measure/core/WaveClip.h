// Reading the header of a RIFF WAVE image held in memory: the PCM format and
// where the samples are. The signal sounds are such images.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

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

} // namespace krovel
