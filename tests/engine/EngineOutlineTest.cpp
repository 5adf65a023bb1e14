#include "PdfEngine.h"
#include "PdfFixture.h"

#include <gtest/gtest.h>

using namespace fixture;

namespace {

struct Item {
    intptr_t parent;
    std::string title;
    int32_t page;
};

struct Recorder {
    std::vector<Item> items;
    OutlineSink sink{this, &Recorder::add};

    static intptr_t add(void *context, intptr_t parent, const char16_t *title, int32_t page)
    {
        auto *self = static_cast<Recorder *>(context);
        self->items.push_back({parent, utf16ToUtf8(title), page});
        return static_cast<intptr_t>(self->items.size()); // token = 1-based position
    }
};

int32_t openPath(const std::string &path)
{
    return OpenPDFW(u16(path).c_str(), 0);
}

TEST(EngineOutline, NoBookmarksAnswersZero)
{
    TempDir dir;
    writePdf(dir.file("a.pdf"), Options{});
    const int32_t h = openPath(dir.file("a.pdf"));
    Recorder r;
    EXPECT_EQ(GetOutline(h, &r.sink, 0), 0);
    EXPECT_TRUE(r.items.empty());
    ClosePDF(h);
}

TEST(EngineOutline, TreeTitlesPagesAndDepth)
{
    TempDir dir;
    Options o;
    o.pages = 6;
    const std::string utf16be = std::string("\xFE\xFF\x00\x44\x00\xE9\x00\x6A\x00\xE0", 10); // "Déjà"
    const std::string utf8bom = "\xEF\xBB\xBF" "Stra\xC3\x9F" "e";                             // "Straße"
    const std::string pdfdoc = "Caf\xE9 \x84 \x92";                                              // "Café — ™"
    o.outline = {
        {"Chapter", 0, DestKind::Explicit, {
            {utf16be, 1, DestKind::CatalogName, {{"Deep", 2, DestKind::NameTreeDict}}},
            {utf8bom, 3, DestKind::NameTree},
        }},
        {pdfdoc, 4, DestKind::GoToAction},
        {"Nowhere", 0, DestKind::None},
    };
    writePdf(dir.file("a.pdf"), o);
    const int32_t h = openPath(dir.file("a.pdf"));
    ASSERT_GE(h, 0);
    EXPECT_EQ(GetOutline(h, nullptr, 0), 4) << "three levels: 1 + 3";
    Recorder r;
    EXPECT_EQ(GetOutline(h, &r.sink, 0), 4);
    ASSERT_EQ(r.items.size(), 6u);
    const Item expected[] = {
        {0, "Chapter", 1},
        {1, "D\xC3\xA9j\xC3\xA0", 2},
        {2, "Deep", 3},
        {1, "Stra\xC3\x9F" "e", 4},
        {0, "Caf\xC3\xA9 \xE2\x80\x94 \xE2\x84\xA2", 5},
        {0, "Nowhere", 0},
    };
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(r.items[i].parent, expected[i].parent) << i;
        EXPECT_EQ(r.items[i].title, expected[i].title) << i;
        EXPECT_EQ(r.items[i].page, expected[i].page) << i;
    }
    ClosePDF(h);
}

TEST(EngineOutline, TopLevelOnlyAnswersTwo)
{
    TempDir dir;
    Options o;
    o.outline = {{"A", 0}, {"B", 1}};
    writePdf(dir.file("a.pdf"), o);
    const int32_t h = openPath(dir.file("a.pdf"));
    EXPECT_EQ(GetOutline(h, nullptr, 0), 2);
    ClosePDF(h);
}

TEST(EngineOutline, LoopsEnd)
{
    for (auto loop : {Options::Loop::Sibling, Options::Loop::Child}) {
        TempDir dir;
        Options o;
        o.outline = {{"A", 0, DestKind::Explicit, {{"A1", 1}}}, {"B", 2}};
        o.loop = loop;
        writePdf(dir.file("a.pdf"), o);
        const int32_t h = openPath(dir.file("a.pdf"));
        ASSERT_GE(h, 0);
        Recorder r;
        const int32_t n = GetOutline(h, &r.sink, 0);
        EXPECT_GE(n, 3);
        EXPECT_EQ(r.items.size(), 3u) << "every bookmark once";
        // The split of a looped outline ends too, and covers every page once.
        TempDir out;
        ASSERT_NE(SplitWithOutlineW(u16(dir.file("a.pdf")).c_str(), u16(out.path()).c_str(), 9, 0, nullptr), 0);
        int pages = 0;
        for (const auto &name : out.names())
            pages += static_cast<int>(openPdf(out.file(name)).pages.size());
        EXPECT_EQ(pages, 5);
        ClosePDF(h);
    }
}

TEST(EngineOutline, SinkRefusingAnItemGetsNoChildrenOfIt)
{
    TempDir dir;
    Options o;
    o.outline = {{"A", 0, DestKind::Explicit, {{"A1", 1}}}, {"B", 2}};
    writePdf(dir.file("a.pdf"), o);
    const int32_t h = openPath(dir.file("a.pdf"));
    std::vector<std::string> seen;
    OutlineSink sink{&seen, [](void *c, intptr_t, const char16_t *title, int32_t) -> intptr_t {
                         static_cast<std::vector<std::string> *>(c)->push_back(utf16ToUtf8(title));
                         return 0;
                     }};
    EXPECT_EQ(GetOutline(h, &sink, 0), 3);
    EXPECT_EQ(seen, (std::vector<std::string>{"A", "B"}));
    ClosePDF(h);
}

} // namespace
