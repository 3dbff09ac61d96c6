// libFuzzer target: detecting a text file's encoding and line endings, decoding it and rewriting
// its line endings must end in a result for any bytes, never in a crash or an endless loop; and
// the scan, which reads a file in pieces, must find the same whatever the pieces, and the same
// encoding as the whole-text rule.
#include "Features/TextEncoding/TextDetector.h"
#include "Features/TextEncoding/TextEncodingEngine.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

namespace {

TextDetector::Result scan(std::string_view bytes, std::size_t first, std::size_t piece)
{
    TextDetector detector;
    detector.feed(bytes.substr(0, first));
    for (std::size_t at = first; at < bytes.size(); at += piece)
        detector.feed(bytes.substr(at, piece));
    return detector.finish();
}

bool same(const TextDetector::Result &a, const TextDetector::Result &b)
{
    return a.encoding == b.encoding && a.lineEnding == b.lineEnding && a.head == b.head;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    // The first byte chooses the pieces; the rest is the file.
    const std::string_view bytes(reinterpret_cast<const char *>(data + 1), size - 1);
    const auto [encoding, text] = TextEncodingEngine::detect(bytes);
    TextEncodingEngine::lineEndingKind(bytes, encoding);
    if (text) {
        for (const auto choice : TextEncodingEngine::allLineEndings)
            TextEncodingEngine::rewriteLineEndings(*text, choice);
        TextEncodingEngine::previewLine(*text);
    }

    // The first piece holds at least the first three bytes, as the scan reads them.
    const std::size_t piece = 1 + data[0] % 17;
    const std::size_t first = std::min(bytes.size(), std::size_t(3) + data[0] / 17);
    const TextDetector::Result whole = scan(bytes, bytes.size(), 1);
    if (!same(whole, scan(bytes, first, piece)) || whole.encoding != encoding)
        __builtin_trap();
    return 0;
}
