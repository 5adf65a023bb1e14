#include "SourceCache.h"

#include "FastSource.h"
#include "PdfEngine.h"

#include <sys/stat.h>

namespace pdfengine {

SourceCache &SourceCache::instance()
{
    // Never destroyed: a QPDF freed during exit may outlive libqpdf's own statics.
    static auto *cache = new SourceCache;
    return *cache;
}

bool SourceCache::identify(const std::string &path, Identity &id)
{
    struct stat st {};
    if (stat(path.c_str(), &st) != 0)
        return false;
    id.path = path;
    id.file = FileIdentity::of(st);
    return true;
}

std::shared_ptr<SourceDocument> SourceCache::acquire(const std::string &path, std::int32_t &error)
{
    Identity id;
    if (!identify(path, id)) {
        release(path);
        error = PDFENGINE_E_UNREADABLE;
        return nullptr;
    }
    {
        std::lock_guard lock(mutex_);
        if (doc_ && identity_ == id)
            return doc_;
        // Let go of the old one before parsing the new one: only one source is held.
        doc_.reset();
    }
    auto doc = SourceDocument::open(path, error);
    if (!doc)
        return nullptr;
    // Opened only if it is still the file identified above, so both readers see one file.
    doc->fastSource = FastSource::open(path, id.file);
    std::lock_guard lock(mutex_);
    ++loads_;
    doc_ = doc;
    identity_ = id;
    return doc;
}

void SourceCache::release(const std::string &path)
{
    std::shared_ptr<SourceDocument> dropped;
    std::lock_guard lock(mutex_);
    if (doc_ && identity_.path == path)
        dropped.swap(doc_);
}

int SourceCache::loads() const
{
    std::lock_guard lock(mutex_);
    return loads_;
}

} // namespace pdfengine
