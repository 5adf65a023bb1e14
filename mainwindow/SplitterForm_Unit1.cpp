#include "SplitterForm_Unit1.h"

#include "MuiContext.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QWindow>

TSplitterForm::TSplitterForm(QWidget *owner) : QWidget(owner)
{
    setObjectName(QStringLiteral("SplitterForm"));
    setWindowFlag(Qt::FramelessWindowHint);
    setFixedSize(554, 636);
    const MuiContext *context = GetMuiContext();
    const QString title = context ? context->Title : QString();
    setWindowTitle(title);

    lblTitle = new QLabel(title, this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lblTitle->setGeometry(14, 6, 300, 16);
    lblTitle->setStyleSheet(QStringLiteral("color: white; font: bold 13px Arial;"));

    btnClose = new QPushButton(QStringLiteral("x"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setGeometry(515, 6, 27, 17);
    btnClose->setAccessibleName(QStringLiteral("Close"));
    connect(btnClose, &QPushButton::clicked, this, &TSplitterForm::btnCloseClick);
}

void TSplitterForm::btnCloseClick()
{
    close();
}

void TSplitterForm::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0xEA, 0xEA, 0xEA));
    painter.fillRect(QRect(0, 0, width(), 30), QColor(0x46, 0x7A, 0x01));
}

void TSplitterForm::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && windowHandle())
        windowHandle()->startSystemMove();
}
