#include "ArtKit.h"

#include "SkinTable.h"

#include <QLinearGradient>
#include <QPainter>
#include <QtMath>

namespace Art {

QFont UiFont(qreal pixelSize, bool bold)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(qRound(pixelSize));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

QImage Canvas(int width, int height, int scale)
{
    QImage image(width * scale, height * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void KeyToFuchsia(QImage &image)
{
    image = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = kFuchsia.rgb();
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb px = line[x];
            if (qAlpha(px) < 128) {
                line[x] = key;
                continue;
            }
            QRgb solid = qRgb(qRed(px), qGreen(px), qBlue(px));
            // An edge pixel that happens to come out as the key colour would punch a hole.
            if (solid == key)
                solid = qRgb(254, 0, 254);
            line[x] = solid;
        }
    }
}

void MakeOpaque(QImage &image)
{
    QImage opaque(image.size(), QImage::Format_ARGB32);
    opaque.fill(Qt::white);
    QPainter p(&opaque);
    p.drawImage(0, 0, image);
    p.end();
    image = opaque;
}

QColor BodyColorAt(qreal y, qreal height)
{
    const qreal t = height > 0 ? qBound<qreal>(0, y / height, 1) : 0;
    const QColor top(0xFA, 0xFB, 0xF8), bottom(0xEE, 0xF1, 0xEA);
    return QColor::fromRgbF(float(top.redF() + (bottom.redF() - top.redF()) * t),
                            float(top.greenF() + (bottom.greenF() - top.greenF()) * t),
                            float(top.blueF() + (bottom.blueF() - top.blueF()) * t));
}

void PaintBody(QPainter &p, const QRectF &rect, qreal windowHeight)
{
    QLinearGradient g(0, 0, 0, windowHeight);
    g.setColorAt(0, BodyColorAt(0, windowHeight));
    g.setColorAt(1, BodyColorAt(windowHeight, windowHeight));
    p.fillRect(rect, g);
}

static void PaintBand(QPainter &p, qreal width, qreal height, const QColor &top, const QColor &bottom,
                      bool stripes)
{
    QLinearGradient g(0, 0, 0, height);
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(QRectF(0, 0, width, height), g);
    // A soft gloss over the upper half and a few faint diagonal strokes give the band depth.
    QLinearGradient gloss(0, 0, 0, height * 0.5);
    gloss.setColorAt(0, QColor(255, 255, 255, 46));
    gloss.setColorAt(1, QColor(255, 255, 255, 8));
    p.fillRect(QRectF(0, 0, width, height * 0.5), gloss);
    if (!stripes)
        return;
    p.save();
    p.setClipRect(QRectF(0, 0, width, height), Qt::IntersectClip);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 6; ++i) {
        const qreal x = width * 0.58 + i * 34.0;
        QPainterPath stripe;
        stripe.moveTo(x, height);
        stripe.lineTo(x + 14, height);
        stripe.lineTo(x + 14 + height * 0.8, 0);
        stripe.lineTo(x + height * 0.8, 0);
        stripe.closeSubpath();
        p.setBrush(QColor(255, 255, 255, 9 + (i % 2) * 5));
        p.drawPath(stripe);
    }
    p.restore();
}

void PaintMainBand(QPainter &p, qreal width)
{
    const qreal band = Res::MainTitleBandHeight - 2;
    PaintBand(p, width, band, QColor(0x6C, 0xA8, 0x1F), QColor(0x3C, 0x6B, 0x00), true);
    p.fillRect(QRectF(0, band, width, 2), kLime);
}

void PaintDialogBand(QPainter &p, qreal width)
{
    const qreal band = Res::DialogTitleBandHeight - 1;
    PaintBand(p, width, band, QColor(0x69, 0xA5, 0x1D), QColor(0x3F, 0x70, 0x00), false);
    p.fillRect(QRectF(0, band, width, 1), kLime);
}

QPainterPath RoundedRect(const QRectF &r, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

void PaintLogoMark(QPainter &p, const QRectF &box, bool detailed)
{
    p.save();
    p.translate(box.topLeft());
    p.scale(box.width(), box.height());
    p.setRenderHint(QPainter::Antialiasing);

    const qreal x0 = 0.20, x1 = 0.74, y0 = 0.08, cut = 0.50, y1 = 0.90, fold = 0.17;
    const QColor page(255, 255, 255), foldColor(0xD4, 0xEA, 0xAE), lines(0x8F, 0xBA, 0x4C);

    QPainterPath upper;
    upper.moveTo(x0, y0);
    upper.lineTo(x1 - fold, y0);
    upper.lineTo(x1, y0 + fold);
    upper.lineTo(x1, cut - 0.02);
    upper.lineTo(x0, cut + 0.03);
    upper.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(page);
    p.drawPath(upper);

    QPainterPath corner;
    corner.moveTo(x1 - fold, y0);
    corner.lineTo(x1 - fold, y0 + fold);
    corner.lineTo(x1, y0 + fold);
    corner.closeSubpath();
    p.setBrush(foldColor);
    p.drawPath(corner);

    // The lower half is cut off along a slanted line and drifts away, turned a little.
    p.save();
    p.translate(0.085, 0.075);
    p.translate(x0, cut + 0.03);
    p.rotate(7);
    p.translate(-x0, -(cut + 0.03));
    QPainterPath lower;
    lower.moveTo(x0, cut + 0.03);
    lower.lineTo(x1, cut - 0.02);
    lower.lineTo(x1, y1);
    lower.lineTo(x0, y1);
    lower.closeSubpath();
    p.setBrush(page);
    p.drawPath(lower);
    if (detailed) {
        p.setBrush(lines);
        for (int i = 0; i < 3; ++i)
            p.drawRect(QRectF(x0 + 0.07, cut + 0.11 + i * 0.085, (i == 2 ? 0.24 : 0.40), 0.035));
    }
    p.restore();

    if (detailed) {
        p.setBrush(lines);
        for (int i = 0; i < 3; ++i)
            p.drawRect(QRectF(x0 + 0.07, y0 + 0.10 + i * 0.085, (i == 0 ? 0.26 : 0.40), 0.035));
    }

    // The cut itself: a bright dashed stroke that runs past both edges of the page.
    QPen cutPen(kLime, detailed ? 0.035 : 0.06);
    cutPen.setCapStyle(Qt::RoundCap);
    if (detailed)
        cutPen.setDashPattern({1.6, 1.3});
    p.setPen(cutPen);
    p.drawLine(QPointF(0.04, cut + 0.085), QPointF(0.96, cut - 0.005));
    p.restore();
}

void PaintAppIcon(QPainter &p, qreal size)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF tile(size * 0.04, size * 0.04, size * 0.92, size * 0.92);
    QLinearGradient g(tile.topLeft(), tile.bottomRight());
    g.setColorAt(0, QColor(0x7C, 0xB9, 0x2B));
    g.setColorAt(1, QColor(0x33, 0x60, 0x00));
    p.setPen(size >= 32 ? QPen(QColor(0x2A, 0x4F, 0x00), size / 64.0) : Qt::NoPen);
    p.setBrush(g);
    p.drawPath(RoundedRect(tile, size * 0.2));
    QLinearGradient gloss(0, tile.top(), 0, tile.center().y());
    gloss.setColorAt(0, QColor(255, 255, 255, 60));
    gloss.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(gloss);
    p.drawPath(RoundedRect(tile.adjusted(size * 0.02, size * 0.02, -size * 0.02, -tile.height() * 0.5),
                           size * 0.18));
    const qreal m = size >= 32 ? 0.13 : 0.08;
    PaintLogoMark(p, QRectF(size * m, size * m, size * (1 - 2 * m), size * (1 - 2 * m)), size >= 48);
    p.restore();
}

void PaintGlyph(QPainter &p, const QRectF &box, int glyph, const QColor &color)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(box.topLeft());
    const qreal s = box.width() / 16.0;
    p.scale(s, s);
    QPen pen(color, 1.4);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    switch (glyph) {
    case GlyphDocument: {
        QPainterPath doc;
        doc.moveTo(3.5, 1.5);
        doc.lineTo(9.5, 1.5);
        doc.lineTo(12.5, 4.5);
        doc.lineTo(12.5, 14.5);
        doc.lineTo(3.5, 14.5);
        doc.closeSubpath();
        p.setPen(pen);
        p.setBrush(Qt::white);
        p.drawPath(doc);
        p.drawPolyline(QPolygonF({QPointF(9.5, 1.5), QPointF(9.5, 4.5), QPointF(12.5, 4.5)}));
        p.setPen(QPen(color, 1.1));
        p.drawLine(QPointF(5.5, 8), QPointF(10.5, 8));
        p.drawLine(QPointF(5.5, 10.5), QPointF(10.5, 10.5));
        break;
    }
    case GlyphScissors: {
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(4, 12), 2.3, 2.3);
        p.drawEllipse(QPointF(12, 12), 2.3, 2.3);
        p.drawLine(QPointF(5.6, 10.3), QPointF(11.5, 1.5));
        p.drawLine(QPointF(10.4, 10.3), QPointF(4.5, 1.5));
        break;
    }
    case GlyphFolder: {
        QPainterPath folder;
        folder.moveTo(1.5, 3.5);
        folder.lineTo(6, 3.5);
        folder.lineTo(7.5, 5);
        folder.lineTo(14.5, 5);
        folder.lineTo(14.5, 13.5);
        folder.lineTo(1.5, 13.5);
        folder.closeSubpath();
        p.setPen(pen);
        p.setBrush(QColor(0xE4, 0xF1, 0xCF));
        p.drawPath(folder);
        p.drawLine(QPointF(1.5, 7), QPointF(14.5, 7));
        break;
    }
    default:
        break;
    }
    p.restore();
}

void PaintHeading(QPainter &p, const QPointF &glyphTopLeft, const QString &text, int glyph)
{
    PaintGlyph(p, QRectF(glyphTopLeft, QSizeF(15, 15)), glyph, kText);
    p.setPen(kText);
    p.setFont(UiFont(13, true));
    p.drawText(QRectF(glyphTopLeft.x() + 20, glyphTopLeft.y() - 1, 300, 17),
               Qt::AlignLeft | Qt::AlignVCenter, text);
}

} // namespace Art
