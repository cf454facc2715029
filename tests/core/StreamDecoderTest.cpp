#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "data/core/DataModel.h"
#include "device/core/HandOver.h"
#include "device/core/StreamDecoder.h"

namespace krovel {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes LiveFrame(uint8_t marker, uint8_t mean, uint8_t mass = 0x14, uint8_t lo = 0xC9,
                uint8_t hi = 0x81) {
    return {0x00, marker, mass, 0x5A, 0x64, mean, 0x10, lo, hi, 0x00};
}

void Append(Bytes& to, const Bytes& more) {
    to.insert(to.end(), more.begin(), more.end());
}

// A bulk transfer from its blocks; the two length bytes are put in front.
Bytes BulkTransfer(const std::vector<Bytes>& blocks) {
    Bytes body;
    for (const auto& b : blocks) Append(body, b);
    const size_t length = body.size() + 2;
    Bytes all{static_cast<uint8_t>(length & 0xFF), static_cast<uint8_t>(length >> 8)};
    Append(all, body);
    return all;
}

// One block: mass, thresholds, `reps` repetitions with mean velocity 1.., terminator.
Bytes Block(uint8_t mass, int reps, uint8_t below = 90) {
    Bytes b{mass, below, 100};
    for (int i = 0; i < reps; ++i) Append(b, {static_cast<uint8_t>(i % 255 + 1), 0x10, 0xC9, 0x81});
    b.push_back(0x00);
    return b;
}

class StreamDecoderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDataModel();
        LiveDecoder.Reset();
        BulkCollector.Reset();
        request = {};
        AttachLinkRequest(&request);
    }
    void TearDown() override { AttachLinkRequest(nullptr); }

    void OpenBulk() {
        request.BulkMode = 1;
        BulkCollector.Reset();
    }
    static void Feed(const Bytes& bytes) {
        for (uint8_t b : bytes) DecodeByte(b);
    }

    LinkRequestRecord request;
};

TEST(DevicePowerTest, CombinesBothBytesAroundTheirOffsets) {
    EXPECT_EQ(DevicePower(1, 128), 0.0f);
    EXPECT_EQ(DevicePower(255, 130), 383.0f);
    EXPECT_EQ(DevicePower(0xC9, 0x81), 228.0f);
    EXPECT_EQ(DevicePower(0, 128), -0.5f);
    EXPECT_EQ(DevicePower(0, 0), -16384.5f);
    EXPECT_EQ(DevicePower(255, 255), 16383.0f);
}

TEST_F(StreamDecoderTest, FirstMarkerIsSkippedOnceThenOpensTheNextSeries) {
    request.SkipFirstMarker = 1;
    Feed(LiveFrame(1, 0x23));
    const SeriesRecord& first = Series[0];
    EXPECT_EQ(first.Mass, 20.0f);
    EXPECT_EQ(first.SignalBelowPct, 90);
    EXPECT_EQ(first.SignalAbovePct, 100);
    EXPECT_EQ(first.MeanVelocity[0], 0x23);
    EXPECT_EQ(first.MaxVelocity[0], 0x10);
    EXPECT_EQ(first.MaxPower[0], 228.0f);
    EXPECT_EQ(first.RepCount, 1);
    EXPECT_EQ(request.SkipFirstMarker, 0);
    EXPECT_EQ(SeriesCount, 0);

    Feed(LiveFrame(0, 0x24)); // continues the set
    Feed(LiveFrame(1, 0x30)); // a new set
    EXPECT_EQ(Series[0].RepCount, 2);
    EXPECT_EQ(Series[0].MeanVelocity[1], 0x24);
    EXPECT_EQ(SeriesCount, 1);
    EXPECT_EQ(Series[1].RepCount, 1);
    EXPECT_EQ(Series[1].MeanVelocity[0], 0x30);
    EXPECT_EQ(request.RepIndex, 1);
}

TEST_F(StreamDecoderTest, JoiningASetInProgressStillSeparatesTheNextSet) {
    // The unit was inside a 20 kg set when the link opened: its frames carry no marker.
    request.SkipFirstMarker = 1;
    Feed(LiveFrame(0, 50));
    Feed(LiveFrame(0, 48));
    EXPECT_EQ(request.SkipFirstMarker, 0); // a stored repetition ends the skipping
    Feed(LiveFrame(1, 40, 40));            // the 40 kg set must not join it
    EXPECT_EQ(SeriesCount, 1);
    EXPECT_EQ(Series[0].RepCount, 2);
    EXPECT_EQ(Series[0].Mass, 20.0f);
    EXPECT_EQ(Series[1].RepCount, 1);
    EXPECT_EQ(Series[1].Mass, 40.0f);
}

TEST_F(StreamDecoderTest, FramesAreTakenByPositionAfterTheStartByte) {
    // Junk before a start byte is dropped; zeros inside a frame are data.
    Feed({0x05, 0x07});
    Feed({0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00});
    EXPECT_EQ(SeriesCount, 0);
    EXPECT_EQ(Series[0].RepCount, 1);
    EXPECT_EQ(Series[0].Mass, 0.0f);
    EXPECT_EQ(Series[0].MeanVelocity[0], 0);
    EXPECT_EQ(Series[0].MaxPower[0], -16384.5f);

    // Mass and thresholds follow the latest frame of the series.
    Feed({0x00, 0x00, 0x32, 0x50, 0x6E, 0x11, 0x12, 0x01, 0x80, 0x00});
    EXPECT_EQ(Series[0].RepCount, 2);
    EXPECT_EQ(Series[0].Mass, 50.0f);
    EXPECT_EQ(Series[0].SignalBelowPct, 0x50);
    EXPECT_EQ(Series[0].SignalAbovePct, 0x6E);

    // A reopened link forgets a frame cut off by the stop.
    Feed({0x00, 0x00, 0x33, 0x33});
    LiveDecoder.Reset();
    Feed(LiveFrame(0, 0x40));
    EXPECT_EQ(Series[0].RepCount, 3);
    EXPECT_EQ(Series[0].MeanVelocity[2], 0x40);
}

TEST_F(StreamDecoderTest, NothingIsDecodedWithoutARequestOrAfterFinished) {
    AttachLinkRequest(nullptr);
    Feed(LiveFrame(0, 0x23));
    EXPECT_EQ(Series[0].RepCount, 0);

    AttachLinkRequest(&request);
    StoreFinished(request, 1);
    Feed(LiveFrame(0, 0x23));
    EXPECT_EQ(Series[0].RepCount, 0);
}

TEST_F(StreamDecoderTest, SeriesKeepsItsFirstHundredRepetitions) {
    Series[0].MaxVelocity[0] = 0x77; // lies right after MeanVelocity[99]
    for (int i = 0; i < MaxRepetitions + 5; ++i) Feed(LiveFrame(0, static_cast<uint8_t>(i + 1)));
    EXPECT_EQ(Series[0].RepCount, MaxRepetitions);
    EXPECT_EQ(Series[0].MeanVelocity[99], 100);
    EXPECT_EQ(Series[0].MaxVelocity[0], 0x10);
    EXPECT_EQ(Series[1].RepCount, 0);
    EXPECT_EQ(LoadFinished(request), 0);

    Feed(LiveFrame(1, 0x55)); // the next set is recorded normally
    EXPECT_EQ(SeriesCount, 1);
    EXPECT_EQ(Series[0].RepCount, MaxRepetitions);
    EXPECT_EQ(Series[1].RepCount, 1);
    EXPECT_EQ(Series[1].MeanVelocity[0], 0x55);
}

TEST_F(StreamDecoderTest, MarkerThatWouldOpenEntry1000FinishesTheLink) {
    SeriesCount = MaxSeries - 1;
    request.RepIndex = 3;
    Series[MaxSeries - 1].RepCount = 3;
    Feed(LiveFrame(1, 0x23));
    EXPECT_EQ(SeriesCount, MaxSeries);
    EXPECT_EQ(LoadFinished(request), 1);
    EXPECT_EQ(Series[MaxSeries - 1].RepCount, 3);

    StoreFinished(request, 0); // even if the link were reopened, nothing goes past entry 999
    Feed(LiveFrame(0, 0x23));
    Feed(LiveFrame(1, 0x23));
    EXPECT_EQ(SeriesCount, MaxSeries);
    EXPECT_EQ(LoadFinished(request), 1);
}

TEST_F(StreamDecoderTest, CollectorStopsAtTheDeclaredLength) {
    OpenBulk();
    Feed({0x0A, 0x00, 0x14, 0x5A, 0x64, 0x23, 0x10, 0xC9, 0x81});
    EXPECT_EQ(BulkCollector.BulkLength.load(), 10);
    EXPECT_EQ(LoadFinished(request), 0);
    Feed({0x00, 0x99, 0x98});
    EXPECT_EQ(LoadFinished(request), 1);
    EXPECT_EQ(BulkCollector.BulkCount.load(), 10);
    EXPECT_EQ(ParseBulkTransfer(0), 0); // its only block is the last one
    EXPECT_EQ(SeriesCount, 0);

    for (uint8_t declared : {0, 1, 2}) { // too short to be a transfer: ends at byte 3
        OpenBulk();
        StoreFinished(request, 0);
        Feed({declared, 0x00, 0x07, 0x08});
        EXPECT_EQ(BulkCollector.BulkCount.load(), 3);
        EXPECT_EQ(LoadFinished(request), 1);
    }

    OpenBulk();
    StoreFinished(request, 0);
    BulkCollector.BulkCount.store(BulkBufferSize); // the buffer is full: nothing is stored past it
    DecodeByte(0x01);
    EXPECT_EQ(BulkCollector.BulkCount.load(), BulkBufferSize);
    EXPECT_EQ(LoadFinished(request), 1);
}

TEST_F(StreamDecoderTest, ParseKeepsEveryBlockButTheLast) {
    OpenBulk();
    Feed({0x0E, 0x00, 0x14, 0x5A, 0x64, 0x23, 0x10, 0xC9, 0x81, 0x00, 0x00, 0x00, 0x00, 0x00});
    Series[0].RepCount = 7;
    SeriesCount = 5;
    EXPECT_EQ(ParseBulkTransfer(1234), 1);
    EXPECT_EQ(SeriesCount, 1);
    EXPECT_EQ(Series[0].RepCount, 1);
    EXPECT_EQ(Series[0].Mass, 20.0f);
    EXPECT_EQ(Series[0].SignalBelowPct, 90);
    EXPECT_EQ(Series[0].SignalAbovePct, 100);
    EXPECT_EQ(Series[0].MeanVelocity[0], 0x23);
    EXPECT_EQ(Series[0].MaxPower[0], 228.0f);
    EXPECT_EQ(Series[0].StartTime, 1234);
    EXPECT_EQ(Series[1].RepCount, 0); // the last block was parsed into entry 1

    OpenBulk();
    StoreFinished(request, 0);
    Feed(BulkTransfer({Block(20, 3), Block(40, 0), Block(60, 5), Block(0, 0)}));
    ASSERT_EQ(LoadFinished(request), 1);
    EXPECT_EQ(ParseBulkTransfer(99), 3);
    EXPECT_EQ(Series[0].RepCount, 3);
    EXPECT_EQ(Series[1].RepCount, 0);
    EXPECT_EQ(Series[1].Mass, 40.0f);
    EXPECT_EQ(Series[2].RepCount, 5);
    EXPECT_EQ(Series[2].MeanVelocity[4], 5);
    EXPECT_EQ(Series[2].StartTime, 99);
}

TEST_F(StreamDecoderTest, BlockOverAHundredRepetitionsKeepsTheFirstHundred) {
    OpenBulk();
    Feed(BulkTransfer({Block(20, 130), Block(30, 2), Block(0, 0)}));
    EXPECT_EQ(ParseBulkTransfer(0), 2);
    EXPECT_EQ(Series[0].RepCount, MaxRepetitions);
    EXPECT_EQ(Series[0].MeanVelocity[99], 100);
    EXPECT_EQ(Series[0].MaxVelocity[0], 0x10); // lies right after MeanVelocity[99]
    EXPECT_EQ(Series[0].MaxPower[0], 228.0f);
    // The rest of the long block was read past up to its terminator.
    EXPECT_EQ(Series[1].Mass, 30.0f);
    EXPECT_EQ(Series[1].RepCount, 2);
    EXPECT_EQ(Series[1].MeanVelocity[1], 2);
}

TEST_F(StreamDecoderTest, ParseReadsOnlyTheBytesReceived) {
    // Leftovers of a longer earlier transfer must not be read as data.
    std::memset(BulkCollector.BulkBuffer, 0x33, sizeof BulkCollector.BulkBuffer);
    OpenBulk();
    Bytes transfer = BulkTransfer({Block(20, 2), Block(30, 3), Block(0, 0)});
    transfer.resize(transfer.size() - 10); // the second block loses its end
    Feed(transfer);
    EXPECT_EQ(LoadFinished(request), 0);
    EXPECT_EQ(ParseBulkTransfer(0), 1);
    EXPECT_EQ(Series[0].RepCount, 2);
    EXPECT_EQ(Series[1].RepCount, 1); // what arrived of the cut block: one whole repetition

    // A declared length that ends inside a block: the block ends with the data.
    OpenBulk();
    StoreFinished(request, 0);
    Feed({0x0B, 0x00, 20, 90, 100, 5, 0x10, 0xC9, 0x81, 6, 0x10});
    ASSERT_EQ(LoadFinished(request), 1);
    EXPECT_EQ(ParseBulkTransfer(0), 0);
    EXPECT_EQ(Series[0].RepCount, 1);

    // A length too short for any block never yields a negative count.
    BulkCollector.BulkLength.store(-1);
    EXPECT_EQ(ParseBulkTransfer(0), 0);
    EXPECT_EQ(SeriesCount, 0);
}

TEST_F(StreamDecoderTest, ParseFillsAtMostTheThousandRecords) {
    std::vector<Bytes> blocks;
    for (int i = 0; i < 1200; ++i) {
        blocks.push_back(Block(static_cast<uint8_t>(i % 256), 1, static_cast<uint8_t>(i / 256)));
    }
    for (int count : {1000, 1001, 1200}) {
        OpenBulk();
        StoreFinished(request, 0);
        Feed(BulkTransfer({blocks.begin(), blocks.begin() + count}));
        ASSERT_EQ(LoadFinished(request), 1);
        EXPECT_EQ(ParseBulkTransfer(0), std::min(count - 1, MaxSeries)) << count;
    }
    // Entry 999 holds block 999: later blocks were read past, not written over it.
    EXPECT_EQ(Series[999].Mass, static_cast<float>(999 % 256));
    EXPECT_EQ(Series[999].SignalBelowPct, 999 / 256);
}

TEST_F(StreamDecoderTest, StreamCutAtAnyPositionGivesTheSameTable) {
    Bytes live{0x09};
    Append(live, LiveFrame(1, 0x21));
    Append(live, LiveFrame(0, 0x22, 30));
    live.push_back(0x44); // noise between frames
    Append(live, LiveFrame(1, 0x23, 40, 0x00, 0x00));
    Append(live, LiveFrame(0, 0x24));

    auto run = [&](size_t cut) {
        ResetDataModel();
        request = {};
        request.SkipFirstMarker = 1;
        LiveDecoder.Reset();
        Feed({live.begin(), live.begin() + cut});
        // Between two reads of the transport, the UI thread looks at the table.
        EXPECT_LE(LoadRepCount(LoadSeriesCount()), 2);
        Feed({live.begin() + cut, live.end()});
    };
    run(0);
    ASSERT_EQ(SeriesCount, 1);
    ASSERT_EQ(Series[0].RepCount, 2);
    ASSERT_EQ(Series[1].RepCount, 2);
    EXPECT_EQ(Series[1].MaxPower[0], DevicePower(0, 0));
    static SeriesRecord reference[2];
    std::memcpy(reference, Series, sizeof reference);
    for (size_t cut = 1; cut <= live.size(); ++cut) {
        run(cut);
        EXPECT_EQ(SeriesCount, 1);
        EXPECT_EQ(std::memcmp(reference, Series, sizeof reference), 0) << "cut at " << cut;
    }
}

} // namespace
} // namespace krovel
