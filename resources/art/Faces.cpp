#include "Faces.h"

#include "ArtKit.h"
#include "SkinTable.h"

#include <QLinearGradient>
#include <QPainter>

namespace Art {
namespace {

constexpr qreal kWindowRadius = 9;

// A light rounded card with a hairline border, as the file and output areas of the main window.
void PaintCard(QPainter &p, const QRectF &r)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kFrameLine, 1));
    p.setBrush(kPanel);
    p.drawPath(RoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 6));
    p.setPen(QPen(QColor(255, 255, 255, 200), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(RoundedRect(r.adjusted(1.5, 1.5, -1.5, -1.5), 5));
    p.restore();
}

void PaintSeparator(QPainter &p, qreal x0, qreal x1, qreal y)
{
    p.fillRect(QRectF(x0, y, x1 - x0, 1), kFrameLine);
    p.fillRect(QRectF(x0, y + 1, x1 - x0, 1), QColor(255, 255, 255, 220));
}

void PaintWindowOutline(QPainter &p, qreal w, qreal h)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kDarkGreen, 1));
    p.drawPath(RoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), kWindowRadius));
    p.restore();
}

void PaintProductName(QPainter &p, qreal x, qreal baseline, qreal size)
{
    p.setPen(Qt::white);
    QFont light = UiFont(size, false);
    QFont bold = UiFont(size, true);
    p.setFont(light);
    const QString first = QStringLiteral("Orvanta ");
    p.drawText(QPointF(x, baseline), first);
    const qreal advance = QFontMetricsF(light).horizontalAdvance(first);
    p.setFont(bold);
    p.drawText(QPointF(x + advance, baseline), QStringLiteral("Pagemill"));
}

void PaintDialogFace(QPainter &p, qreal w, qreal h, bool footer)
{
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath shape = RoundedRect(QRectF(0, 0, w, h), kWindowRadius);
    p.setClipPath(shape);
    PaintBody(p, QRectF(0, 0, w, h), h);
    PaintDialogBand(p, w);
    if (footer) {
        const qreal top = h - Res::DialogFooterHeight;
        p.fillRect(QRectF(0, top, w, Res::DialogFooterHeight), QColor(0xE4, 0xE8, 0xDF));
        PaintSeparator(p, 0, w, top);
    }
    PaintLogoMark(p, QRectF(8, 4, 21, 21), false);
    p.setClipping(false);
    PaintWindowOutline(p, w, h);
}

} // namespace

void PaintMainFace(QPainter &p)
{
    const qreal w = 554, h = 636;
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipPath(RoundedRect(QRectF(0, 0, w, h), kWindowRadius));
    PaintBody(p, QRectF(0, 0, w, h), h);
    PaintMainBand(p, w);

    PaintLogoMark(p, QRectF(18, 30, 58, 58), true);
    PaintProductName(p, 82, 66, 27);
    p.setPen(QColor(255, 255, 255, 215));
    p.setFont(UiFont(12, false));
    p.drawText(QPointF(84, 84), QStringLiteral("Cut one PDF into as many as you need"));

    // File area: the source document.
    PaintCard(p, QRectF(17, 100, 521, 116));
    PaintHeading(p, QPointF(30, 108), QStringLiteral("Source Document"), GlyphDocument);
    PaintSeparator(p, 30, 525, 130);

    // Output area; its heading is a label of the window, so only the glyph is painted here.
    PaintCard(p, QRectF(17, 532, 521, 95));
    PaintGlyph(p, QRectF(28, 537, 15, 15), GlyphFolder, kText);

    p.setClipping(false);
    PaintWindowOutline(p, w, h);
}

void PaintOptionsPanel(QPainter &p)
{
    // The panel sits at 17, 222 of the main window: outside its rounded corners it repeats the
    // window body there so the corners blend into the face below.
    const qreal w = 521, h = 305, windowTop = 222, windowHeight = 636;
    QLinearGradient body(0, -windowTop, 0, windowHeight - windowTop);
    body.setColorAt(0, BodyColorAt(0, windowHeight));
    body.setColorAt(1, BodyColorAt(windowHeight, windowHeight));
    p.fillRect(QRectF(0, 0, w, h), body);
    PaintCard(p, QRectF(0, 0, w, h));
    PaintHeading(p, QPointF(13, 8), QStringLiteral("Split Options"), GlyphScissors);
    PaintSeparator(p, 13, w - 13, 29);
    PaintSeparator(p, 13, w - 13, 266);
}

void PaintCustomFace(QPainter &p) { PaintDialogFace(p, 457, 432, true); }

void PaintBookmarkFace(QPainter &p)
{
    PaintDialogFace(p, 540, 490, true);
    const QRectF tree(Res::BookmarkTreeLeft - 1, Res::BookmarkTreeTop - 1, 503 + 2, 321 + 2);
    p.fillRect(tree, Qt::white);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(kFrameLine, 0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(tree.adjusted(0, 0, -1, -1));
}

void PaintAboutFace(QPainter &p)
{
    const qreal w = 423, h = 241;
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipPath(RoundedRect(QRectF(0, 0, w, h), kWindowRadius));
    QLinearGradient field(0, 0, w * 0.35, h);
    field.setColorAt(0, QColor(0x74, 0xB0, 0x24));
    field.setColorAt(1, QColor(0x33, 0x62, 0x00));
    p.fillRect(QRectF(0, 0, w, h), field);
    // Wide faint rings behind the logo.
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 4; ++i) {
        p.setPen(QPen(QColor(255, 255, 255, 14), 10));
        p.drawEllipse(QPointF(72, 92), 70.0 + i * 34, 70.0 + i * 34);
    }
    QLinearGradient gloss(0, 0, 0, h * 0.45);
    gloss.setColorAt(0, QColor(255, 255, 255, 40));
    gloss.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(QRectF(0, 0, w, h * 0.45), gloss);

    PaintLogoMark(p, QRectF(26, 36, 96, 96), true);
    PaintProductName(p, 130, 88, 32);
    p.setPen(QColor(255, 255, 255, 220));
    p.setFont(UiFont(13, false));
    p.drawText(QPointF(132, 112), QStringLiteral("Cut one PDF into as many as you need."));

    const qreal strip = 176;
    p.fillRect(QRectF(0, strip, w, h - strip), QColor(0, 0, 0, 52));
    p.fillRect(QRectF(0, strip, w, 1), QColor(0xB4, 0xDC, 0x4E, 200));
    p.setClipping(false);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x24, 0x45, 0x00), 1));
    p.drawPath(RoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), kWindowRadius));
}

void PaintProgressTrough(QPainter &p)
{
    const qreal w = 515, h = 9;
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(QRectF(0, 0, w, h), kPanel);
    QLinearGradient groove(0, 0, 0, h);
    groove.setColorAt(0, QColor(0xB9, 0xBF, 0xB2));
    groove.setColorAt(0.35, QColor(0xD6, 0xDA, 0xD1));
    groove.setColorAt(1, QColor(0xF4, 0xF5, 0xF2));
    p.setPen(QPen(QColor(0xA9, 0xB3, 0x9E), 1));
    p.setBrush(groove);
    p.drawPath(RoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), 4));
}

void PaintProgressFill(QPainter &p)
{
    const qreal w = 8, h = 6;
    QLinearGradient fill(0, 0, 0, h);
    fill.setColorAt(0, QColor(0xA6, 0xD8, 0x4A));
    fill.setColorAt(0.45, QColor(0x76, 0xB2, 0x1E));
    fill.setColorAt(1, QColor(0x4A, 0x80, 0x04));
    p.fillRect(QRectF(0, 0, w, h), fill);
}

} // namespace Art
