#pragma once

#include <QWidget>

#include <functional>

namespace browser::ui {

// The splash window: the logo while the song browser is being made.
class Form4 : public QWidget {
    Q_OBJECT

public:
    explicit Form4(QWidget* parent = nullptr);

    // Centres the splash, shows it at once and then runs `showBrowser`, whose start closes the
    // splash (it may only hide it here: the splash cannot go away while this runs).
    void Form_Load(const std::function<void()>& showBrowser);
};

} // namespace browser::ui
