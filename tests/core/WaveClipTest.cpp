#include "measure/core/WaveClip.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace krovel {
namespace {

std::vector<uint8_t> ReadSound(const char* name) {
    const char* root = std::getenv("KROVEL_SOURCE_DIR");
    std::ifstream in(std::string(root ? root : ".") + "/src/res/sounds/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(WaveClipTest, SignalSoundsAreShortEightBitMonoClips) {
    struct Expected {
        const char* name;
        size_t fileSize;
        double seconds;
    };
    for (const Expected& e : {Expected{"zvukMaxp.wav", 8932, 0.79}, {"zvukKrit.wav", 3002, 0.26}}) {
        SCOPED_TRACE(e.name);
        const auto image = ReadSound(e.name);
        ASSERT_EQ(image.size(), e.fileSize);
        auto clip = ParseWaveClip(image.data(), image.size());
        ASSERT_TRUE(clip);
        EXPECT_EQ(clip->channels, 1);
        EXPECT_EQ(clip->sampleRate, 11025u);
        EXPECT_EQ(clip->bitsPerSample, 8);
        EXPECT_EQ(clip->dataOffset + clip->dataSize, image.size());
        EXPECT_NEAR(clip->seconds(), e.seconds, 0.02);
    }
}

std::vector<uint8_t> Wave(uint16_t formatTag, uint32_t dataLength, size_t samples) {
    std::vector<uint8_t> w;
    auto put = [&w](uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) w.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    auto tag = [&w](const char* t) {
        for (int i = 0; i < 4; ++i) w.push_back(static_cast<uint8_t>(t[i]));
    };
    tag("RIFF");
    put(0, 4);
    tag("WAVE");
    tag("LIST"); // an odd-length chunk before the format: padded to even
    put(3, 4);
    w.insert(w.end(), {'a', 'b', 'c', 0});
    tag("fmt ");
    put(16, 4);
    put(formatTag, 2);
    put(1, 2);
    put(8000, 4);
    put(8000, 4);
    put(1, 2);
    put(8, 2);
    tag("data");
    put(dataLength, 4);
    w.insert(w.end(), samples, 128);
    return w;
}

TEST(WaveClipTest, SkipsOtherChunksAndCutsDataToTheImage) {
    auto w = Wave(1, 1000, 10); // the header claims more samples than there are
    auto clip = ParseWaveClip(w.data(), w.size());
    ASSERT_TRUE(clip);
    EXPECT_EQ(clip->sampleRate, 8000u);
    EXPECT_EQ(clip->dataSize, 10u);
    EXPECT_EQ(clip->dataOffset, w.size() - 10);
}

TEST(WaveClipTest, RejectsWhatIsNotPlainPcm) {
    auto compressed = Wave(2, 10, 10);
    EXPECT_FALSE(ParseWaveClip(compressed.data(), compressed.size()));
    auto pcm = Wave(1, 10, 10);
    EXPECT_FALSE(ParseWaveClip(pcm.data(), 30)); // cut inside the format chunk
    EXPECT_FALSE(ParseWaveClip(nullptr, 0));
    const uint8_t text[] = "RIFF....AVI LIST";
    EXPECT_FALSE(ParseWaveClip(text, sizeof text));
}

TEST(WaveClipTest, AToneIsASixteenBitMonoClipOfItsLength) {
    const std::vector<uint8_t> image = ToneWaveImage(22050, 440.0, 0.6);
    auto clip = ParseWaveClip(image.data(), image.size());
    ASSERT_TRUE(clip);
    EXPECT_EQ(clip->channels, 1);
    EXPECT_EQ(clip->sampleRate, 22050u);
    EXPECT_EQ(clip->bitsPerSample, 16);
    EXPECT_EQ(clip->dataOffset + clip->dataSize, image.size());
    EXPECT_DOUBLE_EQ(clip->seconds(), 13230.0 / 22050);
}

} // namespace
} // namespace krovel
