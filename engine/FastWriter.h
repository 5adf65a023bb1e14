// The fast part writer: the part's structure comes from the same builder as the reference
// path's, through a FastCopier; the file is written here, the part's own objects from their
// text, every other object from the source's cache, stream data copied from the source file
// as it is. Plain objects and a cross-reference table, or with objectStreams everything but
// streams packed into compressed object streams with a cross-reference stream.
#ifndef PAGEMILL_ENGINE_FASTWRITER_H
#define PAGEMILL_ENGINE_FASTWRITER_H

#include "SafeOutput.h"
#include "SourceDocument.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pdfengine {

// Told how many of the part's pages are written so far (never all of them: the caller reports
// the last page once the file is whole). May throw to stop.
using PagesWritten = std::function<void(int)>;

// Whether the fast path may make this part at all; the reference path makes it otherwise.
bool fastPathTakes(SourceDocument &src, std::size_t pageCount);

// Answers the finished (not yet committed) output, or null when the fast path could not make
// the part; nothing has been written to disk or reported then. Throws for a failed write or
// when written throws.
std::unique_ptr<SafeOutput> writeFastPart(SourceDocument &src, const std::vector<int> &pages, const std::string &path,
                                          bool objectStreams, const PagesWritten &written);

// How many parts the fast path has written since the library was loaded.
int fastPartsWritten();

} // namespace pdfengine

#endif
