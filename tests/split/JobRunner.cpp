#include "JobRunner.h"

#include "MessageBoxSeam.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <memory>

bool FakeForm::OnSplitProgress(int32_t pagesDone)
{
    allOnUiThread = allOnUiThread && QThread::currentThread() == QCoreApplication::instance()->thread();
    progress.push_back(pagesDone);
    if (onProgress)
        onProgress(pagesDone);
    return true;
}

bool FakeForm::OnSplitFinished(const QString &outputFolder, bool success)
{
    allOnUiThread = allOnUiThread && QThread::currentThread() == QCoreApplication::instance()->thread();
    ++finishedCalls;
    finishedFolder = outputFolder;
    finishedSuccess = success;
    if (loop)
        loop->quit();
    return true;
}

bool RunJob(PDFItemInfo &info, FakeForm &form)
{
    auto thread = std::make_unique<SplitThread>(true, &form);
    form.thread = thread.get();
    thread->item = &info;
    QEventLoop loop;
    form.loop = &loop;
    bool timedOut = false;
    QTimer::singleShot(60000, &loop, [&] {
        timedOut = true;
        loop.quit();
    });
    const int finishedBefore = form.finishedCalls;
    thread->Resume();
    loop.exec();
    form.loop = nullptr;
    if (timedOut) {
        // Let the job end rather than leave a thread behind.
        thread->cancelled = true;
        thread->paused = false;
    }
    thread.reset();
    form.thread = nullptr;
    return !timedOut && form.finishedCalls == finishedBefore + 1;
}

std::vector<int32_t> CountUpTo(int32_t n)
{
    std::vector<int32_t> numbers;
    for (int32_t i = 1; i <= n; ++i)
        numbers.push_back(i);
    return numbers;
}

QStringList PdfFilesIn(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.pdf"), QStringLiteral("*.PDF")}, QDir::Files, QDir::Name);
}

void SplitThreadJob::SetUp()
{
    ASSERT_TRUE(dir.isValid());
    Platform::MessageBoxSeam::install();
    Platform::MessageBoxSeam::setHandler({});
    Platform::MessageBoxSeam::clearRecords();
}

void SplitThreadJob::TearDown()
{
    Platform::MessageBoxSeam::uninstall();
}

PDFItemInfo SplitThreadJob::Document(int pages, const std::vector<PdfGen::Bookmark> &outline)
{
    PDFItemInfo info;
    info.filePath = Path(QStringLiteral("report.pdf"));
    PdfGen::Write(info.filePath, PdfGen::Document{pages, outline});
    info.fileFolder = dir.path() + u'/';
    info.baseName = QStringLiteral("report");
    info.pageCount = pages;
    info.outputFolder = Path(QStringLiteral("out/report"));
    return info;
}
