#include "PdfFixture.h"

#include <qpdf/QPDFWriter.hh>
#include <qpdf/QUtil.hh>

#include <algorithm>
#include <cstdlib>
#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>

namespace fixture {

namespace {

using OH = QPDFObjectHandle;

OH name(const char *n)
{
    return OH::newName(n);
}

OH destTo(OH page)
{
    auto d = OH::newArray();
    d.appendItem(page);
    d.appendItem(name("/XYZ"));
    d.appendItem(OH::newInteger(0));
    d.appendItem(OH::newInteger(792));
    d.appendItem(OH::newNull());
    return d;
}

OH rect(int x)
{
    auto r = OH::newArray();
    for (int v : {x, 700, x + 50, 720})
        r.appendItem(OH::newInteger(v));
    return r;
}

struct Builder {
    QPDF pdf;
    std::vector<OH> pages;
    OH dests = OH::newDictionary();
    std::vector<std::pair<std::string, OH>> treeDests;
    int destSerial = 0;

    OH makeDest(DestKind kind, int page, OH item)
    {
        OH explicitDest = destTo(pages.at(static_cast<std::size_t>(page)));
        std::string key = std::to_string(++destSerial);
        key.insert(key.begin(), 'd');
        switch (kind) {
        case DestKind::Explicit:
            item.replaceKey("/Dest", explicitDest);
            break;
        case DestKind::CatalogName:
            dests.replaceKey("/" + key, explicitDest);
            item.replaceKey("/Dest", name(("/" + key).c_str()));
            break;
        case DestKind::NameTree:
        case DestKind::NameTreeDict: {
            OH value = explicitDest;
            if (kind == DestKind::NameTreeDict) {
                value = OH::newDictionary();
                value.replaceKey("/D", explicitDest);
            }
            treeDests.emplace_back(key, pdf.makeIndirectObject(value));
            item.replaceKey("/Dest", OH::newString(key));
            break;
        }
        case DestKind::GoToAction: {
            auto action = OH::newDictionary();
            action.replaceKey("/S", name("/GoTo"));
            action.replaceKey("/D", explicitDest);
            item.replaceKey("/A", action);
            break;
        }
        case DestKind::None:
            break;
        }
        return item;
    }

    void addBookmarks(OH parent, const std::vector<Bookmark> &marks, std::vector<OH> &made)
    {
        OH prev;
        for (std::size_t i = 0; i < marks.size(); ++i) {
            OH item = pdf.makeIndirectObject(OH::newDictionary());
            item.replaceKey("/Title", OH::newString(marks[i].rawTitle));
            item.replaceKey("/Parent", parent);
            makeDest(marks[i].kind, marks[i].page, item);
            if (i == 0)
                parent.replaceKey("/First", item);
            else {
                item.replaceKey("/Prev", prev);
                prev.replaceKey("/Next", item);
            }
            made.push_back(item);
            if (!marks[i].children.empty()) {
                addBookmarks(item, marks[i].children, made);
                const auto n = static_cast<long long>(marks[i].children.size());
                item.replaceKey("/Count", OH::newInteger(marks[i].closed ? -n : n));
            }
            prev = item;
        }
        if (prev.isInitialized())
            parent.replaceKey("/Last", prev);
    }
};

OH widget(QPDF &pdf, OH page, OH field, int x)
{
    auto ap = OH::newStream(&pdf, "0 0 1 rg 0 0 50 20 re f");
    ap.getDict().replaceKey("/Type", name("/XObject"));
    ap.getDict().replaceKey("/Subtype", name("/Form"));
    auto bbox = OH::newArray();
    for (int v : {0, 0, 50, 20})
        bbox.appendItem(OH::newInteger(v));
    ap.getDict().replaceKey("/BBox", bbox);
    auto apDict = OH::newDictionary();
    apDict.replaceKey("/N", ap);
    OH w = field.isInitialized() ? field : pdf.makeIndirectObject(OH::newDictionary());
    w.replaceKey("/Type", name("/Annot"));
    w.replaceKey("/Subtype", name("/Widget"));
    w.replaceKey("/Rect", rect(x));
    w.replaceKey("/P", page);
    w.replaceKey("/AP", apDict);
    return w;
}

void addAnnot(OH page, OH annot)
{
    if (!page.getKey("/Annots").isArray())
        page.replaceKey("/Annots", OH::newArray());
    page.getKey("/Annots").appendItem(annot);
}

} // namespace

void writePdf(const std::string &path, const Options &o)
{
    Builder b;
    b.pdf.emptyPDF();
    QPDF &pdf = b.pdf;
    auto font = pdf.makeIndirectObject(OH::parse("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>"));
    for (int i = 0; i < o.pages; ++i) {
        auto page = pdf.makeIndirectObject(OH::newDictionary());
        page.replaceKey("/Type", name("/Page"));
        page.replaceKey("/MediaBox", OH::parse("[0 0 612 792]"));
        auto fonts = OH::newDictionary();
        fonts.replaceKey("/F1", font);
        auto resources = OH::newDictionary();
        resources.replaceKey("/Font", fonts);
        page.replaceKey("/Resources", resources);
        page.replaceKey("/Contents",
                        OH::newStream(&pdf, "BT /F1 24 Tf 72 700 Td (Page " + std::to_string(i + 1) + ") Tj ET"));
        page.replaceKey("/TestPage", OH::newInteger(i + 1));
        pdf.addPage(page, false);
        b.pages.push_back(pdf.getAllPages().back());
    }
    auto root = pdf.getRoot();
    const std::size_t last = b.pages.size() - 1;
    if (o.links && o.pages >= 3) {
        auto link = [&](int target, DestKind kind, int x) {
            auto a = pdf.makeIndirectObject(OH::newDictionary());
            a.replaceKey("/Type", name("/Annot"));
            a.replaceKey("/Subtype", name("/Link"));
            a.replaceKey("/Rect", rect(x));
            b.makeDest(kind, target, a);
            addAnnot(b.pages[0], a);
        };
        link(1, DestKind::Explicit, 0);
        link(static_cast<int>(last), DestKind::Explicit, 100);
        link(2, DestKind::NameTree, 200);
        auto uri = pdf.makeIndirectObject(
            OH::parse("<< /Type /Annot /Subtype /Link /Rect [0 0 10 10] /A << /S /URI /URI (https://example.org/) >> >>"));
        addAnnot(b.pages[1], uri);
    }
    if (o.form && o.pages >= 3) {
        auto fields = OH::newArray();
        auto nameField = pdf.makeIndirectObject(OH::newDictionary());
        nameField.replaceKey("/FT", name("/Tx"));
        nameField.replaceKey("/T", OH::newString("name"));
        nameField.replaceKey("/V", OH::newString("Ada"));
        addAnnot(b.pages[0], widget(pdf, b.pages[0], nameField, 300));
        fields.appendItem(nameField);

        auto choice = pdf.makeIndirectObject(OH::newDictionary());
        choice.replaceKey("/FT", name("/Tx"));
        choice.replaceKey("/T", OH::newString("choice"));
        choice.replaceKey("/V", OH::newString("shared"));
        auto kids = OH::newArray();
        for (std::size_t p : {std::size_t(1), std::size_t(2)}) {
            auto w = widget(pdf, b.pages[p], OH(), 300);
            w.replaceKey("/Parent", choice);
            kids.appendItem(w);
            addAnnot(b.pages[p], w);
        }
        choice.replaceKey("/Kids", kids);
        fields.appendItem(choice);

        auto lastField = pdf.makeIndirectObject(OH::newDictionary());
        lastField.replaceKey("/FT", name("/Tx"));
        lastField.replaceKey("/T", OH::newString("last"));
        lastField.replaceKey("/V", OH::newString("Zed"));
        addAnnot(b.pages[last], widget(pdf, b.pages[last], lastField, 400));
        fields.appendItem(lastField);

        auto form = OH::newDictionary();
        form.replaceKey("/Fields", fields);
        form.replaceKey("/DA", OH::newString("/Helv 0 Tf 0 g"));
        root.replaceKey("/AcroForm", pdf.makeIndirectObject(form));
    }
    if (o.labels) {
        root.replaceKey("/PageLabels", OH::parse("<< /Nums [0 << /S /r >> 2 << /S /D >>] >>"));
    }
    if (!o.outline.empty()) {
        auto outlines = pdf.makeIndirectObject(OH::newDictionary());
        outlines.replaceKey("/Type", name("/Outlines"));
        std::vector<OH> made;
        b.addBookmarks(outlines, o.outline, made);
        outlines.replaceKey("/Count", OH::newInteger(static_cast<long long>(made.size())));
        root.replaceKey("/Outlines", outlines);
        if (o.loop == Options::Loop::Sibling)
            made.back().replaceKey("/Next", made.front());
        else if (o.loop == Options::Loop::Child)
            made.back().replaceKey("/First", made.front());
    }
    if (b.dests.getKeys().size() > 0)
        root.replaceKey("/Dests", b.dests);
    if (!b.treeDests.empty()) {
        std::sort(b.treeDests.begin(), b.treeDests.end(),
                  [](auto &x, auto &y) { return x.first < y.first; });
        auto nameArray = OH::newArray();
        for (auto &[key, value] : b.treeDests) {
            nameArray.appendItem(OH::newString(key));
            nameArray.appendItem(value);
        }
        auto tree = OH::newDictionary();
        tree.replaceKey("/Names", nameArray);
        auto names = OH::newDictionary();
        names.replaceKey("/Dests", pdf.makeIndirectObject(tree));
        root.replaceKey("/Names", names);
    }
    if (o.metadata) {
        auto info = pdf.makeIndirectObject(OH::parse("<< /Title (Fixture document) /Author (Pagemill tests) >>"));
        pdf.getTrailer().replaceKey("/Info", info);
        auto xmp = OH::newStream(&pdf, "<?xpacket begin='' id='W5M0MpCehiHzreSzNTczkc9d'?><x:xmpmeta xmlns:x='adobe:ns:meta/'/><?xpacket end='w'?>");
        xmp.getDict().replaceKey("/Type", name("/Metadata"));
        xmp.getDict().replaceKey("/Subtype", name("/XML"));
        root.replaceKey("/Metadata", xmp);
    }
    QPDFWriter w(pdf, path.c_str());
    w.setStaticID(true);
    if (o.protection != Protection::None) {
        w.setR6EncryptionParameters(o.protection == Protection::UserPassword ? "user" : "", "owner", true, false,
                                    true, false, true, false, qpdf_r3p_low, true);
    }
    w.write();
}

Opened openPdf(const std::string &path, const char *password)
{
    Opened o;
    o.pdf = std::make_unique<QPDF>();
    o.pdf->processFile(path.c_str(), password);
    for (auto &page : o.pdf->getAllPages()) {
        QPDFObjectHandle p = page;
        QPDFObjectHandle id = p.getKey("/TestPage");
        o.pages.push_back(id.isInteger() ? id.getIntValueAsInt() : -1);
    }
    return o;
}

bool qpdfCheck(const std::string &path)
{
    const std::string command = "qpdf --check '" + path + "' >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

std::u16string u16(const std::string &utf8)
{
    std::string be = QUtil::utf8_to_utf16(utf8);
    std::u16string out;
    for (std::size_t i = 2; i + 1 < be.size(); i += 2)
        out += static_cast<char16_t>((static_cast<unsigned char>(be[i]) << 8) | static_cast<unsigned char>(be[i + 1]));
    return out;
}

std::string utf16ToUtf8(const std::u16string &text)
{
    std::string be = "\xFE\xFF";
    for (char16_t c : text) {
        be += static_cast<char>(c >> 8);
        be += static_cast<char>(c & 0xFF);
    }
    return QUtil::utf16_to_utf8(be);
}

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "pagemill-engine-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ec);
    std::filesystem::remove_all(path_, ec);
}

std::vector<std::string> TempDir::names() const
{
    std::vector<std::string> out;
    for (auto &entry : std::filesystem::directory_iterator(path_))
        out.push_back(entry.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

bool exists(const std::string &path)
{
    struct stat st {};
    return lstat(path.c_str(), &st) == 0;
}

std::string readAll(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeAll(const std::string &path, const std::string &bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

} // namespace fixture
