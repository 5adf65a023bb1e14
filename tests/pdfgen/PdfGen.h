// Test documents: every page shows the text "Page N" (N its 1-based number in the document
// that was built), so a test can tell which source pages an output holds.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace PdfGen {

struct Bookmark {
    QString title;
    int page = 0; // 1-based; 0 = no destination
    std::vector<Bookmark> children;
};

struct Document {
    int pages = 1;
    std::vector<Bookmark> outline;
};

// Writes the document; throws std::runtime_error when it cannot.
void Write(const QString &path, const Document &document);

// The "Page N" marks of the document's pages in order, e.g. {1, 2, 7}; empty when the file
// does not open.
std::vector<int> PageMarks(const QString &path);

} // namespace PdfGen
