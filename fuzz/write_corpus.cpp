// Writes the seed corpus of every fuzz target with the program's own encoders, so each
// run starts from real files, streams and records rather than from nothing:
//   build/fuzz/bin/write_corpus fuzz/corpus
// writes fuzz/corpus/<target>/<seed>. Run it again when a format changes.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "data/core/DataModel.h"
#include "data/core/MeasurementFile.h"
#include "data/core/Settings.h"
#include "device/core/DeviceSession.h"
#include "device/core/StreamDecoder.h"
#include "quorl/core/SubjectRecordFile.h"

using namespace krovel;

namespace {

std::filesystem::path root;

void Write(const std::string& target, const std::string& seed, const std::string& bytes) {
    const std::filesystem::path folder = root / target;
    std::filesystem::create_directories(folder);
    std::ofstream(folder / seed, std::ios::binary) << bytes;
}

std::string Bytes(const std::vector<uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// A setup byte (see fuzz_live_decoder.cpp) and the sets as the unit sends them live.
std::string LiveStream(uint8_t setup, const std::vector<SessionSet>& sets) {
    std::string out(1, static_cast<char>(setup));
    for (const SessionSet& set : sets) {
        for (size_t i = 0; i < set.Reps.size(); ++i) {
            const LiveFrameBytesArray frame = EncodeLiveFrame(set, set.Reps[i], i == 0);
            out.append(frame.begin(), frame.end());
        }
    }
    return out;
}

// The sets imported from the unit, as the program saves them after an import.
std::string ImportedFile(const std::vector<SessionSet>& sets, const TestHeaderRecord& header) {
    ResetDataModel();
    LinkRequestRecord request{};
    request.BulkMode = 1;
    BulkCollector.Reset();
    AttachLinkRequest(&request);
    for (const uint8_t byte : EncodeBulkTransfer(sets)) DecodeByte(byte);
    AttachLinkRequest(nullptr);
    ParseBulkTransfer(1772452800); // 2026-03-02 12:00 UTC
    TestHeader = header;
    return EncodeMeasurementFile();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS_FOLDER\n", argv[0]);
        return 2;
    }
    root = argv[1];
    const std::vector<SessionSet> session = BuiltInSession();
    const std::vector<SessionSet> one{{60, 85, 100, {{0.62, 0.95, 580.0}, {0.55, 0.84, 512.5}}}};

    Write("fuzz_bulk_transfer", "session", Bytes(EncodeBulkTransfer(session)));
    Write("fuzz_bulk_transfer", "one-set", Bytes(EncodeBulkTransfer(one)));
    Write("fuzz_bulk_transfer", "empty", Bytes(EncodeBulkTransfer({})));

    Write("fuzz_live_decoder", "session", LiveStream(0x00, session));
    Write("fuzz_live_decoder", "skip-first-marker", LiveStream(0x01, one));
    Write("fuzz_live_decoder", "table-nearly-full", LiveStream(0x82, one));

    TestHeaderRecord header;
    header.Subject = {"Anna Kowalski", SexFemale, 0, 168, 61, "knee\r\nstrapped", "", ""};
    header.Exercise = "Squat";
    header.Sport = "Rowing";
    const std::string file = ImportedFile(session, header);
    Write("fuzz_measurement_file", "session.krvx", file);
    Write("fuzz_measurement_file", "one-set.krvx", ImportedFile(one, TestHeaderRecord{}));
    // The target also reads its input after each magic: the same file without it.
    Write("fuzz_measurement_file", "session-body",
          file.substr(1 + std::strlen(MeasurementMagicV12)));

    SettingsValues settings;
    Write("fuzz_settings_file", "defaults.krovlcfg", EncodeSettings(settings));
    settings.PortSetting = 3;
    settings.BarbellWeight = 15.0f;
    settings.AxisRanges[3] = {0, 900, 100};
    Write("fuzz_settings_file", "changed.krovlcfg", EncodeSettings(settings));

    Write("fuzz_session_script", "session", SessionScript(session));
    Write("fuzz_session_script", "one-set", SessionScript(one));

    Write("fuzz_subject_record", "full.quorl", quorl::FormatSubjectRecord(header.Subject));
    Write("fuzz_subject_record", "name-only.quorl", quorl::FormatSubjectRecord({"Jan", 0}));
    return 0;
}
