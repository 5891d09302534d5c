#include "player/ui/form3.h"

#include "display/pagerules.h"
#include "display/rowwrapper.h"
#include "display/stilltext.h"
#include "platform/conversions.h"
#include "platform/numeric.h"
#include "platform/qt/qtpicture.h"
#include "platform/qt/screenmetrics.h"
#include "platform/qt/windows1252.h"
#include "player/ui/lyricpane.h"
#include "player/ui/mmcontrol.h"
#include "song/duepos.h"
#include "support/fakeplayerservices.h"
#include "support/karbuilder.h"
#include "support/recordingmessagesink.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using player::ui::Form3;
using player::ui::Form3Services;
using player::ui::LyricPane;
using player::ui::MMControl;
using testsupport::ShownMessage;
namespace mode = platform::sequencer;

namespace {

struct Syllable {
    std::uint32_t tick;
    std::string text;
};

std::string songBytes(std::initializer_list<Syllable> syllables, std::uint16_t division = 480) {
    testsupport::TrackBuilder words;
    std::uint32_t last = 0;
    for (const Syllable& syllable : syllables) {
        words.text(syllable.tick - last, syllable.text);
        last = syllable.tick;
    }
    return testsupport::karFile(division, testsupport::TrackBuilder().endOfTrack(),
                                testsupport::TrackBuilder().endOfTrack(), words.endOfTrack());
}

// Syllable i (from 1) falls due at 16, 18, 20, 22, 24, 26, 28, 32, 34; the sentinel at 38.
std::string twinkle() {
    return songBytes({{1920, "\\Twin"},
                      {2160, "kle"},
                      {2400, " twin"},
                      {2640, "kle"},
                      {2880, "/Lit"},
                      {3120, "tle"},
                      {3360, " star"},
                      {3840, "\\How"},
                      {4080, " I"}});
}

const QColor High(255, 0, 0);
const QColor Back(255, 255, 255);
const QColor BallColour(0, 255, 0);

class Form3Test : public testing::Test, protected testsupport::FakePlayerServices {
protected:
    Form3Test() : folder(fs::temp_directory_path() / ("vt-form3-" + std::to_string(::getpid()))) {
        fs::create_directories(folder);
        device.lengthOnOpen = 60;
        set("Options", "FontName", "DejaVu Sans");
        set("Options", "FontSize", "10");
        set("Options", "FontColor", "0");
        set("Options", "BackColor", "16777215");
        set("Options", "HighColor", "255");
        set("Options", "BallColor", "65280");
        set("Options", "Ball", "False");
        write("song.kar", twinkle());
    }
    ~Form3Test() override { fs::remove_all(folder); }

    void set(const char* section, const char* key, const std::string& text) {
        store.values[{"Vocatune Player 1.5", section, key}] = text;
    }
    void write(const std::string& name, const std::string& bytes) {
        std::ofstream(folder / name, std::ios::binary) << bytes;
    }
    static std::string contents(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    std::unique_ptr<Form3> open(const std::string& file = "song.kar",
                                const std::string& title = "Twinkle\r\nTraditional\r\n") {
        auto form = std::make_unique<Form3>(folder.string(), file, title, services());
        form->show();
        return form;
    }

    template <typename Control> static Control* child(const Form3& form, const char* name) {
        auto* control = form.findChild<Control*>(name);
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    static MMControl* control(const Form3& form) { return child<MMControl>(form, "MMControl1"); }
    static QScrollBar* scrollBar(const Form3& form) { return child<QScrollBar>(form, "VScroll1"); }
    static QLabel* label(const Form3& form) { return child<QLabel>(form, "Label1"); }
    static QLineEdit* offsetBox(const Form3& form) { return child<QLineEdit>(form, "txtOffset"); }
    static void press(const Form3& form, const char* button) {
        child<QToolButton>(form, button)->click();
    }
    void report(const Form3& form, std::int32_t position) {
        device.setPosition(position);
        emit control(form)->StatusUpdate();
    }
    static QColor pixel(const Form3& form, double x, double y) {
        const QImage& image = child<LyricPane>(form, "Picture1")->qtCanvas().image();
        return image.pixelColor(platform::roundToInt32(x), platform::roundToInt32(y));
    }
    // The colour along the bottom of a syllable's box on the top row, below any letter.
    static QColor boxColour(const Form3& form, double left, const std::string& text) {
        const platform::Canvas& pane = form.pane();
        const double top = display::PageTop(pane, form.options());
        return pixel(form, left + pane.textWidth(text) / 2, top + pane.textHeight(text) - 1);
    }
    static double indent(const Form3& form) { return form.pane().textWidth(display::Indent); }
    static int pixels(double twips, double dpi) {
        return platform::roundToInt32(twips * dpi / 1440);
    }
    static std::string twipsText(int pixels, double dpi) {
        return platform::singleText(static_cast<float>(pixels * 1440.0 / dpi));
    }
    static std::string stillText(const Form3& form) {
        std::string text;
        display::ComposeStillText(form.pane(), form.song().Lyrics,
                                  static_cast<std::int16_t>(scrollBar(form)->value()), form.rows(),
                                  form.playback().CurRow, text, form.options());
        return text;
    }

    fs::path folder;
};

} // namespace

TEST_F(Form3Test, OpensTheSongStoppedWithItsSettingsAndShowsTheStoppedView) {
    set("Options", "Offset", "3");
    const auto form = open();
    EXPECT_EQ(form->windowTitle(), "Twinkle - Vocatune Player 1.5");
    EXPECT_EQ(form->songPath(), (folder / "song.kar").string());
    EXPECT_EQ(device.calls,
              (std::vector<std::string>{"timeFormat 16385", "open " + form->songPath()}));
    EXPECT_EQ(control(*form)->mode(), mode::Stopped);
    EXPECT_EQ(control(*form)->ReportInterval(), 0);
    EXPECT_EQ(offsetBox(*form)->text(), "3");
    EXPECT_EQ(scrollBar(*form)->maximum(), 10);
    EXPECT_EQ(scrollBar(*form)->value(), 0);
    EXPECT_EQ(form->rows().count(), 3);
    EXPECT_EQ(form->playback(), (player::Playback{-1, 0, 1, true}));
    EXPECT_TRUE(messages.messages.empty());

    const platform::Canvas& pane = form->pane();
    const display::BallState ball = form->ball();
    EXPECT_EQ(ball.Radius, platform::roundToInt16(pane.textWidth("A") / 2));
    EXPECT_EQ(ball.BallY, platform::roundToInt16(display::lineHeight(pane) - ball.Radius));

    QLabel* stopped = label(*form);
    EXPECT_TRUE(stopped->isVisible());
    EXPECT_EQ(stopped->text().toStdString(), "Twinkle twinkle\nLittle star\n\nHow I");
    EXPECT_EQ(stopped->text(),
              platform::qt::fromWindows1252(stillText(*form)).replace("\r\n", "\n"));
    EXPECT_EQ(stopped->x(), platform::roundToInt32(indent(*form)));
    EXPECT_EQ(stopped->y(), platform::roundToInt32(display::lineHeight(pane)));
    EXPECT_NEAR(stopped->y() + stopped->height(), pane.scaleHeight(), 1) << "to the pane's bottom";

    // 8175 x 6000 twips, centred on the screen.
    const QSizeF dpi = platform::qt::screenDpi();
    const QRect screen = form->screen()->geometry();
    const QSize size(pixels(8175, dpi.width()), pixels(6000, dpi.height()));
    EXPECT_EQ(form->frameGeometry().size(), size);
    EXPECT_EQ(form->frameGeometry().topLeft(),
              QPoint(pixels(platform::centred(screen.width() * 1440.0 / dpi.width(),
                                              size.width() * 1440.0 / dpi.width()),
                            dpi.width()),
                     pixels(platform::centred(screen.height() * 1440.0 / dpi.height(),
                                              size.height() * 1440.0 / dpi.height()),
                            dpi.height())));
}

TEST_F(Form3Test, TheCaptionIsTheFirstTitleLineOrTheUpperCasedFileName) {
    write("demo.kar", twinkle());
    const struct {
        const char* title;
        const char* file;
        QString caption;
    } cases[] = {
        {"Caf\xE9\r\nSecond\r\n", "song.kar",
         QString::fromUtf8("Caf\xC3\xA9 - Vocatune Player 1.5")},
        {"", "demo.kar", "DEMO - Vocatune Player 1.5"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(open(c.file, c.title)->windowTitle(), c.caption);
}

TEST_F(Form3Test, ARejectedSongStillOpensAnEmptyWindow) {
    write("text.kar", "not a song at all");
    const auto form = open("text.kar", "Title\r\n");
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].icon, platform::MessageIcon::Exclamation);
    EXPECT_EQ(messages.messages[0].text.find("Error"), std::string::npos);
    EXPECT_EQ(form->windowTitle(), "Vocatune Player 1.5");
    EXPECT_EQ(device.openedPath, "");
    EXPECT_FALSE(scrollBar(*form)->isEnabled());
    EXPECT_FALSE(child<QToolButton>(*form, "playButton")->isEnabled());
    EXPECT_EQ(label(*form)->text(), "");

    child<QPushButton>(*form, "cmdExport")->click();
    EXPECT_EQ(messages.messages.back(),
              (ShownMessage{"There are no lyrics to export.", platform::MessageIcon::Information}));
    EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(Form3Test, StartUpErrorsAreToldOnceAtTheEndAndTheRestStillLoads) {
    set("Options", "FontSize", "large"); // before the sequencer is set up: forgotten there
    set("Window", "WindowState", "7");
    set("Window", "Height", "tall"); // the later error is the one told
    const auto form = open();
    EXPECT_EQ(messages.messages, (std::vector<ShownMessage>{
                                     {"Error 13 in Form3::Load.", platform::MessageIcon::None}}));
    EXPECT_EQ(form->options().PlayFont.size, 8);
    EXPECT_EQ(form->options().HighColor, 255);
    EXPECT_EQ(device.openedPath, form->songPath());
    EXPECT_EQ(form->ball(), player::BallAtRest(form->pane()));
}

TEST_F(Form3Test, TheFirstReportAfterPlayStartsAtTheScrollBarAndDrawsThePageWhenSyllableOneIsDue) {
    const auto form = open();
    press(*form, "playButton");
    EXPECT_EQ(control(*form)->ReportInterval(), 1);
    EXPECT_EQ(device.calls.back(), "play 0");
    EXPECT_FALSE(form->playback().LabelShown);
    EXPECT_EQ(label(*form)->text(), "");

    const double x0 = platform::roundToInt16(indent(*form));
    report(*form, 15);
    EXPECT_EQ(form->playback().CurLyric, 1);
    EXPECT_EQ(boxColour(*form, x0, "Twin"), Back);

    report(*form, 16);
    EXPECT_EQ(form->playback().CurLyric, 2);
    EXPECT_EQ(form->playback().CurRow, 1);
    EXPECT_EQ(form->pageText(),
              display::ComposePageText(form->pane(), form->rows(), 1, form->options()));
    EXPECT_EQ(boxColour(*form, x0, "Twin"), High);
    EXPECT_EQ(scrollBar(*form)->value(), 1);

    report(*form, 18);
    EXPECT_EQ(scrollBar(*form)->value(), 2) << "the thumb follows the syllable being sung";
    EXPECT_EQ(boxColour(*form, x0, "Twin"), Back);
    EXPECT_EQ(boxColour(*form, x0 + form->pane().textWidth("Twin"), "kle"), High);

    // The report's own move of the thumb must not count as the user's.
    QApplication::processEvents();
    EXPECT_EQ(control(*form)->mode(), mode::Playing);
    EXPECT_EQ(control(*form)->ReportInterval(), 1);
}

TEST_F(Form3Test, EachSyllableTakenIsAnnouncedOnceWithItsBoxAlreadyOnThePane) {
    const auto form = open();
    const double x0 = platform::roundToInt16(indent(*form));
    std::vector<int> shown;
    std::vector<QColor> boxes; // of the first two syllables, as they are announced
    QObject::connect(form.get(), &Form3::syllableShown, [&](int index) {
        shown.push_back(index);
        if (index == 1)
            boxes.push_back(boxColour(*form, x0, "Twin"));
        if (index == 2)
            boxes.push_back(boxColour(*form, x0 + form->pane().textWidth("Twin"), "kle"));
    });
    press(*form, "playButton");
    // Syllable 2 falls due at 18, 9 at 34, the trailing sentinel (10) at 38.
    for (const std::int32_t position : {15, 16, 17, 18, 37, 37, 37, 37, 37, 37, 37, 38, 38})
        report(*form, position);
    EXPECT_EQ(shown, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(boxes, (std::vector<QColor>{High, High}));
}

TEST_F(Form3Test, AnOffsetHoldsTheLyricsBackBySixteenthNotes) {
    write("late.kar", songBytes({{960, "\\One"}, {1440, " two"}}));
    set("Options", "Offset", "8");
    const auto form = open("late.kar");
    press(*form, "playButton");
    report(*form, 15);
    EXPECT_EQ(form->playback().CurLyric, 1) << "tick 960 is position 8, less 8 of offset";
    report(*form, 16);
    EXPECT_EQ(form->playback().CurLyric, 2);
}

TEST_F(Form3Test, SyllablesDueTogetherAreTakenOnePerReport) {
    const auto form = open();
    press(*form, "playButton");
    report(*form, 16);
    const std::int16_t expected[] = {3, 4, 5, 5};
    for (const std::int16_t curLyric : expected) {
        report(*form, 22); // syllables 2, 3 and 4 are all due
        EXPECT_EQ(form->playback().CurLyric, curLyric);
    }
}

TEST_F(Form3Test, TheTrailingSentinelUnboxesTheLastSyllableStopsTheReportsAndErasesTheBall) {
    set("Options", "Ball", "True");
    const auto form = open();
    press(*form, "playButton");
    for (int i = 0; i < 10; ++i)
        report(*form, 37);
    ASSERT_EQ(form->playback().CurLyric, 10) << "every syllable taken, the sentinel not yet due";
    const display::BallState ball = form->ball();
    EXPECT_EQ(pixel(*form, ball.BallX, ball.BallY), BallColour);
    const double iX = platform::roundToInt16(indent(*form)) + form->pane().textWidth("How");
    EXPECT_EQ(boxColour(*form, iX, " I"), High);

    report(*form, 38);
    EXPECT_EQ(form->playback().CurLyric, 11);
    EXPECT_EQ(control(*form)->ReportInterval(), 0);
    EXPECT_EQ(boxColour(*form, iX, " I"), Back);
    EXPECT_EQ(pixel(*form, ball.BallX, ball.BallY), Back);
}

TEST_F(Form3Test, StopThenPlayGoesOnFromTheSyllableHighlightedLast) {
    const struct {
        std::vector<std::int32_t> reports; // before Stop
        const char* play;                  // how the device is told to play again
        std::int16_t curLyric;             // after Stop
    } cases[] = {
        // Nothing was due at the last report: the view goes back to syllable 1 and Play
        // starts at its position.
        {{16, 17}, "play 16", -1},
        // The last report took syllable 1: the scroll bar already stands there and nothing moves.
        {{16}, "play", 2},
    };
    for (const auto& c : cases) {
        const auto form = open();
        press(*form, "playButton");
        for (const std::int32_t position : c.reports)
            report(*form, position);
        press(*form, "stopButton");
        EXPECT_EQ(control(*form)->ReportInterval(), 0);
        EXPECT_EQ(scrollBar(*form)->value(), 1);
        EXPECT_EQ(form->playback().CurLyric, c.curLyric);
        EXPECT_EQ(boxColour(*form, platform::roundToInt16(indent(*form)), "Twin"), High);

        press(*form, "playButton");
        EXPECT_EQ(device.calls.back(), c.play);
        report(*form, 17);
        EXPECT_EQ(form->playback().CurLyric, 2);
        report(*form, 18);
        EXPECT_EQ(form->playback().CurLyric, 3);
    }
}

TEST_F(Form3Test, StopBeforeTheFirstReportLeavesTheViewAsItIs) {
    const auto form = open();
    scrollBar(*form)->setValue(4);
    press(*form, "playButton");
    press(*form, "stopButton");
    EXPECT_EQ(scrollBar(*form)->value(), 4);
    EXPECT_EQ(form->playback().CurLyric, -1);
}

TEST_F(Form3Test, PrevWhilePlayingStopsRewindsAndDrawsTheFirstPage) {
    const auto form = open();
    press(*form, "playButton");
    for (const std::int32_t position : {16, 18, 20, 22, 24, 25})
        report(*form, position);
    ASSERT_EQ(form->playback().CurRow, 2);
    press(*form, "prevButton");
    EXPECT_EQ(control(*form)->mode(), mode::Stopped);
    EXPECT_EQ(control(*form)->position(), 0);
    EXPECT_EQ(control(*form)->ReportInterval(), 0);
    EXPECT_EQ(control(*form)->startPosition(), 0);
    EXPECT_EQ(scrollBar(*form)->value(), 0);
    EXPECT_EQ(form->playback(), (player::Playback{-1, 0, 1, false}));
    EXPECT_EQ(form->pageText(),
              display::ComposePageText(form->pane(), form->rows(), 1, form->options()));
}

TEST_F(Form3Test, TheScrollBarMovedWhilePlayingStopsAndDrawsThePageBeforeTheClickReturns) {
    const struct {
        QAbstractSlider::SliderAction action;
        int value; // where the view ends: one back from where the click put it
        std::int32_t start;
    } cases[] = {
        {QAbstractSlider::SliderSingleStepAdd, 4, 22}, // 5, back to 4: the nested run is idle
        {QAbstractSlider::SliderSingleStepSub, 2, 18}, // 3, back to 2: the nested run draws
    };
    for (const auto& c : cases) {
        const auto form = open();
        press(*form, "playButton");
        for (const std::int32_t position : {16, 18, 20, 21})
            report(*form, position);
        ASSERT_EQ(scrollBar(*form)->value(), 4);
        scrollBar(*form)->triggerAction(c.action);
        EXPECT_EQ(control(*form)->mode(), mode::Stopped);
        EXPECT_EQ(control(*form)->ReportInterval(), 0);
        EXPECT_EQ(scrollBar(*form)->value(), c.value);
        EXPECT_EQ(control(*form)->startPosition(), c.start);
        EXPECT_EQ(form->playback().CurLyric, -1);
        EXPECT_EQ(form->playback().CurRow, 1);
    }
}

TEST_F(Form3Test, DraggingTheThumbStopsAtOnceAndDrawsWhereItIsDropped) {
    const auto form = open();
    press(*form, "playButton");
    report(*form, 16);
    QScrollBar* bar = scrollBar(*form);
    bar->setSliderDown(true);
    bar->setSliderPosition(8);
    EXPECT_EQ(control(*form)->mode(), mode::Stopped);
    EXPECT_EQ(bar->value(), 1) << "no change until the drop";
    bar->setSliderDown(false);
    EXPECT_EQ(bar->value(), 8);
    EXPECT_EQ(control(*form)->startPosition(), song::DuePos(3840, 480));
    EXPECT_EQ(form->playback().CurRow, 3);

    bar->setValue(10);
    EXPECT_EQ(control(*form)->startPosition(), 60) << "the sentinel: the end of the music";
    press(*form, "playButton");
    EXPECT_EQ(control(*form)->ReportInterval(), 0) << "nothing left for the lyrics to do";
}

TEST_F(Form3Test, ResizingWhilePlayingStopsShowsTheStoppedViewAndPlayRewrapsAtTheNewWidth) {
    write("long.kar", songBytes({{1920, "\\Twinkle twinkle little star how I wonder"},
                                 {2160, " what you are"},
                                 {2400, "/Twin"},
                                 {2640, "kle"}}));
    const auto form = open("long.kar");
    ASSERT_EQ(form->rows().count(), 2) << "the long line fits the first width";
    press(*form, "playButton");
    report(*form, 16);
    report(*form, 17);

    form->resize(form->width() / 2, form->height());
    QApplication::processEvents();
    EXPECT_EQ(control(*form)->mode(), mode::Stopped);
    EXPECT_EQ(scrollBar(*form)->value(), 1) << "one before the syllable to be sung";
    EXPECT_TRUE(form->playback().LabelShown);
    EXPECT_TRUE(label(*form)->isVisible());
    EXPECT_EQ(label(*form)->text(),
              platform::qt::fromWindows1252(stillText(*form)).replace("\r\n", "\n"));
    EXPECT_EQ(form->pane().scaleWidth(), form->width() - scrollBar(*form)->width());
    EXPECT_EQ(form->rows().count(), 2) << "rows are rebuilt only when playing again";

    press(*form, "playButton");
    song::LyricArray lyrics = form->song().Lyrics;
    display::RowArray rows = display::makeRowArray();
    std::int16_t curRow = 0;
    display::WrapRows(form->pane(), lyrics, form->song().Lines, rows, curRow, 2);
    EXPECT_GT(rows.count(), 2);
    EXPECT_EQ(form->rows(), rows);
    EXPECT_EQ(label(*form)->text(), "");
    EXPECT_EQ(device.calls.back(), "play 16");
    EXPECT_EQ(control(*form)->ReportInterval(), 1);
}

TEST_F(Form3Test, ClosingWritesThePlacementAndTheOffsetAsTyped) {
    const QSizeF dpi = platform::qt::screenDpi();
    auto form = open();
    offsetBox(*form)->setText("soon");
    const QRect frame = form->frameGeometry();
    form->close();
    EXPECT_EQ(store.writes, (std::vector<std::string>{
                                "Window/WindowState=0",
                                "Window/Top=" + twipsText(frame.y(), dpi.height()),
                                "Window/Left=" + twipsText(frame.x(), dpi.width()),
                                "Window/Height=" + twipsText(frame.height(), dpi.height()),
                                "Window/Width=" + twipsText(frame.width(), dpi.width()),
                                "Options/Offset=soon",
                            }));
    form.reset();
    EXPECT_EQ(store.writes.size(), 6u) << "written once";

    // The next window opens where this one was, with the same offset text.
    set("Window", "Top", "1500");
    set("Window", "Left", "750");
    set("Window", "Width", "6000");
    form = open();
    EXPECT_EQ(form->frameGeometry(), QRect(pixels(750, dpi.width()), pixels(1500, dpi.height()),
                                           pixels(6000, dpi.width()), frame.height()));
    EXPECT_EQ(offsetBox(*form)->text(), "soon");
}

TEST_F(Form3Test, TheSpinnersArrowsStepTheOffsetBox) {
    const auto form = open();
    offsetBox(*form)->setText("12");
    press(*form, "upButton");
    EXPECT_EQ(offsetBox(*form)->text(), "13");
    press(*form, "downButton");
    press(*form, "downButton");
    EXPECT_EQ(offsetBox(*form)->text(), "11");
}

TEST_F(Form3Test, ASongWithoutTimingPlaysButNothingFallsDue) {
    write("untimed.kar", songBytes({{0, "\\One"}, {0, " two"}}, 0));
    set("Options", "Ball", "True");
    const auto form = open("untimed.kar");
    press(*form, "playButton");
    for (const std::int32_t position : {0, 10, 1000})
        report(*form, position);
    EXPECT_EQ(form->playback().CurLyric, 1);
    EXPECT_EQ(control(*form)->ReportInterval(), 1);
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(Form3Test, ExportWritesOneTextLinePerSongLineReplacingTheWholeFile) {
    write("long.kar",
          songBytes({{0, "\\Twinkle twinkle little star how I wonder what you are up above"},
                     {120, " the world so high like a diamond in the sky"},
                     {240, "/Twin"},
                     {360, "kle"},
                     {480, "\\Last"}}));
    const fs::path out = folder / "lyrics.txt";
    write("lyrics.txt", std::string(400, 'x'));
    const auto form = open("long.kar");
    ASSERT_GT(form->rows().count(), 3) << "the first line needs two rows of the pane";
    QPushButton* exportButton = child<QPushButton>(*form, "cmdExport");

    dialogs.saveFiles = {out.string(), std::nullopt};
    exportButton->click();
    const std::string expected = "\r\n\r\nTwinkle twinkle little star how I wonder what you are "
                                 "up above the world so high like a diamond in the sky"
                                 "\r\nTwinkle\r\n\r\nLast";
    EXPECT_EQ(contents(out), expected);

    write("lyrics.txt", "edited since");
    exportButton->click(); // cancelled
    EXPECT_EQ(contents(out), "edited since");
    EXPECT_EQ(dialogs.calls,
              (std::vector<std::string>{"save  Text (*.txt)|*.txt",
                                        "save " + out.string() + " Text (*.txt)|*.txt"}));
    EXPECT_TRUE(messages.messages.empty());

    const std::string unwritable = (folder / "gone" / "lyrics.txt").string();
    dialogs.saveFiles = {unwritable};
    exportButton->click();
    EXPECT_EQ(messages.messages,
              (std::vector<ShownMessage>{{"The lyrics could not be saved to " + unwritable +
                                              ": No such file or directory.",
                                          platform::MessageIcon::Exclamation}}));
}

TEST_F(Form3Test, TheWindowFitsItsBackgroundPictureOrKeepsItsPlaceWithoutIt) {
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(QColor(0, 0, 255));
    const fs::path picture = folder / "back.bmp";
    ASSERT_TRUE(image.save(QString::fromStdString(picture.string())));
    set("Options", "Bitmap", "True");
    const QSizeF dpi = platform::qt::screenDpi();

    set("Options", "FileName", (folder / "missing.bmp").string());
    auto form = open();
    EXPECT_EQ(form->options().FileName, "");
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(form->frameGeometry().size(),
              QSize(pixels(8175, dpi.width()), pixels(6000, dpi.height())));

    set("Options", "FileName", picture.string());
    form = open();
    const platform::qt::QtPicture shown(image, dpi);
    EXPECT_EQ(form->frameGeometry().size(),
              QSize(pixels(shown.Width() * 1440.0 / 2540 + 375, dpi.width()),
                    pixels(shown.Height() * 1440.0 / 2540 + 2625, dpi.height())));
    EXPECT_EQ(pixel(*form, 1, 1), QColor(0, 0, 255));
    const double right = form->pane().scaleWidth() - 1;
    ASSERT_GT(right, 200);
    EXPECT_EQ(pixel(*form, right, 1), Back) << "beyond the picture";
}

TEST_F(Form3Test, TheStoppedViewLabelIsPlacedByLineCountAndJustification) {
    const struct {
        const char* numLines;
        const char* vertJust;
        int height; // of the window, in twips
    } cases[] = {
        {"4", "2", 6000}, {"4", "1", 6000}, {"4", "0", 6000}, {"4", "2", 3015}, {"-1", "2", 6000},
    };
    const QSizeF dpi = platform::qt::screenDpi();
    for (const auto& c : cases) {
        set("Options", "NumLines", c.numLines);
        set("Options", "VertJust", c.vertJust);
        set("Window", "Height", std::to_string(c.height));
        const auto form = open();
        const platform::Canvas& pane = form->pane();
        const double line = display::lineHeight(pane);
        const QRect placed = label(*form)->geometry();
        const std::string context = std::string(c.numLines) + " lines, placed " + c.vertJust;
        EXPECT_EQ(placed.width(), platform::roundToInt32(pane.scaleWidth() - 2 * indent(*form)))
            << context;
        if (std::string(c.numLines) == "-1") {
            EXPECT_EQ(placed.top(), platform::roundToInt32(line)) << context;
            EXPECT_NEAR(placed.top() + placed.height(), pane.scaleHeight(), 1) << context;
            continue;
        }
        const double block = pane.textHeight("\r\r\r");
        EXPECT_EQ(placed.height(), platform::roundToInt32(block)) << context;
        std::int32_t top = 0;
        if (std::string(c.vertJust) == "2")
            top = platform::roundToInt32(pane.scaleHeight() - block);
        else if (std::string(c.vertJust) == "1")
            top = platform::centred(pane.scaleHeight(), block);
        EXPECT_EQ(placed.top(), std::max(top, platform::roundToInt32(line))) << context;
        if (c.height < 6000) {
            EXPECT_LT(pane.scaleHeight(), 5 * line) << "a pane shorter than five lines";
        }
        EXPECT_EQ(form->frameGeometry().height(), pixels(c.height, dpi.height()));
    }
}

TEST_F(Form3Test, AWindowDraggedLowerThanItsSmallestHeightSnapsBack) {
    const QSizeF dpi = platform::qt::screenDpi();
    const auto form = open();
    form->resize(form->width(), 40);
    QApplication::processEvents();
    EXPECT_EQ(form->frameGeometry().height(), pixels(3015, dpi.height()));
    EXPECT_GT(form->pane().scaleHeight(), 0);
}

TEST_F(Form3Test, TheControlsKeepTheirPlacesAndTheLogoAndTheButtonsStayCentred) {
    const QSizeF dpi = platform::qt::screenDpi();
    const auto form = open();
    const auto place = [&](const char* name) { return child<QWidget>(*form, name)->geometry(); };
    EXPECT_EQ(place("cmdExport"), QRect(pixels(120, dpi.width()), pixels(120, dpi.height()),
                                        pixels(735, dpi.width()), pixels(375, dpi.height())));
    // The caption ends where it was designed to and is never narrower than its text.
    EXPECT_EQ(place("lblOffset").right() + 1, pixels(135, dpi.width()) + pixels(495, dpi.width()));
    EXPECT_EQ(place("lblOffset").top(), pixels(615, dpi.height()));
    EXPECT_GE(place("lblOffset").width(), child<QWidget>(*form, "lblOffset")->sizeHint().width());
    EXPECT_EQ(place("txtOffset").topLeft(),
              QPoint(pixels(915, dpi.width()), pixels(570, dpi.height())));
    EXPECT_EQ(place("Picture1").top(), pixels(2160, dpi.height()));
    EXPECT_EQ(place("VScroll1").left(), form->width() - place("VScroll1").width());
    EXPECT_EQ(place("StatusBar1").bottom(), form->height() - 1);
    EXPECT_EQ(place("Picture1").height() + pixels(2160, dpi.height()) + pixels(375, dpi.height()),
              form->height());
    for (const int width : {form->width(), 700}) {
        form->resize(width, form->height());
        QApplication::processEvents();
        for (const char* name : {"Image1", "MMControl1"})
            EXPECT_EQ(place(name).left(), platform::centred(width, place(name).width())) << name;
    }
    EXPECT_EQ(place("Image1").size(), QSize(225, 85));
}
