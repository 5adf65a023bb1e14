// A worker thread in the manner the window code expects: created suspended, started by Resume,
// talking to the UI thread only through Synchronize. The UI thread is the application's main
// thread (the creating thread when there is no application object).
#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

class QObject;
class QThread;

class Thread {
public:
    Thread();
    // Waits for the end, as WaitFor does. A derived class whose Execute uses its own members
    // must call WaitFor in its own destructor, before those members go.
    virtual ~Thread();
    Thread(const Thread &) = delete;
    Thread &operator=(const Thread &) = delete;

    // Starts Execute on the worker; later calls do nothing.
    void Resume();

    // Blocks until Execute has ended. On the UI thread it keeps running the worker's pending
    // Synchronize calls meanwhile, and nothing else: no user input, no other events.
    void WaitFor();

    bool Finished() const;

protected:
    // Runs on the worker. An exception leaving it is caught and ends the thread.
    virtual void Execute() = 0;

    // Runs call on the UI thread and returns once it has run. From the UI thread itself it runs
    // directly. An exception thrown by call is rethrown here, on the calling thread.
    void Synchronize(const std::function<void()> &call);

private:
    struct PendingCall {
        const std::function<void()> *call = nullptr;
        std::exception_ptr error;
        // Set last: a worker that sees it may return and destroy this call.
        std::atomic<bool> answered{false};
    };
    struct State {
        State();
        ~State();
        std::mutex mutex;
        std::condition_variable changed;
        std::deque<PendingCall *> pending;
        // Set under the mutex, so a waiter on changed cannot miss it; read without it by the
        // UI thread while it looks for calls.
        std::atomic<bool> finished{false};
        // A mirror of pending.size() that the looking UI thread reads without the mutex.
        std::atomic<int> pendingCount{0};
        // While the UI thread looks for the next call itself, the worker need not wake it.
        std::atomic<bool> uiLooking{false};
        int wakeFd = -1; // an eventfd the UI thread's event loop watches
        int missedLooks = 0, skipLooks = 0; // UI thread only
        void Wake();
        void RunPending(); // on the UI thread
        void Serve();      // on the UI thread, when wakeFd is readable
    };

    void Run();

    std::shared_ptr<State> state;
    QThread *uiThread = nullptr;
    QObject *dispatcher = nullptr; // lives on the UI thread; runs the calls posted to it
    std::thread worker;
    bool started = false;
};
