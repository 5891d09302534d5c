#include "options/ui/form2.h"

#include "browser/ui/drivelist.h"
#include "browser/ui/folderlist.h"
#include "display/samplepreview.h"
#include "options/optionsstore.h"
#include "platform/conversions.h"
#include "platform/errors.h"
#include "platform/numeric.h"
#include "platform/qt/logo.h"
#include "platform/qt/twipsgeometry.h"
#include "platform/qt/updown.h"
#include "platform/qt/whitepanel.h"
#include "player/ui/lyricpane.h"

#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <string>

namespace options::ui {

namespace {

using platform::qt::twipsRect;

constexpr const char* Caption = "Vocatune Player 1.5";
constexpr const char* BitmapFilter = "Bitmap Files (*.BMP)|*.BMP";
constexpr platform::Color ButtonFace = platform::systemColor(15);
constexpr std::int16_t FewestLines = 1;
constexpr std::int16_t MostLines = 9;

QLabel* heading(QWidget* parent, const char* text, int left, int top) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->move(twipsRect(left, top, 0, 0).topLeft());
    label->adjustSize();
    return label;
}

QGroupBox* frame(QWidget* parent, const char* title, const char* name) {
    auto* box = new QGroupBox(QString::fromLatin1(title), parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

template <typename Layout> Layout* tightLayout(QWidget* owner) {
    auto* layout = new Layout(owner);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(2);
    return layout;
}

// A number as the line-count label first shows it: a space where a minus sign would stand.
QString signedText(std::int16_t number) {
    const std::string digits = platform::integerText(number);
    return QString::fromStdString(number >= 0 ? ' ' + digits : digits);
}

template <typename Control, std::size_t N>
Control& element(const std::array<Control*, N>& controls, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= N)
        platform::raiseError(platform::err::SubscriptOutOfRange);
    return *controls[static_cast<std::size_t>(index)];
}

// The file-open dialog as the handler expects it: Cancel is error 32755.
std::string openBitmap(platform::Dialogs& dialogs) {
    std::optional<std::string> chosen = dialogs.openFile(BitmapFilter);
    if (!chosen)
        platform::raiseError(platform::err::DialogCancelled);
    return *std::move(chosen);
}

} // namespace

Form2::Form2(const Form2Services& services, QWidget* parent)
    : QDialog(parent), m_services(services), m_errors(services.messages) {
    buildControls();
    connectHandlers();
    Form_Load();
}

QCheckBox& Form2::Check1(int index) const {
    return element(m_check1, index);
}
QRadioButton& Form2::Option1(int index) const {
    return element(m_option1, index);
}
QRadioButton& Form2::Option2(int index) const {
    return element(m_option2, index);
}
QPushButton& Form2::Command1(int index) const {
    return element(m_command1, index);
}
QPushButton& Form2::Command2(int index) const {
    return element(m_command2, index);
}

void Form2::buildControls() {
    setWindowTitle(QString::fromLatin1(Caption));
    platform::qt::useDesignFont(*this);
    setFixedSize(platform::qt::twipsSize(8055, 5535));

    QLabel* logo = platform::qt::makeLogo(this);
    logo->move(platform::centred(width(), logo->width()), 0);

    heading(this, "Startup Karaoke Directory", 240, 1320)->setObjectName("Label1_0");
    m_dir1 = new browser::ui::FolderList(this);
    m_dir1->setObjectName("Dir1");
    m_dir1->setGeometry(twipsRect(120, 1560, 3855, 1605));
    m_drive1 = new browser::ui::DriveList(this);
    m_drive1->setObjectName("Drive1");
    m_drive1->setGeometry(twipsRect(120, 3240, 3855, 315));

    heading(this, "Sample Output", 4200, 1320)->setObjectName("Label1_1");
    auto* sampleBorder = new QFrame(this);
    sampleBorder->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    sampleBorder->setGeometry(twipsRect(4080, 1560, 3855, 1995));
    m_picture1 = new player::ui::LyricPane(sampleBorder);
    m_picture1->setObjectName("Picture1");
    m_picture1->setGeometry(sampleBorder->contentsRect());
    // The sample is drawn before the dialog is first shown; its page must have the pane's size.
    m_picture1->qtCanvas().resize(m_picture1->size(), devicePixelRatioF());

    buildTextFrame();
    buildColorsFrame();
    buildOtherFrame();

    const std::array<std::pair<const char*, int>, 3> actions{{
        {"Cancel", 5640},
        {"OK", 6840},
        {"Reset", 3840},
    }};
    for (int index = 0; index < 3; ++index) {
        auto* button = new QPushButton(QString::fromLatin1(actions[index].first), this);
        button->setObjectName(QStringLiteral("Command1_%1").arg(index));
        button->setGeometry(twipsRect(actions[index].second, 5040, 1095, 375));
        button->setAutoDefault(false);
        m_command1[static_cast<std::size_t>(index)] = button;
    }
    m_command1[1]->setDefault(true);
}

void Form2::buildTextFrame() {
    QGroupBox* text = frame(this, "Text", "Frame1_1");
    text->setGeometry(twipsRect(120, 3600, 3495, 1815));
    auto* textLayout = tightLayout<QGridLayout>(text);

    QGroupBox* vertical = frame(text, "Vertical", "Frame1_2");
    auto* verticalLayout = tightLayout<QVBoxLayout>(vertical);
    const std::array<const char*, 3> placements{"Top", "Center", "Bottom"};
    for (int index = 0; index < 3; ++index) {
        auto* option = new QRadioButton(QString::fromLatin1(placements[index]), vertical);
        option->setObjectName(QStringLiteral("Option2_%1").arg(index));
        verticalLayout->addWidget(option);
        m_option2[static_cast<std::size_t>(index)] = option;
    }

    QGroupBox* lines = frame(text, "# of Lines", "Frame1_3");
    auto* linesLayout = tightLayout<QGridLayout>(lines);
    m_option1[0] = new QRadioButton(QStringLiteral("Auto"), lines);
    m_option1[1] = new QRadioButton(QStringLiteral("Custom"), lines);
    m_label2 = new QLabel(QStringLiteral("1"), lines);
    platform::qt::makeWhitePanel(*m_label2);
    m_label2->setFixedWidth(platform::qt::twipsToPixelsX(330));
    m_spnLines = new platform::qt::UpDown(lines);
    m_spnLines->setFixedSize(platform::qt::twipsSize(240, 390));
    m_option1[0]->setObjectName("Option1_0");
    m_option1[1]->setObjectName("Option1_1");
    m_label2->setObjectName("Label2");
    m_spnLines->setObjectName("spnLines");
    linesLayout->addWidget(m_option1[0], 0, 0, 1, 3);
    linesLayout->addWidget(m_option1[1], 1, 0);
    linesLayout->addWidget(m_label2, 1, 1);
    linesLayout->addWidget(m_spnLines, 1, 2);

    m_command3 = new QPushButton(QStringLiteral("Font"), text);
    m_command3->setObjectName("Command3");
    m_command3->setAutoDefault(false);
    textLayout->addWidget(vertical, 0, 0);
    textLayout->addWidget(lines, 0, 1);
    textLayout->addWidget(m_command3, 1, 0, Qt::AlignLeft);
}

void Form2::buildColorsFrame() {
    QGroupBox* colors = frame(this, "Colors", "Frame1_0");
    colors->setGeometry(twipsRect(3720, 3600, 2535, 1215));
    auto* layout = tightLayout<QGridLayout>(colors);
    const std::array<const char*, 4> names{"Ball", "Highlight", "Background", "Font"};
    for (int index = 0; index < 4; ++index) {
        auto* button = new QPushButton(QString::fromLatin1(names[index]), colors);
        button->setObjectName(QStringLiteral("Command2_%1").arg(index));
        button->setAutoDefault(false);
        layout->addWidget(button, index / 2, index % 2);
        m_command2[static_cast<std::size_t>(index)] = button;
    }
}

void Form2::buildOtherFrame() {
    QGroupBox* other = frame(this, "Other", "Frame1_5");
    other->setGeometry(twipsRect(6360, 3600, 1575, 1215));
    auto* layout = tightLayout<QVBoxLayout>(other);
    const std::array<const char*, 2> names{"Bouncing Ball", "Bitmap"};
    for (int index = 0; index < 2; ++index) {
        auto* box = new QCheckBox(QString::fromLatin1(names[index]), other);
        box->setObjectName(QStringLiteral("Check1_%1").arg(index));
        layout->addWidget(box);
        m_check1[static_cast<std::size_t>(index)] = box;
    }
    layout->setContentsMargins(3, 2, 2, 2);
    m_command4 = new QPushButton(QStringLiteral("Load Bitmap"), other);
    m_command4->setObjectName("Command4");
    m_command4->setAutoDefault(false);
    layout->addWidget(m_command4);
}

void Form2::connectHandlers() {
    // Every handler runs under the error rule of its origin (see HandlerErrors), so a check box
    // ticked by code reports into the step that ticked it.
    const auto on = [this](auto handler) { return [this, handler] { m_errors.run(handler); }; };
    for (int index = 0; index < 3; ++index)
        connect(m_command1[static_cast<std::size_t>(index)], &QPushButton::clicked, this,
                on([this, index] { Command1_Click(index); }));
    for (int index = 0; index < 4; ++index)
        connect(m_command2[static_cast<std::size_t>(index)], &QPushButton::clicked, this,
                on([this, index] { Command2_Click(index); }));
    connect(m_command3, &QPushButton::clicked, this, on([this] { Command3_Click(); }));
    connect(m_command4, &QPushButton::clicked, this, on([this] { Command4_Click(); }));
    for (int index = 0; index < 2; ++index)
        connect(m_check1[static_cast<std::size_t>(index)], &QCheckBox::toggled, this,
                on([this, index] { Check1_Click(index); }));
    // An option button's click belongs to the button that becomes selected.
    for (int index = 0; index < 2; ++index)
        connect(m_option1[static_cast<std::size_t>(index)], &QRadioButton::toggled, this,
                [this, index](bool selected) {
                    if (selected)
                        m_errors.run([&] { Option1_Click(index); });
                });
    for (int index = 0; index < 3; ++index)
        connect(m_option2[static_cast<std::size_t>(index)], &QRadioButton::toggled, this,
                [this, index](bool selected) {
                    if (selected)
                        m_errors.run([&] { Option2_Click(index); });
                });
    connect(m_spnLines, &platform::qt::UpDown::UpClick, this, on([this] { spnLines_UpClick(); }));
    connect(m_spnLines, &platform::qt::UpDown::DownClick, this,
            on([this] { spnLines_DownClick(); }));
    connect(m_drive1, &browser::ui::DriveList::driveChanged, this, on([this] { Drive1_Change(); }));
    connect(m_dir1, &browser::ui::FolderList::pathChanged, this, on([this] { Dir1_Change(); }));
}

void Form2::Form_Load() {
    platform::ErrorTrap trap;
    const auto scope = m_errors.collectInto(trap);
    trap.run([&] { platform::qt::centreOnScreen(*this); });
    runGuarded({{"Set Options.PlayFont = new StdFont",
                 [&] { m_options.PlayFont = platform::FontDescription{}; }}});
    LoadOptions(m_options, true, m_services.settings, trap,
                [&](std::string_view key) { afterKeyRead(key, trap); });
    if (trap.pending() > 0) {
        m_services.messages.showMessage("Error in Form2::Load.", platform::MessageIcon::None);
        trap.clear();
    }
}

// The controls follow the record key by key as the load reads it.
void Form2::afterKeyRead(std::string_view key, platform::ErrorTrap& trap) {
    if (key == "FontItalic")
        trap.run([&] { canvas().setFont(m_options.PlayFont); });
    else if (key == "Ball")
        trap.run([&] { m_check1[0]->setChecked(m_options.Ball); });
    else if (key == "Bitmap")
        trap.run([&] { m_check1[1]->setChecked(m_options.Bitmap); });
    else if (key == "Path")
        showStartDirectory();
    else if (key == "NumLines")
        trap.run([&] { showLineCount(); });
    else if (key == "VertJust")
        trap.run([&] { Option2(m_options.VertJust).setChecked(true); });
}

void Form2::showStartDirectory() {
    // A start directory that has gone leaves the lists where the drive led them, silently, and
    // the start directory is then the folder they show.
    platform::ErrorTrap ignored;
    const auto scope = m_errors.collectInto(ignored);
    ignored.run([&] { m_drive1->setDrive(readStartDirectory(m_services.settings)); });
    if (!ignored.run([&] { m_dir1->setPath(readStartDirectory(m_services.settings)); }))
        m_options.Path = m_dir1->path();
}

void Form2::showLineCount() {
    if (m_options.NumLines == AutomaticLines) {
        m_option1[0]->setChecked(true);
        return;
    }
    m_label2->setText(signedText(m_options.NumLines));
    m_option1[1]->setChecked(true);
}

void Form2::Form_Activate() {
    drawSample();
}

void Form2::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        m_errors.run([&] { Form_Activate(); });
}

void Form2::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Not every desktop activates a new window (none does without a window manager): the
    // sample must not wait for it.
    m_errors.run([&] { Form_Activate(); });
}

void Form2::Command1_Click(int index) {
    switch (index) {
    case 0:
        reject();
        break;
    case 1:
        // Settings that could not be written are told (by the handler's caller) and the dialog
        // stays open, rather than closing as if they had been saved.
        SaveOptions(m_options, m_services.settings);
        accept();
        break;
    case 2:
        reset();
        break;
    default:
        break;
    }
}

void Form2::reset() {
    using platform::FontDescription;
    runGuarded({
        {"Options.PlayFont.Name", [&] { m_options.PlayFont.name = platform::SystemFontName; }},
        {"Options.PlayFont.Size = 8", [&] { m_options.PlayFont.size = FontDescription{}.size; }},
        {"Options.PlayFont.Bold = False", [&] { m_options.PlayFont.bold = false; }},
        {"Options.PlayFont.Italic = False", [&] { m_options.PlayFont.italic = false; }},
        {"Set Picture1.Font = Options.PlayFont", [&] { canvas().setFont(m_options.PlayFont); }},
        {"Options.FontColor = 0", [&] { m_options.FontColor = 0; }},
        {"Options.BackColor = &H8000000F", [&] { m_options.BackColor = ButtonFace; }},
        {"Options.HighColor = 65535", [&] { m_options.HighColor = 65535; }},
        {"Options.BallColor = 0", [&] { m_options.BallColor = 0; }},
        {"Options.Ball = True", [&] { m_options.Ball = true; }},
        {"Check1(0).Value = 1", [&] { m_check1[0]->setChecked(true); }},
        {"Options.Bitmap = False", [&] { m_options.Bitmap = false; }},
        {"Check1(1).Value = 0", [&] { m_check1[1]->setChecked(false); }},
        {"Options.FileName", [&] { m_options.FileName.clear(); }},
        {"Options.NumLines = -1", [&] { m_options.NumLines = AutomaticLines; }},
        {"Option1(0).Value = True", [&] { m_option1[0]->setChecked(true); }},
        {"Options.VertJust = 0", [&] { m_options.VertJust = 0; }},
        {"Option2(0).Value = True", [&] { m_option2[0]->setChecked(true); }},
        {"SampleOutput Options", [&] { drawSample(); }},
    });
}

void Form2::runGuarded(const std::vector<GuardedStep>& steps) {
    platform::ErrorTrap trap;
    const auto scope = m_errors.collectInto(trap);
    for (const GuardedStep& step : steps) {
        trap.run(step.action);
        if (trap.pending() > 0) {
            m_services.messages.showMessage(step.failure, platform::MessageIcon::None);
            trap.clear();
        }
    }
}

platform::Color& Form2::colorField(int index) {
    switch (index) {
    case 0:
        return m_options.BallColor;
    case 1:
        return m_options.HighColor;
    case 2:
        return m_options.BackColor;
    case 3:
        return m_options.FontColor;
    default:
        platform::raiseError(platform::err::SubscriptOutOfRange);
    }
}

void Form2::Command2_Click(int index) {
    platform::Color& field = colorField(index);
    // Cancel leaves the dialog on the colour it started from.
    field = m_services.dialogs.chooseColor(field).value_or(field);
    drawSample();
}

void Form2::Command3_Click() {
    platform::FontDescription chosen;
    runGuarded({
        {"CommonDialog1.FontName = Options.PlayFont.Name",
         [&] { chosen.name = m_options.PlayFont.name; }},
        {"CommonDialog1.FontSize = Options.PlayFont.Size",
         [&] { chosen.size = m_options.PlayFont.size; }},
        {"CommonDialog1.FontBold = Options.PlayFont.Bold",
         [&] { chosen.bold = m_options.PlayFont.bold; }},
        {"CommonDialog1.FontItalic = Options.PlayFont.Italic",
         [&] { chosen.italic = m_options.PlayFont.italic; }},
        // Cancel leaves the dialog's font as it was set above.
        {"CommonDialog1.ShowFont",
         [&] { chosen = m_services.dialogs.chooseFont(chosen).value_or(chosen); }},
        {"Options.PlayFont.Name = CommonDialog1.FontName",
         [&] { m_options.PlayFont.name = chosen.name; }},
        {"Options.PlayFont.Size = CommonDialog1.FontSize",
         [&] { m_options.PlayFont.size = static_cast<float>(chosen.size); }},
        {"Options.PlayFont.Bold = CommonDialog1.FontBold",
         [&] { m_options.PlayFont.bold = chosen.bold; }},
        {"Options.PlayFont.Italic = CommonDialog1.FontItalic",
         [&] { m_options.PlayFont.italic = chosen.italic; }},
        {"Set Picture1.Font = Options.PlayFont", [&] { canvas().setFont(m_options.PlayFont); }},
        {"SampleOutput Options", [&] { drawSample(); }},
    });
}

void Form2::Command4_Click() {
    m_check1[1]->setChecked(true);
    m_options.Bitmap = true;
    {
        platform::ErrorTrap trap;
        const auto scope = m_errors.collectInto(trap);
        trap.run([&] { m_options.FileName = openBitmap(m_services.dialogs); });
        // Cancel (32755), like any failure of the dialog, keeps the file chosen before.
        trap.clear();
    }
    drawSample();
}

void Form2::Check1_Click(int index) {
    if (index == 0)
        m_options.Ball = m_check1[0]->isChecked();
    else if (index == 1)
        m_options.Bitmap = m_check1[1]->isChecked();
    else
        platform::raiseError(platform::err::SubscriptOutOfRange);
    drawSample();
}

void Form2::Option1_Click(int index) {
    if (index == 0)
        m_options.NumLines = AutomaticLines;
    else if (index == 1)
        m_options.NumLines = platform::textToInt16(m_label2->text().toStdString());
}

void Form2::Option2_Click(int index) {
    m_options.VertJust = platform::toInt16(index);
}

void Form2::spnLines_UpClick() {
    m_option1[1]->setChecked(true);
    if (m_options.NumLines < MostLines) {
        m_options.NumLines = platform::add16(m_options.NumLines, 1);
        m_label2->setText(QString::fromStdString(platform::integerText(m_options.NumLines)));
        m_label2->repaint();
    }
}

void Form2::spnLines_DownClick() {
    m_option1[1]->setChecked(true);
    if (m_options.NumLines > FewestLines) {
        m_options.NumLines = platform::sub16(m_options.NumLines, 1);
        m_label2->setText(QString::fromStdString(platform::integerText(m_options.NumLines)));
        m_label2->repaint();
    }
}

void Form2::Drive1_Change() {
    m_dir1->setPath(m_drive1->drive());
}

void Form2::Dir1_Change() {
    m_options.Path = m_dir1->path();
}

void Form2::drawSample() {
    display::DrawSamplePreview(canvas(), m_services.pictures, m_options);
}

platform::Canvas& Form2::canvas() const {
    return m_picture1->canvas();
}

} // namespace options::ui
