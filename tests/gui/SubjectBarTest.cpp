// The SubjectBar's controls and its copy to and from the TestHeader.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include "data/core/DataModel.h"
#include "support/LocaleGuard.h"
#include "ui/gui/SubjectBar.h"

namespace krovel {
namespace {

TEST(SubjectBarTest, ControlsHaveTheirKindsStatesAndPlaces) {
    SubjectBar bar;
    EXPECT_EQ(bar.templateId(), 130);
    EXPECT_EQ(bar.size(), bar.toPixels(0, 0, 479, 96).size());

    struct Edit {
        int id;
        bool readOnly, digits, hidden;
    };
    for (const Edit& e : {Edit{1000, true, false, false},
                          {1035, false, false, true},
                          {1036, true, false, false},
                          {1031, true, true, false},
                          {1006, true, false, false},
                          {1004, true, true, false},
                          {1007, true, true, false},
                          {1020, true, true, false},
                          {1032, true, false, false},
                          {1033, true, false, false},
                          {1034, true, false, false},
                          {1005, false, false, true}}) {
        SCOPED_TRACE(e.id);
        QLineEdit* edit = bar.edit(e.id);
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->isReadOnly(), e.readOnly);
        EXPECT_EQ(edit->validator() != nullptr, e.digits);
        EXPECT_EQ(edit->isHidden(), e.hidden);
    }
    struct Label {
        int id;
        const char* text;
    };
    for (const Label& l : {Label{1048, "Barbel weight:"},
                           {1037, "(kg)"},
                           {1050, "Set No:"},
                           {1049, "Signal below:"},
                           {1051, "%"},
                           {1052, "Signal above:"},
                           {1053, "%"},
                           {1055, "(kg)"}}) {
        ASSERT_NE(bar.label(l.id), nullptr) << l.id;
        EXPECT_EQ(bar.label(l.id)->text(), l.text);
        EXPECT_FALSE(bar.label(l.id)->isHidden());
    }
    auto* female = qobject_cast<QRadioButton*>(bar.control(1001));
    auto* male = qobject_cast<QRadioButton*>(bar.control(1002));
    ASSERT_TRUE(female && male);
    EXPECT_TRUE(female->isHidden() && male->isHidden());
    auto* stop = qobject_cast<QPushButton*>(bar.control(1057));
    ASSERT_NE(stop, nullptr);
    EXPECT_EQ(stop->text(), "STOP");
    EXPECT_TRUE(stop->isHidden());
    EXPECT_EQ(stop->geometry(), bar.toPixels(351, 70, 50, 14));
    EXPECT_EQ(bar.edit(1000)->geometry(), bar.toPixels(40, 12, 93, 14));

    // The labels without ids, and the hidden ones among them.
    QStringList hidden, shown;
    for (QWidget* w : bar.controls())
        if (auto* l = qobject_cast<QLabel*>(w)) (l->isHidden() ? hidden : shown) << l->text();
    EXPECT_EQ(hidden, (QStringList{"Exercise:", "Sex:", "Sport:"}));
    EXPECT_TRUE(shown.contains("Subject:") && shown.contains("Comment:") &&
                shown.contains("Body weight:") && shown.contains("Height:") &&
                shown.contains("(cm)") && shown.contains("Date:") && shown.contains("Time:"));
}

TEST(SubjectBarTest, DigitsOnlyEditsRefuseOtherTyping) {
    SubjectBar bar;
    QLineEdit* weight = bar.edit(1020);
    weight->setReadOnly(false); // typing is what the digits rule is about
    QTest::keyClicks(weight, "8a-5");
    EXPECT_EQ(weight->text(), "85");
    bar.setText(1020, "-3"); // the program may still put any text there
    EXPECT_EQ(bar.text(1020), "-3");
}

TEST(SubjectBarTest, RoundTripThroughTheTestHeader) {
    ResetDataModel();
    SubjectBar bar;
    TestHeader.Subject.SubjectName = "Ana Novak";
    TestHeader.Subject.Sex = SexFemale;
    TestHeader.Subject.Height = 172;
    TestHeader.Subject.BodyWeight = 64;
    TestHeader.Subject.Comment = "Pri\xC4\x8D"; // UTF-8 survives
    TestHeader.Exercise = "Squat";
    Series[1] = SeriesRecord{};
    Series[1].Mass = 62.504f;
    Series[1].SignalBelowPct = 80;
    Series[1].SignalAbovePct = 105;
    CurrentSeries = 1;
    WriteSubjectBar(bar);
    EXPECT_EQ(bar.edit(1000)->text(), "Ana Novak");
    EXPECT_EQ(bar.edit(1006)->text(), QString::fromUtf8("Pri\xC4\x8D"));
    EXPECT_EQ(bar.edit(1031)->text(), "2");
    EXPECT_EQ(bar.edit(1036)->text(), " 62.50");
    EXPECT_EQ(bar.checkedRadio(1001, 1002), 1001);

    TestHeader = TestHeaderRecord{};
    ReadSubjectBar(bar);
    EXPECT_EQ(TestHeader.Subject.SubjectName, "Ana Novak");
    EXPECT_EQ(TestHeader.Subject.Comment, "Pri\xC4\x8D");
    EXPECT_EQ(TestHeader.Subject.Sex, SexFemale);
    EXPECT_EQ(TestHeader.Subject.Height, 172);
    EXPECT_EQ(TestHeader.Subject.BodyWeight, 64);
    EXPECT_EQ(TestHeader.Exercise, "Squat");
    EXPECT_FLOAT_EQ(TestHeader.BarbellWeight, 62.5f);
    EXPECT_EQ(TestHeader.SignalBelowPct, 80);
    EXPECT_EQ(TestHeader.SignalAbovePct, 105);

    // Sex 0 unchecks both buttons, even though they form one exclusive group.
    TestHeader.Subject.Sex = 0;
    WriteSubjectBar(bar);
    EXPECT_EQ(bar.checkedRadio(1001, 1002), 0);
    ResetDataModel();
}

TEST(SubjectBarTest, BarbellWeightFollowsTheUsersDecimalSeparator) {
    testing::LocaleGuard comma("de_DE.UTF-8");
    if (!comma.ok()) GTEST_SKIP() << "no de_DE locale";
    ResetDataModel();
    SubjectBar bar;
    Series[0].Mass = 22.5f;
    WriteSubjectBar(bar);
    EXPECT_EQ(bar.text(1036), " 22,50");
    ReadSubjectBar(bar);
    EXPECT_FLOAT_EQ(TestHeader.BarbellWeight, 22.5f);
    ResetDataModel();
}

} // namespace
} // namespace krovel
