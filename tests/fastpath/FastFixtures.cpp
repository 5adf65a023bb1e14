#include "FastFixtures.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFWriter.hh>

#include <cstdio>
#include <vector>

namespace FastPath {

namespace {

using OH = QPDFObjectHandle;

OH stream(QPDF &pdf, const std::string &data, const std::string &dict = "<< >>")
{
    OH s = OH::newStream(&pdf, data);
    OH d = OH::parse(dict);
    for (auto &key : d.getKeys())
        s.getDict().replaceKey(key, d.getKey(key));
    return s;
}

OH content(QPDF &pdf, int page, const std::string &extra = "")
{
    return stream(pdf, "BT /F1 12 Tf 72 700 Td (Page " + std::to_string(page) + ") Tj ET\n" + extra);
}

} // namespace

void WriteAwkwardPdf(const std::string &path)
{
    QPDF pdf;
    pdf.emptyPDF();
    OH fontFile = stream(pdf, std::string("\x00\x01\x00\x00 not really a font", 22), "<< /Length1 22 >>");
    OH descriptor = pdf.makeIndirectObject(OH::parse("<< /Type /FontDescriptor /FontName /Odd#20Font /Flags 32 >>"));
    descriptor.replaceKey("/FontFile2", fontFile);
    OH widths = pdf.makeIndirectObject(OH::parse("[500 600 700]"));
    OH f1 = pdf.makeIndirectObject(OH::parse("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>"));
    OH f2 = pdf.makeIndirectObject(
        OH::parse("<< /Type /Font /Subtype /TrueType /BaseFont /Odd#20Font /FirstChar 65 /LastChar 67 >>"));
    f2.replaceKey("/Widths", widths);
    f2.replaceKey("/FontDescriptor", descriptor);
    f2.replaceKey("/ToUnicode", stream(pdf, "/CIDInit /ProcSet findresource begin (a) (b) end\n"));
    OH mask = stream(pdf, std::string(64, '\x7f'),
                     "<< /Type /XObject /Subtype /Image /Width 8 /Height 8 /ColorSpace /DeviceGray "
                     "/BitsPerComponent 8 >>");
    OH image = stream(pdf, std::string(192, '\x20'),
                      "<< /Type /XObject /Subtype /Image /Width 8 /Height 8 /ColorSpace /DeviceRGB "
                      "/BitsPerComponent 8 >>");
    image.getDict().replaceKey("/SMask", mask);
    OH ocg = pdf.makeIndirectObject(OH::parse("<< /Type /OCG /Name (Hidden layer) >>"));

    OH inherited = pdf.makeIndirectObject(OH::newDictionary());
    inherited.replaceKey("/Font", OH::parse("<< >>"));
    inherited.getKey("/Font").replaceKey("/F1", f1);
    inherited.getKey("/Font").replaceKey("/F2", f2);

    std::vector<OH> pages;
    for (int i = 0; i < 4; ++i)
        pages.push_back(pdf.makeIndirectObject(OH::parse("<< /Type /Page >>")));
    OH form = stream(pdf, "q 1 0 0 1 0 0 cm /F1 9 Tf BT (inside the form) Tj ET Q\n",
                     "<< /Type /XObject /Subtype /Form /BBox [0 0 100 100] "
                     "/PieceInfo << /Odd << /Private (paren \\( ( ) R 1 0 R \\) end) /Hex <3120302052> /Name#28s 3 "
                     "/N /A#20B#28 /Nested << /Deeper [1 0 (R) [2 0] << /X 7 >>] >> >> >> >>");
    form.getDict().replaceKey("/Resources", inherited);
    form.getDict().replaceKey("/BackToFirstPage", pages[0]);

    pages[0].replaceKey("/Contents", content(pdf, 1));
    pages[1].replaceKey("/Contents", OH::newArray({content(pdf, 2), stream(pdf, "q /Im1 Do Q\n")}));
    auto own = OH::parse("<< /XObject << >> /Font << >> >>");
    own.getKey("/XObject").replaceKey("/Im1", image);
    own.getKey("/XObject").replaceKey("/Fm1", form);
    own.getKey("/Font").replaceKey("/F1", f1);
    pages[1].replaceKey("/Resources", own);
    pages[2].replaceKey("/Contents", content(pdf, 3, "/Fm1 Do\n"));
    pages[2].replaceKey("/Resources", own.shallowCopy());
    auto fourth = OH::parse("<< /Font << >> /Properties << >> >>");
    fourth.getKey("/Font").replaceKey("/F2", f2);
    fourth.getKey("/Properties").replaceKey("/OC1", ocg);
    pages[3].replaceKey("/Resources", fourth);
    pages[3].replaceKey("/Contents", content(pdf, 4, "/OC /OC1 BDC (layer) Tj EMC\n"));
    pages[3].replaceKey("/Group", OH::parse("<< /S /Transparency /CS /DeviceRGB >>"));
    pages[3].replaceKey("/MediaBox", OH::parse("[0 0 300 400]"));

    OH inner = pdf.makeIndirectObject(OH::parse("<< /Type /Pages /Count 2 /MediaBox [0 0 500 700] /Rotate 90 >>"));
    inner.replaceKey("/Resources", inherited);
    inner.replaceKey("/Kids", OH::newArray({pages[0], pages[1]}));
    OH root = pdf.getRoot().getKey("/Pages");
    root.replaceKey("/Kids", OH::newArray({inner, pages[2], pages[3]}));
    root.replaceKey("/Count", OH::newInteger(4));
    root.replaceKey("/MediaBox", OH::parse("[0 0 612 792]"));
    inner.replaceKey("/Parent", root);
    pages[0].replaceKey("/Parent", inner);
    pages[1].replaceKey("/Parent", inner);
    pages[2].replaceKey("/Parent", root);
    pages[3].replaceKey("/Parent", root);

    auto dest = [](OH page) { return OH::newArray({page, OH::newName("/XYZ"), OH::newInteger(0), OH::newInteger(700), OH::newNull()}); };
    OH link = pdf.makeIndirectObject(OH::parse("<< /Type /Annot /Subtype /Link /Rect [0 0 50 50] /Border [0 0 0] >>"));
    link.replaceKey("/Dest", dest(pages[0]));
    OH note = pdf.makeIndirectObject(OH::parse("<< /Type /Annot /Subtype /Text /Rect [60 60 80 80] /Contents (a note) >>"));
    OH popup = pdf.makeIndirectObject(OH::parse("<< /Type /Annot /Subtype /Popup /Rect [80 80 200 160] >>"));
    popup.replaceKey("/Parent", note);
    note.replaceKey("/Popup", popup);
    OH field = pdf.makeIndirectObject(OH::parse("<< /FT /Tx /T (shared) /V (both pages) >>"));
    OH appearance = stream(pdf, "/Tx BMC EMC\n", "<< /Type /XObject /Subtype /Form /BBox [0 0 100 20] >>");
    std::vector<OH> widgets;
    for (int p : {1, 2}) {
        OH w = pdf.makeIndirectObject(OH::parse("<< /Type /Annot /Subtype /Widget /Rect [100 100 200 120] >>"));
        w.replaceKey("/Parent", field);
        w.replaceKey("/P", pages[static_cast<std::size_t>(p)]);
        w.replaceKey("/AP", OH::parse("<< >>"));
        w.getKey("/AP").replaceKey("/N", appearance);
        widgets.push_back(w);
    }
    field.replaceKey("/Kids", OH::newArray(widgets));
    pages[1].replaceKey("/Annots", pdf.makeIndirectObject(OH::newArray({link, note, popup, widgets[0]})));
    pages[2].replaceKey("/Annots", OH::newArray({widgets[1]}));
    OH named = pdf.makeIndirectObject(OH::parse("<< /Type /Annot /Subtype /Link /Rect [0 0 10 10] /Dest (chapter) >>"));
    pages[3].replaceKey("/Annots", OH::newArray({named}));

    OH catalog = pdf.getRoot();
    auto acroForm = OH::parse("<< /DA (/Helv 0 Tf 0 g) /NeedAppearances true >>");
    acroForm.replaceKey("/Fields", OH::newArray({field}));
    acroForm.replaceKey("/DR", OH::parse("<< /Font << >> >>"));
    acroForm.getKey("/DR").getKey("/Font").replaceKey("/Helv", f1);
    catalog.replaceKey("/AcroForm", acroForm);
    auto names = OH::parse("<< /Dests << /Names [] >> >>");
    names.getKey("/Dests").replaceKey("/Names", OH::newArray({OH::newString("chapter"), dest(pages[2])}));
    catalog.replaceKey("/Names", names);
    catalog.replaceKey("/PageLabels", OH::parse("<< /Nums [0 << /S /r >> 2 << /S /D /P (A-) >>] >>"));
    catalog.replaceKey("/Lang", OH::newString("en-GB"));
    catalog.replaceKey("/Metadata", stream(pdf, "<?xpacket begin=''?><x:xmpmeta xmlns:x='adobe:ns:meta/'/><?xpacket end='w'?>",
                                           "<< /Type /Metadata /Subtype /XML >>"));
    OH profile = stream(pdf, std::string(300, 'c'), "<< /N 3 >>");
    auto intent = OH::parse("<< /Type /OutputIntent /S /GTS_PDFA1 /OutputConditionIdentifier (sRGB) >>");
    intent.replaceKey("/DestOutputProfile", profile);
    catalog.replaceKey("/OutputIntents", OH::newArray({intent}));
    auto oc = OH::parse("<< /D << /BaseState /ON >> >>");
    oc.replaceKey("/OCGs", OH::newArray({ocg}));
    oc.getKey("/D").replaceKey("/OFF", OH::newArray({ocg}));
    oc.getKey("/D").replaceKey("/Order", OH::newArray({ocg}));
    catalog.replaceKey("/OCProperties", oc);
    catalog.replaceKey("/ViewerPreferences", OH::parse("<< /DisplayDocTitle true >>"));

    OH outlines = pdf.makeIndirectObject(OH::parse("<< /Type /Outlines /Count 2 >>"));
    OH first = pdf.makeIndirectObject(OH::parse("<< /Title (First \\(one\\)) >>"));
    OH second = pdf.makeIndirectObject(OH::parse("<< /Title (Fourth) >>"));
    first.replaceKey("/Dest", dest(pages[0]));
    second.replaceKey("/Dest", dest(pages[3]));
    for (OH item : {first, second})
        item.replaceKey("/Parent", outlines);
    first.replaceKey("/Next", second);
    second.replaceKey("/Prev", first);
    outlines.replaceKey("/First", first);
    outlines.replaceKey("/Last", second);
    catalog.replaceKey("/Outlines", outlines);
    pdf.getTrailer().replaceKey(
        "/Info", pdf.makeIndirectObject(OH::parse("<< /Title (Awkward) /Author (Tests \\(fast\\)) /Keywords <FEFF00E9> >>")));

    QPDFWriter writer(pdf, path.c_str());
    writer.setCompressStreams(false);
    writer.setObjectStreamMode(qpdf_o_disable);
    writer.setStaticID(true);
    writer.write();
}

void PackObjectStreams(const std::string &path)
{
    std::string packed = path + ".packed";
    {
        QPDF pdf;
        pdf.processFile(path.c_str());
        QPDFWriter writer(pdf, packed.c_str());
        writer.setObjectStreamMode(qpdf_o_generate);
        writer.setStaticID(true);
        writer.write();
    }
    std::rename(packed.c_str(), path.c_str());
}

std::string RawStreamsPdf()
{
    std::vector<std::string> bodies;
    const std::string text1 = "BT /F1 12 Tf 72 700 Td (Page 1) Tj ET";
    const std::string text2 = "BT /F1 12 Tf 72 700 Td (Page 2) Tj ET";
    const std::string text3 = "BT /F1 12 Tf 72 700 Td (Page 3) Tj ET";
    bodies.push_back("<< /Type /Catalog /Pages 2 0 R >>");
    bodies.push_back("<< /Type /Pages /Count 3 /Kids [3 0 R 4 0 R 5 0 R] /MediaBox [0 0 612 792] "
                     "/Resources << /Font << /F1 6 0 R >> >> >>");
    bodies.push_back("<< /Type /Page /Parent 2 0 R /Contents 7 0 R % a comment 9 0 R\n /Extra (endstream) >>");
    bodies.push_back("<< /Type /Page /Parent 2 0 R /Contents 8 0 R >>");
    bodies.push_back("<< /Type /Page /Parent 2 0 R /Contents 9 0 R >>");
    bodies.push_back("<< /Type /Font /Subtype /Type1 /BaseFont /Times#2DRoman >>");
    // The claimed length is too short: qpdf finds the real end of the data.
    bodies.push_back("<< /Length 10 /Note (endstream) >>\nstream\n" + text1 + "\nendstream");
    bodies.push_back("<< /Length " + std::to_string(text2.size()) + " >>\nstream\r\n" + text2 + "\r\nendstream");
    bodies.push_back("<< /Length 10 0 R >>\nstream\n" + text3 + "\nendstream");
    bodies.push_back(std::to_string(text3.size()));
    std::string file = "%PDF-1.4\n%\xe2\xe3\xcf\xd3\n";
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < bodies.size(); ++i) {
        offsets.push_back(file.size());
        file += std::to_string(i + 1) + " 0 obj\n" + bodies[i] + "\nendobj\n";
    }
    const std::size_t xref = file.size();
    file += "xref\n0 " + std::to_string(bodies.size() + 1) + "\n0000000000 65535 f \n";
    for (std::size_t offset : offsets) {
        char line[32];
        std::snprintf(line, sizeof line, "%010zu 00000 n \n", offset);
        file += line;
    }
    file += "trailer\n<< /Size " + std::to_string(bodies.size() + 1) + " /Root 1 0 R >>\nstartxref\n" +
            std::to_string(xref) + "\n%%EOF\n";
    return file;
}

} // namespace FastPath
