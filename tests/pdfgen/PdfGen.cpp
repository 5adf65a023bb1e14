#include "PdfGen.h"

#include <qpdf/Pl_Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>
#include <qpdf/QUtil.hh>

#include <stdexcept>

namespace PdfGen {
namespace {

QPDFObjectHandle makePage(QPDF &pdf, int number, QPDFObjectHandle font)
{
    const std::string content = "BT /F1 24 Tf 72 720 Td (Page " + std::to_string(number) + ") Tj ET\n";
    QPDFObjectHandle stream = QPDFObjectHandle::newStream(&pdf, content);
    QPDFObjectHandle resources = QPDFObjectHandle::parse("<< /Font << >> >>");
    resources.getKey("/Font").replaceKey("/F1", font);
    QPDFObjectHandle page = QPDFObjectHandle::parse("<< /Type /Page /MediaBox [0 0 612 792] >>");
    page.replaceKey("/Contents", stream);
    page.replaceKey("/Resources", resources);
    return pdf.makeIndirectObject(page);
}

// Links the items below parent and answers the number of visible descendants.
int addItems(QPDF &pdf, QPDFObjectHandle parent, const std::vector<Bookmark> &items,
             const std::vector<QPDFPageObjectHelper> &pages)
{
    QPDFObjectHandle previous;
    int count = 0;
    for (const Bookmark &b : items) {
        QPDFObjectHandle item = pdf.makeIndirectObject(QPDFObjectHandle::newDictionary());
        item.replaceKey("/Title", QPDFObjectHandle::newUnicodeString(b.title.toStdString()));
        item.replaceKey("/Parent", parent);
        if (b.page >= 1 && b.page <= static_cast<int>(pages.size())) {
            QPDFObjectHandle dest = QPDFObjectHandle::newArray();
            dest.appendItem(pages[static_cast<size_t>(b.page - 1)].getObjectHandle());
            dest.appendItem(QPDFObjectHandle::newName("/Fit"));
            item.replaceKey("/Dest", dest);
        }
        if (previous.isInitialized()) {
            previous.replaceKey("/Next", item);
            item.replaceKey("/Prev", previous);
        } else {
            parent.replaceKey("/First", item);
        }
        parent.replaceKey("/Last", item);
        const int below = addItems(pdf, item, b.children, pages);
        if (below > 0)
            item.replaceKey("/Count", QPDFObjectHandle::newInteger(below));
        count += 1 + below;
        previous = item;
    }
    return count;
}

// The N of the first "(Page N)" in a content stream, 0 when there is none.
int markIn(const std::string &content)
{
    static const std::string prefix = "(Page ";
    const std::size_t at = content.find(prefix);
    if (at == std::string::npos)
        return 0;
    int value = 0;
    for (std::size_t i = at + prefix.size(); i < content.size() && content[i] >= '0' && content[i] <= '9'; ++i)
        value = value * 10 + (content[i] - '0');
    return value;
}

} // namespace

void Write(const QString &path, const Document &document)
{
    QPDF pdf;
    pdf.emptyPDF();
    QPDFObjectHandle font = pdf.makeIndirectObject(
        QPDFObjectHandle::parse("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>"));
    QPDFPageDocumentHelper helper(pdf);
    for (int i = 1; i <= document.pages; ++i)
        helper.addPage(QPDFPageObjectHelper(makePage(pdf, i, font)), false);
    if (!document.outline.empty()) {
        QPDFObjectHandle outlines =
            pdf.makeIndirectObject(QPDFObjectHandle::parse("<< /Type /Outlines >>"));
        const int count = addItems(pdf, outlines, document.outline, helper.getAllPages());
        outlines.replaceKey("/Count", QPDFObjectHandle::newInteger(count));
        pdf.getRoot().replaceKey("/Outlines", outlines);
    }
    QPDFWriter writer(pdf, path.toUtf8().constData());
    writer.setDeterministicID(true);
    writer.write();
}

std::vector<int> PageMarks(const QString &path)
{
    std::vector<int> marks;
    try {
        QPDF pdf;
        pdf.processFile(path.toUtf8().constData());
        for (QPDFPageObjectHelper &page : QPDFPageDocumentHelper(pdf).getAllPages()) {
            Pl_Buffer buffer("content");
            page.pipeContents(&buffer);
            std::shared_ptr<Buffer> bytes = buffer.getBufferSharedPointer();
            const std::string content(reinterpret_cast<const char *>(bytes->getBuffer()), bytes->getSize());
            marks.push_back(markIn(content));
        }
    } catch (const std::exception &) {
        marks.clear();
    }
    return marks;
}

} // namespace PdfGen
