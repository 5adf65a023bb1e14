#include "FastSource.h"

#include "ObjectKey.h"
#include "PartBuilder.h"
#include "SourceDocument.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pdfengine {

namespace {

// Keeps the text compact, with the places of its references.
void setText(FastSource::Entry &e, const std::string &text)
{
    bool complete = false;
    if (!compactText(text, e.text))
        throw FastUnsupported("object text not read to its end");
    e.refs = findReferences(e.text, &complete);
    if (!complete)
        throw FastUnsupported("object text not read to its end");
}

} // namespace

std::shared_ptr<FastSource> FastSource::open(const std::string &path, const FileIdentity &expected)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return nullptr;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || !(FileIdentity::of(st) == expected)) {
        ::close(fd);
        return nullptr;
    }
    std::shared_ptr<FastSource> source(new FastSource);
    source->fd_ = fd;
    source->size_ = st.st_size;
    return source;
}

FastSource::~FastSource()
{
    if (fd_ >= 0)
        ::close(fd_);
}

// Read with pread rather than through a mapping: a source cut short by another program
// while a part is written then fails the read instead of killing the process with SIGBUS.
void FastSource::read(long long offset, unsigned char *buffer, std::size_t n) const
{
    while (n > 0) {
        const ssize_t got = ::pread(fd_, buffer, n, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            throw std::runtime_error("the source file can no longer be read");
        buffer += got;
        n -= static_cast<std::size_t>(got);
        offset += got;
    }
}

void FastSource::indexSource(SourceDocument &src)
{
    if (indexed_)
        return;
    for (QPDFObjectHandle page : src.pages()) {
        pages_.insert(objectKey(page.getObjGen()));
        QPDFObjectHandle annots = page.getKey("/Annots");
        if (!annots.isArray())
            continue;
        if (annots.isIndirect())
            edited_.insert(objectKey(annots.getObjGen()));
        for (auto &annot : annots.aitems()) {
            if (!annot.isIndirect() || !annot.isDictionary())
                continue;
            edited_.insert(objectKey(annot.getObjGen()));
            QPDFObjectHandle node = annot;
            for (int depth = 0; depth < kMaxFieldDepth; ++depth) {
                QPDFObjectHandle parent = node.getKey("/Parent");
                if (!parent.isIndirect() || !parent.isDictionary() || !edited_.insert(objectKey(parent.getObjGen())).second)
                    break;
                node = parent;
            }
        }
    }
    indexed_ = true;
}

bool FastSource::isEdited(SourceDocument &src, QPDFObjGen og)
{
    indexSource(src);
    return edited_.count(objectKey(og)) != 0;
}

bool FastSource::isPage(SourceDocument &src, QPDFObjGen og)
{
    indexSource(src);
    if (pages_.count(objectKey(og)) != 0)
        return true;
    // qpdf's copier treats any page dictionary as a page, in the tree or not.
    return src.pdf().getObjectByObjGen(og).isDictionaryOfType("/Page");
}

FastSource::Shape FastSource::shapeOf(SourceDocument &src, QPDFObjGen og)
{
    const std::uint64_t key = objectKey(og);
    auto it = shapes_.find(key);
    if (it != shapes_.end())
        return it->second;
    Shape shape = Shape::Scalar;
    QPDFObjectHandle h = src.pdf().getObjectByObjGen(og);
    if (isPage(src, og))
        shape = Shape::Page;
    else if (h.isDictionaryOfType("/Pages"))
        shape = Shape::Pages;
    else if (h.isNull())
        shape = Shape::Null;
    else if (h.isStream())
        shape = Shape::Stream;
    else if (h.isArray())
        shape = Shape::Array;
    else if (h.isDictionary())
        shape = Shape::Dictionary;
    shapes_.emplace(key, shape);
    return shape;
}

bool FastSource::streamDataIsWhereQpdfSaid(long long offset, std::size_t length) const
{
    constexpr std::size_t kTail = 64;
    if (offset <= 0 || offset > size_ || static_cast<long long>(length) > size_ - offset)
        return false;
    unsigned char tail[kTail];
    const long long at = offset + static_cast<long long>(length);
    const std::size_t n = static_cast<std::size_t>(std::min<long long>(kTail, size_ - at));
    try {
        read(at, tail, n);
    } catch (std::runtime_error &) {
        return false;
    }
    std::size_t i = 0;
    while (i < n && isPdfWhite(static_cast<char>(tail[i])))
        ++i;
    static const char keyword[] = "endstream";
    constexpr std::size_t k = sizeof keyword - 1;
    if (n - i < k || std::memcmp(tail + i, keyword, k) != 0)
        return false;
    // "endstreamx" would be another word, and qpdf would have looked for the real end.
    if (i + k < n) {
        const char next = static_cast<char>(tail[i + k]);
        if (!isPdfWhite(next) && !isPdfDelimiter(next))
            return false;
    }
    return true;
}

FastSource::Entry FastSource::makeEntry(SourceDocument &src, QPDFObjGen og)
{
    Entry e;
    const Shape shape = shapeOf(src, og);
    if (shape == Shape::Page || shape == Shape::Pages || shape == Shape::Null) {
        e.kind = shape == Shape::Page ? Kind::Page : shape == Shape::Pages ? Kind::Pages : Kind::Null;
        return e;
    }
    QPDFObjectHandle h = src.pdf().getObjectByObjGen(og);
    std::string text;
    if (shape == Shape::Stream) {
        e.kind = Kind::Stream;
        text = "<<";
        for (auto &[key, value] : h.getDict().ditems()) {
            if (key == "/Length" || value.isNull())
                continue;
            text += ' ';
            text += QPDFObjectHandle::newName(key).unparse();
            text += ' ';
            text += value.unparse();
        }
        QPDFObjectHandle length = h.getDict().getKey("/Length");
        const long long offset = h.getParsedOffset();
        if (!h.isDataModified() && length.isInteger() && length.getIntValue() >= 0 &&
            streamDataIsWhereQpdfSaid(offset, static_cast<std::size_t>(length.getIntValue()))) {
            e.dataOffset = offset;
            e.dataLength = static_cast<std::size_t>(length.getIntValue());
        }
    } else {
        text = h.unparseResolved();
    }
    setText(e, text);
    return e;
}

const FastSource::Entry &FastSource::directValue(SourceDocument &src, QPDFObjGen og, const std::string &key)
{
    std::string name = og.unparse(' ') + ' ' + key;
    auto it = directValues_.find(name);
    if (it != directValues_.end())
        return it->second;
    Entry e;
    QPDFObjectHandle value = src.pdf().getObjectByObjGen(og).getKey(key);
    if (value.isIndirect() || value.isStream())
        throw FastUnsupported("value is not direct");
    setText(e, value.unparseResolved());
    return directValues_.emplace(std::move(name), std::move(e)).first->second;
}

const FastSource::Entry &FastSource::entry(SourceDocument &src, QPDFObjGen og)
{
    const std::uint64_t key = objectKey(og);
    auto it = entries_.find(key);
    if (it != entries_.end())
        return it->second;
    Entry e = makeEntry(src, og);
    return entries_.emplace(key, std::move(e)).first->second;
}

} // namespace pdfengine
