#include "PdfEngine.h"
#include "PdfFixture.h"

#include <gtest/gtest.h>

using namespace fixture;

namespace {

std::vector<std::string> splitByOutline(const Options &o, int level, TempDir &out, int32_t *result = nullptr)
{
    TempDir in;
    writePdf(in.file("book.pdf"), o);
    const int32_t r = SplitWithOutlineW(u16(in.file("book.pdf")).c_str(), u16(out.path()).c_str(), level, 0, nullptr);
    if (result)
        *result = r;
    else
        EXPECT_NE(r, 0);
    return out.names();
}

Options book()
{
    Options o;
    o.pages = 10;
    o.outline = {
        {"Intro", 1, DestKind::Explicit, {{"Scope", 2}, {"Terms", 3, DestKind::NameTree}}},
        {"Body", 4, DestKind::GoToAction, {{"Same page as Body", 4}, {"Detail", 6, DestKind::Explicit, {{"Deepest", 7}}}}},
        {"Appendix", 8, DestKind::CatalogName},
    };
    return o;
}

TEST(EngineBookmarkSplit, PartsByLevel)
{
    struct Case {
        int level;
        std::vector<std::string> names;
        std::vector<std::vector<int>> pages;
    } cases[] = {
        {1,
         {"01 Fixture document.pdf", "02 Intro.pdf", "03 Body.pdf", "04 Appendix.pdf"},
         {{1}, {2, 3, 4}, {5, 6, 7, 8}, {9, 10}}},
        {2,
         {"01 Fixture document.pdf", "02 Intro.pdf", "03 Scope.pdf", "04 Terms.pdf", "05 Body.pdf", "06 Detail.pdf",
          "07 Appendix.pdf"},
         {{1}, {2}, {3}, {4}, {5, 6}, {7, 8}, {9, 10}}},
        {3,
         {"01 Fixture document.pdf", "02 Intro.pdf", "03 Scope.pdf", "04 Terms.pdf", "05 Body.pdf", "06 Detail.pdf",
          "07 Deepest.pdf", "08 Appendix.pdf"},
         {{1}, {2}, {3}, {4}, {5, 6}, {7}, {8}, {9, 10}}},
        {40,
         {"01 Fixture document.pdf", "02 Intro.pdf", "03 Scope.pdf", "04 Terms.pdf", "05 Body.pdf", "06 Detail.pdf",
          "07 Deepest.pdf", "08 Appendix.pdf"},
         {{1}, {2}, {3}, {4}, {5, 6}, {7}, {8}, {9, 10}}},
    };
    for (const auto &c : cases) {
        TempDir out;
        EXPECT_EQ(splitByOutline(book(), c.level, out), c.names) << "level " << c.level;
        for (std::size_t i = 0; i < c.names.size() && i < c.pages.size(); ++i) {
            EXPECT_EQ(openPdf(out.file(c.names[i])).pages, c.pages[i]) << c.names[i];
            EXPECT_TRUE(qpdfCheck(out.file(c.names[i]))) << c.names[i];
        }
    }
}

TEST(EngineBookmarkSplit, LevelBelowOneFailsAndWritesNothing)
{
    for (int level : {0, -1}) {
        TempDir out;
        int32_t r = 1;
        EXPECT_TRUE(splitByOutline(book(), level, out, &r).empty());
        EXPECT_EQ(r, 0);
    }
}

TEST(EngineBookmarkSplit, NoBookmarksGivesOnePart)
{
    Options o;
    o.pages = 3;
    o.metadata = false; // no document title: the part is named after the file
    TempDir out;
    EXPECT_EQ(splitByOutline(o, 1, out), (std::vector<std::string>{"01 book.pdf"}));
    EXPECT_EQ(openPdf(out.file("01 book.pdf")).pages, (std::vector<int>{1, 2, 3}));
}

TEST(EngineBookmarkSplit, StartsOutOfOrderAndUnresolvable)
{
    Options o;
    o.pages = 4;
    o.outline = {{"Late", 2}, {"Early", 0}, {"Web only", 0, DestKind::None}, {"Also early", 0}};
    TempDir out;
    EXPECT_EQ(splitByOutline(o, 1, out), (std::vector<std::string>{"01 Early.pdf", "02 Late.pdf"}));
    EXPECT_EQ(openPdf(out.file("01 Early.pdf")).pages, (std::vector<int>{1, 2}));
    EXPECT_EQ(openPdf(out.file("02 Late.pdf")).pages, (std::vector<int>{3, 4}));
}

TEST(EngineBookmarkSplit, UnsafeTitlesBecomeSafeNames)
{
    const std::string longTitle = std::string(199, 'x') + "\xC3\xA9" + "tail"; // é straddles byte 200
    struct Case {
        std::string title;
        std::string name;
    } cases[] = {
        {"a/b\\c", "02 a_b_c.pdf"},
        {"..", "02 ...pdf"},
        {"../../etc/passwd", "02 .._.._etc_passwd.pdf"},
        {"  padded\t", "02 padded.pdf"},
        {"line\nbreak\x01", "02 line break.pdf"},
        {"", "02 Untitled.pdf"},
        {" \t ", "02 Untitled.pdf"},
        {longTitle, "02 " + std::string(199, 'x') + ".pdf"},
        {std::string(300, 'y'), "02 " + std::string(200, 'y') + ".pdf"},
    };
    for (const auto &c : cases) {
        Options o;
        o.pages = 2;
        o.outline = {{c.title, 1}};
        TempDir out;
        const auto names = splitByOutline(o, 1, out);
        ASSERT_EQ(names.size(), 2u) << c.title;
        EXPECT_EQ(names[1], c.name);
        EXPECT_EQ(openPdf(out.file(c.name)).pages, (std::vector<int>{2}));
    }
}

TEST(EngineBookmarkSplit, NamesAreUniqueAndNeverReplaceFiles)
{
    Options o;
    o.pages = 3;
    o.outline = {{"Same", 0}, {"Same", 1}, {"Same", 2}};
    TempDir out;
    writeAll(out.file("02 Same.pdf"), "mine");
    EXPECT_EQ(splitByOutline(o, 1, out),
              (std::vector<std::string>{"01 Same.pdf", "02 Same (2).pdf", "02 Same.pdf", "03 Same.pdf"}));
    EXPECT_EQ(readAll(out.file("02 Same.pdf")), "mine");
    EXPECT_EQ(openPdf(out.file("02 Same (2).pdf")).pages, (std::vector<int>{2}));
}

TEST(EngineBookmarkSplit, WideSequenceNumbers)
{
    Options o;
    o.pages = 120;
    for (int i = 0; i < 120; ++i)
        o.outline.push_back({std::string("P").append(std::to_string(i + 1)), i});
    TempDir out;
    const auto names = splitByOutline(o, 1, out);
    ASSERT_EQ(names.size(), 120u);
    EXPECT_EQ(names.front(), "001 P1.pdf");
    EXPECT_EQ(names.back(), "120 P120.pdf");
}

TEST(EngineBookmarkSplit, ProgressCoversEveryPageAndCancelStops)
{
    TempDir in;
    writePdf(in.file("book.pdf"), book());
    static int calls;
    static int stopAt;
    auto progress = [](int32_t, int32_t, int32_t, int32_t) -> int32_t { return ++calls == stopAt ? 0 : 1; };
    calls = 0;
    stopAt = 0;
    TempDir all;
    ASSERT_NE(SplitWithOutlineW(u16(in.file("book.pdf")).c_str(), u16(all.path()).c_str(), 1, 0, progress), 0);
    EXPECT_EQ(calls, 10);

    calls = 0;
    stopAt = 3; // inside the second part, pages 2-4
    TempDir out;
    EXPECT_EQ(SplitWithOutlineW(u16(in.file("book.pdf")).c_str(), u16(out.path()).c_str(), 1, 0, progress), 0);
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(out.names(), (std::vector<std::string>{"01 Fixture document.pdf"})) << "the part being written is gone";
}

TEST(EngineBookmarkSplit, MissingFolderFails)
{
    TempDir in;
    writePdf(in.file("book.pdf"), book());
    EXPECT_EQ(SplitWithOutlineW(u16(in.file("book.pdf")).c_str(), u16(in.file("nope")).c_str(), 1, 0, nullptr), 0);
    EXPECT_EQ(SplitWithOutlineW(u16(in.file("book.pdf")).c_str(), u"", 1, 0, nullptr), 0);
}

} // namespace
