#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QPixmap>
#include <QPointer>
#include <QRegion>

class QAction;

// A button drawn from a strip of DivNum equal pictures: normal, mouse over, pressed, disabled. A
// state the strip lacks shows the normal picture (dimmed when disabled, so it reads as disabled).
// It sizes itself to one picture and, with Mask set, is shaped like the first picture minus the
// MaskColor pixels; MaskColor pixels are never painted. A click first hands ModalResult to the
// button's dialog (QDialog::done when not zero), then triggers its action, then emits clicked.
class TssSkinButton : public QAbstractButton {
    Q_OBJECT
public:
    enum State { StateNormal = 0, StateHover = 1, StatePressed = 2, StateDisabled = 3 };

    explicit TssSkinButton(QWidget *parent = nullptr);

    void setSkin(const QPixmap &strip);
    QPixmap Skin() const { return strip; }

    void setDivNum(int count);
    int DivNum() const { return divNum; }

    void setMask(bool on);
    bool Mask() const { return maskOn; }
    void setMaskColor(const QColor &color);
    QColor MaskColor() const { return maskColor; }

    void setModalResult(int result) { modalResult = result; }
    int ModalResult() const { return modalResult; }

    // The words the picture shows, as the accessible name. When the picture shows a symbol only
    // (painted = false), the caption is also the tooltip.
    void setCaption(const QString &caption, bool painted = true);

    // Enabled state follows the action; a click triggers it.
    void setAction(QAction *action);
    QAction *Action() const { return action; }

    // The state the button is in and the strip picture that state shows.
    State CurrentState() const;
    int PictureIndex() const;
    QPixmap Picture(int index) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool hitButton(const QPoint &pos) const override;

private:
    void rebuild();
    void handleClick();
    void syncWithAction();

    QPixmap strip;
    QList<QPixmap> pictures;   // the strip cut into its states, MaskColor made transparent
    int divNum = 3;
    bool maskOn = true;
    QColor maskColor{255, 0, 255};
    QRegion shape;
    int modalResult = 0;
    bool hovered = false;
    QPointer<QAction> action;
    QMetaObject::Connection actionConnection;
};
