#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>

#include "quorl/core/SubjectNames.h"
#include "quorl/core/SubjectRecordFile.h"
#include "quorl/gui/LoadDialog.h"
#include "quorl/gui/Quorl.h"
#include "quorl/gui/QuorlDialogs.h"
#include "quorl/gui/SubjectDialog.h"
#include "quorl/gui/SubjectEditDialog.h"
#include "support/ScriptedQuorlDialogs.h"
#include "support/WhenShown.h"

using namespace krovel;
using namespace krovel::quorl;
namespace fs = std::filesystem;

namespace {

SubjectRecord Athlete(const std::string& name, int32_t height = 180, int32_t weight = 80) {
    SubjectRecord r;
    r.SubjectName = name;
    r.Sex = SexMale;
    r.Height = height;
    r.BodyWeight = weight;
    r.Comment = "squat";
    return r;
}

void WriteText(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

using krovel::testing::WhenShown;

QPushButton* Button(QWidget* dialog, QDialogButtonBox::StandardButton which) {
    return dialog->findChild<QDialogButtonBox*>()->button(which);
}

class QuorlTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(temp.isValid());
        root = fs::path(temp.path().toStdString()) / "DATA";
        QuorlInit(root.string(), "KRVDEV");
    }
    std::string add(const SubjectRecord& r) { return TheSubjectRegistry().add(r).value_or(""); }
    std::string subjectFolder() {
        std::string folder;
        QuorlSubjectFolder(folder);
        return folder;
    }

    QTemporaryDir temp;
    fs::path root;
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

TEST_F(QuorlTest, MissingRegistryFolderIsHarmless) {
    EXPECT_TRUE(TheSubjectRegistry().list().empty());
    QuorlSelectByData((root / "Nobody").string());
    EXPECT_FALSE(QuorlIsValid());
    EXPECT_EQ(subjectFolder(), "");
    std::string folder;
    QuorlDataFolder(0, folder);
    EXPECT_EQ(folder, root.string() + "/");
    EXPECT_TRUE(fs::is_directory(root)) << "the save dialog needs an existing folder";
}

TEST_F(QuorlTest, DamagedRecordsAreListedButNeverChosen) {
    add(Athlete("Bob"));
    add(Athlete("anna"));
    WriteText(root / "Broken" / SubjectRecordFileName, "Name=Broken\nHeight=tall\n");
    WriteText(root / "Blank" / SubjectRecordFileName, "");
    fs::create_directories(root / "Folded" / SubjectRecordFileName);
    fs::create_directories(root / "Empty"); // no record at all: not a subject
    WriteText(root / "notes.txt", "Name=Stray\n");
    std::vector<std::pair<std::string, bool>> listed;
    for (const Subject& subject : TheSubjectRegistry().list())
        listed.emplace_back(subject.record.SubjectName, subject.damaged);
    EXPECT_EQ(
        listed,
        (std::vector<std::pair<std::string, bool>>{
            {"anna", false}, {"Blank", true}, {"Bob", false}, {"Broken", true}, {"Folded", true}}));

    QuorlSelectByData((root / "Broken").string());
    EXPECT_FALSE(QuorlIsValid());
    EXPECT_FALSE(TheSubjectRegistry().select("Broken"));
    QuorlTakeSubject(Athlete("Broken"));
    EXPECT_FALSE(QuorlIsValid());
}

TEST_F(QuorlTest, SameNameGetsItsOwnFolderButACaseTwinIsRefused) {
    EXPECT_EQ(add(Athlete("Anna")), "Anna");
    EXPECT_EQ(add(Athlete("Anna")), "Anna (2)");
    EXPECT_EQ(add(Athlete("   ")), "") << "a blank name is no subject";

    std::string twin;
    EXPECT_FALSE(TheSubjectRegistry().add(Athlete("ANNA"), &twin));
    EXPECT_EQ(twin, "Anna");
    EXPECT_FALSE(fs::exists(root / "ANNA"));
}

TEST_F(QuorlTest, SelectsByFolderTokenOrFilePath) {
    add(Athlete("Anna"));
    add(Athlete("Anna", 170));

    QuorlSelectByData(root.string() + "/Anna");
    ASSERT_TRUE(QuorlIsValid());
    EXPECT_EQ(subjectFolder(), root.string() + "/Anna/");

    QuorlSelectByData(root.string() + "\\Anna (2)"); // token joined with a backslash
    EXPECT_EQ(subjectFolder(), root.string() + "/Anna (2)/");

    QuorlSelectByData(root.string() + "/anna"); // typed in another case
    EXPECT_EQ(subjectFolder(), root.string() + "/Anna/");

    QuorlSelectByData((root / "Anna (2)" / "2024" / "squat.krvx").string());
    EXPECT_EQ(subjectFolder(), root.string() + "/Anna (2)/");

    // A file from elsewhere must not keep the previous subject, or it would be relabelled.
    for (std::string outside : {(root.parent_path() / "x.krvx").string(),
                                root.string() + "/../Anna/x.krvx", root.string()}) {
        QuorlSelectByData((root / "Anna").string());
        QuorlSelectByData(outside);
        EXPECT_FALSE(QuorlIsValid()) << outside;
    }
}

TEST_F(QuorlTest, DataFolderIsCreatedAgainWithItsRecord) {
    add(Athlete("Anna"));
    QuorlSelectByData((root / "Anna").string());
    fs::remove_all(root);
    std::string folder;
    QuorlDataFolder(1700000000, folder);
    EXPECT_EQ(folder, root.string() + "/Anna/");
    auto record = ReadSubjectRecordFile(root / "Anna" / SubjectRecordFileName);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->Height, 180);
}

TEST_F(QuorlTest, TakeAndFillSubject) {
    add(Athlete("Anna Berg", 172, 64));
    SubjectRecord fromFile = Athlete("  anna berg ", 1, 2);
    QuorlTakeSubject(fromFile);
    ASSERT_TRUE(QuorlIsValid());
    SubjectRecord header = fromFile;
    QuorlFillSubject(header);
    EXPECT_EQ(header.SubjectName, "Anna Berg");
    EXPECT_EQ(header.Height, 172);
    EXPECT_EQ(header.BodyWeight, 64);

    // Unknown or ambiguous names select nothing and leave the file's subject alone.
    QuorlInit(root.string(), "KRVDEV");
    add(Athlete("Anna Berg"));
    for (const char* name : {"Carl", "Anna Berg", ""}) {
        SubjectRecord record = Athlete(name, 5, 6);
        QuorlTakeSubject(record);
        EXPECT_FALSE(QuorlIsValid()) << name;
        QuorlFillSubject(record);
        EXPECT_EQ(record.Height, 5);
    }
}

TEST_F(QuorlTest, ScriptedDialogsAnswerForTheProgram) {
    krovel::testing::ScriptedQuorlDialogs dialogs;
    dialogs.subjects = {std::nullopt, Athlete("Dana")};
    EXPECT_FALSE(QuorlSubjectDialog());
    EXPECT_TRUE(QuorlSubjectDialog());
    SubjectRecord header;
    QuorlFillSubject(header);
    EXPECT_EQ(header.SubjectName, "Dana");

    dialogs.loadAnswers = {QuorlOpenFromSubjectFolder, QuorlOpenCancelled};
    EXPECT_EQ(QuorlLoadDialog(), QuorlOpenFromSubjectFolder);
    EXPECT_EQ(QuorlLoadDialog(), QuorlOpenCancelled);
    QuorlInit(root.string(), "KRVDEV");
    dialogs.loadAnswers = {QuorlOpenFromSubjectFolder};
    EXPECT_EQ(QuorlLoadDialog(), QuorlOpenFromDataFolder) << "no subject folder to open from";
}

TEST_F(QuorlTest, SubjectDialogAddsAndChoosesASubject) {
    add(Athlete("Bob"));
    WhenShown<SubjectDialog>([](SubjectDialog* dialog) {
        WhenShown<SubjectEditDialog>([](SubjectEditDialog* form) {
            auto* ok = Button(form, QDialogButtonBox::Ok);
            EXPECT_FALSE(ok->isEnabled()) << "no subject without a name";
            form->findChild<QLineEdit*>("name")->setText("  Cleo Marsh ");
            form->findChild<QRadioButton*>("female")->setChecked(true);
            form->findChild<QSpinBox*>("height")->setValue(168);
            form->findChild<QSpinBox*>("bodyWeight")->setValue(59);
            form->findChild<QLineEdit*>("comment")->setText("sprinter");
            ok->click();
        });
        dialog->findChild<QPushButton*>("add")->click();
        auto* list = dialog->findChild<QTreeWidget*>("subjects");
        EXPECT_EQ(list->topLevelItemCount(), 2);
        EXPECT_EQ(list->currentItem()->text(0), "Cleo Marsh") << "the new subject is selected";
        dialog->findChild<QPushButton*>("choose")->click();
    });
    ASSERT_TRUE(QuorlSubjectDialog());
    SubjectRecord header;
    QuorlFillSubject(header);
    EXPECT_EQ(header.SubjectName, "Cleo Marsh");
    EXPECT_EQ(header.Sex, SexFemale);
    EXPECT_EQ(header.Height, 168);
    EXPECT_EQ(header.BodyWeight, 59);
    EXPECT_EQ(header.Comment, "sprinter");
    EXPECT_EQ(subjectFolder(), root.string() + "/Cleo Marsh/");
}

TEST_F(QuorlTest, SubjectDialogEditsAndCancelKeepsTheCurrentSubject) {
    add(Athlete("Anna"));
    add(Athlete("Bob"));
    QuorlSelectByData((root / "Bob").string());
    WhenShown<SubjectDialog>([](SubjectDialog* dialog) {
        auto* list = dialog->findChild<QTreeWidget*>("subjects");
        EXPECT_EQ(list->currentItem()->text(0), "Bob") << "opens on the current subject";
        list->setCurrentItem(list->topLevelItem(0));
        WhenShown<SubjectEditDialog>([](SubjectEditDialog* form) {
            EXPECT_EQ(form->findChild<QLineEdit*>("name")->text(), "Anna");
            form->findChild<QSpinBox*>("height")->setValue(175);
            Button(form, QDialogButtonBox::Ok)->click();
        });
        dialog->findChild<QPushButton*>("edit")->click();
        EXPECT_EQ(list->currentItem()->text(2), "175");
        Button(dialog, QDialogButtonBox::Cancel)->click();
    });
    EXPECT_FALSE(QuorlSubjectDialog());
    EXPECT_EQ(subjectFolder(), root.string() + "/Bob/");
    EXPECT_EQ(TheSubjectRegistry().find("Anna")->record.Height, 175);
}

TEST_F(QuorlTest, LoadDialogOffersTheSubjectFolderOnlyWithASubject) {
    auto answer = [](bool subjectFolderEnabled, QDialogButtonBox::StandardButton button) {
        WhenShown<LoadDialog>([=](LoadDialog* dialog) {
            EXPECT_EQ(dialog->findChild<QRadioButton*>("subjectFolder")->isEnabled(),
                      subjectFolderEnabled);
            Button(dialog, button)->click();
        });
        return QuorlLoadDialog();
    };
    EXPECT_EQ(answer(false, QDialogButtonBox::Ok), QuorlOpenFromDataFolder);
    add(Athlete("Anna"));
    QuorlSelectByData((root / "Anna").string());
    EXPECT_EQ(answer(true, QDialogButtonBox::Ok), QuorlOpenFromSubjectFolder);
    EXPECT_EQ(answer(true, QDialogButtonBox::Cancel), QuorlOpenCancelled);
}
