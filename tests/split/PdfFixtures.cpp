#include "PdfFixtures.h"

#include <QDir>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <cmath>
#include <string>

namespace {

QPDFObjectHandle AddItems(QPDF &pdf, const std::vector<Bookmark> &items, QPDFObjectHandle parent,
                          const std::vector<QPDFPageObjectHelper> &pages, int &serial)
{
    QPDFObjectHandle previous;
    QPDFObjectHandle first;
    for (const Bookmark &bookmark : items) {
        QPDFObjectHandle item = pdf.makeIndirectObject(QPDFObjectHandle::newDictionary());
        item.replaceKey("/Title", QPDFObjectHandle::newUnicodeString("Mark " + std::to_string(++serial)));
        item.replaceKey("/Parent", parent);
        QPDFObjectHandle dest = QPDFObjectHandle::newArray();
        dest.appendItem(pages.at(static_cast<size_t>(bookmark.page - 1)).getObjectHandle());
        dest.appendItem(QPDFObjectHandle::newName("/Fit"));
        item.replaceKey("/Dest", dest);
        if (previous.isInitialized()) {
            previous.replaceKey("/Next", item);
            item.replaceKey("/Prev", previous);
        } else {
            first = item;
        }
        if (!bookmark.children.empty()) {
            QPDFObjectHandle firstChild = AddItems(pdf, bookmark.children, item, pages, serial);
            item.replaceKey("/First", firstChild);
            QPDFObjectHandle lastChild = firstChild;
            while (lastChild.hasKey("/Next"))
                lastChild = lastChild.getKey("/Next");
            item.replaceKey("/Last", lastChild);
            item.replaceKey("/Count", QPDFObjectHandle::newInteger(static_cast<long long>(bookmark.children.size())));
        }
        previous = item;
    }
    return first;
}

} // namespace

void MakePdf(const QString &path, int pages, const std::vector<Bookmark> &outline)
{
    QPDF pdf;
    pdf.emptyPDF();
    QPDFPageDocumentHelper document(pdf);
    for (int i = 1; i <= pages; ++i) {
        QPDFObjectHandle page = QPDFObjectHandle::parse("<< /Type /Page /MediaBox [0 0 " + std::to_string(100 + i)
                                                        + " 300] /Resources << >> >>");
        page.replaceKey("/Contents", QPDFObjectHandle::newStream(&pdf, "0 0 m 10 10 l S\n"));
        document.addPage(pdf.makeIndirectObject(page), false);
    }
    if (!outline.empty()) {
        QPDFObjectHandle outlines = pdf.makeIndirectObject(QPDFObjectHandle::parse("<< /Type /Outlines >>"));
        int serial = 0;
        QPDFObjectHandle first = AddItems(pdf, outline, outlines, document.getAllPages(), serial);
        QPDFObjectHandle last = first;
        while (last.hasKey("/Next"))
            last = last.getKey("/Next");
        outlines.replaceKey("/First", first);
        outlines.replaceKey("/Last", last);
        outlines.replaceKey("/Count", QPDFObjectHandle::newInteger(static_cast<long long>(outline.size())));
        pdf.getRoot().replaceKey("/Outlines", outlines);
    }
    const QByteArray file = QFile::encodeName(path);
    QPDFWriter writer(pdf, file.constData());
    writer.setDeterministicID(true);
    writer.write();
}

std::vector<int> PagesOf(const QString &path)
{
    QPDF pdf;
    const QByteArray file = QFile::encodeName(path);
    pdf.processFile(file.constData());
    std::vector<int> numbers;
    for (QPDFPageObjectHelper &page : QPDFPageDocumentHelper(pdf).getAllPages()) {
        const double width = page.getMediaBox().getArrayItem(2).getNumericValue();
        numbers.push_back(static_cast<int>(std::lround(width)) - 100);
    }
    return numbers;
}

QStringList PdfFilesIn(const QString &folder)
{
    QDir dir(folder);
    return dir.entryList({QStringLiteral("*.pdf"), QStringLiteral("*.PDF")}, QDir::Files, QDir::Name);
}
