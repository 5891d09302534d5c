// Start-up times of the real program, as a user meets them, on the X display this runs on (run
// it under xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96"):
//   start:  from starting the process to the browser's first paint having gone to the screen;
//   play 1: from the click on the browser's PLAY (the first song of the start folder selected)
//           to the player's first page (its lyric pane's first paint) having gone to the screen;
//           the first player of the process opens the synthesiser and loads the SoundFont;
//   play 2: the same for a second PLAY in the same process, once the first player has closed.
// Every run is a first start of the program (an empty settings folder), in the demo songs'
// folder. The program writes its side of the times with --trace; both sides read the same
// steady clock.
//
//   vt_bench_startup PROGRAM [--runs N] [--think MS] [--cold FILE]... [-- PROGRAM-OPTIONS...]
// --think: how long the "user" looks at the browser before the first PLAY (default 0);
// --cold:  drop the file from the page cache before every run, as after a reboot (say the
//          SoundFont: only that file is dropped, the rest of the machine keeps its cache).

#include "e2e/xsession.h"
#include "player/ui/playertrace.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using player::ui::traceMicros;

// The browser's controls at 96 DPI: 15 twips to the pixel.
const QPoint FirstSong(4080 / 15 + 40, 1560 / 15 + 8);
const QPoint PlayButton((3480 + 1095 / 2) / 15, (5040 + 375 / 2) / 15);
constexpr const char* BrowserCaption = "Vocatune Player 1.5";
constexpr std::int64_t PatienceMicros = 60'000'000;

struct Options {
    QString program;
    int runs = 5;
    int thinkMs = 0;
    QStringList coldFiles;
    QStringList programOptions;
};

struct Figures {
    double start = 0;  // spawn -> browser painted
    double toMain = 0; // spawn -> main()
    double play1 = 0;  // PLAY click -> player painted
    double play2 = 0;
    double opening1 = 0; // "player-opening" -> player painted (the program's own share)
    double opening2 = 0;
};

class Run {
public:
    Run(const Options& options, e2e::XSession& x) : m_options(options), m_x(x) {}
    ~Run() {
        if (m_program.state() != QProcess::NotRunning) {
            m_program.kill();
            m_program.waitForFinished(5000);
        }
    }

    Figures measure() {
        Figures figures;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_CONFIG_HOME", m_scratch.filePath("config"));
        m_program.setProcessEnvironment(environment);
        m_program.setWorkingDirectory(VT_SONGS_DIR);
        m_program.setProcessChannelMode(QProcess::ForwardedChannels);
        const std::int64_t spawned = traceMicros();
        m_program.start(m_options.program,
                        QStringList{"--trace", tracePath()} + m_options.programOptions);
        if (!m_program.waitForStarted(10000))
            throw std::runtime_error("the program did not start");

        figures.start = millisecondsSince(spawned, waitForEvent("browser-painted", 1));
        figures.toMain = millisecondsSince(spawned, waitForEvent("main", 1));
        const e2e::ShownWindow browser = waitForWindow(BrowserCaption);
        m_x.click(browser.id, FirstSong);
        QThread::msleep(200 + static_cast<unsigned long>(m_options.thinkMs));

        for (int round = 1; round <= 2; ++round) {
            const std::int64_t clicked = traceMicros();
            m_x.click(browser.id, PlayButton);
            const std::int64_t painted = waitForEvent("player-painted", round);
            const std::int64_t opening = waitForEvent("player-opening", round);
            (round == 1 ? figures.play1 : figures.play2) = millisecondsSince(clicked, painted);
            (round == 1 ? figures.opening1 : figures.opening2) =
                millisecondsSince(opening, painted);
            const e2e::ShownWindow player = waitForWindow(std::nullopt);
            m_x.requestClose(player.id);
            waitForEvent("player-closed", round);
            QThread::msleep(300);
        }
        m_x.requestClose(browser.id);
        if (!m_program.waitForFinished(20000))
            throw std::runtime_error("the program did not end");
        return figures;
    }

private:
    QString tracePath() const { return m_scratch.filePath("trace.jsonl"); }

    static double millisecondsSince(std::int64_t from, std::int64_t to) {
        return static_cast<double>(to - from) / 1000;
    }

    // The time of the n-th event of that name in the trace, once it is there.
    std::int64_t waitForEvent(const QString& name, int n) {
        const std::int64_t end = traceMicros() + PatienceMicros;
        while (traceMicros() < end) {
            QFile file(tracePath());
            if (file.open(QIODevice::ReadOnly)) {
                int seen = 0;
                for (const QByteArray& line : file.readAll().split('\n')) {
                    const QJsonObject event = QJsonDocument::fromJson(line).object();
                    if (event["event"].toString() == name && ++seen == n)
                        return static_cast<std::int64_t>(event["us"].toDouble());
                }
            }
            if (m_program.waitForFinished(2))
                throw std::runtime_error("the program ended before " + name.toStdString());
        }
        throw std::runtime_error("no " + name.toStdString() + " in the trace");
    }

    // The browser by its caption, or (no caption) the player: the window that is not the browser.
    e2e::ShownWindow waitForWindow(const std::optional<QString>& caption) {
        const std::int64_t end = traceMicros() + PatienceMicros;
        while (traceMicros() < end) {
            for (const e2e::ShownWindow& window : m_x.shownWindows()) {
                if (caption ? window.caption == *caption
                            : window.caption.endsWith(QString(" - ") + BrowserCaption))
                    return window;
            }
            QThread::msleep(5);
        }
        throw std::runtime_error("a window did not show");
    }

    const Options& m_options;
    e2e::XSession& m_x;
    QTemporaryDir m_scratch;
    QProcess m_program;
};

void dropFromCache(const QString& path) {
    const int file = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (file < 0 || ::posix_fadvise(file, 0, 0, POSIX_FADV_DONTNEED) != 0)
        throw std::runtime_error("cannot drop " + path.toStdString() + " from the cache");
    ::close(file);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void printRow(const char* name, const std::vector<double>& values) {
    std::printf("%-34s median %7.1f ms   min %7.1f   max %7.1f   (", name, median(values),
                *std::min_element(values.begin(), values.end()),
                *std::max_element(values.begin(), values.end()));
    for (const double value : values)
        std::printf(" %.1f", value);
    std::printf(" )\n");
}

Options parse(const QStringList& arguments) {
    Options options;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == "--") {
            options.programOptions = arguments.mid(i + 1);
            break;
        }
        if (argument == "--runs" && i + 1 < arguments.size())
            options.runs = arguments[++i].toInt();
        else if (argument == "--think" && i + 1 < arguments.size())
            options.thinkMs = arguments[++i].toInt();
        else if (argument == "--cold" && i + 1 < arguments.size())
            options.coldFiles.push_back(arguments[++i]);
        else
            options.program =
                QFileInfo(argument).absoluteFilePath(); // it runs in the songs' folder
    }
    if (options.program.isEmpty() || options.runs < 1)
        throw std::runtime_error(
            "usage: vt_bench_startup PROGRAM [--runs N] [--think MS] [--cold FILE]... "
            "[-- PROGRAM-OPTIONS...]");
    return options;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    try {
        const Options options = parse(app.arguments());
        e2e::XSession x;
        std::vector<Figures> runs;
        for (int i = 0; i < options.runs; ++i) {
            for (const QString& file : options.coldFiles)
                dropFromCache(file);
            Run run(options, x);
            runs.push_back(run.measure());
        }
        const auto column = [&](double Figures::*field) {
            std::vector<double> values;
            for (const Figures& figures : runs)
                values.push_back(figures.*field);
            return values;
        };
        std::printf(
            "%d runs of %s %s, think %d ms%s%s\n", options.runs, qPrintable(options.program),
            qPrintable(options.programOptions.join(' ')), options.thinkMs,
            options.coldFiles.isEmpty() ? "" : ", cold: ", qPrintable(options.coldFiles.join(' ')));
        printRow("start -> main()", column(&Figures::toMain));
        printRow("start -> browser shown", column(&Figures::start));
        printRow("PLAY 1 -> first page shown", column(&Figures::play1));
        printRow("  of which in the player's opening", column(&Figures::opening1));
        printRow("PLAY 2 -> first page shown", column(&Figures::play2));
        printRow("  of which in the player's opening", column(&Figures::opening2));
    } catch (const std::exception& e) {
        std::cerr << "vt_bench_startup: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
