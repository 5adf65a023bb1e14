#include "OutputNames.h"

#include "TextCodec.h"

#include <strings.h>

namespace pdfengine {

std::string restFileName(const std::string &outputPath)
{
    const std::size_t slash = outputPath.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t n = outputPath.size();
    std::string rest = outputPath;
    if (n - nameStart >= 4 && strcasecmp(outputPath.c_str() + n - 4, ".pdf") == 0)
        rest.insert(n - 4, "_rest");
    else
        rest.append("_rest.pdf");
    return rest;
}

std::string safeTitle(const std::string &utf8)
{
    const std::u16string wide = utf8ToUtf16(utf8);
    std::u16string clean;
    clean.reserve(wide.size());
    for (char16_t c : wide) {
        if (c < 0x20 || c == 0x7F || (c >= 0x80 && c <= 0x9F) || c == 0x2028 || c == 0x2029)
            clean += u' ';
        else if (c == u'/' || c == u'\\')
            clean += u'_';
        else if (c == 0xFEFF || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069))
            continue; // direction overrides would let "fdp.exe" show as "exe.pdf"
        else
            clean += c;
    }
    // utf8ToUtf16 left no lone surrogates, so the way back cannot fail.
    std::string out = utf16ToUtf8(clean.c_str()).value_or(std::string());
    auto trim = [](std::string s) {
        const auto first = s.find_first_not_of(' ');
        if (first == std::string::npos)
            return std::string();
        const auto last = s.find_last_not_of(' ');
        return s.substr(first, last - first + 1);
    };
    out = trim(cutUtf8(trim(out), kMaxTitleBytes));
    return out.empty() ? std::string("Untitled") : out;
}

std::string partFileName(int number, int width, const std::string &safe, int k)
{
    std::string digits = std::to_string(number);
    if (digits.size() < static_cast<std::size_t>(width))
        digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
    std::string name = digits;
    name.append(" ").append(safe);
    if (k > 1)
        name.append(" (").append(std::to_string(k)).append(")");
    name.append(".pdf");
    return name;
}

bool splitPath(const std::string &path, std::string &folder, std::string &name)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        folder.assign(1, '.');
        name = path;
    } else {
        folder = path.substr(0, slash == 0 ? 1 : slash);
        name = path.substr(slash + 1);
    }
    return !name.empty() && name != "." && name != "..";
}

} // namespace pdfengine
