#include "PageRange.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct RangeCase {
    const char16_t *input;
    const char16_t *rewritten;
    bool normalized;
    int64_t rangePages;
    int32_t restPages;
};

class RangeTable : public testing::TestWithParam<RangeCase> {};

TEST_P(RangeTable, RewritesAndCountsAgainstTenPages)
{
    const RangeCase &c = GetParam();
    const QString input = QString::fromUtf16(c.input);
    QString text = input;
    EXPECT_EQ(NormalizePageRange(text, 10), c.normalized) << input.toStdString();
    EXPECT_EQ(text, QString::fromUtf16(c.rewritten)) << input.toStdString();
    EXPECT_EQ(CountRangePages(input, 10), c.rangePages) << input.toStdString();
    EXPECT_EQ(CountRestPages(input, 10), c.restPages) << input.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Expressions, RangeTable,
    testing::Values(
        RangeCase{u"1,3,5,7-10", u"1,3,5,7-10", true, 7, 3},
        RangeCase{u"2 , 4-6 ,", u"2,4-6", true, 4, 6},
        RangeCase{u"5-5", u"5", true, 1, 9},
        RangeCase{u"0-3", u"1-3", true, 3, 7},
        RangeCase{u"-4", u"4", true, 1, 9},
        RangeCase{u"4-", u"4", true, 1, 9},
        RangeCase{u"3--6", u"3-6", true, 4, 6},
        RangeCase{u"6-3", u"", false, 0, 10},
        RangeCase{u"1-2-3", u"", false, 0, 10},
        RangeCase{u"0", u"", false, 0, 10},
        RangeCase{u"1,12", u"1", false, 1, 9},
        RangeCase{u"8-12", u"", false, 0, 10},
        RangeCase{u"1-4,3-6", u"1-4,3-6", true, 8, 4},
        RangeCase{u"2 - 5", u"1-5", true, 5, 5},
        RangeCase{u"abc", u"", false, 0, 10},
        RangeCase{u" , ,, ", u"", false, 0, 10},
        RangeCase{u"", u"", false, 0, 10},
        // Order and repeats stay as typed.
        RangeCase{u"9,2,2,1-3", u"9,2,2,1-3", true, 6, 6},
        // Control characters at the ends of an item are trimmed like blanks.
        RangeCase{u"\t3\n,\r4-5\x1f", u"3,4-5", true, 3, 7},
        // The number reading: "+", leading zeros, hexadecimal after $, x, X, 0x, 0X.
        RangeCase{u"+3,007,$A,x2,X3,0x4,0X5", u"3,7,10,2,3,4,5", true, 7, 4},
        RangeCase{u"1- 3", u"1-3", true, 3, 7},
        RangeCase{u"++3", u"", false, 0, 10},
        RangeCase{u"3+", u"", false, 0, 10},
        RangeCase{u"$", u"", false, 0, 10},
        RangeCase{u"0x", u"", false, 0, 10},
        RangeCase{u"1e1", u"", false, 0, 10},
        RangeCase{u"$g", u"", false, 0, 10},
        RangeCase{u"\u0663", u"", false, 0, 10},      // an Arabic-Indic digit
        RangeCase{u"\uff13", u"", false, 0, 10},      // a full-width digit
        RangeCase{u"2,abc,4", u"2,4", false, 2, 8},
        RangeCase{u"1-3 x", u"", false, 0, 10}));

TEST(ParseRangeItem, ReadsBoundsUpToTheLargest32BitValue)
{
    const RangeItem largest = ParseRangeItem(QStringLiteral("2147483647"), INT32_MAX);
    EXPECT_TRUE(largest.valid);
    EXPECT_EQ(largest.first, INT32_MAX);
    EXPECT_EQ(ParseRangeItem(QStringLiteral("$7FFFFFFF"), INT32_MAX).first, INT32_MAX);

    for (const char *tooLarge : {"2147483648", "99999999999999999999", "0x80000000", "$FFFFFFFF"}) {
        const RangeItem item = ParseRangeItem(QString::fromLatin1(tooLarge), INT32_MAX);
        EXPECT_FALSE(item.valid) << tooLarge;
        EXPECT_EQ(item.first, 0) << tooLarge;
    }
    const RangeItem span = ParseRangeItem(QStringLiteral("5-2147483648"), INT32_MAX);
    EXPECT_FALSE(span.valid);
    EXPECT_EQ(span.last, 0);
}

TEST(ParseRangeItem, ReportsFirstAndLastPage)
{
    const RangeItem span = ParseRangeItem(QStringLiteral("0-7"), 10);
    EXPECT_TRUE(span.valid);
    EXPECT_EQ(span.first, 1);
    EXPECT_EQ(span.last, 7);
    EXPECT_EQ(ParseRangeItem(QStringLiteral("000000000000000000000000009"), 10).first, 9);
    EXPECT_FALSE(ParseRangeItem(QStringLiteral(""), 10).valid);
    EXPECT_FALSE(ParseRangeItem(QStringLiteral("-"), 10).valid);
}

TEST(PageRange, PageCountZeroMakesEveryItemInvalid)
{
    for (const char *input : {"1", "1-3", "0-0", "0", "1,2", "-1", "abc", ""}) {
        QString text = QString::fromLatin1(input);
        EXPECT_FALSE(NormalizePageRange(text, 0)) << input;
        EXPECT_TRUE(text.isEmpty()) << input;
        EXPECT_EQ(CountRangePages(QString::fromLatin1(input), 0), 0) << input;
        EXPECT_EQ(CountRestPages(QString::fromLatin1(input), 0), 0) << input;
    }
}

TEST(PageRange, LongExpressionsAreHandledLikeShortOnes)
{
    const int32_t pages = 20000;
    QStringList odd;
    for (int32_t page = 1; page <= pages; page += 2)
        odd << QString::number(page);
    QString expression = odd.join(QStringLiteral(" , ")) + QStringLiteral(",");
    const QString typed = expression;
    EXPECT_TRUE(NormalizePageRange(expression, pages));
    EXPECT_EQ(expression, odd.join(u','));
    EXPECT_EQ(CountRangePages(typed, pages), pages / 2);
    EXPECT_EQ(CountRestPages(typed, pages), pages / 2);

    // Thousands of large overlapping spans: counted per item, distinct pages counted once.
    QStringList spans;
    for (int32_t i = 0; i < 20000; ++i)
        spans << QStringLiteral("%1-%2").arg(1 + i % 1000).arg(pages - 1000 + i % 1000);
    const QString overlapping = spans.join(u',');
    int64_t expected = 0;
    for (int32_t i = 0; i < 20000; ++i)
        expected += pages - 1000 + i % 1000 - (1 + i % 1000) + 1;
    EXPECT_EQ(CountRangePages(overlapping, pages), expected);
    EXPECT_EQ(CountRestPages(overlapping, pages), 1);
}

TEST(PageRange, RestPagesCountDisjointAndNestedSpans)
{
    EXPECT_EQ(CountRestPages(QStringLiteral("8-10,1-2,5"), 10), 4);
    EXPECT_EQ(CountRestPages(QStringLiteral("1-10,3-4,10"), 10), 0);
    EXPECT_EQ(CountRestPages(QStringLiteral("2-3,4-5"), 10), 6);
    EXPECT_EQ(CountRestPages(QStringLiteral("1-12,5"), 10), 9);
}

struct SplitCase {
    const char *text;
    const char *separator;
    QStringList pieces;
};

TEST(SplitText, LeavesOutEmptyPiecesAndTrimsNothing)
{
    const SplitCase cases[] = {
        {"a,,b", ",", {"a", "b"}},
        {",a,", ",", {"a"}},
        {"", ",", {}},
        {",,,", ",", {}},
        {"abc", "", {}},
        {"abc", ",", {"abc"}},
        {" a , b", ",", {" a ", " b"}},
        {"a--b-c", "--", {"a", "b-c"}},
    };
    for (const SplitCase &c : cases)
        EXPECT_EQ(SplitText(QString::fromLatin1(c.text), QString::fromLatin1(c.separator)), c.pieces)
            << c.text << " / " << c.separator;
}

} // namespace
