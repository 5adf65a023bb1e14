// The PDF engine library's C interface. Paths are zero-terminated UTF-16, page lists
// zero-terminated UTF-8 canonical page-range expressions ("1,3,5,7-10"). No C++
// exception ever leaves these functions.
#ifndef PAGEMILL_PDFENGINE_H
#define PAGEMILL_PDFENGINE_H

#include <stdint.h>

#if defined(PDFENGINE_BUILDING)
#define PDFENGINE_API __attribute__((visibility("default")))
#else
#define PDFENGINE_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Called once per page written; answering 0 stops the call. The arguments carry no meaning
   the caller relies on (this engine passes pages written so far in this call, the call's
   total, 0, 0). */
typedef int32_t (*SplitProgressProc)(int32_t, int32_t, int32_t, int32_t);

/* Stands in for the tree-view handle: the engine hands over the outline one item at a time. */
struct OutlineSink {
    void *context;
    /* adds one bookmark below parent (0 = top level); answers the new item's token (never 0) */
    intptr_t (*addItem)(void *context, intptr_t parent, const char16_t *title, int32_t page); /* page: 1-based, 0 = none */
};

/* OpenPDFW answers a handle of 0 or more, or one of these. */
enum {
    PDFENGINE_E_UNREADABLE = -1, /* the file cannot be read */
    PDFENGINE_E_DAMAGED = -2,    /* not a PDF, or damaged beyond repair */
    PDFENGINE_E_PASSWORD = -3    /* it needs a password */
};

PDFENGINE_API int32_t OpenPDFW(const char16_t *path, int32_t reserved);
PDFENGINE_API int32_t GetPageCount(int32_t doc);
/* sink may be null: only count. Answers 0 without bookmarks, else 1 + the deepest level. */
PDFENGINE_API int32_t GetOutline(int32_t doc, struct OutlineSink *sink, int32_t reserved);
PDFENGINE_API int32_t ClosePDF(int32_t doc);
/* With rest 1 the left-out pages go to "<name>_rest.pdf" beside outputFile ("a.pdf" ->
   "a_rest.pdf", "a" -> "a_rest.pdf"); no such file when nothing is left out. */
PDFENGINE_API int32_t SplitPDFW(const char16_t *source, const char *pageList, const char16_t *outputFile,
                                int32_t rest, SplitProgressProc progress);
/* Writes "<nn> <bookmark title>.pdf" into outputFolder, numbered in page order; never
   replaces a file there (a taken name gets " (2)", " (3)" ...). */
PDFENGINE_API int32_t SplitWithOutlineW(const char16_t *source, const char16_t *outputFolder, int32_t level,
                                        int32_t reserved, SplitProgressProc progress);

#ifdef __cplusplus
}
#endif

#endif
