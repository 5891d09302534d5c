// The composition root: parses the command line, runs a command-line mode without a display or
// makes the program's services once and starts the windows with them.

#include "browser/commandline.h"
#include "browser/paths.h"
#include "browser/playerrequest.h"
#include "browser/ui/form1.h"
#include "browser/ui/form4.h"
#include "options/ui/form2.h"
#include "platform/errors.h"
#include "platform/qt/fluidengine.h"
#include "platform/qt/fluidsequencer.h"
#include "platform/qt/qtdialogs.h"
#include "platform/qt/qtmessagesink.h"
#include "platform/qt/qtpicture.h"
#include "platform/qt/qtsettingsstore.h"
#include "platform/steadyclock.h"
#include "player/ui/form3.h"
#include "player/ui/playertrace.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QPixmap>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

namespace {

struct CommandLine {
    QCommandLineOption dump{"dump", "Print SONG as one JSON object and exit.", "SONG"};
    QCommandLineOption exportLyrics{
        "export", "Write the lyrics of SONG to the text file OUT (given after it) and exit.",
        "SONG"};
    QCommandLineOption soundFont{"soundfont", "Play with the SoundFont FILE.", "FILE"};
    QCommandLineOption play{"play", "Start playing as soon as the player window is open."};
    QCommandLineOption quitAfter{"quit-after", "End the program after SECONDS.", "SECONDS"};
    QCommandLineOption screenshot{
        "screenshot", "With --quit-after: save a picture of the front window to FILE first.",
        "FILE"};
    QCommandLineOption silent{"silent",
                              "Play without sound: the music runs in real time, but no audio "
                              "device is opened."};
    QCommandLineOption trace{
        "trace", "Write the times of what the windows draw to FILE, one JSON object a line.",
        "FILE"};
};

void describe(QCommandLineParser& parser, const CommandLine& options) {
    parser.setApplicationDescription("Vocatune Player: a karaoke player for KAR files.");
    parser.addHelpOption();
    parser.addVersionOption();
    for (const QCommandLineOption* option :
         {&options.dump, &options.exportLyrics, &options.soundFont, &options.play,
          &options.quitAfter, &options.screenshot, &options.silent, &options.trace})
        parser.addOption(*option);
    parser.addPositionalArgument("song", "A KAR file to play at once.", "[SONG]");
}

// The command-line modes must run where there is no display, so they get a core application.
bool wantsConsole(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        for (const char* option :
             {"--dump", "--export", "--help", "-h", "--help-all", "--version", "-v"}) {
            const std::size_t length = std::strlen(option);
            if (std::strncmp(argv[i], option, length) == 0 &&
                (argv[i][length] == '\0' || (option[1] == '-' && argv[i][length] == '=')))
                return true;
        }
    }
    return false;
}

void nameApplication() {
    QCoreApplication::setOrganizationName("Vocatune");
    QCoreApplication::setApplicationName("Vocatune Player");
    QCoreApplication::setApplicationVersion(QStringLiteral(VT_VERSION));
}

std::string localPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

int runExport(const QCommandLineParser& parser, const CommandLine& options) {
    const QStringList rest = parser.positionalArguments();
    if (rest.size() != 1) {
        std::cerr << "vocatune: --export needs a song and a text file: --export SONG OUT\n";
        return EXIT_FAILURE;
    }
    return browser::RunExport(localPath(parser.value(options.exportLyrics)),
                              localPath(rest.front()), std::cerr);
}

// The song named on the command line as one text (a path with spaces may come in pieces),
// without the quotes a file manager may add, and absolute: a shell names files from its own
// folder, which is not the browser's.
std::string songArgument(const QCommandLineParser& parser) {
    const QStringList pieces = parser.positionalArguments();
    if (pieces.isEmpty())
        return {};
    const std::string text = browser::unquoteCommandLine(localPath(pieces.join(' ')));
    if (text.empty() || text.front() == '/')
        return text;
    return localPath(QDir::current().absoluteFilePath(QFile::decodeName(text.c_str())));
}

// What the windows share, made once: one settings store, one message box, one set of common
// dialogs, one picture loader, one clock and the one synthesiser, which outlives every player.
struct Services {
    explicit Services(platform::qt::FluidEngineSettings sound)
        : engine(std::move(sound), messages) {}

    platform::qt::QtSettingsStore settings;
    platform::qt::QtMessageSink messages;
    platform::qt::QtDialogs dialogs;
    platform::qt::QtPictureLoader pictures;
    platform::SteadyClock clock;
    platform::qt::FluidEngine engine;
};

struct Launch {
    bool play = false; // --play
    QWidget* browser = nullptr;
    player::ui::TraceFile* trace = nullptr; // --trace
};

// Shows a player window modally; with --play its own Play button is pressed as soon as it is
// open, as a user would.
void runPlayer(QDialog& window, const Launch& launch) {
    if (launch.play) {
        QTimer::singleShot(0, &window, [&window] {
            if (auto* play = window.findChild<QAbstractButton*>("playButton"))
                play->click();
        });
    }
    window.exec();
}

// The browser's PLAY: a fresh player window (and sequencer device) for every song, unloaded
// when it closes.
void showPlayer(const browser::PlayerRequest& request, Services& services, const Launch& launch) {
    if (launch.trace)
        launch.trace->write({.what = "player-opening", .micros = player::ui::traceMicros()});
    platform::qt::FluidSequencer device(services.engine);
    player::ui::Form3 window(request.folderPath, request.fileName, request.titleText,
                             {services.settings, services.messages, services.dialogs,
                              services.clock, device, services.pictures},
                             launch.browser);
    std::optional<player::ui::PlayerProbe> probe;
    if (launch.trace)
        probe.emplace(window, launch.trace->sink());
    runPlayer(window, launch);
}

void showOptions(Services& services, const Launch& launch) {
    options::ui::Form2 dialog(
        {services.settings, services.messages, services.dialogs, services.pictures},
        launch.browser);
    dialog.exec();
}

// --quit-after SECONDS [--screenshot FILE]: ends the program on time, wherever it is (a modal
// window included), after saving a picture of its front window. The window draws itself into
// the picture, so neither a window manager nor a screen-capture tool is needed, and what is
// saved is exactly the window, whatever lies over it on the screen.
class TimedExit {
public:
    TimedExit(double seconds, QString screenshot) : m_screenshot(std::move(screenshot)) {
        QTimer::singleShot(static_cast<int>(std::lround(seconds * 1000)), qApp,
                           [this] { leave(); });
    }
    bool leaving() const { return m_leaving; }
    int exitCode() const { return m_exitCode; }

private:
    static QWidget* frontWindow() {
        if (QWidget* modal = QApplication::activeModalWidget())
            return modal;
        if (QWidget* active = QApplication::activeWindow())
            return active;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->isVisible())
                return window;
        }
        return nullptr;
    }

    void leave() {
        if (!m_screenshot.isEmpty()) {
            QWidget* window = frontWindow();
            if (!window || !window->grab().save(m_screenshot, "PNG")) {
                std::cerr << "vocatune: could not save the screenshot " << localPath(m_screenshot)
                          << '\n';
                m_exitCode = EXIT_FAILURE;
            }
        }
        m_leaving = true;
        // Modal windows run event loops of their own, and closing one may open another (a
        // message): keep closing until the program has wound down.
        auto* closer = new QTimer(qApp);
        QObject::connect(closer, &QTimer::timeout, qApp, [this] { closeEverything(); });
        closer->start(100);
        closeEverything();
    }

    void closeEverything() {
        QApplication::closeAllWindows();
        QCoreApplication::exit(m_exitCode);
    }

    QString m_screenshot;
    bool m_leaving = false;
    int m_exitCode = EXIT_SUCCESS;
};

std::optional<double> secondsOf(const QString& text) {
    bool ok = false;
    const double seconds = text.toDouble(&ok);
    if (!ok || !std::isfinite(seconds) || seconds < 0 || seconds > 86400)
        return std::nullopt;
    return seconds;
}

int runWindows(QApplication& app, const QCommandLineParser& parser, const CommandLine& options,
               std::int64_t started) {
    std::unique_ptr<player::ui::TraceFile> trace;
    if (parser.isSet(options.trace)) {
        try {
            trace = std::make_unique<player::ui::TraceFile>(localPath(parser.value(options.trace)));
        } catch (const platform::RuntimeError& e) {
            std::cerr << "vocatune: " << e.detail() << '\n';
            return EXIT_FAILURE;
        }
        trace->write({.what = "main", .micros = started});
    }
    std::unique_ptr<TimedExit> timedExit;
    if (parser.isSet(options.quitAfter)) {
        const std::optional<double> seconds = secondsOf(parser.value(options.quitAfter));
        if (!seconds) {
            std::cerr << "vocatune: --quit-after needs a number of seconds\n";
            return EXIT_FAILURE;
        }
        timedExit = std::make_unique<TimedExit>(*seconds, parser.value(options.screenshot));
    } else if (parser.isSet(options.screenshot)) {
        std::cerr << "vocatune: --screenshot is taken on leaving: give --quit-after too\n";
        return EXIT_FAILURE;
    }

    Services services(
        platform::qt::FluidEngineSettings{.soundFont = localPath(parser.value(options.soundFont)),
                                          .silent = parser.isSet(options.silent)});
    Launch launch{.play = parser.isSet(options.play), .trace = trace.get()};

    auto splash = std::make_unique<browser::ui::Form4>();
    const browser::ui::Form1Services browserServices{
        services.settings,
        services.messages,
        [&](const browser::PlayerRequest& request) { showPlayer(request, services, launch); },
        [&] { showOptions(services, launch); },
        [&] { splash->hide(); },
    };
    std::unique_ptr<browser::ui::Form1> browser;
    splash->Form_Load([&] {
        browser = std::make_unique<browser::ui::Form1>(browserServices, songArgument(parser));
        if (trace)
            new player::ui::FirstPaintWatch(*browser, "browser-painted", trace->sink());
        launch.browser = browser.get();
        browser->Form_Load();
        if (!timedExit || !timedExit->leaving())
            browser->show();
    });
    // The browser's start has hidden the splash; it goes now that its load has returned.
    splash.reset();

    if (timedExit && timedExit->leaving())
        return timedExit->exitCode();
    return app.exec();
}

} // namespace

int main(int argc, char** argv) {
    const std::int64_t started = player::ui::traceMicros();
    std::unique_ptr<QCoreApplication> app;
    if (wantsConsole(argc, argv))
        app = std::make_unique<QCoreApplication>(argc, argv);
    else
        app = std::make_unique<QApplication>(argc, argv);
    nameApplication();

    QCommandLineParser parser;
    const CommandLine options;
    describe(parser, options);
    parser.process(*app);

    if (parser.isSet(options.dump))
        return browser::RunDump(localPath(parser.value(options.dump)), std::cout, std::cerr);
    if (parser.isSet(options.exportLyrics))
        return runExport(parser, options);

    auto* gui = qobject_cast<QApplication*>(app.get());
    if (!gui)
        parser.showHelp(EXIT_FAILURE);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/vocatune.png")));
    QGuiApplication::setDesktopFileName(QStringLiteral("vocatune"));
    return runWindows(*gui, parser, options, started);
}
