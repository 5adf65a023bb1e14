// The worker that runs one split job described by the window's PDFItemInfo.
#pragma once

#include "Data_unit1.h"
#include "SplitForm.h"
#include "Thread.h"

#include <QString>

#include <atomic>
#include <cstdint>

class SplitThread : public Thread {
public:
    // The window passes createSuspended true, sets item and then resumes the thread.
    SplitThread(bool createSuspended, ISplitForm *splitForm);
    ~SplitThread() override;

    int32_t progressCount = 0; // pages written in this job
    ISplitForm *form = nullptr;
    PDFItemInfo *item = nullptr; // read, never changed, while the job runs
    QString outputFolder;        // item's folder, made unique
    bool result = false;
    // Written by the window only; the worker holds still while paused is set.
    std::atomic<bool> paused{false};
    std::atomic<bool> cancelled{false};

protected:
    void Execute() override;

private:
    friend int32_t SplitProgressCallback(int32_t, int32_t, int32_t, int32_t);

    void MakeUniqueOutputFolder();
    bool RunJob();
    bool DoSplitEvery();
    bool DoSplitBookmark();
    bool DoSplitRange();
    bool DoSplitSpec();
    bool DoSplitAverage();
    bool DoSplitNumbered(int32_t fileCount, int32_t pagesPerPart);
    bool SplitPages(const QString &pageList, const QString &outputFile, bool rest);
    bool Failed(); // shows the failure message and answers false
    // The source as the job found it; a job whose source changes under it stops rather than
    // mix parts of two versions.
    struct SourceStamp {
        bool known = false;
        unsigned long long device = 0, inode = 0;
        long long size = 0, mtimeSec = 0, mtimeNsec = 0;
        bool operator==(const SourceStamp &) const = default;
    };
    static SourceStamp StampOf(const QString &path);
    SourceStamp sourceStamp;
    void NotifyProgress();
    void NotifyFinished();
};

// The most recently constructed job; the engine's progress callback finds its job through it.
// Cleared when that job is destroyed.
extern std::atomic<SplitThread *> CurrentSplitThread;

// The engine's progress callback: one call per page written; 0 tells the engine to stop.
int32_t SplitProgressCallback(int32_t, int32_t, int32_t, int32_t);
