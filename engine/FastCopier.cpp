#include "FastCopier.h"

#include "ObjectKey.h"

namespace pdfengine {

namespace {

// Deeper than qpdf's own parser lets a direct object nest.
constexpr int kMaxDepth = 1000;

// The keys of pages, annotations and fields that the builder or qpdf's page functions read or
// change in the part; everything else of these objects is written as the source has it.
bool builderLooksAt(const std::string &key)
{
    static const char *const keys[] = {"/Type", "/Parent", "/Annots", "/B", "/Subtype", "/Dest", "/A",
                                       "/P",    "/Popup",  "/Kids",   "/FT", "/T"};
    for (const char *k : keys)
        if (key == k)
            return true;
    return false;
}

} // namespace

FastCopier::FastCopier(SourceDocument &src, FastSource &cache, const std::vector<int> &pages)
    : src_(src), cache_(cache)
{
    for (int index : pages)
        partPages_.insert(objectKey(src.pages()[static_cast<std::size_t>(index)].getObjGen()));
}

QPDFObjectHandle FastCopier::copy(QPDF &part, QPDFObjectHandle foreign)
{
    if (!foreign.isIndirect())
        return copyDirect(part, foreign, 0);
    return copyIndirect(part, foreign, true);
}

std::optional<QPDFObjGen> FastCopier::standInFor(QPDFObjGen partObject) const
{
    auto it = standIns_.find(objectKey(partObject));
    if (it == standIns_.end())
        return std::nullopt;
    return it->second;
}

const FastCopier::DirectValue *FastCopier::directValueFor(QPDFObjGen partObject) const
{
    auto it = directValues_.find(objectKey(partObject));
    return it == directValues_.end() ? nullptr : &it->second;
}

std::optional<QPDFObjGen> FastCopier::copyOf(QPDFObjGen sourceObject) const
{
    auto it = copies_.find(objectKey(sourceObject));
    if (it == copies_.end() || standIns_.count(objectKey(it->second.getObjGen())) != 0)
        return std::nullopt;
    return it->second.getObjGen();
}

// Mirrors qpdf's copier: one copy per source object and part, the page tree never followed,
// a page copied only when the builder asks for it. A reference to a page of the part from
// anything it copies lands on that page's copy; one to any other page becomes null.
QPDFObjectHandle FastCopier::copyIndirect(QPDF &part, QPDFObjectHandle foreign, bool top)
{
    const QPDFObjGen og = foreign.getObjGen();
    const std::uint64_t key = objectKey(og);
    if (partPages_.count(key) != 0) {
        QPDFObjectHandle &slot = copies_[key];
        // Never null, even before it is filled: qpdf drops a dictionary key whose value is null.
        if (!slot.isInitialized())
            slot = part.makeIndirectObject(QPDFObjectHandle::newDictionary());
        QPDFObjectHandle page = slot;
        if (top && filledPages_.insert(key).second)
            part.replaceObject(page.getObjGen(), copyEdited(part, foreign));
        return page;
    }
    auto known = copies_.find(key);
    if (known != copies_.end())
        return known->second;
    const FastSource::Shape shape = cache_.shapeOf(src_, og);
    using Shape = FastSource::Shape;
    if (shape == Shape::Page || shape == Shape::Pages || shape == Shape::Null)
        return QPDFObjectHandle::newNull();
    if (shape == Shape::Scalar)
        return copyDirect(part, foreign, 0);
    if (shape == Shape::Stream) {
        QPDFObjectHandle standIn = QPDFObjectHandle::newStream(&part);
        copies_.emplace(key, standIn);
        standIns_.emplace(objectKey(standIn.getObjGen()), og);
        return standIn;
    }
    const bool array = shape == Shape::Array;
    if (cache_.isEdited(src_, og)) {
        // Registered before its contents are copied, so a loop back to it finds it.
        QPDFObjectHandle copy =
            part.makeIndirectObject(array ? QPDFObjectHandle::newArray() : QPDFObjectHandle::newDictionary());
        copies_.emplace(key, copy);
        part.replaceObject(copy.getObjGen(), array ? copyDirect(part, foreign, 0) : copyEdited(part, foreign));
        return copy;
    }
    QPDFObjectHandle standIn =
        part.makeIndirectObject(array ? QPDFObjectHandle::newArray() : QPDFObjectHandle::newDictionary());
    copies_.emplace(key, standIn);
    standIns_.emplace(objectKey(standIn.getObjGen()), og);
    return standIn;
}

QPDFObjectHandle FastCopier::copyEdited(QPDF &part, QPDFObjectHandle foreign)
{
    if (!foreign.isDictionary())
        return copyDirect(part, foreign, 0);
    auto out = QPDFObjectHandle::newDictionary();
    for (auto &[key, item] : foreign.ditems()) {
        if (!builderLooksAt(key) && !item.isIndirect() && (item.isArray() || item.isDictionary())) {
            QPDFObjectHandle standIn =
                part.makeIndirectObject(item.isArray() ? QPDFObjectHandle::newArray() : QPDFObjectHandle::newDictionary());
            directValues_.emplace(objectKey(standIn.getObjGen()), DirectValue{foreign.getObjGen(), key});
            out.replaceKey(key, standIn);
        } else {
            out.replaceKey(key, copyDirect(part, item, 1));
        }
    }
    return out;
}

QPDFObjectHandle FastCopier::copyDirect(QPDF &part, QPDFObjectHandle value, int depth)
{
    if (depth > kMaxDepth)
        throw FastUnsupported("object nested too deeply");
    if (depth > 0 && value.isIndirect())
        return copyIndirect(part, value, false);
    switch (value.getTypeCode()) {
    case ::ot_array: {
        auto out = QPDFObjectHandle::newArray();
        for (auto &item : value.aitems())
            out.appendItem(copyDirect(part, item, depth + 1));
        return out;
    }
    case ::ot_dictionary: {
        auto out = QPDFObjectHandle::newDictionary();
        for (auto &[key, item] : value.ditems())
            out.replaceKey(key, copyDirect(part, item, depth + 1));
        return out;
    }
    case ::ot_stream:
        throw FastUnsupported("stream where a direct value was expected");
    default:
        return value.isIndirect() ? QPDFObjectHandle::parse(value.unparseResolved()) : value.shallowCopy();
    }
}

} // namespace pdfengine
