#include "platform/qt/qtmessagesink.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
};

// Reads the modal box once it is up, then presses its OK button.
SeenBox showAndDismiss(const std::string& text, platform::MessageIcon icon) {
    SeenBox seen;
    QTimer::singleShot(0, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = {box->windowTitle(), box->text(), box->icon(),
                static_cast<int>(box->buttons().size())};
        box->button(QMessageBox::Ok)->click();
    });
    platform::qt::QtMessageSink sink;
    sink.showMessage(text, icon);
    return seen;
}

} // namespace

TEST(QtMessageSink, ShowsAModalBoxWithTheApplicationTitleAndOneOkButton) {
    const SeenBox seen = showAndDismiss("Missing MIDI Track 2 in /SONGS/É.KAR.  It is not a valid "
                                        "KAR file.",
                                        platform::MessageIcon::Exclamation);
    EXPECT_EQ(seen.title, "Vocatune Player 1.5");
    EXPECT_EQ(seen.text, QString::fromUtf8("Missing MIDI Track 2 in /SONGS/É.KAR.  It is not a "
                                           "valid KAR file."));
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_EQ(seen.buttons, 1);
}
