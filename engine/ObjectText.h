// Reads PDF object syntax just far enough for the fast part writer: where the "n g R"
// references sit in an object's text, so a part can copy the text and renumber them.
// Strings, names and comments are skipped as a PDF reader would, so an "R" or a number
// inside them is never taken for a reference. Never throws; text it cannot read simply
// yields no more references past that point.
#ifndef PAGEMILL_ENGINE_OBJECTTEXT_H
#define PAGEMILL_ENGINE_OBJECTTEXT_H

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace pdfengine {

// PDF's white-space and delimiter characters.
inline bool isPdfWhite(char c)
{
    return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0';
}

inline bool isPdfDelimiter(char c)
{
    switch (c) {
    case '(': case ')': case '<': case '>': case '[': case ']': case '{': case '}': case '/': case '%':
        return true;
    default:
        return false;
    }
}

struct ObjectRef {
    std::size_t begin = 0; // first byte of the object number
    std::size_t end = 0;   // one past the "R"
    int id = 0;
    int generation = 0;
};

// complete is set to false when the text ends inside a string, a hex string or on a stray
// delimiter: the references found before that point are still answered.
std::vector<ObjectRef> findReferences(std::string_view text, bool *complete = nullptr);

// The same tokens with white space only where two would otherwise run together, and no comments:
// qpdf's text spends a fifth of its bytes on spaces. Answers false, leaving out unspecified, when
// the text does not read to its end.
bool compactText(std::string_view text, std::string &out);

} // namespace pdfengine

#endif
