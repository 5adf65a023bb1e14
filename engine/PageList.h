// The page lists the split calls receive: canonical page-range expressions only.
#ifndef PAGEMILL_ENGINE_PAGELIST_H
#define PAGEMILL_ENGINE_PAGELIST_H

#include <optional>
#include <string_view>
#include <vector>

namespace pdfengine {

// Items "a" or "a-b" (a < b) joined by single commas, no blanks, no leading zeros, every
// page within 1..pageCount. Answers the 0-based page indexes in list order, repeats kept,
// or nothing when the list is not canonical or leaves the document.
std::optional<std::vector<int>> parsePageList(std::string_view list, int pageCount);

} // namespace pdfengine

#endif
