// Page-range expressions such as "1,3,5,7-10": 1-based pages, items "a" or "a-b" joined by ",".
// All routines are pure and run in time linear in the length of the expression (CountRestPages
// adds a sort of the items).
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

// The pieces of text between occurrences of separator, in order, empty pieces left out and
// nothing trimmed. An empty separator gives an empty list.
QStringList SplitText(const QString &text, const QString &separator);

struct RangeItem {
    bool valid = false;
    int32_t first = 0;
    int32_t last = 0;
};

// Reads one trimmed item, "a" or "a-b", against pageCount. A bound that is not an integer as a
// whole reads as 0; a first bound below 1 becomes 1.
RangeItem ParseRangeItem(const QString &item, int32_t pageCount);

// Rewrites expression in canonical form, dropping the invalid items. True when the rewritten
// text is not empty and no item was dropped.
bool NormalizePageRange(QString &expression, int32_t pageCount);

// Pages the valid items cover, counted per item: a page selected twice counts twice.
int64_t CountRangePages(const QString &expression, int32_t pageCount);

// pageCount less the number of distinct pages the valid items cover; 0 when pageCount is 0.
int32_t CountRestPages(const QString &expression, int32_t pageCount);
