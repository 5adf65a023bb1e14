// Small PDFs made with libqpdf for the engine tests, and ways to look into the outputs.
#ifndef PAGEMILL_TESTS_ENGINE_PDFFIXTURE_H
#define PAGEMILL_TESTS_ENGINE_PDFFIXTURE_H

#include <qpdf/QPDF.hh>

#include <memory>
#include <string>
#include <vector>

namespace fixture {

enum class DestKind { Explicit, CatalogName, NameTree, NameTreeDict, GoToAction, None };

struct Bookmark {
    Bookmark(std::string title, int target, DestKind how = DestKind::Explicit, std::vector<Bookmark> kids = {},
             bool isClosed = false)
        : rawTitle(std::move(title)), page(target), kind(how), children(std::move(kids)), closed(isClosed)
    {
    }
    std::string rawTitle; // bytes as stored in the PDF string
    int page = 0;         // 0-based
    DestKind kind = DestKind::Explicit;
    std::vector<Bookmark> children;
    bool closed = false;
};

enum class Protection { None, UserPassword, OwnerOnly };

struct Options {
    int pages = 5;
    // Page 1 links to page 2 (explicit), to the last page (explicit) and to page 3 (named);
    // page 2 has a URI link.
    bool links = false;
    // A text field "name" (value "Ada") on page 1, a field "choice" with widgets on pages 2
    // and 3, a text field "last" on the last page.
    bool form = false;
    // Pages 1-2 roman "i, ii", then decimal from 1.
    bool labels = false;
    std::vector<Bookmark> outline;
    enum class Loop { None, Sibling, Child } loop = Loop::None;
    Protection protection = Protection::None;
    bool metadata = true;
};

// Every page carries /TestPage n (1-based) so outputs can be told apart.
void writePdf(const std::string &path, const Options &options);

struct Opened {
    std::unique_ptr<QPDF> pdf;
    std::vector<int> pages; // /TestPage of each page
};
Opened openPdf(const std::string &path, const char *password = nullptr);

// Runs `qpdf --check`; true when it reports no errors and no warnings.
bool qpdfCheck(const std::string &path);

std::u16string u16(const std::string &utf8);
std::string utf16ToUtf8(const std::u16string &text);

class TempDir {
public:
    TempDir();
    ~TempDir();
    const std::string &path() const { return path_; }
    std::string file(const std::string &name) const { return path_ + "/" + name; }
    std::vector<std::string> names() const; // sorted, hidden files included
private:
    std::string path_;
};

bool exists(const std::string &path);
std::string readAll(const std::string &path);
void writeAll(const std::string &path, const std::string &bytes);

} // namespace fixture

#endif
