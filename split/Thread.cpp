#include "Thread.h"

#include <QCoreApplication>
#include <QObject>
#include <QSocketNotifier>
#include <QThread>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <sys/eventfd.h>
#include <unistd.h>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace {

using Clock = std::chrono::steady_clock;

// A round trip through the kernel (sleep, wake, switch) costs tens of microseconds on a quiet
// machine, as much as the engine spends on a small page. So both sides look for the other's
// answer for a short while before they sleep; on a single core looking only delays the other.
const bool kLookBeforeSleeping = std::thread::hardware_concurrency() > 1;
constexpr auto kLook = std::chrono::microseconds(200);
// The UI thread goes back to its event loop at least this often while it serves calls.
constexpr auto kServeBudget = std::chrono::milliseconds(4);
constexpr int kMaxMissedLooks = 6;

inline void Relax()
{
#if defined(__x86_64__) || defined(__i386__)
    _mm_pause();
#endif
}

// Watches the wake descriptor from the UI thread's event loop. Nothing travels through Qt's
// event queue: the calls pass through State's mutex, the descriptor only wakes the loop.
class Dispatcher : public QObject {
public:
    Dispatcher(int fd, std::function<void()> serve) : wakeFd(fd), serveCalls(std::move(serve)) {}

    // On the UI thread: a notifier works only in the thread that enables it.
    void Arm()
    {
        auto *notifier = new QSocketNotifier(static_cast<qintptr>(wakeFd), QSocketNotifier::Read, this);
        QObject::connect(notifier, &QSocketNotifier::activated, this, [this] { serveCalls(); });
    }

private:
    int wakeFd;
    std::function<void()> serveCalls;
};

} // namespace

Thread::State::State() : wakeFd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

Thread::State::~State()
{
    if (wakeFd >= 0)
        close(wakeFd);
}

void Thread::State::Wake()
{
    const std::uint64_t one = 1;
    // A full counter already reads as a wake; nothing else can fail on an eventfd.
    [[maybe_unused]] const ssize_t written = write(wakeFd, &one, sizeof one);
}

Thread::Thread() : state(std::make_shared<State>())
{
    QCoreApplication *app = QCoreApplication::instance();
    uiThread = app ? app->thread() : QThread::currentThread();
    if (app && state->wakeFd >= 0) {
        // The dispatcher keeps the state alive: it may outlive this object when deleted later.
        auto *watcher = new Dispatcher(state->wakeFd, [shared = state] { shared->Serve(); });
        if (watcher->thread() == uiThread) {
            watcher->Arm();
        } else {
            watcher->moveToThread(uiThread);
            // A wake written before this runs is still pending on the descriptor then.
            QMetaObject::invokeMethod(watcher, [watcher] { watcher->Arm(); }, Qt::QueuedConnection);
        }
        dispatcher = watcher;
    }
}

Thread::~Thread()
{
    WaitFor();
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
        state->finished.store(true, std::memory_order_release);
    }
    state->changed.notify_all();
}

bool Thread::Finished() const
{
    return state->finished.load(std::memory_order_acquire);
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
        state->pendingCount.store(static_cast<int>(state->pending.size()), std::memory_order_release);
    }
    // Wakes a WaitFor on the UI thread; the descriptor serves an event loop that is not waiting.
    // uiLooking is read after the push: a UI thread that stops looking checks pending afterwards.
    state->changed.notify_all();
    if (dispatcher && !state->uiLooking.load())
        state->Wake();
    if (kLookBeforeSleeping) {
        const auto start = Clock::now();
        while (!pendingCall.answered.load(std::memory_order_acquire) && Clock::now() - start < kLook)
            Relax();
    }
    if (!pendingCall.answered.load(std::memory_order_acquire)) {
        std::unique_lock lock(state->mutex);
        state->changed.wait(lock, [&] { return pendingCall.answered.load(); });
    }
    if (pendingCall.error)
        std::rethrow_exception(pendingCall.error);
}

void Thread::State::RunPending()
{
    std::unique_lock lock(mutex);
    while (!pending.empty()) {
        PendingCall *pendingCall = pending.front();
        pending.pop_front();
        pendingCount.store(static_cast<int>(pending.size()), std::memory_order_release);
        lock.unlock();
        std::exception_ptr error;
        try {
            (*pendingCall->call)();
        } catch (...) {
            error = std::current_exception();
        }
        lock.lock();
        pendingCall->error = error;
        pendingCall->answered.store(true, std::memory_order_release);
        // Woken after the unlock, the worker does not have to wait for the mutex again.
        lock.unlock();
        changed.notify_all();
        lock.lock();
    }
}

void Thread::State::Serve()
{
    std::uint64_t count = 0;
    [[maybe_unused]] const ssize_t got = read(wakeFd, &count, sizeof count);
    RunPending();
    if (!kLookBeforeSleeping)
        return;
    // Pages that take long make looking a waste: after a look that found nothing, skip a
    // growing number of chances before looking again.
    if (skipLooks > 0) {
        --skipLooks;
        return;
    }
    // A job calls once per page: the next call usually comes within the engine's time for one
    // page, and taking it here spares the worker a wake through the event loop.
    uiLooking.store(true);
    const auto start = Clock::now();
    auto last = start;
    bool found = false;
    for (;;) {
        if (pendingCount.load(std::memory_order_acquire) > 0) {
            RunPending();
            found = true;
            last = Clock::now();
            if (last - start >= kServeBudget)
                break;
            continue;
        }
        if (finished.load(std::memory_order_acquire))
            break;
        const auto now = Clock::now();
        if (now - last >= kLook || now - start >= kServeBudget)
            break;
        Relax();
    }
    uiLooking.store(false);
    // A call pushed while the flag was still set wrote no wake: it is taken here.
    RunPending();
    if (found) {
        missedLooks = 0;
    } else {
        missedLooks = std::min(missedLooks + 1, kMaxMissedLooks);
        skipLooks = (1 << missedLooks) - 1;
    }
}
