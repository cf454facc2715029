// The device stream decoder: turns the byte stream of the display unit into series of
// the SeriesTable. Live mode assembles 10-byte frames (start byte 0x00 and 9 data bytes)
// and writes each repetition straight into the entry being filled; bulk mode only
// collects the length-prefixed transfer, which ParseBulkTransfer turns into the table
// once it is complete.
//
// Threads: DecodeByte runs on the link's reader thread; everything else on the UI
// thread. The reader publishes with release stores of RepCount, SeriesCount, Finished
// and BulkCount; the UI reads them with the acquire loads of device/core/HandOver.h.
#pragma once

#include <atomic>
#include <cstdint>

namespace krovel {

// The request a caller owns and hands to OpenLiveLink / OpenBulkLink. The link keeps a
// pointer to it until the next open; the decoder reads and writes it on the reader thread.
struct LinkRequestRecord {
    int32_t PortIndex;       // serial port used when no USB device is found
    int32_t RepIndex;        // live: where the next repetition of the open series goes
    int32_t Finished;        // 1: every further byte is dropped (see HandOver.h)
    int32_t BulkMode;        // 0 live frames, 1 bulk transfer; set by the open
    int32_t SkipFirstMarker; // live: a marker into the still empty open series keeps it
};

constexpr int LiveFrameLength = 9; // data bytes after the 0x00 start byte
constexpr int BulkBufferSize = 105000;
constexpr uint8_t SeriesStartMarker = 1;

// The live decoder: a frame being assembled. Used by the reader thread only; Reset runs
// on the UI thread (OpenLiveLink) before the reader starts. At program start everything
// is 0, so bytes are dropped until the first OpenLiveLink.
struct LiveDecoderState {
    int32_t WaitingStart = 0;
    int32_t Collecting = 0;
    int32_t FrameLength = 0;
    uint8_t Frame[LiveFrameLength] = {};
    // The request the bytes are decoded for (AttachLinkRequest): written by the UI thread
    // before a reader starts, read by the reader for every byte.
    std::atomic<LinkRequestRecord*> AttachedRequest{nullptr};

    // WaitingStart = 1, Collecting = 0, FrameLength = 0: a frame cut off by an earlier
    // stop is discarded and decoding resumes at the next start byte. The bytes of Frame
    // are left as they are; only those below FrameLength are ever read. The attached
    // request stays: attaching is the transport's.
    void Reset();
};
extern LiveDecoderState LiveDecoder;

// The bulk collector: the length-prefixed transfer as it arrives. BulkCount and
// BulkLength are read by the import dialog's timer while the reader writes them, hence
// atomic; the buffer is read only after Finished.
struct BulkCollectorState {
    uint8_t BulkBuffer[BulkBufferSize] = {};
    std::atomic<int32_t> BulkCount{0};  // bytes stored so far
    std::atomic<int32_t> BulkLength{0}; // declared total length; -1 once rejected

    // BulkCount = 0, BulkLength = 0 (the import dialog, before it opens the link). The
    // buffer keeps its bytes; only those below both counts are ever read.
    void Reset();
};
extern BulkCollectorState BulkCollector;

// The request DecodeByte works for; nullptr detaches (every byte is then dropped).
// Called by OpenLiveLink / OpenBulkLink before the reader thread starts.
void AttachLinkRequest(LinkRequestRecord* request);
LinkRequestRecord* AttachedLinkRequest();

// One received byte, in arrival order. Constant work, no allocation.
void DecodeByte(uint8_t b);

// Replaces the SeriesTable with the collected transfer; every series gets startTime.
// The last block of a transfer is never kept. Returns the number of series kept
// (also the new SeriesCount), 0..1000.
int32_t ParseBulkTransfer(int32_t startTime);

// Maximum power in watts from the device's two power bytes.
float DevicePower(uint8_t lo, uint8_t hi);

} // namespace krovel
