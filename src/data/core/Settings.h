// The settings the program keeps between runs and the settings file
// ("default.krovlcfg", 81 bytes) that stores them:
//   0  17  magic "KrovelDevice_V1.1", no terminator
//   17  4  int32 PortSetting
//   21  4  float32 BarbellWeight      (TestHeader)
//   25  4  int32 SignalBelowPct       (TestHeader)
//   29  4  int32 SignalAbovePct       (TestHeader)
//   33 48  AxisRanges column by column: the four Min, then the four Max, then the four Step
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "data/core/DataModel.h"

namespace krovel {

// Index into PortNames of the serial port chosen in the port setup dialog.
extern int32_t PortSetting;

// Y-axis range of the graphs for one plotted quantity.
struct AxisRange {
    int32_t Min, Max, Step;
};

// Rows by plotted quantity: 0 mass, 1 force, 2 velocity, 3 power.
constexpr int AxisRangeCount = 4;
inline constexpr AxisRange DefaultAxisRanges[AxisRangeCount] = {
    {0, 150, 30}, {0, 2000, 200}, {0, 10, 1}, {0, 2000, 200}};
extern AxisRange AxisRanges[AxisRangeCount];

inline constexpr const char* SettingsMagic = "KrovelDevice_V1.1";
inline constexpr size_t SettingsMagicSize = 17;
inline constexpr size_t SettingsFileSize = 81;

// Everything the settings file stores, in one piece, so a load assigns all or nothing.
// Defaults are those of a file that is missing or rejected.
struct SettingsValues {
    int32_t PortSetting = 0;
    float BarbellWeight = TestHeaderRecord{}.BarbellWeight;
    int32_t SignalBelowPct = TestHeaderRecord{}.SignalBelowPct;
    int32_t SignalAbovePct = TestHeaderRecord{}.SignalAbovePct;
    AxisRange AxisRanges[AxisRangeCount] = {DefaultAxisRanges[0], DefaultAxisRanges[1],
                                            DefaultAxisRanges[2], DefaultAxisRanges[3]};
};

// The values now in force (PortSetting, AxisRanges and the TestHeader's three fields).
SettingsValues CurrentSettings();
void ApplySettings(const SettingsValues& values);

// Puts PortSetting, AxisRanges and the TestHeader's barbell weight and thresholds back to
// their defaults.
void ResetSettings();

enum class SettingsLoadError {
    None,
    Incompatible, // the first 17 bytes are not the magic (a shorter file included)
    Short,        // the magic is right but the values end before byte 81
};

// The 81 bytes of the values.
std::string EncodeSettings(const SettingsValues& values);

// Decodes a settings file; bytes after the 81st are ignored. `out` is changed only
// on success.
SettingsLoadError DecodeSettings(const uint8_t* data, size_t size, SettingsValues& out);

// Loads the settings file at start-up. A file that cannot be opened sets PortSetting to 0
// and yields true without a message; a folder, pipe or device in its place is not read
// and yields false (the caller reports it). A wrong magic shows "Incompatible data", changes
// nothing and yields true. A file that ends after the magic changes nothing and yields
// false (the caller reports it). Otherwise all values are assigned at once: true.
bool ReadSettings(const std::string& path);

// Writes the values now in force, replacing the file only once the new one is complete.
bool WriteSettings(const std::string& path);

} // namespace krovel
