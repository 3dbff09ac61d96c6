// libFuzzer target: the reader of the launch socket's frames, fed arbitrary bytes cut into pieces
// as reads from a socket cut them, must end in a message, a refusal or a wait for more, never in a
// crash or an allocation beyond the bytes given. The pieces never change the result, and a message
// read back from its own encoding reads the same again.
#include "Platform/LaunchFrame.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    // The first byte is the size of the pieces (0: all at once).
    const std::size_t piece = data[0] == 0 ? size : data[0];
    const char *bytes = reinterpret_cast<const char *>(data + 1);
    const std::size_t length = size - 1;

    LaunchFrame::Reader pieces;
    for (std::size_t at = 0; at < length; at += piece)
        pieces.feed(bytes + at, std::min(piece, length - at));
    LaunchFrame::Reader whole;
    whole.feed(bytes, length);
    if (pieces.state() != whole.state() || pieces.object() != whole.object())
        __builtin_trap();
    if (whole.state() != LaunchFrame::Reader::State::complete) {
        if (!whole.object().isEmpty())
            __builtin_trap();
        return 0;
    }

    const QByteArray again = LaunchFrame::encode(whole.object());
    LaunchFrame::Reader back;
    if (back.feed(again.constData(), std::size_t(again.size())) != LaunchFrame::Reader::State::complete ||
        LaunchFrame::encode(back.object()) != again)
        __builtin_trap();
    return 0;
}
