#include "browser/ui/form1.h"

#include "browser/paths.h"
#include "browser/ui/drivelist.h"
#include "browser/ui/filelist.h"
#include "browser/ui/folderlist.h"
#include "options/optionsstore.h"
#include "platform/numeric.h"
#include "platform/qt/logo.h"
#include "platform/qt/twipsgeometry.h"
#include "platform/qt/whitepanel.h"
#include "platform/qt/windows1252.h"
#include "song/songinfo.h"

#include <QLabel>
#include <QPushButton>

namespace browser::ui {

namespace {

using platform::qt::twipsRect;

constexpr const char* Caption = "Vocatune Player 1.5";
constexpr const char* SongPattern = "*.kar";

// The song texts end each line with CR LF; a label wants a plain line feed.
QString labelText(const std::string& bytes) {
    QString text = platform::qt::fromWindows1252(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

QLabel* whiteBox(QWidget* parent, const QRect& place) {
    auto* label = new QLabel(parent);
    label->setGeometry(place);
    platform::qt::makeWhitePanel(*label);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setMargin(2);
    return label;
}

QLabel* heading(QWidget* parent, const char* text, int left, int top) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->move(twipsRect(left, top, 0, 0).topLeft());
    label->adjustSize();
    return label;
}

} // namespace

Form1::Form1(Form1Services services, std::string commandLine, QWidget* parent)
    : QWidget(parent), m_services(std::move(services)), m_commandLine(std::move(commandLine)),
      m_errors(m_services.messages) {
    buildControls();
}

void Form1::buildControls() {
    setWindowTitle(QString::fromLatin1(Caption));
    platform::qt::useDesignFont(*this);
    setFixedSize(platform::qt::twipsSize(8055, 5535));

    QLabel* logo = platform::qt::makeLogo(this);
    logo->move(platform::centred(width(), logo->width()), 0);

    m_label3[3] = heading(this, "Karaoke Directory", 240, 1320);
    m_label3[2] = heading(this, "Song List", 4200, 1320);
    m_label3[0] = heading(this, "Song Info", 240, 3600);
    m_label3[1] = heading(this, "File Info", 4200, 3600);

    m_dir1 = new FolderList(this);
    m_dir1->setObjectName("Dir1");
    m_dir1->setGeometry(twipsRect(120, 1560, 3855, 1605));
    m_drive1 = new DriveList(this);
    m_drive1->setObjectName("Drive1");
    m_drive1->setGeometry(twipsRect(120, 3075, 3855, 315));
    m_file1 = new FileList(this);
    m_file1->setObjectName("File1");
    m_file1->setGeometry(twipsRect(4080, 1560, 3855, 1845));
    m_file1->setPattern(SongPattern);

    m_label1 = whiteBox(this, twipsRect(120, 3840, 3855, 1095));
    m_label1->setObjectName("Label1");
    m_label2 = whiteBox(this, twipsRect(4080, 3840, 3855, 1095));
    m_label2->setObjectName("Label2");

    const std::array<std::pair<const char*, QRect>, 3> buttons{{
        {"Options", twipsRect(120, 5040, 975, 375)},
        {"PLAY", twipsRect(3480, 5040, 1095, 375)},
        {"Quit", twipsRect(6960, 5040, 975, 375)},
    }};
    for (int index = 0; index < 3; ++index) {
        auto* button = new QPushButton(QString::fromLatin1(buttons[index].first), this);
        button->setObjectName(QStringLiteral("Command1_%1").arg(index));
        button->setGeometry(buttons[index].second);
        connect(button, &QPushButton::clicked, this,
                [this, index] { m_errors.run([&] { Command1_Click(index); }); });
        m_command1[index] = button;
    }
    const std::array<QWidget*, 6> tabs{m_dir1,        m_drive1,      m_file1,
                                       m_command1[0], m_command1[1], m_command1[2]};
    for (std::size_t i = 1; i < tabs.size(); ++i)
        setTabOrder(tabs[i - 1], tabs[i]);

    connect(m_drive1, &DriveList::driveChanged, this,
            [this] { m_errors.run([&] { Drive1_Change(); }); });
    connect(m_dir1, &FolderList::pathChanged, this,
            [this] { m_errors.run([&] { Dir1_Change(); }); });
    connect(m_file1, &FileList::fileClicked, this,
            [this] { m_errors.run([&] { File1_Click(); }); });
    connect(m_file1, &FileList::fileActivated, this,
            [this] { m_errors.run([&] { File1_DblClick(); }); });
}

void Form1::Form_Load() {
    m_openEnabled = true;
    platform::qt::centreOnScreen(*this);
    if (m_services.closeSplash)
        m_services.closeSplash();

    // A start directory that has gone or a song that cannot be read leaves the lists where
    // they are; nothing is reported.
    platform::ErrorTrap trap;
    const auto scope = m_errors.collectInto(trap);
    trap.run([&] { m_drive1->setDrive(options::readStartDirectory(m_services.settings)); });
    trap.run([&] { m_dir1->setPath(options::readStartDirectory(m_services.settings)); });
    if (!m_commandLine.empty())
        openCommandLineSong(trap);
    trap.clear();
}

void Form1::openCommandLineSong(platform::ErrorTrap& trap) {
    m_openEnabled = false;
    const SongLocation song = splitSongPath(unquoteCommandLine(m_commandLine));
    trap.run([&] { m_drive1->setDrive(song.folder); });
    trap.run([&] { m_dir1->setPath(song.folder); });
    trap.run([&] { m_file1->setFileName(song.fileName); });
    trap.run([&] { File1_Click(); });
    show();
    m_openEnabled = true;
    trap.run([&] { File1_DblClick(); });
    trap.run([&] { m_file1->setPattern(SongPattern); });
}

void Form1::Drive1_Change() {
    m_dir1->setPath(m_drive1->drive());
}

void Form1::Dir1_Change() {
    m_file1->setPath(m_dir1->path());
}

void Form1::File1_Click() {
    std::string info;
    std::string title;
    try {
        song::ReadSongInfo(songPath(m_file1->path(), m_file1->fileName()), info, title,
                           m_services.messages);
    } catch (...) {
        // The texts of the song selected before are no description of this one.
        showSongTexts({}, {});
        throw;
    }
    showSongTexts(std::move(title), std::move(info));
}

void Form1::File1_DblClick() {
    if (m_openEnabled)
        m_services.showPlayer({m_file1->path(), m_file1->fileName(), m_title});
}

void Form1::Command1_Click(int index) {
    switch (index) {
    case 0: {
        platform::ErrorTrap trap;
        const auto scope = m_errors.collectInto(trap);
        trap.run([&] { m_services.showOptions(); });
        report(trap, "Error loading Form2 from Form1.");
        break;
    }
    case 1:
        pressPlay();
        break;
    case 2:
        close();
        break;
    default:
        break;
    }
}

void Form1::pressPlay() {
    platform::ErrorTrap trap;
    const auto scope = m_errors.collectInto(trap);
    std::string fileName;
    trap.run([&] { fileName = m_file1->fileName(); });
    if (!fileName.empty()) {
        trap.run([&] { m_services.showPlayer({m_file1->path(), fileName, m_title}); });
        report(trap, "Error loading Form3 from Form1.");
    }
    report(trap, "Error reading Filename.");
}

void Form1::report(platform::ErrorTrap& trap, const char* message) {
    if (trap.pending() > 0) {
        m_services.messages.showMessage(message, platform::MessageIcon::None);
        trap.clear();
    }
}

void Form1::showSongTexts(std::string title, std::string info) {
    m_title = std::move(title);
    m_info = std::move(info);
    m_label1->setText(labelText(m_title));
    m_label2->setText(labelText(m_info));
}

} // namespace browser::ui
