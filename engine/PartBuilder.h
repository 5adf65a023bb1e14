// Builds one output document from pages of a source: the pages in the given order with
// what belongs to them (annotations, links between them, their form fields, labels,
// bookmarks), plus the document's metadata. Nothing else of the source is copied.
#ifndef PAGEMILL_ENGINE_PARTBUILDER_H
#define PAGEMILL_ENGINE_PARTBUILDER_H

#include "SourceDocument.h"

#include <memory>
#include <vector>

namespace pdfengine {

// How the builder takes an indirect object of the source into the part. Without one it uses
// qpdf's copyForeignObject, which copies the object with everything it reaches.
class PartCopier {
public:
    virtual ~PartCopier() = default;
    virtual QPDFObjectHandle copy(QPDF &part, QPDFObjectHandle foreign) = 0;
};

// How far up from a widget the builder follows form fields' /Parent links.
constexpr int kMaxFieldDepth = 32;

// pages: 0-based source page indexes, repeats allowed.
std::unique_ptr<QPDF> buildPart(SourceDocument &src, const std::vector<int> &pages, PartCopier *copier = nullptr);

} // namespace pdfengine

#endif
