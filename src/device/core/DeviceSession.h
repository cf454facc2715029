// What a Kinetrak display unit sends, seen from the device side: sets of repetitions
// and their encoding as live frames and as the bulk transfer of stored series.
// The demo device and krovel-devsim both play sessions built here.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/core/Status.h"

namespace krovel {

struct SessionRep {
    double MeanVelocity; // m/s
    double MaxVelocity;  // m/s
    double MaxPower;     // W
};

struct SessionSet {
    uint8_t Mass; // kg
    uint8_t SignalBelowPct;
    uint8_t SignalAbovePct;
    std::vector<SessionRep> Reps;
};

constexpr int LiveFrameBytes = 10; // start byte 0x00 and 9 data bytes
using LiveFrameBytesArray = std::array<uint8_t, LiveFrameBytes>;

// A session holds at most this many repetitions per set, as the unit does.
constexpr size_t MaxSessionReps = 100;

// Wire units: mean velocity in 0.02 m/s (never 0, a 0 ends a bulk block), maximum
// velocity in 0.03 m/s, both rounded and clamped to a byte.
uint8_t MeanVelocityByte(double metresPerSecond);
uint8_t MaxVelocityByte(double metresPerSecond);

// The two power bytes whose decoding, (hi - 128) * 128 + (lo - 1) * 0.5, gives the
// watts rounded to the nearest half watt (clamped to 0 .. 16383 W).
struct PowerBytes {
    uint8_t Lo;
    uint8_t Hi;
};
PowerBytes EncodePower(double watts);

// One repetition as a live frame; firstOfSet sets the series-start marker.
LiveFrameBytesArray EncodeLiveFrame(const SessionSet& set, const SessionRep& rep, bool firstOfSet);

// The bulk transfer of stored series: uint16 length, then one block per set (mass,
// thresholds, 4 bytes per repetition, terminator 0x00), then the empty block the unit
// sends after its stored series (the receiver never keeps a transfer's last block).
// Sets that would push the transfer past 65535 bytes are left out (see SetsInOneTransfer).
std::vector<uint8_t> EncodeBulkTransfer(std::span<const SessionSet> sets);

// How many of the sets, from the first, one bulk transfer can hold.
size_t SetsInOneTransfer(std::span<const SessionSet> sets);

// The live frames of a session with the pause before each one: setPauseMs before the
// first repetition of every set but the first, repIntervalMs before all others.
struct TimedFrame {
    int32_t DelayMs;
    LiveFrameBytesArray Bytes;
};
std::vector<TimedFrame> LiveTimeline(std::span<const SessionSet> sets, int32_t repIntervalMs,
                                     int32_t setPauseMs);

// A realistic training session: sets at rising loads, velocity falling with the load
// and with fatigue inside each set, power consistent with mass and velocity.
std::vector<SessionSet> BuiltInSession();

// Session script, one statement per line ('#' starts a comment, blank lines skipped):
//   set MASS_KG BELOW_PCT ABOVE_PCT      starts a set (whole numbers 0..255)
//   rep MEAN_M_S MAX_M_S POWER_W         one repetition of the current set
// Numbers use a decimal point. On a fault, fails naming the line, with a printable
// excerpt of it (other bytes as \xNN, cut after a few dozen characters), and leaves
// `sets` as it was.
Status ParseSessionScript(std::string_view text, std::vector<SessionSet>& sets);

// The sets as a script that plays exactly the same bytes: every value is written as the
// unit sends it, in whole velocity and power steps.
std::string SessionScript(std::span<const SessionSet> sets);

} // namespace krovel
