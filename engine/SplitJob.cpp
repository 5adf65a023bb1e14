#include "SplitJob.h"

#include "FastWriter.h"
#include "OutlineSplit.h"
#include "OutputNames.h"
#include "PageList.h"
#include "PartBuilder.h"
#include "SafeOutput.h"
#include "SourceCache.h"
#include "TextCodec.h"

#include <qpdf/QPDFWriter.hh>

#include <mutex>
#include <sys/stat.h>

namespace pdfengine {

namespace {

struct Cancelled : std::exception {
    const char *what() const noexcept override { return "cancelled"; }
};

// One callback per page written, counted across the whole call.
class PageProgress {
public:
    PageProgress(SplitProgressProc proc, int total) : proc_(proc), total_(total) {}

    void advance()
    {
        ++done_;
        if (proc_ != nullptr && proc_(done_, total_, 0, 0) == 0)
            throw Cancelled();
    }
    int done() const { return done_; }

private:
    SplitProgressProc proc_;
    int total_;
    int done_ = 0;
};

// Object streams shrink a large part by a third but cost a one-page part a fifth more
// time for a few hundred bytes (measured on a 2,000-page book), so small parts go without.
constexpr int kObjectStreamPages = 32;

// Only one split runs at a time; the source cache holds one document.
std::mutex &jobMutex()
{
    static std::mutex mutex;
    return mutex;
}

// Writes pages to a temporary file beside path. The pages are reported as qpdf's writer
// progresses through the file, so the count follows the bytes actually written.
std::unique_ptr<SafeOutput> writeReferencePart(SourceDocument &src, const std::vector<int> &pages,
                                               const std::string &path, PageProgress &progress)
{
    std::unique_ptr<QPDF> part = buildPart(src, pages);
    auto out = std::make_unique<SafeOutput>(path);
    QPDFWriter writer(*part);
    writer.setOutputPipeline(out->pipeline());
    writer.setMinimumPDFVersion(src.pdf().getPDFVersion(), src.pdf().getExtensionLevel());
    const int count = static_cast<int>(pages.size());
    if (src.usesObjectStreams() && count >= kObjectStreamPages)
        writer.setObjectStreamMode(qpdf_o_generate);
    if (src.pdf().isEncrypted())
        writer.copyEncryptionParameters(src.pdf());
    const int base = progress.done();
    writer.registerProgressReporter(std::make_shared<QPDFWriter::FunctionProgressReporter>([&](int percent) {
        const int target = base + static_cast<int>(static_cast<long long>(count) * percent / 100);
        while (progress.done() < target && progress.done() < base + count - 1)
            progress.advance();
    }));
    writer.write();
    // The last page is reported only after the file is known to be whole on disk.
    out->finish();
    while (progress.done() < base + count)
        progress.advance();
    return out;
}

// The fast path takes every part it can; the rest, and any part it gives up on before writing,
// the reference path makes.
std::unique_ptr<SafeOutput> writePart(SourceDocument &src, const std::vector<int> &pages, const std::string &path,
                                      PageProgress &progress)
{
    const int count = static_cast<int>(pages.size());
    const bool objectStreams = src.usesObjectStreams() && count >= kObjectStreamPages;
    if (fastPathTakes(src, pages.size())) {
        const int base = progress.done();
        auto out = writeFastPart(src, pages, path, objectStreams, [&](int written) {
            while (progress.done() < base + written && progress.done() < base + count - 1)
                progress.advance();
        });
        if (out) {
            while (progress.done() < base + count)
                progress.advance();
            return out;
        }
    }
    return writeReferencePart(src, pages, path, progress);
}

bool isFolder(const std::string &path)
{
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool nameTaken(const std::string &path)
{
    struct stat st {};
    return lstat(path.c_str(), &st) == 0;
}

std::string leadTitle(SourceDocument &src)
{
    QPDFObjectHandle info = src.pdf().getTrailer().getKey("/Info");
    if (info.isDictionary()) {
        QPDFObjectHandle title = info.getKey("/Title");
        if (title.isString()) {
            std::string text = decodePdfText(title.getStringValue());
            if (text.find_first_not_of(" \t\r\n") != std::string::npos)
                return text;
        }
    }
    std::string folder, name;
    splitPath(src.path(), folder, name);
    const auto dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

} // namespace

bool splitPdf(const std::string &source, const char *pageList, const std::string &output, bool rest,
              SplitProgressProc progress)
{
    if (pageList == nullptr)
        return false;
    std::string folder, name;
    if (!splitPath(output, folder, name) || !isFolder(folder))
        return false;
    std::lock_guard lock(jobMutex());
    std::int32_t error = 0;
    auto src = SourceCache::instance().acquire(source, error);
    if (!src)
        return false;
    auto pages = parsePageList(pageList, src->pageCount());
    if (!pages)
        return false;
    std::vector<int> left;
    if (rest) {
        std::vector<bool> listed(static_cast<std::size_t>(src->pageCount()), false);
        for (int p : *pages)
            listed[static_cast<std::size_t>(p)] = true;
        for (int p = 0; p < src->pageCount(); ++p)
            if (!listed[static_cast<std::size_t>(p)])
                left.push_back(p);
    }
    PageProgress counter(progress, static_cast<int>(pages->size() + left.size()));
    try {
        auto first = writePart(*src, *pages, output, counter);
        std::unique_ptr<SafeOutput> second;
        if (!left.empty())
            second = writePart(*src, left, restFileName(output), counter);
        // Both files are whole before either replaces anything.
        first->commit();
        if (second)
            second->commit();
    } catch (Cancelled &) {
        return false;
    }
    return true;
}

bool splitWithOutline(const std::string &source, const std::string &folder, int level,
                      SplitProgressProc progress)
{
    if (level < 1 || !isFolder(folder))
        return false;
    std::lock_guard lock(jobMutex());
    std::int32_t error = 0;
    auto src = SourceCache::instance().acquire(source, error);
    if (!src)
        return false;
    const auto parts = outlineParts(src->outline(), level, src->pageCount(), leadTitle(*src));
    if (parts.empty())
        return false;
    const int width = std::max<int>(2, static_cast<int>(std::to_string(parts.size()).size()));
    const std::string base = folder == "/" ? std::string() : folder;
    PageProgress counter(progress, src->pageCount());
    try {
        for (std::size_t i = 0; i < parts.size(); ++i) {
            std::vector<int> pages;
            for (int p = parts[i].first; p <= parts[i].last; ++p)
                pages.push_back(p);
            const std::string title = safeTitle(parts[i].title);
            const int number = static_cast<int>(i) + 1;
            int k = 1;
            auto pathFor = [&](int n) { return base + "/" + partFileName(number, width, title, n); };
            while (nameTaken(pathFor(k)))
                ++k;
            auto out = writePart(*src, pages, pathFor(k), counter);
            // Never replaces a file: a name taken meanwhile moves on to the next free one.
            while (!out->commitIfAbsent())
                out->setFinalPath(pathFor(++k));
        }
    } catch (Cancelled &) {
        return false;
    }
    return true;
}

} // namespace pdfengine
