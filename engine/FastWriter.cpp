#include "FastWriter.h"

#include "FastCopier.h"
#include "ObjectKey.h"
#include "FastSource.h"
#include "PartBuilder.h"

#include <qpdf/Pl_Buffer.hh>
#include <qpdf/Pl_Flate.hh>
#include <qpdf/QPDF.hh>

#include <atomic>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <random>
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
            const bool fromSource = objects[i].fromSource;
            // Planning the references adds objects: a part object's own list is copied first, since
            // objects may move. A source object's list stays put in the cache.
            const std::vector<ObjectRef> own = fromSource ? std::vector<ObjectRef>() : objects[i].refs;
            const std::vector<ObjectRef> &refs = fromSource ? objects[i].entry->refs : own;
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
        const std::uint64_t key = objectKey(og);
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
        const std::uint64_t key = objectKey(og) | kSourceObject;
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

// Buffers small pieces; stream data goes straight through. Writes to the output file, or into
// a string (the body of an object stream).
class Output {
public:
    explicit Output(Pipeline *pipeline) : pipeline_(pipeline) { buffer_.reserve(kBuffer); }
    explicit Output(std::string *text) : text_(text) {}

    void put(std::string_view text)
    {
        if (buffer_.size() + text.size() > kBuffer)
            flush();
        if (text.size() >= kBuffer) {
            send(reinterpret_cast<const unsigned char *>(text.data()), text.size());
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
        send(data, n);
        written_ += n;
    }

    void flush()
    {
        if (!buffer_.empty())
            send(reinterpret_cast<const unsigned char *>(buffer_.data()), buffer_.size());
        buffer_.clear();
    }

    unsigned long long written() const { return written_; }

private:
    void send(const unsigned char *data, std::size_t n)
    {
        if (pipeline_ != nullptr)
            pipeline_->write(data, n);
        else
            text_->append(reinterpret_cast<const char *>(data), n);
    }

    static constexpr std::size_t kBuffer = 1 << 16;
    Pipeline *pipeline_ = nullptr;
    std::string *text_ = nullptr;
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

// The part's version is the source's, never below what an empty document or object streams need.
std::string headerVersion(SourceDocument &src, QPDF &part, bool objectStreams)
{
    int sourceMajor = 0, sourceMinor = 0, partMajor = 0, partMinor = 0;
    if (!parseVersion(src.pdf().getPDFVersion(), sourceMajor, sourceMinor) ||
        !parseVersion(part.getPDFVersion(), partMajor, partMinor))
        throw FastUnsupported("unusual version");
    std::string version = part.getPDFVersion();
    if (sourceMajor > partMajor || (sourceMajor == partMajor && sourceMinor > partMinor)) {
        version = src.pdf().getPDFVersion();
        partMajor = sourceMajor;
        partMinor = sourceMinor;
    }
    if (objectStreams && partMajor == 1 && partMinor < 5)
        version = "1.5";
    return version;
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

// renumber, when given, maps each planned number to the number the object is written under.
void writeText(Output &out, std::string_view text, const std::vector<ObjectRef> &refs, const std::vector<int> &targets,
               const std::vector<Inline> &inlines, const std::vector<std::size_t> *renumber)
{
    std::size_t at = 0;
    for (std::size_t i = 0; i < refs.size(); ++i) {
        out.put(text.substr(at, refs[i].begin - at));
        if (targets[i] < 0) {
            const Inline &value = inlines[static_cast<std::size_t>(-1 - targets[i])];
            writeText(out, value.entry->text, value.entry->refs, value.targets, {}, renumber);
        } else if (targets[i] == 0) {
            out.put("null");
        } else {
            out.putNumber(renumber != nullptr ? static_cast<long long>((*renumber)[static_cast<std::size_t>(targets[i])])
                                              : targets[i]);
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

bool isStream(const Planned &object)
{
    return object.fromSource && object.entry->kind == FastSource::Kind::Stream;
}

void writeValue(Output &out, const Planned &object, const std::vector<std::size_t> *renumber = nullptr)
{
    if (object.fromSource)
        writeText(out, object.entry->text, object.entry->refs, object.targets, {}, renumber);
    else
        writeText(out, object.text, object.refs, object.targets, object.inlines, renumber);
}

void writeObject(Output &out, SourceDocument &src, FastSource &cache, const Planned &object, std::size_t number,
                 const std::vector<std::size_t> *renumber = nullptr)
{
    out.putNumber(static_cast<long long>(number));
    out.put(" 0 obj\n");
    writeValue(out, object, renumber);
    if (isStream(object)) {
        writeStreamData(out, src, cache, object);
        out.put("\nendstream");
    }
    out.put("\nendobj\n");
}

void writeHeader(Output &out, const std::string &version)
{
    out.put("%PDF-");
    out.put(version);
    out.put("\n%\xbf\xf7\xa2\xfe\n");
}

// Pages are reported as the objects go out, never the last one: that waits for the file to be whole.
class Reporter {
public:
    Reporter(int pageCount, std::size_t steps, const PagesWritten &written)
        : pageCount_(pageCount), steps_(std::max<std::size_t>(steps, 1)), written_(written)
    {
    }
    void step()
    {
        ++done_;
        const int pages = std::min<int>(pageCount_ - 1, static_cast<int>(static_cast<long long>(pageCount_) *
                                                                          static_cast<long long>(done_) /
                                                                          static_cast<long long>(steps_)));
        if (pages > reported_) {
            reported_ = pages;
            written_(pages);
        }
    }

private:
    int pageCount_;
    std::size_t steps_;
    const PagesWritten &written_;
    std::size_t done_ = 0;
    int reported_ = 0;
};

void writeTrailerEntries(Output &out, const Plan &plan, const std::vector<std::size_t> *renumber = nullptr)
{
    auto number = [&](int n) {
        return renumber != nullptr ? static_cast<long long>((*renumber)[static_cast<std::size_t>(n)]) : n;
    };
    out.put("/Root ");
    out.putNumber(number(plan.rootNumber));
    out.put(" 0 R");
    if (plan.infoNumber != 0) {
        out.put("/Info ");
        out.putNumber(number(plan.infoNumber));
        out.put(" 0 R");
    }
    const std::string id = fileIdentifier();
    out.put("/ID[<");
    out.put(id);
    out.put("><");
    out.put(id);
    out.put(">]");
}

// Plain objects and a cross-reference table.
void writeFile(Output &out, SourceDocument &src, FastSource &cache, const Plan &plan, const std::string &version,
               int pageCount, const PagesWritten &written)
{
    writeHeader(out, version);
    const std::size_t n = plan.objects.size();
    std::vector<unsigned long long> offsets(n);
    Reporter reporter(pageCount, n, written);
    for (std::size_t i = 0; i < n; ++i) {
        offsets[i] = out.written();
        writeObject(out, src, cache, plan.objects[i], i + 1);
        reporter.step();
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
    writeTrailerEntries(out, plan);
    out.put(">>\nstartxref\n");
    out.putNumber(static_cast<long long>(xref));
    out.put("\n%%EOF\n");
    out.flush();
}

std::string deflate(const std::string &data)
{
    Pl_Buffer buffer("fast part object stream");
    Pl_Flate flate("fast part object stream", &buffer, Pl_Flate::a_deflate);
    flate.write(reinterpret_cast<const unsigned char *>(data.data()), data.size());
    flate.finish();
    auto result = buffer.getBufferSharedPointer();
    return std::string(reinterpret_cast<const char *>(result->getBuffer()), result->getSize());
}

void putBigEndian(std::string &out, unsigned long long value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// Streams as plain objects, everything else packed a hundred to an object stream, and a
// cross-reference stream: what qpdf's writer makes of a large part when the source is packed.
void writePackedFile(Output &out, SourceDocument &src, FastSource &cache, const Plan &plan, int pageCount,
                     const PagesWritten &written)
{
    constexpr std::size_t kPerStream = 100;
    const std::size_t n = plan.objects.size();
    // Packed objects take the first numbers and streams the rest, so neighbouring rows of the
    // cross-reference stream are alike.
    std::vector<std::size_t> packed, renumber(n + 1, 0);
    for (std::size_t i = 0; i < n; ++i)
        if (!isStream(plan.objects[i])) {
            packed.push_back(i);
            renumber[i + 1] = packed.size();
        }
    std::size_t nextStream = packed.size();
    for (std::size_t i = 0; i < n; ++i)
        if (isStream(plan.objects[i]))
            renumber[i + 1] = ++nextStream;
    const std::size_t streams = (packed.size() + kPerStream - 1) / kPerStream;
    const std::size_t size = n + streams + 2; // object 0, the objects, the object streams, the xref stream
    struct Where {
        unsigned type = 0;
        unsigned long long field = 0;
        unsigned index = 0;
    };
    std::vector<Where> where(size);
    where[0] = {0, 0, 0};
    Reporter reporter(pageCount, n - packed.size() + streams, written);
    for (std::size_t i = 0; i < n; ++i) {
        if (!isStream(plan.objects[i]))
            continue;
        where[renumber[i + 1]] = {1, out.written(), 0};
        writeObject(out, src, cache, plan.objects[i], renumber[i + 1], &renumber);
        reporter.step();
    }
    for (std::size_t s = 0; s < streams; ++s) {
        const std::size_t number = n + 1 + s;
        std::string header, body;
        Output bodyOut(&body);
        const std::size_t first = s * kPerStream, last = std::min(packed.size(), first + kPerStream);
        for (std::size_t k = first; k < last; ++k) {
            const std::size_t object = packed[k];
            bodyOut.flush();
            header += std::to_string(renumber[object + 1]) + ' ' + std::to_string(body.size()) + ' ';
            writeValue(bodyOut, plan.objects[object], &renumber);
            bodyOut.put("\n");
            where[renumber[object + 1]] = {2, number, static_cast<unsigned>(k - first)};
        }
        bodyOut.flush();
        const std::string data = deflate(header + body);
        where[number] = {1, out.written(), 0};
        out.putNumber(static_cast<long long>(number));
        out.put(" 0 obj\n<</Type/ObjStm/N ");
        out.putNumber(static_cast<long long>(last - first));
        out.put("/First ");
        out.putNumber(static_cast<long long>(header.size()));
        out.put("/Filter/FlateDecode/Length ");
        out.putNumber(static_cast<long long>(data.size()));
        out.put(">>\nstream\n");
        out.put(data);
        out.put("\nendstream\nendobj\n");
        reporter.step();
    }
    const std::size_t xrefNumber = size - 1;
    const unsigned long long xref = out.written();
    where[xrefNumber] = {1, xref, 0};
    // The narrowest fields that hold every entry, each row told apart from the one above it (PNG
    // "Up"): the table then compresses to a few bytes an object, as qpdf's does.
    unsigned long long widest = 0;
    unsigned highestIndex = 0;
    for (const Where &w : where) {
        widest = std::max(widest, w.field);
        highestIndex = std::max(highestIndex, w.index);
    }
    int fieldWidth = 1, indexWidth = 1;
    while (fieldWidth < 8 && (widest >> (8 * fieldWidth)) != 0)
        ++fieldWidth;
    while (indexWidth < 4 && (static_cast<unsigned long long>(highestIndex) >> (8 * indexWidth)) != 0)
        ++indexWidth;
    const std::size_t columns = static_cast<std::size_t>(1 + fieldWidth + indexWidth);
    std::string table, previous(columns, '\0'), row;
    for (const Where &w : where) {
        row.clear();
        putBigEndian(row, w.type, 1);
        putBigEndian(row, w.field, fieldWidth);
        putBigEndian(row, w.index, indexWidth);
        table += '\x02';
        for (std::size_t i = 0; i < columns; ++i)
            table += static_cast<char>(static_cast<unsigned char>(row[i]) - static_cast<unsigned char>(previous[i]));
        previous = row;
    }
    const std::string data = deflate(table);
    out.putNumber(static_cast<long long>(xrefNumber));
    out.put(" 0 obj\n<</Type/XRef/Size ");
    out.putNumber(static_cast<long long>(size));
    out.put("/W[1 ");
    out.putNumber(fieldWidth);
    out.put(" ");
    out.putNumber(indexWidth);
    out.put("]/DecodeParms<</Columns ");
    out.putNumber(static_cast<long long>(columns));
    out.put("/Predictor 12>>");
    writeTrailerEntries(out, plan, &renumber);
    out.put("/Filter/FlateDecode/Length ");
    out.putNumber(static_cast<long long>(data.size()));
    out.put(">>\nstream\n");
    out.put(data);
    out.put("\nendstream\nendobj\nstartxref\n");
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
                                          bool objectStreams, const PagesWritten &written)
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
        version = headerVersion(src, *part, objectStreams);
    } catch (std::exception &) {
        // Whatever stopped the fast path, the reference path makes the part or reports why not.
        return nullptr;
    }
    auto out = std::make_unique<SafeOutput>(path);
    Output output(out->pipeline());
    if (objectStreams) {
        writeHeader(output, version);
        writePackedFile(output, src, *cache, *plan, static_cast<int>(pages.size()), written);
    } else {
        writeFile(output, src, *cache, *plan, version, static_cast<int>(pages.size()), written);
    }
    out->finish();
    ++fastParts;
    return out;
}

int fastPartsWritten()
{
    return fastParts.load();
}

} // namespace pdfengine
