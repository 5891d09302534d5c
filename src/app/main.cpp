// The composition root: parses the command line, runs a command-line mode without a display or
// starts the windows.

#include "browser/commandline.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QStringList>

#include <cstring>
#include <iostream>
#include <memory>

namespace {

struct CommandLine {
    QCommandLineOption dump{"dump", "Print SONG as one JSON object and exit.", "SONG"};
    QCommandLineOption soundFont{"soundfont", "Play with the SoundFont FILE.", "FILE"};
};

void describe(QCommandLineParser& parser, const CommandLine& options) {
    parser.setApplicationDescription("Vocatune Player: a karaoke player for KAR files.");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(options.dump);
    parser.addOption(options.soundFont);
    parser.addPositionalArgument("song", "A KAR file to play at once.", "[SONG]");
}

// The command-line modes must run where there is no display, so they get a core application.
bool wantsConsole(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        for (const char* option : {"--dump", "--help", "-h", "--help-all", "--version", "-v"}) {
            if (std::strcmp(argv[i], option) == 0 || (std::strncmp(argv[i], "--dump=", 7) == 0))
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

} // namespace

int main(int argc, char** argv) {
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
        return browser::RunDump(QFile::encodeName(parser.value(options.dump)).toStdString(),
                                std::cout, std::cerr);

    // The windows arrive with the browser; until then the program explains itself.
    parser.showHelp(0);
}
