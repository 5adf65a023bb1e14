// A document's bookmark outline read once into plain nodes, so that every caller (the
// tree-view sink, the per-part outlines, the bookmark split) works on the same result.
#ifndef PAGEMILL_ENGINE_OUTLINETREE_H
#define PAGEMILL_ENGINE_OUTLINETREE_H

#include <qpdf/QPDFObjectHandle.hh>

#include <string>
#include <vector>

namespace pdfengine {

class SourceDocument;

struct OutlineNode {
    std::string title;          // UTF-8
    int page = -1;              // 0-based, -1 when the bookmark points to no page of this file
    QPDFObjectHandle dest;      // the explicit destination array it resolved to, or null
    QPDFObjectHandle color;     // /C and /F as the source gives them, or null
    QPDFObjectHandle flags;
    bool open = true;
    std::vector<OutlineNode> children;
};

struct OutlineTree {
    std::vector<OutlineNode> roots;
    int depth = 0; // level of the deepest bookmark, 0 without bookmarks
};

// The outline in outline order with parent links and bookmarks by page, so a part finds
// its bookmarks without walking the whole outline.
struct OutlineIndex {
    std::vector<const OutlineNode *> nodes; // preorder
    std::vector<int> parent;                // index into nodes, -1 at top level
    std::vector<std::vector<int>> byPage;   // page -> indexes of the bookmarks on it
};

// tree must outlive the index and stay unchanged.
OutlineIndex indexOutline(const OutlineTree &tree, int pageCount);

// Bookmarks nested deeper than this are left out; a real outline is far shallower.
inline constexpr int kMaxOutlineDepth = 64;

// Walks /Outlines with a visited set, so sibling or child loops end instead of hanging.
OutlineTree readOutline(SourceDocument &doc);

} // namespace pdfengine

#endif
