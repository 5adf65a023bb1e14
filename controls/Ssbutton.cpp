#include "Ssbutton.h"

#include "Ssform.h"

#include <QAction>
#include <QDialog>
#include <QEnterEvent>
#include <QImage>
#include <QPainter>
#include <QStyleOptionFocusRect>

TssSkinButton::TssSkinButton(QWidget *parent) : QAbstractButton(parent)
{
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_Hover);
    // Connected before anyone else can connect, so the modal result and the action come first.
    connect(this, &QAbstractButton::clicked, this, &TssSkinButton::handleClick);
}

void TssSkinButton::setSkin(const QPixmap &picture)
{
    strip = picture;
    rebuild();
}

void TssSkinButton::setDivNum(int count)
{
    divNum = count < 1 ? 1 : count;
    rebuild();
}

void TssSkinButton::setMask(bool on)
{
    maskOn = on;
    rebuild();
}

void TssSkinButton::setMaskColor(const QColor &color)
{
    maskColor = color;
    rebuild();
}

void TssSkinButton::setCaption(const QString &caption, bool painted)
{
    setAccessibleName(caption);
    setToolTip(painted ? QString() : caption);
}

void TssSkinButton::rebuild()
{
    pictures.clear();
    shape = QRegion();
    if (strip.isNull()) {
        QWidget::clearMask();
        updateGeometry();
        update();
        return;
    }
    const qreal dpr = strip.devicePixelRatio();
    const int cellPixels = strip.width() / divNum;
    const QImage source = strip.toImage().convertToFormat(QImage::Format_ARGB32);
    const QRgb key = maskColor.rgb();
    for (int i = 0; i < divNum; ++i) {
        QImage cell = source.copy(i * cellPixels, 0, cellPixels, source.height());
        for (int y = 0; y < cell.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(cell.scanLine(y));
            for (int x = 0; x < cell.width(); ++x)
                if ((line[x] & 0xFFFFFFu) == (key & 0xFFFFFFu))
                    line[x] = 0;
        }
        QPixmap pixmap = QPixmap::fromImage(cell);
        pixmap.setDevicePixelRatio(dpr);
        pictures << pixmap;
    }
    const QSize logical = sizeHint();
    setFixedSize(logical);
    if (maskOn) {
        QPixmap first = QPixmap::fromImage(source.copy(0, 0, cellPixels, source.height()));
        first.setDevicePixelRatio(dpr);
        shape = TssSkinForm::ShapeOf(first, maskColor);
        QWidget::setMask(shape);
    } else {
        QWidget::clearMask();
    }
    updateGeometry();
    update();
}

QSize TssSkinButton::sizeHint() const
{
    if (strip.isNull())
        return {0, 0};
    const qreal dpr = strip.devicePixelRatio();
    return QSizeF((strip.width() / divNum) / dpr, strip.height() / dpr).toSize();
}

TssSkinButton::State TssSkinButton::CurrentState() const
{
    if (!isEnabled())
        return StateDisabled;
    if (isDown())
        return StatePressed;
    if (hovered)
        return StateHover;
    return StateNormal;
}

int TssSkinButton::PictureIndex() const
{
    const int index = CurrentState();
    return index < divNum ? index : StateNormal;
}

QPixmap TssSkinButton::Picture(int index) const
{
    return index >= 0 && index < pictures.size() ? pictures[index] : QPixmap();
}

void TssSkinButton::paintEvent(QPaintEvent *)
{
    if (pictures.isEmpty())
        return;
    QPainter painter(this);
    const int index = PictureIndex();
    if (CurrentState() == StateDisabled && index == StateNormal)
        painter.setOpacity(0.45);
    painter.drawPixmap(0, 0, pictures[index]);
    if (hasFocus()) {
        painter.setOpacity(1.0);
        QPen pen(QColor(0x46, 0x7A, 0x01), 1, Qt::DotLine);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(2, 2, -3, -3));
    }
}

void TssSkinButton::enterEvent(QEnterEvent *event)
{
    hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void TssSkinButton::leaveEvent(QEvent *event)
{
    hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void TssSkinButton::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange)
        update();
    QAbstractButton::changeEvent(event);
}

bool TssSkinButton::hitButton(const QPoint &pos) const
{
    return shape.isEmpty() ? rect().contains(pos) : shape.contains(pos);
}

void TssSkinButton::setAction(QAction *newAction)
{
    if (actionConnection)
        disconnect(actionConnection);
    action = newAction;
    if (action) {
        actionConnection = connect(action, &QAction::changed, this, &TssSkinButton::syncWithAction);
        syncWithAction();
    }
}

void TssSkinButton::syncWithAction()
{
    if (action)
        setEnabled(action->isEnabled());
}

void TssSkinButton::handleClick()
{
    const QPointer<TssSkinButton> self(this);
    if (modalResult != 0) {
        if (auto *dialog = qobject_cast<QDialog *>(window()))
            dialog->done(modalResult);
    }
    if (self && action)
        action->trigger();
}
