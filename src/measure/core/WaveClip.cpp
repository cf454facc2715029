#include "measure/core/WaveClip.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

namespace krovel {

namespace {

uint32_t Le32(const uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24;
}
uint16_t Le16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

void PutLe(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
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

std::vector<uint8_t> ToneWaveImage(uint32_t sampleRate, double hz, double seconds) {
    const auto frames = static_cast<uint32_t>(std::max(0.0, seconds) * sampleRate);
    const uint32_t dataSize = frames * 2;
    std::vector<uint8_t> out;
    out.reserve(44 + dataSize);
    const auto tag = [&out](const char* four) { out.insert(out.end(), four, four + 4); };
    tag("RIFF");
    PutLe(out, 36 + dataSize, 4);
    tag("WAVE");
    tag("fmt ");
    PutLe(out, 16, 4);
    PutLe(out, 1, 2); // PCM
    PutLe(out, 1, 2); // mono
    PutLe(out, sampleRate, 4);
    PutLe(out, sampleRate * 2, 4); // bytes per second
    PutLe(out, 2, 2);              // bytes per frame
    PutLe(out, 16, 2);
    tag("data");
    PutLe(out, dataSize, 4);
    const double fade = 0.005 * sampleRate;
    for (uint32_t i = 0; i < frames; ++i) {
        const double edge = std::min({1.0, i / fade, (frames - 1 - i) / fade});
        const double v = 0.5 * edge * std::sin(2 * std::numbers::pi * hz * i / sampleRate);
        PutLe(out, static_cast<uint16_t>(static_cast<int16_t>(std::lround(v * 32767))), 2);
    }
    return out;
}

} // namespace krovel
