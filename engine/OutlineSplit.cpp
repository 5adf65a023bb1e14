#include "OutlineSplit.h"

#include <map>

namespace pdfengine {

namespace {

void collectStarts(const std::vector<OutlineNode> &nodes, int depth, int level, int pageCount,
                   std::map<int, std::string> &starts)
{
    for (const auto &node : nodes) {
        if (node.page >= 0 && node.page < pageCount)
            starts.emplace(node.page, node.title); // keeps the first title for a page
        if (depth < level)
            collectStarts(node.children, depth + 1, level, pageCount, starts);
    }
}

} // namespace

std::vector<OutlinePart> outlineParts(const OutlineTree &tree, int level, int pageCount,
                                      const std::string &leadTitle)
{
    std::vector<OutlinePart> parts;
    if (pageCount <= 0 || level < 1)
        return parts;
    std::map<int, std::string> starts;
    collectStarts(tree.roots, 1, level, pageCount, starts);
    if (starts.empty() || starts.begin()->first > 0) {
        const int end = starts.empty() ? pageCount - 1 : starts.begin()->first - 1;
        parts.push_back({0, end, leadTitle});
    }
    for (auto it = starts.begin(); it != starts.end(); ++it) {
        auto next = std::next(it);
        const int end = next == starts.end() ? pageCount - 1 : next->first - 1;
        parts.push_back({it->first, end, it->second});
    }
    return parts;
}

} // namespace pdfengine
