// Hostile and broken PDF files, built in memory: hand-written object bodies, libqpdf rewrites
// and byte edits of good files. Nothing here is committed as a binary.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace Hostile {

// What opening the file must give; Any where a damaged file may be repaired or refused.
enum class OpenResult { Opens, Password, Refused, Any };

struct File {
    std::string name; // also the file name on disk, without ".pdf"
    std::function<std::string()> make;
    OpenResult open = OpenResult::Any;
    int pages = -1; // page count when it opens; -1 = not fixed
};

std::vector<File> Files();

// Writes every file as <folder>/<name>.pdf; false when one cannot be written.
bool WriteAll(const std::string &folder);

// The 1,000-level outline, the titles and links tests name it.
constexpr int DeepOutlineLevels = 1000;
constexpr int ManyPages = 20000;

} // namespace Hostile
