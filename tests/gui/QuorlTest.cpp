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
#include <functional>
#include <gtest/gtest.h>

#include "quorl/gui/LoadDialog.h"
#include "quorl/gui/Quorl.h"
#include "quorl/gui/QuorlDialogs.h"
#include "quorl/gui/SubjectDialog.h"
#include "quorl/gui/SubjectEditDialog.h"
#include "support/Athlete.h"
#include "support/ScriptedQuorlDialogs.h"
#include "support/WhenShown.h"

using namespace krovel;
using namespace krovel::quorl;
using krovel::testing::Athlete;
namespace fs = std::filesystem;

namespace {

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
