// A label that reports clicks, for the labels that stand beside the caption-less radio buttons.
#pragma once

#include <QLabel>

class TClickLabel : public QLabel {
    Q_OBJECT
public:
    TClickLabel(const QString &text, QWidget *parent);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_pressed = false;
};
