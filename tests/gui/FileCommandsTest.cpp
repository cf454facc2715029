// Save and Open through the router of the running program: the subject registry's part,
// the file dialogs, the messages in their order, the flags, and nothing changed by a
// save or load that does not happen.
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <regex>

#include "app/gui/FileCommands.h"
#include "base/core/CommandIds.h"
#include "data/core/ByteStream.h"
#include "data/core/MeasurementFile.h"
#include "quorl/gui/Quorl.h"
#include "support/AppHarness.h"
#include "support/CommandJournal.h"
#include "support/TempFolder.h"
#include "ui/gui/CMainFrame.h"

namespace krovel {
namespace {

using testing::AppHarness;
using testing::Journal;
using testing::JournalPrompts;
using testing::JournalQuorlDialogs;
using testing::TempFolder;

SubjectRecord Subject(const std::string& name, int32_t height) {
    SubjectRecord r;
    r.SubjectName = name;
    r.Sex = SexFemale;
    r.Height = height;
    r.BodyWeight = 60;
    return r;
}

void PutSeries(int s, int reps, float mass) {
    Series[s].RepCount = reps;
    Series[s].Mass = mass;
    Series[s].SignalBelowPct = 85;
    Series[s].SignalAbovePct = 105;
    Series[s].StartTime = 1262304000 + s;
    for (int i = 0; i < reps; ++i) {
        Series[s].MeanVelocity[i] = static_cast<uint8_t>(40 + i);
        Series[s].MaxVelocity[i] = static_cast<uint8_t>(45 + i);
        Series[s].MaxPower[i] = 500.0f + i;
    }
}

// The running program with two unsaved series and a journal of what it asks.
class FileCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(h.start("nobody trial one"));
        PutSeries(0, 3, 60.0f);
        PutSeries(1, 2, 70.0f);
        SeriesCount = 2;
        CurrentSeries = 0;
        DataSaved = 0;
        DataPresent = 1;
    }
    bool Send(int id) { return h.router().send(id); }
    // A registered subject, made current through the registry's own dialog.
    std::string MakeCurrent(const SubjectRecord& subject) {
        quorl.subjects.push_back(subject);
        EXPECT_TRUE(QuorlSubjectDialog());
        std::string folder;
        QuorlSubjectFolder(folder);
        journal.clear();
        return folder;
    }
    std::string Elsewhere(const std::string& name) {
        QDir().mkpath(QString::fromStdString(h.path("elsewhere")));
        return h.path("elsewhere/" + QString::fromStdString(name));
    }

    AppHarness h;
    Journal journal;
    JournalPrompts prompts{journal};
    JournalQuorlDialogs quorl{journal};
};

TEST_F(FileCommandsTest, SaveChoosesASubjectAndSavesIntoItsFolder) {
    TestHeader.Subject = Subject("Ann", 170);
    h.frame().RepaintAll(); // the bar shows the record, and Save reads the bar
    quorl.subjects.push_back(Subject("Ann", 171));
    prompts.saveAnswer = [](const FileDialogRequest& r) { return r.initialFolder + r.initialName; };
    ASSERT_TRUE(Send(cmd::Save));

    EXPECT_EQ(journal, (Journal{"subject dialog", "save dialog"}));
    const FileDialogRequest& r = prompts.saveRequests.at(0);
    EXPECT_EQ(r.filter, "Krovel Files (*.krvx)|*.krvx||");
    EXPECT_EQ(r.defaultExtension, ".krvx");
    EXPECT_EQ(r.initialName, "trial one");
    std::string annFolder;
    QuorlSubjectFolder(annFolder);
    EXPECT_EQ(r.initialFolder, annFolder);

    // ".krvx" appended; the file holds the table and the record as it was (the subject
    // chosen in the dialog is not copied into it).
    const std::string path = annFolder + "trial one.krvx";
    MeasurementScratch saved;
    ASSERT_EQ(LoadMeasurementFile(path, saved), FileLoadError::None);
    EXPECT_EQ(saved.Series.size(), 2u);
    EXPECT_EQ(saved.Series[1].RepCount, 2);
    EXPECT_EQ(saved.Header.Subject.Height, 170);
    EXPECT_EQ(TestHeader.Subject.Height, 170);

    EXPECT_EQ(DataSaved, 1);
    EXPECT_EQ(DataPresent, 1);
    EXPECT_EQ(FileName, "trial one");
    EXPECT_TRUE(std::regex_match(FileTimeText, std::regex(R"( \d\d\.\d\d\.\d{4} \d\d:\d\d )")))
        << FileTimeText;
    EXPECT_EQ(FileTimeText, FileTimeTextOf(path));
    EXPECT_EQ(CurrentSeries, 1); // the overview came at the end
    EXPECT_TRUE(h.frame().windowTitle().startsWith("Marvolen    File: trial one "));
}

TEST_F(FileCommandsTest, SaveCancelledAtEachStepChangesNothing) {
    // No subject chosen: the command ends before any file dialog.
    ASSERT_TRUE(Send(cmd::Save));
    EXPECT_EQ(journal, (Journal{"subject dialog"}));
    // The file dialog cancelled.
    MakeCurrent(Subject("Ann", 170));
    ASSERT_TRUE(Send(cmd::Save));
    EXPECT_EQ(journal, (Journal{"save dialog"}));

    EXPECT_EQ(DataSaved, 0);
    EXPECT_EQ(CurrentSeries, 0);
    EXPECT_EQ(FileName, "");
    EXPECT_EQ(FileTimeText, "");
}

TEST_F(FileCommandsTest, SaveOutsideTheSubjectFolderWarnsAndAsksBeforeOverwriting) {
    MakeCurrent(Subject("Ann", 170));
    const std::string path = Elsewhere("run.krvx");
    TempFolder::Write(path, "old contents");

    // Overwriting declined: the old file stays, nothing else changes.
    prompts.saves.push_back(Elsewhere("run"));
    ASSERT_TRUE(Send(cmd::Save));
    EXPECT_EQ(journal, (Journal{"save dialog",
                                "notice: You are about to store data outside of predefined "
                                "directory.",
                                "question: OverWrite file: " + path}));
    EXPECT_EQ(TempFolder::Read(path), "old contents");
    EXPECT_EQ(DataSaved, 0);
    EXPECT_EQ(FileName, "");
    EXPECT_EQ(CurrentSeries, 0);

    // Accepted: written, named after the chosen name.
    journal.clear();
    prompts.saves.push_back(Elsewhere("run"));
    prompts.answers.push_back(Answer::Yes);
    ASSERT_TRUE(Send(cmd::Save));
    EXPECT_EQ(journal.size(), 3u);
    EXPECT_EQ(TempFolder::Read(path).substr(1, 26), MeasurementMagicV12);
    EXPECT_EQ(FileName, "run");
    EXPECT_EQ(DataSaved, 1);
}

TEST_F(FileCommandsTest, ANameHoldingKrvxAnywhereIsKeptAsChosen) {
    const std::string folder = MakeCurrent(Subject("Ann", 170));
    prompts.saves.push_back(folder + "trial.krvx.old");
    ASSERT_TRUE(Send(cmd::Save));
    EXPECT_EQ(journal, (Journal{"save dialog"})); // inside the folder: no warning
    EXPECT_TRUE(QFile::exists(QString::fromStdString(folder + "trial.krvx.old")));
    EXPECT_FALSE(QFile::exists(QString::fromStdString(folder + "trial.krvx.old.krvx")));
    EXPECT_EQ(FileName, "trial.krvx");
}

TEST_F(FileCommandsTest, OpenFromTheSubjectFolderTakesTheRegistrysSubject) {
    const std::string annFolder = MakeCurrent(Subject("Ann", 170));
    MakeCurrent(Subject("Bob", 190));
    std::string bobFolder;
    QuorlSubjectFolder(bobFolder);
    MakeCurrent(Subject("Ann", 170));

    // A file of Bob's, labelled with another height, opened from Ann's folder's dialog.
    TestHeader.Subject = Subject("Bob", 150);
    const std::string file = bobFolder + "bob.krvx";
    TempFolder::Write(file, EncodeMeasurementFile());
    SeriesCount = 1;
    TestHeader.Subject = Subject("Ann", 170);

    quorl.loadAnswers.push_back(QuorlOpenFromSubjectFolder);
    prompts.opens.push_back(file);
    ASSERT_TRUE(Send(cmd::FileOpen));
    EXPECT_EQ(journal, (Journal{"question: Data not saved. Save?", "load dialog", "open dialog"}));
    EXPECT_EQ(prompts.openRequests.at(0).initialFolder, annFolder);
    EXPECT_EQ(prompts.openRequests.at(0).defaultExtension, "");
    EXPECT_EQ(prompts.openRequests.at(0).initialName, "");

    // The file lies outside Ann's folder: the registry selected Bob and filled in its record.
    EXPECT_EQ(TestHeader.Subject.SubjectName, "Bob");
    EXPECT_EQ(TestHeader.Subject.Height, 190);
    EXPECT_EQ(SeriesCount, 2);
    EXPECT_EQ(CurrentSeries, 1);
    EXPECT_EQ(DataSaved, 1);
    EXPECT_EQ(DataPresent, 1);
    EXPECT_EQ(FileName, "bob");
    EXPECT_EQ(FileTimeText, FileTimeTextOf(file));
}

TEST_F(FileCommandsTest, OpenWithoutARegisteredSubjectKeepsTheFilesAndSavesAsTheNewVersion) {
    // A version 1.1 file (height as text) of an unknown subject, outside the registry.
    ByteWriter w;
    w.u8(26);
    w.bytes(MeasurementMagicV11, 26);
    w.u8(3);
    w.bytes("Cyd", 3);
    w.i32(SexMale);
    w.u8(5);
    w.bytes("182cm", 5);
    w.i32(80);
    w.u8(0);
    w.u8(0);
    w.u8(0);
    w.i32(1);
    w.i32(1);     // RepCount
    w.i32(80);    // below
    w.i32(110);   // above
    w.f32(42.5f); // mass
    w.i32(1262304000);
    w.u8(50);
    w.u8(40);
    w.f32(600.0f);
    const std::string file = Elsewhere("old.krvx");
    TempFolder::Write(file, w.take());

    DataSaved = 1;
    quorl.loadAnswers.push_back(QuorlOpenFromDataFolder);
    prompts.opens.push_back(file);
    ASSERT_TRUE(Send(cmd::FileOpen));
    EXPECT_EQ(journal, (Journal{"load dialog", "open dialog"}));
    EXPECT_EQ(prompts.openRequests.at(0).initialFolder, AppPaths.DataFolder);
    EXPECT_FALSE(QuorlIsValid());
    EXPECT_EQ(TestHeader.Subject.SubjectName, "Cyd");
    EXPECT_EQ(TestHeader.Subject.Height, 182);
    EXPECT_EQ(SeriesCount, 1);
    EXPECT_FLOAT_EQ(TestHeader.BarbellWeight, 42.5f);
    EXPECT_EQ(TestHeader.SignalBelowPct, 80);

    // Saved again it becomes version 1.2 with the same contents.
    journal.clear();
    quorl.subjects.push_back(Subject("Ann", 170));
    const std::string again = Elsewhere("new.krvx");
    prompts.saves.push_back(again);
    ASSERT_TRUE(Send(cmd::Save));
    MeasurementScratch saved;
    ASSERT_EQ(LoadMeasurementFile(again, saved), FileLoadError::None);
    EXPECT_EQ(saved.Version, MeasurementFileVersion::V12);
    EXPECT_EQ(saved.Header.Subject.SubjectName, "Cyd");
    EXPECT_EQ(saved.Header.Subject.Height, 182);
    EXPECT_EQ(saved.Series.at(0).MaxPower[0], 600.0f);
}

TEST_F(FileCommandsTest, LongTextsComeBackWholeFromOpenAndSave) {
    // Longer than the 32767 characters a Qt line edit keeps by default.
    TestHeader.Subject = Subject(std::string(70000, 'n'), 170);
    TestHeader.Subject.Comment = std::string(40000, 'c');
    TestHeader.Exercise = std::string(33000, 'e');
    const std::string file = Elsewhere("long.krvx");
    TempFolder::Write(file, EncodeMeasurementFile());
    TestHeader.Subject = Subject("Ann", 170);

    DataSaved = 1;
    quorl.loadAnswers.push_back(QuorlOpenFromDataFolder);
    prompts.opens.push_back(file);
    ASSERT_TRUE(Send(cmd::FileOpen));
    h.frame().RepaintAll(); // every repaint copies the bar back into the header
    quorl.subjects.push_back(Subject("Ann", 170));
    prompts.saves.push_back(Elsewhere("again.krvx"));
    ASSERT_TRUE(Send(cmd::Save));

    MeasurementScratch saved;
    ASSERT_EQ(LoadMeasurementFile(Elsewhere("again.krvx"), saved), FileLoadError::None);
    EXPECT_EQ(saved.Header.Subject.SubjectName, std::string(70000, 'n'));
    EXPECT_EQ(saved.Header.Subject.Comment, std::string(40000, 'c'));
    EXPECT_EQ(saved.Header.Exercise, std::string(33000, 'e'));
}

TEST_F(FileCommandsTest, FoldersThatDifferOnlyInCaseAreTwoSubjects) {
    // "Smith" from the registry, "smith" made beside it by hand.
    const std::string smithFolder = MakeCurrent(Subject("Smith", 180));
    const std::string twinFolder = h.path("DATA/smith/");
    QDir().mkpath(QString::fromStdString(twinFolder));
    TempFolder::Write(twinFolder + "subject.quorl", "Name=smith\nHeight=150\n");
    QuorlSelectByData(twinFolder);
    ASSERT_TRUE(QuorlIsValid());

    // Smith's own file, opened while smith is current: it stays Smith's.
    TestHeader.Subject = Subject("Smith", 180);
    const std::string file = smithFolder + "own.krvx";
    TempFolder::Write(file, EncodeMeasurementFile());
    quorl.loadAnswers.push_back(QuorlOpenFromSubjectFolder);
    prompts.opens.push_back(file);
    DataSaved = 1;
    ASSERT_TRUE(Send(cmd::FileOpen));
    EXPECT_EQ(TestHeader.Subject.SubjectName, "Smith");
    EXPECT_EQ(TestHeader.Subject.Height, 180);

    // Saving into Smith's folder while smith is current is saving outside smith's.
    QuorlSelectByData(twinFolder);
    journal.clear();
    prompts.saves.push_back(smithFolder + "next.krvx");
    ASSERT_TRUE(Send(cmd::Save));
    EXPECT_EQ(journal,
              (Journal{"save dialog", "notice: You are about to store data outside of predefined "
                                      "directory."}));
}

TEST_F(FileCommandsTest, AFileThatCannotBeLoadedChangesNothing) {
    DataSaved = 1;
    FileName = "before";
    FileTimeText = " 01.01.2020 10:00 ";
    TestHeader.Subject = Subject("Ann", 170);
    const std::string junk = Elsewhere("junk.krvx");
    TempFolder::Write(junk, std::string("\x1aMarvolen_KrovelDevice_V9.9", 27) + "rest");
    for (const auto& [file, message] :
         {std::pair{junk, "notice: Incompatible data"},
          std::pair{Elsewhere("missing.krvx"), "notice: Error opening file"}}) {
        journal.clear();
        quorl.loadAnswers.push_back(QuorlOpenFromDataFolder);
        prompts.opens.push_back(file);
        ASSERT_TRUE(Send(cmd::FileOpen));
        EXPECT_EQ(journal, (Journal{"load dialog", "open dialog", message}));
        EXPECT_EQ(SeriesCount, 2);
        EXPECT_EQ(Series[1].RepCount, 2);
        EXPECT_FLOAT_EQ(Series[1].Mass, 70.0f);
        EXPECT_EQ(TestHeader.Subject.SubjectName, "Ann");
        EXPECT_EQ(FileName, "before");
        EXPECT_EQ(FileTimeText, " 01.01.2020 10:00 ");
        EXPECT_EQ(CurrentSeries, 0);
    }
    // Cancelled in the registry's dialog, then in the file dialog.
    journal.clear();
    ASSERT_TRUE(Send(cmd::FileOpen));
    quorl.loadAnswers.push_back(QuorlOpenFromDataFolder);
    ASSERT_TRUE(Send(cmd::FileOpen));
    EXPECT_EQ(journal, (Journal{"load dialog", "load dialog", "open dialog"}));
    EXPECT_EQ(SeriesCount, 2);
    EXPECT_EQ(FileName, "before");
}

} // namespace
} // namespace krovel
