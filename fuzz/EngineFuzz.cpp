// The engine on any bytes: open, page count, outline through a sink, one cut with the rest,
// close. Nothing may crash, hang or leak, whatever the file holds.
#include "PdfEngine.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

std::u16string Wide(const std::string &ascii) { return std::u16string(ascii.begin(), ascii.end()); }

// One scratch folder per process, made on first use.
const std::string &Scratch()
{
    static const std::string folder = [] {
        char pattern[] = "/tmp/pagemill-fuzz-XXXXXX";
        const char *made = mkdtemp(pattern);
        if (made == nullptr)
            std::abort();
        return std::string(made);
    }();
    return folder;
}

intptr_t AddItem(void *context, intptr_t, const char16_t *title, int32_t)
{
    if (title == nullptr)
        std::abort();
    return ++*static_cast<intptr_t *>(context);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string source = Scratch() + "/in.pdf";
    const std::string part = Scratch() + "/part.pdf";
    const std::string rest = Scratch() + "/part_rest.pdf";
    std::FILE *file = std::fopen(source.c_str(), "wb");
    if (file == nullptr)
        std::abort();
    if (size > 0 && std::fwrite(data, 1, size, file) != size)
        std::abort();
    std::fclose(file);

    const std::u16string path = Wide(source);
    const int32_t doc = OpenPDFW(path.c_str(), 0);
    if (doc >= 0) {
        const int32_t pages = GetPageCount(doc);
        intptr_t items = 0;
        OutlineSink sink{&items, &AddItem};
        const int32_t levels = GetOutline(doc, &sink, 0);
        if (pages < 0 || levels < 0 || (levels == 0) != (items == 0))
            std::abort();
        if (pages > 0) {
            const std::u16string out = Wide(part);
            const std::string list = pages > 1 ? "1-2" : "1";
            SplitPDFW(path.c_str(), list.c_str(), out.c_str(), 1, nullptr);
        }
        ClosePDF(doc);
    } else if (doc != PDFENGINE_E_UNREADABLE && doc != PDFENGINE_E_DAMAGED && doc != PDFENGINE_E_PASSWORD) {
        std::abort();
    }
    std::remove(part.c_str());
    std::remove(rest.c_str());
    return 0;
}
