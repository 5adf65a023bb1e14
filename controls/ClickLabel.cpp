#include "ClickLabel.h"

#include <QMouseEvent>

TClickLabel::TClickLabel(QWidget *parent) : QLabel(parent) {}

TClickLabel::TClickLabel(const QString &text, QWidget *parent) : QLabel(text, parent) {}

void TClickLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void TClickLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool wasPressed = m_pressed;
    m_pressed = false;
    // A disabled label gets no mouse events at all, so it never reports a click.
    if (wasPressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    event->accept();
}
