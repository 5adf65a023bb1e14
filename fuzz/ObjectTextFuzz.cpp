// The fast part writer's object-text reader on arbitrary bytes: never out of bounds, references in
// order and apart, each one really "id gen R" in the text.
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
    return 0;
}
