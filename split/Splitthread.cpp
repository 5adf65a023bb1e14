#include "Splitthread.h"

#include "MessageBox.h"
#include "PdfEngine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <chrono>
#include <sys/stat.h>
#include <thread>

std::atomic<SplitThread *> CurrentSplitThread{nullptr};

namespace {

const char16_t *Wide(const QString &text)
{
    return reinterpret_cast<const char16_t *>(text.utf16());
}

// A numbered output's page list: "f-l", or "l" alone for one page.
QString PageList(int32_t first, int32_t last)
{
    if (last > first)
        return QString::number(first) + u'-' + QString::number(last);
    return QString::number(last);
}

// A name already in use, also by a file or a dangling link, cannot become the job's folder.
bool NameTaken(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

} // namespace

SplitThread::SplitThread(bool createSuspended, ISplitForm *splitForm) : form(splitForm)
{
    CurrentSplitThread.store(this);
    if (!createSuspended)
        Resume();
}

SplitThread::~SplitThread()
{
    // Execute uses this object's members: it must be over before they go.
    WaitFor();
    SplitThread *self = this;
    CurrentSplitThread.compare_exchange_strong(self, nullptr);
}

void SplitThread::Execute()
{
    try {
        progressCount = 0;
        result = false;
        if (item) {
            sourceStamp = StampOf(item->filePath);
            MakeUniqueOutputFolder();
            result = RunJob();
        }
    } catch (...) {
        result = false;
        try {
            if (!cancelled)
                Failed();
        } catch (...) {
        }
    }
    NotifyFinished();
}

void SplitThread::MakeUniqueOutputFolder()
{
    const QString &base = item->outputFolder;
    outputFolder = base;
    for (int n = 1; NameTaken(outputFolder); ++n)
        outputFolder = base + u'(' + QString::number(n) + u')';
    // A folder that cannot be made shows up as the failure of the first engine call.
    QDir().mkpath(outputFolder);
}

bool SplitThread::RunJob()
{
    // A document without pages has nothing to write, and no page list of it is valid.
    if (item->pageCount <= 0)
        return false;
    switch (item->splitMode) {
    case SplitEvery:
        return DoSplitEvery();
    case SplitBookmark:
        return DoSplitBookmark();
    case SplitRange:
        return DoSplitRange();
    case SplitSpec:
        return DoSplitSpec();
    case SplitAverage:
        return DoSplitAverage();
    }
    return false;
}

bool SplitThread::DoSplitEvery()
{
    const int32_t pages = item->pageCount;
    const int32_t perFile = item->pagesPerFile;
    if (perFile <= 0)
        return false;
    const int32_t count = pages / perFile + (pages % perFile != 0 ? 1 : 0);
    return DoSplitNumbered(count, perFile);
}

bool SplitThread::DoSplitAverage()
{
    const int32_t pages = item->pageCount;
    const int32_t count = item->fileCount;
    if (count < 1 || count > pages)
        return false;
    return DoSplitNumbered(count, pages / count);
}

// count files of pagesPerPart pages each, the last one running to the end of the document.
bool SplitThread::DoSplitNumbered(int32_t count, int32_t pagesPerPart)
{
    for (int32_t i = 0; i < count; ++i) {
        const QString file = outputFolder + u'/' + item->baseName + u'(' + QString::number(i + 1)
                             + QStringLiteral(").pdf");
        const int32_t first = i * pagesPerPart + 1;
        const int32_t last = i == count - 1 ? item->pageCount : (i + 1) * pagesPerPart;
        const bool ok = SplitPages(PageList(first, last), file, false);
        if (cancelled)
            return true;
        if (!ok)
            return Failed();
    }
    return true;
}

bool SplitThread::DoSplitRange()
{
    const QString file = outputFolder + u'/' + item->baseName + QStringLiteral(".pdf");
    const bool ok = SplitPages(item->rangeText, file, item->saveRest);
    if (cancelled)
        return ok;
    return ok ? true : Failed();
}

bool SplitThread::DoSplitSpec()
{
    for (const CustomPDFItemInfo &entry : item->customItems) {
        const bool ok = SplitPages(entry.rangeText, outputFolder + u'/' + entry.fileName, false);
        if (cancelled)
            return true;
        if (!ok)
            return Failed();
    }
    return true;
}

bool SplitThread::DoSplitBookmark()
{
    const bool ok = SplitWithOutlineW(Wide(item->filePath), Wide(outputFolder), item->bookmarkLevel, 0,
                                      SplitProgressCallback)
                    != 0;
    if (cancelled)
        return ok;
    return ok ? true : Failed();
}

SplitThread::SourceStamp SplitThread::StampOf(const QString &path)
{
    SourceStamp stamp;
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return stamp;
    stamp.known = true;
    stamp.device = st.st_dev;
    stamp.inode = st.st_ino;
    stamp.size = st.st_size;
    stamp.mtimeSec = st.st_mtim.tv_sec;
    stamp.mtimeNsec = st.st_mtim.tv_nsec;
    return stamp;
}

bool SplitThread::SplitPages(const QString &pageList, const QString &outputFile, bool rest)
{
    // Only a source the job saw at its start is checked; a missing one fails in the engine.
    if (sourceStamp.known && !(StampOf(item->filePath) == sourceStamp))
        return false;
    const QByteArray list = pageList.toUtf8();
    return SplitPDFW(Wide(item->filePath), list.constData(), Wide(outputFile), rest ? 1 : 0,
                     SplitProgressCallback)
           != 0;
}

bool SplitThread::Failed()
{
    Synchronize([] {
        Platform::ShowMessageBox(nullptr, QStringLiteral("Internal error occurs while cutting pdf files.\n"),
                                 Platform::ApplicationTitle(), Platform::MB_OK | Platform::MB_ICONINFORMATION);
    });
    return false;
}

void SplitThread::NotifyProgress()
{
    if (form)
        Synchronize([this] { form->OnSplitProgress(progressCount); });
}

void SplitThread::NotifyFinished()
{
    const QString folder = outputFolder;
    const bool success = result;
    if (form)
        Synchronize([this, &folder, success] { form->OnSplitFinished(folder, success); });
}

int32_t SplitProgressCallback(int32_t, int32_t, int32_t, int32_t)
{
    SplitThread *job = CurrentSplitThread.load();
    if (!job || job->cancelled)
        return 0;
    // Called from inside the engine's C interface: nothing may be thrown through it.
    try {
        ++job->progressCount;
        job->NotifyProgress();
    } catch (...) {
        return 0;
    }
    using namespace std::chrono_literals;
    while (job->paused && !job->cancelled)
        std::this_thread::sleep_for(5ms);
    return job->cancelled ? 0 : 1;
}
