#pragma once

#include <QColor>
#include <QObject>
#include <QPixmap>
#include <QPoint>
#include <QPointer>
#include <QRegion>

class QWidget;

// Gives a form a painted face: attached with `new TssSkinForm(form)`, it makes the form frameless,
// paints the glyph as its whole face, fixes the form's size to the glyph's logical size, shapes
// the window to the glyph's pixels that are not TransparentColor, drags the window on a left press
// that no child takes, and centres the form over its owner (or the screen) when first shown.
class TssSkinForm : public QObject {
    Q_OBJECT
public:
    explicit TssSkinForm(QWidget *form);

    void setGlyph(const QPixmap &glyph);
    QPixmap Glyph() const { return glyph; }

    void setTransparentColor(const QColor &color);
    QColor TransparentColor() const { return transparentColor; }

    QWidget *Form() const { return form; }

    // The shape that setGlyph gave the form, in logical pixels.
    QRegion Shape() const { return shape; }

    // The set of glyph pixels (logical) whose colour is not `key`.
    static QRegion ShapeOf(const QPixmap &glyph, const QColor &key);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void applyShape();
    void centre();

    QPointer<QWidget> form;
    QPixmap glyph;
    QPixmap face;   // the glyph with TransparentColor made transparent
    QColor transparentColor{255, 0, 255};
    QRegion shape;
    bool centred = false;
    bool dragging = false;
    QPoint dragOffset;
};
