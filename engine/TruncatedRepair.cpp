#include "TruncatedRepair.h"

#include "ObjectText.h"

#include <qpdf/QPDF.hh>

#include <algorithm>
#include <exception>
#include <map>
#include <set>
#include <vector>

namespace pdfengine {

namespace {

constexpr std::size_t kHeaderWindow = 1024;
// More than any real file holds; also keeps the numbers below safe to add to.
constexpr long long kMaxObjectNumber = 8'000'000;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Reads the unsigned number that ends just before end (exclusive); answers its first byte.
std::optional<std::size_t> numberBefore(const std::string &bytes, std::size_t end, long long &value)
{
    std::size_t start = end;
    while (start > 0 && isDigit(bytes[start - 1]) && end - start < 10)
        --start;
    if (start == end)
        return std::nullopt;
    value = std::stoll(bytes.substr(start, end - start));
    return start;
}

// The highest object number of the "n g obj" headers in bytes.
long long highestObjectNumber(const std::string &bytes)
{
    long long highest = 0;
    for (std::size_t at = bytes.find("obj"); at != std::string::npos; at = bytes.find("obj", at + 3)) {
        if (at > 0 && bytes[at - 1] == 'd')
            continue; // "endobj"
        std::size_t p = at;
        if (p == 0 || !isPdfWhite(bytes[p - 1]))
            continue;
        while (p > 0 && isPdfWhite(bytes[p - 1]))
            --p;
        long long generation = 0, number = 0;
        auto genStart = numberBefore(bytes, p, generation);
        if (!genStart || *genStart == 0 || !isPdfWhite(bytes[*genStart - 1]))
            continue;
        p = *genStart;
        while (p > 0 && isPdfWhite(bytes[p - 1]))
            --p;
        if (numberBefore(bytes, p, number) && number <= kMaxObjectNumber && number > highest)
            highest = number;
    }
    return highest;
}

// The text tells whether the catalog names its page tree: an unpacked object is parsed before its
// neighbours are known, so its references read as null, which qpdf leaves out of a dictionary.
bool isCatalog(QPDFObjectHandle h, const std::string &text)
{
    return h.isDictionaryOfType("/Catalog") && text.find("/Pages") != std::string::npos;
}

// A dictionary holding only the document information keys.
bool isInfo(QPDFObjectHandle h)
{
    static const std::set<std::string> infoKeys = {"/Title",   "/Author",       "/Subject", "/Keywords", "/Creator",
                                                   "/Producer", "/CreationDate", "/ModDate", "/Trapped"};
    if (!h.isDictionary() || h.isStream())
        return false;
    const auto keys = h.getKeys();
    if (keys.empty())
        return false;
    for (const auto &key : keys)
        if (infoKeys.count(key) == 0)
            return false;
    return true;
}

struct Found {
    std::map<long long, std::string> unpacked; // object number -> its text, from object streams
    long long catalog = 0, catalogGeneration = 0;
    long long info = 0, infoGeneration = 0;
};

// The objects packed in one object stream that the scan did not find as plain objects.
void unpack(QPDF &pdf, QPDFObjectHandle stream, const std::set<long long> &plain, Found &found)
{
    QPDFObjectHandle dict = stream.getDict();
    if (!dict.getKey("/N").isInteger() || !dict.getKey("/First").isInteger())
        return;
    const long long count = dict.getKey("/N").getIntValue();
    const long long first = dict.getKey("/First").getIntValue();
    std::string data;
    try {
        auto buffer = stream.getStreamData(qpdf_dl_generalized);
        data.assign(reinterpret_cast<const char *>(buffer->getBuffer()), buffer->getSize());
    } catch (std::exception &) {
        return; // cut inside the stream: its objects are lost
    }
    if (count <= 0 || first <= 0 || static_cast<unsigned long long>(first) > data.size() ||
        static_cast<unsigned long long>(count) > data.size())
        return;
    std::vector<std::pair<long long, std::size_t>> entries;
    const char *p = data.data();
    const char *end = data.data() + first;
    for (long long i = 0; i < count; ++i) {
        long long values[2] = {0, 0};
        for (long long &value : values) {
            while (p < end && isPdfWhite(*p))
                ++p;
            if (p == end || !isDigit(*p))
                return;
            for (int digits = 0; p < end && isDigit(*p) && digits < 12; ++digits)
                value = value * 10 + (*p++ - '0');
        }
        entries.emplace_back(values[0], static_cast<std::size_t>(first + values[1]));
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const auto [number, offset] = entries[i];
        const std::size_t stop = i + 1 < entries.size() ? entries[i + 1].second : data.size();
        if (number <= 0 || number > kMaxObjectNumber || offset > stop || stop > data.size() || plain.count(number))
            continue;
        std::string text = data.substr(offset, stop - offset);
        try {
            QPDFObjectHandle object = QPDFObjectHandle::parse(&pdf, text, "unpacked object");
            if (isCatalog(object, text) && number > found.catalog)
                found.catalog = number, found.catalogGeneration = 0;
            else if (isInfo(object) && number > found.info)
                found.info = number, found.infoGeneration = 0;
        } catch (std::exception &) {
            continue; // an object that does not parse stays out
        }
        found.unpacked[number] = std::move(text);
    }
}

} // namespace

std::optional<std::string> rebuildTruncated(const std::string &bytes)
{
    const std::size_t header = bytes.find("%PDF-");
    if (header == std::string::npos || header > kHeaderWindow)
        return std::nullopt;
    const std::size_t lastEnd = bytes.rfind("endobj");
    if (lastEnd == std::string::npos)
        return std::nullopt;
    const std::string whole = bytes.substr(0, lastEnd + 6) + "\n";
    const long long highest = highestObjectNumber(whole);
    if (highest <= 0)
        return std::nullopt;

    // First look: the whole objects under a stand-in catalog, so that qpdf opens them at all.
    const long long standIn = highest + 1;
    std::string probe = whole;
    probe += std::to_string(standIn) + " 0 obj\n<< /Type /Catalog /Pages " + std::to_string(standIn + 1) +
             " 0 R >>\nendobj\n" + std::to_string(standIn + 1) +
             " 0 obj\n<< /Type /Pages /Kids [] /Count 0 >>\nendobj\ntrailer\n<< /Size " +
             std::to_string(standIn + 2) + " /Root " + std::to_string(standIn) + " 0 R >>\n";
    Found found;
    try {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        pdf.setAttemptRecovery(true);
        pdf.processMemoryFile("truncated file", probe.data(), probe.size());
        std::set<long long> plain;
        std::vector<QPDFObjectHandle> streams;
        for (auto &[objGen, entry] : pdf.getXRefTable()) {
            if (entry.getType() != 1 || objGen.getObj() >= standIn)
                continue;
            plain.insert(objGen.getObj());
            QPDFObjectHandle object = pdf.getObjectByObjGen(objGen);
            if (object.isStream()) {
                if (object.getDict().isDictionaryOfType("/ObjStm"))
                    streams.push_back(object);
            } else if (object.isDictionaryOfType("/Catalog") && object.hasKey("/Pages") &&
                       objGen.getObj() > found.catalog) {
                found.catalog = objGen.getObj(), found.catalogGeneration = objGen.getGen();
            } else if (isInfo(object) && objGen.getObj() > found.info) {
                found.info = objGen.getObj(), found.infoGeneration = objGen.getGen();
            }
        }
        for (auto &stream : streams)
            unpack(pdf, stream, plain, found);
    } catch (std::exception &) {
        return std::nullopt;
    }
    if (found.catalog == 0)
        return std::nullopt;

    std::string rebuilt = whole;
    long long size = highest + 1;
    for (const auto &[number, text] : found.unpacked) {
        rebuilt += std::to_string(number) + " 0 obj\n" + text + "\nendobj\n";
        size = std::max(size, number + 1);
    }
    rebuilt += "trailer\n<< /Size " + std::to_string(size) + " /Root " + std::to_string(found.catalog) + " " +
               std::to_string(found.catalogGeneration) + " R";
    if (found.info != 0)
        rebuilt += " /Info " + std::to_string(found.info) + " " + std::to_string(found.infoGeneration) + " R";
    rebuilt += " >>\n";
    return rebuilt;
}

} // namespace pdfengine
