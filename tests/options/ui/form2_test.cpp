#include "options/ui/form2.h"

#include "browser/ui/folderlist.h"
#include "options/optionsstore.h"
#include "platform/errors.h"
#include "platform/qt/qtpicture.h"
#include "platform/qt/updown.h"
#include "player/ui/lyricpane.h"
#include "support/memorysettingsstore.h"
#include "support/recordingmessagesink.h"
#include "support/scripteddialogs.h"

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

using options::Options;
using options::ui::Form2;

namespace {

class Form2Test : public testing::Test {
protected:
    void store(const std::string& key, const std::string& text) {
        settings.values[{options::ApplicationName, "Options", key}] = text;
    }

    std::unique_ptr<Form2> open() {
        return std::make_unique<Form2>(
            options::ui::Form2Services{settings, messages, dialogs, pictures});
    }

    std::vector<std::string> shown() const {
        std::vector<std::string> texts;
        for (const auto& message : messages.messages)
            texts.push_back(message.text);
        return texts;
    }

    // A bitmap of one colour in the scratch folder.
    std::string bitmap(const char* name, Qt::GlobalColor color) {
        const QString path = scratch.filePath(QString::fromLatin1(name));
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(color);
        EXPECT_TRUE(image.save(path, "BMP"));
        return path.toStdString();
    }

    QTemporaryDir scratch;
    testsupport::MemorySettingsStore settings;
    testsupport::RecordingMessageSink messages;
    testsupport::ScriptedDialogs dialogs;
    platform::qt::QtPictureLoader pictures;
};

QColor pixelAt(const Form2& dialog, double x, double y) {
    return dialog.Picture1().qtCanvas().image().pixelColor(static_cast<int>(x),
                                                           static_cast<int>(y));
}

// Where the sample puts the highlight box and the ball, from the pane's own measurements.
struct SampleSpots {
    explicit SampleSpots(const Form2& dialog) {
        platform::Canvas& canvas = dialog.Picture1().canvas();
        x0 = std::round(canvas.textWidth("     "));
        const double height = std::round(canvas.textHeight("Sam"));
        y0 = std::trunc((canvas.scaleHeight() - height) / 2);
        boxBottom = y0 + height; // the box's last row lies below the letters
        radius = 0.5 * canvas.textWidth("A");
    }
    double x0;
    double y0;
    double boxBottom;
    double radius;
};

QColor highlightShown(const Form2& dialog) {
    const SampleSpots spots(dialog);
    return pixelAt(dialog, spots.x0 + 1, spots.boxBottom);
}

QColor ballShown(const Form2& dialog) {
    const SampleSpots spots(dialog);
    return pixelAt(dialog, 0.5 * spots.x0, spots.y0 - spots.radius);
}

void clickSpinner(Form2& dialog, const std::string& clicks) {
    for (const char click : clicks)
        (click == 'u' ? dialog.spnLines().upButton() : dialog.spnLines().downButton())->click();
}

} // namespace

TEST_F(Form2Test, AnEmptyStoreShowsAutoTopTheBallAndTheLineCountOne) {
    const auto dialog = open();
    EXPECT_TRUE(dialog->Option1(0).isChecked());
    EXPECT_FALSE(dialog->Option1(1).isChecked());
    EXPECT_TRUE(dialog->Option2(0).isChecked());
    EXPECT_TRUE(dialog->Check1(0).isChecked());
    EXPECT_FALSE(dialog->Check1(1).isChecked());
    EXPECT_EQ(dialog->Label2().text(), "1");
    EXPECT_EQ(dialog->windowTitle(), "Vocatune Player 1.5");
    EXPECT_EQ(dialog->record().NumLines, options::AutomaticLines);
    EXPECT_EQ(dialog->record().Path, dialog->Dir1().path());
    EXPECT_TRUE(shown().empty());
    EXPECT_TRUE(settings.writes.empty());
}

TEST_F(Form2Test, AStoredLineCountShowsWithALeadingSpaceAndStepsDownWithoutIt) {
    store("NumLines", "4");
    const auto dialog = open();
    EXPECT_TRUE(dialog->Option1(1).isChecked());
    EXPECT_EQ(dialog->Label2().text(), " 4");
    EXPECT_EQ(dialog->record().NumLines, 4);

    clickSpinner(*dialog, "d");
    EXPECT_EQ(dialog->Label2().text(), "3");
    EXPECT_EQ(dialog->record().NumLines, 3);
}

TEST_F(Form2Test, TheSpinnerSelectsCustomAndKeepsTheCountFromOneToNine) {
    const struct {
        const char* stored; // NumLines, or none
        std::string clicks;
        const char* label;
        int lines;
    } cases[] = {
        {nullptr, "d", "1", 1},  {nullptr, "u", "2", 2}, {nullptr, "uuuuuuuuu", "9", 9},
        {"4", "dddddd", "1", 1}, {"9", "u", " 9", 9},    {"2", "du", "2", 2},
    };
    for (const auto& c : cases) {
        settings.values.clear();
        if (c.stored)
            store("NumLines", c.stored);
        const auto dialog = open();
        Options before = dialog->record();
        clickSpinner(*dialog, c.clicks);
        EXPECT_TRUE(dialog->Option1(1).isChecked()) << c.clicks;
        EXPECT_FALSE(dialog->Option1(0).isChecked()) << c.clicks;
        EXPECT_EQ(dialog->Label2().text().toStdString(), c.label) << c.clicks;
        before.NumLines = static_cast<std::int16_t>(c.lines);
        EXPECT_EQ(dialog->record(), before) << "only the line count changes: " << c.clicks;
    }
}

TEST_F(Form2Test, ResetThenOkWritesTheDefaultsAndKeepsTheStartDirectory) {
    const std::string folder = scratch.path().toStdString();
    const std::vector<std::pair<const char*, const char*>> stored{{"FontName", "DejaVu Serif"},
                                                                  {"FontSize", "14"},
                                                                  {"FontBold", "True"},
                                                                  {"FontItalic", "True"},
                                                                  {"FontColor", "255"},
                                                                  {"BackColor", "16777215"},
                                                                  {"HighColor", "65280"},
                                                                  {"BallColor", "16711680"},
                                                                  {"Ball", "False"},
                                                                  {"Bitmap", "True"},
                                                                  {"FileName", "/no/such.bmp"},
                                                                  {"NumLines", "4"},
                                                                  {"VertJust", "2"}};
    for (const auto& [key, text] : stored)
        store(key, text);
    store("Path", folder);
    const auto dialog = open();
    ASSERT_TRUE(dialog->Option2(2).isChecked());
    ASSERT_FALSE(dialog->Check1(0).isChecked());

    dialog->Command1(2).click();
    EXPECT_TRUE(settings.writes.empty()) << "Reset writes nothing";
    EXPECT_TRUE(dialog->Check1(0).isChecked());
    EXPECT_FALSE(dialog->Check1(1).isChecked());
    EXPECT_TRUE(dialog->Option1(0).isChecked());
    EXPECT_TRUE(dialog->Option2(0).isChecked());
    EXPECT_EQ(dialog->Label2().text(), " 4") << "Reset leaves the custom count shown";

    dialog->Command1(1).click();
    EXPECT_EQ(settings.writes,
              (std::vector<std::string>{"Options/FontName=System", "Options/FontSize=8",
                                        "Options/FontBold=False", "Options/FontItalic=False",
                                        "Options/FontColor=0", "Options/BackColor=-2147483633",
                                        "Options/HighColor=65535", "Options/BallColor=0",
                                        "Options/Ball=True", "Options/Bitmap=False",
                                        "Options/FileName=", "Options/Path=" + folder,
                                        "Options/NumLines=-1", "Options/VertJust=0"}));
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(shown().empty());
}

TEST_F(Form2Test, CancelWritesNothingEvenAfterReset) {
    store("NumLines", "4");
    const auto dialog = open();
    dialog->Command1(2).click();
    dialog->Command1(0).click();
    EXPECT_TRUE(settings.writes.empty());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
}

TEST_F(Form2Test, LoadBitmapTicksBitmapAndACancelledChoiceKeepsTheFile) {
    const std::string green = bitmap("green.bmp", Qt::green);
    const std::string red = bitmap("red.bmp", Qt::red);
    const struct {
        std::optional<std::string> answer;
        std::string fileName;
        QColor corner;
    } cases[] = {
        {std::nullopt, green, QColor(Qt::green)},
        {red, red, QColor(Qt::red)},
    };
    for (const auto& c : cases) {
        store("FileName", green);
        const auto dialog = open();
        ASSERT_FALSE(dialog->Check1(1).isChecked());
        dialogs.openFiles = {c.answer};
        dialogs.calls.clear();

        dialog->findChild<QPushButton*>("Command4")->click();
        EXPECT_TRUE(dialog->Check1(1).isChecked());
        EXPECT_TRUE(dialog->record().Bitmap);
        EXPECT_EQ(dialog->record().FileName, c.fileName);
        EXPECT_EQ(dialogs.calls, (std::vector<std::string>{"open Bitmap Files (*.BMP)|*.BMP"}));
        EXPECT_EQ(pixelAt(*dialog, 1, 1), c.corner) << "the sample shows the bitmap";
        EXPECT_TRUE(shown().empty());
    }
}

TEST_F(Form2Test, AColourButtonSetsItsColourAndACancelledDialogKeepsIt) {
    const platform::Color chosen = 0x00336699;
    const struct {
        int index;
        platform::Color Options::*field;
    } buttons[] = {{0, &Options::BallColor},
                   {1, &Options::HighColor},
                   {2, &Options::BackColor},
                   {3, &Options::FontColor}};
    for (const auto& button : buttons) {
        const auto dialog = open();
        const platform::Color before = dialog->record().*button.field;
        dialogs.colors = {std::nullopt, chosen};
        dialogs.calls.clear();

        dialog->Command2(button.index).click();
        EXPECT_EQ(dialog->record().*button.field, before) << "cancelled: " << button.index;
        dialog->Command2(button.index).click();
        EXPECT_EQ(dialog->record().*button.field, chosen) << button.index;
        EXPECT_EQ(dialogs.calls, (std::vector<std::string>{"color " + std::to_string(before),
                                                           "color " + std::to_string(before)}))
            << "each dialog starts from the field's colour";
    }
    EXPECT_TRUE(shown().empty());
}

TEST_F(Form2Test, TheHighlightColourShowsInTheSample) {
    store("HighColor", "255"); // red
    const auto dialog = open();
    dialog->Form_Activate();
    EXPECT_EQ(highlightShown(*dialog), QColor(Qt::red));

    dialogs.colors = {0x00FF0000}; // blue
    dialog->Command2(1).click();
    EXPECT_EQ(highlightShown(*dialog), QColor(Qt::blue));
}

TEST_F(Form2Test, TheBallCheckBoxRedrawsTheSampleWithOrWithoutTheBall) {
    store("BallColor", "255");
    store("BackColor", "16777215");
    const auto dialog = open();
    dialog->Form_Activate();
    EXPECT_EQ(ballShown(*dialog), QColor(Qt::red));

    dialog->Check1(0).click();
    EXPECT_FALSE(dialog->record().Ball);
    EXPECT_EQ(ballShown(*dialog), QColor(Qt::white));
}

TEST_F(Form2Test, TheFontDialogSetsTheFontAndACancelledDialogKeepsIt) {
    store("FontName", "DejaVu Sans");
    store("FontSize", "12");
    const auto dialog = open();
    const platform::FontDescription stored = dialog->record().PlayFont;

    dialogs.fonts = {std::nullopt};
    dialog->findChild<QPushButton*>("Command3")->click();
    EXPECT_EQ(dialog->record().PlayFont, stored);

    dialogs.fonts = {platform::FontDescription{"DejaVu Serif", 9.75, true, true}};
    dialog->findChild<QPushButton*>("Command3")->click();
    EXPECT_EQ(dialog->record().PlayFont,
              (platform::FontDescription{"DejaVu Serif", 9.75, true, true}));
    EXPECT_EQ(dialogs.calls, (std::vector<std::string>{"font DejaVu Sans", "font DejaVu Sans"}));
    EXPECT_TRUE(shown().empty());
}

TEST_F(Form2Test, SettingsThatDoNotConvertAreReportedOnceAfterLoading) {
    const struct {
        const char* key;
        const char* text;
    } cases[] = {{"FontSize", "big"}, {"Ball", "maybe"}, {"NumLines", "99999"}, {"VertJust", "5"}};
    for (const auto& c : cases) {
        settings.values.clear();
        messages.messages.clear();
        store(c.key, c.text);
        store("HighColor", "255");
        const auto dialog = open();
        EXPECT_EQ(shown(), std::vector<std::string>{"Error in Form2::Load."}) << c.key;
        EXPECT_EQ(dialog->record().HighColor, 255) << "the other keys are read: " << c.key;
    }
}

TEST_F(Form2Test, AStartDirectoryThatHasGoneLeavesThePathAtTheFolderShown) {
    store("Path", "/no/such/folder");
    const auto dialog = open();
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(dialog->record().Path, dialog->Dir1().path());
    EXPECT_NE(dialog->record().Path, "/no/such/folder");
}

TEST_F(Form2Test, SettingsThatCannotBeWrittenAreToldAndTheDialogStaysOpen) {
    class ReadOnlyStore : public testsupport::MemorySettingsStore {
        void setValue(const std::string&, const std::string&, const std::string&,
                      const std::string&) override {
            platform::raiseError(platform::err::PathFileAccess);
        }
    } readOnly;
    const auto dialog =
        std::make_unique<Form2>(options::ui::Form2Services{readOnly, messages, dialogs, pictures});
    dialog->show();
    dialog->Command1(1).click();
    EXPECT_EQ(shown(), std::vector<std::string>{"Error 75: Path/File access error"});
    EXPECT_TRUE(dialog->isVisible());
}
