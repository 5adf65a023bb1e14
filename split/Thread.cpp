#include "Thread.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

Thread::Thread() : state(std::make_shared<State>())
{
    QCoreApplication *app = QCoreApplication::instance();
    uiThread = app ? app->thread() : QThread::currentThread();
}

Thread::~Thread()
{
    WaitFor();
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
    if (QCoreApplication *app = QCoreApplication::instance()) {
        QMetaObject::invokeMethod(
            app, [shared = state] { shared->RunPending(); }, Qt::QueuedConnection);
    }
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
        changed.notify_all();
    }
}
