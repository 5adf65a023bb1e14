// Usage: bench_thread [pages] [rounds]
// Builds a PDF of pages pages (2,000 by default), then, rounds times (5 by default), writes
// one file per page twice: by calling the engine directly and by a SplitThread job whose every
// page is reported to a window stand-in on the UI thread's event loop. Prints the best and
// median wall and processor times, the thread's overhead in percent, and the cost of the per-page synchronous
// call by itself.
#include "PdfEngine.h"
#include "JobWithoutWindow.h"
#include "Splitthread.h"
#include "Thread.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QTemporaryDir>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <time.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Wall time, and the processor time of the whole process (all its threads), which a busy
// machine disturbs far less.
struct Times {
    double wall = 0;
    double cpu = 0;
};

double CpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

void MakeSource(const QString &path, int pages)
{
    QPDF pdf;
    pdf.emptyPDF();
    QPDFObjectHandle font = pdf.makeIndirectObject(
        QPDFObjectHandle::parse("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>"));
    QPDFPageDocumentHelper document(pdf);
    for (int i = 1; i <= pages; ++i) {
        QPDFObjectHandle page = QPDFObjectHandle::parse("<< /Type /Page /MediaBox [0 0 612 792] >>");
        QPDFObjectHandle resources = QPDFObjectHandle::newDictionary();
        QPDFObjectHandle fonts = QPDFObjectHandle::newDictionary();
        fonts.replaceKey("/F1", font);
        resources.replaceKey("/Font", fonts);
        page.replaceKey("/Resources", resources);
        const std::string text = "BT /F1 24 Tf 72 700 Td (Page " + std::to_string(i) + ") Tj ET\n";
        page.replaceKey("/Contents", QPDFObjectHandle::newStream(&pdf, text));
        document.addPage(pdf.makeIndirectObject(page), false);
    }
    const QByteArray file = QFile::encodeName(path);
    QPDFWriter writer(pdf, file.constData());
    writer.write();
}

int32_t GoOn(int32_t, int32_t, int32_t, int32_t)
{
    return 1;
}

Times DirectSeconds(const QString &source, const QString &folder, int pages)
{
    QDir().mkpath(folder);
    const double cpuStart = CpuSeconds();
    const auto start = Clock::now();
    for (int page = 1; page <= pages; ++page) {
        const QString file = folder + QStringLiteral("/part(%1).pdf").arg(page);
        const QByteArray list = QByteArray::number(page);
        if (!SplitPDFW(reinterpret_cast<const char16_t *>(source.utf16()), list.constData(),
                       reinterpret_cast<const char16_t *>(file.utf16()), 0, GoOn)) {
            std::fprintf(stderr, "engine call failed for page %d\n", page);
            std::exit(1);
        }
    }
    return {std::chrono::duration<double>(Clock::now() - start).count(), CpuSeconds() - cpuStart};
}

Times ThreadSeconds(const QString &source, const QString &folder, int pages)
{
    const double cpuStart = CpuSeconds();
    const auto start = Clock::now();
    const bool ok = Bench::RunJobWithoutWindow(source, folder, QStringLiteral("part"), pages);
    const Times times{std::chrono::duration<double>(Clock::now() - start).count(), CpuSeconds() - cpuStart};
    if (!ok) {
        std::fprintf(stderr, "the job did not succeed\n");
        std::exit(1);
    }
    return times;
}

// The per-page round trip alone: the worker's synchronous call served by the event loop.
class CallsOnly : public Thread {
public:
    CallsOnly(int calls, QEventLoop &loop) : count(calls), eventLoop(loop) {}
    ~CallsOnly() override { WaitFor(); }
    int served = 0;

protected:
    void Execute() override
    {
        for (int i = 0; i < count; ++i)
            Synchronize([this] { ++served; });
        Synchronize([this] { eventLoop.quit(); });
    }

private:
    int count;
    QEventLoop &eventLoop;
};

double MicrosecondsPerCall(int calls)
{
    QEventLoop loop;
    CallsOnly thread(calls, loop);
    const auto start = Clock::now();
    thread.Resume();
    loop.exec();
    thread.WaitFor();
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / calls;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void Report(const char *what, const std::vector<Times> &direct, const std::vector<Times> &threaded,
            double Times::*field)
{
    std::vector<double> d;
    std::vector<double> t;
    for (const Times &times : direct)
        d.push_back(times.*field);
    for (const Times &times : threaded)
        t.push_back(times.*field);
    const double bestDirect = *std::min_element(d.begin(), d.end());
    const double bestThreaded = *std::min_element(t.begin(), t.end());
    const double medianDirect = Median(d);
    const double medianThreaded = Median(t);
    std::printf(" %s\n", what);
    std::printf("  engine calls made directly : %8.3f s / %8.3f s\n", bestDirect, medianDirect);
    std::printf("  through SplitThread        : %8.3f s / %8.3f s\n", bestThreaded, medianThreaded);
    std::printf("  overhead                   : %+7.1f %% / %+7.1f %%\n",
                (bestThreaded - bestDirect) / bestDirect * 100.0,
                (medianThreaded - medianDirect) / medianDirect * 100.0);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    try {
        QApplication app(argc, argv);
        const int pages = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
        const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
        QTemporaryDir dir;
        if (!dir.isValid()) {
            std::fprintf(stderr, "no temporary folder\n");
            return 1;
        }
        const QString source = dir.filePath(QStringLiteral("source.pdf"));
        MakeSource(source, pages);

        // One warm-up call, so both sides start with the source parsed and the files cached.
        DirectSeconds(source, dir.filePath(QStringLiteral("warm")), 1);
        std::vector<Times> direct;
        std::vector<Times> threaded;
        for (int round = 0; round < rounds; ++round) {
            const QString tag = QString::number(round);
            // Alternate the order so that neither side always runs on a warmer cache.
            if (round % 2 == 0) {
                direct.push_back(DirectSeconds(source, dir.filePath(QStringLiteral("direct") + tag), pages));
                threaded.push_back(ThreadSeconds(source, dir.filePath(QStringLiteral("thread") + tag), pages));
            } else {
                threaded.push_back(ThreadSeconds(source, dir.filePath(QStringLiteral("thread") + tag), pages));
                direct.push_back(DirectSeconds(source, dir.filePath(QStringLiteral("direct") + tag), pages));
            }
        }
        std::printf("bench_thread: one file per page, %d pages, %d rounds (best / median)\n", pages, rounds);
        Report("wall time", direct, threaded, &Times::wall);
        Report("processor time", direct, threaded, &Times::cpu);
        const double perCall = MicrosecondsPerCall(pages);
        std::printf("  synchronous call alone     : %8.1f us per page (%.3f s for %d pages)\n", perCall,
                    perCall * pages / 1e6, pages);
        return 0;
    } catch (const std::exception &error) {
        std::fprintf(stderr, "bench_thread: %s\n", error.what());
        return 1;
    }
}
