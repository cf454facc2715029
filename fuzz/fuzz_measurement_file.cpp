// Measurement file decoder: no input may crash it, and whatever it accepts must come
// back unchanged through the encoder (encode -> decode -> encode is stable).
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "data/core/MeasurementFile.h"

using namespace krovel;

namespace {

void CheckOne(const uint8_t* data, size_t size) {
    auto scratch = std::make_unique<MeasurementScratch>();
    if (DecodeMeasurementFile(data, size, *scratch) != FileLoadError::None) return;
    if (scratch->Series.size() > MaxSeries) std::abort();

    std::string encoded = EncodeMeasurementFile(scratch->Header, scratch->Series);
    auto again = std::make_unique<MeasurementScratch>();
    if (DecodeMeasurementFile(reinterpret_cast<const uint8_t*>(encoded.data()), encoded.size(),
                              *again) != FileLoadError::None) {
        std::abort();
    }
    if (EncodeMeasurementFile(again->Header, again->Series) != encoded) std::abort();
}

// The body after each magic, so the fuzzer need not find the 27 magic bytes itself.
void CheckWithMagic(const char* magic, const uint8_t* data, size_t size) {
    std::string file(1, '\x1a');
    file += magic;
    file.append(reinterpret_cast<const char*>(data), size);
    CheckOne(reinterpret_cast<const uint8_t*>(file.data()), file.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CheckOne(data, size);
    CheckWithMagic(MeasurementMagicV12, data, size);
    CheckWithMagic(MeasurementMagicV11, data, size);
    return 0;
}
