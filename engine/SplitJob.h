// The two split calls behind the C interface. Both throw on failure; the C layer traps.
#ifndef PAGEMILL_ENGINE_SPLITJOB_H
#define PAGEMILL_ENGINE_SPLITJOB_H

#include "PdfEngine.h"

#include <string>

namespace pdfengine {

bool splitPdf(const std::string &source, const char *pageList, const std::string &output, bool rest,
              SplitProgressProc progress);
bool splitWithOutline(const std::string &source, const std::string &folder, int level,
                      SplitProgressProc progress);

} // namespace pdfengine

#endif
