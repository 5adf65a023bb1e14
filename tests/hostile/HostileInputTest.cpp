#include "HostilePdfs.h"
#include "JobHarness.h"

#include "MessageBoxSeam.h"
#include "PdfEngine.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <set>

namespace {

using namespace std::chrono_literals;

constexpr auto JobLimit = 90s;
constexpr auto OpenLimit = 30s;

const std::vector<Hostile::File> &AllFiles()
{
    static const std::vector<Hostile::File> files = Hostile::Files();
    return files;
}

const char16_t *Wide(const QString &text) { return reinterpret_cast<const char16_t *>(text.utf16()); }

// Checks every bookmark the engine hands over hangs below one already given.
struct Sink {
    static intptr_t add(void *context, intptr_t parent, const char16_t *title, int32_t page)
    {
        auto *self = static_cast<Sink *>(context);
        if (parent != 0 && self->tokens.count(parent) == 0)
            ++self->badParents;
        if (title == nullptr)
            ++self->nullTitles;
        if (page < 0 || page > self->pageCount)
            ++self->badPages;
        const intptr_t token = static_cast<intptr_t>(self->tokens.size()) + 1;
        self->tokens.insert(token);
        return token;
    }
    int32_t pageCount = 0;
    std::set<intptr_t> tokens;
    int badParents = 0;
    int nullTitles = 0;
    int badPages = 0;
};

class HostileInput : public testing::TestWithParam<std::size_t> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        Platform::MessageBoxSeam::install();
        Platform::MessageBoxSeam::setHandler({});
    }
    void TearDown() override { Platform::MessageBoxSeam::uninstall(); }

    QTemporaryDir dir;
};

struct Job {
    const char *name;
    SplitMode mode;
    int32_t level = 1;
};

void ConfigureJob(PDFItemInfo &info, const Job &job, int32_t pages)
{
    info.splitMode = job.mode;
    info.pagesPerFile = std::max(1, (pages + 2) / 3);
    info.fileCount = std::min(3, pages);
    info.rangeText = pages >= 2 ? QStringLiteral("1-2") : QStringLiteral("1");
    info.saveRest = true;
    info.bookmarkLevel = job.level;
    info.customItems = {{QStringLiteral("first page.pdf"), QStringLiteral("1")},
                        {QStringLiteral("last page.pdf"), QString::number(std::max(1, pages))}};
}

TEST_P(HostileInput, OpensCutsAndLeavesOnlyWholeFilesInsideTheOutputFolder)
{
    const Hostile::File &file = AllFiles()[GetParam()];
    const QString source = dir.path() + QStringLiteral("/source/") + QString::fromStdString(file.name) + ".pdf";
    ASSERT_TRUE(QDir().mkpath(dir.path() + QStringLiteral("/source")));
    {
        const std::string bytes = file.make();
        QFile out(source);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        ASSERT_EQ(out.write(bytes.data(), static_cast<qint64>(bytes.size())), static_cast<qint64>(bytes.size()));
    }

    const auto start = std::chrono::steady_clock::now();
    const int32_t doc = OpenPDFW(Wide(source), 0);
    RecordProperty("open", doc);
    switch (file.open) {
    case Hostile::OpenResult::Opens:
        ASSERT_GE(doc, 0);
        break;
    case Hostile::OpenResult::Password:
        EXPECT_EQ(doc, PDFENGINE_E_PASSWORD);
        break;
    case Hostile::OpenResult::Refused:
        EXPECT_TRUE(doc == PDFENGINE_E_DAMAGED || doc == PDFENGINE_E_UNREADABLE) << doc;
        break;
    case Hostile::OpenResult::Any:
        EXPECT_TRUE(doc >= 0 || doc == PDFENGINE_E_DAMAGED || doc == PDFENGINE_E_UNREADABLE ||
                    doc == PDFENGINE_E_PASSWORD)
            << doc;
        break;
    }

    const QString outRoot = dir.path() + QStringLiteral("/a/b/c");
    if (doc < 0) {
        // Not opened, the window runs no job; a direct cut must fail cleanly all the same.
        ASSERT_TRUE(QDir().mkpath(outRoot));
        EXPECT_EQ(SplitPDFW(Wide(source), "1", Wide(outRoot + QStringLiteral("/direct.pdf")), 1, nullptr), 0);
        EXPECT_EQ(SplitWithOutlineW(Wide(source), Wide(outRoot), 1, 0, nullptr), 0);
        EXPECT_EQ(FilesBelow(dir.path()), QStringList{QStringLiteral("source/") + QString::fromStdString(file.name) + ".pdf"});
        return;
    }

    const int32_t pages = GetPageCount(doc);
    EXPECT_GE(pages, 0);
    RecordProperty("pages", pages);
    if (file.pages >= 0) {
        EXPECT_EQ(pages, file.pages);
    }
    Sink sink;
    sink.pageCount = pages;
    OutlineSink outlineSink{&sink, &Sink::add};
    const int32_t levels = GetOutline(doc, &outlineSink, 0);
    EXPECT_GE(levels, 0);
    EXPECT_EQ(GetOutline(doc, nullptr, 0), levels);
    EXPECT_EQ(sink.badParents, 0);
    EXPECT_EQ(sink.nullTitles, 0);
    EXPECT_EQ(sink.badPages, 0);
    EXPECT_EQ(levels == 0, sink.tokens.empty());
    EXPECT_LT(std::chrono::steady_clock::now() - start, OpenLimit);

    std::vector<Job> jobs = {{"every", SplitEvery},   {"bookmark", SplitBookmark}, {"range", SplitRange},
                             {"custom", SplitSpec},   {"average", SplitAverage}};
    if (levels > 1)
        jobs.push_back({"bookmark-deepest", SplitBookmark, levels});
    for (const Job &job : jobs) {
        SCOPED_TRACE(job.name);
        PDFItemInfo info;
        info.filePath = source;
        info.fileFolder = dir.path() + QStringLiteral("/source/");
        info.baseName = QString::fromStdString(file.name);
        info.docHandle = doc;
        info.pageCount = pages;
        info.outlineLevels = levels;
        info.outputFolder = outRoot + u'/' + QString::fromLatin1(job.name);
        ConfigureJob(info, job, pages);

        const JobOutcome outcome = RunSplitJob(info, JobLimit);
        ASSERT_TRUE(outcome.ended) << "no end within the time limit";
        // What the user sees and what is on disk, for the test report.
        const QString seen = (outcome.success             ? QStringLiteral("success, ")
                              : outcome.messages.isEmpty() ? QStringLiteral("no message, ")
                                                           : QStringLiteral("failure message, ")) +
                             QString::number(FilesBelow(outcome.folder).size()) + QStringLiteral(" files");
        RecordProperty(job.name, seen.toStdString());
        EXPECT_EQ(outcome.folder, info.outputFolder);
        if (outcome.success) {
            EXPECT_TRUE(outcome.messages.isEmpty());
        } else if (pages > 0 && !(job.mode == SplitBookmark && levels == 0)) {
            EXPECT_EQ(outcome.messages, QStringList{FailureText});
        } else {
            EXPECT_LE(outcome.messages.size(), 1);
        }
        for (const QString &message : outcome.messages)
            EXPECT_EQ(message, FailureText);

        for (const QString &name : FilesBelow(outcome.folder)) {
            SCOPED_TRACE(name.toStdString());
            EXPECT_FALSE(name.contains(u'/')) << "outside the output folder's own level";
            EXPECT_TRUE(name.endsWith(QStringLiteral(".pdf")));
            EXPECT_FALSE(name.startsWith(QStringLiteral(".pagemill-")));
            for (QChar c : name)
                EXPECT_FALSE((c >= QChar(0x202A) && c <= QChar(0x202E)) || (c >= QChar(0x2066) && c <= QChar(0x2069)))
                    << "a direction override in a file name";
            EXPECT_EQ(QpdfCheckProblem(outcome.folder + u'/' + name).toStdString(), std::string());
        }
        if (outcome.success && job.mode != SplitBookmark) {
            EXPECT_FALSE(FilesBelow(outcome.folder).isEmpty());
        }
    }
    EXPECT_EQ(ClosePDF(doc), 1) << "close answers";

    // Nothing written anywhere but the jobs' own folders.
    for (const QString &name : FilesBelow(dir.path())) {
        const bool inSource = name.startsWith(QStringLiteral("source/"));
        bool inJob = false;
        for (const Job &job : jobs)
            inJob = inJob || name.startsWith(QStringLiteral("a/b/c/") + QString::fromLatin1(job.name) + u'/');
        EXPECT_TRUE(inSource || inJob) << name.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Files, HostileInput, testing::Range<std::size_t>(0, AllFiles().size()),
                         [](const testing::TestParamInfo<std::size_t> &param) {
                             std::string name;
                             for (char c : AllFiles()[param.param].name)
                                 name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

} // namespace
