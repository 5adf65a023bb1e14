// A stand-in for the main window and a way to run one job on a plain event loop.
#pragma once

#include "PdfGen.h"
#include "Splitthread.h"

#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

class QEventLoop;

struct FakeForm : ISplitForm {
    bool OnSplitProgress(int32_t pagesDone) override;
    bool OnSplitFinished(const QString &outputFolder, bool success) override;

    std::vector<int32_t> progress;
    int finishedCalls = 0;
    QString finishedFolder;
    bool finishedSuccess = false;
    bool allOnUiThread = true;
    // Runs inside OnSplitProgress, as the window's own handler would.
    std::function<void(int32_t)> onProgress;
    SplitThread *thread = nullptr; // the running job
    QEventLoop *loop = nullptr;
};

// Starts a job as the window does (suspended, item set, resumed), runs the event loop until it
// has finished, then waits for and deletes the thread. False unless it reported its end
// exactly once in time.
bool RunJob(PDFItemInfo &info, FakeForm &form);

// 1 ... n
std::vector<int32_t> CountUpTo(int32_t n);

// The names of the PDF files in folder, sorted.
QStringList PdfFilesIn(const QString &folder);

// The job thread's tests: a generated source in a fresh folder and the message box seam.
class SplitThreadJob : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // report.pdf with pages pages; the job writes below out/report.
    PDFItemInfo Document(int pages, const std::vector<PdfGen::Bookmark> &outline = {});
    QString Path(const QString &name) const { return dir.path() + u'/' + name; }

    QTemporaryDir dir;
};
