#include "player/ui/form3.h"

#include "display/bouncingball.h"
#include "display/pagerules.h"
#include "display/rowwrapper.h"
#include "display/stilltext.h"
#include "options/optionsstore.h"
#include "options/windowsettings.h"
#include "platform/errors.h"
#include "platform/errortrap.h"
#include "platform/numeric.h"
#include "platform/qt/logo.h"
#include "platform/qt/qtcolor.h"
#include "platform/qt/screenmetrics.h"
#include "platform/qt/twipsgeometry.h"
#include "platform/qt/updown.h"
#include "platform/qt/windows1252.h"
#include "player/lyricsexport.h"
#include "player/startuprules.h"
#include "player/ui/lyricpane.h"
#include "player/ui/mmcontrol.h"
#include "song/karreader.h"
#include "song/linebuilder.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolButton>
#include <QWindowStateChangeEvent>

#include <algorithm>
#include <exception>
#include <utility>

namespace player::ui {

namespace {

namespace mode = platform::sequencer;

constexpr double TwipsPerInch = 1440;
constexpr double HimetricPerInch = 2540;

// Design-time places in twips.
struct Place {
    double left;
    double top;
    double width;
    double height;
};
constexpr Place ExportPlace{120, 120, 735, 375};
constexpr Place OffsetLabelPlace{135, 615, 495, 240};
constexpr Place SpinnerPlace{645, 540, 240, 360};
constexpr Place OffsetBoxPlace{915, 570, 210, 285};
constexpr Place ControlPlace{3000, 1320, 2040, 735};
constexpr Place PanePlace{0, 2160, 7815, 3015};
constexpr Place ScrollBarPlace{7800, 2160, 255, 3015};
constexpr Place StatusBarPlace{0, 5160, 8055, 375};
constexpr double LogoTop = 15;
constexpr double DesignInnerWidth = 8055;
constexpr double DesignInnerHeight = 5535;

// The band above the pane and the status bar below it: the inner height the pane does not get.
constexpr double BandHeight = 2160;
constexpr double StatusBarHeight = 375;
constexpr double SmallestOuterHeight = 3015;
// A window fitted to its background picture: the picture plus the rest of the window.
constexpr double PictureExtraWidth = 375;
constexpr double PictureExtraHeight = 2625;

constexpr std::int16_t ReportsOff = 0;
constexpr std::int16_t ReportsAsOftenAsPossible = 1;

// The offset box shows five digits and a sign; narrower, a typed offset could not be read.
constexpr const char* WidestOffset = "-00000";

QString labelText(const std::string& pageText) {
    QString text = platform::qt::fromWindows1252(pageText);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

} // namespace

Form3::Form3(const std::string& folderPath, const std::string& fileName,
             const std::string& titleText, const Form3Services& services, QWidget* parent)
    : QDialog(parent), m_services(services), m_dpi(platform::qt::screenDpi()) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QString::fromUtf8(PlayerTitle));
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    createControls();
    connectHandlers();
    resize(pixelsX(DesignInnerWidth), pixelsY(DesignInnerHeight));
    Form_Load(folderPath, fileName, titleText);
}

Form3::~Form3() {
    if (!m_unloaded) {
        m_unloaded = true;
        try {
            Form_Unload();
        } catch (...) {
            // The window is going; its placement is not worth a message.
        }
    }
    m_services.sequencer.close();
}

const platform::Canvas& Form3::pane() const {
    return Picture1->canvas();
}

platform::Canvas& Form3::canvas() {
    return Picture1->canvas();
}

PageScene Form3::pageScene() {
    const platform::Picture* backdrop =
        m_options.Bitmap ? display::backdropAt(m_backdrops, m_backdropIndex) : nullptr;
    return {canvas(), m_song.Lyrics, m_rows, m_options, backdrop};
}

void Form3::createControls() {
    platform::qt::useDesignFont(*this);
    const auto place = [this](QWidget* control, const char* name, const Place& at) {
        control->setObjectName(QString::fromLatin1(name));
        control->setGeometry(pixelsX(at.left), pixelsY(at.top), pixelsX(at.width),
                             pixelsY(at.height));
    };
    cmdExport = new QPushButton(QStringLiteral("Export"), this);
    // Enter in the offset box must not export.
    cmdExport->setAutoDefault(false);
    place(cmdExport, "cmdExport", ExportPlace);

    lblOffset = new QLabel(QStringLiteral("Offset:"), this);
    place(lblOffset, "lblOffset", OffsetLabelPlace);
    // Fonts wider than the design's push the caption leftwards, never under the spinner.
    if (lblOffset->sizeHint().width() > lblOffset->width()) {
        const int right = lblOffset->geometry().right();
        lblOffset->setGeometry(std::max(0, right + 1 - lblOffset->sizeHint().width()),
                               lblOffset->y(), lblOffset->sizeHint().width(), lblOffset->height());
    }

    spnOffset = new platform::qt::UpDown(this);
    place(spnOffset, "spnOffset", SpinnerPlace);
    spnOffset->upButton()->setToolTip(tr("Lyrics later"));
    spnOffset->downButton()->setToolTip(tr("Lyrics earlier"));

    txtOffset = new QLineEdit(this);
    place(txtOffset, "txtOffset", OffsetBoxPlace);
    txtOffset->setAccessibleName(tr("Offset in sixteenth notes"));
    txtOffset->resize(
        std::max(txtOffset->width(), txtOffset->fontMetrics().horizontalAdvance(WidestOffset) + 8),
        txtOffset->height());
    lblOffset->setBuddy(txtOffset);

    Image1 = platform::qt::makeLogo(this);
    Image1->move(0, pixelsY(LogoTop));

    MMControl1 = new MMControl(m_services.sequencer, m_services.messages, this);
    place(MMControl1, "MMControl1", ControlPlace);
    MMControl1->resize(std::max(MMControl1->width(), MMControl1->sizeHint().width()),
                       std::max(MMControl1->height(), MMControl1->sizeHint().height()));

    Picture1 = new LyricPane(this);
    place(Picture1, "Picture1", PanePlace);
    Picture1->setAccessibleName(tr("Lyrics"));
    fitCanvasToPane();

    Label1 = new QLabel(Picture1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextFormat(Qt::PlainText);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    VScroll1 = new QScrollBar(Qt::Vertical, this);
    place(VScroll1, "VScroll1", ScrollBarPlace);
    VScroll1->setRange(0, 0);
    VScroll1->setSingleStep(1);
    VScroll1->setPageStep(1);
    // A drag reports its movements as scrolling and its end as one change.
    VScroll1->setTracking(false);
    VScroll1->setEnabled(false);
    VScroll1->setAccessibleName(tr("Syllable"));

    StatusBar1 = new QStatusBar(this);
    place(StatusBar1, "StatusBar1", StatusBarPlace);
}

// Direct connections: setting a control's value from code runs its handler before the setter
// returns, and the handlers rely on it.
void Form3::connectHandlers() {
    connect(
        MMControl1, &MMControl::StatusUpdate, this,
        [this] {
            // A report tells nobody of a failure: the next report tries again.
            try {
                MMControl1_StatusUpdate();
            } catch (...) {
            }
        },
        Qt::DirectConnection);
    connect(
        MMControl1, &MMControl::PlayClick, this,
        [this](bool& cancel) {
            guarded("MMControl1_PlayClick", [&] { MMControl1_PlayClick(cancel); });
        },
        Qt::DirectConnection);
    connect(
        MMControl1, &MMControl::PrevCompleted, this,
        [this](std::int32_t code) {
            guarded("MMControl1_PrevCompleted", [&] { MMControl1_PrevCompleted(code); });
        },
        Qt::DirectConnection);
    connect(
        MMControl1, &MMControl::StopCompleted, this,
        [this](std::int32_t code) {
            guarded("MMControl1_StopCompleted", [&] { MMControl1_StopCompleted(code); });
        },
        Qt::DirectConnection);
    connect(
        VScroll1, &QScrollBar::valueChanged, this,
        [this] { guarded("VScroll1_Change", [this] { VScroll1_Change(); }); },
        Qt::DirectConnection);
    connect(
        VScroll1, &QScrollBar::sliderMoved, this,
        [this] { guarded("VScroll1_Scroll", [this] { VScroll1_Scroll(); }); },
        Qt::DirectConnection);
    connect(
        spnOffset, &platform::qt::UpDown::UpClick, this,
        [this] { guarded("spnOffset_UpClick", [this] { spnOffset_UpClick(); }); },
        Qt::DirectConnection);
    connect(
        spnOffset, &platform::qt::UpDown::DownClick, this,
        [this] { guarded("spnOffset_DownClick", [this] { spnOffset_DownClick(); }); },
        Qt::DirectConnection);
    connect(
        cmdExport, &QPushButton::clicked, this,
        [this] { guarded("cmdExport_Click", [this] { cmdExport_Click(); }); },
        Qt::DirectConnection);
}

template <typename Handler> void Form3::guarded(const char* name, Handler&& handler) noexcept {
    try {
        handler();
    } catch (...) {
        tellError(name, platform::errorNumberOf(std::current_exception()));
    }
}

void Form3::tellError(const char* where, int number) noexcept {
    try {
        m_services.messages.showMessage("Error " + std::to_string(number) + " in Form3::" + where +
                                            ".",
                                        platform::MessageIcon::None);
    } catch (...) {
        // Nowhere left to tell it.
    }
}

// ---- Start-up ----

void Form3::Form_Load(const std::string& folderPath, const std::string& fileName,
                      const std::string& titleText) {
    platform::ErrorTrap trap;
    loadDisplayOptions(trap);

    trap.run([&] { MMControl1->setDeviceType("Sequencer"); });
    trap.run([&] { MMControl1->setTimeFormat(mode::SongPointerFormat); });
    trap.clear(); // a device not yet open may refuse the format

    trap.run([&] { m_songPath = SongPath(folderPath, fileName); });
    if (loadSong(fileName, titleText, trap)) {
        placeWindow(trap);
        if (m_options.Bitmap)
            loadBackdrop(trap);
        m_playback.CurLyric = -1;
        m_playback.CurTempo = 1;
        m_playback.CurRow = 0;
        trap.run([&] { m_ball = BallAtRest(canvas()); });
    }

    if (trap.pending() > 0)
        tellError("Load", trap.pending());
    trap.clear();
}

void Form3::loadDisplayOptions(platform::ErrorTrap& trap) {
    options::LoadOptions(m_options, false, m_services.settings, trap);
    trap.run([&] { canvas().setFont(m_options.PlayFont); });
    trap.run([&] { Label1->setFont(Picture1->qtCanvas().font()); });
    trap.run([&] { canvas().setBackColor(m_options.BackColor); });
    trap.run([&] { canvas().setForeColor(m_options.FontColor); });
    trap.run([&] {
        QPalette palette = Label1->palette();
        palette.setColor(QPalette::WindowText,
                         platform::qt::toQColor(m_options.FontColor, palette));
        Label1->setPalette(palette);
    });
    trap.run([&] {
        txtOffset->setText(QString::fromStdString(options::readOffset(m_services.settings)));
    });
}

bool Form3::loadSong(const std::string& fileName, const std::string& titleText,
                     platform::ErrorTrap& trap) {
    bool read = false;
    trap.run([&] {
        read = song::ReadKar(m_songPath, m_song.Lyrics, m_song.Division, m_song.Tempos,
                             m_services.messages);
    });
    if (!read) {
        m_song = song::SongModel{}; // whatever the reader left is no song
        return false;
    }
    m_songLoaded = true;

    trap.run([&] {
        const CaptionName name = captionName(titleText, fileName);
        const QString text = name.isSongText ? platform::qt::fromWindows1252(name.text)
                                             : QString::fromStdString(name.text);
        setWindowTitle(text + QString::fromUtf8(CaptionSuffix));
    });
    trap.run([&] { MMControl1->setFileName(m_songPath); });
    trap.run([&] { MMControl1->setReportInterval(ReportsOff); });
    trap.run([&] { MMControl1->setCommand("Open"); });
    trap.run([&] { song::BuildLines(m_song.Lyrics, m_song.Lines); });
    trap.run([&] {
        display::WrapRows(canvas(), m_song.Lyrics, m_song.Lines, m_rows, m_playback.CurRow, 0);
    });
    m_playback.LabelShown = false;
    trap.run([&] {
        VScroll1->setRange(0, m_song.Lyrics.upper());
        VScroll1->setEnabled(true);
    });
    return true;
}

void Form3::placeWindow(platform::ErrorTrap& trap) {
    // Where the platform knows the frame before the window is shown, the stored outer size
    // comes out exact at once.
    create();
    const platform::SettingsStore& store = m_services.settings;
    trap.run([&] { applyWindowState(options::readWindowState(store)); });
    trap.run([&] {
        const int height = pixelsY(options::readWindowHeight(store));
        setOuterSize({frameGeometry().width(), height});
    });
    trap.run([&] {
        const int width = pixelsX(options::readWindowWidth(store));
        setOuterSize({width, frameGeometry().height()});
    });
    trap.run([&] {
        const auto centred = static_cast<float>(
            platform::centred(screenSizeTwips().height(), outerSizeTwips().height()));
        moveOuterTo(std::nullopt, pixelsY(options::readWindowTop(store, centred)));
    });
    trap.run([&] {
        const auto centred = static_cast<float>(
            platform::centred(screenSizeTwips().width(), outerSizeTwips().width()));
        moveOuterTo(pixelsX(options::readWindowLeft(store, centred)), std::nullopt);
    });
    m_wantedSize = WantedSize{frameGeometry().size(), size()};
}

void Form3::loadBackdrop(platform::ErrorTrap& trap) {
    m_backdrops = platform::makePictureArray();
    m_backdrops.resize(1);
    trap.clear();
    try {
        m_backdrops[1] = m_services.pictures.load(m_options.FileName);
    } catch (const platform::RuntimeError& e) {
        if (e.number() == platform::err::FileNotFound || e.number() == platform::err::PathNotFound)
            m_options.FileName.clear();
    } catch (...) {
        // Any other picture that cannot be shown is simply not shown.
    }
    m_backdropIndex = 1;
    const platform::PicturePtr picture = m_backdrops[1];
    if (!picture)
        return; // the window keeps its size and place
    trap.run([&] { canvas().setPicture(picture); });
    trap.run([&] {
        const double width = picture->Width() * TwipsPerInch / HimetricPerInch + PictureExtraWidth;
        const double height =
            picture->Height() * TwipsPerInch / HimetricPerInch + PictureExtraHeight;
        setOuterSize({pixelsX(width), pixelsY(height)});
        m_wantedSize = WantedSize{frameGeometry().size(), size()};
        const QSizeF outer = outerSizeTwips();
        const QSizeF screen = screenSizeTwips();
        if (outer.width() > screen.width() || outer.height() > screen.height()) {
            applyWindowState(2);
            return;
        }
        moveOuterTo(pixelsX(platform::centred(screen.width(), outer.width())),
                    pixelsY(platform::centred(screen.height(), outer.height())));
    });
}

// ---- Position reports and the transport ----

void Form3::MMControl1_StatusUpdate() {
    const song::LyricArray& Lyrics = m_song.Lyrics;
    Playback& state = m_playback;
    if (state.CurLyric == -1)
        state.CurLyric = platform::add16(VScroll1->value(), 1);
    if (state.CurLyric > Lyrics.upper()) {
        MMControl1->setReportInterval(ReportsOff);
        return;
    }
    const std::int32_t LyricPos =
        platform::sub32(MMControl1->position(), offsetValue(txtOffset->text().toStdString()));
    if (m_ball.HopStart == 0 || LyricPos < 0)
        m_ball.HopStart = m_services.clock.milliseconds();
    state.CurTempo = nextTempo(m_song.Tempos, state.CurTempo, LyricPos, m_song.Division);
    setScrollValue(state.CurLyric); // moves only the thumb: the change handler knows the value

    if (isDue(Lyrics[state.CurLyric].Tick, m_song.Division, LyricPos)) {
        const std::int16_t due = state.CurLyric;
        takeDueSyllable();
        emit syllableShown(due);
    }

    // Without timing nothing falls due and the ball has nowhere to go.
    if (m_options.Ball && m_song.Division > 0) {
        try {
            display::AnimateBall(canvas(), m_services.clock, m_ball, Lyrics, state.CurLyric,
                                 m_song.Tempos, state.CurTempo, LyricPos, m_song.Division,
                                 m_options, m_backdrops, m_backdropIndex);
        } catch (const platform::RuntimeError&) {
            // A step the numbers do not allow is skipped; the next report draws the ball again.
        }
    }
}

void Form3::takeDueSyllable() {
    Playback& state = m_playback;
    m_ball.HopStart = m_services.clock.milliseconds();
    const std::int32_t top = display::PageTop(canvas(), m_options);
    const PageScene scene = pageScene();
    if (m_song.Lyrics[state.CurLyric].Kind != song::KindContinue)
        DrawNewRow(scene, state.CurLyric, state.CurRow, m_pageText, m_ball, top);
    else
        MoveHighlight(scene, state.CurLyric, m_ball, top);

    if (state.CurLyric != m_song.Lyrics.upper()) {
        state.CurLyric = platform::add16(state.CurLyric, 1);
        return;
    }
    // The trailing sentinel: the song is over.
    MMControl1->setReportInterval(ReportsOff);
    EraseBall(scene, m_ball);
    state.CurLyric = platform::add16(state.CurLyric, 1);
}

void Form3::MMControl1_PlayClick(bool& /*cancel*/) {
    if (VScroll1->value() >= m_song.Lyrics.upper())
        return; // at the trailing sentinel the music plays on its own
    if (m_playback.LabelShown) {
        display::WrapRows(canvas(), m_song.Lyrics, m_song.Lines, m_rows, m_playback.CurRow,
                          platform::add16(VScroll1->value(), 1));
        m_playback.LabelShown = false;
        Label1->clear();
        Label1->repaint();
        VScroll1_Change();
    }
    MMControl1->setReportInterval(ReportsAsOftenAsPossible);
}

void Form3::MMControl1_PrevCompleted(std::int32_t /*errorCode*/) {
    if (MMControl1->mode() == mode::Playing) {
        MMControl1->setCommand("Stop");
        MMControl1->setReportInterval(ReportsOff);
    }
    MMControl1->setStartPosition(0);
    m_playback.CurLyric = -1;
    m_playback.CurTempo = 1;
    m_playback.CurRow = 0;
    RestBall(canvas(), m_ball);
    m_ball.HopStart = 0;
    setScrollValue(0);
}

void Form3::MMControl1_StopCompleted(std::int32_t /*errorCode*/) {
    MMControl1->setReportInterval(ReportsOff);
    m_ball.HopStart = 0;
    // Not yet positioned (no report since Play or Prev): the view stays as it is.
    if (m_playback.CurLyric >= 0)
        setScrollValue(m_playback.CurLyric - 1);
}

void Form3::spnOffset_UpClick() {
    txtOffset->setText(QString::fromStdString(offsetAfterUp(txtOffset->text().toStdString())));
}

void Form3::spnOffset_DownClick() {
    const std::string text = txtOffset->text().toStdString();
    const std::string lower = offsetAfterDown(text);
    if (lower != text)
        txtOffset->setText(QString::fromStdString(lower));
}

// ---- Scrolling ----

void Form3::setScrollValue(int value) {
    VScroll1->setValue(std::clamp(value, VScroll1->minimum(), VScroll1->maximum()));
}

void Form3::VScroll1_Scroll() {
    MMControl1->setCommand("Stop");
    MMControl1->setReportInterval(ReportsOff);
}

void Form3::VScroll1_Change() {
    Playback& state = m_playback;
    if (VScroll1->value() == state.CurLyric)
        return; // the position reports move the thumb to where they are
    Label1->clear();
    if (MMControl1->mode() == mode::Playing) {
        MMControl1->setCommand("Stop");
        MMControl1->setReportInterval(ReportsOff);
        // Back to the syllable being sung; a change runs this handler again, at once.
        setScrollValue(VScroll1->value() - 1);
    }
    canvas().cls();
    if (state.LabelShown) {
        display::WrapRows(canvas(), m_song.Lyrics, m_song.Lines, m_rows, state.CurRow,
                          platform::toInt16(VScroll1->value()));
        state.LabelShown = false;
    }
    state.CurLyric = platform::toInt16(VScroll1->value());
    const PageScene scene = pageScene();

    if (state.CurLyric == 0) {
        PrintPage(scene, 1, m_pageText);
        canvas().setCurrentX(canvas().textWidth(display::Indent));
        MMControl1->setStartPosition(0);
        RestBall(canvas(), m_ball);
        m_ball.HopStart = 0;
        state.CurLyric = -1;
        state.CurTempo = 1;
        state.CurRow = 0;
        return;
    }

    const song::LyricEvent& syllable = m_song.Lyrics[state.CurLyric];
    state.CurTempo = tempoAt(m_song.Tempos, state.CurTempo, syllable.Tick);
    state.CurRow = rowOfSyllable(m_song.Lyrics, state.CurLyric);
    const std::int32_t top = PrintPage(scene, state.CurRow, m_pageText);
    if (state.CurLyric == m_song.Lyrics.upper()) {
        MMControl1->setStartPosition(MMControl1->length());
        state.CurLyric = platform::add16(state.CurLyric, 1);
        return;
    }
    HighlightSyllable(scene, state.CurLyric, top, m_ball);
    m_ball.HopStart = 0;
    MMControl1->setStartPosition(startPositionOf(syllable.Tick, m_song.Division));
    state.CurLyric = -1;
}

// ---- Resize and close ----

bool Form3::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && m_wantedSize)
        fitFrame();
    return QDialog::event(event);
}

// The stored size is the window's outer size. Some platforms tell the frame around the inner
// area only once the window is on the screen: then the inner area is set again, unless someone
// has resized the window meanwhile.
void Form3::fitFrame() {
    const WantedSize wanted = *std::exchange(m_wantedSize, std::nullopt);
    if (size() != wanted.inner || windowState() != Qt::WindowNoState)
        return;
    if (frameGeometry().size() != wanted.outer)
        setOuterSize(wanted.outer);
}

void Form3::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    guarded("Form_Resize", [this] { Form_Resize(); });
}

// Minimising and restoring change no size, but the handler must see them.
void Form3::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !isVisible())
        return;
    const auto before = static_cast<QWindowStateChangeEvent*>(event)->oldState();
    if ((before ^ windowState()) & Qt::WindowMinimized)
        guarded("Form_Resize", [this] { Form_Resize(); });
}

void Form3::Form_Resize() {
    if (MMControl1->mode() == mode::Playing) {
        MMControl1->setCommand("Stop");
        MMControl1->setReportInterval(ReportsOff);
        m_ball.HopStart = 0;
        if (m_playback.CurLyric >= 0)
            setScrollValue(m_playback.CurLyric - 1);
    }
    if (isMinimized())
        return;
    const int smallestHeight = pixelsY(SmallestOuterHeight);
    const int frameHeight = frameGeometry().height() - height();
    if (frameGeometry().height() < smallestHeight)
        setOuterSize({frameGeometry().width(), smallestHeight});

    const int innerWidth = width();
    const int innerHeight = std::max(height(), smallestHeight - frameHeight);
    const int paneTop = pixelsY(BandHeight);
    const int statusHeight = pixelsY(StatusBarHeight);
    const int paneHeight = std::max(innerHeight - paneTop - statusHeight, 0);
    const int scrollWidth = VScroll1->width();
    const int paneWidth = std::max(innerWidth - scrollWidth, 0);

    Picture1->setGeometry(0, paneTop, paneWidth, paneHeight);
    fitCanvasToPane();
    Label1->hide();
    layOutLabel(paneWidth, paneHeight);
    Label1->show();
    VScroll1->setGeometry(innerWidth - scrollWidth, paneTop, scrollWidth, paneHeight);
    Image1->move(platform::centred(innerWidth, Image1->width()), Image1->y());
    MMControl1->move(platform::centred(innerWidth, MMControl1->width()), MMControl1->y());
    StatusBar1->setGeometry(0, innerHeight - statusHeight, innerWidth, statusHeight);

    showStoppedView();
    m_playback.LabelShown = true;
}

void Form3::layOutLabel(int width, int paneHeight) {
    using platform::roundToInt32;
    const platform::Canvas& pane = canvas();
    const double indent = pane.textWidth(display::Indent);
    const double line = display::lineHeight(pane);
    std::int32_t top = roundToInt32(line);
    double height = paneHeight - line;
    if (m_options.NumLines != options::AutomaticLines) {
        const auto breaks = static_cast<std::size_t>(std::max(m_options.NumLines - 1, 0));
        height = pane.textHeight(std::string(breaks, '\r'));
        if (m_options.VertJust == 1)
            top = platform::centred(pane.scaleHeight(), height);
        else if (m_options.VertJust == 2)
            top = roundToInt32(pane.scaleHeight() - height);
        if (top < line)
            top = roundToInt32(line);
    }
    Label1->setGeometry(roundToInt32(indent), top, std::max(roundToInt32(width - 2 * indent), 0),
                        std::max(roundToInt32(height), 0));
}

// The page drawn before the resize no longer fits the pane: the label shows the same place as
// plain text over the bare background until playback draws the page again.
void Form3::showStoppedView() {
    m_pageText.clear();
    if (m_songLoaded)
        display::ComposeStillText(canvas(), m_song.Lyrics, platform::toInt16(VScroll1->value()),
                                  m_rows, m_playback.CurRow, m_pageText, m_options);
    canvas().cls();
    Label1->setText(labelText(m_pageText));
}

void Form3::fitCanvasToPane() {
    Picture1->qtCanvas().resize(Picture1->size(), Picture1->devicePixelRatioF());
}

void Form3::done(int result) {
    if (!m_unloaded) {
        m_unloaded = true;
        guarded("Form_Unload", [this] { Form_Unload(); });
    }
    QDialog::done(result);
}

void Form3::Form_Unload() {
    options::WindowPlacement placement;
    placement.WindowState = isMinimized() ? 1 : isMaximized() ? 2 : 0;
    const QRect frame = frameGeometry();
    placement.Top = static_cast<float>(twipsY(frame.y()));
    placement.Left = static_cast<float>(twipsX(frame.x()));
    placement.Height = static_cast<float>(twipsY(frame.height()));
    placement.Width = static_cast<float>(twipsX(frame.width()));
    try {
        options::writeWindowPlacement(m_services.settings, placement);
    } catch (const platform::RuntimeError&) {
        // A store that cannot be written loses the placement, not the window.
    }
    try {
        options::writeOffset(m_services.settings, txtOffset->text().toStdString());
    } catch (const platform::RuntimeError&) {
    }
}

// ---- Export ----

void Form3::cmdExport_Click() {
    platform::MessageSink& messages = m_services.messages;
    if (m_rows.count() == 0) {
        messages.showMessage("There are no lyrics to export.", platform::MessageIcon::Information);
        return;
    }
    const auto chosen = m_services.dialogs.saveFile(m_exportFileName, ExportFilter);
    if (!chosen)
        return;
    m_exportFileName = *chosen;
    if (m_exportFileName.empty())
        return;
    try {
        ExportLyrics(m_rows, m_exportFileName);
    } catch (const platform::RuntimeError& e) {
        const std::string reason =
            e.detail().empty() ? platform::errorDescription(e.number()) : e.detail();
        messages.showMessage("The lyrics could not be saved to " + m_exportFileName + ": " +
                                 reason + ".",
                             platform::MessageIcon::Exclamation);
    }
}

// ---- Window measures ----

int Form3::pixelsX(double twips) const {
    return platform::roundToInt32(twips * m_dpi.width() / TwipsPerInch);
}

int Form3::pixelsY(double twips) const {
    return platform::roundToInt32(twips * m_dpi.height() / TwipsPerInch);
}

double Form3::twipsX(int pixels) const {
    return pixels * TwipsPerInch / m_dpi.width();
}

double Form3::twipsY(int pixels) const {
    return pixels * TwipsPerInch / m_dpi.height();
}

QSizeF Form3::outerSizeTwips() const {
    const QSize outer = frameGeometry().size();
    return {twipsX(outer.width()), twipsY(outer.height())};
}

QSizeF Form3::screenSizeTwips() const {
    const QScreen* shown = screen();
    const QSize pixels = shown ? shown->geometry().size() : QSize(1024, 768);
    return {twipsX(pixels.width()), twipsY(pixels.height())};
}

void Form3::setOuterSize(QSize pixels) {
    const QSize frame = frameGeometry().size() - size();
    resize((pixels - frame).expandedTo({1, 1}));
}

void Form3::moveOuterTo(std::optional<int> left, std::optional<int> top) {
    const QRect frame = frameGeometry();
    move(left.value_or(frame.x()), top.value_or(frame.y()));
}

void Form3::applyWindowState(std::int16_t state) {
    const Qt::WindowStates others = windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    switch (state) {
    case 0:
        setWindowState(others);
        break;
    case 1:
        setWindowState(others | Qt::WindowMinimized);
        break;
    case 2:
        setWindowState(others | Qt::WindowMaximized);
        break;
    default:
        platform::raiseError(platform::err::InvalidPropertyValue);
    }
}

} // namespace player::ui
