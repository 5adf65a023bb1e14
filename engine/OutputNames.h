// The names the engine gives files itself.
#ifndef PAGEMILL_ENGINE_OUTPUTNAMES_H
#define PAGEMILL_ENGINE_OUTPUTNAMES_H

#include <string>

namespace pdfengine {

inline constexpr std::size_t kMaxTitleBytes = 200;

// The remaining-pages file of "dir/name.pdf" is "dir/name_rest.pdf" (the extension kept in
// its letter case; a name without ".pdf" gets "_rest.pdf" appended). The rest name is
// always longer than the first name and ends the same way, so the two never coincide.
std::string restFileName(const std::string &outputPath);

// A bookmark title as a file-name part: no "/", "\", NUL, control or text-direction override
// characters, trimmed, at most kMaxTitleBytes bytes cut at a character boundary, "Untitled"
// when nothing is left.
std::string safeTitle(const std::string &utf8);

// "07 Title.pdf": the sequence number zero-padded to width digits; k > 1 adds " (k)".
std::string partFileName(int number, int width, const std::string &safe, int k);

// Splits "dir/name" into its folder and file name; answers false when no file is named.
bool splitPath(const std::string &path, std::string &folder, std::string &name);

} // namespace pdfengine

#endif
