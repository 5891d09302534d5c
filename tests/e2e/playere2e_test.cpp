// The whole program on a real X server: a demo song named on the command line plays silently on
// the real synthesiser; what the screen shows is checked against the song as the reader reads
// it, and the window is closed the way a window manager closes it.
//
// The program's --trace tells which syllable it highlighted and when; where the highlight box
// must stand is worked out here from the song and the pane's font, and where it does stand is
// read from the screen's pixels.

#include "e2e/xsession.h"
#include "platform/streammessagesink.h"
#include "song/duepos.h"
#include "song/karreader.h"
#include "song/songinfo.h"

#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* Song = VT_SONGS_DIR "/twinkle-twinkle.kar";
constexpr const char* CaptionEnd = " - Vocatune Player 1.5";
// Generous: the test build runs under the sanitizers on a busy machine.
constexpr std::chrono::seconds Patience{30};
// The default highlight colour, 65535: red and green.
const QColor Highlight(255, 255, 0);
// The lyric pane lies 2160 twips below the top of the player window's inner area.
constexpr double PaneTopTwips = 2160;
constexpr double TwipsPerInch = 1440;
constexpr int SyllablesToCheck = 4;

struct TraceLine {
    std::string event;
    std::int64_t micros = 0;
    int syllable = -1;
    int position = -1;
};

std::vector<TraceLine> readTrace(const QString& path) {
    std::vector<TraceLine> lines;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return lines;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QJsonObject object = QJsonDocument::fromJson(line).object();
        if (object.isEmpty())
            continue; // a line still being written
        lines.push_back({object["event"].toString().toStdString(),
                         static_cast<std::int64_t>(object["us"].toDouble()),
                         object["syllable"].toInt(-1), object["position"].toInt(-1)});
    }
    return lines;
}

bool traced(const std::vector<TraceLine>& trace, const std::string& event, int syllable) {
    return std::any_of(trace.begin(), trace.end(), [&](const TraceLine& line) {
        return line.event == event && line.syllable == syllable;
    });
}

int lastSyllableShown(const std::vector<TraceLine>& trace) {
    int last = -1;
    for (const TraceLine& line : trace) {
        if (line.event == "syllable")
            last = line.syllable;
    }
    return last;
}

std::string trimmedLeft(const std::string& text) {
    return text.substr(std::min(text.find_first_not_of(' '), text.size()));
}

// Where the song puts the highlight of syllable `index` while its row is the page's top row: a
// row starts at the indent (five spaces) with its first syllable, without that syllable's
// leading spaces, the others follow side by side; the top row stands one line below the pane's
// top edge. Pane coordinates, corners included.
QRectF expectedBox(const song::LyricArray& lyrics, int index, const QFontMetricsF& metrics) {
    const auto shown = [&](int i) {
        const std::string& text = lyrics[i].Text;
        return QString::fromLatin1(lyrics[i].Kind == song::KindContinue ? text : trimmedLeft(text));
    };
    double left = metrics.horizontalAdvance(QStringLiteral("     "));
    int first = index;
    while (lyrics[first].Kind == song::KindContinue)
        --first;
    for (int i = first; i < index; ++i)
        left += metrics.horizontalAdvance(shown(i));
    const double line = std::max(metrics.height(), metrics.lineSpacing());
    return {left, line, metrics.horizontalAdvance(shown(index)), line};
}

// The bounding box of the highlight colour's pixels in a picture, and how much of it they fill.
struct Found {
    QRect box;
    double filled = 0;
};

std::optional<Found> findHighlight(const QImage& picture) {
    QRect box;
    int count = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (picture.pixelColor(x, y) == Highlight) {
                box |= QRect(x, y, 1, 1);
                ++count;
            }
        }
    }
    if (count == 0)
        return std::nullopt;
    return Found{box, static_cast<double>(count) / (box.width() * box.height())};
}

bool hasDarkPixels(const QImage& picture, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (picture.pixelColor(x, y).lightness() < 100)
                return true;
        }
    }
    return false;
}

std::string describe(const std::vector<e2e::ShownWindow>& windows) {
    std::ostringstream text;
    for (const e2e::ShownWindow& window : windows)
        text << " \"" << window.caption.toStdString() << "\"";
    return text.str();
}

class EndToEnd : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(scratch.isValid());
        platform::StreamMessageSink messages(std::cerr);
        ASSERT_TRUE(song::ReadKar(Song, lyrics, division, tempos, messages));
        std::string info;
        song::ReadSongInfo(Song, info, title, messages);
    }
    void TearDown() override {
        if (program.state() != QProcess::NotRunning) {
            program.kill();
            program.waitForFinished(5000);
        }
    }

    void start(const QStringList& arguments) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_CONFIG_HOME", configFolder());
        program.setProcessEnvironment(environment);
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        program.start(QStringLiteral(VT_PROGRAM), arguments);
        ASSERT_TRUE(program.waitForStarted(10000));
    }

    // Waits until `ready` holds, giving up when the program has ended or after a long while.
    bool waitFor(const std::function<bool()>& ready) {
        const auto end = Clock::now() + Patience;
        while (!ready()) {
            if (Clock::now() > end || program.waitForFinished(20))
                return ready();
        }
        return true;
    }

    std::optional<e2e::ShownWindow> shown(const std::function<bool(const QString&)>& caption) {
        for (const e2e::ShownWindow& window : x.shownWindows()) {
            if (caption(window.caption))
                return window;
        }
        return std::nullopt;
    }

    QString configFolder() const { return scratch.filePath("config"); }
    QString tracePath() const { return scratch.filePath("trace.jsonl"); }

    QTemporaryDir scratch;
    e2e::XSession x;
    QProcess program;
    song::LyricArray lyrics = song::makeLyricArray();
    std::int16_t division = 0;
    song::TempoArray tempos = song::makeTempoArray();
    std::string title;
};

TEST_F(EndToEnd,
       ASongPlaysWithItsFirstSyllablesHighlightedWhereTheSongPutsThemAndClosingKeepsThePlace) {
    start({"--silent", "--play", "--trace", tracePath(), QString::fromLatin1(Song)});

    std::optional<e2e::ShownWindow> player;
    ASSERT_TRUE(waitFor([&] {
        return (player = shown([](const QString& c) { return c.endsWith(CaptionEnd); }))
            .has_value();
    })) << "no player window; shown:"
        << describe(x.shownWindows());
    const std::string firstTitleLine = title.substr(0, title.find('\r'));
    EXPECT_EQ(player->caption.toStdString(), firstTitleLine + CaptionEnd);

    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen->logicalDotsPerInchY();
    const int paneTop = static_cast<int>(std::lround(PaneTopTwips * dpi / TwipsPerInch));
    QImage device(1, 1, QImage::Format_RGB32);
    device.setDotsPerMeterX(static_cast<int>(std::lround(screen->logicalDotsPerInchX() / 0.0254)));
    device.setDotsPerMeterY(static_cast<int>(std::lround(dpi / 0.0254)));
    QFont paneFont = QGuiApplication::font();
    paneFont.setPointSizeF(8);
    paneFont.setStyleStrategy(QFont::PreferNoShaping);
    const QFontMetricsF metrics(paneFont, &device);

    int checked = 0;
    for (int index = 1; index <= SyllablesToCheck; ++index) {
        SCOPED_TRACE("syllable " + std::to_string(index) + " \"" + lyrics[index].Text + "\"");
        ASSERT_TRUE(waitFor([&] {
            return traced(readTrace(tracePath()), "syllable-painted", index);
        })) << "the program never showed it";
        // The picture has gone to the server just before the trace line was written.
        program.waitForFinished(50);
        const QRect pane(player->geometry.left(), player->geometry.top() + paneTop,
                         player->geometry.width(), player->geometry.height() - paneTop);
        const QImage picture = x.grab(pane);
        if (lastSyllableShown(readTrace(tracePath())) != index)
            continue; // the highlight may have moved while the picture was taken
        ++checked;
        const std::optional<Found> found = findHighlight(picture);
        ASSERT_TRUE(found) << "no highlight on the screen";
        const QRectF wanted = expectedBox(lyrics, index, metrics);
        EXPECT_NEAR(found->box.left(), wanted.left(), 1.5);
        EXPECT_NEAR(found->box.top(), wanted.top(), 1.5);
        EXPECT_NEAR(found->box.right(), wanted.right(), 2.5);
        EXPECT_NEAR(found->box.bottom(), wanted.bottom(), 2.5);
        EXPECT_GT(found->filled, 0.4) << "scattered pixels, not a box";
        EXPECT_TRUE(hasDarkPixels(picture, found->box)) << "no letters in the box";
        if (testing::Test::HasFailure())
            picture.save(scratch.filePath("pane.png"));
    }
    EXPECT_GE(checked, 2) << "the highlight moved on before most pictures were taken";

    // The trace against the song: the syllables in order, none before the position was due.
    int next = 1;
    for (const TraceLine& line : readTrace(tracePath())) {
        if (line.event != "syllable")
            continue;
        EXPECT_EQ(line.syllable, next++);
        if (line.syllable >= 1 && line.syllable <= lyrics.upper()) {
            EXPECT_GE(line.position, song::DuePos(lyrics[line.syllable].Tick, division))
                << "syllable " << line.syllable << " shown early";
        }
    }

    const std::uint32_t playerWindow = player->id;
    x.requestClose(playerWindow);
    std::optional<e2e::ShownWindow> browser;
    ASSERT_TRUE(waitFor([&] {
        const auto windows = x.shownWindows();
        const bool playerGone = std::none_of(windows.begin(), windows.end(),
                                             [&](const auto& w) { return w.id == playerWindow; });
        browser = shown([](const QString& c) { return c == "Vocatune Player 1.5"; });
        return playerGone && browser;
    })) << "the player did not close or the browser is not there; shown:"
        << describe(x.shownWindows());
    x.requestClose(browser->id);
    ASSERT_TRUE(program.waitForFinished(Patience.count() * 1000)) << "the program did not end";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);

    const QString store = QDir(configFolder()).filePath("Vocatune Player 1.5.ini");
    ASSERT_TRUE(QFile::exists(store));
    QSettings settings(store, QSettings::IniFormat);
    const double twipsPerPixel = TwipsPerInch / dpi;
    const QRect& place = player->geometry;
    const auto expectTwips = [&](const char* key, int pixels) {
        const QVariant value = settings.value(QStringLiteral("Window/") + key);
        ASSERT_TRUE(value.isValid()) << key << " missing";
        EXPECT_NEAR(value.toDouble(), pixels * twipsPerPixel, 1) << key;
    };
    EXPECT_EQ(settings.value("Window/WindowState").toString(), "0");
    expectTwips("Top", place.top());
    expectTwips("Left", place.left());
    expectTwips("Height", place.height());
    expectTwips("Width", place.width());
    EXPECT_EQ(settings.value("Options/Offset").toString(), "0");
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
