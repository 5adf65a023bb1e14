#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QRectF>

class QPainter;

// Shared colours and helpers of the painted artwork. Every painter works in logical pixels on a
// painter already scaled to the output resolution, so one routine draws both the 1x and the 2x file.
namespace Art {

inline const QColor kText{0x46, 0x7A, 0x01};        // the product's text green
inline const QColor kPanel{0xEA, 0xEA, 0xEA};       // light panel grey
inline const QColor kFrameLine{0xC6, 0xD0, 0xBA};
inline const QColor kDarkGreen{0x2F, 0x5A, 0x00};
inline const QColor kLime{0xB4, 0xDC, 0x4E};
inline const QColor kFuchsia{255, 0, 255};

QFont UiFont(qreal pixelSize, bool bold);

// A fresh transparent canvas of the logical size at the given scale.
QImage Canvas(int width, int height, int scale);
// Makes the image opaque: pixels at least half covered keep their own colour, the rest become
// fuchsia. Window and button shapes are cut from fuchsia, so no half-blended fringe may remain.
void KeyToFuchsia(QImage &image);
void MakeOpaque(QImage &image);

// The light body of the main window and dialogs, as a function of the window's y.
QColor BodyColorAt(qreal y, qreal height);
void PaintBody(QPainter &p, const QRectF &rect, qreal windowHeight);

// The green title band of the main window (0..MainTitleBandHeight) and of the dialogs. Buttons
// that sit on a band repaint the band under themselves so their rounded corners blend in.
void PaintMainBand(QPainter &p, qreal width);
void PaintDialogBand(QPainter &p, qreal width);

QPainterPath RoundedRect(const QRectF &r, qreal radius);

// The logo mark: a page cut in two. light = drawn for a green background.
void PaintLogoMark(QPainter &p, const QRectF &box, bool detailed);
// The application icon: the mark on a green tile.
void PaintAppIcon(QPainter &p, qreal size);

void PaintHeading(QPainter &p, const QPointF &glyphTopLeft, const QString &text, int glyph);
enum Glyph { GlyphDocument, GlyphScissors, GlyphFolder };
void PaintGlyph(QPainter &p, const QRectF &box, int glyph, const QColor &color);

} // namespace Art
