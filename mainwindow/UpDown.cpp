#include "UpDown.h"

#include "Convert.h"

#include <QLineEdit>
#include <QToolButton>

#include <algorithm>

TUpDown::TUpDown(QLineEdit *associate, QWidget *parent)
    : QWidget(parent), m_associate(associate), m_up(new QToolButton(this)), m_down(new QToolButton(this))
{
    m_up->setObjectName(QStringLiteral("up"));
    m_down->setObjectName(QStringLiteral("down"));
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    m_up->setAutoRepeat(true);
    m_down->setAutoRepeat(true);
    m_up->setAccessibleName(QStringLiteral("Up"));
    m_down->setAccessibleName(QStringLiteral("Down"));
    m_up->setFocusPolicy(Qt::NoFocus);
    m_down->setFocusPolicy(Qt::NoFocus);
    connect(m_up, &QToolButton::clicked, this, [this] { step(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { step(-1); });
    // The position follows what is typed, as the arrows of the class library do.
    connect(m_associate, &QLineEdit::textChanged, this, [this](const QString &text) {
        int value = 0;
        if (Platform::TryStrToInt(text, value))
            m_position = std::clamp(value, m_min, std::max(m_min, m_max));
    });
}

void TUpDown::step(int delta)
{
    const int top = std::max(m_min, m_max);
    m_position = std::clamp(m_position + delta, m_min, top);
    m_associate->setText(QString::number(m_position));
}

void TUpDown::resizeEvent(QResizeEvent *)
{
    const int half = height() / 2;
    m_up->setGeometry(0, 0, width(), half);
    m_down->setGeometry(0, half, width(), height() - half);
}
