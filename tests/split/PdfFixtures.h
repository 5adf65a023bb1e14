// Small PDFs made in the test: page i is 100 + i points wide, so a part's pages can be read
// back from the widths of its media boxes.
#pragma once

#include <QString>

#include <vector>

struct Bookmark {
    int page; // 1-based
    std::vector<Bookmark> children;
};

void MakePdf(const QString &path, int pages, const std::vector<Bookmark> &outline = {});

// The source page numbers of a PDF's pages, in order.
std::vector<int> PagesOf(const QString &path);

// The names of the PDF files in folder, sorted.
QStringList PdfFilesIn(const QString &folder);
