#include "player/ui/updown.h"

#include <QToolButton>

namespace player::ui {

namespace {

QToolButton* makeArrow(QWidget* parent, Qt::ArrowType arrow, const QString& name) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

UpDown::UpDown(QWidget* parent)
    : QWidget(parent), m_up(makeArrow(this, Qt::UpArrow, "upButton")),
      m_down(makeArrow(this, Qt::DownArrow, "downButton")) {
    connect(m_up, &QToolButton::clicked, this, &UpDown::UpClick);
    connect(m_down, &QToolButton::clicked, this, &UpDown::DownClick);
}

// The two arrows share the height, the upper one taking the odd pixel.
void UpDown::resizeEvent(QResizeEvent* event) {
    const int upper = (height() + 1) / 2;
    m_up->setGeometry(0, 0, width(), upper);
    m_down->setGeometry(0, upper, width(), height() - upper);
    QWidget::resizeEvent(event);
}

} // namespace player::ui
