// Which file a path named when it was read: a file replaced, rewritten or touched since then
// has another identity.
#ifndef PAGEMILL_ENGINE_FILEIDENTITY_H
#define PAGEMILL_ENGINE_FILEIDENTITY_H

#include <sys/stat.h>

namespace pdfengine {

struct FileIdentity {
    unsigned long long device = 0, inode = 0;
    long long size = 0, mtimeSec = 0, mtimeNsec = 0;
    bool operator==(const FileIdentity &) const = default;

    static FileIdentity of(const struct stat &st)
    {
        return {st.st_dev, st.st_ino, st.st_size, st.st_mtim.tv_sec, st.st_mtim.tv_nsec};
    }
};

} // namespace pdfengine

#endif
