#include "platform/qt/qtmessagesink.h"

#include <QMessageBox>
#include <QString>

namespace platform::qt {

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void QtMessageSink::showMessage(const std::string& text, MessageIcon icon) {
    QMessageBox box(boxIcon(icon), QString::fromLatin1(ApplicationTitle),
                    QString::fromStdString(text), QMessageBox::Ok, m_parent);
    box.exec();
}

} // namespace platform::qt
