// The job the window starts, one file per page, run through the job thread on a plain event
// loop with nothing on the window's side but the bar's percentage: what the benchmarks measure
// the thread and the window against.
#pragma once

#include "Data_unit1.h"
#include "SplitForm.h"
#include "Splitthread.h"

#include <QEventLoop>
#include <QString>

namespace Bench {

// Answers whether the job succeeded and its progress reached 100 percent.
inline bool RunJobWithoutWindow(const QString &source, const QString &folder, const QString &baseName, int pages)
{
    struct NoWindow : ISplitForm {
        bool OnSplitProgress(int32_t pagesDone) override
        {
            percent = pagesDone * 100 / total;
            return true;
        }
        bool OnSplitFinished(const QString &, bool ok) override
        {
            success = ok;
            loop.quit();
            return true;
        }
        int32_t total = 1;
        int32_t percent = 0;
        bool success = false;
        QEventLoop loop;
    };

    PDFItemInfo info;
    info.filePath = source;
    info.baseName = baseName;
    info.pageCount = pages;
    info.outputFolder = folder;
    info.splitMode = SplitEvery;
    info.pagesPerFile = 1;
    NoWindow form;
    form.total = pages > 0 ? pages : 1;
    {
        SplitThread job(true, &form);
        job.item = &info;
        job.Resume();
        form.loop.exec();
        job.WaitFor();
    }
    return form.success && form.percent == 100;
}

} // namespace Bench
