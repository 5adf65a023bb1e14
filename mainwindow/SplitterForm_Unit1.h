// The main window.
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

class TSplitterForm : public QWidget {
    Q_OBJECT
public:
    explicit TSplitterForm(QWidget *owner);

    QLabel *lblTitle = nullptr;
    QPushButton *btnClose = nullptr;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void btnCloseClick();
};
