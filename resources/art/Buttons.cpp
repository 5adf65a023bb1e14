#include "Buttons.h"

#include "ArtKit.h"
#include "SkinTable.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>

#include <cstring>

namespace Art {
namespace {

enum State { Normal = 0, Hover = 1, Pressed = 2 };

struct Palette {
    QColor top, bottom, border, text;
};

QFont FittingFont(const QString &text, qreal maxWidth, qreal size, bool bold)
{
    QFont font = UiFont(size, bold);
    while (size > 9 && QFontMetricsF(font).horizontalAdvance(text) > maxWidth) {
        size -= 1;
        font = UiFont(size, bold);
    }
    return font;
}

void PaintPlate(QPainter &p, const QRectF &r, const Palette &c, qreal radius, int state)
{
    QLinearGradient g(0, r.top(), 0, r.bottom());
    g.setColorAt(0, state == Pressed ? c.bottom : c.top);
    g.setColorAt(1, state == Pressed ? c.top : c.bottom);
    p.setPen(QPen(c.border, 1));
    p.setBrush(g);
    p.drawPath(RoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius));
    if (state != Pressed) {
        p.setPen(QPen(QColor(255, 255, 255, 120), 1));
        p.setBrush(Qt::NoBrush);
        p.drawPath(RoundedRect(r.adjusted(1.5, 1.5, -1.5, -1.5), radius - 1));
    }
}

void PaintLightButton(QPainter &p, const QRectF &r, const QString &caption, int state)
{
    static const Palette normal{QColor(0xFF, 0xFF, 0xFF), QColor(0xDD, 0xE5, 0xD3), QColor(0x8A, 0xAE, 0x58),
                                kText};
    static const Palette hover{QColor(0xFF, 0xFF, 0xFF), QColor(0xE6, 0xF3, 0xD2), QColor(0x5C, 0x99, 0x12),
                               QColor(0x3A, 0x68, 0x00)};
    static const Palette pressed{QColor(0xF0, 0xF5, 0xE8), QColor(0xCF, 0xDD, 0xBD), kText,
                                 QColor(0x33, 0x5C, 0x00)};
    const Palette &c = state == Hover ? hover : state == Pressed ? pressed : normal;
    PaintPlate(p, r, c, 4, state);
    const qreal shift = state == Pressed ? 1 : 0;
    p.setFont(FittingFont(caption, r.width() - 8, 12, true));
    p.setPen(c.text);
    p.drawText(r.translated(0, shift), Qt::AlignCenter, caption);
}

void PaintBigButton(QPainter &p, const QRectF &r, const QString &caption, int state, bool stop)
{
    const Palette green[3] = {
        {QColor(0x82, 0xBE, 0x2F), QColor(0x43, 0x76, 0x00), QColor(0x2E, 0x55, 0x00), Qt::white},
        {QColor(0x92, 0xCC, 0x3C), QColor(0x4F, 0x88, 0x04), QColor(0x2E, 0x55, 0x00), Qt::white},
        {QColor(0x6E, 0xA8, 0x22), QColor(0x3A, 0x67, 0x00), QColor(0x24, 0x45, 0x00), Qt::white}};
    const Palette red[3] = {
        {QColor(0xE2, 0x6A, 0x4F), QColor(0xA8, 0x2E, 0x1C), QColor(0x78, 0x1E, 0x10), Qt::white},
        {QColor(0xEE, 0x7C, 0x5F), QColor(0xB8, 0x38, 0x24), QColor(0x78, 0x1E, 0x10), Qt::white},
        {QColor(0xC9, 0x55, 0x3E), QColor(0x93, 0x27, 0x17), QColor(0x5E, 0x16, 0x0A), Qt::white}};
    const Palette &c = (stop ? red : green)[state];
    PaintPlate(p, r, c, 7, state);
    const qreal shift = state == Pressed ? 1 : 0;
    const QFont font = UiFont(21, true);
    const qreal textWidth = QFontMetricsF(font).horizontalAdvance(caption);
    const qreal glyph = 20, gap = 9;
    const qreal left = r.left() + (r.width() - glyph - gap - textWidth) / 2;
    const QRectF glyphBox(left, r.center().y() - glyph / 2 + shift, glyph, glyph);
    // A darker copy one pixel down reads as engraved text and keeps it legible on both greens.
    const QColor shadow(0, 0, 0, 70);
    if (stop) {
        p.setPen(Qt::NoPen);
        p.setBrush(shadow);
        p.drawRoundedRect(glyphBox.adjusted(3, 4, -3, -2), 2, 2);
        p.setBrush(Qt::white);
        p.drawRoundedRect(glyphBox.adjusted(3, 3, -3, -3), 2, 2);
    } else {
        PaintGlyph(p, glyphBox.translated(0, 1), GlyphScissors, shadow);
        PaintGlyph(p, glyphBox, GlyphScissors, Qt::white);
    }
    p.setFont(font);
    const QRectF textBox(left + glyph + gap, r.top() + shift, textWidth + 2, r.height());
    p.setPen(shadow);
    p.drawText(textBox.translated(0, 1), Qt::AlignLeft | Qt::AlignVCenter, caption);
    p.setPen(Qt::white);
    p.drawText(textBox, Qt::AlignLeft | Qt::AlignVCenter, caption);
}

// Buttons on a title band repaint the band beneath them, so the whole cell is opaque and only a
// hover plate is drawn on it.
void PaintBandUnder(QPainter &p, const QPointF &windowPos, bool mainBand)
{
    p.save();
    p.translate(-windowPos);
    if (mainBand)
        PaintMainBand(p, 554);
    else
        PaintDialogBand(p, 600);
    p.restore();
}

void PaintBandPlate(QPainter &p, const QRectF &r, int state, bool danger)
{
    if (state == Normal)
        return;
    QColor fill = danger ? QColor(0xD8, 0x3F, 0x31) : QColor(255, 255, 255, 60);
    if (state == Pressed)
        fill = danger ? QColor(0xA8, 0x2A, 0x1E) : QColor(0, 0, 0, 45);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(RoundedRect(r.adjusted(1, 1, -1, -1), 3));
}

void PaintCross(QPainter &p, const QPointF &c, qreal half, qreal width)
{
    QPen pen(Qt::white, width);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    p.drawLine(c + QPointF(-half, -half), c + QPointF(half, half));
    p.drawLine(c + QPointF(-half, half), c + QPointF(half, -half));
}

void PaintHelpButton(QPainter &p, const QRectF &r, int state)
{
    QColor fill(255, 255, 255, state == Hover ? 62 : state == Pressed ? 20 : 34);
    p.setPen(QPen(QColor(255, 255, 255, state == Hover ? 235 : 170), 1));
    p.setBrush(fill);
    p.drawPath(RoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 12.5));
    const qreal shift = state == Pressed ? 1 : 0;
    const QPointF centre(r.left() + 15, r.center().y() + shift);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(centre, 8.5, 8.5);
    p.setPen(kText);
    p.setFont(UiFont(13, true));
    p.drawText(QRectF(centre.x() - 8.5, centre.y() - 8.5, 17, 17).translated(0.5, 0), Qt::AlignCenter,
               QStringLiteral("?"));
    p.setPen(Qt::white);
    p.setFont(UiFont(13, true));
    p.drawText(QRectF(r.left() + 28, r.top() + shift, r.width() - 32, r.height()),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Help"));
}

void PaintCell(QPainter &p, const Res::SkinInfo &info, const QRectF &r, int state)
{
    const char *name = info.name;
    const QString caption = QString::fromUtf8(info.caption);
    if (std::strcmp(name, "btn_min") == 0) {
        PaintBandUnder(p, QPointF(489, 6), true);
        PaintBandPlate(p, r, state, false);
        p.fillRect(QRectF(r.center().x() - 5, r.center().y() + 2, 10, 2), Qt::white);
    } else if (std::strcmp(name, "btn_close") == 0) {
        PaintBandUnder(p, QPointF(515, 6), true);
        PaintBandPlate(p, r, state, true);
        PaintCross(p, r.center(), 4, 1.8);
    } else if (std::strcmp(name, "btn_dlg_close") == 0) {
        PaintBandUnder(p, QPointF(0, Res::DialogCloseTop), false);
        PaintBandPlate(p, r, state, true);
        PaintCross(p, r.center(), 4.5, 1.8);
    } else if (std::strcmp(name, "btn_help") == 0) {
        PaintBandUnder(p, QPointF(467, 54), true);
        PaintHelpButton(p, r, state);
    } else if (std::strcmp(name, "btn_split") == 0 || std::strcmp(name, "btn_stop") == 0) {
        PaintBigButton(p, r, caption, state, std::strcmp(name, "btn_stop") == 0);
    } else {
        PaintLightButton(p, r, caption, state);
    }
}

} // namespace

void PaintButtonStrip(QPainter &p, const Res::SkinInfo &info)
{
    const qreal cell = qreal(info.width) / info.states;
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    for (int state = 0; state < info.states; ++state) {
        p.save();
        p.translate(cell * state, 0);
        const QRectF r(0, 0, cell, info.height);
        p.setClipRect(r);
        PaintCell(p, info, r, state);
        p.restore();
    }
}

} // namespace Art
