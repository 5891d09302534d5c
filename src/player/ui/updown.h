#pragma once

#include <QWidget>

class QToolButton;

namespace player::ui {

// An up-down spinner: two arrow buttons stacked, repeating while held. It keeps no value of its
// own; whoever listens decides what a click changes.
class UpDown : public QWidget {
    Q_OBJECT

public:
    explicit UpDown(QWidget* parent = nullptr);

    QToolButton* upButton() const { return m_up; }
    QToolButton* downButton() const { return m_down; }

signals:
    void UpClick();
    void DownClick();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* m_up;
    QToolButton* m_down;
};

} // namespace player::ui
