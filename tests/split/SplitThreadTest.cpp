#include "JobRunner.h"
#include "MessageBoxSeam.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <utility>

namespace {

std::vector<int> Pages(int first, int last)
{
    std::vector<int> pages;
    for (int page = first; page <= last; ++page)
        pages.push_back(page);
    return pages;
}

std::vector<int> Concat(std::initializer_list<std::vector<int>> parts)
{
    std::vector<int> all;
    for (const std::vector<int> &part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

struct ModeCase {
    const char *name;
    int pages;
    SplitMode mode;
    int32_t count; // pagesPerFile or fileCount
    QString rangeText;
    bool saveRest;
    std::vector<CustomPDFItemInfo> custom;
    std::vector<std::pair<QString, std::vector<int>>> files;
    std::vector<int> restPages; // the engine-named file of the pages left out; empty: none
};

void PrintTo(const ModeCase &c, std::ostream *out) { *out << c.name; }

class SplitThreadModes : public SplitThreadJob, public testing::WithParamInterface<ModeCase> {};

TEST_P(SplitThreadModes, WritesEachOutputWithItsPages)
{
    const ModeCase &c = GetParam();
    PDFItemInfo info = Document(c.pages);
    info.splitMode = c.mode;
    info.pagesPerFile = c.mode == SplitEvery ? c.count : 0;
    info.fileCount = c.mode == SplitAverage ? c.count : 0;
    info.rangeText = c.rangeText;
    info.saveRest = c.saveRest;
    info.customItems = c.custom;

    FakeForm form;
    ASSERT_TRUE(RunJob(info, form));
    EXPECT_TRUE(form.finishedSuccess);
    EXPECT_EQ(form.finishedFolder, info.outputFolder);
    EXPECT_TRUE(form.allOnUiThread);
    EXPECT_TRUE(Platform::MessageBoxSeam::records().isEmpty());

    QStringList expectedNames;
    size_t totalPages = c.restPages.size();
    for (const auto &[name, pages] : c.files) {
        expectedNames << name;
        totalPages += pages.size();
        EXPECT_EQ(PdfGen::PageMarks(info.outputFolder + u'/' + name), pages) << name.toStdString();
    }
    QStringList written = PdfFilesIn(info.outputFolder);
    for (const QString &name : expectedNames)
        written.removeOne(name);
    if (c.restPages.empty()) {
        EXPECT_TRUE(written.isEmpty()) << written.join(u' ').toStdString();
    } else {
        ASSERT_EQ(written.size(), 1);
        EXPECT_EQ(PdfGen::PageMarks(info.outputFolder + u'/' + written[0]), c.restPages);
    }
    // One progress step per page written, counted across all files of the job.
    EXPECT_EQ(form.progress, CountUpTo(static_cast<int32_t>(totalPages)));
}

std::vector<std::pair<QString, std::vector<int>>> Numbered(std::initializer_list<std::vector<int>> parts)
{
    std::vector<std::pair<QString, std::vector<int>>> files;
    int n = 0;
    for (const std::vector<int> &part : parts)
        files.emplace_back(QStringLiteral("report(%1).pdf").arg(++n), part);
    return files;
}

std::vector<std::pair<QString, std::vector<int>>> OnePagePerFile(int pages)
{
    std::vector<std::pair<QString, std::vector<int>>> files;
    for (int page = 1; page <= pages; ++page)
        files.emplace_back(QStringLiteral("report(%1).pdf").arg(page), std::vector<int>{page});
    return files;
}

INSTANTIATE_TEST_SUITE_P(
    Modes, SplitThreadModes,
    testing::Values(
        ModeCase{"EveryThreeOfTen", 10, SplitEvery, 3, {}, false, {},
                 Numbered({Pages(1, 3), Pages(4, 6), Pages(7, 9), {10}}), {}},
        ModeCase{"EveryPageCount", 10, SplitEvery, 10, {}, false, {}, Numbered({Pages(1, 10)}), {}},
        ModeCase{"EveryOnOnePage", 1, SplitEvery, 1, {}, false, {}, Numbered({{1}}), {}},
        ModeCase{"EveryMoreThanPageCount", 4, SplitEvery, 9, {}, false, {}, Numbered({Pages(1, 4)}), {}},
        ModeCase{"AverageThreeOfTen", 10, SplitAverage, 3, {}, false, {},
                 Numbered({Pages(1, 3), Pages(4, 6), Pages(7, 10)}), {}},
        ModeCase{"AverageFourOfTen", 10, SplitAverage, 4, {}, false, {},
                 Numbered({Pages(1, 2), Pages(3, 4), Pages(5, 6), Pages(7, 10)}), {}},
        ModeCase{"AverageTenOfTen", 10, SplitAverage, 10, {}, false, {}, OnePagePerFile(10), {}},
        ModeCase{"RangeAlone", 10, SplitRange, 0, QStringLiteral("1,3,5,7-10"), false, {},
                 {{QStringLiteral("report.pdf"), {1, 3, 5, 7, 8, 9, 10}}}, {}},
        ModeCase{"RangeWithRest", 10, SplitRange, 0, QStringLiteral("2-4,9"), true, {},
                 {{QStringLiteral("report.pdf"), {2, 3, 4, 9}}}, Concat({{1}, Pages(5, 8), {10}})},
        ModeCase{"CustomInListOrder", 6, SplitSpec, 0, {}, false,
                 {{QStringLiteral("later.pdf"), QStringLiteral("5-6")},
                  {QStringLiteral("first.PDF"), QStringLiteral("1,1,3")},
                  {QStringLiteral("all.pdf"), QStringLiteral("1-6")}},
                 {{QStringLiteral("later.pdf"), {5, 6}},
                  {QStringLiteral("first.PDF"), {1, 1, 3}},
                  {QStringLiteral("all.pdf"), Pages(1, 6)}},
                 {}},
        ModeCase{"CustomEmptyList", 6, SplitSpec, 0, {}, false, {}, {}, {}}),
    [](const testing::TestParamInfo<ModeCase> &param) { return std::string(param.param.name); });

class SplitThreadBookmarks : public SplitThreadJob, public testing::WithParamInterface<std::pair<int, int>> {};

TEST_P(SplitThreadBookmarks, EveryPageLandsInOnePartInDocumentOrder)
{
    const auto [level, parts] = GetParam();
    PDFItemInfo info = Document(10, {{QStringLiteral("One"), 1, {}},
                                    {QStringLiteral("Four"), 4, {{QStringLiteral("Six"), 6, {}}}},
                                    {QStringLiteral("Eight"), 8, {}}});
    info.splitMode = SplitBookmark;
    info.bookmarkLevel = level;

    FakeForm form;
    ASSERT_TRUE(RunJob(info, form));
    EXPECT_TRUE(form.finishedSuccess);
    EXPECT_TRUE(Platform::MessageBoxSeam::records().isEmpty());
    const QStringList files = PdfFilesIn(info.outputFolder);
    ASSERT_EQ(files.size(), parts);
    std::vector<int> all;
    for (const QString &file : files) {
        const std::vector<int> pages = PdfGen::PageMarks(info.outputFolder + u'/' + file);
        all.insert(all.end(), pages.begin(), pages.end());
    }
    EXPECT_EQ(all, Pages(1, 10));
    EXPECT_EQ(PdfGen::PageMarks(info.outputFolder + u'/' + files.back()), Pages(8, 10));
    EXPECT_EQ(form.progress, CountUpTo(10));
}

INSTANTIATE_TEST_SUITE_P(Levels, SplitThreadBookmarks, testing::Values(std::pair{1, 3}, std::pair{2, 4}));

TEST_F(SplitThreadJob, FolderNumbersAreAlwaysBuiltFromTheSameName)
{
    PDFItemInfo info = Document(2);
    info.splitMode = SplitEvery;
    info.pagesPerFile = 1;
    ASSERT_TRUE(QDir().mkpath(info.outputFolder));
    ASSERT_TRUE(QDir().mkpath(info.outputFolder + QStringLiteral("(1)")));

    FakeForm form;
    ASSERT_TRUE(RunJob(info, form));
    EXPECT_EQ(form.finishedFolder, info.outputFolder + QStringLiteral("(2)"));
    EXPECT_EQ(PdfFilesIn(form.finishedFolder), QStringList({"report(1).pdf", "report(2).pdf"}));
    EXPECT_TRUE(PdfFilesIn(info.outputFolder).isEmpty());

    // With X(1) free again the next job takes it, never X(1)(1).
    ASSERT_TRUE(QDir(info.outputFolder + QStringLiteral("(1)")).removeRecursively());
    FakeForm second;
    ASSERT_TRUE(RunJob(info, second));
    EXPECT_EQ(second.finishedFolder, info.outputFolder + QStringLiteral("(1)"));
    EXPECT_EQ(PdfGen::PageMarks(second.finishedFolder + QStringLiteral("/report(2).pdf")), std::vector<int>{2});
}

TEST_F(SplitThreadJob, AFileWithTheFolderNameIsPassedOver)
{
    PDFItemInfo info = Document(1);
    info.splitMode = SplitEvery;
    info.pagesPerFile = 1;
    ASSERT_TRUE(QDir().mkpath(Path(QStringLiteral("out"))));
    QFile blocker(info.outputFolder);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    FakeForm form;
    ASSERT_TRUE(RunJob(info, form));
    EXPECT_TRUE(form.finishedSuccess);
    EXPECT_EQ(form.finishedFolder, info.outputFolder + QStringLiteral("(1)"));
    EXPECT_TRUE(Platform::MessageBoxSeam::records().isEmpty());
}

TEST_F(SplitThreadJob, ProgressCountStartsAgainForTheNextJob)
{
    PDFItemInfo info = Document(5);
    info.splitMode = SplitEvery;
    info.pagesPerFile = 2;
    FakeForm form;
    ASSERT_TRUE(RunJob(info, form));
    info.splitMode = SplitRange;
    info.rangeText = QStringLiteral("2-3");
    ASSERT_TRUE(RunJob(info, form));
    std::vector<int32_t> expected = CountUpTo(5);
    expected.push_back(1);
    expected.push_back(2);
    EXPECT_EQ(form.progress, expected);
    EXPECT_EQ(form.finishedCalls, 2);
}

TEST_F(SplitThreadJob, CurrentSplitThreadFollowsTheNewestJob)
{
    FakeForm form;
    auto older = std::make_unique<SplitThread>(true, &form);
    EXPECT_EQ(CurrentSplitThread.load(), older.get());
    auto newer = std::make_unique<SplitThread>(true, &form);
    EXPECT_EQ(CurrentSplitThread.load(), newer.get());
    older.reset();
    EXPECT_EQ(CurrentSplitThread.load(), newer.get());
    newer.reset();
    EXPECT_EQ(CurrentSplitThread.load(), nullptr);
    EXPECT_EQ(form.finishedCalls, 0); // never resumed, so no job ran
}

} // namespace
