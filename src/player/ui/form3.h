#pragma once

#include "display/ballstate.h"
#include "display/rows.h"
#include "options/options.h"
#include "platform/canvas.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/messagesink.h"
#include "platform/picture.h"
#include "platform/pictureloader.h"
#include "platform/sequencerdevice.h"
#include "platform/settingsstore.h"
#include "player/lyricpage.h"
#include "player/playbackrules.h"
#include "song/songmodel.h"

#include <QDialog>
#include <QSize>
#include <QSizeF>

#include <cstdint>
#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QStatusBar;

namespace platform {
class ErrorTrap;
}

namespace platform::qt {
class UpDown;
}

namespace player::ui {

class LyricPane;
class MMControl;

// What the player window works with; each service must outlive the window. The sequencer
// device serves this window alone: the window closes it when it goes.
struct Form3Services {
    platform::SettingsStore& settings;
    platform::MessageSink& messages;
    platform::Dialogs& dialogs;
    platform::Clock& clock;
    platform::SequencerDevice& sequencer;
    platform::PictureLoader& pictures;
};

// The player window: plays one song through the sequencer control and shows its lyrics page by
// page in the lyric pane, with the offset, the scroll bar through the syllables and the export.
// The constructor loads the settings and the song and opens the sequencer (a song that cannot
// be read leaves an empty window); exec() shows it modally. Closing it writes its placement and
// the offset to the settings store.
class Form3 : public QDialog {
    Q_OBJECT

public:
    // The song browser's folder, its selected file name (both UTF-8 paths) and its title text
    // (the song's title lines as the song info probe gives them, in the song's own bytes).
    Form3(const std::string& folderPath, const std::string& fileName, const std::string& titleText,
          const Form3Services& services, QWidget* parent = nullptr);
    ~Form3() override;

    // What the window holds, read only.
    const std::string& songPath() const { return m_songPath; }
    const song::SongModel& song() const { return m_song; }
    const display::RowArray& rows() const { return m_rows; }
    const std::string& pageText() const { return m_pageText; }
    const Playback& playback() const { return m_playback; }
    const display::BallState& ball() const { return m_ball; }
    const options::Options& options() const { return m_options; }
    const platform::Canvas& pane() const;

    void done(int result) override;

signals:
    // A syllable that fell due has been drawn: its highlight is on the pane (for the trailing
    // sentinel: the last highlight is gone). Measurements time the drawing by it.
    void syllableShown(int index);

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void createControls();
    void connectHandlers();

    // The handlers, named after their control and event.
    void Form_Load(const std::string& folderPath, const std::string& fileName,
                   const std::string& titleText);
    void Form_Resize();
    void Form_Unload();
    void MMControl1_StatusUpdate();
    void MMControl1_PlayClick(bool& cancel);
    void MMControl1_PrevCompleted(std::int32_t errorCode);
    void MMControl1_StopCompleted(std::int32_t errorCode);
    void spnOffset_UpClick();
    void spnOffset_DownClick();
    void VScroll1_Change();
    void VScroll1_Scroll();
    void cmdExport_Click();

    // The steps of the start-up.
    void loadDisplayOptions(platform::ErrorTrap& trap);
    bool loadSong(const std::string& fileName, const std::string& titleText,
                  platform::ErrorTrap& trap);
    void placeWindow(platform::ErrorTrap& trap);
    void loadBackdrop(platform::ErrorTrap& trap);

    // Runs a handler; a run-time error abandons it and is told once.
    template <typename Handler> void guarded(const char* name, Handler&& handler) noexcept;
    void tellError(const char* where, int number) noexcept;

    platform::Canvas& canvas();
    PageScene pageScene();
    void takeDueSyllable();
    void showStoppedView();
    void layOutLabel(int width, int paneHeight);
    // Moves the scroll bar within its range; the change handler runs at once when it moves.
    void setScrollValue(int value);
    void fitCanvasToPane();

    // Window measures: twips (1440 to the inch) and the window's outer edges.
    int pixelsX(double twips) const;
    int pixelsY(double twips) const;
    double twipsX(int pixels) const;
    double twipsY(int pixels) const;
    QSizeF outerSizeTwips() const;
    QSizeF screenSizeTwips() const;
    void setOuterSize(QSize pixels);
    void moveOuterTo(std::optional<int> left, std::optional<int> top);
    void applyWindowState(std::int16_t state);
    void fitFrame();

    Form3Services m_services;
    QSizeF m_dpi;

    QPushButton* cmdExport = nullptr;
    QLabel* lblOffset = nullptr;
    platform::qt::UpDown* spnOffset = nullptr;
    QLineEdit* txtOffset = nullptr;
    QLabel* Image1 = nullptr;
    MMControl* MMControl1 = nullptr;
    LyricPane* Picture1 = nullptr;
    QLabel* Label1 = nullptr;
    QScrollBar* VScroll1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;

    options::Options m_options;
    std::string m_songPath;
    song::SongModel m_song;
    bool m_songLoaded = false;
    display::RowArray m_rows = display::makeRowArray();
    std::string m_pageText;
    Playback m_playback;
    display::BallState m_ball;
    platform::PictureArray m_backdrops = platform::makePictureArray();
    std::int16_t m_backdropIndex = 0;
    std::string m_exportFileName;
    // The outer size asked for before the window's frame may have been known, and the inner
    // size that was set for it.
    struct WantedSize {
        QSize outer;
        QSize inner;
    };
    std::optional<WantedSize> m_wantedSize;
    bool m_unloaded = false;
};

} // namespace player::ui
