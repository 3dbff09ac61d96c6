// libFuzzer target: the text converter, fed a file in pieces of any size (a character, a byte-order
// mark or a CR LF cut between two), ends in the converted text or in its error, never in a crash;
// and the pieces never change which, nor the text. UTF-8 comes out as valid UTF-8.
#include "Core/FileError.h"
#include "Core/Text.h"
#include "Features/TextEncoding/TextTranscoder.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace {

using Engine = TextEncodingEngine;

std::optional<std::string> convert(std::string_view bytes, Engine::DetectedEncoding from,
                                   Engine::LineEndingChoice eol, Engine::TargetEncoding to, std::size_t piece)
{
    TextTranscoder transcoder(from, eol, to, true);
    std::string out;
    try {
        for (std::size_t at = 0; at < bytes.size(); at += piece)
            transcoder.feed(bytes.substr(at, piece), out);
        transcoder.finish(out);
    } catch (const FileError &) {
        return std::nullopt;
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 2)
        return 0;
    // Two bytes choose the conversion and the pieces; the rest is the file.
    constexpr std::array sources{Engine::DetectedEncoding::utf8, Engine::DetectedEncoding::utf8bom,
                                 Engine::DetectedEncoding::utf16, Engine::DetectedEncoding::cp949};
    const auto from = sources[data[0] % sources.size()];
    const auto eol = Engine::allLineEndings[(data[0] / 4) % Engine::allLineEndings.size()];
    const auto to = Engine::allTargets[(data[0] / 16) % Engine::allTargets.size()];
    const std::size_t piece = 1 + data[1] % 7;
    const std::string_view bytes(reinterpret_cast<const char *>(data + 2), size - 2);

    const auto whole = convert(bytes, from, eol, to, bytes.size() + 1);
    if (convert(bytes, from, eol, to, piece) != whole)
        __builtin_trap();
    if (whole && to == Engine::TargetEncoding::utf8 && !Text::isValidUtf8(*whole))
        __builtin_trap();
    return 0;
}
