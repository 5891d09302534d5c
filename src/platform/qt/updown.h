#pragma once

#include <QWidget>

class QToolButton;

namespace platform::qt {

// An up-down spinner: two arrow buttons and nothing else. It keeps no value of its own; whoever
// uses it counts the clicks. Held down, a button repeats.
class UpDown : public QWidget {
    Q_OBJECT

public:
    explicit UpDown(QWidget* parent = nullptr);

    QToolButton* upButton() const { return m_up; }
    QToolButton* downButton() const { return m_down; }

signals:
    void UpClick();
    void DownClick();

private:
    QToolButton* m_up;
    QToolButton* m_down;
};

} // namespace platform::qt
