#include "SourceDocument.h"

#include "ObjectKey.h"
#include "PdfEngine.h"
#include "TruncatedRepair.h"

#include <qpdf/QPDFExc.hh>
#include <qpdf/QPDFSystemError.hh>
#include <qpdf/QPDFXRefEntry.hh>

#include <cerrno>
#include <cstdio>
#include <stdexcept>
#include <string_view>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pdfengine {

namespace {

constexpr int kMaxDestIndirection = 4;
constexpr std::size_t kMaxNamedDests = 4'000'000;

// Damage is repaired where qpdf can, without a word: the window reports only what fails.
std::unique_ptr<QPDF> recoveringQpdf()
{
    auto pdf = std::make_unique<QPDF>();
    pdf->setSuppressWarnings(true);
    pdf->setAttemptRecovery(true);
    return pdf;
}

// A page tree may list missing objects or non-dictionaries among its kids; qpdf keeps them as
// pages, and a part made of them would be a broken file.
std::vector<QPDFObjectHandle> wholePages(QPDF &pdf)
{
    std::vector<QPDFObjectHandle> pages = pdf.getAllPages();
    std::erase_if(pages, [](QPDFObjectHandle &page) { return !page.isDictionary(); });
    return pages;
}

// Reads a PDF whole; a file whose first kilobyte has no PDF header is not read at all (a film
// renamed to .pdf need not be loaded to be refused).
bool readWholePdf(const std::string &path, std::string &bytes)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat st {};
    bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    if (ok) {
        char head[1024];
        const ssize_t got = ::pread(fd, head, sizeof head, 0);
        ok = got > 0 && std::string_view(head, static_cast<std::size_t>(got)).find("%PDF-") != std::string_view::npos;
    }
    if (ok) {
        bytes.resize(static_cast<std::size_t>(st.st_size));
        std::size_t done = 0;
        while (ok && done < bytes.size()) {
            const ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
            if (got < 0 && errno == EINTR)
                continue;
            ok = got > 0;
            if (ok)
                done += static_cast<std::size_t>(got);
        }
    }
    ::close(fd);
    return ok;
}

} // namespace

std::shared_ptr<SourceDocument> SourceDocument::open(const std::string &path, std::int32_t &error)
{
    // Without O_NONBLOCK, opening a named pipe waits for a writer that may never come.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        error = PDFENGINE_E_UNREADABLE;
        return nullptr;
    }
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        error = PDFENGINE_E_UNREADABLE;
        return nullptr;
    }
    std::FILE *file = fdopen(fd, "rb");
    if (file == nullptr) {
        ::close(fd);
        error = PDFENGINE_E_UNREADABLE;
        return nullptr;
    }
    std::shared_ptr<SourceDocument> doc(new SourceDocument);
    doc->path_ = path;
    doc->pdf_ = recoveringQpdf();
    try {
        // From here on the QPDF object owns the file and closes it.
        doc->pdf_->processFile(path.c_str(), file, true);
        doc->pages_ = wholePages(*doc->pdf_);
    } catch (QPDFExc &e) {
        error = e.getErrorCode() == qpdf_e_password ? PDFENGINE_E_PASSWORD : PDFENGINE_E_DAMAGED;
        if (error == PDFENGINE_E_PASSWORD || !doc->openRepaired())
            return nullptr;
    } catch (QPDFSystemError &) {
        error = PDFENGINE_E_UNREADABLE;
        return nullptr;
    } catch (std::exception &) {
        error = PDFENGINE_E_DAMAGED;
        if (!doc->openRepaired())
            return nullptr;
    }
    try {
        for (auto &entry : doc->pdf_->getXRefTable())
            if (entry.second.getType() == 2) {
                doc->objectStreams_ = true;
                break;
            }
    } catch (std::exception &) {
        // A reconstructed table has no compressed entries to report.
    }
    doc->pageIndex_.reserve(doc->pages_.size());
    for (std::size_t i = 0; i < doc->pages_.size(); ++i)
        doc->pageIndex_.emplace(objectKey(doc->pages_[i]), static_cast<int>(i));
    error = 0;
    return doc;
}

// A file cut short: open a rebuilt copy of it, if one can be made, with its whole pages.
bool SourceDocument::openRepaired()
{
    std::string bytes;
    if (!readWholePdf(path_, bytes))
        return false;
    std::optional<std::string> rebuilt = rebuildTruncated(bytes);
    if (!rebuilt)
        return false;
    repairedBytes_ = std::move(*rebuilt);
    auto pdf = recoveringQpdf();
    try {
        pdf->processMemoryFile(path_.c_str(), repairedBytes_.data(), repairedBytes_.size());
        pages_ = wholePages(*pdf);
    } catch (std::exception &) {
        return false;
    }
    if (pages_.empty())
        return false;
    pdf_ = std::move(pdf);
    return true;
}

int SourceDocument::pageIndexOf(QPDFObjectHandle page) const
{
    if (!page.isIndirect())
        return -1;
    auto it = pageIndex_.find(objectKey(page));
    return it == pageIndex_.end() ? -1 : it->second;
}

QPDFObjectHandle SourceDocument::lookupName(QPDFObjectHandle name)
{
    QPDFObjectHandle root = pdf_->getRoot();
    if (name.isName()) {
        QPDFObjectHandle dests = root.getKey("/Dests");
        return dests.isDictionary() ? dests.getKey(name.getName()) : QPDFObjectHandle::newNull();
    }
    if (!destTreeRead_) {
        destTreeRead_ = true;
        QPDFObjectHandle names = root.getKey("/Names");
        if (names.isDictionary()) {
            QPDFObjectHandle tree = names.getKey("/Dests");
            if (tree.isDictionary())
                destTree_ = std::make_unique<QPDFNameTreeObjectHelper>(tree, *pdf_, false);
        }
    }
    if (destTree_ && !destMapRead_) {
        destMapRead_ = true;
        // Links name their targets, often thousands per document: one walk of the tree beats a
        // search of it per link. A tree that cannot be walked whole is searched instead.
        try {
            std::size_t entries = 0;
            for (auto &[key, value] : *destTree_) {
                if (++entries > kMaxNamedDests)
                    throw std::length_error("too many named destinations");
                destMap_.emplace(key, value);
            }
            destMapWhole_ = true;
        } catch (std::exception &) {
            destMap_.clear();
        }
    }
    QPDFObjectHandle found = QPDFObjectHandle::newNull();
    if (destMapWhole_) {
        auto it = destMap_.find(name.getUTF8Value());
        if (it != destMap_.end())
            return it->second;
    } else if (destTree_ && destTree_->findObject(name.getUTF8Value(), found)) {
        return found;
    }
    // Older writers put string-named destinations in the catalog's /Dests as names.
    QPDFObjectHandle dests = root.getKey("/Dests");
    if (dests.isDictionary()) {
        std::string key = "/";
        key.append(name.getStringValue());
        return dests.getKey(key);
    }
    return QPDFObjectHandle::newNull();
}

std::optional<ResolvedDest> SourceDocument::resolveDest(QPDFObjectHandle dest, int depth)
{
    if (depth > kMaxDestIndirection)
        return std::nullopt;
    try {
        if (dest.isArray()) {
            if (dest.getArrayNItems() < 1)
                return std::nullopt;
            QPDFObjectHandle target = dest.getArrayItem(0);
            int index = -1;
            if (target.isDictionary())
                index = pageIndexOf(target);
            else if (target.isInteger() && target.getIntValue() >= 0 && target.getIntValue() < pageCount())
                index = static_cast<int>(target.getIntValue());
            if (index < 0)
                return std::nullopt;
            return ResolvedDest{index, dest};
        }
        if (dest.isName() || dest.isString())
            return resolveDest(lookupName(dest), depth + 1);
        if (dest.isDictionary())
            return resolveDest(dest.getKey("/D"), depth + 1);
    } catch (std::exception &) {
        // A broken destination leads nowhere.
    }
    return std::nullopt;
}

std::optional<ResolvedDest> SourceDocument::resolveItemTarget(QPDFObjectHandle item)
{
    Target t = annotationTarget(item);
    if (t.kind == TargetKind::Page)
        return t.dest;
    return std::nullopt;
}

Target SourceDocument::annotationTarget(QPDFObjectHandle annot)
{
    Target t;
    if (!annot.isDictionary())
        return t;
    QPDFObjectHandle dest;
    if (annot.hasKey("/Dest")) {
        dest = annot.getKey("/Dest");
    } else {
        QPDFObjectHandle action = annot.getKey("/A");
        if (!action.isDictionary())
            return t;
        QPDFObjectHandle kind = action.getKey("/S");
        if (!kind.isName() || kind.getName() != "/GoTo")
            return t;
        dest = action.getKey("/D");
    }
    if (auto resolved = resolveDest(dest)) {
        t.kind = TargetKind::Page;
        t.dest = *resolved;
    } else {
        t.kind = TargetKind::Unresolved;
    }
    return t;
}

const OutlineTree &SourceDocument::outline()
{
    if (!outline_)
        outline_ = readOutline(*this);
    return *outline_;
}

} // namespace pdfengine

namespace pdfengine {

const OutlineIndex &SourceDocument::outlineIndex()
{
    if (!outlineIndex_)
        outlineIndex_ = indexOutline(outline(), pageCount());
    return *outlineIndex_;
}

} // namespace pdfengine
