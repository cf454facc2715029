// Byte-level behaviour of the measurement file encoder and decoder.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "data/core/ByteStream.h"
#include "data/core/MeasurementFile.h"

using namespace krovel;

namespace {

std::string Hex(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        if (!out.empty()) out += ' ';
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

std::string FromHex(const char* hex) {
    std::string out;
    for (const char* p = hex; *p;) {
        if (*p == ' ') {
            ++p;
            continue;
        }
        out += static_cast<char>(std::stoi(std::string(p, 2), nullptr, 16));
        p += 2;
    }
    return out;
}

FileLoadError Decode(const std::string& bytes, MeasurementScratch& out) {
    return DecodeMeasurementFile(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), out);
}

// A file whose subject name is given as raw prefix-and-bytes, everything else empty.
std::string FileWithRawName(const std::string& rawName, const char* magic = MeasurementMagicV12) {
    ByteWriter w;
    w.u8(26);
    w.bytes(magic, 26);
    w.bytes(rawName.data(), rawName.size());
    w.i32(SexMale);
    w.i32(180);
    w.i32(80);
    for (int i = 0; i < 3; ++i) w.u8(0);
    w.i32(0);
    return w.take();
}

TestHeaderRecord HeaderNamed(const std::string& name) {
    TestHeaderRecord h;
    h.Subject.SubjectName = name;
    return h;
}

// The bytes of the subject name in an encoded file, prefix included.
std::string EncodedName(const std::string& name) {
    std::string file = EncodeMeasurementFile(HeaderNamed(name), {});
    return file.substr(27, file.size() - 27 - 12 - 3 - 4);
}

std::string RoundTripName(const std::string& name) {
    MeasurementScratch scratch;
    EXPECT_EQ(Decode(EncodeMeasurementFile(HeaderNamed(name), {}), scratch), FileLoadError::None);
    return scratch.Header.Subject.SubjectName;
}

SeriesRecord ExampleSeries() {
    SeriesRecord s{};
    s.RepCount = 2;
    s.SignalBelowPct = 90;
    s.SignalAbovePct = 100;
    s.Mass = 60.0f;
    s.StartTime = 1262304000; // 2010-01-01 00:00:00 UTC
    s.MeanVelocity[0] = 50;   // 1.00 m/s
    s.MaxVelocity[0] = 40;    // 1.20 m/s
    s.MaxPower[0] = 750.5f;
    s.MeanVelocity[1] = 45; // 0.90 m/s
    s.MaxVelocity[1] = 38;  // 1.14 m/s
    s.MaxPower[1] = 700.0f;
    return s;
}

} // namespace

TEST(MeasurementCodecTest, DocumentedExampleComesOutByteForByte) {
    TestHeaderRecord header;
    header.Subject.SubjectName = "Ann";
    header.Subject.Sex = SexFemale;
    header.Subject.Height = 170;
    header.Subject.BodyWeight = 65;
    header.Subject.SubjectSpare = 7; // never stored
    header.BarbellWeight = 33.0f;    // never stored
    SeriesRecord series[] = {ExampleSeries()};
    series[0].MeanVelocity[2] = 99; // beyond RepCount: not stored

    std::string expected =
        "\x1a" + std::string(MeasurementMagicV12) +
        FromHex("03 41 6e 6e e9 03 00 00 aa 00 00 00 41 00 00 00 00 00 00 01 00 00 00") +
        FromHex("02 00 00 00 5a 00 00 00 64 00 00 00 00 00 70 42 00 3b 3d 4b 32 28 00 a0 3b 44 "
                "2d 26 00 00 2f 44");
    std::string bytes = EncodeMeasurementFile(header, series);
    EXPECT_EQ(Hex(bytes), Hex(expected));

    header.Subject.Sex = SexMale;
    EXPECT_EQ(Hex(EncodeMeasurementFile(header, series).substr(31, 4)), "ea 03 00 00");

    MeasurementScratch scratch;
    ASSERT_EQ(Decode(bytes, scratch), FileLoadError::None);
    EXPECT_EQ(scratch.Version, MeasurementFileVersion::V12);
    EXPECT_EQ(scratch.Header.Subject.SubjectName, "Ann");
    EXPECT_EQ(scratch.Header.Subject.Height, 170);
    ASSERT_EQ(scratch.Series.size(), 1u);
    EXPECT_EQ(scratch.Series[0].StartTime, 1262304000);
    EXPECT_EQ(scratch.Series[0].MaxPower[0], 750.5f);
    EXPECT_EQ(scratch.Series[0].MaxVelocity[1], 38);
}

TEST(MeasurementCodecTest, EmptySeriesIsTwentyBytes) {
    SeriesRecord empty[] = {SeriesRecord{}};
    EXPECT_EQ(EncodeMeasurementFile({}, empty).size(), EncodeMeasurementFile({}, {}).size() + 20);
}

TEST(MeasurementCodecTest, LengthPrefixGrowsWithTheString) {
    EXPECT_EQ(Hex(EncodedName(std::string(254, 'a')).substr(0, 2)), "fe 61");
    EXPECT_EQ(Hex(EncodedName(std::string(255, 'a')).substr(0, 4)), "ff ff 00 61");
    EXPECT_EQ(Hex(EncodedName(std::string(65533, 'a')).substr(0, 4)), "ff fd ff 61");
    // 65534 would read as the wide marker, so it takes the four-byte form.
    EXPECT_EQ(Hex(EncodedName(std::string(65534, 'a')).substr(0, 8)), "ff ff ff fe ff 00 00 61");
    for (size_t n : {254u, 255u, 65533u, 65534u, 70000u}) {
        EXPECT_EQ(RoundTripName(std::string(n, 'b')), std::string(n, 'b')) << n;
    }
}

TEST(MeasurementCodecTest, TextIsWindows1252WhenItFitsElseUtf16) {
    EXPECT_EQ(Hex(EncodedName("M\xC3\xBCller")), "06 4d fc 6c 6c 65 72");       // Müller
    EXPECT_EQ(Hex(EncodedName("\xE2\x82\xAC\xC5\xA0")), "02 80 8a");            // €Š
    EXPECT_EQ(Hex(EncodedName("\xD0\x98\xD0\xB2")), "ff fe ff 02 18 04 32 04"); // Ив
    for (const std::string& name :
         {std::string("M\xC3\xBCller"), std::string("\xE2\x82\xAC 5"),
          std::string("\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD \xC3\xBC"), // Иван ü
          std::string("\xE5\xBC\xA0\xE4\xBC\x9F"),                  // 张伟
          std::string("\xF0\x9F\x98\x80"),                          // outside the BMP
          std::string("\xC2\x81\xC2\x9D"),                          // bytes cp1252 leaves open
          std::string(300, 'x') + "\xD0\x96"}) {
        EXPECT_EQ(RoundTripName(name), name);
    }
    EXPECT_EQ(Hex(EncodedName("\xF0\x9F\x98\x80")), "ff fe ff 02 3d d8 00 de");
}

TEST(MeasurementCodecTest, ReadsTheWideAndSixtyFourBitForms) {
    struct Case {
        const char* raw;
        const char* name;
    };
    const Case cases[] = {
        {"ff fe ff 02 18 04 32 04", "\xD0\x98\xD0\xB2"},
        // wide, character count in the two-byte form
        {"ff fe ff ff 02 00 41 00 42 00", "AB"},
        {"ff ff ff ff ff ff ff 03 00 00 00 00 00 00 00 61 62 63", "abc"},
        {"ff ff ff 03 00 00 00 78 79 7a", "xyz"},
        {"ff fe ff 01 00 d8", "\xEF\xBF\xBD"}, // lone surrogate
        {"02 41 9f", "A\xC5\xB8"},
    };
    for (const Case& c : cases) {
        MeasurementScratch scratch;
        ASSERT_EQ(Decode(FileWithRawName(FromHex(c.raw)), scratch), FileLoadError::None) << c.raw;
        EXPECT_EQ(scratch.Header.Subject.SubjectName, c.name) << c.raw;
        EXPECT_EQ(scratch.Header.Subject.Height, 180) << c.raw;
    }
}

TEST(MeasurementCodecTest, LengthsAboveTheLimitAreRefused) {
    for (const char* raw : {"ff ff ff ff ff ff ff 00 00 00 80 00 00 00 00",
                            "ff ff ff ff ff ff ff ff ff ff ff ff ff ff ff", "ff ff ff fe ff ff ff",
                            "ff fe ff ff ff ff 00 00 00 80"}) {
        MeasurementScratch scratch;
        EXPECT_EQ(Decode(FileWithRawName(FromHex(raw) + std::string(64, 'a')), scratch),
                  FileLoadError::Incompatible)
            << raw;
    }
}

TEST(MeasurementCodecTest, VersionOneOneHeightIsReadFromText) {
    struct Case {
        std::string text;
        int32_t height;
    };
    const Case cases[] = {{"182cm", 182},
                          {"abc", 0},
                          {"  -12x", -12},
                          {"+7", 7},
                          {"", 0},
                          {" 1 2", 1},
                          {"- 5", 0},
                          {"99999999999", INT_MAX},
                          {"-2147483648", INT_MIN}};
    for (const Case& c : cases) {
        ByteWriter w;
        w.u8(26);
        w.bytes(MeasurementMagicV11, 26);
        w.u8(1);
        w.u8('A');
        w.i32(SexMale);
        w.u8(static_cast<uint8_t>(c.text.size()));
        w.bytes(c.text.data(), c.text.size());
        w.i32(75);
        w.u8(2);
        w.bytes("Sq", 2);
        w.u8(0);
        w.u8(0);
        w.i32(0);
        MeasurementScratch scratch;
        ASSERT_EQ(Decode(w.take(), scratch), FileLoadError::None) << c.text;
        EXPECT_EQ(scratch.Version, MeasurementFileVersion::V11);
        EXPECT_EQ(scratch.Header.Subject.Height, c.height) << c.text;
        EXPECT_EQ(scratch.Header.Subject.BodyWeight, 75);
        EXPECT_EQ(scratch.Header.Exercise, "Sq");

        // Saved again it becomes version 1.2 with an int32 height.
        std::string again = EncodeMeasurementFile(scratch.Header, scratch.Series);
        EXPECT_EQ(again.substr(1, 26), MeasurementMagicV12);
        int32_t stored;
        std::memcpy(&stored, again.data() + 27 + 2 + 4, 4);
        EXPECT_EQ(stored, c.height);
    }
}

TEST(MeasurementCodecTest, UnknownMagicIsRefused) {
    for (const char* magic : {"Marvolen_KrovelDevice_V1.3", "marvolen_KrovelDevice_V1.2",
                              "Marvolen_KrovelDevice_V1.0"}) {
        MeasurementScratch scratch;
        EXPECT_EQ(Decode(FileWithRawName("\x01x", magic), scratch), FileLoadError::Incompatible);
    }
}
