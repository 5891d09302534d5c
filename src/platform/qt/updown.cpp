#include "platform/qt/updown.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace platform::qt {

namespace {

QToolButton* arrowButton(QWidget* parent, Qt::ArrowType arrow, const QString& name,
                         const QString& tip) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setToolTip(tip);
    button->setAccessibleName(tip);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    return button;
}

} // namespace

UpDown::UpDown(QWidget* parent)
    : QWidget(parent), m_up(arrowButton(this, Qt::UpArrow, "upButton", tr("More"))),
      m_down(arrowButton(this, Qt::DownArrow, "downButton", tr("Fewer"))) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(m_up);
    column->addWidget(m_down);
    connect(m_up, &QToolButton::clicked, this, &UpDown::UpClick);
    connect(m_down, &QToolButton::clicked, this, &UpDown::DownClick);
}

} // namespace platform::qt
