#include "browser/ui/form4.h"

#include "platform/qt/logo.h"
#include "platform/qt/twipsgeometry.h"

#include <QCoreApplication>
#include <QLabel>

namespace browser::ui {

Form4::Form4(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral("Loading..."));
    setFixedSize(platform::qt::twipsSize(3375, 1305));
    QLabel* logo = platform::qt::makeLogo(this);
    logo->setGeometry(rect());
    logo->setAlignment(Qt::AlignCenter);
}

void Form4::Form_Load(const std::function<void()>& showBrowser) {
    platform::qt::centreOnScreen(*this);
    show();
    // The logo should be on the screen before the browser's start keeps the program busy.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    showBrowser();
}

} // namespace browser::ui
