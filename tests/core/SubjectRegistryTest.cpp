// The subject registry's storage: record files, folder names, case folding, and the
// registry that lists, adds and selects subjects.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "quorl/core/SubjectNames.h"
#include "quorl/core/SubjectRecordFile.h"
#include "quorl/core/SubjectRegistry.h"
#include "support/Athlete.h"
#include "support/TempFolder.h"

using namespace krovel;
using namespace krovel::quorl;
using krovel::testing::Athlete;
using krovel::testing::TempFolder;
namespace fs = std::filesystem;

namespace {

void WriteText(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

class SubjectRegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(temp.ok());
        root = fs::path(temp.path()) / "DATA";
        registry.init(root.string(), "KRVDEV");
    }
    std::string add(const SubjectRecord& r) { return registry.add(r).value_or(""); }
    std::string currentFolder() const {
        const Subject* current = registry.current();
        return current ? registry.folderText(current->folderName) : std::string();
    }
    // Whether a folder text of the registry ends in '/' and names the folder `name` of
    // the registry. The texts carry the platform's separators; on Windows a folder
    // named in another case is the same folder.
    bool IsFolder(const std::string& text, const std::string& name) const {
        const std::string found = fs::path(text).lexically_normal().generic_string();
        const std::string wanted = (root / name / "").lexically_normal().generic_string();
#ifdef _WIN32
        return text.ends_with('/') && FoldCase(found) == FoldCase(wanted);
#else
        return text.ends_with('/') && found == wanted;
#endif
    }

    TempFolder temp;
    fs::path root;
    SubjectRegistry registry;
};

} // namespace

TEST(SubjectRecordFileTest, RoundTripsAwkwardTextsAndRejectsDamage) {
    SubjectRecord r = Athlete("Žofie = Nováková");
    r.Sex = 0;
    r.Height = -1;
    r.Comment = "line 1\nline 2\\no escape\r";
    r.SubjectSpare = 7;
    r.SubjectSpareText2 = "x=y";
    auto back = ParseSubjectRecord(FormatSubjectRecord(r));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->SubjectName, r.SubjectName);
    EXPECT_EQ(back->Comment, r.Comment);
    EXPECT_EQ(back->Sex, 0);
    EXPECT_EQ(back->Height, -1);
    EXPECT_EQ(back->SubjectSpare, 7);
    EXPECT_EQ(back->SubjectSpareText2, "x=y");

    // Edited by hand on another system: BOM, CRLF, a field from a newer version.
    auto mended = ParseSubjectRecord("\xEF\xBB\xBFName=Ann\r\nSex=female\r\nColour=red\r\n");
    ASSERT_TRUE(mended);
    EXPECT_EQ(mended->SubjectName, "Ann");
    EXPECT_EQ(mended->Sex, SexFemale);

    for (const char* damaged :
         {"", "Sex=male\n", "Name=\n", "Name=Ann\nHeight=18x\n", "Name=Ann\nHeight=99999999999\n",
          "Name=Ann\nSex=1002\n", "Name=Ann\ngarbage\n", "Name=Ann\\q\n", "Name=Ann\\\n"})
        EXPECT_FALSE(ParseSubjectRecord(damaged)) << damaged;
}

TEST(SubjectNamesTest, FolderNamesNeverLeaveTheRegistryFolder) {
    EXPECT_EQ(SubjectFolderName("../../etc/passwd"), "_.._etc_passwd");
    EXPECT_EQ(SubjectFolderName(".."), "Subject");
    EXPECT_EQ(SubjectFolderName("  \t "), "_");
    EXPECT_EQ(SubjectFolderName("a\\b:c*?\"<>|d."), "a_b_c______d");
    std::string longName(63, 'a');
    longName += "é and more"; // the cut falls inside the two-byte é
    EXPECT_EQ(SubjectFolderName(longName), std::string(63, 'a'));
}

// The fold lowers the ASCII letters only: every one of them, and nothing else.
TEST(SubjectNamesTest, FoldCaseLowersEveryAsciiLetterAndNothingElse) {
    const std::pair<std::string, std::string> cases[] = {
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", "abcdefghijklmnopqrstuvwxyz"},
        {"abcdefghijklmnopqrstuvwxyz", "abcdefghijklmnopqrstuvwxyz"},
        {"@[`{ 0123456789_-.~", "@[`{ 0123456789_-.~"}, // the letters' neighbours
        {"ANNA BERG", "anna berg"},
        // Letters beyond ASCII (UTF-8 here, cp1252 in old files) stay as they are.
        {"ÉVA ÄSA ØYVIND ŠÁRKA", "Éva Äsa Øyvind ŠÁrka"},
        {"éva äsa øyvind šárka", "éva äsa øyvind šárka"},
        {"\xC9VA", "\xC9va"}, // cp1252 É
    };
    for (const auto& [text, folded] : cases) EXPECT_EQ(FoldCase(text), folded) << text;
}

TEST_F(SubjectRegistryTest, MissingRegistryFolderIsHarmless) {
    EXPECT_TRUE(registry.list().empty());
    EXPECT_FALSE(registry.selectByPath((root / "Nobody").string()));
    EXPECT_EQ(registry.current(), nullptr);
    EXPECT_EQ(currentFolder(), "");
    EXPECT_TRUE(IsFolder(registry.ensureCurrentFolder(), ""));
    EXPECT_TRUE(fs::is_directory(root)) << "the save dialog needs an existing folder";
}

TEST_F(SubjectRegistryTest, DamagedRecordsAreListedButNeverChosen) {
    add(Athlete("Bob"));
    add(Athlete("anna"));
    WriteText(root / "Broken" / SubjectRecordFileName, "Name=Broken\nHeight=tall\n");
    WriteText(root / "Blank" / SubjectRecordFileName, "");
    fs::create_directories(root / "Folded" / SubjectRecordFileName);
    fs::create_directories(root / "Empty"); // no record at all: not a subject
    WriteText(root / "notes.txt", "Name=Stray\n");
    std::vector<std::pair<std::string, bool>> listed;
    for (const Subject& subject : registry.list())
        listed.emplace_back(subject.record.SubjectName, subject.damaged);
    EXPECT_EQ(
        listed,
        (std::vector<std::pair<std::string, bool>>{
            {"anna", false}, {"Blank", true}, {"Bob", false}, {"Broken", true}, {"Folded", true}}));

    EXPECT_FALSE(registry.selectByPath((root / "Broken").string()));
    EXPECT_FALSE(registry.select("Broken"));
    EXPECT_FALSE(registry.selectByName("Broken"));
    EXPECT_EQ(registry.current(), nullptr);
}

TEST_F(SubjectRegistryTest, SameNameGetsItsOwnFolderButACaseTwinIsRefused) {
    EXPECT_EQ(add(Athlete("Anna")), "Anna");
    EXPECT_EQ(add(Athlete("Anna")), "Anna (2)");
    EXPECT_EQ(add(Athlete("   ")), "") << "a blank name is no subject";

    std::string twin;
    EXPECT_FALSE(registry.add(Athlete("ANNA"), &twin));
    EXPECT_EQ(twin, "Anna");
    EXPECT_EQ(std::distance(fs::directory_iterator(root), {}), 2) << "no folder ANNA";
}

TEST_F(SubjectRegistryTest, SelectsByFolderTokenOrFilePath) {
    add(Athlete("Anna"));
    add(Athlete("Anna", 170));

    EXPECT_TRUE(registry.selectByPath(root.string() + "/Anna"));
    EXPECT_TRUE(IsFolder(currentFolder(), "Anna"));

    registry.selectByPath(root.string() + "\\Anna (2)"); // token joined with a backslash
    EXPECT_TRUE(IsFolder(currentFolder(), "Anna (2)"));

    registry.selectByPath(root.string() + "/anna"); // typed in another case
    EXPECT_TRUE(IsFolder(currentFolder(), "Anna"));

    registry.selectByPath((root / "Anna (2)" / "2024" / "squat.krvx").string());
    EXPECT_TRUE(IsFolder(currentFolder(), "Anna (2)"));

    // A file from elsewhere must not keep the previous subject, or it would be relabelled.
    for (std::string outside : {(root.parent_path() / "x.krvx").string(),
                                root.string() + "/../Anna/x.krvx", root.string()}) {
        registry.selectByPath((root / "Anna").string());
        EXPECT_FALSE(registry.selectByPath(outside)) << outside;
        EXPECT_EQ(registry.current(), nullptr) << outside;
    }
}

TEST_F(SubjectRegistryTest, DataFolderIsCreatedAgainWithItsRecord) {
    add(Athlete("Anna"));
    registry.selectByPath((root / "Anna").string());
    fs::remove_all(root);
    EXPECT_TRUE(IsFolder(registry.ensureCurrentFolder(), "Anna"));
    auto record = ReadSubjectRecordFile(root / "Anna" / SubjectRecordFileName);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->Height, 180);
}

TEST_F(SubjectRegistryTest, ANameSelectsItsOneSubjectIgnoringAsciiCaseAndBlanks) {
    add(Athlete("Anna Berg", 172, 64));
    add(Athlete("Zed Quist"));
    const std::pair<std::string, std::string> cases[] = {
        {"  anna berg ", "Anna Berg"},
        {"ANNA BERG", "Anna Berg"},
        {"\taNNA bERG", "Anna Berg"},
        {"zED qUIST", "Zed Quist"},
        {"Carl", ""},
        {"", ""},
    };
    for (const auto& [name, chosen] : cases) {
        registry.clearCurrent();
        EXPECT_EQ(registry.selectByName(name), !chosen.empty()) << name;
        EXPECT_EQ(registry.current() ? registry.current()->record.SubjectName : "", chosen) << name;
    }
    registry.selectByName("anna berg");
    ASSERT_NE(registry.current(), nullptr);
    EXPECT_EQ(registry.current()->record.Height, 172);
    EXPECT_EQ(registry.current()->record.BodyWeight, 64);

    // Two subjects of one name: the name chooses neither.
    add(Athlete("Anna Berg"));
    registry.clearCurrent();
    EXPECT_FALSE(registry.selectByName("Anna Berg"));
    EXPECT_EQ(registry.current(), nullptr);
}
