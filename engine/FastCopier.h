// The fast path's way into a part: what the builder edits (pages, annotations, fields) is
// copied into the part as qpdf's copier would copy it; anything else becomes a stand-in
// object that the fast writer replaces with the source object's cached text and what it
// reaches. Stand-ins have the source object's type, so the builder's type checks hold.
#ifndef PAGEMILL_ENGINE_FASTCOPIER_H
#define PAGEMILL_ENGINE_FASTCOPIER_H

#include "FastSource.h"
#include "PartBuilder.h"

#include <optional>

namespace pdfengine {

class FastCopier : public PartCopier {
public:
    FastCopier(SourceDocument &src, FastSource &cache, const std::vector<int> &pages);

    QPDFObjectHandle copy(QPDF &part, QPDFObjectHandle foreign) override;

    // The source object a stand-in of the part stands for.
    std::optional<QPDFObjGen> standInFor(QPDFObjGen partObject) const;
    // A direct array or dictionary of an edited object that the builder never looks at stands in
    // the part as an indirect object; the writer puts the source value's text in its place.
    struct DirectValue {
        QPDFObjGen holder; // the source dictionary
        std::string key;
    };
    const DirectValue *directValueFor(QPDFObjGen partObject) const;
    // The part's own copy of a source object, when the builder took one (stand-ins excluded).
    std::optional<QPDFObjGen> copyOf(QPDFObjGen sourceObject) const;

private:
    QPDFObjectHandle copyIndirect(QPDF &part, QPDFObjectHandle foreign, bool top);
    QPDFObjectHandle copyDirect(QPDF &part, QPDFObjectHandle value, int depth);
    QPDFObjectHandle copyEdited(QPDF &part, QPDFObjectHandle foreign);

    SourceDocument &src_;
    FastSource &cache_;
    std::unordered_set<std::uint64_t> partPages_;
    std::unordered_set<std::uint64_t> filledPages_;
    std::unordered_map<std::uint64_t, QPDFObjectHandle> copies_;  // source -> part, stand-ins too
    std::unordered_map<std::uint64_t, QPDFObjGen> standIns_;       // part stand-in -> source
    std::unordered_map<std::uint64_t, DirectValue> directValues_;  // part stand-in -> source value
};

} // namespace pdfengine

#endif
