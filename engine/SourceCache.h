// The split calls of one job read their source once: the parsed document stays here
// while the same file (path, device, inode, size, modification time) keeps coming.
#ifndef PAGEMILL_ENGINE_SOURCECACHE_H
#define PAGEMILL_ENGINE_SOURCECACHE_H

#include "FileIdentity.h"
#include "SourceDocument.h"

#include <mutex>

namespace pdfengine {

class SourceCache {
public:
    static SourceCache &instance();

    // Answers the parsed source, reusing the held one when the file is unchanged.
    std::shared_ptr<SourceDocument> acquire(const std::string &path, std::int32_t &error);
    // Drops the held document if it was read from path; a running split keeps its own reference.
    void release(const std::string &path);
    int loads() const;

private:
    struct Identity {
        std::string path;
        FileIdentity file;
        bool operator==(const Identity &) const = default;
    };
    static bool identify(const std::string &path, Identity &id);

    mutable std::mutex mutex_;
    Identity identity_;
    std::shared_ptr<SourceDocument> doc_;
    int loads_ = 0;
};

} // namespace pdfengine

#endif
