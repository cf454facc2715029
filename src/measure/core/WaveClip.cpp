#include "measure/core/WaveClip.h"

#include <cstring>

namespace krovel {

namespace {

uint32_t Le32(const uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24;
}
uint16_t Le16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

} // namespace

double WaveClip::seconds() const {
    const unsigned frameBytes = channels * ((bitsPerSample + 7) / 8);
    if (frameBytes == 0 || sampleRate == 0) return 0;
    return static_cast<double>(dataSize / frameBytes) / sampleRate;
}

std::optional<WaveClip> ParseWaveClip(const uint8_t* bytes, size_t size) {
    if (!bytes || size < 12 || std::memcmp(bytes, "RIFF", 4) != 0 ||
        std::memcmp(bytes + 8, "WAVE", 4) != 0)
        return std::nullopt;
    WaveClip clip;
    bool haveFormat = false;
    size_t pos = 12;
    while (pos + 8 <= size) {
        const uint8_t* chunk = bytes + pos;
        const uint32_t length = Le32(chunk + 4);
        const size_t body = pos + 8;
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (length < 16 || body + 16 > size) return std::nullopt;
            if (Le16(bytes + body) != 1) return std::nullopt; // PCM only
            clip.channels = Le16(bytes + body + 2);
            clip.sampleRate = Le32(bytes + body + 4);
            clip.bitsPerSample = Le16(bytes + body + 14);
            haveFormat = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (!haveFormat || clip.channels == 0 || clip.sampleRate == 0) return std::nullopt;
            clip.dataOffset = body;
            clip.dataSize = length <= size - body ? length : size - body;
            return clip;
        }
        // Chunks are padded to an even length.
        const size_t next = body + static_cast<size_t>(length) + (length & 1);
        if (next <= pos) break;
        pos = next;
    }
    return std::nullopt;
}

} // namespace krovel
