#include "OutlineTree.h"

#include "SourceDocument.h"
#include "TextCodec.h"

#include <unordered_set>

namespace pdfengine {

namespace {

class Walker {
public:
    explicit Walker(SourceDocument &doc) : doc_(doc) {}

    void siblings(QPDFObjectHandle first, int level, std::vector<OutlineNode> &out, int &depth)
    {
        for (QPDFObjectHandle item = first; item.isDictionary(); item = item.getKey("/Next")) {
            if (item.isIndirect() && !visited_.insert(key(item)).second)
                break;
            OutlineNode node;
            QPDFObjectHandle title = item.getKey("/Title");
            if (title.isString())
                node.title = decodePdfText(title.getStringValue());
            if (auto dest = doc_.resolveItemTarget(item)) {
                node.page = dest->page;
                node.dest = dest->array;
            }
            node.color = item.getKey("/C");
            node.flags = item.getKey("/F");
            QPDFObjectHandle count = item.getKey("/Count");
            node.open = !(count.isInteger() && count.getIntValue() < 0);
            if (level > depth)
                depth = level;
            if (level < kMaxOutlineDepth)
                siblings(item.getKey("/First"), level + 1, node.children, depth);
            out.push_back(std::move(node));
        }
    }

private:
    static std::uint64_t key(QPDFObjectHandle &h)
    {
        return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(h.getObjectID())) << 32) |
               static_cast<std::uint32_t>(h.getGeneration());
    }

    SourceDocument &doc_;
    std::unordered_set<std::uint64_t> visited_;
};

} // namespace

namespace {

void indexNodes(const std::vector<OutlineNode> &nodes, int parent, OutlineIndex &index)
{
    for (const auto &node : nodes) {
        const int self = static_cast<int>(index.nodes.size());
        index.nodes.push_back(&node);
        index.parent.push_back(parent);
        if (node.page >= 0 && node.page < static_cast<int>(index.byPage.size()))
            index.byPage[static_cast<std::size_t>(node.page)].push_back(self);
        indexNodes(node.children, self, index);
    }
}

} // namespace

OutlineIndex indexOutline(const OutlineTree &tree, int pageCount)
{
    OutlineIndex index;
    index.byPage.resize(static_cast<std::size_t>(pageCount));
    indexNodes(tree.roots, -1, index);
    return index;
}

OutlineTree readOutline(SourceDocument &doc)
{
    OutlineTree tree;
    QPDFObjectHandle outlines = doc.pdf().getRoot().getKey("/Outlines");
    if (!outlines.isDictionary())
        return tree;
    Walker walker(doc);
    try {
        walker.siblings(outlines.getKey("/First"), 1, tree.roots, tree.depth);
    } catch (std::exception &) {
        // A damaged outline yields what could be read before the damage.
    }
    return tree;
}

} // namespace pdfengine
