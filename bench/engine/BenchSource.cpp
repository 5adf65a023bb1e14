#include "BenchSource.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFWriter.hh>

#include <vector>

using OH = QPDFObjectHandle;

namespace {

OH image(QPDF &pdf, int seed)
{
    const int w = 256, h = 256;
    std::string pixels;
    pixels.reserve(static_cast<std::size_t>(w * h * 3));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            pixels += static_cast<char>((x * seed) & 0xFF);
            pixels += static_cast<char>((y + seed * 7) & 0xFF);
            pixels += static_cast<char>(((x ^ y) * 3) & 0xFF);
        }
    OH stream = OH::newStream(&pdf, pixels);
    stream.getDict().replaceKey("/Type", OH::newName("/XObject"));
    stream.getDict().replaceKey("/Subtype", OH::newName("/Image"));
    stream.getDict().replaceKey("/Width", OH::newInteger(w));
    stream.getDict().replaceKey("/Height", OH::newInteger(h));
    stream.getDict().replaceKey("/ColorSpace", OH::newName("/DeviceRGB"));
    stream.getDict().replaceKey("/BitsPerComponent", OH::newInteger(8));
    return stream;
}

OH dest(OH page)
{
    auto d = OH::newArray();
    d.appendItem(page);
    d.appendItem(OH::newName("/Fit"));
    return d;
}

OH bookmark(QPDF &pdf, const std::string &title, OH page, OH parent)
{
    OH item = pdf.makeIndirectObject(OH::newDictionary());
    item.replaceKey("/Title", OH::newUnicodeString(title));
    item.replaceKey("/Parent", parent);
    item.replaceKey("/Dest", dest(page));
    return item;
}

void chain(OH parent, std::vector<OH> &items)
{
    if (items.empty())
        return;
    parent.replaceKey("/First", items.front());
    parent.replaceKey("/Last", items.back());
    parent.replaceKey("/Count", OH::newInteger(static_cast<long long>(items.size())));
    for (std::size_t i = 1; i < items.size(); ++i) {
        items[i].replaceKey("/Prev", items[i - 1]);
        items[i - 1].replaceKey("/Next", items[i]);
    }
}

} // namespace

void writeBenchSource(const std::string &path, int pages)
{
    QPDF pdf;
    pdf.emptyPDF();
    std::vector<OH> fonts;
    for (const char *base : {"/Helvetica", "/Times-Roman", "/Courier"})
        fonts.push_back(pdf.makeIndirectObject(
            OH::parse(std::string("<< /Type /Font /Subtype /Type1 /BaseFont ") + base + " >>")));
    std::vector<OH> images = {image(pdf, 3), image(pdf, 5)};
    std::vector<OH> pageObjects;
    for (int i = 0; i < pages; ++i) {
        OH page = pdf.makeIndirectObject(OH::newDictionary());
        page.replaceKey("/Type", OH::newName("/Page"));
        page.replaceKey("/MediaBox", OH::parse("[0 0 612 792]"));
        auto fontDict = OH::newDictionary();
        for (std::size_t f = 0; f < fonts.size(); ++f)
            fontDict.replaceKey("/F" + std::to_string(f + 1), fonts[f]);
        auto xobjects = OH::newDictionary();
        xobjects.replaceKey("/Im1", images[static_cast<std::size_t>(i % 2)]);
        auto resources = OH::newDictionary();
        resources.replaceKey("/Font", fontDict);
        resources.replaceKey("/XObject", xobjects);
        page.replaceKey("/Resources", resources);
        std::string content = "q 200 0 0 200 200 450 cm /Im1 Do Q\n";
        for (int line = 0; line < 30; ++line)
            content += "BT /F" + std::to_string(1 + line % 3) + " 11 Tf 72 " + std::to_string(400 - line * 12) +
                       " Td (Page " + std::to_string(i + 1) + ", line " + std::to_string(line + 1) +
                       ": the quick brown fox jumps over the lazy dog.) Tj ET\n";
        page.replaceKey("/Contents", OH::newStream(&pdf, content));
        pdf.addPage(page, false);
        pageObjects.push_back(pdf.getAllPages().back());
    }
    auto fields = OH::newArray();
    for (int i = 0; i < pages; ++i) {
        OH page = pageObjects[static_cast<std::size_t>(i)];
        auto annots = OH::newArray();
        auto link = [&](int target, int x) {
            OH a = pdf.makeIndirectObject(OH::newDictionary());
            a.replaceKey("/Type", OH::newName("/Annot"));
            a.replaceKey("/Subtype", OH::newName("/Link"));
            auto box = OH::newArray();
            for (int v : {x, 20, x + 60, 40})
                box.appendItem(OH::newInteger(v));
            a.replaceKey("/Rect", box);
            a.replaceKey("/Dest", dest(pageObjects[static_cast<std::size_t>(target)]));
            annots.appendItem(a);
        };
        link((i + 1) % pages, 72);
        link(i / 100 * 100, 200);
        if (i % 10 == 0) {
            OH field = pdf.makeIndirectObject(OH::newDictionary());
            field.replaceKey("/FT", OH::newName("/Tx"));
            field.replaceKey("/T", OH::newUnicodeString("field" + std::to_string(i + 1)));
            field.replaceKey("/V", OH::newUnicodeString("value " + std::to_string(i + 1)));
            field.replaceKey("/Type", OH::newName("/Annot"));
            field.replaceKey("/Subtype", OH::newName("/Widget"));
            field.replaceKey("/Rect", OH::parse("[300 700 500 720]"));
            field.replaceKey("/P", page);
            annots.appendItem(field);
            fields.appendItem(field);
        }
        page.replaceKey("/Annots", annots);
    }
    auto form = OH::newDictionary();
    form.replaceKey("/Fields", fields);
    form.replaceKey("/DA", OH::newString("/Helv 0 Tf 0 g"));
    pdf.getRoot().replaceKey("/AcroForm", pdf.makeIndirectObject(form));

    OH outlines = pdf.makeIndirectObject(OH::parse("<< /Type /Outlines >>"));
    std::vector<OH> chapters;
    for (int c = 0; c * 100 < pages; ++c) {
        OH chapter = bookmark(pdf, "Chapter " + std::to_string(c + 1), pageObjects[static_cast<std::size_t>(c * 100)], outlines);
        std::vector<OH> sections;
        for (int s = c * 100; s < std::min(pages, c * 100 + 100); s += 10) {
            OH section = bookmark(pdf, "Section " + std::to_string(s / 10 + 1), pageObjects[static_cast<std::size_t>(s)], chapter);
            std::vector<OH> leaves;
            for (int p = s; p < std::min(pages, s + 10); ++p)
                leaves.push_back(bookmark(pdf, "Page " + std::to_string(p + 1), pageObjects[static_cast<std::size_t>(p)], section));
            chain(section, leaves);
            sections.push_back(section);
        }
        chain(chapter, sections);
        chapters.push_back(chapter);
    }
    chain(outlines, chapters);
    pdf.getRoot().replaceKey("/Outlines", outlines);
    pdf.getTrailer().replaceKey("/Info", pdf.makeIndirectObject(OH::parse("<< /Title (Benchmark book) >>")));

    QPDFWriter writer(pdf, path.c_str());
    writer.setStaticID(true);
    writer.setObjectStreamMode(qpdf_o_generate);
    writer.write();
}
