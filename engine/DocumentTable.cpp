#include "DocumentTable.h"

#include <limits>

namespace pdfengine {

DocumentTable &DocumentTable::instance()
{
    // Never destroyed: a QPDF freed during exit may outlive libqpdf's own statics.
    static auto *table = new DocumentTable;
    return *table;
}

std::int32_t DocumentTable::add(std::shared_ptr<SourceDocument> doc)
{
    auto entry = std::make_shared<OpenDocument>();
    entry->doc = std::move(doc);
    std::lock_guard lock(mutex_);
    // Handles are not reused soon, so a stale handle does not reach a newer document.
    while (docs_.count(next_) != 0)
        next_ = next_ == std::numeric_limits<std::int32_t>::max() ? 1 : next_ + 1;
    const std::int32_t handle = next_;
    next_ = next_ == std::numeric_limits<std::int32_t>::max() ? 1 : next_ + 1;
    docs_.emplace(handle, std::move(entry));
    return handle;
}

std::shared_ptr<OpenDocument> DocumentTable::find(std::int32_t handle)
{
    std::lock_guard lock(mutex_);
    auto it = docs_.find(handle);
    return it == docs_.end() ? nullptr : it->second;
}

std::shared_ptr<OpenDocument> DocumentTable::remove(std::int32_t handle)
{
    std::lock_guard lock(mutex_);
    auto it = docs_.find(handle);
    if (it == docs_.end())
        return nullptr;
    auto entry = std::move(it->second);
    docs_.erase(it);
    return entry;
}

} // namespace pdfengine
