#include "browser/ui/form1.h"

#include "browser/ui/filelist.h"
#include "browser/ui/folderlist.h"
#include "options/optionsstore.h"
#include "options/ui/form2.h"
#include "platform/errors.h"
#include "platform/qt/qtpicture.h"
#include "support/karbuilder.h"
#include "support/memorysettingsstore.h"
#include "support/recordingmessagesink.h"
#include "support/scripteddialogs.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using browser::PlayerRequest;
using browser::ui::Form1;

namespace {

class Form1Test : public testing::Test {
protected:
    Form1Test() {
        using namespace testsupport;
        write("b-song.kar", karFile(96, TrackBuilder().endOfTrack(),
                                    TrackBuilder().text(0, "@IWords and music: anon").endOfTrack(),
                                    TrackBuilder()
                                        .text(0, "@TBe Song")
                                        .text(0, "@T\xE9t\xE9")
                                        .text(0, "/La")
                                        .endOfTrack()));
        write("SONG.KAR", "not a song at all");
        write("notes.txt", "");
        QDir(folder()).mkdir("sub");
        settings.values[{options::ApplicationName, "Options", "Path"}] = folder().toStdString();
    }

    QString folder() const { return scratch.path(); }
    std::string folderPath() const { return folder().toStdString(); }

    void write(const char* name, const std::string& bytes) {
        QFile file(QDir(folder()).filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }

    std::unique_ptr<Form1> open(const std::string& commandLine = {}) {
        auto browser = std::make_unique<Form1>(
            browser::ui::Form1Services{settings, messages,
                                       [this](const PlayerRequest& request) { play(request); },
                                       [this] { showOptions(); }, [this] { ++splashClosings; }},
            commandLine);
        window = browser.get();
        browser->Form_Load();
        return browser;
    }

    std::vector<std::string> shown() const {
        std::vector<std::string> texts;
        for (const auto& message : messages.messages)
            texts.push_back(message.text);
        return texts;
    }

    // Selects a file in the list as a user does, which runs its click handler.
    static void select(Form1& browser, const QString& name) {
        const auto found = browser.File1().findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        browser.File1().setCurrentItem(found.front());
    }

    QTemporaryDir scratch;
    testsupport::MemorySettingsStore settings;
    testsupport::RecordingMessageSink messages;
    std::vector<PlayerRequest> players;
    int optionsShown = 0;
    int splashClosings = 0;
    std::function<void()> whilePlaying = [] {};
    std::function<void()> showOptions = [this] { ++optionsShown; };
    Form1* window = nullptr;

private:
    void play(const PlayerRequest& request) {
        players.push_back(request);
        whilePlaying();
    }
};

QStringList listed(const Form1& browser) {
    QStringList names;
    for (int row = 0; row < browser.File1().count(); ++row)
        names << browser.File1().item(row)->text();
    return names;
}

} // namespace

TEST_F(Form1Test, OpensInTheStoredFolderListingItsSongsInEitherCase) {
    const auto browser = open();
    EXPECT_EQ(browser->Dir1().path(), folderPath());
    EXPECT_EQ(browser->File1().path(), folderPath());
    EXPECT_EQ(listed(*browser), (QStringList{"b-song.kar", "SONG.KAR"}));
    EXPECT_EQ(browser->windowTitle(), "Vocatune Player 1.5");
    EXPECT_EQ(splashClosings, 1);
    EXPECT_TRUE(players.empty());
    EXPECT_TRUE(shown().empty());
}

TEST_F(Form1Test, ASelectedSongShowsItsTitleAndInformation) {
    const auto browser = open();
    select(*browser, "b-song.kar");
    EXPECT_EQ(browser->songTitle(), "Be Song\r\n\xE9t\xE9\r\n");
    EXPECT_EQ(browser->songInfo(), "Words and music: anon\r\n");
    EXPECT_EQ(browser->findChild<QLabel*>("Label1")->text(),
              QString::fromUtf8("Be Song\n\u00E9t\u00E9\n"));
    EXPECT_EQ(browser->findChild<QLabel*>("Label2")->text(), "Words and music: anon\n");

    select(*browser, "SONG.KAR");
    EXPECT_EQ(browser->songTitle(), "") << "a file that is no song shows no texts";
    EXPECT_EQ(browser->songInfo(), "");
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].icon, platform::MessageIcon::Exclamation);
}

TEST_F(Form1Test, AQuotedSongOnTheCommandLineOpensThePlayerOnceWithItsTexts) {
    settings.values.clear(); // the song's folder is not the start directory
    bool visibleWhilePlaying = false;
    int splashClosedBefore = -1;
    whilePlaying = [&] {
        visibleWhilePlaying = window->isVisible();
        splashClosedBefore = splashClosings;
    };
    const auto browser = open("\"" + folderPath() + "/b-song.kar\"");

    ASSERT_EQ(players.size(), 1u);
    EXPECT_EQ(players[0], (PlayerRequest{folderPath(), "b-song.kar", "Be Song\r\n\xE9t\xE9\r\n"}));
    EXPECT_TRUE(visibleWhilePlaying);
    EXPECT_EQ(splashClosedBefore, 1);
    EXPECT_EQ(browser->songTitle(), "Be Song\r\n\xE9t\xE9\r\n");
    EXPECT_EQ(browser->Dir1().path(), folderPath()) << "the browser stays on the song's folder";
    EXPECT_EQ(browser->File1().fileName(), "b-song.kar");
    EXPECT_EQ(browser->File1().pattern(), "*.kar");
    EXPECT_TRUE(browser->OpenEnabled());
    EXPECT_TRUE(shown().empty());
}

TEST_F(Form1Test, ACommandLineNameWithoutAFolderIsTakenFromTheStartDirectory) {
    const auto browser = open("b-song.kar");
    ASSERT_EQ(players.size(), 1u);
    EXPECT_EQ(players[0].folderPath, folderPath());
    EXPECT_EQ(players[0].fileName, "b-song.kar");
    EXPECT_TRUE(browser->isVisible());
    EXPECT_TRUE(shown().empty());
}

TEST_F(Form1Test, PlayOpensThePlayerOnTheSelectedSongAndDoubleClickDoesTheSame) {
    const auto browser = open();
    browser->findChild<QPushButton*>("Command1_1")->click();
    EXPECT_TRUE(players.empty()) << "PLAY without a selected song does nothing";

    select(*browser, "b-song.kar");
    browser->findChild<QPushButton*>("Command1_1")->click();
    emit browser->File1().itemActivated(browser->File1().currentItem());
    const PlayerRequest expected{folderPath(), "b-song.kar", "Be Song\r\n\xE9t\xE9\r\n"};
    EXPECT_EQ(players, (std::vector<PlayerRequest>{expected, expected}));
    EXPECT_TRUE(shown().empty());
}

TEST_F(Form1Test, AnErrorTheModalWindowLeavesIsReportedOnce) {
    const auto browser = open();
    select(*browser, "b-song.kar");
    whilePlaying = [] { platform::raiseError(platform::err::InvalidCall); };
    browser->findChild<QPushButton*>("Command1_1")->click();
    EXPECT_EQ(shown(), std::vector<std::string>{"Error loading Form3 from Form1."});

    messages.messages.clear();
    showOptions = [] { platform::raiseError(platform::err::Overflow); };
    browser->findChild<QPushButton*>("Command1_0")->click();
    EXPECT_EQ(shown(), std::vector<std::string>{"Error loading Form2 from Form1."});
}

TEST_F(Form1Test, OptionsThenCancelWritesNothing) {
    testsupport::ScriptedDialogs dialogs;
    const platform::qt::QtPictureLoader pictures;
    showOptions = [&] {
        options::ui::Form2 dialog({settings, messages, dialogs, pictures}, window);
        QTimer::singleShot(0, &dialog, [&dialog] { dialog.Command1(0).click(); });
        dialog.exec();
    };
    const auto browser = open();
    browser->show();
    browser->findChild<QPushButton*>("Command1_0")->click();
    EXPECT_TRUE(settings.writes.empty());
    EXPECT_TRUE(shown().empty());
}

TEST_F(Form1Test, ChoosingAFolderListsItsSongs) {
    write("sub/deep.kar", testsupport::simpleKar({"/La"}));
    const auto browser = open();
    browser->Dir1().setPath(folderPath() + "/sub");
    EXPECT_EQ(browser->File1().path(), folderPath() + "/sub");
    EXPECT_EQ(listed(*browser), QStringList{"deep.kar"});
}

TEST_F(Form1Test, QuitClosesTheBrowser) {
    const auto browser = open();
    browser->show();
    browser->findChild<QPushButton*>("Command1_2")->click();
    EXPECT_FALSE(browser->isVisible());
}
