// One 64-bit key per indirect object, its number and generation, for the engine's sets and maps.
#ifndef PAGEMILL_ENGINE_OBJECTKEY_H
#define PAGEMILL_ENGINE_OBJECTKEY_H

#include <qpdf/QPDFObjGen.hh>
#include <qpdf/QPDFObjectHandle.hh>

#include <cstdint>

namespace pdfengine {

inline std::uint64_t objectKey(QPDFObjGen og)
{
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(og.getObj())) << 32) |
           static_cast<std::uint32_t>(og.getGen());
}

inline std::uint64_t objectKey(QPDFObjectHandle h)
{
    return objectKey(h.getObjGen());
}

} // namespace pdfengine

#endif
