// What the engine's tests may observe beyond the six functions. Not for the program.
//
// Write failures can be forced without a full disk through the environment, read when each
// output file is created:
//   PDFENGINE_TEST_FAIL_WRITE_AFTER=<n>  every output fails with ENOSPC after n bytes
//   PDFENGINE_TEST_FAIL_CLOSE=1          the final close of every output fails with EIO
#ifndef PAGEMILL_PDFENGINETESTHOOKS_H
#define PAGEMILL_PDFENGINETESTHOOKS_H

#include "PdfEngine.h"

#ifdef __cplusplus
extern "C" {
#endif

/* How many times the split calls have parsed a source since the library was loaded. */
PDFENGINE_API int32_t PdfEngineTest_SourceLoads(void);

#ifdef __cplusplus
}
#endif

#endif
