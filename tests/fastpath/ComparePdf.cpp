#include "ComparePdf.h"

#include <qpdf/QPDF.hh>

#include <map>
#include <set>
#include <stdexcept>

namespace FastPath {

namespace {

std::string bytesOf(const std::shared_ptr<Buffer> &buffer)
{
    return std::string(reinterpret_cast<const char *>(buffer->getBuffer()), buffer->getSize());
}

struct Mismatch {
    std::string what;
};

class Walker {
public:
    Walker(QPDF &b, Comparison &result) : result_(result)
    {
        for (auto &page : b.getAllPages())
            pagesB_.insert(page.getObjGen());
    }

    void compare(QPDFObjectHandle a, QPDFObjectHandle b, const std::string &path)
    {
        if (a.isNull() && !b.isNull() && b.isIndirect() && pagesB_.count(b.getObjGen()) != 0) {
            ++result_.laterPageReferences;
            return;
        }
        if (a.isIndirect() != b.isIndirect() && (a.isStream() || b.isStream()))
            throw Mismatch{path + ": stream in one file only"};
        if (a.isIndirect() && b.isIndirect() && !a.isNull()) {
            auto it = pairs_.find(a.getObjGen());
            if (it != pairs_.end()) {
                if (it->second != b.getObjGen())
                    throw Mismatch{path + ": shared differently"};
                return;
            }
            pairs_.emplace(a.getObjGen(), b.getObjGen());
        }
        if (a.getTypeCode() != b.getTypeCode())
            throw Mismatch{path + ": " + a.getTypeName() + " against " + b.getTypeName()};
        if (a.isArray()) {
            if (a.getArrayNItems() != b.getArrayNItems())
                throw Mismatch{path + ": arrays of " + std::to_string(a.getArrayNItems()) + " and " +
                               std::to_string(b.getArrayNItems()) + " items"};
            for (int i = 0; i < a.getArrayNItems(); ++i)
                compare(a.getArrayItem(i), b.getArrayItem(i), path + "[" + std::to_string(i) + "]");
        } else if (a.isStream()) {
            compareDicts(a.getDict(), b.getDict(), path, {"/Length", "/Filter", "/DecodeParms"});
            compareData(a, b, path);
        } else if (a.isDictionary()) {
            compareDicts(a, b, path, {});
        } else if (a.isNull() || b.isNull()) {
            if (!(a.isNull() && b.isNull()))
                throw Mismatch{path + ": null in one file only"};
        } else if (a.unparseResolved() != b.unparseResolved()) {
            throw Mismatch{path + ": " + a.unparseResolved() + " against " + b.unparseResolved()};
        }
    }

private:
    void compareDicts(QPDFObjectHandle a, QPDFObjectHandle b, const std::string &path, const std::set<std::string> &skip)
    {
        std::set<std::string> keys;
        for (auto &k : a.getKeys())
            if (!a.getKey(k).isNull())
                keys.insert(k);
        for (auto &k : b.getKeys())
            if (!b.getKey(k).isNull() || keys.count(k) != 0)
                keys.insert(k);
        for (const std::string &key : keys) {
            if (skip.count(key) != 0)
                continue;
            compare(a.getKey(key), b.getKey(key), path + key);
        }
    }

    void compareData(QPDFObjectHandle a, QPDFObjectHandle b, const std::string &path)
    {
        std::string da, db;
        bool decodedA = true, decodedB = true;
        try {
            da = bytesOf(a.getStreamData(qpdf_dl_generalized));
        } catch (std::exception &) {
            decodedA = false;
        }
        try {
            db = bytesOf(b.getStreamData(qpdf_dl_generalized));
        } catch (std::exception &) {
            decodedB = false;
        }
        if (decodedA != decodedB)
            throw Mismatch{path + ": stream decodes in one file only"};
        if (!decodedA) {
            compare(a.getDict().getKey("/Filter"), b.getDict().getKey("/Filter"), path + "/Filter");
            compare(a.getDict().getKey("/DecodeParms"), b.getDict().getKey("/DecodeParms"), path + "/DecodeParms");
            da = bytesOf(a.getRawStreamData());
            db = bytesOf(b.getRawStreamData());
        }
        if (da != db)
            throw Mismatch{path + ": stream data of " + std::to_string(da.size()) + " and " +
                           std::to_string(db.size()) + " bytes differ"};
    }

    Comparison &result_;
    std::set<QPDFObjGen> pagesB_;
    std::map<QPDFObjGen, QPDFObjGen> pairs_;
};

} // namespace

Comparison ComparePdf(const std::string &reference, const std::string &other)
{
    QPDF a, b;
    a.setSuppressWarnings(true);
    b.setSuppressWarnings(true);
    a.processFile(reference.c_str());
    b.processFile(other.c_str());
    Comparison result;
    try {
        if (a.getPDFVersion() != b.getPDFVersion())
            throw Mismatch{"versions " + a.getPDFVersion() + " and " + b.getPDFVersion()};
        if (a.getAllPages().size() != b.getAllPages().size())
            throw Mismatch{"page counts differ"};
        Walker walker(b, result);
        walker.compare(a.getTrailer().getKey("/Root"), b.getTrailer().getKey("/Root"), "/Root");
        walker.compare(a.getTrailer().getKey("/Info"), b.getTrailer().getKey("/Info"), "/Info");
        result.same = true;
    } catch (Mismatch &m) {
        result.difference = m.what;
    }
    return result;
}

} // namespace FastPath
