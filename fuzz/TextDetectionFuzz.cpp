// libFuzzer target: detecting a text file's encoding and line endings, decoding it and rewriting
// its line endings must end in a result for any bytes, never in a crash or an endless loop.
#include "Features/TextEncoding/TextEncodingEngine.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const auto [encoding, text] = TextEncodingEngine::detect(bytes);
    TextEncodingEngine::lineEndingKind(bytes, encoding);
    if (text) {
        for (const auto choice : TextEncodingEngine::allLineEndings)
            TextEncodingEngine::rewriteLineEndings(*text, choice);
        TextEncodingEngine::previewLine(*text);
    }
    return 0;
}
