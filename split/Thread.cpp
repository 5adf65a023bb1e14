#include "Thread.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QThread>

namespace {

const QEvent::Type RunPendingEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

// Receives a bare event per Synchronize call and runs what is pending. The event carries no
// data: everything the calls need passes through State's mutex.
class Dispatcher : public QObject {
public:
    explicit Dispatcher(std::function<void()> runPending) : run(std::move(runPending)) {}

    bool event(QEvent *e) override
    {
        if (e->type() != RunPendingEvent)
            return QObject::event(e);
        run();
        return true;
    }

private:
    std::function<void()> run;
};

} // namespace

Thread::Thread() : state(std::make_shared<State>())
{
    QCoreApplication *app = QCoreApplication::instance();
    uiThread = app ? app->thread() : QThread::currentThread();
    if (app) {
        // The dispatcher keeps the state alive: it may outlive this object when deleted later.
        dispatcher = new Dispatcher([shared = state] { shared->RunPending(); });
        if (dispatcher->thread() != uiThread)
            dispatcher->moveToThread(uiThread);
    }
}

Thread::~Thread()
{
    WaitFor();
    // Deleting the dispatcher also drops the events still posted to it.
    if (dispatcher) {
        if (QThread::currentThread() == dispatcher->thread())
            delete dispatcher;
        else
            dispatcher->deleteLater();
    }
    // Only a thread that destroys its own object gets here with a joinable worker.
    if (worker.joinable())
        worker.detach();
}

void Thread::Resume()
{
    if (started)
        return;
    started = true;
    worker = std::thread([this] { Run(); });
}

void Thread::Run()
{
    try {
        Execute();
    } catch (...) {
        // Nothing may leave the worker; the thread simply ends.
    }
    {
        std::lock_guard lock(state->mutex);
        state->finished = true;
    }
    state->changed.notify_all();
}

bool Thread::Finished() const
{
    std::lock_guard lock(state->mutex);
    return state->finished;
}

void Thread::WaitFor()
{
    if (!started || worker.get_id() == std::this_thread::get_id())
        return;
    const bool onUiThread = QThread::currentThread() == uiThread;
    std::unique_lock lock(state->mutex);
    for (;;) {
        if (onUiThread && !state->pending.empty()) {
            lock.unlock();
            state->RunPending();
            lock.lock();
            continue;
        }
        if (state->finished)
            break;
        state->changed.wait(lock);
    }
    lock.unlock();
    if (worker.joinable())
        worker.join();
}

void Thread::Synchronize(const std::function<void()> &call)
{
    if (QThread::currentThread() == uiThread) {
        call();
        return;
    }
    PendingCall pendingCall;
    pendingCall.call = &call;
    {
        std::lock_guard lock(state->mutex);
        state->pending.push_back(&pendingCall);
    }
    // Wakes a WaitFor on the UI thread; the posted event serves an event loop that is not waiting.
    state->changed.notify_all();
    if (dispatcher)
        QCoreApplication::postEvent(dispatcher, new QEvent(RunPendingEvent));
    std::unique_lock lock(state->mutex);
    state->changed.wait(lock, [&] { return pendingCall.done; });
    if (pendingCall.error)
        std::rethrow_exception(pendingCall.error);
}

void Thread::State::RunPending()
{
    std::unique_lock lock(mutex);
    while (!pending.empty()) {
        PendingCall *pendingCall = pending.front();
        pending.pop_front();
        lock.unlock();
        std::exception_ptr error;
        try {
            (*pendingCall->call)();
        } catch (...) {
            error = std::current_exception();
        }
        lock.lock();
        pendingCall->error = error;
        pendingCall->done = true;
        // Woken after the unlock, the worker does not have to wait for the mutex again.
        lock.unlock();
        changed.notify_all();
        lock.lock();
    }
}
