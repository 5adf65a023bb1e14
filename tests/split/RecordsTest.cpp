#include "Data_unit1.h"

#include <gtest/gtest.h>

#include <type_traits>

namespace {

TEST(Records, SplitModeHasTheFixed32BitValues)
{
    static_assert(sizeof(SplitMode) == 4);
    static_assert(std::is_same_v<std::underlying_type_t<SplitMode>, int32_t>);
    EXPECT_EQ(SplitEvery, 0);
    EXPECT_EQ(SplitBookmark, 1);
    EXPECT_EQ(SplitRange, 2);
    EXPECT_EQ(SplitSpec, 3);
    EXPECT_EQ(SplitAverage, 4);
}

TEST(Records, PDFItemInfoStartsWithNoDocument)
{
    const PDFItemInfo info;
    EXPECT_TRUE(info.filePath.isEmpty());
    EXPECT_TRUE(info.fileFolder.isEmpty());
    EXPECT_TRUE(info.baseName.isEmpty());
    EXPECT_EQ(info.fileSizeKB, 0u);
    EXPECT_EQ(info.docHandle, -1);
    EXPECT_FALSE(HasOpenDocument(info));
    EXPECT_EQ(info.pageCount, 0);
    EXPECT_EQ(info.outlineLevels, 0);
    EXPECT_EQ(info.bookmarkLevel, 0);
    EXPECT_TRUE(info.outputFolder.isEmpty());
    EXPECT_EQ(info.splitMode, SplitEvery);
    EXPECT_EQ(info.pagesPerFile, 0);
    EXPECT_TRUE(info.rangeText.isEmpty());
    EXPECT_FALSE(info.saveRest);
    EXPECT_EQ(info.fileCount, 0);
    EXPECT_TRUE(info.customItems.empty());
}

TEST(Records, CustomPDFItemInfoStartsEmpty)
{
    const CustomPDFItemInfo entry;
    EXPECT_TRUE(entry.fileName.isEmpty());
    EXPECT_TRUE(entry.rangeText.isEmpty());
}

TEST(Records, OpenDocumentMeansANonNegativeHandle)
{
    PDFItemInfo info;
    info.docHandle = 0;
    EXPECT_TRUE(HasOpenDocument(info));
    info.docHandle = -3;
    EXPECT_FALSE(HasOpenDocument(info));
}

} // namespace
