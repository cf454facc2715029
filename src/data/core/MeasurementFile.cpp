#include "data/core/MeasurementFile.h"

#include <algorithm>
#include <memory>
#include <string_view>

#include "base/core/AtomicFile.h"
#include "base/core/FileRead.h"
#include "base/core/Prompts.h"
#include "data/core/ByteStream.h"
#include "data/core/CountedString.h"

namespace krovel {

namespace {

// Version 1.1 stores the height as text: leading white space, an optional sign and the
// digits that follow; the first other character ends the number, no digits give 0.
// Values beyond int32 saturate.
int32_t HeightFromText(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = std::min<int64_t>(value * 10 + (text[i] - '0'), int64_t{INT32_MAX} + 1);
    }
    if (negative) value = -value;
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

void WriteSeriesBlock(ByteWriter& out, const SeriesRecord& s) {
    // Only the valid repetitions are stored; a corrupt count must not read past the arrays.
    int32_t reps = std::clamp(s.RepCount, 0, MaxRepetitions);
    out.i32(reps);
    out.i32(s.SignalBelowPct);
    out.i32(s.SignalAbovePct);
    out.f32(s.Mass);
    out.i32(s.StartTime);
    for (int32_t r = 0; r < reps; ++r) {
        out.u8(s.MeanVelocity[r]);
        out.u8(s.MaxVelocity[r]);
        out.f32(s.MaxPower[r]);
    }
}

bool ReadSeriesBlock(ByteReader& in, SeriesRecord& s) {
    s.RepCount = in.i32();
    s.SignalBelowPct = in.i32();
    s.SignalAbovePct = in.i32();
    s.Mass = in.f32();
    s.StartTime = in.i32();
    if (!in.ok() || s.RepCount < 0 || s.RepCount > MaxRepetitions) return false;
    for (int32_t r = 0; r < s.RepCount; ++r) {
        s.MeanVelocity[r] = in.u8();
        s.MaxVelocity[r] = in.u8();
        s.MaxPower[r] = in.f32();
    }
    return in.ok();
}

bool ReadHeader(ByteReader& in, MeasurementScratch& out) {
    SubjectRecord& subject = out.Header.Subject;
    if (!ReadCountedString(in, subject.SubjectName)) return false;
    subject.Sex = in.i32();
    if (out.Version == MeasurementFileVersion::V11) {
        std::string heightText;
        if (!ReadCountedString(in, heightText)) return false;
        subject.Height = HeightFromText(heightText);
    } else {
        subject.Height = in.i32();
    }
    subject.BodyWeight = in.i32();
    return ReadCountedString(in, out.Header.Exercise) && ReadCountedString(in, out.Header.Sport) &&
           ReadCountedString(in, subject.Comment);
}

} // namespace

const char* VersionText(MeasurementFileVersion version) {
    return version == MeasurementFileVersion::V11 ? "1.1" : "1.2";
}

const char* FileLoadErrorText(FileLoadError error) {
    switch (error) {
    case FileLoadError::CannotOpen:
        return "Error opening file";
    case FileLoadError::Incompatible:
        return "Incompatible data";
    case FileLoadError::None:
        break;
    }
    return "";
}

std::string EncodeMeasurementFile(const TestHeaderRecord& header,
                                  std::span<const SeriesRecord> series) {
    ByteWriter out;
    WriteCountedString(out, MeasurementMagicV12);
    WriteCountedString(out, header.Subject.SubjectName);
    out.i32(header.Subject.Sex);
    out.i32(header.Subject.Height);
    out.i32(header.Subject.BodyWeight);
    WriteCountedString(out, header.Exercise);
    WriteCountedString(out, header.Sport);
    WriteCountedString(out, header.Subject.Comment);
    out.i32(static_cast<int32_t>(series.size()));
    for (const SeriesRecord& s : series) WriteSeriesBlock(out, s);
    return out.take();
}

std::string EncodeMeasurementFile() {
    size_t count = static_cast<size_t>(std::clamp(SeriesCount, 0, MaxSeries));
    return EncodeMeasurementFile(TestHeader, std::span<const SeriesRecord>(Series, count));
}

FileLoadError DecodeMeasurementFile(const uint8_t* data, size_t size, MeasurementScratch& out) {
    out = MeasurementScratch{};
    ByteReader in(data, size);
    std::string magic;
    if (!ReadCountedString(in, magic)) return FileLoadError::Incompatible;
    if (magic == MeasurementMagicV11) {
        out.Version = MeasurementFileVersion::V11;
    } else if (magic != MeasurementMagicV12) {
        return FileLoadError::Incompatible;
    }
    if (!ReadHeader(in, out)) return FileLoadError::Incompatible;

    int32_t count = in.i32();
    if (!in.ok() || count < 0 || count > MaxSeries) return FileLoadError::Incompatible;
    // Every block takes at least 20 bytes: a count the rest of the file cannot hold is
    // refused before anything is allocated for it.
    if (static_cast<size_t>(count) > in.remaining() / 20) return FileLoadError::Incompatible;
    out.Series.assign(static_cast<size_t>(count), SeriesRecord{});
    for (SeriesRecord& s : out.Series) {
        if (!ReadSeriesBlock(in, s)) return FileLoadError::Incompatible;
    }
    return FileLoadError::None;
}

FileLoadError LoadMeasurementFile(const std::string& path, MeasurementScratch& out) {
    auto head = ReadFileHead(path, MaxMeasurementFileSize);
    if (!head) return FileLoadError::CannotOpen;
    if (head->more) return FileLoadError::Incompatible;
    return DecodeMeasurementFile(reinterpret_cast<const uint8_t*>(head->bytes.data()),
                                 head->bytes.size(), out);
}

void CommitMeasurementScratch(const MeasurementScratch& scratch) {
    const SubjectRecord& from = scratch.Header.Subject;
    SubjectRecord& to = TestHeader.Subject;
    to.SubjectName = from.SubjectName;
    to.Sex = from.Sex;
    to.Height = from.Height;
    to.BodyWeight = from.BodyWeight;
    to.Comment = from.Comment;
    TestHeader.Exercise = scratch.Header.Exercise;
    TestHeader.Sport = scratch.Header.Sport;

    int count = static_cast<int>(std::min<size_t>(scratch.Series.size(), MaxSeries));
    for (int i = 0; i < count; ++i) {
        const SeriesRecord& s = scratch.Series[i];
        SeriesRecord& d = Series[i];
        int reps = std::clamp(s.RepCount, 0, MaxRepetitions);
        d.RepCount = reps;
        d.SignalBelowPct = s.SignalBelowPct;
        d.SignalAbovePct = s.SignalAbovePct;
        d.Mass = s.Mass;
        d.StartTime = s.StartTime;
        for (int r = 0; r < reps; ++r) {
            d.MeanVelocity[r] = s.MeanVelocity[r];
            d.MaxVelocity[r] = s.MaxVelocity[r];
            d.MaxPower[r] = s.MaxPower[r];
        }
    }
    SeriesCount = count;
    SelectSeriesLimits(count > 0 ? count - 1 : 0);
}

bool WriteMeasurementFile(const std::string& path) {
    if (CanOpenForReading(path) && !AskYesNo("OverWrite file: " + path)) return false;
    std::string bytes = EncodeMeasurementFile();
    if (bytes.size() > MaxMeasurementFileSize || !WriteFileAtomically(path, bytes)) {
        ShowNotice("File Save Error");
        return false;
    }
    DataSaved = 1;
    return true;
}

bool ReadMeasurementFile(const std::string& path) {
    // Heap scratch: a full table is too large for the stack.
    auto scratch = std::make_unique<MeasurementScratch>();
    FileLoadError error = LoadMeasurementFile(path, *scratch);
    if (error != FileLoadError::None) {
        ShowNotice(FileLoadErrorText(error));
        return false;
    }
    CommitMeasurementScratch(*scratch);
    DataSaved = 1;
    DataPresent = 1;
    return true;
}

} // namespace krovel
