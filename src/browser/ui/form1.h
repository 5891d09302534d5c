#pragma once

#include "browser/playerrequest.h"
#include "platform/handlererrors.h"
#include "platform/messagesink.h"
#include "platform/settingsstore.h"

#include <QWidget>

#include <array>
#include <functional>
#include <string>

class QLabel;
class QPushButton;

namespace browser::ui {

class DriveList;
class FileList;
class FolderList;

struct Form1Services {
    platform::SettingsStore& settings;
    platform::MessageSink& messages;
    // Creates a player window on the request, shows it modally and unloads it once it has
    // closed. A RuntimeError it throws is an error the player left pending.
    std::function<void(const PlayerRequest&)> showPlayer;
    // The same for the options dialog.
    std::function<void()> showOptions;
    // Closes the splash window, if there is one.
    std::function<void()> closeSplash;
};

// The song browser, the program's main window: the songs of a folder with the selected song's
// title and information texts; from here the player and the options dialog open.
class Form1 : public QWidget {
    Q_OBJECT

public:
    // `commandLine` is the program's command line as one text: a song to play at once, or empty.
    Form1(Form1Services services, std::string commandLine, QWidget* parent = nullptr);

    // The browser's start; with a song on the command line it returns once the player opened on
    // it has closed again.
    void Form_Load();

    void Drive1_Change();
    void Dir1_Change();
    void File1_Click();
    void File1_DblClick();
    // 0 Options, 1 PLAY, 2 Quit.
    void Command1_Click(int index);

    bool OpenEnabled() const { return m_openEnabled; }
    // The texts under "Song Info" and "File Info" as the song file holds them.
    const std::string& songTitle() const { return m_title; }
    const std::string& songInfo() const { return m_info; }

    DriveList& Drive1() const { return *m_drive1; }
    FolderList& Dir1() const { return *m_dir1; }
    FileList& File1() const { return *m_file1; }

private:
    void buildControls();
    void showSongTexts(std::string title, std::string info);
    void openCommandLineSong(platform::ErrorTrap& trap);
    void pressPlay();
    void report(platform::ErrorTrap& trap, const char* message);

    Form1Services m_services;
    std::string m_commandLine;
    platform::HandlerErrors m_errors;
    bool m_openEnabled = true;
    std::string m_title;
    std::string m_info;

    DriveList* m_drive1 = nullptr;
    FolderList* m_dir1 = nullptr;
    FileList* m_file1 = nullptr;
    QLabel* m_label1 = nullptr;
    QLabel* m_label2 = nullptr;
    std::array<QLabel*, 4> m_label3{};
    std::array<QPushButton*, 3> m_command1{};
};

} // namespace browser::ui
