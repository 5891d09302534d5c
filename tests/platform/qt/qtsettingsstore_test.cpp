#include "options/optionsstore.h"
#include "platform/qt/qtsettingsstore.h"

#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

using platform::qt::QtSettingsStore;

namespace {

// Points the user-scope INI files at a scratch folder for one test.
class ScratchSettingsFolder {
public:
    ScratchSettingsFolder() {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, path());
    }
    ~ScratchSettingsFolder() {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                           QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    }
    QString path() const { return m_folder.path(); }

private:
    QTemporaryDir m_folder;
};

} // namespace

TEST(QtSettingsStore, TextsComeBackExactlyAndAMissingKeyIsNotAnEmptyText) {
    const ScratchSettingsFolder folder;
    QtSettingsStore store;
    const std::string app = options::ApplicationName;
    EXPECT_EQ(store.value(app, "Options", "FontName"), std::nullopt);

    const std::string texts[] = {
        "&H8000000F",     "",     "9.75",   "a, b",       "@at start", "C:\\songs\\x", "  spaced  ",
        "Zoë’s \"song\"", "true", "=x;y#z", "-2147483633"};
    for (const std::string& text : texts) {
        store.setValue(app, "Options", "Probe", text);
        EXPECT_EQ(store.value(app, "Options", "Probe"), text) << text;
    }
    store.setValue(app, "Window", "Top", "120");
    EXPECT_EQ(store.value(app, "Window", "Top"), "120");
    EXPECT_EQ(store.value(app, "Options", "Top"), std::nullopt) << "sections are apart";
    EXPECT_EQ(store.value(app, "Window", "top"), std::nullopt) << "keys keep their case";
}

TEST(QtSettingsStore, TheSettingsLiveInOneIniFileNamedAfterTheApplication) {
    const ScratchSettingsFolder folder;
    QtSettingsStore store;
    store.setValue(options::ApplicationName, "Options", "FontSize", "9.75");
    store.setValue(options::ApplicationName, "Window", "WindowState", "2");

    QFile file(folder.path() + "/Vocatune Player 1.5.ini");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString contents = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(contents.contains("[Options]\nFontSize=9.75")) << contents.toStdString();
    EXPECT_TRUE(contents.contains("[Window]\nWindowState=2")) << contents.toStdString();
}

TEST(QtSettingsStore, AHandWrittenListReadsBackAsItsText) {
    const ScratchSettingsFolder folder;
    QFile file(folder.path() + "/Vocatune Player 1.5.ini");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Options]\nFileName=/pictures/a, b.bmp\n");
    file.close();
    QtSettingsStore store;
    EXPECT_EQ(store.value(options::ApplicationName, "Options", "FileName"), "/pictures/a, b.bmp");
}
