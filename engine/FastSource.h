// What the fast part writer keeps of one source across its parts: the file, opened once
// more to read stream data as it is, and every object a part has needed, serialised once
// from qpdf's parsed object with the places of its references. Dictionaries are kept,
// stream data never: it is read from the file for each part that writes it.
#ifndef PAGEMILL_ENGINE_FASTSOURCE_H
#define PAGEMILL_ENGINE_FASTSOURCE_H

#include "FileIdentity.h"
#include "ObjectText.h"

#include <qpdf/QPDFObjGen.hh>

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace pdfengine {

class SourceDocument;

// Something the fast writer does not handle; the part is made by the reference path instead.
struct FastUnsupported : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class FastSource {
public:
    // A page or the page tree is never copied as a closure member; Null stands for a missing
    // object or one that is null.
    enum class Kind { Object, Stream, Page, Pages, Null };

    struct Entry {
        Kind kind = Kind::Object;
        // The value, compacted; for a stream its dictionary without /Length and the closing ">>".
        std::string text;
        std::vector<ObjectRef> refs;
        long long dataOffset = -1; // where the stream data sits in the file; -1: ask qpdf
        std::size_t dataLength = 0;
    };

    // What the copier needs to know of an object before deciding how to take it.
    enum class Shape { Page, Pages, Null, Stream, Array, Dictionary, Scalar };

    // Null when path no longer is the file that was identified.
    static std::shared_ptr<FastSource> open(const std::string &path, const FileIdentity &expected);
    ~FastSource();
    FastSource(const FastSource &) = delete;
    FastSource &operator=(const FastSource &) = delete;

    // Throws FastUnsupported for an object it cannot serialise cleanly.
    const Entry &entry(SourceDocument &src, QPDFObjGen og);
    // Objects the part builder edits in its copy (pages, their annotations and /Annots arrays,
    // form fields above widgets): these are copied into the part, everything else is not.
    bool isEdited(SourceDocument &src, QPDFObjGen og);
    bool isPage(SourceDocument &src, QPDFObjGen og);
    // The direct value under key in the source dictionary og, serialised like an entry.
    const Entry &directValue(SourceDocument &src, QPDFObjGen og, const std::string &key);
    // Remembered per object, so a part does not resolve the source's objects again.
    Shape shapeOf(SourceDocument &src, QPDFObjGen og);
    // Reads exactly n bytes at offset; throws std::runtime_error when the file has fewer.
    void read(long long offset, unsigned char *buffer, std::size_t n) const;

private:
    FastSource() = default;
    void indexSource(SourceDocument &src);
    Entry makeEntry(SourceDocument &src, QPDFObjGen og);
    bool streamDataIsWhereQpdfSaid(long long offset, std::size_t length) const;

    int fd_ = -1;
    long long size_ = 0;
    bool indexed_ = false;
    std::unordered_set<std::uint64_t> pages_;
    std::unordered_set<std::uint64_t> edited_;
    std::unordered_map<std::uint64_t, Entry> entries_;
    std::unordered_map<std::uint64_t, Shape> shapes_;
    std::unordered_map<std::string, Entry> directValues_; // "id gen key"
};

} // namespace pdfengine

#endif
