#include "PdfEngine.h"
#include "PdfEngineTestHooks.h"
#include "PdfFixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

using namespace fixture;

namespace {

class EngineSplit : public ::testing::Test {
protected:
    void SetUp() override
    {
        Options o;
        o.pages = 5;
        writePdf(src(), o);
    }
    void TearDown() override
    {
        unsetenv("PDFENGINE_TEST_FAIL_WRITE_AFTER");
        unsetenv("PDFENGINE_TEST_FAIL_CLOSE");
    }

    std::string src() const { return in.file("source.pdf"); }
    int32_t split(const char *list, const std::string &output, int32_t rest = 0,
                  SplitProgressProc progress = nullptr)
    {
        return SplitPDFW(u16(src()).c_str(), list, u16(output).c_str(), rest, progress);
    }

    TempDir in;
    TempDir out;
};

int32_t progressCalls = 0;
int32_t stopAt = 0;

int32_t countingProgress(int32_t, int32_t, int32_t, int32_t)
{
    ++progressCalls;
    return stopAt != 0 && progressCalls >= stopAt ? 0 : 1;
}

TEST_F(EngineSplit, PagesInListOrder)
{
    struct Case {
        const char *list;
        std::vector<int> pages;
    } cases[] = {
        {"1", {1}},
        {"1,3,5", {1, 3, 5}},
        {"2-4", {2, 3, 4}},
        {"5,1-2", {5, 1, 2}},
        {"3,3,1", {3, 3, 1}},
        {"1-5,2-3", {1, 2, 3, 4, 5, 2, 3}},
    };
    for (const auto &c : cases) {
        const std::string file = out.file("part.pdf");
        ASSERT_NE(split(c.list, file), 0) << c.list;
        EXPECT_EQ(openPdf(file).pages, c.pages) << c.list;
        EXPECT_TRUE(qpdfCheck(file)) << c.list;
    }
}

TEST_F(EngineSplit, NonCanonicalListsFailAndWriteNothing)
{
    const char *lists[] = {"", "0", "6", "1-6", "0-2", "1-1", "3-2", "1,,2", ",1", "1,", " 1", "1 ",
                           "01", "+1", "a", "1;2", "1-2-3", "-2", "2-", "99999999999999999999"};
    for (const char *list : lists) {
        EXPECT_EQ(split(list, out.file("x.pdf"), 1), 0) << '"' << list << '"';
        EXPECT_TRUE(out.names().empty()) << '"' << list << '"';
    }
    EXPECT_EQ(SplitPDFW(u16(src()).c_str(), nullptr, u16(out.file("x.pdf")).c_str(), 0, nullptr), 0);
}

TEST_F(EngineSplit, BadPathsFail)
{
    EXPECT_EQ(SplitPDFW(u16(in.file("missing.pdf")).c_str(), "1", u16(out.file("x.pdf")).c_str(), 0, nullptr), 0);
    EXPECT_EQ(split("1", out.file("no/such/folder/x.pdf")), 0);
    EXPECT_EQ(split("1", out.path() + "/"), 0);
    EXPECT_EQ(split("1", out.path() + "/.."), 0);
    writeAll(in.file("text.pdf"), "not a pdf");
    EXPECT_EQ(SplitPDFW(u16(in.file("text.pdf")).c_str(), "1", u16(out.file("x.pdf")).c_str(), 0, nullptr), 0);
    EXPECT_TRUE(out.names().empty());
}

TEST_F(EngineSplit, RestFileHoldsTheLeftOutPages)
{
    ASSERT_NE(split("4,2", out.file("part.pdf"), 1), 0);
    EXPECT_EQ(out.names(), (std::vector<std::string>{"part.pdf", "part_rest.pdf"}));
    EXPECT_EQ(openPdf(out.file("part.pdf")).pages, (std::vector<int>{4, 2}));
    EXPECT_EQ(openPdf(out.file("part_rest.pdf")).pages, (std::vector<int>{1, 3, 5}));
    EXPECT_TRUE(qpdfCheck(out.file("part_rest.pdf")));
}

TEST_F(EngineSplit, RestFileNames)
{
    struct Case {
        const char *name;
        const char *rest;
    } cases[] = {
        {"a.pdf", "a_rest.pdf"},
        {"B.PDF", "B_rest.PDF"},
        {"noext", "noext_rest.pdf"},
        {"x_rest.pdf", "x_rest_rest.pdf"},
        {"report.v2", "report.v2_rest.pdf"},
    };
    for (const auto &c : cases) {
        TempDir dir;
        ASSERT_NE(split("1", dir.file(c.name), 1), 0) << c.name;
        EXPECT_EQ(dir.names().size(), 2u) << c.name;
        EXPECT_TRUE(exists(dir.file(c.rest))) << c.name;
        EXPECT_EQ(openPdf(dir.file(c.rest)).pages, (std::vector<int>{2, 3, 4, 5}));
    }
}

TEST_F(EngineSplit, NoRestFileWhenNothingIsLeftOut)
{
    ASSERT_NE(split("1-3,4-5", out.file("all.pdf"), 1), 0);
    EXPECT_EQ(out.names(), (std::vector<std::string>{"all.pdf"}));
}

TEST_F(EngineSplit, ProgressOncePerPageWritten)
{
    progressCalls = 0;
    stopAt = 0;
    ASSERT_NE(split("1,3", out.file("a.pdf"), 1, countingProgress), 0);
    EXPECT_EQ(progressCalls, 5) << "two pages plus three left out";
    progressCalls = 0;
    ASSERT_NE(split("1,1,1", out.file("b.pdf"), 0, countingProgress), 0);
    EXPECT_EQ(progressCalls, 3);
}

TEST_F(EngineSplit, CancelRemovesEverythingAndKeepsExistingFiles)
{
    for (int32_t at : {1, 2, 3, 5}) {
        TempDir dir;
        writeAll(dir.file("a.pdf"), "old");
        writeAll(dir.file("a_rest.pdf"), "old rest");
        progressCalls = 0;
        stopAt = at;
        EXPECT_EQ(split("1-2", dir.file("a.pdf"), 1, countingProgress), 0) << at;
        EXPECT_EQ(progressCalls, at) << "stops at once";
        EXPECT_EQ(dir.names(), (std::vector<std::string>{"a.pdf", "a_rest.pdf"})) << at;
        EXPECT_EQ(readAll(dir.file("a.pdf")), "old");
        EXPECT_EQ(readAll(dir.file("a_rest.pdf")), "old rest");
    }
    stopAt = 0;
}

TEST_F(EngineSplit, FailingWritesLeaveNoPartialFile)
{
    struct Case {
        const char *variable;
        const char *value;
    } cases[] = {
        {"PDFENGINE_TEST_FAIL_WRITE_AFTER", "0"},
        {"PDFENGINE_TEST_FAIL_WRITE_AFTER", "100"},
        {"PDFENGINE_TEST_FAIL_WRITE_AFTER", "700"},
        {"PDFENGINE_TEST_FAIL_CLOSE", "1"},
    };
    for (const auto &c : cases) {
        TempDir dir;
        writeAll(dir.file("a.pdf"), "old");
        setenv(c.variable, c.value, 1);
        EXPECT_EQ(split("1-3", dir.file("a.pdf"), 1), 0) << c.variable << '=' << c.value;
        EXPECT_EQ(split("2", dir.file("b.pdf"), 0), 0) << c.variable << '=' << c.value;
        unsetenv(c.variable);
        EXPECT_EQ(dir.names(), (std::vector<std::string>{"a.pdf"})) << c.variable << '=' << c.value;
        EXPECT_EQ(readAll(dir.file("a.pdf")), "old");
    }
    // A limit beyond the file's size lets it through.
    setenv("PDFENGINE_TEST_FAIL_WRITE_AFTER", "100000000", 1);
    EXPECT_NE(split("1", out.file("ok.pdf")), 0);
}

TEST_F(EngineSplit, ReadOnlyFolderFails)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    chmod(out.path().c_str(), 0555);
    EXPECT_EQ(split("1", out.file("a.pdf")), 0);
    chmod(out.path().c_str(), 0755);
    EXPECT_TRUE(out.names().empty());
}

TEST_F(EngineSplit, SuccessReplacesAnExistingFile)
{
    writeAll(out.file("a.pdf"), "old");
    ASSERT_NE(split("2", out.file("a.pdf")), 0);
    EXPECT_EQ(openPdf(out.file("a.pdf")).pages, (std::vector<int>{2}));
}

TEST_F(EngineSplit, SourceIsParsedOncePerJob)
{
    const int32_t before = PdfEngineTest_SourceLoads();
    for (const char *list : {"1", "2", "3-4", "5"})
        ASSERT_NE(split(list, out.file(std::string(list) + ".pdf")), 0);
    EXPECT_EQ(PdfEngineTest_SourceLoads(), before + 1);

    // A changed file is read again.
    struct utimbuf times {1000000000, 1000000000};
    ASSERT_EQ(utime(src().c_str(), &times), 0);
    ASSERT_NE(split("1", out.file("x.pdf")), 0);
    EXPECT_EQ(PdfEngineTest_SourceLoads(), before + 2);

    // Closing a handle on that path lets go of it.
    const int32_t h = OpenPDFW(u16(src()).c_str(), 0);
    ASSERT_GE(h, 0);
    ClosePDF(h);
    ASSERT_NE(split("1", out.file("y.pdf")), 0);
    EXPECT_EQ(PdfEngineTest_SourceLoads(), before + 3);

    // Another source replaces it, and coming back reads the first again.
    Options o;
    o.pages = 2;
    writePdf(in.file("other.pdf"), o);
    ASSERT_NE(SplitPDFW(u16(in.file("other.pdf")).c_str(), "2", u16(out.file("o.pdf")).c_str(), 0, nullptr), 0);
    ASSERT_NE(split("5", out.file("z.pdf")), 0);
    EXPECT_EQ(PdfEngineTest_SourceLoads(), before + 5);
    EXPECT_EQ(openPdf(out.file("z.pdf")).pages, (std::vector<int>{5}));
}

TEST_F(EngineSplit, UnicodePaths)
{
    TempDir dir;
    const std::string folder = dir.file("Übersicht 日本");
    ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
    writePdf(folder + "/quelle é.pdf", Options{});
    ASSERT_NE(SplitPDFW(u16(folder + "/quelle é.pdf").c_str(), "2", u16(folder + "/teil 😀.pdf").c_str(), 0, nullptr), 0);
    EXPECT_EQ(openPdf(folder + "/teil 😀.pdf").pages, (std::vector<int>{2}));
}

TEST_F(EngineSplit, UserPasswordSourceFails)
{
    Options o;
    o.protection = Protection::UserPassword;
    writePdf(in.file("locked.pdf"), o);
    EXPECT_EQ(SplitPDFW(u16(in.file("locked.pdf")).c_str(), "1", u16(out.file("a.pdf")).c_str(), 0, nullptr), 0);
    EXPECT_TRUE(out.names().empty());
}

} // namespace
