#include "JobRunner.h"
#include "MessageBox.h"
#include "MessageBoxSeam.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

const QString FailureText = QStringLiteral("Internal error occurs while cutting pdf files.\n");

TEST_F(SplitThreadJob, CancelDuringTheSecondOfFourFilesStopsWithoutAMessage)
{
    PDFItemInfo info = Document(8);
    info.splitMode = SplitEvery;
    info.pagesPerFile = 2;
    FakeForm form;
    // As the Stop button does: hold the job, then, confirmed, cancel it and wait for its end.
    form.onProgress = [&](int32_t pagesDone) {
        if (pagesDone != 3)
            return;
        form.thread->paused = true;
        QTimer::singleShot(50, [&form] {
            form.thread->cancelled = true;
            form.thread->paused = false;
            form.thread->WaitFor();
        });
    };
    ASSERT_TRUE(RunJob(info, form));
    EXPECT_EQ(form.finishedCalls, 1);
    EXPECT_EQ(form.progress, CountUpTo(3));
    EXPECT_TRUE(Platform::MessageBoxSeam::records().isEmpty());
    EXPECT_EQ(PdfFilesIn(info.outputFolder), QStringList({"report(1).pdf"}));
    EXPECT_EQ(PdfGen::PageMarks(info.outputFolder + QStringLiteral("/report(1).pdf")), std::vector<int>({1, 2}));
}

TEST_F(SplitThreadJob, PauseHoldsTheWorkerUntilCleared)
{
    PDFItemInfo info = Document(6);
    info.splitMode = SplitEvery;
    info.pagesPerFile = 2;
    FakeForm form;
    size_t stepsWhilePaused = 0;
    form.onProgress = [&](int32_t pagesDone) {
        if (pagesDone != 1)
            return;
        form.thread->paused = true;
        QTimer::singleShot(300, [&] {
            stepsWhilePaused = form.progress.size();
            form.thread->paused = false;
        });
    };
    ASSERT_TRUE(RunJob(info, form));
    EXPECT_EQ(stepsWhilePaused, 1u);
    EXPECT_TRUE(form.finishedSuccess);
    EXPECT_EQ(form.progress, CountUpTo(6));
    EXPECT_EQ(PdfFilesIn(info.outputFolder).size(), 3);
}

TEST_F(SplitThreadJob, AFailingCustomEntryKeepsEarlierFilesAndStops)
{
    PDFItemInfo info = Document(5);
    info.splitMode = SplitSpec;
    info.customItems = {{QStringLiteral("a.pdf"), QStringLiteral("1-2")},
                        {QStringLiteral("b.pdf"), QStringLiteral("1-99")},
                        {QStringLiteral("c.pdf"), QStringLiteral("3")}};
    FakeForm form;
    ASSERT_TRUE(RunJob(info, form));
    EXPECT_FALSE(form.finishedSuccess);
    EXPECT_EQ(PdfFilesIn(info.outputFolder), QStringList({"a.pdf"}));
    EXPECT_EQ(PdfGen::PageMarks(info.outputFolder + QStringLiteral("/a.pdf")), std::vector<int>({1, 2}));
    EXPECT_EQ(form.progress, CountUpTo(2)); // the third entry's page was never written
    const QList<Platform::MessageRecord> messages = Platform::MessageBoxSeam::records();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].text, FailureText);
    EXPECT_EQ(messages[0].caption, Platform::ApplicationTitle());
    EXPECT_EQ(messages[0].flags, Platform::MB_OK | Platform::MB_ICONINFORMATION);
    EXPECT_TRUE(messages[0].ownerName.isEmpty());
}

TEST_F(SplitThreadJob, TheFailureMessageIsDismissedBeforeTheJobEnds)
{
    PDFItemInfo info = Document(3);
    info.splitMode = SplitRange;
    info.rangeText = QStringLiteral("2-7");
    FakeForm form;
    int finishedCallsWhenAsked = -1;
    Platform::MessageBoxSeam::setHandler([&](const Platform::MessageRecord &) {
        finishedCallsWhenAsked = form.finishedCalls;
        return Platform::IDOK;
    });
    ASSERT_TRUE(RunJob(info, form));
    EXPECT_EQ(finishedCallsWhenAsked, 0);
    EXPECT_FALSE(form.finishedSuccess);
    EXPECT_TRUE(PdfFilesIn(info.outputFolder).isEmpty());
}

TEST_F(SplitThreadJob, AFolderThatCannotBeMadeShowsAsAnEngineFailure)
{
    PDFItemInfo info = Document(4);
    QFile file(Path(QStringLiteral("plain.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    info.outputFolder = Path(QStringLiteral("plain.txt/report"));
    info.splitMode = SplitEvery;
    info.pagesPerFile = 2;
    FakeForm form;
    ASSERT_TRUE(RunJob(info, form));
    EXPECT_FALSE(form.finishedSuccess);
    EXPECT_EQ(Platform::MessageBoxSeam::records().size(), 1); // once, then no second file is tried
    EXPECT_TRUE(form.progress.empty());
}

struct IdleCase {
    const char *name;
    int filePages;     // pages of the file on disk
    int32_t pageCount; // what the record says
    SplitMode mode;
    int32_t count;
};

void PrintTo(const IdleCase &c, std::ostream *out) { *out << c.name; }

class SplitThreadNothingToWrite : public SplitThreadJob, public testing::WithParamInterface<IdleCase> {};

// Jobs that cannot write anything end with result false, silently, before any engine call.
TEST_P(SplitThreadNothingToWrite, EndsQuietlyWithoutSuccess)
{
    const IdleCase &c = GetParam();
    PDFItemInfo info = Document(c.filePages);
    info.pageCount = c.pageCount;
    info.splitMode = c.mode;
    info.pagesPerFile = c.count;
    info.fileCount = c.count;
    info.rangeText = QStringLiteral("1");
    info.bookmarkLevel = 1;
    info.customItems = {{QStringLiteral("x.pdf"), QStringLiteral("1")}};
    FakeForm form;
    ASSERT_TRUE(RunJob(info, form));
    EXPECT_FALSE(form.finishedSuccess);
    EXPECT_TRUE(form.progress.empty());
    EXPECT_TRUE(Platform::MessageBoxSeam::records().isEmpty());
    EXPECT_TRUE(PdfFilesIn(form.finishedFolder).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Jobs, SplitThreadNothingToWrite,
    testing::Values(IdleCase{"EveryZeroPerFile", 5, 5, SplitEvery, 0},
                    IdleCase{"EveryNegativePerFile", 5, 5, SplitEvery, -2},
                    IdleCase{"AverageZeroFiles", 5, 5, SplitAverage, 0},
                    IdleCase{"AverageMoreFilesThanPages", 5, 5, SplitAverage, 6},
                    IdleCase{"EveryOnZeroPages", 5, 0, SplitEvery, 1},
                    IdleCase{"AverageOnZeroPages", 5, 0, SplitAverage, 1},
                    IdleCase{"RangeOnZeroPages", 5, 0, SplitRange, 1},
                    IdleCase{"CustomOnZeroPages", 5, 0, SplitSpec, 1},
                    IdleCase{"BookmarkOnZeroPages", 5, 0, SplitBookmark, 1},
                    IdleCase{"UnknownMode", 5, 5, static_cast<SplitMode>(7), 1}),
    [](const testing::TestParamInfo<IdleCase> &param) { return std::string(param.param.name); });

TEST_F(SplitThreadJob, AJobWithoutARecordOnlyReportsItsEnd)
{
    FakeForm form;
    auto thread = std::make_unique<SplitThread>(true, &form);
    thread->Resume();
    thread->WaitFor();
    EXPECT_EQ(form.finishedCalls, 1);
    EXPECT_FALSE(form.finishedSuccess);
    EXPECT_TRUE(form.finishedFolder.isEmpty());
}

} // namespace
