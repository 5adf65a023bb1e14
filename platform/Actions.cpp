#include "Actions.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QPointer>
#include <QThread>

#include <vector>

namespace {

std::vector<QPointer<TAction>> &liveActions()
{
    static std::vector<QPointer<TAction>> actions;
    return actions;
}

// Connects the idle hook once per event dispatcher of the UI thread.
void ensureIdleHook()
{
    static QPointer<QAbstractEventDispatcher> hooked;
    QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance(QCoreApplication::instance()
                                                                                  ? QCoreApplication::instance()->thread()
                                                                                  : QThread::currentThread());
    if (!dispatcher || hooked == dispatcher)
        return;
    hooked = dispatcher;
    QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, dispatcher, &TAction::UpdateAll);
}

} // namespace

TAction::TAction(const QString &name, QObject *parent) : QAction(parent)
{
    setObjectName(name);
    liveActions().emplace_back(this);
    ensureIdleHook();
}

void TAction::setOnExecute(std::function<void()> handler)
{
    connect(this, &QAction::triggered, this, [handler = std::move(handler)] { handler(); });
}

void TAction::setOnUpdate(std::function<void()> handler)
{
    m_onUpdate = std::move(handler);
}

void TAction::Update()
{
    if (m_onUpdate)
        m_onUpdate();
}

void TAction::UpdateAll()
{
    auto &actions = liveActions();
    std::erase_if(actions, [](const QPointer<TAction> &a) { return a.isNull(); });
    // An update handler may create or destroy actions; walk a copy.
    const auto snapshot = actions;
    for (const QPointer<TAction> &action : snapshot)
        if (action)
            action->Update();
}
