#pragma once

#include "options/options.h"
#include "platform/dialogs.h"
#include "platform/errortrap.h"
#include "platform/handlererrors.h"
#include "platform/messagesink.h"
#include "platform/pictureloader.h"
#include "platform/settingsstore.h"

#include <QDialog>

#include <array>
#include <functional>
#include <string_view>
#include <vector>

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace browser::ui {
class DriveList;
class FolderList;
} // namespace browser::ui
namespace platform {
class Canvas;
}
namespace platform::qt {
class UpDown;
}
namespace player::ui {
class LyricPane;
}

namespace options::ui {

struct Form2Services {
    platform::SettingsStore& settings;
    platform::MessageSink& messages;
    platform::Dialogs& dialogs;
    const platform::PictureLoader& pictures;
};

// The options dialog: the lyric font, the four colours, the background bitmap, the ball, the
// lines per page, the placement of the text and the browser's start directory, with a sample of
// the look. It reads the store when it is made and writes it only on OK.
class Form2 : public QDialog {
    Q_OBJECT

public:
    // Makes the dialog and runs its load.
    explicit Form2(const Form2Services& services, QWidget* parent = nullptr);

    void Form_Activate();
    // 0 Cancel, 1 OK, 2 Reset.
    void Command1_Click(int index);
    // The colour of 0 the ball, 1 the highlight, 2 the background, 3 the text.
    void Command2_Click(int index);
    void Command3_Click();
    void Command4_Click();
    // 0 the ball, 1 the bitmap.
    void Check1_Click(int index);
    // 0 automatic, 1 custom line count.
    void Option1_Click(int index);
    // 0 top, 1 centre, 2 bottom.
    void Option2_Click(int index);
    void spnLines_UpClick();
    void spnLines_DownClick();
    void Drive1_Change();
    void Dir1_Change();

    const Options& record() const { return m_options; }

    QCheckBox& Check1(int index) const;
    QRadioButton& Option1(int index) const;
    QRadioButton& Option2(int index) const;
    QPushButton& Command1(int index) const;
    QPushButton& Command2(int index) const;
    QLabel& Label2() const { return *m_label2; }
    platform::qt::UpDown& spnLines() const { return *m_spnLines; }
    player::ui::LyricPane& Picture1() const { return *m_picture1; }
    browser::ui::DriveList& Drive1() const { return *m_drive1; }
    browser::ui::FolderList& Dir1() const { return *m_dir1; }

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    struct GuardedStep {
        const char* failure; // the message when the step fails
        std::function<void()> action;
    };

    void buildControls();
    void buildTextFrame();
    void buildColorsFrame();
    void buildOtherFrame();
    void connectHandlers();

    void Form_Load();
    void afterKeyRead(std::string_view key, platform::ErrorTrap& trap);
    void showStartDirectory();
    void showLineCount();
    void reset();
    void runGuarded(const std::vector<GuardedStep>& steps);
    void drawSample();
    platform::Canvas& canvas() const;
    platform::Color& colorField(int index);

    Form2Services m_services;
    platform::HandlerErrors m_errors;
    Options m_options;

    browser::ui::FolderList* m_dir1 = nullptr;
    browser::ui::DriveList* m_drive1 = nullptr;
    player::ui::LyricPane* m_picture1 = nullptr;
    QLabel* m_label2 = nullptr;
    platform::qt::UpDown* m_spnLines = nullptr;
    QPushButton* m_command3 = nullptr;
    QPushButton* m_command4 = nullptr;
    std::array<QRadioButton*, 2> m_option1{};
    std::array<QRadioButton*, 3> m_option2{};
    std::array<QPushButton*, 4> m_command2{};
    std::array<QCheckBox*, 2> m_check1{};
    std::array<QPushButton*, 3> m_command1{};
};

} // namespace options::ui
