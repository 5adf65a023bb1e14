#include "JobHarness.h"

#include "MessageBoxSeam.h"
#include "Splitthread.h"

#include <QDir>
#include <QDirIterator>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>

#include <memory>

const QString FailureText = QStringLiteral("Internal error occurs while cutting pdf files.\n");

bool RecordingForm::OnSplitProgress(int32_t pagesDone)
{
    ++progressCalls;
    if (onProgress)
        onProgress(pagesDone);
    return true;
}

bool RecordingForm::OnSplitFinished(const QString &outputFolder, bool success)
{
    ++finishedCalls;
    finishedFolder = outputFolder;
    finishedSuccess = success;
    return true;
}

JobOutcome RunSplitJob(PDFItemInfo &info, std::chrono::milliseconds limit, std::function<void(int32_t)> onProgress)
{
    Platform::MessageBoxSeam::clearRecords();
    RecordingForm form;
    form.onProgress = std::move(onProgress);
    QEventLoop loop;
    bool timedOut = false;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        loop.quit();
    });
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (form.finishedCalls > 0)
            loop.quit();
    });
    const auto start = std::chrono::steady_clock::now();
    auto thread = std::make_unique<SplitThread>(true, &form);
    thread->item = &info;
    timer.start(limit);
    poll.start(5);
    thread->Resume();
    loop.exec();
    if (timedOut) {
        thread->cancelled = true;
        thread->paused = false;
    }
    thread.reset();
    JobOutcome outcome;
    outcome.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    outcome.ended = !timedOut && form.finishedCalls == 1;
    outcome.success = form.finishedSuccess;
    outcome.folder = form.finishedFolder;
    for (const Platform::MessageRecord &record : Platform::MessageBoxSeam::records())
        outcome.messages << record.text;
    return outcome;
}

QStringList FilesBelow(const QString &root)
{
    QStringList files;
    const QDir base(root);
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files << base.relativeFilePath(it.next());
    files.sort();
    return files;
}

QString QpdfCheckProblem(const QString &path)
{
    QProcess qpdf;
    qpdf.setProcessChannelMode(QProcess::MergedChannels);
    qpdf.start(QStringLiteral("qpdf"), {QStringLiteral("--check"), path});
    if (!qpdf.waitForFinished(120000))
        return QStringLiteral("qpdf --check did not finish");
    if (qpdf.exitStatus() == QProcess::NormalExit && qpdf.exitCode() == 0)
        return {};
    return QStringLiteral("exit %1: %2").arg(qpdf.exitCode()).arg(QString::fromUtf8(qpdf.readAll().left(2000)));
}
