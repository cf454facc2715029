// Building widgets from dialog templates: units, kinds, ids and dialog buttons.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "base/gui/DialogTemplate.h"

namespace krovel {
namespace {

TEST(DialogTemplateTest, DialogUnitsScaleByTheFontsBaseUnits) {
    const DialogBaseUnits base{6, 13};
    EXPECT_EQ(DialogUnitsToPixels(QRect(40, 12, 93, 14), base), QRect(60, 20, 140, 23));
    EXPECT_EQ(DialogUnitsToPixels(QRect(1, 1, 3, 3), base), QRect(2, 2, 5, 5)); // rounded
    EXPECT_EQ(DialogUnitsToPixels(QRect(-2, 0, 0, 0), base), QRect(-3, 0, 0, 0));

    const DialogBaseUnits font = BaseUnitsOf(DialogFont("MS Sans Serif", 8));
    // An 8-point sans-serif dialog font gives units near the classic 6 x 13.
    EXPECT_GE(font.x, 5);
    EXPECT_LE(font.x, 8);
    EXPECT_GE(font.y, 11);
    EXPECT_LE(font.y, 16);
}

const DialogTemplate& Sample() {
    using K = ControlKind;
    static const DialogTemplate t{777,
                                  "Sample",
                                  200,
                                  120,
                                  {
                                      {K::Label, NoControlId, "Port:", 5, 5, 30, 8},
                                      {K::DropDownList, 1022, "", 40, 5, 60, 60, Sorted},
                                      {K::Edit, 1003, "42", 5, 20, 40, 12, DigitsOnly | CentreText},
                                      {K::GroupBox, NoControlId, "Mode", 5, 35, 90, 40},
                                      {K::Radio, 1000, "best", 10, 45, 60, 10, GroupStart},
                                      {K::Radio, 1054, "first", 10, 58, 60, 10},
                                      {K::Radio, 1060, "other group", 100, 45, 60, 10, GroupStart},
                                      {K::ProgressBar, 1013, "", 5, 80, 150, 10, Hidden},
                                      {K::Button, 1, "OK", 40, 100, 50, 14, DefaultButton},
                                      {K::Button, 2, "Cancel", 100, 100, 50, 14},
                                      {K::Button, 1017, "Export XML", 150, 5, 45, 14, Disabled},
                                  }};
    return t;
}

TEST(DialogTemplateTest, FormBuildsEveryKindAndFindsControlsById) {
    TemplateForm form(Sample());
    EXPECT_EQ(form.size(), form.toPixels(0, 0, 200, 120).size());
    EXPECT_EQ(form.controls().size(), Sample().controls.size());
    EXPECT_NE(form.combo(1022), nullptr);
    EXPECT_NE(form.progressBar(1013), nullptr);
    EXPECT_TRUE(form.progressBar(1013)->isHidden());
    EXPECT_FALSE(form.button(1017)->isEnabled());
    EXPECT_EQ(form.edit(1003)->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    EXPECT_EQ(form.control(9999), nullptr);
    EXPECT_EQ(form.edit(1022), nullptr); // 1022 is a combo here
    EXPECT_EQ(form.controlText(1017), "Export XML");
    EXPECT_EQ(qobject_cast<QGroupBox*>(form.controls()[3])->title(), "Mode");

    // Sorted combos keep their items in order as they are added.
    for (const char* port : {"COM3", "COM1", "COM4", "COM2"}) form.addComboString(1022, port);
    QStringList items;
    for (int i = 0; i < form.combo(1022)->count(); ++i) items << form.combo(1022)->itemText(i);
    EXPECT_EQ(items, (QStringList{"COM1", "COM2", "COM3", "COM4"}));
    EXPECT_EQ(form.addComboString(1003, "x"), -1);
}

// Clicks a radio button on its indicator, where it reacts.
void ClickRadio(QAbstractButton* b) {
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(5, b->height() / 2));
}

TEST(DialogTemplateTest, RadioGroupsAreExclusiveWithinTheirGroupOnly) {
    TemplateForm form(Sample());
    form.show();
    ClickRadio(form.button(1000));
    ClickRadio(form.button(1060));
    ClickRadio(form.button(1054));
    EXPECT_EQ(form.checkedRadio(1000, 1054), 1054);
    EXPECT_TRUE(form.button(1060)->isChecked());
    form.checkRadio(1000, 1054, 0);
    EXPECT_EQ(form.checkedRadio(1000, 1054), 0);
    EXPECT_TRUE(form.button(1060)->isChecked());
}

TEST(DialogTemplateTest, ClicksAndChoicesReportTheirIds) {
    TemplateForm form(Sample());
    form.show();
    std::vector<int> commands;
    std::vector<std::pair<int, int>> choices;
    QObject::connect(&form, &TemplateForm::controlCommand, [&](int id) { commands.push_back(id); });
    QObject::connect(&form, &TemplateForm::selectionChanged,
                     [&](int id, int index) { choices.emplace_back(id, index); });
    form.addComboString(1022, "COM1");
    form.addComboString(1022, "COM2");
    form.combo(1022)->setCurrentIndex(1); // set by the program: no notification
    EXPECT_TRUE(choices.empty());
    form.combo(1022)->setFocus();
    QTest::keyClick(form.combo(1022), Qt::Key_Up); // chosen by the user
    ClickRadio(form.button(1000));
    EXPECT_EQ(choices, (std::vector<std::pair<int, int>>{{1022, 0}}));
    EXPECT_EQ(commands, std::vector<int>{1000});
}

class CountingDialog : public TemplateDialog {
public:
    CountingDialog() : TemplateDialog(Sample()) {}
    int others = 0;

protected:
    void OnControlCommand(int) override { ++others; }
};

TEST(DialogTemplateTest, DialogClosesOnOkAndCancelAndPassesOtherButtons) {
    CountingDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "Sample");
    EXPECT_EQ(dialog.size(), dialog.form().size());
    QTimer::singleShot(0, [&] {
        dialog.form().button(1017)->setEnabled(true);
        dialog.form().button(1017)->click();
        dialog.form().button(1)->click();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(dialog.others, 1);
    QTimer::singleShot(0, [&] { QTest::keyClick(&dialog, Qt::Key_Escape); });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
}

} // namespace
} // namespace krovel
