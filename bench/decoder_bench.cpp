// Throughput of the device stream decoder: live frames and bulk transfers through
// DecodeByte, and the parse of a complete transfer. The reader threads feed it buffers
// of up to 1024 bytes at 57600 baud, so anything near 200 MB/s leaves ample headroom.
#include <benchmark/benchmark.h>

#include <vector>

#include "data/core/DataModel.h"
#include "device/core/StreamDecoder.h"

namespace {

using namespace krovel;

// 50 sets of 20 repetitions, each set opened by a series-start marker, with a noise
// byte between frames now and then.
std::vector<uint8_t> LiveStream() {
    std::vector<uint8_t> out;
    for (int s = 0; s < 50; ++s) {
        for (int r = 0; r < 20; ++r) {
            if (r % 4 == 3) out.push_back(0x5C);
            out.insert(out.end(), {0x00, static_cast<uint8_t>(r == 0), 0x14, 0x5A, 0x64,
                                   static_cast<uint8_t>(0x20 + r), 0x10, 0xC9, 0x81, 0x00});
        }
    }
    return out;
}

// The longest transfer the device can declare: 65535 bytes of blocks with 20 repetitions.
std::vector<uint8_t> BulkStream() {
    std::vector<uint8_t> out{0xFF, 0xFF};
    while (out.size() < 0xFFFF) {
        out.insert(out.end(), {0x14, 0x5A, 0x64});
        for (int r = 0; r < 20; ++r) out.insert(out.end(), {0x23, 0x10, 0xC9, 0x81});
        out.push_back(0x00);
    }
    out.resize(0xFFFF);
    return out;
}

void Feed(const std::vector<uint8_t>& bytes) {
    for (uint8_t b : bytes) DecodeByte(b);
}

void BM_DecodeLive(benchmark::State& state) {
    const std::vector<uint8_t> stream = LiveStream();
    LinkRequestRecord request{};
    AttachLinkRequest(&request);
    for (auto _ : state) {
        request = {};
        request.SkipFirstMarker = 1;
        SeriesCount = 0;
        Series[0].RepCount = 0;
        LiveDecoder.Reset();
        Feed(stream);
        benchmark::DoNotOptimize(SeriesCount);
    }
    AttachLinkRequest(nullptr);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(stream.size()));
}
BENCHMARK(BM_DecodeLive);

void BM_CollectBulk(benchmark::State& state) {
    const std::vector<uint8_t> stream = BulkStream();
    LinkRequestRecord request{};
    AttachLinkRequest(&request);
    for (auto _ : state) {
        request = {};
        request.BulkMode = 1;
        BulkCollector.Reset();
        Feed(stream);
        benchmark::DoNotOptimize(BulkCollector.BulkCount.load());
    }
    AttachLinkRequest(nullptr);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(stream.size()));
}
BENCHMARK(BM_CollectBulk);

void BM_ParseBulkTransfer(benchmark::State& state) {
    const std::vector<uint8_t> stream = BulkStream();
    LinkRequestRecord request{};
    request.BulkMode = 1;
    BulkCollector.Reset();
    AttachLinkRequest(&request);
    Feed(stream);
    AttachLinkRequest(nullptr);
    for (auto _ : state) benchmark::DoNotOptimize(ParseBulkTransfer(0));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(stream.size()));
}
BENCHMARK(BM_ParseBulkTransfer);

} // namespace
