// What the engine's tests may observe beyond the six functions. Not for the program.
//
// Write failures can be forced without a full disk through the environment, read when each
// output file is created:
//   PDFENGINE_TEST_FAIL_WRITE_AFTER=<n>  every output fails with ENOSPC after n bytes
//   PDFENGINE_TEST_FAIL_CLOSE=1          the final close of every output fails with EIO
// The parts are made by the fast writer wherever it can; this makes every part go through
// the reference path (qpdf's copier and writer), read when each part is started:
//   PDFENGINE_TEST_REFERENCE_PATH=1
#ifndef PAGEMILL_PDFENGINETESTHOOKS_H
#define PAGEMILL_PDFENGINETESTHOOKS_H

#include "PdfEngine.h"

#ifdef __cplusplus
extern "C" {
#endif

/* How many times the split calls have parsed a source since the library was loaded. */
PDFENGINE_API int32_t PdfEngineTest_SourceLoads(void);

/* How many parts the fast writer has written since the library was loaded. */
PDFENGINE_API int32_t PdfEngineTest_FastParts(void);

#ifdef __cplusplus
}
#endif

#endif
