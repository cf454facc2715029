// Live frames from arbitrary bytes: the decoder must stay inside the table (1000 series
// of 100 repetitions) and keep its counters consistent, whatever the device sends.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "data/core/DataModel.h"
#include "device/core/StreamDecoder.h"

using namespace krovel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    // The first byte chooses the starting point: a new measurement, an appended set,
    // or a table a few series short of full.
    const uint8_t setup = data[0];
    ResetDataModel();
    SeriesCount = (setup & 0x80) ? MaxSeries - 1 - (setup & 0x07) : 0;
    LinkRequestRecord request{};
    request.SkipFirstMarker = setup & 0x01;
    LiveDecoder.Reset();
    AttachLinkRequest(&request);
    const int32_t firstSeries = SeriesCount;
    for (size_t i = 1; i < size; ++i) DecodeByte(data[i]);
    AttachLinkRequest(nullptr);

    if (SeriesCount < firstSeries || SeriesCount > MaxSeries) std::abort();
    if (request.RepIndex < 0 || request.RepIndex > MaxRepetitions) std::abort();
    if (SeriesCount == MaxSeries && !request.Finished) std::abort();
    for (int s = firstSeries; s < SeriesCount; ++s) {
        if (Series[s].RepCount < 0 || Series[s].RepCount > MaxRepetitions) std::abort();
    }
    if (SeriesCount < MaxSeries && Series[SeriesCount].RepCount != request.RepIndex) std::abort();
    return 0;
}
