#include "PdfEngine.h"

#include "DocumentTable.h"
#include "FastWriter.h"
#include "PdfEngineTestHooks.h"
#include "SourceCache.h"
#include "SplitJob.h"
#include "TextCodec.h"

#include <functional>

using namespace pdfengine;

namespace {

// The one exception boundary: nothing thrown inside reaches the caller.
template <typename F>
std::int32_t trap(std::int32_t onError, F &&body) noexcept
{
    try {
        return body();
    } catch (...) {
        return onError;
    }
}

void sendOutline(OutlineSink &sink, intptr_t parent, const std::vector<OutlineNode> &nodes)
{
    for (const auto &node : nodes) {
        std::u16string title = utf8ToUtf16(node.title);
        // An embedded NUL would cut the title short for the receiver.
        std::erase(title, u'\0');
        const intptr_t item = sink.addItem(sink.context, parent, title.c_str(), node.page + 1);
        // A sink that could not add the item gets none of its children either.
        if (item != 0)
            sendOutline(sink, item, node.children);
    }
}

} // namespace

extern "C" {

int32_t OpenPDFW(const char16_t *path, int32_t)
{
    return trap(PDFENGINE_E_UNREADABLE, [&]() -> std::int32_t {
        auto utf8 = utf16ToUtf8(path);
        if (!utf8 || utf8->empty())
            return PDFENGINE_E_UNREADABLE;
        std::int32_t error = 0;
        auto doc = SourceDocument::open(*utf8, error);
        if (!doc)
            return error;
        return DocumentTable::instance().add(std::move(doc));
    });
}

int32_t GetPageCount(int32_t doc)
{
    return trap(0, [&]() -> std::int32_t {
        auto entry = DocumentTable::instance().find(doc);
        if (!entry)
            return 0;
        std::lock_guard lock(entry->mutex);
        return entry->doc->pageCount();
    });
}

int32_t GetOutline(int32_t doc, OutlineSink *sink, int32_t)
{
    return trap(0, [&]() -> std::int32_t {
        auto entry = DocumentTable::instance().find(doc);
        if (!entry)
            return 0;
        std::lock_guard lock(entry->mutex);
        const OutlineTree &tree = entry->doc->outline();
        if (sink != nullptr && sink->addItem != nullptr)
            sendOutline(*sink, 0, tree.roots);
        return tree.roots.empty() ? 0 : tree.depth + 1;
    });
}

int32_t ClosePDF(int32_t doc)
{
    return trap(0, [&]() -> std::int32_t {
        auto entry = DocumentTable::instance().remove(doc);
        if (!entry)
            return 0;
        std::lock_guard lock(entry->mutex);
        SourceCache::instance().release(entry->doc->path());
        return 1;
    });
}

int32_t SplitPDFW(const char16_t *source, const char *pageList, const char16_t *outputFile, int32_t rest,
                  SplitProgressProc progress)
{
    return trap(0, [&]() -> std::int32_t {
        auto src = utf16ToUtf8(source);
        auto out = utf16ToUtf8(outputFile);
        if (!src || !out)
            return 0;
        return splitPdf(*src, pageList, *out, rest != 0, progress) ? 1 : 0;
    });
}

int32_t SplitWithOutlineW(const char16_t *source, const char16_t *outputFolder, int32_t level, int32_t,
                          SplitProgressProc progress)
{
    return trap(0, [&]() -> std::int32_t {
        auto src = utf16ToUtf8(source);
        auto folder = utf16ToUtf8(outputFolder);
        if (!src || !folder || folder->empty())
            return 0;
        return splitWithOutline(*src, *folder, level, progress) ? 1 : 0;
    });
}

int32_t PdfEngineTest_SourceLoads(void)
{
    return SourceCache::instance().loads();
}

int32_t PdfEngineTest_FastParts(void)
{
    return fastPartsWritten();
}

} // extern "C"
