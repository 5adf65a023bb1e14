// One parsed PDF with the look-ups every engine call needs, built once per file:
// page object to page index, destination resolution, and the outline.
#ifndef PAGEMILL_ENGINE_SOURCEDOCUMENT_H
#define PAGEMILL_ENGINE_SOURCEDOCUMENT_H

#include "OutlineTree.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFNameTreeObjectHelper.hh>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace pdfengine {

class FastSource;

struct ResolvedDest {
    int page = -1;          // 0-based
    QPDFObjectHandle array; // explicit destination: page first, then the view
};

// How an annotation or bookmark relates to pages of this document.
enum class TargetKind { None, Page, Unresolved };

struct Target {
    TargetKind kind = TargetKind::None;
    ResolvedDest dest;
};

class SourceDocument {
public:
    // Answers the document, or sets error to one of the PDFENGINE_E_ codes.
    static std::shared_ptr<SourceDocument> open(const std::string &path, std::int32_t &error);

    QPDF &pdf() { return *pdf_; }
    const std::vector<QPDFObjectHandle> &pages() const { return pages_; }
    int pageCount() const { return static_cast<int>(pages_.size()); }
    int pageIndexOf(QPDFObjectHandle page) const;

    // An explicit array, a name or string of a named destination, or a dictionary with /D.
    std::optional<ResolvedDest> resolveDest(QPDFObjectHandle dest, int depth = 0);
    // A bookmark's /Dest, else its /A GoTo action.
    std::optional<ResolvedDest> resolveItemTarget(QPDFObjectHandle item);
    // Same for an annotation, telling apart "no go-to at all" from "go-to nowhere here".
    Target annotationTarget(QPDFObjectHandle annot);

    const OutlineTree &outline();
    const OutlineIndex &outlineIndex();
    const std::string &path() const { return path_; }
    // Whether the source packs objects into object streams; its parts do the same.
    bool usesObjectStreams() const { return objectStreams_; }

    // The fast part writer's cache of this source; null where the fast path is off.
    std::shared_ptr<FastSource> fastSource;

private:
    SourceDocument() = default;
    QPDFObjectHandle lookupName(QPDFObjectHandle name);
    bool openRepaired();

    std::string path_;
    bool objectStreams_ = false;
    std::string repairedBytes_; // what pdf_ reads when the file itself could not be opened
    std::unique_ptr<QPDF> pdf_;
    std::vector<QPDFObjectHandle> pages_;
    std::unordered_map<std::uint64_t, int> pageIndex_;
    std::unique_ptr<QPDFNameTreeObjectHelper> destTree_;
    bool destTreeRead_ = false;
    bool destMapRead_ = false, destMapWhole_ = false;
    std::unordered_map<std::string, QPDFObjectHandle> destMap_;
    std::optional<OutlineTree> outline_;
    std::optional<OutlineIndex> outlineIndex_;
};

} // namespace pdfengine

#endif
