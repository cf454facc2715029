// Device simulator's session script: no input may crash the reader, and every session it
// accepts can be played, live and as a bulk transfer.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "device/core/DeviceSession.h"

using namespace krovel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<SessionSet> sets;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const Status parsed = ParseSessionScript(text, sets); !parsed) {
        if (parsed.message().empty()) std::abort(); // a refusal always names its line
        return 0;
    }
    // The transfer declares its own length in its first two bytes.
    const std::vector<uint8_t> bulk = EncodeBulkTransfer(sets);
    if (bulk.size() < 2 || bulk.size() > 65535 || bulk[0] + 256u * bulk[1] != bulk.size())
        std::abort();
    for (const TimedFrame& frame : LiveTimeline(sets, 10, 20))
        if (frame.Bytes[0] != 0x00) std::abort(); // every live frame starts with 0x00
    return 0;
}
