// A label that reports a left click (press and release over it): the labels beside the
// caption-less radio buttons, and the link labels.
#pragma once

#include <QLabel>

class TClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit TClickLabel(QWidget *parent = nullptr);
    TClickLabel(const QString &text, QWidget *parent);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_pressed = false;
};
