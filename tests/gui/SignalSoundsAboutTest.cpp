// The signal sounds and the About box.
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include "app/gui/CAboutDlg.h"
#include "base/io/PluginLibrary.h"
#include "measure/gui/SignalSounds.h"
#include "support/LogCapture.h"

namespace krovel {
namespace {

TEST(SignalSoundsTest, KindsChooseTheClipsAndOthersPlayNothing) {
    SignalSounds sounds;
    EXPECT_FALSE(sounds.loaded(UpperSignalSound));
    sounds.Load();
    EXPECT_TRUE(sounds.loaded(UpperSignalSound));
    EXPECT_TRUE(sounds.loaded(LowerSignalSound));
    EXPECT_TRUE(sounds.loaded(StopSignalSound)); // made, not read
    EXPECT_FALSE(sounds.loaded(1));
    EXPECT_TRUE(sounds.Prepare()); // the sound plugin, from beside the program

    InstallSignalSounds(&sounds);
    EXPECT_FALSE(SignalSound(0));
    EXPECT_FALSE(SignalSound(1));
    EXPECT_FALSE(SignalSound(5));
    // Whether these start depends on an audio device; a new clip cuts the old one off
    // and neither call may fail loudly without a device.
    SignalSound(UpperSignalSound);
    SignalSound(LowerSignalSound);
    sounds.Stop();
    InstallSignalSounds(nullptr);
    EXPECT_FALSE(SignalSound(UpperSignalSound));
}

TEST(SignalSoundsTest, WithoutThePluginNothingPlaysAndTheReasonIsLoggedOnce) {
    testing::LogCapture log;
    SetPluginFolder(QStringLiteral("/nonexistent/krovel-plugins"));
    SignalSounds sounds;
    sounds.Load();
    InstallSignalSounds(&sounds);
    PrepareSignalSounds();
    const bool played[] = {SignalSound(UpperSignalSound), SignalSound(StopSignalSound)};
    InstallSignalSounds(nullptr);
    SetPluginFolder({});

    EXPECT_FALSE(played[0]);
    EXPECT_FALSE(played[1]);
    const auto messages = log.of("krovel.sound");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].type, QtWarningMsg);
    EXPECT_NE(messages[0].text.find("/nonexistent/krovel-plugins/krovel-sound.so"),
              std::string::npos)
        << messages[0].text;
}

TEST(AboutDialogTest, ShowsNameVersionPictureAndClosesWithOk) {
    CAboutDlg about;
    EXPECT_EQ(about.windowTitle(), "About");
    EXPECT_EQ(about.size(), about.form().toPixels(0, 0, 285, 98).size());
    QStringList texts;
    bool picture = false;
    for (QWidget* w : about.form().controls())
        if (auto* l = qobject_cast<QLabel*>(w)) {
            if (!l->pixmap().isNull())
                picture = true;
            else
                texts << l->text();
        }
    EXPECT_TRUE(picture);
    EXPECT_EQ(texts, (QStringList{"Kinetrak Krovel ver. 1.25", "Marvolen "}));
    auto* ok = qobject_cast<QPushButton*>(about.form().control(1));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), "OK");
    QTimer::singleShot(0, ok, &QPushButton::click);
    EXPECT_EQ(about.exec(), QDialog::Accepted);
}

} // namespace
} // namespace krovel
