#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "data/core/DataModel.h"
#include "device/core/DeviceSession.h"
#include "device/core/HandOver.h"
#include "device/core/StreamDecoder.h"

namespace krovel {
namespace {

TEST(DeviceSessionTest, PowerBytesDecodeToTheHalfWattNearestTheGivenPower) {
    for (int half = 0; half <= 2 * 16383; ++half) {
        const PowerBytes p = EncodePower(half / 2.0);
        ASSERT_EQ(DevicePower(p.Lo, p.Hi), half / 2.0f) << half;
    }
    const PowerBytes rounded = EncodePower(100.26);
    EXPECT_EQ(DevicePower(rounded.Lo, rounded.Hi), 100.5f);
    const PowerBytes negative = EncodePower(-20.0);
    EXPECT_EQ(DevicePower(negative.Lo, negative.Hi), 0.0f);
    const PowerBytes huge = EncodePower(1e9);
    EXPECT_EQ(DevicePower(huge.Lo, huge.Hi), 16383.0f);
}

TEST(DeviceSessionTest, VelocityBytesUseTheDeviceUnitsAndMeanNeverEncodesAsZero) {
    EXPECT_EQ(MeanVelocityByte(1.0), 50);
    EXPECT_EQ(MaxVelocityByte(1.5), 50);
    EXPECT_EQ(MeanVelocityByte(0.0), 1); // a 0 would end a bulk block
    EXPECT_EQ(MaxVelocityByte(0.0), 0);
    EXPECT_EQ(MeanVelocityByte(9.0), 255);
    EXPECT_EQ(MaxVelocityByte(NAN), 0);
}

class SessionDecodingTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDataModel();
        LiveDecoder.Reset();
        BulkCollector.Reset();
        AttachLinkRequest(&request);
    }
    void TearDown() override { AttachLinkRequest(nullptr); }
    void Feed(std::span<const uint8_t> bytes) {
        for (uint8_t b : bytes) DecodeByte(b);
    }
    LinkRequestRecord request{};
};

TEST_F(SessionDecodingTest, BuiltInSessionPlayedLiveFillsOneSeriesPerSet) {
    const std::vector<SessionSet> sets = BuiltInSession();
    ASSERT_GE(sets.size(), 3u);
    request.SkipFirstMarker = 1;
    for (const TimedFrame& frame : LiveTimeline(sets, 2000, 6000)) Feed(frame.Bytes);

    // The last set is the entry being filled; the live measurement counts it at STOP.
    ASSERT_EQ(LoadSeriesCount(), static_cast<int32_t>(sets.size()) - 1);
    for (size_t s = 0; s < sets.size(); ++s) {
        const SeriesRecord& rec = Series[s];
        ASSERT_EQ(LoadRepCount(static_cast<int>(s)), static_cast<int32_t>(sets[s].Reps.size()));
        EXPECT_EQ(rec.Mass, sets[s].Mass);
        EXPECT_EQ(rec.SignalBelowPct, sets[s].SignalBelowPct);
        for (size_t r = 0; r < sets[s].Reps.size(); ++r) {
            const SessionRep& rep = sets[s].Reps[r];
            EXPECT_NEAR(rec.MeanVelocity[r] * 0.02, rep.MeanVelocity, 0.0101);
            EXPECT_NEAR(rec.MaxVelocity[r] * 0.03, rep.MaxVelocity, 0.0151);
            EXPECT_NEAR(rec.MaxPower[r], rep.MaxPower, 0.25);
        }
    }
}

TEST(DeviceSessionTest, BuiltInSessionLooksLikeATrainingSession) {
    const std::vector<SessionSet> sets = BuiltInSession();
    for (size_t s = 0; s < sets.size(); ++s) {
        const auto& reps = sets[s].Reps;
        ASSERT_GE(reps.size(), 2u);
        if (s > 0) {
            EXPECT_GT(sets[s].Mass, sets[s - 1].Mass);
            EXPECT_LT(reps[0].MeanVelocity, sets[s - 1].Reps[0].MeanVelocity);
        }
        EXPECT_LT(reps.back().MeanVelocity, reps[0].MeanVelocity); // fatigue
        for (const SessionRep& rep : reps) {
            EXPECT_GT(rep.MaxVelocity, rep.MeanVelocity);
            // Peak power is the weight times the peak velocity, give or take acceleration.
            const double weightTimesPeak = sets[s].Mass * 9.81 * rep.MaxVelocity;
            EXPECT_GT(rep.MaxPower, weightTimesPeak);
            EXPECT_LT(rep.MaxPower, 1.5 * weightTimesPeak);
        }
    }
}

TEST_F(SessionDecodingTest, BulkTransferParsesBackToEverySet) {
    const std::vector<SessionSet> sets = BuiltInSession();
    const std::vector<uint8_t> transfer = EncodeBulkTransfer(sets);
    request.BulkMode = 1;
    Feed(transfer);

    ASSERT_EQ(LoadFinished(request), 1);
    EXPECT_EQ(LoadBulkLength(), static_cast<int32_t>(transfer.size()));
    ASSERT_EQ(ParseBulkTransfer(1234), static_cast<int32_t>(sets.size()));
    for (size_t s = 0; s < sets.size(); ++s) {
        ASSERT_EQ(Series[s].RepCount, static_cast<int32_t>(sets[s].Reps.size()));
        EXPECT_EQ(Series[s].Mass, sets[s].Mass);
        EXPECT_EQ(Series[s].StartTime, 1234);
        const SessionRep& last = sets[s].Reps.back();
        EXPECT_EQ(Series[s].MeanVelocity[sets[s].Reps.size() - 1],
                  MeanVelocityByte(last.MeanVelocity));
    }
}

TEST_F(SessionDecodingTest, BulkTransferLeavesOutWhatDoesNotFitItsLengthField) {
    SessionSet big{100, 90, 100, std::vector<SessionRep>(100, SessionRep{0.5, 0.8, 500.0})};
    const std::vector<SessionSet> sets(200, big); // 200 * 404 bytes would exceed 65535
    const std::vector<uint8_t> transfer = EncodeBulkTransfer(sets);
    ASSERT_LE(transfer.size(), 65535u);
    EXPECT_EQ(transfer[0] + 256 * transfer[1], static_cast<int>(transfer.size()));

    request.BulkMode = 1;
    Feed(transfer);
    ASSERT_EQ(LoadFinished(request), 1);
    EXPECT_EQ(ParseBulkTransfer(0), static_cast<int32_t>((transfer.size() - 2 - 4) / 404));
    EXPECT_EQ(Series[0].RepCount, 100);
    // What the simulator reports as left out.
    EXPECT_EQ(SetsInOneTransfer(sets), static_cast<size_t>(ParseBulkTransfer(0)));
    EXPECT_EQ(SetsInOneTransfer(std::span(sets).first(3)), 3u);
}

TEST(DeviceSessionTest, PrintedScriptPlaysTheSameBytesAsTheSession) {
    const std::vector<SessionSet> session = BuiltInSession();
    const std::string script = SessionScript(session);
    std::vector<SessionSet> replayed;
    const Status parsed = ParseSessionScript(script, replayed);
    ASSERT_TRUE(parsed) << parsed.message();
    const auto bytes = [](const std::vector<SessionSet>& sets) {
        std::vector<uint8_t> all;
        for (const TimedFrame& f : LiveTimeline(sets, 0, 0))
            all.insert(all.end(), f.Bytes.begin(), f.Bytes.end());
        return all;
    };
    EXPECT_EQ(bytes(replayed), bytes(session));
    EXPECT_EQ(EncodeBulkTransfer(replayed), EncodeBulkTransfer(session));
    EXPECT_EQ(script.substr(0, script.find('\n', 14)), "set 20 90 100\nrep 1.46 2.16 464.5");
}

TEST(DeviceSessionTest, ScriptReadsSetsAndRepetitions) {
    const char* text = "# warm-up\r\n"
                       "set 20 90 100\r\n"
                       "  rep 1.40 2.10 450.5   # first\n"
                       "rep 1.38 2.05 442\n"
                       "\n"
                       "set 255 0 255\n";
    std::vector<SessionSet> sets;
    const Status parsed = ParseSessionScript(text, sets);
    ASSERT_TRUE(parsed) << parsed.message();
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_EQ(sets[0].Mass, 20);
    ASSERT_EQ(sets[0].Reps.size(), 2u);
    EXPECT_DOUBLE_EQ(sets[0].Reps[0].MaxPower, 450.5);
    EXPECT_DOUBLE_EQ(sets[0].Reps[1].MeanVelocity, 1.38);
    EXPECT_EQ(sets[1].Mass, 255);
    EXPECT_TRUE(sets[1].Reps.empty());
}

TEST(DeviceSessionTest, ScriptFaultsNameTheirLineAndKeepTheSetsUnchanged) {
    const std::vector<std::pair<std::string, std::string>> faults = {
        {"rep 1 2 3\n", "line 1:"},
        {"set 20 90 100\nset 256 90 100\n", "line 2:"},
        {"set 20 90\n", "line 1:"},
        {"set 20 90 100\nrep 1,5 2 3\n", "line 2:"},
        {"set 20 90 100\nrep 1 2 inf\n", "line 2:"},
        {"\n\njump 3\n", "line 3:"},
        {"set 20 90 100\n\x1b[2J\x7f\xff rep\n",
         "line 2: unknown statement: \"\\x1B[2J\\x7F\\xFF rep\""},
    };
    for (const auto& [text, line] : faults) {
        std::vector<SessionSet> sets(1);
        const Status parsed = ParseSessionScript(text, sets);
        EXPECT_FALSE(parsed) << text;
        EXPECT_EQ(parsed.message().rfind(line, 0), 0u) << parsed.message();
        EXPECT_EQ(sets.size(), 1u);
    }
    std::string tooMany = "set 20 90 100\n";
    for (int i = 0; i < 101; ++i) tooMany += "rep 1 1.5 300\n";
    std::vector<SessionSet> sets;
    const Status parsed = ParseSessionScript(tooMany, sets);
    EXPECT_FALSE(parsed);
    EXPECT_EQ(parsed.message(), "line 102: a set holds at most 100 repetitions: \"rep 1 1.5 300\"");
}

} // namespace
} // namespace krovel
