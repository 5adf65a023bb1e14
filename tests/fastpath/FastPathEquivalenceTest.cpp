// Every part the fast writer makes must be the part the reference path (qpdf's copier and
// writer) makes, compared structurally, and pass qpdf --check. The sources: the engine tests'
// fixtures, the test document generator, the awkward cases of FastFixtures and the hostile set.
#include "ComparePdf.h"
#include "FastFixtures.h"
#include "HostilePdfs.h"
#include "PdfEngineTestHooks.h"
#include "PdfFixture.h"
#include "PdfGen.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <unistd.h>
#include <functional>

namespace {

using namespace fixture;

struct Source {
    std::string name;
    std::function<void(const std::string &path)> write;
    bool fastExpected = true; // false where the reference path must make every part
};

void PrintTo(const Source &source, std::ostream *os)
{
    *os << source.name;
}

std::vector<Source> Sources()
{
    std::vector<Source> sources;
    auto options = [](auto edit) {
        Options o;
        edit(o);
        return [o](const std::string &path) { writePdf(path, o); };
    };
    sources.push_back({"plain", options([](Options &) {}), true});
    sources.push_back({"everything", options([](Options &o) {
                           o.links = o.form = o.labels = true;
                           o.pages = 6;
                           o.outline = {Bookmark("One", 0, DestKind::Explicit,
                                                 {Bookmark("Two", 1, DestKind::NameTree), Bookmark("Three", 2, DestKind::GoToAction)}),
                                        Bookmark("Five", 4, DestKind::CatalogName), Bookmark("Six", 5, DestKind::NameTreeDict)};
                       }),
                       true});
    sources.push_back({"outline-loop", options([](Options &o) {
                           o.outline = {Bookmark("A", 0), Bookmark("B", 2)};
                           o.loop = Options::Loop::Sibling;
                       }),
                       true});
    sources.push_back({"owner-password", options([](Options &o) {
                           o.protection = Protection::OwnerOnly;
                           o.links = true;
                       }),
                       false});
    sources.push_back({"generated", [](const std::string &path) {
                           PdfGen::Document d;
                           d.pages = 12;
                           d.outline = {{"Part one", 1, {{"Inner", 3, {}}}}, {"Part two", 7, {}}};
                           PdfGen::Write(QString::fromStdString(path), d);
                       },
                       true});
    // Parts of 32 pages or more from a packed source are packed too.
    sources.push_back({"packed-40", [](const std::string &path) {
                           Options o;
                           o.pages = 40;
                           o.links = o.form = o.labels = true;
                           o.outline = {Bookmark("Start", 0), Bookmark("Middle", 20, DestKind::NameTree), Bookmark("End", 39)};
                           writePdf(path, o);
                           FastPath::PackObjectStreams(path);
                       },
                       true});
    sources.push_back({"awkward", [](const std::string &path) { FastPath::WriteAwkwardPdf(path); }, true});
    sources.push_back({"raw-streams", [](const std::string &path) { writeAll(path, FastPath::RawStreamsPdf()); }, true});
    for (const Hostile::File &file : Hostile::Files()) {
        if (file.open == Hostile::OpenResult::Refused || file.open == Hostile::OpenResult::Password)
            continue;
        auto make = file.make;
        sources.push_back({"hostile-" + file.name, [make](const std::string &path) { writeAll(path, make()); }, false});
    }
    return sources;
}

int32_t keepGoing(int32_t, int32_t, int32_t, int32_t)
{
    return 1;
}

class ReferencePath {
public:
    explicit ReferencePath(bool on)
    {
        if (on)
            setenv("PDFENGINE_TEST_REFERENCE_PATH", "1", 1);
        else
            unsetenv("PDFENGINE_TEST_REFERENCE_PATH");
    }
    ~ReferencePath() { unsetenv("PDFENGINE_TEST_REFERENCE_PATH"); }
};

std::vector<std::string> pageLists(int pages)
{
    if (pages <= 0)
        return {"1"};
    const std::string n = std::to_string(pages);
    std::vector<std::string> lists = {"1", n};
    if (pages <= 1000)
        lists.push_back("1-" + n);
    if (pages >= 3)
        lists.insert(lists.end(), {"2-3", "3,1,2", "2,2"});
    if (pages >= 40)
        lists.insert(lists.end(), {"1-32", "40-1"});
    return lists;
}

class Equivalence : public ::testing::TestWithParam<Source> {
protected:
    // Both folders get the same calls; answers whether each call succeeded.
    std::vector<bool> cutBoth(const std::function<bool(const std::string &folder)> &cut)
    {
        std::vector<bool> results;
        {
            ReferencePath reference(true);
            results.push_back(cut(referenceDir_.path()));
        }
        const int before = PdfEngineTest_FastParts();
        results.push_back(cut(fastDir_.path()));
        fastParts_ += PdfEngineTest_FastParts() - before;
        return results;
    }

    void compareFolders()
    {
        const auto names = referenceDir_.names();
        ASSERT_EQ(names, fastDir_.names());
        for (const std::string &name : names) {
            const std::string a = referenceDir_.file(name), b = fastDir_.file(name);
            const FastPath::Comparison c = FastPath::ComparePdf(a, b);
            EXPECT_TRUE(c.same) << name << ": " << c.difference;
            laterPageReferences_ += c.laterPageReferences;
            EXPECT_TRUE(qpdfCheck(b)) << name << " fails qpdf --check";
            compared_++;
        }
    }

    void clearFolders()
    {
        for (auto *dir : {&referenceDir_, &fastDir_})
            for (const std::string &name : dir->names())
                std::remove(dir->file(name).c_str());
    }

    TempDir sourceDir_, referenceDir_, fastDir_;
    int fastParts_ = 0;
    int compared_ = 0;
    int laterPageReferences_ = 0;
};

TEST_P(Equivalence, FastPartsAreTheReferenceParts)
{
    const Source &source = GetParam();
    const std::string path = sourceDir_.file("source.pdf");
    source.write(path);
    const int32_t handle = OpenPDFW(u16(path).c_str(), 0);
    const int pages = handle > 0 ? GetPageCount(handle) : 0;
    if (handle > 0)
        ClosePDF(handle);
    if (pages <= 0)
        GTEST_SKIP() << "does not open or has no pages";

    for (const std::string &list : pageLists(pages)) {
        for (int rest : {0, 1}) {
            if (rest == 1 && list != "2-3")
                continue;
            auto results = cutBoth([&](const std::string &folder) {
                return SplitPDFW(u16(path).c_str(), list.c_str(), u16(folder + "/part.pdf").c_str(), rest, keepGoing) != 0;
            });
            ASSERT_EQ(results[0], results[1]) << "list " << list;
            SCOPED_TRACE("list " + list);
            compareFolders();
            clearFolders();
        }
    }
    for (int level : {1, 2}) {
        auto results = cutBoth([&](const std::string &folder) {
            return SplitWithOutlineW(u16(path).c_str(), u16(folder).c_str(), level, 0, keepGoing) != 0;
        });
        ASSERT_EQ(results[0], results[1]) << "bookmarks level " << level;
        SCOPED_TRACE("bookmarks level " + std::to_string(level));
        compareFolders();
        clearFolders();
    }
    EXPECT_GT(compared_, 0);
    if (source.fastExpected) {
        EXPECT_EQ(fastParts_, compared_) << "the fast path gave parts to the reference path";
    } else if (source.name.rfind("hostile-encrypted", 0) == 0) {
        EXPECT_EQ(fastParts_, 0);
    }
    std::printf("[ fast     ] %s: %d of %d parts by the fast writer; %d references to a later page of the part that "
                "the reference path leaves null\n",
                source.name.c_str(), fastParts_, compared_, laterPageReferences_);
}

INSTANTIATE_TEST_SUITE_P(Sources, Equivalence, ::testing::ValuesIn(Sources()), [](const auto &param) {
    std::string name = param.param.name;
    for (char &c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
});

// The comparison itself must see a difference where there is one.
TEST(FastPath, ComparisonTellsPartsApart)
{
    TempDir dir;
    const std::string path = dir.file("source.pdf");
    Options o;
    o.links = true;
    writePdf(path, o);
    for (const char *list : {"1", "2", "1-2"})
        ASSERT_NE(SplitPDFW(u16(path).c_str(), list, u16(dir.file(std::string("p") + list + ".pdf")).c_str(), 0, keepGoing), 0);
    EXPECT_TRUE(FastPath::ComparePdf(dir.file("p1.pdf"), dir.file("p1.pdf")).same);
    const FastPath::Comparison differentPage = FastPath::ComparePdf(dir.file("p1.pdf"), dir.file("p2.pdf"));
    EXPECT_FALSE(differentPage.same);
    EXPECT_FALSE(differentPage.difference.empty());
    EXPECT_FALSE(FastPath::ComparePdf(dir.file("p1.pdf"), dir.file("p1-2.pdf")).same);
    EXPECT_FALSE(FastPath::ComparePdf(dir.file("p1.pdf"), path).same);
}

// What the awkward source holds at document level, and what its page tree hands down, reaches a
// fast part.
TEST(FastPath, DocumentDataReachesTheParts)
{
    TempDir dir;
    const std::string path = dir.file("source.pdf");
    FastPath::WriteAwkwardPdf(path);
    const int before = PdfEngineTest_FastParts();
    ASSERT_NE(SplitPDFW(u16(path).c_str(), "4,1", u16(dir.file("out.pdf")).c_str(), 0, keepGoing), 0);
    ASSERT_EQ(PdfEngineTest_FastParts(), before + 1);
    Opened part = openPdf(dir.file("out.pdf"));
    QPDFObjectHandle root = part.pdf->getRoot();
    EXPECT_EQ(root.getKey("/Lang").getUTF8Value(), "en-GB");
    EXPECT_TRUE(root.getKey("/Metadata").isStream());
    QPDFObjectHandle intents = root.getKey("/OutputIntents");
    ASSERT_TRUE(intents.isArray());
    EXPECT_EQ(intents.getArrayItem(0).getKey("/DestOutputProfile").getStreamData()->getSize(), 300u);
    QPDFObjectHandle layers = root.getKey("/OCProperties");
    ASSERT_TRUE(layers.isDictionary());
    QPDFObjectHandle off = layers.getKey("/D").getKey("/OFF");
    ASSERT_TRUE(off.isArray());
    // The hidden layer the page's content names is the one the part turns off.
    QPDFObjectHandle page = part.pdf->getAllPages().at(0);
    EXPECT_EQ(page.getKey("/Resources").getKey("/Properties").getKey("/OC1").getObjGen(), off.getArrayItem(0).getObjGen());
    EXPECT_EQ(part.pdf->getTrailer().getKey("/Info").getKey("/Title").getUTF8Value(), "Awkward");
    QPDFObjectHandle first = part.pdf->getAllPages().at(1);
    EXPECT_EQ(first.getKey("/MediaBox").unparseResolved(), "[ 0 0 500 700 ]");
    EXPECT_EQ(first.getKey("/Rotate").getIntValue(), 90);
    EXPECT_TRUE(first.getKey("/Resources").getKey("/Font").getKey("/F1").isDictionary());
    EXPECT_TRUE(qpdfCheck(dir.file("out.pdf")));
}

int compressedObjects(const std::string &path)
{
    QPDF pdf;
    pdf.processFile(path.c_str());
    int n = 0;
    for (auto &entry : pdf.getXRefTable())
        n += entry.second.getType() == 2 ? 1 : 0;
    return n;
}

// Object streams where the reference path writes them: parts of 32 pages or more of a packed source.
TEST(FastPath, LargePartsOfAPackedSourceArePacked)
{
    TempDir dir;
    const std::string path = dir.file("source.pdf");
    Options o;
    o.pages = 40;
    o.links = o.form = true;
    writePdf(path, o);
    const std::string plain = dir.file("plain.pdf");
    ASSERT_NE(SplitPDFW(u16(path).c_str(), "1-40", u16(plain).c_str(), 0, keepGoing), 0);
    EXPECT_EQ(compressedObjects(plain), 0);
    FastPath::PackObjectStreams(path);
    const int before = PdfEngineTest_FastParts();
    for (const char *list : {"1-31", "1-32"})
        ASSERT_NE(SplitPDFW(u16(path).c_str(), list, u16(dir.file(std::string(list) + ".pdf")).c_str(), 0, keepGoing), 0);
    EXPECT_EQ(PdfEngineTest_FastParts(), before + 2);
    EXPECT_EQ(compressedObjects(dir.file("1-31.pdf")), 0);
    EXPECT_GT(compressedObjects(dir.file("1-32.pdf")), 32);
    EXPECT_TRUE(qpdfCheck(dir.file("1-32.pdf")));
    Opened part = openPdf(dir.file("1-32.pdf"));
    ASSERT_EQ(part.pages.size(), 32u);
    for (int i = 0; i < 32; ++i)
        EXPECT_EQ(part.pages[static_cast<std::size_t>(i)], i + 1);
}

// Stream data is read from the source while the part is written; a source cut short meanwhile
// (another program rewriting it in place) fails the call cleanly instead of killing the process.
std::string truncatedSource;
int32_t truncateOnFirstPage(int32_t done, int32_t, int32_t, int32_t)
{
    if (done == 1 && ::truncate(truncatedSource.c_str(), 600) != 0)
        return 0;
    return 1;
}

TEST(FastPath, ASourceCutShortWhileWritingFailsCleanly)
{
    TempDir dir;
    truncatedSource = dir.file("source.pdf");
    PdfGen::Document d;
    d.pages = 60;
    PdfGen::Write(QString::fromStdString(truncatedSource), d);
    const std::string whole = dir.file("whole.pdf"), out = dir.file("out.pdf");
    int before = PdfEngineTest_FastParts();
    ASSERT_NE(SplitPDFW(u16(truncatedSource).c_str(), "1-60", u16(whole).c_str(), 0, keepGoing), 0);
    ASSERT_EQ(PdfEngineTest_FastParts(), before + 1);
    before = PdfEngineTest_FastParts();
    const int32_t ok = SplitPDFW(u16(truncatedSource).c_str(), "1-60", u16(out).c_str(), 0, truncateOnFirstPage);
    EXPECT_EQ(ok, 0);
    EXPECT_EQ(PdfEngineTest_FastParts(), before);
    EXPECT_FALSE(exists(out));
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"source.pdf", "whole.pdf"}));
}

TEST(FastPath, ReferencePathCanBeForced)
{
    TempDir dir;
    const std::string path = dir.file("source.pdf");
    writePdf(path, Options{});
    ReferencePath reference(true);
    const int before = PdfEngineTest_FastParts();
    ASSERT_NE(SplitPDFW(u16(path).c_str(), "1-2", u16(dir.file("out.pdf")).c_str(), 0, keepGoing), 0);
    EXPECT_EQ(PdfEngineTest_FastParts(), before);
}

} // namespace
