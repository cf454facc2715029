// The velocity-loss stop: within one series, the first repetition whose mean velocity has
// fallen by the chosen share from the fastest repetition so far. The same object follows
// a series live, one repetition at a time, and replays a recorded one.
#pragma once

#include <cstdint>
#include <string>

namespace krovel {

constexpr int32_t MaxStopPercent = 50; // 0 turns the stop off

class VelocityLossStop {
public:
    explicit VelocityLossStop(int32_t percent) : percent_(percent) {}

    // The next repetition of the series, its mean velocity in the device's steps of
    // 0.02 m/s. True for exactly one repetition of a series: the first whose loss from the
    // fastest one before or at it reaches the share. A repetition at 0 m/s moved nothing
    // and is neither fastest nor slow.
    bool Add(int32_t step);
    // A new series starts.
    void Reset();

    int32_t percent() const { return percent_; }
    // The fastest repetition of the series so far, in steps (0 before the first).
    int32_t fastest() const { return fastest_; }
    // The loss of a repetition at `step` from the fastest so far, in whole percent
    // rounded to nearest (0 before the first repetition or for one at 0 m/s).
    int32_t LossPercent(int32_t step) const;

private:
    int32_t percent_ = 0;
    int32_t fastest_ = 0;
    bool fired_ = false;
};

// The live view's note when the stop fires: "Velocity loss 22 % – stop" (en dash), UTF-8.
std::string VelocityLossStopNote(int32_t lossPercent);

} // namespace krovel
