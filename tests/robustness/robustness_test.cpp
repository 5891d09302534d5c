// Bad input across the windows: real song files, settings that do not convert, a song that
// vanishes between its selection and PLAY. Whatever comes in, the program tells the user at most
// once and goes on.

#include "browser/playerrequest.h"
#include "browser/ui/filelist.h"
#include "browser/ui/form1.h"
#include "options/optionsstore.h"
#include "options/ui/form2.h"
#include "platform/qt/qtpicture.h"
#include "player/ui/form3.h"
#include "support/fakeplayerservices.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using testsupport::ShownMessage;

namespace {

// Everything a window needs, faked except the pictures.
struct Services : testsupport::FakePlayerServices {
    std::unique_ptr<player::ui::Form3> player(const fs::path& song, const std::string& title = {}) {
        return std::make_unique<player::ui::Form3>(song.parent_path().string(),
                                                   song.filename().string(), title, services());
    }
    void set(const char* section, const char* key, const std::string& text) {
        store.values[{options::ApplicationName, section, key}] = text;
    }
};

std::vector<fs::path> songFiles() {
    std::vector<fs::path> files;
    for (const char* folder : {VT_TEST_DATA_DIR, VT_SONGS_DIR})
        for (const auto& entry : fs::directory_iterator(folder))
            if (entry.path().extension() != ".md")
                files.push_back(entry.path());
    return files;
}

// Settings that differ from every default, and the record they make.
struct Setting {
    const char* key;
    const char* text;
    std::function<void(options::Options&)> unread; // the field as it stays when the key fails
};

const std::vector<Setting>& displaySettings() {
    static const std::vector<Setting> settings{
        {"FontSize", "12", [](options::Options& o) { o.PlayFont.size = 8; }},
        {"FontBold", "True", [](options::Options& o) { o.PlayFont.bold = false; }},
        {"FontItalic", "True", [](options::Options& o) { o.PlayFont.italic = false; }},
        {"FontColor", "255", [](options::Options& o) { o.FontColor = 0; }},
        {"BackColor", "16777215", [](options::Options& o) { o.BackColor = 0; }},
        {"HighColor", "65280", [](options::Options& o) { o.HighColor = 0; }},
        {"BallColor", "16711680", [](options::Options& o) { o.BallColor = 0; }},
        {"Ball", "False", [](options::Options& o) { o.Ball = false; }},
        {"NumLines", "4", [](options::Options& o) { o.NumLines = 0; }},
        {"VertJust", "2", [](options::Options& o) { o.VertJust = 0; }},
    };
    return settings;
}

options::Options displayRecord() {
    options::Options record;
    record.PlayFont = {"DejaVu Sans", 12, true, true};
    record.FontColor = 255;
    record.BackColor = 16777215;
    record.HighColor = 65280;
    record.BallColor = 16711680;
    record.NumLines = 4;
    record.VertJust = 2;
    return record;
}

void storeDisplaySettings(Services& services) {
    services.set("Options", "FontName", "DejaVu Sans");
    services.set("Options", "Bitmap", "False");
    for (const Setting& setting : displaySettings())
        services.set("Options", setting.key, setting.text);
}

std::vector<std::string> texts(const testsupport::RecordingMessageSink& sink) {
    std::vector<std::string> shown;
    for (const ShownMessage& message : sink.messages)
        shown.push_back(message.text);
    return shown;
}

} // namespace

TEST(Robustness, EveryRealSongOpensInThePlayerOrIsRejectedWithOneMessage) {
    for (const fs::path& song : songFiles()) {
        Services services;
        const auto player = services.player(song);
        const auto shown = texts(services.messages);
        if (shown.empty()) {
            EXPECT_GE(player->rows().count(), 1) << song;
            EXPECT_GE(player->song().Lyrics.upper(), 2) << song;
        } else {
            ASSERT_EQ(shown.size(), 1u) << song;
            // The reader's own complaint, or the start-up's report of a run-time error.
            const bool readers =
                shown[0].find(".  It is not a valid KAR file.") != std::string::npos;
            const bool runtime = shown[0].rfind("Error ", 0) == 0 &&
                                 shown[0].find(" in Form3::Load.") != std::string::npos;
            EXPECT_TRUE(readers || runtime) << song << ": " << shown[0];
            EXPECT_EQ(player->rows().count(), 0) << song;
            EXPECT_EQ(player->windowTitle(), "Vocatune Player 1.5") << song;
        }
    }
}

TEST(Robustness, ADisplaySettingThatDoesNotConvertIsTheOnlyOneLost) {
    const fs::path song = fs::path(VT_SONGS_DIR) / "oh-susanna.kar";
    for (const Setting& broken : displaySettings()) {
        options::Options expected = displayRecord();
        broken.unread(expected);

        // The options dialog tells the user once and shows every other setting.
        Services dialogServices;
        storeDisplaySettings(dialogServices);
        dialogServices.set("Options", broken.key, "garbage");
        options::ui::Form2 dialog({dialogServices.store, dialogServices.messages,
                                   dialogServices.dialogs, dialogServices.pictures});
        EXPECT_EQ(texts(dialogServices.messages), std::vector<std::string>{"Error in Form2::Load."})
            << broken.key;
        options::Options shown = dialog.record();
        shown.Path.clear();
        EXPECT_EQ(shown, expected) << broken.key;

        // The player uses every other setting; its start-up lets the display settings' errors go
        // with the sequencer's time format, so it says nothing of them.
        Services playerServices;
        storeDisplaySettings(playerServices);
        playerServices.set("Options", broken.key, "garbage");
        const auto player = playerServices.player(song);
        EXPECT_TRUE(playerServices.messages.messages.empty()) << broken.key;
        EXPECT_EQ(player->options(), expected) << broken.key;
        EXPECT_GE(player->rows().count(), 1) << broken.key;
    }
}

TEST(Robustness, AWindowSettingThatDoesNotConvertIsReportedOnceAndTheWindowStillOpens) {
    const fs::path song = fs::path(VT_SONGS_DIR) / "oh-susanna.kar";
    for (const char* key : {"WindowState", "Height", "Width", "Top", "Left"}) {
        Services services;
        storeDisplaySettings(services);
        services.set("Window", key, "garbage");
        services.set("Options", "Offset", "also not a number");
        const auto player = services.player(song);
        EXPECT_EQ(texts(services.messages), std::vector<std::string>{"Error 13 in Form3::Load."})
            << key;
        EXPECT_EQ(player->options(), displayRecord()) << key;
        EXPECT_GE(player->rows().count(), 1) << key;
        EXPECT_GT(player->width(), 0) << key;
    }
}

TEST(Robustness, ASongDeletedBetweenSelectionAndPlayGivesTheReadersMessageAndTheBrowserGoesOn) {
    QTemporaryDir folder;
    for (const char* name : {"gone.kar", "stays.kar"})
        ASSERT_TRUE(QFile::copy(QStringLiteral(VT_SONGS_DIR "/oh-susanna.kar"),
                                QDir(folder.path()).filePath(QString::fromLatin1(name))));
    Services services;
    services.set("Options", "Path", folder.path().toStdString());
    int playersOpened = 0;
    browser::ui::Form1 browser({services.store, services.messages,
                                [&](const browser::PlayerRequest& request) {
                                    ++playersOpened;
                                    const auto player = std::make_unique<player::ui::Form3>(
                                        request.folderPath, request.fileName, request.titleText,
                                        services.services());
                                },
                                [] {}, [] {}},
                               std::string());
    browser.Form_Load();

    const auto select = [&](const char* name) {
        const auto found = browser.File1().findItems(QString::fromLatin1(name), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name;
        browser.File1().setCurrentItem(found.front());
    };
    select("gone.kar");
    ASSERT_TRUE(QFile::remove(QDir(folder.path()).filePath("gone.kar")));
    browser.Command1_Click(1); // PLAY
    const std::string gone = QDir(folder.path()).filePath("gone.kar").toUpper().toStdString();
    EXPECT_EQ(texts(services.messages),
              std::vector<std::string>{"Missing MIDI Header Track in " + gone +
                                       ".  It is not a valid KAR file."});
    EXPECT_EQ(playersOpened, 1);

    // The browser goes on with the next song.
    services.messages.messages.clear();
    select("stays.kar");
    browser.Command1_Click(1);
    EXPECT_TRUE(services.messages.messages.empty());
    EXPECT_EQ(playersOpened, 2);
    EXPECT_NE(browser.songTitle().find("Oh! Susanna"), std::string::npos);
}
