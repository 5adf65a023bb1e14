// The page-range routines on any text and page count: no crash, and the rewritten form is a
// fixed point that selects the same pages.
#include "PageRange.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 4)
        return 0;
    int32_t pageCount = 0;
    for (int i = 0; i < 4; ++i)
        pageCount = static_cast<int32_t>(static_cast<uint32_t>(pageCount) << 8 | data[i]);
    // Mostly small counts, some huge or negative ones.
    if ((data[0] & 0x80) == 0)
        pageCount &= 0xFFFF;
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data + 4), static_cast<qsizetype>(size - 4));

    QString normal = text;
    const bool whole = NormalizePageRange(normal, pageCount);
    QString again = normal;
    const bool wholeAgain = NormalizePageRange(again, pageCount);
    if (again != normal || wholeAgain != !normal.isEmpty())
        std::abort();
    if (whole && normal.isEmpty())
        std::abort();

    const int64_t counted = CountRangePages(text, pageCount);
    if (counted < 0 || counted != CountRangePages(normal, pageCount))
        std::abort();
    const int32_t rest = CountRestPages(text, pageCount);
    if (rest != CountRestPages(normal, pageCount))
        std::abort();
    if (pageCount > 0 && (rest < 0 || rest > pageCount || counted < int64_t{pageCount} - rest))
        std::abort();

    for (const QString &piece : SplitText(text, QStringLiteral(","))) {
        const RangeItem item = ParseRangeItem(piece.trimmed(), pageCount);
        if (item.valid && (item.first < 1 || item.first > item.last || item.last > pageCount))
            std::abort();
    }
    return 0;
}
