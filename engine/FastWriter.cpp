#include "FastWriter.h"

#include "FastCopier.h"
#include "FastSource.h"
#include "PartBuilder.h"

#include <qpdf/QPDF.hh>

#include <atomic>
#include <charconv>
#include <random>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace pdfengine {

namespace {

std::atomic<int> fastParts{0};

// Objects of the source and of the part share one numbering; the high bit tells them apart.
constexpr std::uint64_t kSourceObject = 1ULL << 63;

struct Inline {
    const FastSource::Entry *entry = nullptr;
    std::vector<int> targets;
};

struct Planned {
    bool fromSource = false;
    QPDFObjGen og;
    std::string text; // the part's own objects; source objects keep theirs in the cache
    std::vector<ObjectRef> refs;
    const FastSource::Entry *entry = nullptr;
    // Output number of each reference, 0 where it is null; -1 - i where inlines[i] is written
    // in place of the reference.
    std::vector<int> targets;
    std::vector<Inline> inlines;
};

// Everything the part's file will hold, numbered in the order it is reached from the trailer.
class Plan {
public:
    Plan(SourceDocument &src, FastSource &cache, QPDF &part, const FastCopier &copier)
        : src_(src), cache_(cache), part_(part), copier_(copier)
    {
    }

    void build()
    {
        QPDFObjectHandle trailer = part_.getTrailer();
        QPDFObjectHandle root = trailer.getKey("/Root");
        if (!root.isIndirect())
            throw FastUnsupported("part without a catalog object");
        rootNumber = forPart(root.getObjGen());
        QPDFObjectHandle info = trailer.getKey("/Info");
        if (info.isIndirect())
            infoNumber = forPart(info.getObjGen());
        for (std::size_t i = 0; i < objects.size(); ++i) {
            const std::vector<ObjectRef> &refs = objects[i].fromSource ? objects[i].entry->refs : objects[i].refs;
            const bool fromSource = objects[i].fromSource;
            std::vector<int> targets;
            targets.reserve(refs.size());
            std::vector<Inline> inlines;
            for (const ObjectRef &ref : refs) {
                const QPDFObjGen og(ref.id, ref.generation);
                if (fromSource) {
                    targets.push_back(forSource(og));
                } else if (const FastCopier::DirectValue *direct = copier_.directValueFor(og)) {
                    Inline value;
                    value.entry = &cache_.directValue(src_, direct->holder, direct->key);
                    for (const ObjectRef &inner : value.entry->refs)
                        value.targets.push_back(forSource(QPDFObjGen(inner.id, inner.generation)));
                    inlines.push_back(std::move(value));
                    targets.push_back(-static_cast<int>(inlines.size()));
                } else {
                    targets.push_back(forPart(og));
                }
            }
            objects[i].targets = std::move(targets);
            objects[i].inlines = std::move(inlines);
        }
        if (rootNumber == 0)
            throw FastUnsupported("part catalog is null");
    }

    std::vector<Planned> objects;
    int rootNumber = 0;
    int infoNumber = 0;

private:
    int forPart(QPDFObjGen og)
    {
        if (auto source = copier_.standInFor(og))
            return forSource(*source);
        const std::uint64_t key = fastKey(og);
        auto known = numbers_.find(key);
        if (known != numbers_.end())
            return known->second;
        QPDFObjectHandle h = part_.getObjectByObjGen(og);
        if (h.isNull()) {
            numbers_.emplace(key, 0);
            return 0;
        }
        if (h.isStream())
            throw FastUnsupported("stream made by the builder");
        Planned p;
        p.og = og;
        bool complete = compactText(h.unparseResolved(), p.text);
        if (complete)
            p.refs = findReferences(p.text, &complete);
        if (!complete)
            throw FastUnsupported("part object text not read to its end");
        const int number = static_cast<int>(objects.size()) + 1;
        numbers_.emplace(key, number);
        objects.push_back(std::move(p));
        return number;
    }

    int forSource(QPDFObjGen og)
    {
        if (auto copy = copier_.copyOf(og))
            return forPart(*copy);
        const std::uint64_t key = fastKey(og) | kSourceObject;
        auto known = numbers_.find(key);
        if (known != numbers_.end())
            return known->second;
        const FastSource::Entry &e = cache_.entry(src_, og);
        if (e.kind == FastSource::Kind::Page || e.kind == FastSource::Kind::Pages || e.kind == FastSource::Kind::Null) {
            numbers_.emplace(key, 0);
            return 0;
        }
        Planned p;
        p.fromSource = true;
        p.og = og;
        p.entry = &e;
        const int number = static_cast<int>(objects.size()) + 1;
        numbers_.emplace(key, number);
        objects.push_back(std::move(p));
        return number;
    }

    SourceDocument &src_;
    FastSource &cache_;
    QPDF &part_;
    const FastCopier &copier_;
    std::unordered_map<std::uint64_t, int> numbers_;
};

// Buffers small pieces; stream data goes straight through.
class Output {
public:
    explicit Output(Pipeline *pipeline) : pipeline_(pipeline) { buffer_.reserve(kBuffer); }

    void put(std::string_view text)
    {
        if (buffer_.size() + text.size() > kBuffer)
            flush();
        if (text.size() >= kBuffer) {
            pipeline_->write(reinterpret_cast<const unsigned char *>(text.data()), text.size());
        } else {
            buffer_.append(text);
        }
        written_ += text.size();
    }

    void putNumber(long long n)
    {
        char digits[24];
        auto [end, ec] = std::to_chars(digits, digits + sizeof digits, n);
        put(std::string_view(digits, static_cast<std::size_t>(end - digits)));
    }

    void putRaw(const unsigned char *data, std::size_t n)
    {
        flush();
        pipeline_->write(data, n);
        written_ += n;
    }

    void flush()
    {
        if (!buffer_.empty())
            pipeline_->write(reinterpret_cast<const unsigned char *>(buffer_.data()), buffer_.size());
        buffer_.clear();
    }

    unsigned long long written() const { return written_; }

private:
    static constexpr std::size_t kBuffer = 1 << 16;
    Pipeline *pipeline_;
    std::string buffer_;
    unsigned long long written_ = 0;
};

bool parseVersion(const std::string &text, int &major, int &minor)
{
    const auto dot = text.find('.');
    if (dot == std::string::npos)
        return false;
    auto a = std::from_chars(text.data(), text.data() + dot, major);
    auto b = std::from_chars(text.data() + dot + 1, text.data() + text.size(), minor);
    return a.ec == std::errc() && a.ptr == text.data() + dot && b.ec == std::errc() &&
           b.ptr == text.data() + text.size() && major >= 1 && major < 10 && minor >= 0 && minor < 10;
}

// The part's version is the source's, never below what an empty document needs.
std::string headerVersion(SourceDocument &src, QPDF &part)
{
    int sourceMajor = 0, sourceMinor = 0, partMajor = 0, partMinor = 0;
    if (!parseVersion(src.pdf().getPDFVersion(), sourceMajor, sourceMinor) ||
        !parseVersion(part.getPDFVersion(), partMajor, partMinor))
        throw FastUnsupported("unusual version");
    if (sourceMajor > partMajor || (sourceMajor == partMajor && sourceMinor > partMinor))
        return src.pdf().getPDFVersion();
    return part.getPDFVersion();
}

// A new file gets a new identifier, both halves the same, as qpdf's writer gives a new document.
std::string fileIdentifier()
{
    static std::random_device device;
    std::string hex;
    for (int i = 0; i < 4; ++i) {
        char word[9];
        std::snprintf(word, sizeof word, "%08x", static_cast<unsigned>(device()));
        hex += word;
    }
    return hex;
}

void writeText(Output &out, std::string_view text, const std::vector<ObjectRef> &refs, const std::vector<int> &targets,
               const std::vector<Inline> &inlines = {})
{
    std::size_t at = 0;
    for (std::size_t i = 0; i < refs.size(); ++i) {
        out.put(text.substr(at, refs[i].begin - at));
        if (targets[i] < 0) {
            const Inline &value = inlines[static_cast<std::size_t>(-1 - targets[i])];
            writeText(out, value.entry->text, value.entry->refs, value.targets);
        } else if (targets[i] == 0) {
            out.put("null");
        } else {
            out.putNumber(targets[i]);
            out.put(" 0 R");
        }
        at = refs[i].end;
    }
    out.put(text.substr(at));
}

void writeStreamData(Output &out, SourceDocument &src, FastSource &cache, const Planned &object)
{
    const FastSource::Entry &e = *object.entry;
    if (e.dataOffset < 0) {
        std::shared_ptr<Buffer> data = src.pdf().getObjectByObjGen(object.og).getRawStreamData();
        out.put("/Length ");
        out.putNumber(static_cast<long long>(data->getSize()));
        out.put(">>\nstream\n");
        out.putRaw(data->getBuffer(), data->getSize());
        return;
    }
    out.put("/Length ");
    out.putNumber(static_cast<long long>(e.dataLength));
    out.put(">>\nstream\n");
    constexpr std::size_t kChunk = 1 << 18;
    static thread_local std::vector<unsigned char> chunk(kChunk);
    std::size_t left = e.dataLength;
    long long at = e.dataOffset;
    while (left > 0) {
        const std::size_t n = std::min(left, kChunk);
        cache.read(at, chunk.data(), n);
        out.putRaw(chunk.data(), n);
        at += static_cast<long long>(n);
        left -= n;
    }
}

void writeFile(Output &out, SourceDocument &src, FastSource &cache, const Plan &plan, const std::string &version,
               int pageCount, const PagesWritten &written)
{
    out.put("%PDF-");
    out.put(version);
    out.put("\n%\xbf\xf7\xa2\xfe\n");
    const std::size_t n = plan.objects.size();
    std::vector<unsigned long long> offsets(n);
    int reported = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const Planned &object = plan.objects[i];
        offsets[i] = out.written();
        out.putNumber(static_cast<long long>(i + 1));
        out.put(" 0 obj\n");
        if (object.fromSource) {
            writeText(out, object.entry->text, object.entry->refs, object.targets);
            if (object.entry->kind == FastSource::Kind::Stream) {
                writeStreamData(out, src, cache, object);
                out.put("\nendstream");
            }
        } else {
            writeText(out, object.text, object.refs, object.targets, object.inlines);
        }
        out.put("\nendobj\n");
        const int pages = std::min<int>(pageCount - 1, static_cast<int>(static_cast<long long>(pageCount) *
                                                                         static_cast<long long>(i + 1) /
                                                                         static_cast<long long>(n)));
        if (pages > reported) {
            reported = pages;
            written(pages);
        }
    }
    const unsigned long long xref = out.written();
    out.put("xref\n0 ");
    out.putNumber(static_cast<long long>(n + 1));
    out.put("\n0000000000 65535 f \n");
    char line[32];
    for (unsigned long long offset : offsets) {
        std::snprintf(line, sizeof line, "%010llu 00000 n \n", offset);
        out.put(line);
    }
    out.put("trailer\n<</Size ");
    out.putNumber(static_cast<long long>(n + 1));
    out.put("/Root ");
    out.putNumber(plan.rootNumber);
    out.put(" 0 R");
    if (plan.infoNumber != 0) {
        out.put("/Info ");
        out.putNumber(plan.infoNumber);
        out.put(" 0 R");
    }
    const std::string id = fileIdentifier();
    out.put("/ID[<");
    out.put(id);
    out.put("><");
    out.put(id);
    out.put(">]>>\nstartxref\n");
    out.putNumber(static_cast<long long>(xref));
    out.put("\n%%EOF\n");
    out.flush();
}

bool referencePathForced()
{
    const char *value = std::getenv("PDFENGINE_TEST_REFERENCE_PATH");
    return value != nullptr && *value != '\0' && std::string_view(value) != "0";
}

} // namespace

bool fastPathTakes(SourceDocument &src, std::size_t pageCount)
{
    if (referencePathForced() || !src.fastSource || pageCount == 0)
        return false;
    // The reference path copies the source's encryption; the fast one writes plain files.
    return !src.pdf().isEncrypted() && src.pdf().getExtensionLevel() == 0;
}

std::unique_ptr<SafeOutput> writeFastPart(SourceDocument &src, const std::vector<int> &pages, const std::string &path,
                                          const PagesWritten &written)
{
    std::shared_ptr<FastSource> cache = src.fastSource;
    if (!cache || pages.empty())
        return nullptr;
    std::unique_ptr<QPDF> part;
    FastCopier copier(src, *cache, pages);
    std::optional<Plan> plan;
    std::string version;
    try {
        part = buildPart(src, pages, &copier);
        plan.emplace(src, *cache, *part, copier);
        plan->build();
        version = headerVersion(src, *part);
    } catch (std::exception &) {
        // Whatever stopped the fast path, the reference path makes the part or reports why not.
        return nullptr;
    }
    auto out = std::make_unique<SafeOutput>(path);
    Output output(out->pipeline());
    writeFile(output, src, *cache, *plan, version, static_cast<int>(pages.size()), written);
    out->finish();
    ++fastParts;
    return out;
}

int fastPartsWritten()
{
    return fastParts.load();
}

} // namespace pdfengine
