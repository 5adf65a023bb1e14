// Compares two PDF files structurally through libqpdf: the object graphs reached from the
// trailers' /Root and /Info are walked side by side, dictionary by key, array by position,
// indirect objects paired on first sight (so different numbering does not count, but an object
// shared in one file must be shared in the other), stream data compared decoded where qpdf can
// decode it (the encoding a writer chose does not count).
#pragma once

#include <string>

namespace FastPath {

struct Comparison {
    bool same = false;
    std::string difference; // where and what, when not the same
    // Places where the reference file has null and the other file a page of its own: qpdf's
    // copier leaves a reference to a page that is copied later in the same part null.
    int laterPageReferences = 0;
};

// reference: the file made by the reference path. Throws std::runtime_error when a file does not open.
Comparison ComparePdf(const std::string &reference, const std::string &other);

} // namespace FastPath
