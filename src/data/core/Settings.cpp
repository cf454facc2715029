#include "data/core/Settings.h"

#include <cstring>

#include "base/core/AtomicFile.h"
#include "base/core/FileRead.h"
#include "base/core/Prompts.h"
#include "data/core/ByteStream.h"

namespace krovel {

int32_t PortSetting = 0;
AxisRange AxisRanges[AxisRangeCount] = {DefaultAxisRanges[0], DefaultAxisRanges[1],
                                        DefaultAxisRanges[2], DefaultAxisRanges[3]};

SettingsValues CurrentSettings() {
    SettingsValues v;
    v.PortSetting = PortSetting;
    v.BarbellWeight = TestHeader.BarbellWeight;
    v.SignalBelowPct = TestHeader.SignalBelowPct;
    v.SignalAbovePct = TestHeader.SignalAbovePct;
    std::memcpy(v.AxisRanges, AxisRanges, sizeof AxisRanges);
    return v;
}

void ApplySettings(const SettingsValues& values) {
    PortSetting = values.PortSetting;
    TestHeader.BarbellWeight = values.BarbellWeight;
    TestHeader.SignalBelowPct = values.SignalBelowPct;
    TestHeader.SignalAbovePct = values.SignalAbovePct;
    std::memcpy(AxisRanges, values.AxisRanges, sizeof AxisRanges);
}

void ResetSettings() {
    ApplySettings(SettingsValues{});
}

std::string EncodeSettings(const SettingsValues& values) {
    ByteWriter out;
    out.bytes(SettingsMagic, SettingsMagicSize);
    out.i32(values.PortSetting);
    out.f32(values.BarbellWeight);
    out.i32(values.SignalBelowPct);
    out.i32(values.SignalAbovePct);
    for (const AxisRange& r : values.AxisRanges) out.i32(r.Min);
    for (const AxisRange& r : values.AxisRanges) out.i32(r.Max);
    for (const AxisRange& r : values.AxisRanges) out.i32(r.Step);
    return out.take();
}

SettingsLoadError DecodeSettings(const uint8_t* data, size_t size, SettingsValues& out) {
    if (size < SettingsMagicSize || std::memcmp(data, SettingsMagic, SettingsMagicSize) != 0) {
        return SettingsLoadError::Incompatible;
    }
    ByteReader in(data + SettingsMagicSize, size - SettingsMagicSize);
    SettingsValues v;
    v.PortSetting = in.i32();
    v.BarbellWeight = in.f32();
    v.SignalBelowPct = in.i32();
    v.SignalAbovePct = in.i32();
    for (AxisRange& r : v.AxisRanges) r.Min = in.i32();
    for (AxisRange& r : v.AxisRanges) r.Max = in.i32();
    for (AxisRange& r : v.AxisRanges) r.Step = in.i32();
    if (!in.ok()) return SettingsLoadError::Short;
    out = v;
    return SettingsLoadError::None;
}

bool ReadSettings(const std::string& path) {
    FileReadFailure failure = FileReadFailure::CannotOpen;
    auto head = ReadFileHead(path, SettingsFileSize, &failure);
    // A pipe or device in its place is refused rather than read, which could wait forever.
    if (!head && failure == FileReadFailure::NotRegularFile) return false;
    if (!head) {
        PortSetting = 0;
        return true;
    }
    SettingsValues values;
    switch (DecodeSettings(reinterpret_cast<const uint8_t*>(head->bytes.data()), head->bytes.size(),
                           values)) {
    case SettingsLoadError::Incompatible:
        ShowNotice("Incompatible data");
        return true;
    case SettingsLoadError::Short:
        return false;
    case SettingsLoadError::None:
        break;
    }
    ApplySettings(values);
    return true;
}

bool WriteSettings(const std::string& path) {
    return WriteFileAtomically(path, EncodeSettings(CurrentSettings())).ok();
}

} // namespace krovel
