#pragma once

#include "platform/qt/qtcanvas.h"

#include <QWidget>

namespace player::ui {

// The drawing pane of the player window and of the options dialog's sample: shows the page its
// canvas keeps, which survives repaints and exposure, and follows the widget's size.
class LyricPane : public QWidget {
    Q_OBJECT

public:
    explicit LyricPane(QWidget* parent = nullptr);

    platform::Canvas& canvas() { return m_canvas; }
    platform::qt::QtCanvas& qtCanvas() { return m_canvas; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    platform::qt::QtCanvas m_canvas;
};

} // namespace player::ui
