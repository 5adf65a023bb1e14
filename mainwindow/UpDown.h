// Up-down arrows bound to an edit: each arrow steps the edit's number by one within
// [minimum, maximum], without wrapping.
#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

class TUpDown : public QWidget {
    Q_OBJECT
public:
    TUpDown(QLineEdit *associate, QWidget *parent);

    void setMinimum(int value) { m_min = value; }
    void setMaximum(int value) { m_max = value; }
    void setPosition(int value) { m_position = value; }
    int minimum() const { return m_min; }
    int maximum() const { return m_max; }
    int position() const { return m_position; }

    // Steps by delta as one press of an arrow does.
    void step(int delta);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QLineEdit *m_associate;
    QToolButton *m_up;
    QToolButton *m_down;
    int m_min = 0;
    int m_max = 100;
    int m_position = 0;
};
