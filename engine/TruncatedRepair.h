// A download cut short loses the end of the file, where the cross-reference stream and the
// trailer live. qpdf rebuilds the table by scanning, but without a trailer it cannot find the
// document catalog, and objects packed in object streams stay unreachable. This finds them.
#ifndef PAGEMILL_ENGINE_TRUNCATEDREPAIR_H
#define PAGEMILL_ENGINE_TRUNCATEDREPAIR_H

#include <optional>
#include <string>

namespace pdfengine {

// Answers the file's whole objects followed by the objects unpacked from its object streams
// and a new trailer naming the catalog, for qpdf to open with recovery; nothing when the bytes
// hold no catalog.
std::optional<std::string> rebuildTruncated(const std::string &bytes);

} // namespace pdfengine

#endif
