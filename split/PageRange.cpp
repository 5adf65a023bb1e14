#include "PageRange.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

constexpr int64_t MaxBound = 2147483647;

int HexDigit(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

// A bound counts only when it is an integer as a whole: leading blanks, one "+", then decimal
// digits, or hexadecimal digits after "$", "x", "X", "0x" or "0X". Anything else reads as 0.
int32_t ReadBound(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == u' ')
        ++i;
    if (i < n && text[i] == u'+')
        ++i;
    int base = 10;
    if (i < n && (text[i] == u'$' || text[i] == u'x' || text[i] == u'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < n && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        base = 16;
        i += 2;
    }
    if (i == n)
        return 0;
    int64_t value = 0;
    for (; i < n; ++i) {
        const int digit = HexDigit(text[i].unicode());
        if (digit < 0 || digit >= base)
            return 0;
        value = value * base + digit;
        if (value > MaxBound)
            return 0;
    }
    return static_cast<int32_t>(value);
}

bool IsTrimmed(QChar c) { return c.unicode() <= 32; }

QString TrimControls(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsTrimmed(text[begin]))
        ++begin;
    while (end > begin && IsTrimmed(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

// The valid items of an expression, in order.
std::vector<RangeItem> ValidItems(const QString &expression, int32_t pageCount)
{
    std::vector<RangeItem> items;
    for (const QString &piece : SplitText(expression, QStringLiteral(","))) {
        const QString trimmed = TrimControls(piece);
        if (trimmed.isEmpty())
            continue;
        const RangeItem item = ParseRangeItem(trimmed, pageCount);
        if (item.valid)
            items.push_back(item);
    }
    return items;
}

} // namespace

QStringList SplitText(const QString &text, const QString &separator)
{
    QStringList pieces;
    if (separator.isEmpty())
        return pieces;
    qsizetype start = 0;
    for (;;) {
        const qsizetype found = text.indexOf(separator, start);
        if (found < 0)
            break;
        if (found > start)
            pieces.append(text.mid(start, found - start));
        start = found + separator.size();
    }
    if (start < text.size())
        pieces.append(text.mid(start));
    return pieces;
}

RangeItem ParseRangeItem(const QString &item, int32_t pageCount)
{
    const QStringList bounds = SplitText(item, QStringLiteral("-"));
    RangeItem result;
    if (bounds.size() == 1) {
        result.first = result.last = ReadBound(bounds[0]);
        result.valid = result.first >= 1 && result.first <= pageCount;
    } else if (bounds.size() == 2) {
        result.first = std::max<int32_t>(ReadBound(bounds[0]), 1);
        result.last = ReadBound(bounds[1]);
        result.valid = result.first <= result.last && result.last <= pageCount;
    }
    return result;
}

bool NormalizePageRange(QString &expression, int32_t pageCount)
{
    QString built;
    bool anyInvalid = false;
    for (const QString &piece : SplitText(expression, QStringLiteral(","))) {
        const QString trimmed = TrimControls(piece);
        if (trimmed.isEmpty())
            continue;
        const RangeItem item = ParseRangeItem(trimmed, pageCount);
        if (!item.valid) {
            anyInvalid = true;
            continue;
        }
        if (!built.isEmpty())
            built += u',';
        built += QString::number(item.first);
        if (item.last != item.first) {
            built += u'-';
            built += QString::number(item.last);
        }
    }
    expression = built;
    return !built.isEmpty() && !anyInvalid;
}

int64_t CountRangePages(const QString &expression, int32_t pageCount)
{
    int64_t pages = 0;
    for (const RangeItem &item : ValidItems(expression, pageCount))
        pages += int64_t{item.last} - item.first + 1;
    return pages;
}

int32_t CountRestPages(const QString &expression, int32_t pageCount)
{
    if (pageCount <= 0)
        return 0;
    std::vector<RangeItem> items = ValidItems(expression, pageCount);
    std::sort(items.begin(), items.end(),
              [](const RangeItem &a, const RangeItem &b) { return a.first < b.first; });
    // Distinct pages are the length of the union of the sorted spans.
    int64_t covered = 0;
    int32_t reachedUpTo = 0;
    for (const RangeItem &item : items) {
        const int32_t from = std::max(item.first, reachedUpTo + 1);
        if (item.last >= from)
            covered += int64_t{item.last} - from + 1;
        reachedUpTo = std::max(reachedUpTo, item.last);
    }
    return static_cast<int32_t>(pageCount - covered);
}
