// Settings file decoder: no input may crash it, and an accepted file encodes back to
// its first 81 bytes.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "data/core/Settings.h"

using namespace krovel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SettingsValues values;
    if (DecodeSettings(data, size, values) != SettingsLoadError::None) return 0;
    std::string encoded = EncodeSettings(values);
    if (encoded.size() != SettingsFileSize || size < SettingsFileSize ||
        std::memcmp(encoded.data(), data, SettingsFileSize) != 0) {
        std::abort();
    }
    return 0;
}
