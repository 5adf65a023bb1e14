// Usage: bench_window [pages] [rounds]
// Builds a PDF of pages pages (2,000 by default) and, rounds times (5 by default), writes one
// file per page twice: by calling the engine directly, and by a job started from the real main
// window on the offscreen platform, its event loop running until the job has ended. Prints the
// best and median wall times, the window's overhead in percent, the longest time the window's
// thread was kept from its event loop, the progress bar's updates, and the bytes written. A last
// job, outside the timing, presses Stop half way and measures how soon the window answers.
#include "Actions.h"
#include "Application.h"
#include "FileDialogs.h"
#include "JobWithoutWindow.h"
#include "MessageBox.h"
#include "MessageBoxSeam.h"
#include "MuiContext.h"
#include "PdfEngine.h"
#include "PdfGen.h"
#include "Shell.h"
#include "SplitterForm_Unit1.h"
#include "Splitthread.h"
#include "Ssbutton.h"
#include "Tskinprocess.h"
#include "UiWatch.h"

#include <QDir>
#include <QDirIterator>
#include <QEventLoop>
#include <QFileInfo>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

const QString successQuestion = QStringLiteral("Cut successfully.Do you want to open output folder");
const QString stopQuestion = QStringLiteral("Are you sure to cancel cutting");

struct Fail : std::runtime_error {
    using std::runtime_error::runtime_error;
};

double Since(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

struct Output {
    int files = 0;
    qint64 bytes = 0;
};

Output Measure(const QString &folder)
{
    Output out;
    QDirIterator it(folder, {QStringLiteral("*.pdf")}, QDir::Files);
    while (it.hasNext()) {
        it.next();
        ++out.files;
        out.bytes += it.fileInfo().size();
    }
    return out;
}

void Remove(const QString &folder)
{
    if (QFileInfo::exists(folder) && !QDir(folder).removeRecursively())
        throw Fail("cannot delete " + folder.toStdString());
}

int32_t GoOn(int32_t, int32_t, int32_t, int32_t)
{
    return 1;
}

struct DirectRound {
    double wall = 0;
    Output out;
};

// The same calls the job makes for one file per page, with the same file names.
DirectRound Direct(const QString &source, const QString &folder, const QString &baseName, int pages)
{
    Remove(folder);
    DirectRound round;
    const auto start = Clock::now();
    QDir().mkpath(folder);
    for (int page = 1; page <= pages; ++page) {
        const QString file = folder + u'/' + baseName + u'(' + QString::number(page) + QStringLiteral(").pdf");
        const QByteArray list = QByteArray::number(page);
        if (!SplitPDFW(reinterpret_cast<const char16_t *>(source.utf16()), list.constData(),
                       reinterpret_cast<const char16_t *>(file.utf16()), 0, GoOn))
            throw Fail("engine call failed for page " + std::to_string(page));
    }
    round.wall = Since(start);
    round.out = Measure(folder);
    Remove(folder);
    return round;
}

// The same job through the job thread on a plain event loop, with no window: the measure the
// window's own cost is taken against.
DirectRound ThreadOnly(const QString &source, const QString &folder, const QString &baseName, int pages)
{
    Remove(folder);
    DirectRound round;
    const auto start = Clock::now();
    const bool ok = Bench::RunJobWithoutWindow(source, folder, baseName, pages);
    round.wall = Since(start);
    if (!ok)
        throw Fail("the job without a window did not succeed");
    round.out = Measure(folder);
    Remove(folder);
    return round;
}

struct WindowRound {
    double wall = 0;
    double largestGapMs = 0;
    int ticks = 0;
    int barUpdates = 0;
    int barPaints = 0;
    int fullestPercent = 0;
    double stopAnswerMs = -1; // only for the Stop probe
    Output out;
};

class WindowBench {
public:
    explicit WindowBench(const QString &source)
    {
        context.DataFolder = QStringLiteral(STAGE_DATA_DIR "/");
        context.StudioName = QStringLiteral("Orvanta Studio");
        context.Title = QStringLiteral("Orvanta Pagemill");
        context.HomeLink = QStringLiteral("https://www.orvantastudio.com");
        context.SupportLink = context.HomeLink + QStringLiteral("/support.html");
        SetMuiContext(&context);
        form = std::make_unique<TSplitterForm>(nullptr);
        form->show();
        form->LoadPdfFile(source);
        if (!form->pdfInfo || form->pdfInfo->filePath.isEmpty())
            throw Fail("the window did not load the document");
        form->rbSplitEvery->click();
        form->edtSplitEvery->setText(QStringLiteral("1"));
        form->rbSaveAsSourcepath->click();
        if (!form->rbSaveAsSourcepath->isChecked())
            throw Fail("the output beside the source could not be chosen");
        watch = std::make_unique<UiWatch>(form->SkinProcess1);
        TAction::UpdateAll();
    }

    ~WindowBench()
    {
        watch.reset();
        form.reset();
        SetMuiContext(nullptr);
    }

    QString OutputFolder() const { return form->pdfInfo->fileFolder + form->pdfInfo->baseName; }
    QString BaseName() const { return form->pdfInfo->baseName; }

    // Runs one job from the window. With stopProbe, presses Stop once the bar is half full,
    // answers No and lets the job finish.
    WindowRound Run(bool stopProbe = false)
    {
        const QString folder = OutputFolder();
        Remove(folder);
        WindowRound round;
        QEventLoop loop;
        bool asked = false;
        bool pressed = false;
        Clock::time_point pressTime;
        Platform::MessageBoxSeam::clearRecords();
        Platform::MessageBoxSeam::setHandler([&](const Platform::MessageRecord &record) -> int {
            if (record.text == successQuestion)
                QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
            else if (record.text == stopQuestion && pressed && round.stopAnswerMs < 0)
                round.stopAnswerMs = Since(pressTime) * 1000.0;
            return Platform::IDNO;
        });
        watch->onTick = [&](double) {
            // A job that ends without the success question (a failure) still ends the loop.
            if (!form->JobRunning() && asked)
                loop.quit();
            TSkinProcess *bar = form->SkinProcess1;
            if (stopProbe && !pressed && bar->Range() > 0 && bar->FillWidth() * 2 >= bar->Range()) {
                pressed = true;
                pressTime = Clock::now();
                PressStop();
            }
        };

        watch->start();
        const auto start = Clock::now();
        form->SplitStartAct->trigger();
        asked = true;
        if (form->JobRunning())
            loop.exec();
        if (form->splitThread)
            form->splitThread->WaitFor();
        round.wall = Since(start);
        watch->stop();
        watch->onTick = nullptr;
        // The handler above refers to this call's locals.
        Platform::MessageBoxSeam::setHandler([](const Platform::MessageRecord &) { return Platform::IDNO; });

        round.largestGapMs = watch->largestGapMs();
        round.ticks = watch->ticks();
        round.barUpdates = watch->barUpdates();
        round.barPaints = watch->barPaints();
        round.fullestPercent = watch->fullestPercent();
        if (form->JobRunning())
            throw Fail("the window's job did not end");
        bool succeeded = false;
        for (const Platform::MessageRecord &record : Platform::MessageBoxSeam::records()) {
            if (record.text == successQuestion)
                succeeded = true;
            else if (record.text != stopQuestion)
                throw Fail("the window said: " + record.text.toStdString());
        }
        if (!succeeded)
            throw Fail("the window's job did not report success");
        if (QFileInfo::exists(folder + QStringLiteral("(1)")))
            throw Fail("the job wrote into a renamed folder: the last round's output was not deleted");
        round.out = Measure(folder);
        Remove(folder);
        return round;
    }

private:
    // A click as the windowing system would deliver it: posted, so it waits for the event loop.
    void PressStop()
    {
        QWidget *button = form->SbtnSplitStop;
        const QPointF at = QRectF(button->rect()).center();
        const QPointF global = button->mapToGlobal(at);
        QCoreApplication::postEvent(button, new QMouseEvent(QEvent::MouseButtonPress, at, global, Qt::LeftButton,
                                                            Qt::LeftButton, Qt::NoModifier));
        QCoreApplication::postEvent(button, new QMouseEvent(QEvent::MouseButtonRelease, at, global, Qt::LeftButton,
                                                            Qt::NoButton, Qt::NoModifier));
    }

    MuiContext context;
    std::unique_ptr<TSplitterForm> form;
    std::unique_ptr<UiWatch> watch;
};

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double Best(const std::vector<double> &values)
{
    return *std::min_element(values.begin(), values.end());
}

int Run(int pages, int rounds)
{
    QTemporaryDir dir;
    if (!dir.isValid())
        throw Fail("no temporary folder");
    QDir(dir.path()).mkpath(QStringLiteral("window"));
    const QString source = dir.filePath(QStringLiteral("window/source.pdf"));
    PdfGen::Write(source, PdfGen::Document{pages, {}});

    WindowBench window(source);
    // One warm-up page, so both sides start with the source parsed and the files cached.
    Direct(source, dir.filePath(QStringLiteral("warm")), window.BaseName(), 1);

    std::vector<DirectRound> direct;
    std::vector<DirectRound> threaded;
    std::vector<WindowRound> windowed;
    for (int round = 0; round < rounds; ++round) {
        const QString folder = dir.filePath(QStringLiteral("direct") + QString::number(round));
        const QString threadFolder = dir.filePath(QStringLiteral("thread") + QString::number(round));
        // Alternate the order so that neither side always runs on a warmer cache.
        if (round % 2 == 0) {
            direct.push_back(Direct(source, folder, window.BaseName(), pages));
            threaded.push_back(ThreadOnly(source, threadFolder, window.BaseName(), pages));
            windowed.push_back(window.Run());
        } else {
            windowed.push_back(window.Run());
            threaded.push_back(ThreadOnly(source, threadFolder, window.BaseName(), pages));
            direct.push_back(Direct(source, folder, window.BaseName(), pages));
        }
        const DirectRound &d = direct.back();
        const WindowRound &w = windowed.back();
        if (d.out.files != pages || w.out.files != pages)
            throw Fail("round " + std::to_string(round + 1) + " wrote " + std::to_string(d.out.files) + " and " +
                       std::to_string(w.out.files) + " files, not " + std::to_string(pages));
        std::printf("  round %d: direct %7.3f s, window %7.3f s, largest UI gap %6.1f ms, bar updates %d\n",
                    round + 1, d.wall, w.wall, w.largestGapMs, w.barUpdates);
    }
    const WindowRound probe = window.Run(true);

    std::vector<double> d;
    std::vector<double> t;
    for (const DirectRound &r : threaded)
        t.push_back(r.wall);
    std::vector<double> w;
    std::vector<double> gaps;
    for (const DirectRound &r : direct)
        d.push_back(r.wall);
    for (const WindowRound &r : windowed) {
        w.push_back(r.wall);
        gaps.push_back(r.largestGapMs);
    }
    const WindowRound &last = windowed.back();
    std::printf("bench_window: one file per page, %d pages, %d rounds (best / median)\n", pages, rounds);
    std::printf("  engine calls made directly : %8.3f s / %8.3f s\n", Best(d), Median(d));
    std::printf("  job from the main window   : %8.3f s / %8.3f s\n", Best(w), Median(w));
    std::printf("  same job without the window: %8.3f s / %8.3f s\n", Best(t), Median(t));
    std::printf("  window against no window   : %+7.1f %% / %+7.1f %%\n", (Best(w) - Best(t)) / Best(t) * 100.0,
                (Median(w) - Median(t)) / Median(t) * 100.0);
    std::printf("  window against direct calls: %+7.1f %% / %+7.1f %%\n", (Best(w) - Best(d)) / Best(d) * 100.0,
                (Median(w) - Median(d)) / Median(d) * 100.0);
    std::printf("  largest UI gap             : %8.1f ms (worst round), %.1f ms median of rounds\n",
                *std::max_element(gaps.begin(), gaps.end()), Median(gaps));
    std::printf("  timer ticks (last round)   : %8d (every 16 ms)\n", last.ticks);
    std::printf("  progress-bar updates       : %8d, %d repaints of the bar, fullest %d %%\n", last.barUpdates,
                last.barPaints, last.fullestPercent);
    std::printf("  bytes written              : %lld direct, %lld from the window (%d files each)\n",
                static_cast<long long>(direct.back().out.bytes), static_cast<long long>(last.out.bytes), pages);
    if (probe.stopAnswerMs < 0)
        throw Fail("Stop pressed half way was never answered");
    std::printf("  Stop answered after        : %8.1f ms (pressed half way, answered No, job finished)\n",
                probe.stopAnswerMs);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    try {
        // The window creates its default output folder below the documents folder and keeps its
        // settings: both go into a scratch home.
        QTemporaryDir home;
        if (!home.isValid())
            throw Fail("no temporary home folder");
        qputenv("HOME", home.path().toUtf8());
        qunsetenv("XDG_DOCUMENTS_DIR");
        qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/.config")).toUtf8());
        MuiApplication app(argc, argv);
        QApplication::setApplicationDisplayName(QStringLiteral("Orvanta Pagemill"));
        Platform::MessageBoxSeam::install();
        Platform::ShellSeam::install();
        Platform::FileDialogSeam::install();
        const int pages = argc > 1 ? std::max(2, std::atoi(argv[1])) : 2000;
        const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
        return Run(pages, rounds);
    } catch (const std::exception &error) {
        std::fprintf(stderr, "bench_window: %s\n", error.what());
        return 1;
    }
}
