// The documents the window opened, by handle. Each has its own QPDF object, apart from
// the split source, so the window may use them while a split runs on another thread.
#ifndef PAGEMILL_ENGINE_DOCUMENTTABLE_H
#define PAGEMILL_ENGINE_DOCUMENTTABLE_H

#include "SourceDocument.h"

#include <map>
#include <mutex>

namespace pdfengine {

struct OpenDocument {
    std::mutex mutex; // QPDF is not thread-safe: one call on a document at a time
    std::shared_ptr<SourceDocument> doc;
};

class DocumentTable {
public:
    static DocumentTable &instance();

    std::int32_t add(std::shared_ptr<SourceDocument> doc);
    std::shared_ptr<OpenDocument> find(std::int32_t handle);
    // Answers the removed document, or null for an unknown handle.
    std::shared_ptr<OpenDocument> remove(std::int32_t handle);

private:
    std::mutex mutex_;
    std::map<std::int32_t, std::shared_ptr<OpenDocument>> docs_;
    std::int32_t next_ = 1;
};

} // namespace pdfengine

#endif
