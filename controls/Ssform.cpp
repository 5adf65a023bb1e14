#include "Ssform.h"

#include <QBitmap>
#include <QGuiApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWidget>
#include <QWindow>

TssSkinForm::TssSkinForm(QWidget *target) : QObject(target), form(target)
{
    setObjectName(QStringLiteral("ssSkinForm1"));
    if (!form)
        return;
    form->setWindowFlag(Qt::FramelessWindowHint, true);
    // Under a compositor the corners outside the shape are see-through as well as unclickable.
    form->setAttribute(Qt::WA_TranslucentBackground, true);
    form->installEventFilter(this);
}

QRegion TssSkinForm::ShapeOf(const QPixmap &picture, const QColor &key)
{
    if (picture.isNull())
        return {};
    QImage image = picture.toImage();
    const QSize logical = (QSizeF(image.size()) / picture.devicePixelRatio()).toSize();
    // A 2x picture is sampled at its logical pixels; the mask of a widget is in logical units.
    if (image.size() != logical)
        image = image.scaled(logical, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    image = image.convertToFormat(QImage::Format_RGB32);
    return QRegion(QBitmap::fromImage(image.createMaskFromColor(key.rgb(), Qt::MaskInColor)));
}

void TssSkinForm::setGlyph(const QPixmap &picture)
{
    glyph = picture;
    applyShape();
}

void TssSkinForm::setTransparentColor(const QColor &color)
{
    transparentColor = color;
    applyShape();
}

void TssSkinForm::applyShape()
{
    if (!form)
        return;
    if (glyph.isNull()) {
        face = QPixmap();
        shape = QRegion();
        form->clearMask();
        form->update();
        return;
    }
    const QSize logical = (QSizeF(glyph.size()) / glyph.devicePixelRatio()).toSize();
    form->setFixedSize(logical);
    shape = ShapeOf(glyph, transparentColor);
    form->setMask(shape);
    QImage image = glyph.toImage().convertToFormat(QImage::Format_ARGB32);
    const QRgb key = transparentColor.rgb() & 0xFFFFFFu;
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((line[x] & 0xFFFFFFu) == key)
                line[x] = 0;
    }
    face = QPixmap::fromImage(image);
    face.setDevicePixelRatio(glyph.devicePixelRatio());
    form->update();
}

void TssSkinForm::centre()
{
    QWidget *owner = form->parentWidget() ? form->parentWidget()->window() : nullptr;
    QRect area;
    if (owner && owner->isVisible()) {
        area = owner->frameGeometry();
    } else {
        QScreen *screen = form->screen() ? form->screen() : QGuiApplication::primaryScreen();
        if (!screen)
            return;
        area = screen->availableGeometry();
    }
    QRect frame = form->frameGeometry();
    frame.moveCenter(area.center());
    if (form->isWindow())
        form->move(frame.topLeft());
}

bool TssSkinForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != form)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Paint:
        if (!face.isNull()) {
            QPainter painter(form);
            painter.drawPixmap(0, 0, face);
        }
        break;
    case QEvent::Show:
        if (!centred && form->isWindow()) {
            centred = true;
            centre();
        }
        break;
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton)
            break;
        QWindow *window = form->window()->windowHandle();
        // Where the window system cannot move the window itself, move it by hand.
        if (window && window->startSystemMove())
            return true;
        dragging = true;
        dragOffset = mouse->globalPosition().toPoint() - form->window()->pos();
        return true;
    }
    case QEvent::MouseMove:
        if (dragging) {
            auto *mouse = static_cast<QMouseEvent *>(event);
            form->window()->move(mouse->globalPosition().toPoint() - dragOffset);
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        if (dragging && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            dragging = false;
            return true;
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
