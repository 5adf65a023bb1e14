#include "JobHarness.h"

#include "MessageBoxSeam.h"
#include "PdfEngine.h"
#include "PdfGen.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

const char16_t *Wide(const QString &text) { return reinterpret_cast<const char16_t *>(text.utf16()); }

const std::vector<PdfGen::Bookmark> Outline = {
    {QStringLiteral("Intro"), 1, {}}, {QStringLiteral("Body"), 3, {}}, {QStringLiteral("End"), 5, {}}};

void Configure(PDFItemInfo &info, SplitMode mode)
{
    info.splitMode = mode;
    info.pagesPerFile = 2;
    info.fileCount = 3;
    info.rangeText = QStringLiteral("2-3");
    info.saveRest = true;
    info.bookmarkLevel = 1;
    info.customItems = {{QStringLiteral("front.pdf"), QStringLiteral("1-2")},
                        {QStringLiteral("back.pdf"), QStringLiteral("5-6")}};
}

class Faults : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        Platform::MessageBoxSeam::install();
        Platform::MessageBoxSeam::setHandler({});
    }
    void TearDown() override
    {
        Platform::MessageBoxSeam::uninstall();
        unsetenv("PDFENGINE_TEST_FAIL_WRITE_AFTER");
        unsetenv("PDFENGINE_TEST_FAIL_CLOSE");
    }

    // A six-page source with three bookmarks, opened as the window opens it.
    PDFItemInfo Source(const QString &folder, const QString &baseName)
    {
        EXPECT_TRUE(QDir().mkpath(folder));
        PDFItemInfo info;
        info.filePath = folder + u'/' + baseName + QStringLiteral(".pdf");
        PdfGen::Write(info.filePath, PdfGen::Document{6, Outline});
        info.fileFolder = folder + u'/';
        info.baseName = baseName;
        info.docHandle = OpenPDFW(Wide(info.filePath), 0);
        EXPECT_GE(info.docHandle, 0);
        info.pageCount = GetPageCount(info.docHandle);
        info.outlineLevels = GetOutline(info.docHandle, nullptr, 0);
        EXPECT_EQ(info.pageCount, 6);
        return info;
    }
    void Close(const PDFItemInfo &info) { ClosePDF(info.docHandle); }

    QTemporaryDir dir;
};

// Either the job succeeded silently, or it showed the failure message once; what it left is
// whole PDFs only, and only in its own folder.
void ExpectCleanEnd(const JobOutcome &outcome)
{
    ASSERT_TRUE(outcome.ended);
    if (outcome.success) {
        EXPECT_TRUE(outcome.messages.isEmpty());
    } else {
        EXPECT_EQ(outcome.messages, QStringList{FailureText});
    }
    for (const QString &name : FilesBelow(outcome.folder)) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_TRUE(name.endsWith(QStringLiteral(".pdf")));
        EXPECT_FALSE(name.contains(QStringLiteral(".pagemill-")));
        EXPECT_EQ(QpdfCheckProblem(outcome.folder + u'/' + name).toStdString(), std::string());
    }
}

struct WriteFault {
    const char *name;
    const char *variable;
    const char *value;
    SplitMode mode;
};

void PrintTo(const WriteFault &c, std::ostream *out) { *out << c.name; }

class FullDisk : public Faults, public testing::WithParamInterface<WriteFault> {};

// No output survives a failing write or close: the message shows and the folder stays empty.
TEST_P(FullDisk, ShowsTheFailureAndLeavesNoFile)
{
    const WriteFault &fault = GetParam();
    PDFItemInfo info = Source(dir.path() + QStringLiteral("/in"), QStringLiteral("report"));
    info.outputFolder = dir.path() + QStringLiteral("/out/report");
    Configure(info, fault.mode);
    setenv(fault.variable, fault.value, 1);
    const JobOutcome outcome = RunSplitJob(info, 60s);
    unsetenv(fault.variable);
    ExpectCleanEnd(outcome);
    EXPECT_FALSE(outcome.success);
    EXPECT_EQ(FilesBelow(outcome.folder), QStringList());
    Close(info);
}

INSTANTIATE_TEST_SUITE_P(
    Writes, FullDisk,
    testing::Values(WriteFault{"EveryAfter100Bytes", "PDFENGINE_TEST_FAIL_WRITE_AFTER", "100", SplitEvery},
                    WriteFault{"BookmarkAfter100Bytes", "PDFENGINE_TEST_FAIL_WRITE_AFTER", "100", SplitBookmark},
                    WriteFault{"RangeAfter100Bytes", "PDFENGINE_TEST_FAIL_WRITE_AFTER", "100", SplitRange},
                    WriteFault{"CustomAfter100Bytes", "PDFENGINE_TEST_FAIL_WRITE_AFTER", "100", SplitSpec},
                    WriteFault{"AverageAfter100Bytes", "PDFENGINE_TEST_FAIL_WRITE_AFTER", "100", SplitAverage},
                    WriteFault{"EveryAtOnce", "PDFENGINE_TEST_FAIL_WRITE_AFTER", "0", SplitEvery},
                    WriteFault{"EveryOnClose", "PDFENGINE_TEST_FAIL_CLOSE", "1", SplitEvery},
                    WriteFault{"BookmarkOnClose", "PDFENGINE_TEST_FAIL_CLOSE", "1", SplitBookmark},
                    WriteFault{"RangeOnClose", "PDFENGINE_TEST_FAIL_CLOSE", "1", SplitRange}),
    [](const testing::TestParamInfo<WriteFault> &param) { return std::string(param.param.name); });

// The disk fills up while the second file is written: the first stays whole, the second
// never appears, and the job says it failed.
TEST_F(Faults, ADiskThatFillsUpMidJobKeepsTheFilesBefore)
{
    PDFItemInfo info = Source(dir.path() + QStringLiteral("/in"), QStringLiteral("report"));
    info.splitMode = SplitSpec;
    info.customItems = {{QStringLiteral("small.pdf"), QStringLiteral("1")},
                        {QStringLiteral("large.pdf"), QStringLiteral("1-6")},
                        {QStringLiteral("after.pdf"), QStringLiteral("2")}};
    info.outputFolder = dir.path() + QStringLiteral("/measure");
    const JobOutcome measured = RunSplitJob(info, 60s);
    ASSERT_TRUE(measured.success);
    const qint64 small = QFileInfo(measured.folder + QStringLiteral("/small.pdf")).size();
    const qint64 large = QFileInfo(measured.folder + QStringLiteral("/large.pdf")).size();
    ASSERT_LT(small + 200, large);

    info.outputFolder = dir.path() + QStringLiteral("/out/report");
    setenv("PDFENGINE_TEST_FAIL_WRITE_AFTER", QByteArray::number((small + large) / 2).constData(), 1);
    const JobOutcome outcome = RunSplitJob(info, 60s);
    unsetenv("PDFENGINE_TEST_FAIL_WRITE_AFTER");
    ExpectCleanEnd(outcome);
    EXPECT_FALSE(outcome.success);
    EXPECT_EQ(FilesBelow(outcome.folder), QStringList{QStringLiteral("small.pdf")});
    EXPECT_EQ(PdfGen::PageMarks(outcome.folder + QStringLiteral("/small.pdf")), std::vector<int>({1}));
    Close(info);
}

TEST_F(Faults, AReadOnlyOutputFolderShowsTheFailure)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    PDFItemInfo info = Source(dir.path() + QStringLiteral("/in"), QStringLiteral("report"));
    const QString parent = dir.path() + QStringLiteral("/locked");
    ASSERT_TRUE(QDir().mkpath(parent));
    ASSERT_TRUE(QFile::setPermissions(parent, QFile::ReadOwner | QFile::ExeOwner));
    info.outputFolder = parent + QStringLiteral("/report");
    Configure(info, SplitEvery);
    const JobOutcome outcome = RunSplitJob(info, 60s);
    QFile::setPermissions(parent, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ExpectCleanEnd(outcome);
    EXPECT_FALSE(outcome.success);
    EXPECT_EQ(FilesBelow(parent), QStringList());
    Close(info);
}

struct SourceChange {
    const char *name;
    int replacementPages; // -1: deleted, 0: replaced by text, else a PDF of that many pages
    SplitMode mode;
};

void PrintTo(const SourceChange &c, std::ostream *out) { *out << c.name; }

class ChangedSource : public Faults, public testing::WithParamInterface<SourceChange> {};

// The job reads the file as it is when it runs; it never shows success for pages it could
// not write, and never leaves a partial file.
TEST_P(ChangedSource, EndsInTheMessageOrInWholeFiles)
{
    const SourceChange &change = GetParam();
    PDFItemInfo info = Source(dir.path() + QStringLiteral("/in"), QStringLiteral("report"));
    info.outputFolder = dir.path() + QStringLiteral("/out/report");
    Configure(info, change.mode);
    ASSERT_TRUE(QFile::remove(info.filePath));
    if (change.replacementPages == 0) {
        QFile text(info.filePath);
        ASSERT_TRUE(text.open(QIODevice::WriteOnly));
        text.write("not a PDF any more\n");
    } else if (change.replacementPages > 0) {
        PdfGen::Write(info.filePath, PdfGen::Document{change.replacementPages, {}});
    }
    const JobOutcome outcome = RunSplitJob(info, 60s);
    ExpectCleanEnd(outcome);
    if (change.replacementPages < 6) {
        EXPECT_FALSE(outcome.success);
    }
    if (change.replacementPages <= 0) {
        EXPECT_EQ(FilesBelow(outcome.folder), QStringList());
    }
    // What was written holds exactly the pages its name promises.
    if (change.mode == SplitEvery && change.replacementPages >= 0) {
        const QStringList written = FilesBelow(outcome.folder);
        for (int i = 0; i < written.size(); ++i) {
            EXPECT_EQ(written[i], QStringLiteral("report(%1).pdf").arg(i + 1));
            EXPECT_EQ(PdfGen::PageMarks(outcome.folder + u'/' + written[i]), std::vector<int>({2 * i + 1, 2 * i + 2}));
        }
    }
    Close(info);
}

INSTANTIATE_TEST_SUITE_P(Sources, ChangedSource,
                         testing::Values(SourceChange{"DeletedEvery", -1, SplitEvery},
                                         SourceChange{"DeletedBookmark", -1, SplitBookmark},
                                         SourceChange{"DeletedRange", -1, SplitRange},
                                         SourceChange{"DeletedCustom", -1, SplitSpec},
                                         SourceChange{"DeletedAverage", -1, SplitAverage},
                                         SourceChange{"ReplacedByTextEvery", 0, SplitEvery},
                                         SourceChange{"ReplacedByTextBookmark", 0, SplitBookmark},
                                         SourceChange{"ReplacedByShorterEvery", 3, SplitEvery},
                                         SourceChange{"ReplacedByShorterCustom", 3, SplitSpec},
                                         SourceChange{"ReplacedByLongerEvery", 9, SplitEvery}),
                         [](const testing::TestParamInfo<SourceChange> &param) { return std::string(param.param.name); });

// A source replaced while the job runs (a download finishing, a sync) stops the job with the
// message after the files already written: no part may come from the other version.
TEST_F(Faults, ASourceReplacedMidJobStopsTheJob)
{
    for (SplitMode mode : {SplitEvery, SplitSpec}) {
        SCOPED_TRACE(static_cast<int>(mode));
        PDFItemInfo info = Source(dir.path() + QStringLiteral("/in"), QStringLiteral("report"));
        info.outputFolder = dir.path() + QStringLiteral("/out%1/report").arg(static_cast<int>(mode));
        Configure(info, mode);
        bool replaced = false;
        const JobOutcome outcome = RunSplitJob(info, 60s, [&](int32_t pagesDone) {
            if (pagesDone != 2 || replaced)
                return;
            // Written beside it and renamed over it, as downloaders and sync tools do.
            const QString next = dir.path() + QStringLiteral("/in/next.pdf");
            PdfGen::Write(next, PdfGen::Document{8, {}});
            replaced = ::rename(QFile::encodeName(next).constData(), QFile::encodeName(info.filePath).constData()) == 0;
        });
        ASSERT_TRUE(replaced);
        ExpectCleanEnd(outcome);
        EXPECT_FALSE(outcome.success);
        const QString first = mode == SplitEvery ? QStringLiteral("report(1).pdf") : QStringLiteral("front.pdf");
        EXPECT_EQ(FilesBelow(outcome.folder), QStringList{first});
        EXPECT_EQ(PdfGen::PageMarks(outcome.folder + u'/' + first), std::vector<int>({1, 2}));
        Close(info);
    }
}

struct LongPath {
    const char *name;
    int segments;
    int segmentLength;
    SplitMode mode;
};

void PrintTo(const LongPath &c, std::ostream *out) { *out << c.name; }

class LongOutputPath : public Faults, public testing::WithParamInterface<LongPath> {};

TEST_P(LongOutputPath, EndsInTheMessageOrInWholeFiles)
{
    const LongPath &path = GetParam();
    PDFItemInfo info = Source(dir.path() + QStringLiteral("/in"), QStringLiteral("report"));
    QString folder = dir.path();
    for (int i = 0; i < path.segments; ++i)
        folder += u'/' + QString(path.segmentLength - 1, QChar(u'a' + i % 26));
    info.outputFolder = folder;
    Configure(info, path.mode);
    const JobOutcome outcome = RunSplitJob(info, 60s);
    ExpectCleanEnd(outcome);
    // A name the system cannot take fails; nothing shows up anywhere else.
    if (folder.toUtf8().size() + 40 > 4095 || path.segmentLength > 255) {
        EXPECT_FALSE(outcome.success);
    }
    for (const QString &name : FilesBelow(dir.path()))
        EXPECT_TRUE(name.startsWith(QStringLiteral("in/")) || (dir.path() + u'/' + name).startsWith(folder))
            << name.toStdString();
    Close(info);
}

INSTANTIATE_TEST_SUITE_P(Paths, LongOutputPath,
                         testing::Values(LongPath{"FourThousandInTwentyFolders", 20, 200, SplitEvery},
                                         LongPath{"FourThousandInTwentyFoldersBookmark", 20, 200, SplitBookmark},
                                         LongPath{"PastTheSystemLimit", 21, 200, SplitEvery},
                                         LongPath{"OneFourThousandCharacterName", 1, 4000, SplitEvery},
                                         LongPath{"OneFourThousandCharacterNameBookmark", 1, 4000, SplitBookmark}),
                         [](const testing::TestParamInfo<LongPath> &param) { return std::string(param.param.name); });

class ForeignNames : public Faults, public testing::WithParamInterface<SplitMode> {};

// Spaces and characters outside ASCII in the source's folder and name, the output folder and
// the bookmark titles arrive unchanged in the output names.
TEST_P(ForeignNames, AreKeptInTheOutputs)
{
    const QString base = QStringLiteral("Квартальный отчёт 2026 — 报告 ✓");
    PDFItemInfo info = Source(dir.path() + QStringLiteral("/my docs/Ünïcødé répertoire"), base);
    info.outputFolder = dir.path() + QStringLiteral("/out put/文件夹 ✓/") + base;
    Configure(info, GetParam());
    info.customItems = {{QStringLiteral("résumé final.pdf"), QStringLiteral("1-2")},
                        {QStringLiteral("שלום עולם.pdf"), QStringLiteral("5-6")}};
    const JobOutcome outcome = RunSplitJob(info, 60s);
    ExpectCleanEnd(outcome);
    EXPECT_TRUE(outcome.success);
    EXPECT_EQ(outcome.folder, info.outputFolder);
    QStringList expected;
    switch (GetParam()) {
    case SplitEvery:
        expected = {base + QStringLiteral("(1).pdf"), base + QStringLiteral("(2).pdf"), base + QStringLiteral("(3).pdf")};
        break;
    case SplitBookmark:
        expected = {QStringLiteral("01 Intro.pdf"), QStringLiteral("02 Body.pdf"), QStringLiteral("03 End.pdf")};
        break;
    case SplitRange:
        expected = {base + QStringLiteral(".pdf"), base + QStringLiteral("_rest.pdf")};
        break;
    case SplitSpec:
        expected = {QStringLiteral("résumé final.pdf"), QStringLiteral("שלום עולם.pdf")};
        break;
    case SplitAverage:
        expected = {base + QStringLiteral("(1).pdf"), base + QStringLiteral("(2).pdf"), base + QStringLiteral("(3).pdf")};
        break;
    }
    expected.sort();
    EXPECT_EQ(FilesBelow(outcome.folder), expected);
    EXPECT_TRUE(QFile::exists(info.filePath)) << "the source stays";
    Close(info);
}

INSTANTIATE_TEST_SUITE_P(Modes, ForeignNames,
                         testing::Values(SplitEvery, SplitBookmark, SplitRange, SplitSpec, SplitAverage));

} // namespace
