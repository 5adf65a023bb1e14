#include "PageList.h"

namespace pdfengine {

namespace {

// A canonical bound: decimal digits without a leading zero, at most pageCount.
bool readBound(std::string_view text, std::size_t &pos, int pageCount, int &value)
{
    const std::size_t start = pos;
    long long v = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        v = v * 10 + (text[pos] - '0');
        if (v > pageCount)
            return false;
        ++pos;
    }
    if (pos == start || text[start] == '0')
        return false;
    value = static_cast<int>(v);
    return true;
}

} // namespace

std::optional<std::vector<int>> parsePageList(std::string_view list, int pageCount)
{
    std::vector<int> pages;
    if (list.empty() || pageCount <= 0)
        return std::nullopt;
    std::size_t pos = 0;
    for (;;) {
        int first = 0;
        if (!readBound(list, pos, pageCount, first))
            return std::nullopt;
        int last = first;
        if (pos < list.size() && list[pos] == '-') {
            ++pos;
            if (!readBound(list, pos, pageCount, last) || last <= first)
                return std::nullopt;
        }
        for (int p = first; p <= last; ++p)
            pages.push_back(p - 1);
        if (pos == list.size())
            return pages;
        if (list[pos] != ',')
            return std::nullopt;
        ++pos;
    }
}

} // namespace pdfengine
