// How the bookmark split cuts a document into parts.
#ifndef PAGEMILL_ENGINE_OUTLINESPLIT_H
#define PAGEMILL_ENGINE_OUTLINESPLIT_H

#include "OutlineTree.h"

#include <string>
#include <vector>

namespace pdfengine {

struct OutlinePart {
    int first = 0; // 0-based, inclusive
    int last = 0;
    std::string title; // UTF-8, not yet made safe
};

// Every bookmark down to level (1 = top level) with a page starts a part that runs to the
// page before the next start; bookmarks on the same page share the part of the first of
// them in outline order. Pages before the first start, and a document without such
// bookmarks, form a part titled leadTitle. Every page lands in exactly one part.
std::vector<OutlinePart> outlineParts(const OutlineTree &tree, int level, int pageCount,
                                      const std::string &leadTitle);

} // namespace pdfengine

#endif
