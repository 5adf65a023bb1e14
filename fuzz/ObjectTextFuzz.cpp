// The fast part writer's object-text reader on arbitrary bytes: never out of bounds, references in
// order and apart, each one really "id gen R" in the text; compacting keeps the same references
// and compacting again changes nothing.
#include "ObjectText.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    bool complete = false;
    const auto refs = pdfengine::findReferences(text, &complete);
    std::size_t last = 0;
    for (const auto &r : refs) {
        if (r.begin < last || r.end <= r.begin || r.end > size || r.id <= 0 || r.generation < 0 ||
            r.generation > 65535)
            std::abort();
        const std::string expected = std::to_string(r.id);
        if (text.substr(r.begin, expected.size()).find_first_not_of("0123456789") != std::string_view::npos ||
            text[r.end - 1] != 'R')
            std::abort();
        last = r.end;
    }
    std::string compact, again;
    if (pdfengine::compactText(text, compact)) {
        const auto compactRefs = pdfengine::findReferences(compact);
        if (compactRefs.size() != refs.size() || !pdfengine::compactText(compact, again) || again != compact)
            std::abort();
        for (std::size_t i = 0; i < refs.size(); ++i)
            if (compactRefs[i].id != refs[i].id || compactRefs[i].generation != refs[i].generation)
                std::abort();
    }
    return 0;
}
