#include "Thread.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>

namespace {

using namespace std::chrono_literals;

class LambdaThread : public Thread {
public:
    explicit LambdaThread(std::function<void(LambdaThread &)> work) : body(std::move(work)) {}
    ~LambdaThread() override { WaitFor(); }
    using Thread::Synchronize;

protected:
    void Execute() override { body(*this); }

private:
    std::function<void(LambdaThread &)> body;
};

bool OnUiThread()
{
    return QThread::currentThread() == QCoreApplication::instance()->thread();
}

// Runs the event loop until the thread has ended or ten seconds have passed.
bool ServeUntilFinished(const Thread &thread)
{
    QEventLoop loop;
    QTimer poll;
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (thread.Finished() || std::chrono::steady_clock::now() > deadline)
            loop.quit();
    });
    poll.start(1);
    loop.exec();
    return thread.Finished();
}

TEST(Thread, StaysSuspendedUntilResumed)
{
    std::atomic<bool> ran{false};
    LambdaThread thread([&](LambdaThread &) { ran = true; });
    std::this_thread::sleep_for(50ms);
    EXPECT_FALSE(ran);
    EXPECT_FALSE(thread.Finished());
    thread.Resume();
    thread.Resume(); // a second call changes nothing
    thread.WaitFor();
    EXPECT_TRUE(ran);
    EXPECT_TRUE(thread.Finished());
}

TEST(Thread, SynchronizeBlocksUntilTheEventLoopHasRunTheCall)
{
    bool callDone = false; // written on the UI thread, read by the worker after the call
    bool ranOnUi = false;
    bool workerSawDone = false;
    LambdaThread thread([&](LambdaThread &self) {
        self.Synchronize([&] {
            ranOnUi = OnUiThread();
            std::this_thread::sleep_for(100ms);
            callDone = true;
        });
        workerSawDone = callDone;
    });
    thread.Resume();
    ASSERT_TRUE(ServeUntilFinished(thread));
    EXPECT_TRUE(ranOnUi);
    EXPECT_TRUE(workerSawDone);
}

TEST(Thread, WaitForServesAWorkerBlockedInSynchronize)
{
    std::atomic<bool> aboutToSynchronize{false};
    int calls = 0;
    LambdaThread thread([&](LambdaThread &self) {
        aboutToSynchronize = true;
        for (int i = 0; i < 3; ++i)
            self.Synchronize([&] { calls += OnUiThread() ? 1 : 100; });
    });
    thread.Resume();
    while (!aboutToSynchronize)
        std::this_thread::sleep_for(1ms);
    std::this_thread::sleep_for(20ms);
    thread.WaitFor(); // no event loop runs here: WaitFor itself must serve the calls
    EXPECT_TRUE(thread.Finished());
    EXPECT_EQ(calls, 3);
}

TEST(Thread, WaitForRunsNoOtherEvents)
{
    bool timerRan = false;
    bool queuedRan = false;
    int calls = 0;
    QTimer::singleShot(0, [&] { timerRan = true; });
    QMetaObject::invokeMethod(QCoreApplication::instance(), [&] { queuedRan = true; }, Qt::QueuedConnection);
    LambdaThread thread([&](LambdaThread &self) {
        std::this_thread::sleep_for(30ms);
        self.Synchronize([&] { ++calls; });
        self.Synchronize([&] { ++calls; });
    });
    thread.Resume();
    thread.WaitFor();
    EXPECT_EQ(calls, 2);
    EXPECT_FALSE(timerRan);
    EXPECT_FALSE(queuedRan);
    // The events were only held back; the loop delivers them, and the calls run only once.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_TRUE(timerRan);
    EXPECT_TRUE(queuedRan);
    EXPECT_EQ(calls, 2);
}

TEST(Thread, SynchronizeOnTheUiThreadRunsDirectly)
{
    LambdaThread thread([](LambdaThread &) {});
    bool ran = false;
    thread.Synchronize([&] { ran = true; });
    EXPECT_TRUE(ran);
}

TEST(Thread, AnExceptionFromExecuteEndsTheThread)
{
    LambdaThread thread([](LambdaThread &) { throw std::runtime_error("job failed"); });
    thread.Resume();
    thread.WaitFor();
    EXPECT_TRUE(thread.Finished());
}

TEST(Thread, AnExceptionInASynchronizedCallReachesTheWorker)
{
    std::string caught;
    bool continued = false;
    LambdaThread thread([&](LambdaThread &self) {
        try {
            self.Synchronize([] { throw std::runtime_error("from the window"); });
        } catch (const std::runtime_error &error) {
            caught = error.what();
        }
        self.Synchronize([&] { continued = true; });
    });
    thread.Resume();
    ASSERT_TRUE(ServeUntilFinished(thread));
    EXPECT_EQ(caught, "from the window");
    EXPECT_TRUE(continued);
}

TEST(Thread, TheDestructorWaitsForTheEnd)
{
    std::atomic<bool> ended{false};
    {
        LambdaThread thread([&](LambdaThread &self) {
            std::this_thread::sleep_for(50ms);
            self.Synchronize([] {});
            ended = true;
        });
        thread.Resume();
    }
    EXPECT_TRUE(ended);
}

TEST(Thread, ANeverResumedThreadIsDestroyedAtOnce)
{
    bool ran = false;
    {
        LambdaThread thread([&](LambdaThread &) { ran = true; });
    }
    EXPECT_FALSE(ran);
}

// The worker's gaps between calls fall before, around and after the time each side looks for
// the other before it sleeps: a wake lost in the hand-over would leave a call unanswered.
TEST(Thread, EveryCallIsAnsweredWhateverTheGapBetweenCalls)
{
    const std::chrono::microseconds gaps[] = {0us, 20us, 150us, 190us, 200us, 210us, 260us, 500us, 2ms};
    constexpr int kRounds = 200;
    int answered = 0;
    bool inOrder = true;
    LambdaThread thread([&](LambdaThread &self) {
        int next = 0;
        for (int round = 0; round < kRounds; ++round) {
            for (auto gap : gaps) {
                const auto until = std::chrono::steady_clock::now() + gap;
                while (std::chrono::steady_clock::now() < until) {
                }
                const int expected = next++;
                self.Synchronize([&] {
                    inOrder = inOrder && answered == expected;
                    ++answered;
                });
            }
        }
    });
    thread.Resume();
    ASSERT_TRUE(ServeUntilFinished(thread));
    EXPECT_EQ(answered, kRounds * static_cast<int>(std::size(gaps)));
    EXPECT_TRUE(inOrder);
}

// While calls come back to back the UI thread still returns to its event loop now and then.
TEST(Thread, CallsBackToBackLeaveTheEventLoopRunning)
{
    std::atomic<bool> timerFired{false};
    std::atomic<bool> firedWhileCalling{false};
    LambdaThread thread([&](LambdaThread &self) {
        const auto until = std::chrono::steady_clock::now() + 2s;
        while (std::chrono::steady_clock::now() < until && !timerFired)
            self.Synchronize([] {});
        firedWhileCalling = timerFired.load();
    });
    QTimer::singleShot(20, [&] { timerFired = true; });
    thread.Resume();
    ASSERT_TRUE(ServeUntilFinished(thread));
    EXPECT_TRUE(firedWhileCalling);
}

// A thread object made on another thread still has its calls run by the UI thread's loop.
TEST(Thread, AThreadMadeOffTheUiThreadIsServedByTheUiThread)
{
    std::unique_ptr<LambdaThread> thread;
    bool ranOnUi = false;
    std::thread maker([&] {
        thread = std::make_unique<LambdaThread>([&](LambdaThread &self) {
            self.Synchronize([&] { ranOnUi = OnUiThread(); });
        });
    });
    maker.join();
    thread->Resume();
    ASSERT_TRUE(ServeUntilFinished(*thread));
    EXPECT_TRUE(ranOnUi);
    thread.reset();
}

} // namespace
