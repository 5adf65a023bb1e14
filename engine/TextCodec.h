// Text conversions at the engine's edges: UTF-16 paths in, UTF-16 titles out, and the
// three encodings a PDF text string may use.
#ifndef PAGEMILL_ENGINE_TEXTCODEC_H
#define PAGEMILL_ENGINE_TEXTCODEC_H

#include <optional>
#include <string>

namespace pdfengine {

// Answers nothing for a null pointer or a lone surrogate: such a path cannot name a file.
std::optional<std::string> utf16ToUtf8(const char16_t *text);
// Invalid sequences become U+FFFD.
std::u16string utf8ToUtf16(const std::string &utf8);
// A PDF text string (UTF-16BE or LE with a byte-order mark, UTF-8 with one, else
// PDFDocEncoding) as UTF-8.
std::string decodePdfText(const std::string &raw);
// Largest prefix of at most maxBytes that ends on a character boundary.
std::string cutUtf8(const std::string &utf8, std::size_t maxBytes);

} // namespace pdfengine

#endif
