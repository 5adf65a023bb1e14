// Watches the UI thread while a job runs: a 16 ms timer whose largest gap between ticks is the
// longest time the thread was kept from its event loop, and the progress bar's fill, whose
// resizes are the bar's visible updates and whose paints show the window still repaints.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>

class TSkinProcess;

class UiWatch : public QObject {
public:
    explicit UiWatch(TSkinProcess *bar);
    ~UiWatch() override;

    void start();
    void stop();

    // Called at every tick with the milliseconds since the watch started.
    std::function<void(double)> onTick;

    double largestGapMs() const { return m_largestGap; }
    int ticks() const { return m_ticks; }
    int barUpdates() const { return m_barUpdates; }
    int barPaints() const { return m_barPaints; }
    // The fullest the bar was drawn, in percent of its range.
    int fullestPercent() const { return m_fullest; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void tick();

    TSkinProcess *m_bar;
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_lastTick = 0;
    double m_largestGap = 0;
    int m_ticks = 0;
    int m_barUpdates = 0;
    int m_barPaints = 0;
    int m_fullest = 0;
};
