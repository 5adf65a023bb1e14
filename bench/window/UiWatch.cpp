#include "UiWatch.h"

#include "Tskinprocess.h"

#include <QEvent>
#include <QLabel>

#include <algorithm>

UiWatch::UiWatch(TSkinProcess *bar) : m_bar(bar)
{
    m_timer.setInterval(16);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &UiWatch::tick);
    if (m_bar->Fill())
        m_bar->Fill()->installEventFilter(this);
}

UiWatch::~UiWatch()
{
    if (m_bar->Fill())
        m_bar->Fill()->removeEventFilter(this);
}

void UiWatch::start()
{
    m_largestGap = 0;
    m_ticks = 0;
    m_barUpdates = 0;
    m_barPaints = 0;
    m_fullest = 0;
    m_clock.start();
    m_lastTick = m_clock.nsecsElapsed();
    m_timer.start();
}

void UiWatch::stop()
{
    m_timer.stop();
    // The time since the last tick counts too: the thread may have been busy up to the end.
    tick();
}

void UiWatch::tick()
{
    const qint64 now = m_clock.nsecsElapsed();
    m_largestGap = std::max(m_largestGap, static_cast<double>(now - m_lastTick) / 1e6);
    m_lastTick = now;
    ++m_ticks;
    if (onTick)
        onTick(static_cast<double>(now) / 1e6);
}

bool UiWatch::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize) {
        ++m_barUpdates;
        if (m_bar->Range() > 0)
            m_fullest = std::max(m_fullest, static_cast<int>(static_cast<int64_t>(m_bar->FillWidth()) * 100 / m_bar->Range()));
    } else if (event->type() == QEvent::Paint) {
        ++m_barPaints;
    }
    return QObject::eventFilter(watched, event);
}
