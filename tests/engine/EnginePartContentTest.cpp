#include "PdfEngine.h"
#include "PdfFixture.h"

#include <qpdf/QPDFAcroFormDocumentHelper.hh>
#include <qpdf/QPDFPageLabelDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>

using namespace fixture;
using OH = QPDFObjectHandle;

namespace {

class PartContent : public ::testing::Test {
protected:
    void write(const Options &o) { writePdf(in.file("src.pdf"), o); }
    Opened part(const char *list, const char *password = nullptr)
    {
        const std::string file = outDir.file(std::string("p") + list + ".pdf");
        EXPECT_NE(SplitPDFW(u16(in.file("src.pdf")).c_str(), list, u16(file).c_str(), 0, nullptr), 0) << list;
        EXPECT_TRUE(qpdfCheck(file)) << list;
        return openPdf(file, password);
    }
    TempDir in;
    TempDir outDir;
};

// Target page (by /TestPage) of every link on a page; -1 for a link without a page.
std::vector<int> linkTargets(OH page)
{
    std::vector<int> out;
    OH annots = page.getKey("/Annots");
    if (!annots.isArray())
        return out;
    for (auto &a : annots.aitems()) {
        if (!a.getKey("/Subtype").isNameAndEquals("/Link"))
            continue;
        OH dest = a.getKey("/Dest");
        if (dest.isArray() && dest.getArrayItem(0).isDictionary())
            out.push_back(dest.getArrayItem(0).getKey("/TestPage").getIntValueAsInt());
        else
            out.push_back(-1);
    }
    return out;
}

// Every /TestPage found among all objects of the file, pages or not.
std::set<int> testPagesAnywhere(QPDF &pdf)
{
    std::set<int> seen;
    for (auto &obj : pdf.getAllObjects())
        if (obj.isDictionary() && obj.getKey("/TestPage").isInteger())
            seen.insert(obj.getKey("/TestPage").getIntValueAsInt());
    return seen;
}

TEST_F(PartContent, LinksInsideArePointedAtThePartOutsideRemoved)
{
    Options o;
    o.links = true;
    write(o);
    {
        auto p = part("1-3");
        EXPECT_EQ(linkTargets(p.pdf->getAllPages()[0]), (std::vector<int>{2, 3})) << "link to page 5 dropped";
        OH first = p.pdf->getAllPages()[0];
        OH second = p.pdf->getAllPages()[1];
        EXPECT_EQ(first.getKey("/Annots").getArrayItem(0).getKey("/Dest").getArrayItem(0).getObjGen(),
                  second.getObjGen());
        EXPECT_EQ(linkTargets(p.pdf->getAllPages()[1]), (std::vector<int>{-1})) << "URI link kept";
    }
    {
        auto p = part("5,1");
        EXPECT_EQ(linkTargets(p.pdf->getAllPages()[1]), (std::vector<int>{5}));
        EXPECT_EQ(testPagesAnywhere(*p.pdf), (std::set<int>{1, 5})) << "pages 2 and 3 not dragged in by links";
    }
    {
        auto p = part("1");
        EXPECT_TRUE(linkTargets(p.pdf->getAllPages()[0]).empty());
        EXPECT_EQ(testPagesAnywhere(*p.pdf), (std::set<int>{1}));
    }
}

TEST_F(PartContent, FormFieldsOfThePartOnlyWithValues)
{
    Options o;
    o.form = true;
    write(o);
    auto fieldNames = [](QPDF &pdf) {
        std::map<std::string, std::string> values;
        QPDFAcroFormDocumentHelper form(pdf);
        for (auto &f : form.getFormFields())
            values[f.getFullyQualifiedName()] = f.getValueAsString();
        return values;
    };
    {
        auto p = part("1-2");
        EXPECT_EQ(fieldNames(*p.pdf),
                  (std::map<std::string, std::string>{{"name", "Ada"}, {"choice", "shared"}}));
        QPDFAcroFormDocumentHelper form(*p.pdf);
        EXPECT_EQ(form.getWidgetAnnotationsForPage(p.pdf->getAllPages()[1]).size(), 1u);
        auto choice = p.pdf->getRoot().getKey("/AcroForm").getKey("/Fields").getArrayItem(1);
        EXPECT_EQ(choice.getKey("/Kids").getArrayNItems(), 1) << "page 3's widget left out";
        EXPECT_EQ(testPagesAnywhere(*p.pdf), (std::set<int>{1, 2}));
        EXPECT_TRUE(p.pdf->getRoot().getKey("/AcroForm").getKey("/DA").isString());
    }
    {
        auto p = part("4");
        EXPECT_FALSE(p.pdf->getRoot().hasKey("/AcroForm")) << "no field on page 4";
    }
    {
        auto p = part("5,3");
        EXPECT_EQ(fieldNames(*p.pdf), (std::map<std::string, std::string>{{"last", "Zed"}, {"choice", "shared"}}));
    }
    {
        auto p = part("2,2");
        auto choice = p.pdf->getRoot().getKey("/AcroForm").getKey("/Fields").getArrayItem(0);
        EXPECT_EQ(choice.getKey("/Kids").getArrayNItems(), 2) << "a repeated page shows the field twice";
        EXPECT_NE(p.pdf->getAllPages()[0].getObjGen(), p.pdf->getAllPages()[1].getObjGen());
    }
}

TEST_F(PartContent, PageLabelsFollowThePages)
{
    Options o;
    o.labels = true;
    write(o);
    auto labels = [](QPDF &pdf) {
        QPDFPageLabelDocumentHelper h(pdf);
        std::vector<std::string> found;
        for (int i = 0; i < static_cast<int>(pdf.getAllPages().size()); ++i) {
            OH label = h.getLabelForPage(i);
            std::string s = label.getKey("/S").isName() ? label.getKey("/S").getName() : "";
            found.push_back(s + ":" + std::to_string(label.getKey("/St").isInteger() ? label.getKey("/St").getIntValue() : 1));
        }
        return found;
    };
    auto p = part("2-4");
    EXPECT_EQ(labels(*p.pdf), (std::vector<std::string>{"/r:2", "/D:1", "/D:2"}));
    auto q = part("5,1");
    EXPECT_EQ(labels(*q.pdf), (std::vector<std::string>{"/D:3", "/r:1"}));
}

TEST_F(PartContent, BookmarksPointingIntoThePart)
{
    Options o;
    o.outline = {
        {"A", 0, DestKind::Explicit, {{"A1", 1}, {"A2", 4, DestKind::NameTree, {{"A2a", 2}}}}},
        {"B", 3, DestKind::GoToAction, {}, true},
    };
    write(o);
    struct Seen {
        std::string title;
        int page;
        int level;
    };
    std::function<void(OH, int, std::vector<Seen> &)> walk = [&](OH first, int level, std::vector<Seen> &list) {
        for (OH i = first; i.isDictionary(); i = i.getKey("/Next")) {
            list.push_back({i.getKey("/Title").getUTF8Value(),
                           i.getKey("/Dest").getArrayItem(0).getKey("/TestPage").getIntValueAsInt(), level});
            walk(i.getKey("/First"), level + 1, list);
        }
    };
    auto p = part("1-3");
    std::vector<Seen> seen;
    walk(p.pdf->getRoot().getKey("/Outlines").getKey("/First"), 1, seen);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].title, "A");
    EXPECT_EQ(seen[1].title, "A1");
    EXPECT_EQ(seen[1].level, 2);
    EXPECT_EQ(seen[2].title, "A2a") << "child of the dropped A2 moves up";
    EXPECT_EQ(seen[2].level, 2);
    EXPECT_EQ(seen[2].page, 3);
    EXPECT_EQ(p.pdf->getRoot().getKey("/Outlines").getKey("/Count").getIntValue(), 3);

    auto q = part("4");
    std::vector<Seen> only;
    walk(q.pdf->getRoot().getKey("/Outlines").getKey("/First"), 1, only);
    ASSERT_EQ(only.size(), 1u);
    EXPECT_EQ(only[0].title, "B");
    EXPECT_EQ(only[0].page, 4);

    auto none = part("5");
    EXPECT_EQ(none.pdf->getRoot().getKey("/Outlines").getKey("/First").isDictionary(), true) << "A2 points to page 5";
}

TEST_F(PartContent, MetadataAndNothingElse)
{
    Options o;
    o.pages = 4;
    write(o);
    auto p = part("2");
    EXPECT_EQ(p.pdf->getTrailer().getKey("/Info").getKey("/Title").getUTF8Value(), "Fixture document");
    OH xmp = p.pdf->getRoot().getKey("/Metadata");
    ASSERT_TRUE(xmp.isStream());
    EXPECT_NE(xmp.getStreamData()->getSize(), 0u);
    EXPECT_EQ(testPagesAnywhere(*p.pdf), (std::set<int>{2}));
    EXPECT_FALSE(p.pdf->getRoot().hasKey("/Outlines"));
}

TEST_F(PartContent, EncryptionAndPermissionsKept)
{
    Options o;
    o.protection = Protection::OwnerOnly;
    write(o);
    auto p = part("2-3");
    ASSERT_TRUE(p.pdf->isEncrypted());
    EXPECT_FALSE(p.pdf->allowExtractAll());
    EXPECT_FALSE(p.pdf->allowModifyOther());
    EXPECT_TRUE(p.pdf->allowPrintLowRes());
    EXPECT_EQ(p.pages, (std::vector<int>{2, 3}));
    EXPECT_EQ(p.pdf->getTrailer().getKey("/Info").getKey("/Title").getUTF8Value(), "Fixture document");
}

} // namespace
