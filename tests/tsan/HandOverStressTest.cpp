// A reader thread decodes live frames while the UI side polls the table the way the
// live measurement's tick does, only much faster. Built with ThreadSanitizer: any data
// race between DecodeByte's stores and the poller's loads fails the run; the poller
// itself checks that every repetition arrives whole and in order.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "data/core/DataModel.h"
#include "device/core/HandOver.h"
#include "device/core/StreamDecoder.h"

namespace krovel {
namespace {

// What the device sends for repetition r of set s. Zeros occur inside frames on purpose.
struct SentRep {
    uint8_t mass, below, above, mean, max, lo, hi;
};
SentRep Sent(int s, int r) {
    const int step = r / 40; // mass and thresholds change within long sets
    return {static_cast<uint8_t>(20 + s + step),     static_cast<uint8_t>(80 + step),
            static_cast<uint8_t>(100 + step),        static_cast<uint8_t>((s * 3 + r) % 255 + 1),
            static_cast<uint8_t>((s + r * 7) % 256), static_cast<uint8_t>(r * 5 % 256),
            static_cast<uint8_t>(126 + s % 5)};
}

// Frames per set: short and long sets, one at the 100 limit and one past it.
std::vector<int> FramesPerSet() {
    std::vector<int> frames;
    for (int s = 0; s < 24; ++s) frames.push_back(s == 5 ? 100 : s == 9 ? 107 : 1 + s * 13 % 70);
    return frames;
}

std::vector<uint8_t> DeviceStream(const std::vector<int>& frames) {
    std::vector<uint8_t> out;
    for (int s = 0; s < static_cast<int>(frames.size()); ++s) {
        for (int r = 0; r < frames[s]; ++r) {
            const SentRep v = Sent(s, r);
            if (r % 3 == 1) out.push_back(0x5C); // noise between frames is dropped
            out.insert(out.end(), {0x00, static_cast<uint8_t>(r == 0 ? 1 : 0), v.mass, v.below,
                                   v.above, v.mean, v.max, v.lo, v.hi, 0x00});
        }
    }
    return out;
}

// The UI side: follows the entry being filled, checks every repetition below RepCount
// and the series' limits, and records the first inconsistency it finds.
class Poller {
public:
    explicit Poller(const std::vector<int>& frames) : frames_(frames) {}

    // One look at the table; returns false once something was wrong.
    bool Poll() {
        const int32_t count = LoadSeriesCount();
        while (current_ < count) { // the decoder has closed this set
            if (!Check(LoadRepCount(current_), Kept(current_))) return false;
            ++current_;
            shown_ = 0;
        }
        if (current_ >= static_cast<int>(frames_.size())) return Fail("too many series");
        return Check(LoadRepCount(current_), shown_);
    }

    bool Finish() {
        if (!Poll()) return false;
        if (current_ != static_cast<int>(frames_.size()) - 1) return Fail("series missing");
        return Check(LoadRepCount(current_), Kept(current_));
    }

    const std::string& error() const { return error_; }

private:
    int Kept(int s) const { return std::min(frames_[s], MaxRepetitions); }

    bool Fail(std::string what) {
        if (error_.empty()) {
            error_ = what + " (series " + std::to_string(current_) + ", shown " +
                     std::to_string(shown_) + ")";
        }
        return false;
    }

    // Takes over the repetitions up to repCount; `atLeast` is what must be there by now.
    bool Check(int32_t repCount, int atLeast) {
        if (repCount < shown_ || repCount < atLeast) return Fail("repetition count went back");
        if (repCount > Kept(current_)) return Fail("more repetitions than sent");
        const SeriesRecord& rec = Series[current_];
        for (; shown_ < repCount; ++shown_) {
            const SentRep v = Sent(current_, shown_);
            if (rec.MeanVelocity[shown_] != v.mean || rec.MaxVelocity[shown_] != v.max ||
                rec.MaxPower[shown_] != DevicePower(v.lo, v.hi)) {
                return Fail("repetition " + std::to_string(shown_) + " not whole");
            }
        }
        if (repCount > 0) {
            // Each limit comes from the latest stored frame: one at or after the last shown.
            const SeriesLimits now = LoadSeriesLimits(current_);
            bool mass = false, below = false, above = false;
            for (int r = repCount - 1; r < Kept(current_); ++r) {
                const SentRep v = Sent(current_, r);
                mass |= now.Mass == v.mass;
                below |= now.SignalBelowPct == v.below;
                above |= now.SignalAbovePct == v.above;
            }
            if (!mass || !below || !above) return Fail("limits from an older frame");
        }
        return true;
    }

    const std::vector<int>& frames_;
    int current_ = 0;
    int32_t shown_ = 0;
    std::string error_;
};

TEST(HandOverStress, EveryRepetitionArrivesWholeAndInOrder) {
    const std::vector<int> frames = FramesPerSet();
    const std::vector<uint8_t> stream = DeviceStream(frames);

    for (int round = 0; round < 20; ++round) {
        ResetDataModel();
        // Entries past the first still hold counts of an earlier, longer table: a new set
        // must never show them.
        for (int s = 1; s < MaxSeries; ++s) Series[s].RepCount = MaxRepetitions;
        LinkRequestRecord request{};
        request.SkipFirstMarker = 1; // a new measurement: the first marker fills entry 0
        LiveDecoder.Reset();
        AttachLinkRequest(&request);

        std::atomic<bool> done{false};
        std::thread reader([&] {
            for (size_t i = 0; i < stream.size(); ++i) {
                DecodeByte(stream[i]);
                if (i % 64 == 0) std::this_thread::yield();
            }
            done.store(true, std::memory_order_release);
        });

        Poller poller(frames);
        bool ok = true;
        while (ok && !done.load(std::memory_order_acquire)) ok = poller.Poll();
        reader.join();
        if (ok) ok = poller.Finish();
        AttachLinkRequest(nullptr);

        ASSERT_TRUE(ok) << "round " << round << ": " << poller.error();
        EXPECT_EQ(LoadFinished(request), 0);
    }
}

} // namespace
} // namespace krovel
