// The message boxes and file dialogs the program shows on screen.
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "base/gui/QtPrompts.h"
#include "support/WhenShown.h"

namespace krovel {
namespace {

using krovel::testing::WhenShown;

TEST(QtPromptsTest, NoticeHasCaptionExclamationAndOk) {
    QtPrompts prompts;
    QString title, text;
    QMessageBox::Icon icon{};
    int buttons = 0;
    WhenShown<QMessageBox>([&](QMessageBox* box) {
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        buttons = box->buttons().size();
        box->button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(prompts.message("Error opening file", MessageKind::Notice), Answer::Ok);
    EXPECT_EQ(title, "Kelvane");
    EXPECT_EQ(text, "Error opening file");
    EXPECT_EQ(icon, QMessageBox::Warning);
    EXPECT_EQ(buttons, 1);
}

TEST(QtPromptsTest, QuestionHasYesAndNo) {
    QtPrompts prompts;
    for (auto [button, answer] :
         {std::pair{QMessageBox::Yes, Answer::Yes}, {QMessageBox::No, Answer::No}}) {
        QMessageBox::Icon icon{};
        WhenShown<QMessageBox>([&icon, button = button](QMessageBox* box) {
            icon = box->icon();
            EXPECT_EQ(box->buttons().size(), 2);
            box->button(button)->click();
        });
        EXPECT_EQ(prompts.message("Data not saved. Save?", MessageKind::Question), answer);
        EXPECT_EQ(icon, QMessageBox::Question);
    }
}

TEST(QtPromptsTest, ChoiceHasCaptionQuestionIconItsButtonsAndEscCancels) {
    QtPrompts prompts;
    const std::vector<std::string> buttons{"Save them for Ana", "Give them to Ben", "Cancel"};
    for (size_t pick = 0; pick <= buttons.size(); ++pick) { // the last round presses Esc
        QString title;
        QStringList texts;
        QMessageBox::Icon icon{};
        WhenShown<QMessageBox>([&](QMessageBox* box) {
            title = box->windowTitle();
            icon = box->icon();
            for (QAbstractButton* button : box->buttons()) texts << button->text();
            if (pick == buttons.size()) {
                QTest::keyClick(box, Qt::Key_Escape);
                return;
            }
            for (QAbstractButton* button : box->buttons())
                if (button->text() == QString::fromStdString(buttons[pick])) button->click();
        });
        EXPECT_EQ(prompts.choose("These sets belong to Ana.", buttons),
                  std::min(pick, buttons.size() - 1));
        EXPECT_EQ(title, "Kelvane");
        EXPECT_EQ(icon, QMessageBox::Question);
        texts.sort();
        EXPECT_EQ(texts, (QStringList{"Cancel", "Give them to Ben", "Save them for Ana"}));
    }
}

TEST(QtPromptsTest, SaveDialogShowsTheFilterFolderAndAddsTheExtension) {
    QTemporaryDir dir;
    QtPrompts prompts;
    QStringList filters;
    QString folder;
    bool confirms = true;
    WhenShown<QFileDialog>([&](QFileDialog* d) {
        filters = d->nameFilters();
        folder = d->directory().absolutePath();
        confirms = !d->testOption(QFileDialog::DontConfirmOverwrite);
        d->selectFile(dir.filePath("run"));
        static_cast<QDialog*>(d)->accept();
    });
    FileDialogRequest request;
    request.defaultExtension = ".krvx";
    request.initialFolder = dir.path().toStdString();
    auto chosen = prompts.saveFile(request);
    EXPECT_EQ(filters, QStringList{"Krovel Files (*.krvx)"});
    EXPECT_EQ(folder, QDir(dir.path()).absolutePath());
    EXPECT_FALSE(confirms);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, dir.filePath("run.krvx").toStdString());
}

TEST(QtPromptsTest, SaveDialogRefusesAFolderThatDoesNotExistAndCancelYieldsNothing) {
    QTemporaryDir dir;
    QtPrompts prompts;
    bool stillOpen = false;
    WhenShown<QFileDialog>([&](QFileDialog* d) {
        d->selectFile(dir.filePath("missing/run.krvx"));
        static_cast<QDialog*>(d)->accept();
        stillOpen = d->isVisible();
        d->reject();
    });
    FileDialogRequest request;
    request.initialFolder = dir.path().toStdString();
    EXPECT_FALSE(prompts.saveFile(request));
    EXPECT_TRUE(stillOpen);
}

} // namespace
} // namespace krovel
