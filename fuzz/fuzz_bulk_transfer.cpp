// A bulk transfer from arbitrary bytes, collected and parsed whether or not it arrived
// complete: nothing may be read or written outside the buffer and the table, and the
// parser may only use bytes that were received.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "data/core/DataModel.h"
#include "device/core/StreamDecoder.h"

using namespace krovel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Leftovers of an earlier, longer transfer: zeros read as a run of empty blocks, so
    // reading past the received bytes would add series.
    std::memset(BulkCollector.BulkBuffer, 0, 70000);
    LinkRequestRecord request{};
    request.BulkMode = 1;
    BulkCollector.Reset();
    AttachLinkRequest(&request);
    for (size_t i = 0; i < size; ++i) DecodeByte(data[i]);
    AttachLinkRequest(nullptr);

    const int32_t count = BulkCollector.BulkCount.load();
    const int32_t length = BulkCollector.BulkLength.load();
    if (count != static_cast<int32_t>(std::min<size_t>(size, std::max(length, 3)))) std::abort();
    if (request.Finished != (size >= 3 && count >= length)) std::abort();

    const int32_t kept = ParseBulkTransfer(7);
    if (kept != SeriesCount || kept < 0 || kept > MaxSeries) std::abort();
    // Every kept block took at least 4 received bytes, plus 4 per repetition it lists.
    const int32_t end = std::min(count, length);
    int64_t used = 2;
    for (int s = 0; s < kept; ++s) {
        if (Series[s].RepCount < 0 || Series[s].RepCount > MaxRepetitions) std::abort();
        used += 4 + 4 * Series[s].RepCount;
    }
    if (kept > 0 && used > end) std::abort();
    return 0;
}
