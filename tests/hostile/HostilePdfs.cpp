#include "HostilePdfs.h"

#include <qpdf/Pl_Buffer.hh>
#include <qpdf/Pl_Flate.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFWriter.hh>

#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>

namespace Hostile {

namespace {

// Object bodies by number (1-based); written as a classic file with an exact xref table.
class RawDoc {
public:
    int reserve()
    {
        bodies_.emplace_back();
        return static_cast<int>(bodies_.size());
    }
    int add(std::string body)
    {
        bodies_.push_back(std::move(body));
        return static_cast<int>(bodies_.size());
    }
    void set(int number, std::string body) { bodies_[static_cast<std::size_t>(number - 1)] = std::move(body); }

    std::string bytes(int root) const
    {
        std::string out = "%PDF-1.7\n%\xE2\xE3\xCF\xD3\n";
        std::vector<std::size_t> offsets;
        offsets.reserve(bodies_.size());
        for (std::size_t i = 0; i < bodies_.size(); ++i) {
            offsets.push_back(out.size());
            out += std::to_string(i + 1) + " 0 obj\n" + bodies_[i] + "\nendobj\n";
        }
        const std::size_t xref = out.size();
        out += "xref\n0 " + std::to_string(bodies_.size() + 1) + "\n0000000000 65535 f \n";
        char entry[32];
        for (std::size_t offset : offsets) {
            std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
            out += entry;
        }
        out += "trailer\n<< /Size " + std::to_string(bodies_.size() + 1) + " /Root " + std::to_string(root) +
               " 0 R >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
        return out;
    }

private:
    std::vector<std::string> bodies_;
};

std::string Ref(int number) { return std::to_string(number) + " 0 R"; }

std::string Stream(const std::string &dict, const std::string &data)
{
    return "<< " + dict + " /Length " + std::to_string(data.size()) + " >>\nstream\n" + data + "\nendstream";
}

// A PDF text string in UTF-16BE with its byte order mark, as hex.
std::string TextString(const std::u16string &text)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out = "<FEFF";
    for (char16_t c : text)
        for (int shift : {12, 8, 4, 0})
            out += digits[(c >> shift) & 0xF];
    return out + ">";
}

struct Item {
    std::u16string title;
    std::string dest; // destination as written, may be empty
    std::vector<Item> children;
};

// Catalog 1, page tree 2, a font and one content stream that every page shares, then pages.
// The outline hook may add objects and answers the outline dictionary's number (0 = none).
struct Layout {
    RawDoc doc;
    int catalog = 0;
    int tree = 0;
    std::vector<int> pages;
};

Layout Pages(int count, const std::string &pageExtra = {})
{
    Layout l;
    l.catalog = l.doc.reserve();
    l.tree = l.doc.reserve();
    const int font = l.doc.add("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>");
    const int content = l.doc.add(Stream("", "BT /F1 24 Tf 72 720 Td (Page) Tj ET"));
    std::string kids;
    for (int i = 0; i < count; ++i) {
        const int page = l.doc.add("<< /Type /Page /Parent " + Ref(l.tree) + " /MediaBox [0 0 612 792] /Contents " +
                                   Ref(content) + " /Resources << /Font << /F1 " + Ref(font) + " >> >> " +
                                   pageExtra + ">>");
        l.pages.push_back(page);
        kids += Ref(page) + " ";
    }
    l.doc.set(l.tree, "<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(count) + " >>");
    return l;
}

std::string Finish(Layout &l, int outline = 0, const std::string &catalogExtra = {})
{
    std::string catalog = "<< /Type /Catalog /Pages " + Ref(l.tree);
    if (outline != 0)
        catalog += " /Outlines " + Ref(outline) + " /PageMode /UseOutlines";
    l.doc.set(l.catalog, catalog + " " + catalogExtra + " >>");
    return l.doc.bytes(l.catalog);
}

// Writes items below parent and answers {first, last, count}.
struct Range {
    int first = 0;
    int last = 0;
    int count = 0;
};

Range AddItems(RawDoc &doc, int parent, const std::vector<Item> &items)
{
    Range r;
    std::vector<int> numbers;
    for (std::size_t i = 0; i < items.size(); ++i)
        numbers.push_back(doc.reserve());
    for (std::size_t i = 0; i < items.size(); ++i) {
        const Item &item = items[i];
        const Range kids = AddItems(doc, numbers[i], item.children);
        std::string body = "<< /Title " + TextString(item.title) + " /Parent " + Ref(parent);
        if (!item.dest.empty())
            body += " /Dest " + item.dest;
        if (i > 0)
            body += " /Prev " + Ref(numbers[i - 1]);
        if (i + 1 < items.size())
            body += " /Next " + Ref(numbers[i + 1]);
        if (kids.count > 0)
            body += " /First " + Ref(kids.first) + " /Last " + Ref(kids.last) + " /Count " + std::to_string(kids.count);
        doc.set(numbers[i], body + " >>");
        r.count += 1 + kids.count;
    }
    if (!numbers.empty()) {
        r.first = numbers.front();
        r.last = numbers.back();
    }
    return r;
}

int AddOutline(RawDoc &doc, const std::vector<Item> &items)
{
    const int root = doc.reserve();
    const Range r = AddItems(doc, root, items);
    doc.set(root, "<< /Type /Outlines /First " + Ref(r.first) + " /Last " + Ref(r.last) + " /Count " +
                      std::to_string(r.count) + " >>");
    return root;
}

std::string PageDest(const Layout &l, int page) { return "[" + Ref(l.pages[static_cast<std::size_t>(page)]) + " /Fit]"; }

std::string Plain(int pages)
{
    Layout l = Pages(pages);
    std::vector<Item> items;
    for (int i = 0; i < pages; i += 2)
        items.push_back({u"Chapter " + std::u16string(1, static_cast<char16_t>(u'A' + i / 2)), PageDest(l, i), {}});
    return Finish(l, AddOutline(l.doc, items));
}

std::string Titled(const std::vector<std::u16string> &titles)
{
    Layout l = Pages(static_cast<int>(titles.size()) + 1);
    std::vector<Item> items;
    for (std::size_t i = 0; i < titles.size(); ++i)
        items.push_back({titles[i], PageDest(l, static_cast<int>(i)), {}});
    return Finish(l, AddOutline(l.doc, items));
}

// Rewrites a good file through libqpdf.
std::string Rewrite(const std::string &bytes, const std::function<void(QPDFWriter &)> &configure)
{
    QPDF pdf;
    pdf.processMemoryFile("source", bytes.data(), bytes.size());
    QPDFWriter writer(pdf);
    writer.setOutputMemory();
    writer.setStaticID(true);
    configure(writer);
    writer.write();
    std::shared_ptr<Buffer> buffer = writer.getBufferSharedPointer();
    return {reinterpret_cast<const char *>(buffer->getBuffer()), buffer->getSize()};
}

std::string Flate(const std::string &data)
{
    Pl_Buffer out("out");
    Pl_Flate flate("flate", &out, Pl_Flate::a_deflate);
    flate.write(reinterpret_cast<const unsigned char *>(data.data()), data.size());
    flate.finish();
    std::shared_ptr<Buffer> buffer = out.getBufferSharedPointer();
    return {reinterpret_cast<const char *>(buffer->getBuffer()), buffer->getSize()};
}

std::string Cut(const std::string &bytes, std::size_t keep) { return bytes.substr(0, std::min(keep, bytes.size())); }

// Replaces every byte from the first `from` up to `to` (exclusive) with spaces.
std::string Blank(std::string bytes, const std::string &from, const std::string &to)
{
    const std::size_t begin = bytes.rfind(from);
    const std::size_t end = bytes.find(to, begin);
    if (begin != std::string::npos && end != std::string::npos)
        for (std::size_t i = begin; i < end; ++i)
            if (bytes[i] != '\n')
                bytes[i] = ' ';
    return bytes;
}

// Every in-use xref offset points at byte 1.
std::string WrongOffsets(std::string bytes)
{
    const std::size_t xref = bytes.rfind("xref\n");
    for (std::size_t at = bytes.find(" 00000 n", xref); at != std::string::npos; at = bytes.find(" 00000 n", at + 1))
        bytes.replace(at - 10, 10, "0000000001");
    return bytes;
}

std::string PageTreeLoop()
{
    // The root lists a page and itself.
    Layout l = Pages(2);
    l.doc.set(l.tree, "<< /Type /Pages /Kids [" + Ref(l.pages[0]) + " " + Ref(l.tree) + " " + Ref(l.pages[1]) +
                          "] /Count 3 >>");
    return Finish(l);
}

std::string PageTreeInnerLoop()
{
    Layout l = Pages(1);
    const int a = l.doc.reserve();
    const int b = l.doc.reserve();
    l.doc.set(a, "<< /Type /Pages /Parent " + Ref(l.tree) + " /Kids [" + Ref(b) + "] /Count 1 >>");
    l.doc.set(b, "<< /Type /Pages /Parent " + Ref(a) + " /Kids [" + Ref(a) + "] /Count 1 >>");
    l.doc.set(l.tree, "<< /Type /Pages /Kids [" + Ref(l.pages[0]) + " " + Ref(a) + "] /Count 2 >>");
    return Finish(l);
}

std::string PageTreeLyingCount()
{
    Layout l = Pages(2);
    l.doc.set(l.tree, "<< /Type /Pages /Kids [" + Ref(l.pages[0]) + " " + Ref(l.pages[1]) +
                          " 999 0 R /Oops] /Count 2147483647 >>");
    return Finish(l);
}

std::string OutlineSiblingLoop()
{
    Layout l = Pages(3);
    const int root = l.doc.reserve();
    const int a = l.doc.reserve();
    const int b = l.doc.reserve();
    const int c = l.doc.reserve();
    l.doc.set(root, "<< /Type /Outlines /First " + Ref(a) + " /Last " + Ref(c) + " /Count 3 >>");
    l.doc.set(a, "<< /Title (A) /Parent " + Ref(root) + " /Next " + Ref(b) + " /Dest " + PageDest(l, 0) + " >>");
    l.doc.set(b, "<< /Title (B) /Parent " + Ref(root) + " /Prev " + Ref(a) + " /Next " + Ref(c) + " /Dest " +
                     PageDest(l, 1) + " >>");
    // C leads back to A, and A is also its own child's sibling.
    l.doc.set(c, "<< /Title (C) /Parent " + Ref(root) + " /Prev " + Ref(b) + " /Next " + Ref(a) + " /First " +
                     Ref(a) + " /Last " + Ref(a) + " /Count 1 /Dest " + PageDest(l, 2) + " >>");
    return Finish(l, root);
}

std::string OutlineSelfChild()
{
    Layout l = Pages(2);
    const int root = l.doc.reserve();
    const int a = l.doc.reserve();
    l.doc.set(root, "<< /Type /Outlines /First " + Ref(a) + " /Last " + Ref(a) + " /Count 1 >>");
    l.doc.set(a, "<< /Title (Self) /Parent " + Ref(root) + " /First " + Ref(a) + " /Last " + Ref(a) +
                     " /Count 1 /Dest " + PageDest(l, 1) + " >>");
    return Finish(l, root);
}

std::string DeepOutline()
{
    Layout l = Pages(4);
    Item top{u"Level 1", PageDest(l, 0), {}};
    Item *at = &top;
    for (int level = 2; level <= DeepOutlineLevels; ++level) {
        at->children.push_back({u"Level " + std::u16string(u"x"), PageDest(l, level % 4), {}});
        at = &at->children.back();
    }
    return Finish(l, AddOutline(l.doc, {top, {u"After", PageDest(l, 3), {}}}));
}

std::string MissingTargets()
{
    // Page 1's links: a page object that does not exist, a non-page object, a name nobody
    // defines, a page number far past the end.
    const std::string annots = "/Annots [<< /Type /Annot /Subtype /Link /Rect [0 0 50 50] /Dest [999 0 R /Fit] >> "
                               "<< /Type /Annot /Subtype /Link /Rect [0 60 50 110] /Dest [3 0 R /Fit] >> "
                               "<< /Type /Annot /Subtype /Link /Rect [0 120 50 170] /A << /S /GoTo /D (nowhere) >> >> "
                               "<< /Type /Annot /Subtype /Link /Rect [0 180 50 230] /Dest [70000 /Fit] >> "
                               "<< /Type /Annot /Subtype /Link /Rect [0 240 50 290] /Dest 42 >>] ";
    Layout l = Pages(3, annots);
    std::vector<Item> items = {{u"Gone", "[999 0 R /Fit]", {}},
                               {u"Font", "[3 0 R /Fit]", {}},
                               {u"Named", "(nowhere)", {}},
                               {u"Far", "[70000 /XYZ null null null]", {}},
                               {u"Real", PageDest(l, 2), {}},
                               {u"None", "", {}}};
    return Finish(l, AddOutline(l.doc, items));
}

std::string NoPages()
{
    Layout l = Pages(0);
    return Finish(l);
}

std::string ZeroPagesWithOutline()
{
    Layout l = Pages(0);
    return Finish(l, AddOutline(l.doc, {{u"Nothing", "[999 0 R /Fit]", {}}}));
}

std::string ManyPagesFile()
{
    Layout l = Pages(ManyPages);
    std::vector<Item> items;
    for (int i = 0; i < ManyPages; i += 5000)
        items.push_back({u"Part", PageDest(l, i), {}});
    return Finish(l, AddOutline(l.doc, items));
}

// A content stream that inflates to many megabytes, shared by three pages.
std::string InflateBomb()
{
    const std::string packed = Flate(std::string(32u << 20, ' '));
    Layout l = Pages(3);
    l.doc.set(4, "<< /Filter /FlateDecode /Length " + std::to_string(packed.size()) + " >>\nstream\n" + packed +
                     "\nendstream");
    return Finish(l);
}

// Streams whose dictionaries claim far more than the file holds: an object stream of two
// billion objects, a content stream of a terabyte.
std::string ClaimBomb()
{
    std::string out = "%PDF-1.7\n%\xE2\xE3\xCF\xD3\n";
    std::vector<std::size_t> offsets(8, 0);
    auto object = [&](int number, const std::string &body) {
        offsets[static_cast<std::size_t>(number)] = out.size();
        out += std::to_string(number) + " 0 obj\n" + body + "\nendobj\n";
    };
    object(1, "<< /Type /Catalog /Pages 2 0 R >>");
    object(2, "<< /Type /Pages /Kids [3 0 R 6 0 R] /Count 2 >>");
    object(3, "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Contents 4 0 R >>");
    object(4, "<< /Length 1099511627776 >>\nstream\nBT ET\nendstream");
    object(5, "<< /Type /ObjStm /N 2147483647 /First 2147483000 /Length 12 >>\nstream\n6 0 7 9999999\nendstream");
    // The xref stream: objects 6 and 7 live in the object stream 5.
    std::string rows;
    auto row = [&rows](int type, std::size_t a, int b) {
        rows += static_cast<char>(type);
        for (int shift : {24, 16, 8, 0})
            rows += static_cast<char>((a >> shift) & 0xFF);
        rows += static_cast<char>((b >> 8) & 0xFF);
        rows += static_cast<char>(b & 0xFF);
    };
    const std::size_t xref = out.size();
    row(0, 0, 0xFFFF);
    for (int n = 1; n <= 5; ++n)
        row(1, offsets[static_cast<std::size_t>(n)], 0);
    row(2, 5, 0);
    row(2, 5, 2147483);
    row(1, xref, 0);
    out += "8 0 obj\n<< /Type /XRef /Size 9 /W [1 4 2] /Root 1 0 R /Length " + std::to_string(rows.size()) +
           " >>\nstream\n" + rows + "\nendstream\nendobj\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    return out;
}

std::string Encrypted(const std::string &source, const char *user)
{
    return Rewrite(source, [user](QPDFWriter &w) {
        w.setR6EncryptionParameters(user, "owner", true, true, true, true, true, true, qpdf_r3p_full, true);
    });
}

std::string ObjectStreams(const std::string &source)
{
    return Rewrite(source, [](QPDFWriter &w) { w.setObjectStreamMode(qpdf_o_generate); });
}

} // namespace

std::vector<File> Files()
{
    // Files are made on demand: listing them costs nothing.
    using Make = std::function<std::string()>;
    const Make plain = [] { return Plain(6); };
    const Make packed = [plain] { return ObjectStreams(plain()); };
    auto cutPercent = [](Make base, std::size_t percent) {
        return Make([base, percent] {
            const std::string bytes = base();
            return Cut(bytes, bytes.size() * percent / 100);
        });
    };
    std::vector<File> files;
    files.push_back({"plain", plain, OpenResult::Opens, 6});
    files.push_back({"object-streams", packed, OpenResult::Opens, 6});
    // Cut short, a file still opens with the pages whose objects arrived whole.
    files.push_back({"truncated-1", cutPercent(plain, 1), OpenResult::Refused, -1});
    for (std::size_t percent : {30, 60})
        files.push_back({"truncated-" + std::to_string(percent), cutPercent(plain, percent), OpenResult::Opens, -1});
    for (std::size_t percent : {90, 99})
        files.push_back({"truncated-" + std::to_string(percent), cutPercent(plain, percent), OpenResult::Opens, 6});
    files.push_back({"truncated-header", [plain] { return Cut(plain(), 8); }, OpenResult::Any, -1});
    files.push_back({"truncated-before-eof", [plain] {
                         const std::string bytes = plain();
                         return Cut(bytes, bytes.size() - 7);
                     }, OpenResult::Opens, 6});
    files.push_back({"packed-lost-last-1-percent", cutPercent(packed, 99), OpenResult::Opens, 6});
    // Cut inside the object stream that holds the catalog: nothing to rebuild from.
    files.push_back({"packed-truncated-50", cutPercent(packed, 50), OpenResult::Refused, -1});
    files.push_back({"xref-wrong-offsets", [plain] { return WrongOffsets(plain()); }, OpenResult::Any, -1});
    files.push_back({"xref-missing", [plain] { return Blank(plain(), "xref\n", "trailer"); }, OpenResult::Any, -1});
    files.push_back({"xref-and-trailer-missing", [plain] { return Blank(plain(), "xref\n", "%%EOF"); },
                     OpenResult::Any, -1});
    files.push_back({"startxref-past-end", [plain] {
                         std::string far = plain();
                         const std::size_t at = far.rfind("startxref\n") + 10;
                         far.replace(at, far.find('\n', at) - at, "99999999999999");
                         return far;
                     }, OpenResult::Any, -1});
    files.push_back({"page-tree-loop", PageTreeLoop, OpenResult::Any, -1});
    files.push_back({"page-tree-inner-loop", PageTreeInnerLoop, OpenResult::Any, -1});
    files.push_back({"page-tree-lying-count", PageTreeLyingCount, OpenResult::Opens, 2});
    files.push_back({"outline-sibling-loop", OutlineSiblingLoop, OpenResult::Opens, 3});
    files.push_back({"outline-self-child", OutlineSelfChild, OpenResult::Opens, 2});
    files.push_back({"outline-1000-deep", DeepOutline, OpenResult::Opens, 4});
    files.push_back({"title-10000-chars",
                     [] { return Titled({std::u16string(10000, u'W'), std::u16string(10000, u'\x4E2D')}); },
                     OpenResult::Opens, 3});
    files.push_back({"titles-hostile",
                     [] {
                         return Titled({u"/", u"..", u"../../escape", u"/etc/passwd", std::u16string(u"nul\0inside", 10),
                                        std::u16string(1, u'\0'), u"\x05E9\x05DC\x05D5\x05DD \x202E" u"fdp.exe",
                                        u"\xD83D\xDE00 emoji \xD83D\xDCC4", u"\xD800 lone surrogate", u"   ",
                                        u"a\\b:c*d?e\"f<g>h|", u".", u"-rf", u"CON", u"tab\tnew\nline"});
                     },
                     OpenResult::Opens, 16});
    files.push_back({"links-to-missing-pages", MissingTargets, OpenResult::Opens, 3});
    files.push_back({"zero-pages", NoPages, OpenResult::Any, 0});
    files.push_back({"zero-pages-with-outline", ZeroPagesWithOutline, OpenResult::Any, 0});
    files.push_back({"pages-20000", ManyPagesFile, OpenResult::Opens, ManyPages});
    files.push_back({"inflate-bomb", InflateBomb, OpenResult::Any, -1});
    files.push_back({"claim-bomb", ClaimBomb, OpenResult::Any, -1});
    files.push_back({"encrypted-user-password", [plain] { return Encrypted(plain(), "secret"); },
                     OpenResult::Password, -1});
    files.push_back({"encrypted-owner-only", [plain] { return Encrypted(plain(), ""); }, OpenResult::Opens, 6});
    files.push_back({"not-pdf-text", [] { return std::string("Hello, this is a plain text file.\n"); },
                     OpenResult::Refused, -1});
    files.push_back({"not-pdf-empty", [] { return std::string(); }, OpenResult::Refused, -1});
    files.push_back({"not-pdf-png", [] { return std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16); },
                     OpenResult::Refused, -1});
    files.push_back({"not-pdf-header-only", [] { return std::string("%PDF-1.7\n"); }, OpenResult::Refused, -1});
    return files;
}

bool WriteAll(const std::string &folder)
{
    for (const File &file : Files()) {
        const std::string bytes = file.make();
        std::ofstream out(folder + "/" + file.name + ".pdf", std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out)
            return false;
    }
    return true;
}

} // namespace Hostile
