// The records that carry a split job from the window to the worker.
#pragma once

#include <QString>

#include <cstdint>
#include <vector>

enum SplitMode : int32_t {
    SplitEvery = 0,
    SplitBookmark = 1,
    SplitRange = 2,
    SplitSpec = 3,
    SplitAverage = 4
};

// One named output of the custom-list mode.
struct CustomPDFItemInfo {
    QString fileName;  // extension included, no folder
    QString rangeText; // canonical page-range expression
};

// The opened document and the parameters of the next job. Only the fields of the chosen mode
// are written when a job starts; a running job reads the record, so it must not change then.
struct PDFItemInfo {
    QString filePath;
    QString fileFolder; // ends in "/"
    QString baseName;   // file name without extension
    uint32_t fileSizeKB = 0;
    int32_t docHandle = -1; // negative: no document open
    int32_t pageCount = 0;
    int32_t outlineLevels = 0;
    int32_t bookmarkLevel = 0; // 1-based
    QString outputFolder;
    SplitMode splitMode = SplitEvery;
    int32_t pagesPerFile = 0;
    QString rangeText; // canonical page-range expression
    bool saveRest = false;
    int32_t fileCount = 0;
    std::vector<CustomPDFItemInfo> customItems; // in the order the custom ranges dialog shows
};

// True when the record holds an open document.
bool HasOpenDocument(const PDFItemInfo &info);
